// The backup and restore windows inside the main window, driven by typing and clicking: a new directory,
// a backup checked before it is reported, "&Abbruch" answered while the worker copies, the restore's
// questions in their order and the register working on the restored files.

#include "common/ui/datensicherung.h"
#include "store/table.h"
#include "support/ui/hauptfenster.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace velmora;
using common::FormDatenruecksicherung;
using common::FormDatensicherung;

namespace {

void abwarten(common::TSicherungsFenster* f) {
    QElapsedTimer t;
    t.start();
    while (f->laeuft() && t.elapsed() < 60000)
        test::ereignisse();
    test::ereignisse();
}

int katzen(store::Database& db) {
    store::Table t(db, QStringLiteral("catstamm"));
    t.open(store::Table::OpenMode::ReadOnly);
    return t.recordCount();
}

} // namespace

TEST(Datensicherung, ANewDirectoryThenABackupCheckedBeforeItIsReported) {
    test::Hauptfenster h;
    test::Antworten m;
    test::katzeAnlegen(*h.db, QStringLiteral("Mira"));
    auto* f = dynamic_cast<FormDatensicherung*>(h.ueberMenue(QStringLiteral("FormDatensicherung")));
    ASSERT_NE(f, nullptr);
    test::TempDir ziel;
    test::eintragen(f->verzeichnisFeld(), ziel.path());
    test::klicken(f->neuKnopf());
    ASSERT_TRUE(f->neuPanel()->isVisible());
    test::tippen(f->neuName(), QStringLiteral("Sicherung1"));
    test::klicken(f->neuOk());
    EXPECT_FALSE(f->neuPanel()->isVisible());
    const QString neu = ziel.file(QStringLiteral("Sicherung1"));
    EXPECT_EQ(f->verzeichnis(), neu);
    ASSERT_TRUE(QFileInfo(neu).isDir());
    // The same name again: message 34, the directory stays chosen as it was.
    test::eintragen(f->verzeichnisFeld(), ziel.path());
    test::klicken(f->neuKnopf());
    test::tippen(f->neuName(), QStringLiteral("Sicherung1"));
    test::klicken(f->neuOk());
    EXPECT_EQ(m.nummern(), QList<int>{34});
    test::eintragen(f->verzeichnisFeld(), neu);

    m.meldungen.clear();
    test::klicken(f->startKnopf());
    EXPECT_FALSE(f->startKnopf()->isEnabled());
    abwarten(f);
    EXPECT_TRUE(f->startKnopf()->isEnabled());
    EXPECT_FALSE(f->abbruchKnopf()->isEnabled());
    EXPECT_FALSE(f->fortschrittPanel()->isVisible());
    ASSERT_EQ(m.nummern(), QList<int>{3709});
    EXPECT_TRUE(f->ergebnis().ok());
    const int dateien = int(store::eintraege(h.daten.path(), false).size());
    EXPECT_EQ(f->ergebnis().dateien, dateien);
    EXPECT_TRUE(m.meldungen[0].text.endsWith(QString::number(dateien)));
    EXPECT_EQ(store::tabellenDateiPruefen(QDir(neu).filePath(QStringLiteral("catstamm.db"))), QString());
    // The tables stayed open: the register still works.
    EXPECT_EQ(katzen(*h.db), 1);

    // A second run into the same directory copies nothing over the files: each is named.
    m.meldungen.clear();
    test::klicken(f->startKnopf());
    abwarten(f);
    EXPECT_EQ(m.nummern().count(3700), dateien);
    EXPECT_EQ(m.nummern().last(), 3714);
}

TEST(Datensicherung, AbbruchAnswersWhileTheWorkerCopies) {
    test::Hauptfenster h;
    test::Antworten m;
    auto* f = dynamic_cast<FormDatensicherung*>(h.ueberMenue(QStringLiteral("FormDatensicherung")));
    ASSERT_NE(f, nullptr);
    test::TempDir ziel;
    test::eintragen(f->verzeichnisFeld(), ziel.path());
    // The worker is held at its second file until the test lets it go.
    std::atomic<bool> weiter{false};
    std::atomic<int> angekommen{0};
    f->beiFortschritt = [&](const store::Fortschritt& p) {
        if (p.nummer != 2) return;
        angekommen = 1;
        while (!weiter)
            std::this_thread::yield();
    };
    test::klicken(f->startKnopf());
    QElapsedTimer t;
    t.start();
    while (!angekommen && t.elapsed() < 10000)
        test::ereignisse();
    ASSERT_TRUE(angekommen);
    // The window answers while the worker is busy.
    EXPECT_TRUE(f->laeuft());
    EXPECT_TRUE(f->abbruchKnopf()->isEnabled());
    test::klicken(f->abbruchKnopf());
    EXPECT_FALSE(f->abbruchKnopf()->isEnabled());
    weiter = true;
    abwarten(f);
    EXPECT_TRUE(f->ergebnis().abgebrochen);
    EXPECT_EQ(f->ergebnis().dateien, 2) << "no file is copied after the current one";
    EXPECT_TRUE(m.meldungen.isEmpty());
    EXPECT_TRUE(f->startKnopf()->isEnabled());
}

TEST(Datenruecksicherung, TheChecksAndQuestionsInTheirOrder) {
    struct Fall {
        const char* was;
        bool sicherung;          // the chosen directory is a backup
        QList<Antwort> antworten;
        QList<int> nummern;
        bool zurueckgespielt;
    };
    const QList<Fall> faelle = {
        {"not a backup", false, {}, {3702}, false},
        {"no to the first question", true, {Antwort::Nein}, {3703}, false},
        {"no to the older file", true, {Antwort::Ja, Antwort::Nein}, {3703, 3704}, false},
        {"restored", true, {Antwort::Ja, Antwort::Ja}, {3703, 3704, 3710}, true},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.was);
        test::Hauptfenster h;
        test::Antworten m;
        test::katzeAnlegen(*h.db, QStringLiteral("Damals"));
        test::TempDir b, s;
        if (fall.sicherung) {
            ASSERT_TRUE(store::datenSichern(h.daten.path(), b.path()).ok());
        }
        // After the backup the register changes, so the backup's cat table is older.
        QFile datei(QDir(b.path()).filePath(QStringLiteral("catstamm.db")));
        if (fall.sicherung) {
            datei.open(QIODevice::ReadWrite);
            datei.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime);
            datei.close();
        }
        test::katzeAnlegen(*h.db, QStringLiteral("Neu"));
        auto* f = dynamic_cast<FormDatenruecksicherung*>(h.ueberMenue(QStringLiteral("FormDatenruecksicherung")));
        ASSERT_NE(f, nullptr);
        f->sicherheit = s.path();
        test::eintragen(f->verzeichnisFeld(), b.path());
        m.antworten = fall.antworten;
        test::klicken(f->startKnopf());
        abwarten(f);
        EXPECT_EQ(m.nummern(), fall.nummern);
        EXPECT_EQ(katzen(*h.db), fall.zurueckgespielt ? 1 : 2);
        EXPECT_NE(h.katzenregister(), nullptr) << "the register is open again";
        if (fall.zurueckgespielt) {
            EXPECT_EQ(QDir(s.path()).entryList(QDir::Files).size(), store::eintraege(h.daten.path(), true).size());
            EXPECT_EQ(f->ergebnis().art, store::RuecksicherungsErgebnis::Art::Ok);
        } else {
            EXPECT_TRUE(QDir(s.path()).isEmpty());
        }
    }
}

TEST(Datenruecksicherung, ADamagedBackupIsNamedAndTheRegisterKeepsItsFiles) {
    test::Hauptfenster h;
    test::Antworten m;
    test::katzeAnlegen(*h.db, QStringLiteral("Jetzt"));
    test::TempDir b, s;
    ASSERT_TRUE(store::datenSichern(h.daten.path(), b.path()).ok());
    {
        QFile kaputt(QDir(b.path()).filePath(QStringLiteral("farbe.db")));
        kaputt.open(QIODevice::ReadWrite);
        kaputt.seek(kaputt.size() / 2);
        kaputt.write(QByteArray(8192, '\x5a'));
    }
    auto* f = dynamic_cast<FormDatenruecksicherung*>(h.ueberMenue(QStringLiteral("FormDatenruecksicherung")));
    ASSERT_NE(f, nullptr);
    f->sicherheit = s.path();
    test::eintragen(f->verzeichnisFeld(), b.path());
    m.antworten = {Antwort::Ja, Antwort::Ja};
    test::klicken(f->startKnopf());
    abwarten(f);
    ASSERT_EQ(m.nummern().last(), 3705);
    EXPECT_TRUE(m.meldungen.last().text.contains(QStringLiteral("farbe.db")));
    EXPECT_TRUE(QDir(s.path()).isEmpty());
    EXPECT_EQ(katzen(*h.db), 1);
}
