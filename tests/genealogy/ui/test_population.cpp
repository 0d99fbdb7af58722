// The population window inside the main window: the reference filter chosen by clicking and typing,
// the run on its worker, the figures and grids against the core on the same register, the print, and
// "Abbruch" leaving nothing shown.

#include "genealogy/populationslauf.h"
#include "genealogy/register.h"
#include "genealogy/ui/genetiklauf.h"
#include "genealogy/ui/population.h"
#include "genealogy/ui/populationdiagramme.h"
#include "store/table.h"
#include "support/ui/hauptfenster.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QChart>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>

using namespace velmora;
using genealogy::Referenzfilter;
using genealogy::TFormPopulation;

namespace {

const QDate kHeute(2026, 6, 1);

// Two lines that meet: 5 x 6 are half siblings by 1, 9 is their kitten and 11 a kitten of 9 by its sire
// 5; 7 has one known parent. Birth years spread over 2008..2025, three cats dead.
const QVector<test::RegisterKatze> kRegister = {
    {1, QStringLiteral("Zorro"), 0, 0, {}}, {2, QStringLiteral("Amira"), 0, 0, {}},
    {4, QStringLiteral("Bella"), 0, 0, {}}, {5, QStringLiteral("Mika"), 1, 2, {}},
    {6, QStringLiteral("Luna"), 1, 4, {}},  {7, QStringLiteral("Nero"), 5, 0, {}},
    {9, QStringLiteral("Pia"), 5, 6, {}},   {10, QStringLiteral("Kira"), 0, 0, {}},
    {11, QStringLiteral("Odin"), 5, 9, {}}, {12, QStringLiteral("Mia"), 7, 10, {}},
    {13, QStringLiteral("Tom"), 7, 9, {}},  {14, QStringLiteral("Fee"), 11, 12, {}}};

struct Population : test::Hauptfenster {
    static inline qint32 rasseA = 0, rasseB = 0;
    Population() : test::Hauptfenster(optionen()) {
        TFormPopulation::heute = [] { return kHeute; };
    }
    ~Population() {
        TFormPopulation::heute = [] { return QDate::currentDate(); };
    }
    static Optionen optionen() {
        Optionen o;
        o.mitRegister = false;
        o.vorher = [](store::Database& db) {
            test::schreibeKatzen(db.directory(), kRegister);
            // the breeds as the window lists them: the first two by name
            store::Table r(db, QStringLiteral("rasse"));
            r.open(store::Table::OpenMode::ReadOnly);
            r.setIndexName(QStringLiteral("RasseName"));
            r.first();
            rasseA = r.asInt(QStringLiteral("RCode"));
            r.next();
            rasseB = r.asInt(QStringLiteral("RCode"));
            store::Table t(db, QStringLiteral("catstamm"));
            t.open();
            for (t.first(); !t.eof() && t.hasRecord(); t.next()) {
                const int nr = t.asInt(QStringLiteral("LaufendeNummer"));
                t.setValue(QStringLiteral("GebDatum"), QDate(2008 + (nr * 7) % 18, 3, 1));
                t.setValue(QStringLiteral("Status"), nr % 3 == 0 ? 1 : 2);
                t.setValue(QStringLiteral("Rasse"), nr % 2 ? rasseA : rasseB);
                if (nr == 2 || nr == 7 || nr == 13) t.setValue(QStringLiteral("Toddatum"), QDate(2024, 1, 1));
                t.post();
            }
        };
        return o;
    }
    TFormPopulation* oeffnen() {
        return dynamic_cast<TFormPopulation*>(ueberMenue(QStringLiteral("FormPopulation")));
    }
    // the entry with that data ticked as the user does: clicked, then the space bar
    static void waehlen(QListWidget* l, int daten) {
        QListWidgetItem* eintrag = nullptr;
        for (int i = 0; i < l->count(); ++i)
            if (l->item(i)->data(Qt::UserRole).toInt() == daten) eintrag = l->item(i);
        ASSERT_NE(eintrag, nullptr);
        l->scrollToItem(eintrag);
        test::klicken(l->viewport(), l->visualItemRect(eintrag).center());
        test::taste(l, Qt::Key_Space);
        ASSERT_EQ(eintrag->checkState(), Qt::Checked);
    }
    static void warten(TFormPopulation* f) {
        QDeadlineTimer frist(30000);
        while (f->laeuft() && !frist.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QThread::msleep(1);
        }
        test::ereignisse();
    }
    test::Antworten meldungen;
};

} // namespace

TEST(PopulationFenster, FiguresAndGridsEqualTheCoreForEachFilter) {
    struct Fall {
        const char* name;
        std::function<void(TFormPopulation*)> waehlen;
        std::function<Referenzfilter()> erwartet;
    } faelle[] = {
        {"the default: living cats of the last ten years", [](TFormPopulation*) {},
         [] { return Referenzfilter{}; }},
        {"all cats", [](TFormPopulation* f) { test::ankreuzen(f->alleKnopf()); },
         [] {
             Referenzfilter r;
             r.alle = true;
             return r;
         }},
        {"own cats of every year",
         [](TFormPopulation* f) {
             test::ankreuzen(f->alleKnopf());
             Population::waehlen(f->statusAuswahl(), 1);
         },
         [] {
             Referenzfilter r;
             r.alle = true;
             r.status = {1};
             return r;
         }},
        {"own and second status together",
         [](TFormPopulation* f) {
             Population::waehlen(f->statusAuswahl(), 1);
             Population::waehlen(f->statusAuswahl(), 2);
         },
         [] {
             Referenzfilter r;
             r.status = {1, 2};
             return r;
         }},
        {"a breed born 2012 to 2022",
         [](TFormPopulation* f) {
             Population::waehlen(f->rasseAuswahl(), Population::rasseA);
             test::eintragen(f->geborenVon(), QStringLiteral("2012"));
             test::eintragen(f->geborenBis(), QStringLiteral("2022"));
         },
         [] {
             Referenzfilter r;
             r.rassen = {Population::rasseA};
             r.geborenVon = 2012;
             r.geborenBis = 2022;
             return r;
         }},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        Population h;
        TFormPopulation* f = h.oeffnen();
        ASSERT_NE(f, nullptr);
        fall.waehlen(f);
        const Referenzfilter r = fall.erwartet();
        const Referenzfilter gewaehlt = f->filter();
        EXPECT_EQ(gewaehlt.alle, r.alle);
        EXPECT_EQ(gewaehlt.status, r.status);
        EXPECT_EQ(gewaehlt.rassen, r.rassen);
        EXPECT_EQ(gewaehlt.geborenVon, r.geborenVon);
        EXPECT_EQ(gewaehlt.geborenBis, r.geborenBis);

        test::klicken(f->berechnenKnopf());
        Population::warten(f);
        ASSERT_TRUE(f->hatErgebnis());
        const genealogy::Populationslauf kern = genealogy::populationLaufen(*h.db, r, kHeute);
        const genealogy::Population& p = kern.population;
        EXPECT_GT(p.referenz.size(), 1u);
        const QStringList werte = {QString::number(p.referenz.size()),
                                   genealogy::genetikWert(p.vielfalt),
                                   genealogy::genetikWert(p.gruenderaequivalente),
                                   QString::number(p.gruender.size()),
                                   genealogy::genetikWert(p.effektiveGruender),
                                   genealogy::genetikWert(p.ne),
                                   genealogy::genetikWert(p.ecgMittel)};
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(f->wertLabel(i)->text(), werte[i]) << i;

        const QAbstractItemModel* katzen = f->katzenGitter()->model();
        ASSERT_EQ(katzen->rowCount(), int(kern.reihe.size()));
        for (int z = 0; z < katzen->rowCount(); ++z) {
            const int pos = kern.reihe[size_t(z)];
            EXPECT_EQ(katzen->index(z, 0).data().toString(), QString::number(kern.genetik->katze(pos).nr));
            EXPECT_EQ(katzen->index(z, 2).data().toString(), genealogy::genetikWert(p.mk[size_t(pos)]));
            EXPECT_EQ(katzen->index(z, 3).data().toString(),
                      genealogy::genetikWert(kern.genetik->inzucht()[size_t(pos)]));
        }
        EXPECT_EQ(f->gruenderGitter()->model()->rowCount(), int(p.gruender.size()));
        EXPECT_EQ(f->diagramme()->inzuchtDiagramm()->series().size(), 1);
        EXPECT_EQ(f->diagramme()->verteilungDiagramm()->series().size(), 1);
    }
}

TEST(PopulationFenster, PrintCarriesTheFiguresAndAbbruchLeavesNothingShown) {
    Population h;
    TFormPopulation* f = h.oeffnen();
    ASSERT_NE(f, nullptr);
    test::ankreuzen(f->alleKnopf());
    test::klicken(f->berechnenKnopf());
    Population::warten(f);
    ASSERT_TRUE(f->hatErgebnis());
    printing::Bericht gedruckt;
    f->vorschau = [&gedruckt](const printing::Bericht& b) { gedruckt = b; };
    test::klicken(f->druckenKnopf());
    ASSERT_GE(gedruckt.seitenzahl(), 1);
    QStringList texte;
    for (const printing::TextElement& t : gedruckt.seite(0).texte())
        texte << t.text;
    EXPECT_TRUE(texte.contains(f->wertLabel(1)->text())) << texte.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(texte.contains(QStringLiteral("Zorro")));

    // the worker is held before its work until "Abbruch" has been clicked
    std::atomic<bool> los(false);
    genealogy::TGenetikLauf::vorDerArbeit = [&los] {
        while (!los)
            QThread::msleep(1);
    };
    test::klicken(f->berechnenKnopf());
    ASSERT_TRUE(f->laeuft());
    test::klicken(f->lauf()->abbruchKnopf());
    los = true;
    genealogy::TGenetikLauf::vorDerArbeit = nullptr;
    Population::warten(f);
    EXPECT_FALSE(f->hatErgebnis());
    for (int i = 0; i < 7; ++i)
        EXPECT_TRUE(f->wertLabel(i)->text().isEmpty()) << i;
    EXPECT_EQ(f->katzenGitter()->model()->rowCount(), 0);
    EXPECT_EQ(f->gruenderGitter()->model()->rowCount(), 0);
    EXPECT_TRUE(f->diagramme()->inzuchtDiagramm()->series().isEmpty());
    EXPECT_FALSE(f->druckenKnopf()->isEnabled());
    EXPECT_TRUE(f->berechnenKnopf()->isEnabled());
}
