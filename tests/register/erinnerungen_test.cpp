// The start-up reminders: date windows, order, names, switches and the "OK" order of the lists.

#include "register/erinnerungen.h"
#include "store/database.h"
#include "store/table.h"
#include "support/testsupport.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace velmora;
using reg::Erinnerungsliste;

namespace {

const QDate kHeute(2025, 3, 15);

int katze(store::Database& db, const QString& name) {
    store::Table t(db, QStringLiteral("catstamm"));
    t.open();
    t.append();
    t.setValue(QStringLiteral("Name"), name);
    t.setValue(QStringLiteral("Geschlecht"), QStringLiteral("2"));
    t.post();
    return t.asInt(QStringLiteral("LaufendeNummer"));
}

void zeile(store::Database& db, const char* tabelle, const char* feld, int k, const QDate& d) {
    store::Table t(db, QLatin1String(tabelle));
    t.open();
    t.append();
    t.setValue(QStringLiteral("Katze"), k);
    if (d.isValid()) t.setValue(QLatin1String(feld), d);
    t.post();
}

void medikament(store::Database& db, const QString& name, const QDate& d) {
    store::Table t(db, QStringLiteral("apotheke"));
    t.open();
    t.append();
    t.setValue(QStringLiteral("Medikament"), name);
    if (d.isValid()) t.setValue(QStringLiteral("Verfallsdatum"), d);
    t.post();
}

QStringList zeilen(const QList<reg::FaelligerTermin>& l) {
    QStringList s;
    for (const auto& z : l)
        s << QStringLiteral("%1 %2 %3").arg(z.katze).arg(z.name, z.datum.toString(Qt::ISODate));
    return s;
}

// Vaccinations and wormings share the window: 6 days either side listed, 7 not, no date never.
TEST(Erinnerungen, TermineSechsTageVorUndZurueckInDatumsUndKatzenfolge) {
    for (const auto& [tabelle, feld] : {std::pair{"impfung", "NeuAm"}, std::pair{"wurmkur", "Naechste"}}) {
        SCOPED_TRACE(tabelle);
        test::DataDir daten;
        store::Database db(daten.path());
        const int a = katze(db, QStringLiteral("Anna")), b = katze(db, QStringLiteral("Bella"));
        for (int tage : {-7, 6, -6, 0, 7})
            zeile(db, tabelle, feld, b, kHeute.addDays(tage));
        zeile(db, tabelle, feld, a, kHeute);
        zeile(db, tabelle, feld, a, QDate());
        const auto e = reg::erinnerungenPruefen(db, {false, true, true}, kHeute);
        const auto& l = QByteArray(tabelle) == "impfung" ? e.impfungen : e.wurmkuren;
        const QString A = QString::number(a), B = QString::number(b);
        EXPECT_EQ(zeilen(l), QStringList({B + " Bella 2025-03-09", A + " Anna 2025-03-15",
                                          B + " Bella 2025-03-15", B + " Bella 2025-03-21"}));
        EXPECT_TRUE(e.fehler.isEmpty());
    }
}

TEST(Erinnerungen, MedikamenteBisHeuteOhneDatumZuerst) {
    test::DataDir daten;
    store::Database db(daten.path());
    medikament(db, QStringLiteral("Morgen"), kHeute.addDays(1));
    medikament(db, QStringLiteral("Heute"), kHeute);
    medikament(db, QStringLiteral("Ohne"), QDate());
    medikament(db, QStringLiteral("Alt"), QDate(2020, 1, 1));
    const auto e = reg::erinnerungenPruefen(db, {true, false, false}, kHeute);
    QStringList s;
    for (const auto& m : e.medikamente)
        s << m.medikament + ';' + m.verfallsdatum.toString(Qt::ISODate);
    EXPECT_EQ(s, QStringList({"Ohne;", "Alt;2020-01-01", "Heute;2025-03-15"}));
    EXPECT_TRUE(e.medikamenteGeprueft);
    EXPECT_FALSE(e.impfungenGeprueft);
}

TEST(Erinnerungen, GeloeschteKatzeOhneNamen) {
    test::DataDir daten;
    store::Database db(daten.path());
    const int k = katze(db, QStringLiteral("Weg"));
    zeile(db, "impfung", "NeuAm", k, kHeute);
    {
        store::Table t(db, QStringLiteral("catstamm"));
        t.open();
        ASSERT_TRUE(t.findKey({k}));
        t.remove();
    }
    const auto e = reg::erinnerungenPruefen(db, {}, kHeute);
    ASSERT_EQ(e.impfungen.size(), 1);
    EXPECT_EQ(e.impfungen[0].katze, k);
    EXPECT_TRUE(e.impfungen[0].name.isEmpty());
}

// Which lists are found decides the first list and where "OK" goes.
TEST(Erinnerungen, ReihenfolgeDerListen) {
    using L = Erinnerungsliste;
    struct Fall {
        bool med, imp, wurm;
        QList<L> folge;
    } faelle[] = {
        {true, true, true, {L::Medikamente, L::Impfungen, L::Wurmkuren, L::Keine}},
        {true, false, true, {L::Medikamente, L::Wurmkuren, L::Keine}},
        {true, false, false, {L::Medikamente, L::Keine}},
        {false, true, false, {L::Impfungen, L::Keine}},
        {false, false, true, {L::Wurmkuren, L::Keine}},
        {false, false, false, {L::Keine}},
    };
    for (const Fall& f : faelle) {
        reg::Erinnerungen e;
        if (f.med) e.medikamente << reg::AbgelaufenesMedikament{};
        if (f.imp) e.impfungen << reg::FaelligerTermin{};
        if (f.wurm) e.wurmkuren << reg::FaelligerTermin{};
        QList<L> folge{e.erste()};
        while (folge.last() != L::Keine && folge.size() < 5)
            folge << e.nach(folge.last());
        EXPECT_EQ(folge, f.folge) << f.med << f.imp << f.wurm;
    }
}

TEST(Erinnerungen, AbgeschaltetepruefungenLesenNichts) {
    test::DataDir daten;
    store::Database db(daten.path());
    const int k = katze(db, QStringLiteral("Mia"));
    zeile(db, "impfung", "NeuAm", k, kHeute);
    zeile(db, "wurmkur", "Naechste", k, kHeute);
    zeile(db, "wurmkur", "Naechste", k, kHeute.addDays(1));
    medikament(db, QStringLiteral("Ohne"), QDate());
    const auto aus = reg::erinnerungenPruefen(db, {false, false, false}, kHeute);
    EXPECT_EQ(aus.erste(), Erinnerungsliste::Keine);
    EXPECT_FALSE(aus.medikamenteGeprueft || aus.impfungenGeprueft || aus.wurmkurenGeprueft);
    const auto nurWurm = reg::erinnerungenPruefen(db, {false, false, true}, kHeute);
    EXPECT_EQ(nurWurm.wurmkuren.size(), 2);
    EXPECT_EQ(nurWurm.erste(), Erinnerungsliste::Wurmkuren);
    EXPECT_EQ(nurWurm.nach(Erinnerungsliste::Wurmkuren), Erinnerungsliste::Keine);
}

TEST(Erinnerungen, FehlendeTabelleGemeldetAndereLaufenWeiter) {
    test::DataDir daten;
    int k = 0;
    {
        store::Database db(daten.path());
        k = katze(db, QStringLiteral("Mia"));
        zeile(db, "wurmkur", "Naechste", k, kHeute);
    }
    const auto dateien = store::Database::tableFiles(daten.path());
    for (const char* weg : {"apotheke", "impfung"})
        ASSERT_TRUE(QFile::remove(dateien.value(QLatin1String(weg)))) << weg;
    store::Database db(daten.path());
    const auto e = reg::erinnerungenPruefen(db, {}, kHeute);
    ASSERT_EQ(e.fehler.size(), 2);
    EXPECT_EQ(e.fehler[0].tabelle, QStringLiteral("apotheke"));
    EXPECT_EQ(e.fehler[1].tabelle, QStringLiteral("impfung"));
    EXPECT_FALSE(e.medikamenteGeprueft || e.impfungenGeprueft);
    EXPECT_TRUE(e.wurmkurenGeprueft);
    EXPECT_EQ(e.erste(), Erinnerungsliste::Wurmkuren);
}

} // namespace
