// The reminders window at start-up: which list it opens on, "OK" through the lists, the switches,
// a table that cannot be opened, and the lists in the message log of a scripted start.

#include "register/suchabfrage.h"
#include "register/ui/warnungen.h"
#include "store/database.h"
#include "store/table.h"
#include "support/ui/hauptfenster.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

const QDate kHeute = QDate::currentDate();

void zeile(store::Database& db, const QString& tabelle, const QVariantMap& werte) {
    store::Table t(db, tabelle);
    t.open();
    t.append();
    for (auto it = werte.cbegin(); it != werte.cend(); ++it)
        t.setValue(it.key(), it.value());
    t.post();
}

// A medicine without date, a vaccination of Mia in 6 days, wormings of Mia and of a deleted cat.
void faellig(store::Database& db, bool apotheke = true) {
    const int mia = test::katzeAnlegen(db, QStringLiteral("Mia"));
    if (apotheke) zeile(db, QStringLiteral("apotheke"), {{"Medikament", "Milbemax"}});
    zeile(db, QStringLiteral("impfung"), {{"Katze", mia}, {"NeuAm", kHeute.addDays(6)}});
    zeile(db, QStringLiteral("impfung"), {{"Katze", mia}, {"NeuAm", kHeute.addDays(7)}});
    zeile(db, QStringLiteral("wurmkur"), {{"Katze", 9999}, {"Naechste", kHeute.addDays(-6)}});
    zeile(db, QStringLiteral("wurmkur"), {{"Katze", mia}, {"Naechste", kHeute}});
}

struct Start {
    explicit Start(
        const QString& warnung,
        std::function<void(store::Database&)> daten = [](store::Database& db) { faellig(db); })
        : h([&] {
              test::Hauptfenster::Optionen o;
              o.ini = QStringLiteral("[System]\r\nSpeichern=1\r\n[Warnung]\r\n") + warnung;
              o.vorher = std::move(daten);
              return o;
          }()) {}
    reg::TFormWarnungen* zeigen() {
        h.haupt->erinnerungenZeigen();
        test::ereignisse();
        return h.haupt->findChild<reg::TFormWarnungen*>(QStringLiteral("FormWarnungen"));
    }
    test::Antworten antworten;
    test::Hauptfenster h;
};

// The shown panel's heading and its rows as the grid shows them.
QStringList liste(reg::TFormWarnungen* w) {
    QStringList s;
    for (auto* panel : w->findChildren<QWidget*>(
             QRegularExpression(QStringLiteral("^Panel(Medikamente|Impfungen|Wurmkuren)$")))) {
        if (!panel->isVisible()) continue;
        s << panel->findChild<QLabel*>()->text();
        auto* g = panel->findChild<QTableWidget*>();
        for (int r = 0; r < g->rowCount(); ++r) {
            QStringList z;
            for (int c = 0; c < g->columnCount(); ++c)
                z << g->item(r, c)->text();
            s << z.join(QLatin1Char('|'));
        }
    }
    return s;
}

QString tag(int tage) {
    return reg::datumText(kHeute.addDays(tage), QLocale());
}

TEST(Warnungen, OkSchrittFuerSchrittDurchDieDreiListen) {
    Start s(QString{});
    QPointer<reg::TFormWarnungen> w = s.zeigen();
    ASSERT_TRUE(w && w->isVisible());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Warnungen"));
    EXPECT_EQ(liste(w), QStringList({QStringLiteral("Achtung, Verfallsdatum überschritten"), "Milbemax"}));
    auto* ok = w->findChild<QPushButton*>(QStringLiteral("BitBtnOK"));
    test::klicken(ok);
    EXPECT_EQ(liste(w), QStringList({QStringLiteral("Fällige Impfungen"), "Mia|" + tag(6)}));
    test::klicken(ok);
    EXPECT_EQ(liste(w), QStringList({QStringLiteral("Fällige Wurmkuren"), "|" + tag(-6), "Mia|" + tag(0)}));
    test::klicken(ok);
    test::ereignisse();
    EXPECT_TRUE(w.isNull());
    // Once per run.
    EXPECT_EQ(s.zeigen(), nullptr);
}

TEST(Warnungen, SchalterEntscheidenUeberFensterUndErsteListe) {
    {
        Start s(QStringLiteral("Verfallsdatum=0\r\nImpfung=0\r\nWurmkur=1\r\n"));
        QPointer<reg::TFormWarnungen> w = s.zeigen();
        ASSERT_TRUE(w && w->isVisible());
        EXPECT_EQ(liste(w).value(0), QStringLiteral("Fällige Wurmkuren"));
        for (QWidget* c : w->findChildren<QWidget*>())
            if (c->isVisible() && !c->objectName().isEmpty() &&
                !c->objectName().startsWith(QLatin1String("qt_")))
                EXPECT_FALSE(c->accessibleName().isEmpty()) << c->metaObject()->className();
        test::klicken(w->findChild<QPushButton*>(QStringLiteral("BitBtnOK")));
        test::ereignisse();
        EXPECT_TRUE(w.isNull());
    }
    {
        Start s(QStringLiteral("Verfallsdatum=0\r\nImpfung=0\r\nWurmkur=0\r\n"));
        EXPECT_EQ(s.zeigen(), nullptr);
    }
    {
        // Nothing due: no window either.
        Start s(QString{}, [](store::Database& db) { test::katzeAnlegen(db, QStringLiteral("Mia")); });
        EXPECT_EQ(s.zeigen(), nullptr);
        EXPECT_TRUE(s.antworten.meldungen.isEmpty());
    }
}

TEST(Warnungen, TabelleNichtZuOeffnenMeldung11UndDieAnderenLaufen) {
    Start s(QString{}, [](store::Database& db) {
        ASSERT_TRUE(QFile::remove(db.filePath(QStringLiteral("apotheke"))));
        faellig(db, false);
    });
    QPointer<reg::TFormWarnungen> w = s.zeigen();
    ASSERT_EQ(s.antworten.nummern(), QList<int>{11});
    EXPECT_EQ(s.antworten.meldungen[0].art, MeldungsArt::Fehler);
    EXPECT_TRUE(s.antworten.meldungen[0].text.endsWith(QStringLiteral(" apotheke.db")))
        << s.antworten.meldungen[0].text.toStdString();
    ASSERT_TRUE(w && w->isVisible());
    EXPECT_EQ(liste(w).value(0), QStringLiteral("Fällige Impfungen"));
}

TEST(Warnungen, AutomatikSchreibtDieListenInsProtokoll) {
    test::TempDir ordner;
    const QString log = ordner.file(QStringLiteral("meldungen.txt"));
    qputenv("VELMORA_MELDUNGEN", log.toLocal8Bit());
    qputenv("VELMORA_ANTWORTEN", "ja");
    Meldungsdienst::neuLaden();
    {
        Start s(QString{});
        EXPECT_EQ(s.zeigen(), nullptr); // no window without a person at the screen
    }
    // The lists took no answer from the list.
    EXPECT_EQ(Meldungsdienst::zeigen(MeldungsArt::Warnung, 16, QStringLiteral("Ende?"), Knoepfe::JaNein),
              Antwort::Ja);
    qunsetenv("VELMORA_MELDUNGEN");
    qunsetenv("VELMORA_ANTWORTEN");
    Meldungsdienst::neuLaden();
    QFile f(log);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()),
              QStringLiteral("info;;Achtung, Verfallsdatum überschritten;ok\ninfo;;Milbemax;ok\n"
                             "info;;Fällige Impfungen;ok\ninfo;;Mia | %1;ok\n"
                             "info;;Fällige Wurmkuren;ok\ninfo;; | %2;ok\ninfo;;Mia | %3;ok\n"
                             "warnung;16;Ende?;ja\n")
                  .arg(tag(6), tag(-6), tag(0)));
}

} // namespace
