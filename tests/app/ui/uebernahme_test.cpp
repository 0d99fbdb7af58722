// "Daten übernehmen…" as the user runs it from the Extras menu: folders typed in, the report shown,
// the restart on the new directory.

#include "app/ui/uebernahmedialog.h"
#include "store/database.h"
#include "store/table.h"
#include "support/paradoxschreiber.h"
#include "support/ui/hauptfenster.h"

#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>

extern "C" {
#include <paradox.h>
}

using namespace velmora;
using namespace velmora::test;

namespace {

QString S(const char* s) {
    return QString::fromUtf8(s);
}

void quelleSchreiben(const QString& dir, bool mitFehler) {
    QDir().mkpath(dir);
    QList<QVariantList> katzen = {{1, S("1"), S("Kater Müller")}, {2, S("2"), S("Kätzin")}};
    if (mitFehler) katzen << QVariantList{3, S("2"), QVariant()};
    ASSERT_TRUE(schreibeParadox(
        dir + S("/CATSTAMM.DB"),
        {{S("LaufendeNummer"), pxfAutoInc}, {S("Geschlecht"), pxfAlpha, 1}, {S("Name"), pxfAlpha, 70}},
        katzen));
}

// Runs the dialog from the menu with the given folders and returns its report.
QString ausfuehren(Hauptfenster& h, const QString& quelle, const QString& ziel) {
    QString bericht;
    beimNaechstenDialog([&](QWidget* d) {
        auto* dlg = qobject_cast<app::TUebernahmeDialog*>(d);
        ASSERT_NE(dlg, nullptr);
        eintragen(dlg->findChild<QLineEdit*>(S("EditQuelle")), QDir::toNativeSeparators(quelle));
        eintragen(dlg->findChild<QLineEdit*>(S("EditZiel")), QDir::toNativeSeparators(ziel));
        klicken(dlg->findChild<QPushButton*>(S("ButtonUebernehmen")));
        bericht = dlg->bericht();
        auto* balken = dlg->findChild<QProgressBar*>(S("ProgressBar"));
        if (!bericht.isEmpty()) EXPECT_EQ(balken->value(), balken->maximum()); // the run went to the end
        if (dlg->isVisible()) klicken(dlg->findChild<QPushButton*>(S("ButtonSchliessen")));
    });
    EXPECT_TRUE(h.menue(S("MenuDatenUebernehmen")));
    return bericht;
}

TEST(DatenUebernehmen, ShowsTheReportAndRestartsOnTheNewDirectoryWhenAsked) {
    Hauptfenster h;
    TempDir dir;
    quelleSchreiben(dir.file(S("alt")), false);
    QStringList gestartet;
    h.haupt->neuStarter = [&gestartet](const QStringList& a) {
        gestartet = a;
        return true;
    };
    Antworten antworten;
    antworten.antworten = {Antwort::Ja};
    const QString ziel = dir.file(S("neu"));
    const QString bericht = ausfuehren(h, dir.file(S("alt")), ziel);
    EXPECT_TRUE(bericht.contains(S("catstamm (CATSTAMM.DB): 2 gelesen, 2 übernommen, 0 abgewiesen")))
        << bericht.toStdString();
    EXPECT_EQ(antworten.nummern(), QList<int>{2974});
    ASSERT_EQ(gestartet.size() >= 2, true);
    EXPECT_EQ(gestartet.mid(0, 2), (QStringList{S("--daten"), ziel}));
    EXPECT_FALSE(h.haupt->isVisible()); // the run ended
    store::Database db(ziel);
    store::Table t(db, S("catstamm"));
    t.open();
    ASSERT_TRUE(t.findKey({1}));
    EXPECT_EQ(t.asString(S("Name")), S("Kater Müller"));
}

TEST(DatenUebernehmen, RefusesAnExistingTargetAndStaysWhenTheUserDeclines) {
    Hauptfenster h;
    TempDir dir;
    quelleSchreiben(dir.file(S("alt")), true);
    bool gestartet = false;
    h.haupt->neuStarter = [&gestartet](const QStringList&) { return gestartet = true; };
    Antworten antworten;
    QDir().mkpath(dir.file(S("da")));
    EXPECT_TRUE(ausfuehren(h, dir.file(S("alt")), dir.file(S("da"))).isEmpty());
    EXPECT_EQ(antworten.nummern(), QList<int>{2971});

    antworten.meldungen.clear();
    antworten.antworten = {Antwort::Nein};
    const QString bericht = ausfuehren(h, dir.file(S("alt")), dir.file(S("neu")));
    EXPECT_TRUE(bericht.contains(S("Satz 3 (Nummer 3): Pflichtfeld Name ist leer"))) << bericht.toStdString();
    EXPECT_EQ(antworten.nummern(), QList<int>{2975});
    EXPECT_FALSE(gestartet);
    EXPECT_TRUE(h.haupt->isVisible());
    EXPECT_TRUE(QFile::exists(dir.file(S("neu/import-bericht.txt"))));
}

} // namespace
