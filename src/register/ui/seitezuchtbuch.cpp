#include "register/ui/seitezuchtbuch.h"

#include "common/datenglobal.h"
#include "common/meldungsdienst.h"
#include "common/ui/feldeditoren.h"
#include "common/ui/rahmen.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "register/ui/detailformular.h"
#include "register/ui/detailgitter.h"
#include "register/ui/familienraster.h"
#include "register/ui/seitewurfdaten.h"
#include "register/ui/tcatstamm.h"
#include "register/zusatzdaten.h"
#include "settings/ui/optionen.h"
#include "store/ui/dberror.h"

#include <QChart>
#include <QChartView>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValueAxis>

namespace velmora::reg {

using store::Table;

// texte: meldung 30 2612
// texte: feldname 9498-9507

namespace {

QWidget* seiteMit(const char* name, int tag) {
    auto* w = new QWidget;
    w->setObjectName(QLatin1String(name));
    language::setTag(w, tag);
    return w;
}

QLabel* beschriftung(const char* text, int tag, const char* name) {
    auto* l = new QLabel(QString::fromUtf8(text));
    l->setObjectName(QLatin1String(name));
    language::setTag(l, tag);
    return l;
}

QString alterText(const QDate& von, const QDate& bis, int art) {
    if (!von.isValid() || !bis.isValid()) return {};
    return common::TDatenGlobal::alterBerechnen(von, bis, {}, art, language::feldName(1485),
                                                language::feldName(1486), language::feldName(1487),
                                                language::feldName(1488));
}

} // namespace

TSeiteZuchtbuch::TSeiteZuchtbuch(TCatStamm& r) : TKatzenSeite(r, "TabSheetZuchtbuch", 9414, "Z&uchtbuch") {
    auto* layout = new QVBoxLayout(this);
    m_stapel = new QStackedWidget(this);
    m_stapel->setObjectName(QStringLiteral("StapelZuchtbuch"));
    layout->addWidget(m_stapel);
    m_wurfbuchSeite = new QWidget;
    m_wurfbuchSeite->setObjectName(QStringLiteral("PanelWurfbuch"));
    m_deckbuchSeite = new QWidget;
    m_deckbuchSeite->setObjectName(QStringLiteral("PanelDeckbuch"));
    m_stapel->addWidget(m_wurfbuchSeite);
    m_stapel->addWidget(m_deckbuchSeite);
    wurfbuchAufbauen(m_wurfbuchSeite);
    deckbuchAufbauen(m_deckbuchSeite);
    for (TDetailGitter* g : gitterListe())
        connect(g, &TDetailGitter::gespeichert, this, &TKatzenSeite::gespeichert);
}

TSeiteZuchtbuch::~TSeiteZuchtbuch() = default;

Zuchttage TSeiteZuchtbuch::zuchttage() const {
    const settings::tsysteminfo& e = rahmen().einstellungen();
    return {e.TageNaechsteRolligkeit, e.TageNRplusMinus, e.TageTraechtigkeit, e.TagebisAbgabetermin};
}

QString TSeiteZuchtbuch::katzenName(const QVariant& nummer) const {
    if (nummer.toInt() <= 0) return {};
    return katzenregister()
        .katzen()
        .lookupValue(QStringLiteral("LaufendeNummer"), {nummer.toInt()}, QStringLiteral("Name"))
        .toString();
}

void TSeiteZuchtbuch::wurfbuchAufbauen(QWidget* seite) {
    auto* layout = new QVBoxLayout(seite);
    layout->setContentsMargins(0, 0, 0, 0);
    m_reiter = new QTabWidget(seite);
    m_reiter->setObjectName(QStringLiteral("TabSetZuchtbuch"));
    layout->addWidget(m_reiter);

    // --- the litters
    auto* wurfSeite = seiteMit("TabSheetWurfbuch", 9460);
    auto* wl = new QVBoxLayout(wurfSeite);
    auto datum = [](const TDetailGitter& g, int z, const char* feld) {
        return g.wert(z, QLatin1String(feld)).toDate();
    };
    auto wurftermin = [this, datum](const char* feld) {
        return [this, datum, feld](const TDetailGitter& g, int z) -> QVariant {
            const QDate d = erwarteterWurf(datum(g, z, feld), zuchttage());
            return d.isValid() ? QVariant(d) : QVariant();
        };
    };
    auto dauer = [datum](const TDetailGitter& g, int z) -> QVariant {
        const auto t =
            traechtigkeit(datum(g, z, "Decktermin"), datum(g, z, "Decktermin2"), datum(g, z, "Wurftag"));
        return t ? QVariant(*t) : QVariant();
    };
    m_wuerfe = new TDetailGitter(
        *this, "Wuerfe", QStringLiteral("wurfbuch"), QStringLiteral("KatzeIdx"), QStringLiteral("Katze"),
        {{QStringLiteral("BeginnRollig"), 9465, QStringLiteral("Beginn Rolligkeit"), {}},
         {QStringLiteral("Decktermin"), 9466, QStringLiteral("Decktermin 1."), {}},
         {QStringLiteral("Decktermin2"), 9467, QStringLiteral("2."), {}},
         {QString(), 9468, QStringLiteral("Wurftermin"), wurftermin("Decktermin")},
         {QString(), 9469, QStringLiteral("Wurftermin 2."), wurftermin("Decktermin2")},
         {QStringLiteral("Wurftag"), 9470, QStringLiteral("Wurftag"), {}},
         {QString(), 9471, QStringLiteral("Trächtigkeitsdauer"), dauer},
         {QString(), 9472, QStringLiteral("Kater"),
          [this](const TDetailGitter& g, int z) -> QVariant {
              return katzenName(g.wert(z, QStringLiteral("Kater")));
          }},
         {QStringLiteral("Wurfbez"), 9473, QStringLiteral("Wurfbezeichnung"), {}},
         {QStringLiteral("Bemerkung"), 9474, QStringLiteral("Bemerkung"), {}}});
    auto* katerKnopf = new QPushButton(QStringLiteral("Kater wählen"));
    katerKnopf->setObjectName(QStringLiteral("BitBtnKaterSuche"));
    language::setTag(katerKnopf, 9487);
    m_wuerfe->knopfReihe()->insertWidget(3, katerKnopf);
    connect(katerKnopf, &QPushButton::clicked, this, [this] {
        if (const int kater = katzenregister().katzeWaehlen(true))
            m_wuerfe->feldSetzen(QStringLiteral("Kater"), kater);
    });
    m_wuerfe->oeffnen();
    wl->addWidget(m_wuerfe, 1);
    // The weighings hang on the mother and the birth day: when a litter's birth day is corrected they
    // go with it, or they would be left under a day no litter has.
    m_wuerfe->vorDemSpeichern = [this](Table& t) {
        m_alterWurftag = {};
        if (t.state() == Table::State::Edit) {
            store::Query q(rahmen().db(),
                           QStringLiteral("SELECT w.Wurftag FROM wurfbuch AS w WHERE w.rowid = ?"),
                           {t.recordId()});
            if (q.next()) m_alterWurftag = q.value(0).toDate();
        }
        return true;
    };
    m_wuerfe->nachDemSpeichern = [this](Table& t) {
        const QDate neu = t.value(QStringLiteral("Wurftag")).toDate();
        if (!m_alterWurftag.isValid() || !neu.isValid() || neu == m_alterWurftag) return;
        if (!rahmen().db().tableExists(QStringLiteral("jungtier"))) return;
        rahmen().db().execute(QStringLiteral("UPDATE jungtier SET Wurfdatum = ? WHERE Mutterkatze = ? AND "
                                             "Wurfdatum = ?"),
                              {neu, katze(), m_alterWurftag});
    };

    m_wurfReiter = new QTabWidget(wurfSeite);
    m_wurfReiter->setObjectName(QStringLiteral("TabSetWurf"));
    wl->addWidget(m_wurfReiter, 1);

    // Litter data: fields of the selected litter, on the litter grid's cursor.
    auto* datenSeite = seiteMit("TabSheetWurfdaten2", 9462);
    m_wurfReiter->addTab(datenSeite, QStringLiteral("Wurfdaten"));
    if (m_wuerfe->tabelle() && m_wuerfe->offen()) {
        m_wurfBindung = std::make_unique<FeldBindung>(*m_wuerfe->tabelle());
        m_wurfBindung->fehlerAnzeige = [this](const std::exception& e) {
            fehlerDialog().HandleException(e, QStringLiteral("wurfbuch.db"));
        };
        // The fields scroll, so the page does not hold the register at their height.
        auto* flaeche = new QScrollArea(datenSeite);
        flaeche->setObjectName(QStringLiteral("FlaecheWurfdaten"));
        flaeche->setWidgetResizable(true);
        flaeche->setFrameShape(QFrame::NoFrame);
        auto* felderWidget = new QWidget;
        auto* raster = new QGridLayout(felderWidget);
        flaeche->setWidget(felderWidget);
        auto* datenLayout = new QVBoxLayout(datenSeite);
        datenLayout->setContentsMargins(0, 0, 0, 0);
        datenLayout->addWidget(flaeche);
        struct Feld {
            const char* feld;
            int tag;
            const char* text;
            char art; // t text, d date, m memo
        };
        const Feld felder[] = {{"Wurfstaerke", 9475, "Wurfstärke", 't'},
                               {"Totgeboren", 9476, "Totgeboren", 't'},
                               {"Verendet", 9477, "Verendet", 't'},
                               {"Ammenaufzucht", 9478, "Ammenaufzucht", 't'},
                               {"Endabnahme", 9479, "Endabnahme", 't'},
                               {"Verblieben", 9480, "Verblieben", 't'},
                               {"Eingeschlaefert", 9481, "Eingeschläfert", 't'},
                               {"Besichtam", 9483, "Besichtigt am", 'd'},
                               {"Besichtvon", 9484, "Besichtigt von", 't'},
                               {"Abnahmeam", 9485, "Abgenommen am", 'd'},
                               {"Abnahmevon", 9486, "Abgenommen von", 't'},
                               {"Verfassung", 9482, "Verfassung der Mutter", 'm'}};
        int i = 0;
        for (const Feld& f : felder) {
            QWidget* w = nullptr;
            const QString name = QLatin1String(f.feld);
            if (f.art == 'd') {
                auto* d = new DbDatum(*m_wurfBindung, name);
                TCatStamm* reg = &katzenregister();
                d->kalenderDialog = [reg] { return reg->kalenderWaehlen(); };
                w = d;
            } else if (f.art == 'm') {
                auto* m = new DbMemo(*m_wurfBindung, name);
                m->setTabChangesFocus(true);
                w = m;
            } else {
                w = new DbEdit(*m_wurfBindung, name);
            }
            w->setObjectName(QStringLiteral("DB") + name);
            QLabel* l = beschriftung(f.text, f.tag, QByteArray(QByteArray("Label") + f.feld).constData());
            l->setBuddy(w);
            const int zeile = f.art == 'm' ? 6 : i % 6, spalte = f.art == 'm' ? 0 : 2 * (i / 6);
            raster->addWidget(l, zeile, spalte);
            raster->addWidget(w, zeile, spalte + 1, 1, f.art == 'm' ? 3 : 1);
            ++i;
        }
        // Typing into a field edits the selected litter: the grid shows it and offers the undo.
        connect(m_wurfBindung.get(), &FeldBindung::feldGeaendert, m_wuerfe, &TDetailGitter::aktualisieren);
        connect(m_wuerfe, &TDetailGitter::zeileGewechselt, m_wurfBindung.get(), &FeldBindung::neuLaden);
        connect(m_wuerfe, &TDetailGitter::zeilenGeaendert, this, [this] {
            const Table* t = m_wuerfe->tabelle();
            if (t && t->state() == Table::State::Browse) m_wurfBindung->neuLaden();
        });
        // A field holding no date refuses the store of the litter; the row stays for the user to mend.
        m_wuerfe->eingabePruefen = [this] {
            for (const DbFeld* f : m_wurfBindung->felder()) {
                if (!f->ausstehend()) continue;
                const auto* d = dynamic_cast<const DbDatum*>(f);
                QString name = f->feld();
                if (auto* l = findChild<QLabel*>(QStringLiteral("Label") + f->feld()))
                    name = QString(l->text()).remove(QLatin1Char('&'));
                Meldungsdienst::zeigen(MeldungsArt::Warnung, 2612,
                                       language::meldung(2612) + QLatin1Char(' ') + name +
                                           QStringLiteral(": \"") + (d ? d->eingabe()->text() : QString()) +
                                           QLatin1Char('"'));
                nachVorn(const_cast<QWidget*>(dynamic_cast<const QWidget*>(f)));
                return false;
            }
            return true;
        };
    }

    // Kitten weighings of the selected litter.
    auto* gewichtSeite = seiteMit("TabSheetJungtierGewichte", 9463);
    auto* gl = new QHBoxLayout(gewichtSeite);
    QList<TDetailGitter::Spalte> spalten = {
        {QStringLiteral("Wiegedatum"), 9420, QStringLiteral("Datum"), {}},
        {QString(), 9424, QStringLiteral("Alter"), [](const TDetailGitter& g, int z) -> QVariant {
             return alterText(g.wert(z, QStringLiteral("Wurfdatum")).toDate(),
                              g.wert(z, QStringLiteral("Wiegedatum")).toDate(), 4);
         }}};
    for (int k = 1; k <= 10; ++k)
        spalten << TDetailGitter::Spalte{
            QStringLiteral("Katze%1").arg(k), 9497 + k, QStringLiteral("Katze %1").arg(k), {}};
    m_jungtiere = new TDetailGitter(*this, "JungtierGewichte", QStringLiteral("jungtier"),
                                    QStringLiteral("MutterkatzeDatum"),
                                    QStringLiteral("Mutterkatze;Wurfdatum"), spalten);
    // Weighings count from the litter's birth day: without one nothing can be weighed.
    auto mitWurftag = [this] {
        // A birth day just typed into the litter counts: the litter is stored first.
        if (m_wuerfe->aenderungOffen()) {
            if (!m_wuerfe->speichern()) return false;
            wurfGewaehlt();
        }
        if (m_jungtiere->schluessel().value(1).toDate().isValid()) return true;
        Meldungsdienst::nachricht(30, MeldungsArt::Warnung);
        return false;
    };
    m_jungtiere->bearbeitenErlaubt = mitWurftag;
    m_jungtiere->vorDemSpeichern = [mitWurftag](Table&) { return mitWurftag(); };
    m_jungtiere->oeffnen();
    gl->addWidget(m_jungtiere, 3);
    // Growth at a glance: the chart follows the grid as weighings are typed.
    m_diagramm = new QChartView(new QChart);
    m_diagramm->setObjectName(QStringLiteral("ChartGewichte"));
    m_diagramm->setRenderHint(QPainter::Antialiasing);
    m_diagramm->setMinimumWidth(240);
    language::setTag(m_diagramm, 9532);
    gl->addWidget(m_diagramm, 2);
    connect(m_jungtiere, &TDetailGitter::zeilenGeaendert, this, [this] { kurvenZeichnen(); });
    m_wurfReiter->addTab(gewichtSeite, QStringLiteral("Gewichte"));
    // The weighings belong to the litter they were typed for: a pending one is stored first.
    m_wuerfe->zeilenwechselErlaubt = [this] { return m_jungtiere->speichern(); };
    connect(m_wuerfe, &TDetailGitter::zeileGewechselt, this, [this] { wurfGewaehlt(); });

    m_jungtiereSeite = seiteMit("TabSheetJungtiere", 9464);
    auto* jl = new QVBoxLayout(m_jungtiereSeite);
    m_jungtierRaster = new TJungtierRaster(*this, m_jungtiereSeite);
    jl->addWidget(m_jungtierRaster, 1);
    // The selected kitten's own extra data, editable while the litter has kittens.
    m_jungtierZusatz = new TDetailFormular(*this, "JungtierZusatzdaten", QStringLiteral("stammzusatz"),
                                           QStringLiteral("TierIdx"), QStringLiteral("Tier"));
    zusatzdatenZeilen(*m_jungtierZusatz);
    auto* zusatzRahmen = new QGroupBox(QStringLiteral("Zusatzdaten"), m_jungtiereSeite);
    zusatzRahmen->setObjectName(QStringLiteral("GroupBoxJungtierZusatzdaten"));
    language::setTag(zusatzRahmen, 9526);
    (new QVBoxLayout(zusatzRahmen))->addWidget(m_jungtierZusatz);
    jl->addWidget(zusatzRahmen);
    connect(m_jungtierZusatz, &TDetailFormular::gespeichert, this, &TKatzenSeite::gespeichert);
    connect(m_jungtierRaster, &TKatzenRaster::katzeGewaehlt, this, [this](int) { jungtierZusatzZeigen(); });
    m_jungtiereTab = m_wurfReiter->addTab(m_jungtiereSeite, QStringLiteral("Jungtiere"));
    m_reiter->addTab(wurfSeite, QStringLiteral("Wurfbuch"));

    // --- heats
    auto* heatSeite = seiteMit("TabSheetLaeufigkeit", 9461);
    auto* hl = new QHBoxLayout(heatSeite);
    m_rolligkeiten = new TDetailGitter(
        *this, "Rolligkeiten", QStringLiteral("laeufigkeit"), QStringLiteral("Katze"),
        QStringLiteral("Katze"),
        {{QStringLiteral("Datum"), 9420, QStringLiteral("Datum"), {}},
         {QString(), 9491, QStringLiteral("Tage"), [](const TDetailGitter& g, int z) -> QVariant {
              if (z == 0) return {};
              const QDateTime a = g.wert(z - 1, QStringLiteral("Datum")).toDateTime();
              const QDateTime b = g.wert(z, QStringLiteral("Datum")).toDateTime();
              if (!a.isValid() || !b.isValid()) return {};
              return tageZwischen(a, b);
          }}});
    // A heat without a date is no heat: dropped without a word.
    m_rolligkeiten->vorDemSpeichern = [](Table& t) { return !t.value(QStringLiteral("Datum")).isNull(); };
    m_rolligkeiten->oeffnen();
    hl->addWidget(m_rolligkeiten, 1);
    connect(m_rolligkeiten, &TDetailGitter::gespeichert, this, [this] { statistikZeigen(); });

    auto* statistik = new QFormLayout;
    auto wert = [](const char* name) {
        auto* l = new QLabel;
        l->setObjectName(QLatin1String(name));
        return l;
    };
    m_plusMinus = wert("LabelPlusMinusWert");
    m_durchschnitt = wert("LabelDurchschnittWert");
    m_naechste = wert("LabelNaechsteWert");
    m_wurftermin = wert("LabelWurfterminWert");
    m_abgabetermin = wert("LabelAbgabeterminWert");
    m_decktermin = new QLineEdit;
    m_decktermin->setObjectName(QStringLiteral("EditDecktermin"));
    statistik->addRow(beschriftung("+/-", 9492, "LabelPlusMinus"), m_plusMinus);
    statistik->addRow(beschriftung("Durchschnitt", 9493, "LabelDurchschnitt"), m_durchschnitt);
    statistik->addRow(beschriftung("Nächste Rolligkeit", 9494, "LabelNaechste"), m_naechste);
    statistik->addRow(beschriftung("Decktermin", 9495, "LabelDecktermin"), m_decktermin);
    statistik->addRow(beschriftung("Wurftermin", 9468, "LabelWurftermin"), m_wurftermin);
    statistik->addRow(beschriftung("Abgabetermin", 9496, "LabelAbgabetermin"), m_abgabetermin);
    // The days these dates count with are set in the options window's litter-book page.
    auto* optionen = new QPushButton(QStringLiteral("Systemparameter"));
    optionen->setObjectName(QStringLiteral("BitBtnSystemparameter"));
    language::setTag(optionen, 7750);
    statistik->addRow(optionen);
    connect(optionen, &QPushButton::clicked, this, [this] {
        TKindFenster* f = settings::ui::systemparameterZeigen(rahmen(), settings::OptionenUmfang::Wurfbuch);
        // Saved or not, the figures are shown again with the days then set.
        if (!f || f->property("zuchtbuchFolgt").toBool()) return;
        f->setProperty("zuchtbuchFolgt", true);
        connect(f, &QObject::destroyed, this, [this] { statistikZeigen(); });
    });
    hl->addLayout(statistik);
    // A changed mating date empties the expected dates until it is left; a text that is no date leaves them
    // empty.
    connect(m_decktermin, &QLineEdit::textEdited, this, [this] { termineZeigen({}); });
    connect(m_decktermin, &QLineEdit::editingFinished, this,
            [this] { termineZeigen(termineAusText(m_decktermin->text(), zuchttage())); });
    m_reiter->addTab(heatSeite, QStringLiteral("Laeufigkeit"));
}

void TSeiteZuchtbuch::deckbuchAufbauen(QWidget* seite) {
    auto* layout = new QVBoxLayout(seite);
    layout->setContentsMargins(0, 0, 0, 0);
    m_deckbuch = new TDetailGitter(*this, "Deckbuch", QStringLiteral("deckbuch"),
                                   QStringLiteral("KaterDecktermin"), QStringLiteral("Kater"),
                                   {{QStringLiteral("Decktermin"), 9495, QStringLiteral("Decktermin"), {}},
                                    {QString(), 9489, QStringLiteral("Katze"),
                                     [this](const TDetailGitter& g, int z) -> QVariant {
                                         return katzenName(g.wert(z, QStringLiteral("Katze")));
                                     }},
                                    {QStringLiteral("Erfolge"), 9490, QStringLiteral("Erfolge"), {}},
                                    {QString(), 9468, QStringLiteral("Wurftermin"),
                                     [this](const TDetailGitter& g, int z) -> QVariant {
                                         const QDate d = erwarteterWurf(
                                             g.wert(z, QStringLiteral("Decktermin")).toDate(), zuchttage());
                                         return d.isValid() ? QVariant(d) : QVariant();
                                     }},
                                    {QStringLiteral("Wurftag"), 9470, QStringLiteral("Wurftag"), {}},
                                    {QStringLiteral("Bemerkung"), 9474, QStringLiteral("Bemerkung"), {}}});
    auto* katzeKnopf = new QPushButton(QStringLiteral("Katze wählen"));
    katzeKnopf->setObjectName(QStringLiteral("BitBtnKatzeSuche"));
    language::setTag(katzeKnopf, 9488);
    m_deckbuch->knopfReihe()->insertWidget(3, katzeKnopf);
    connect(katzeKnopf, &QPushButton::clicked, this, [this] {
        if (const int katze = katzenregister().katzeWaehlen(false))
            m_deckbuch->feldSetzen(QStringLiteral("Katze"), katze);
    });
    m_deckbuch->oeffnen();
    layout->addWidget(m_deckbuch);
}

QList<TDetailGitter*> TSeiteZuchtbuch::gitterListe() const {
    return {m_jungtiere, m_wuerfe, m_rolligkeiten, m_deckbuch};
}

bool TSeiteZuchtbuch::wurfbuchGezeigt() const {
    return m_stapel->currentWidget() == m_wurfbuchSeite;
}

bool TSeiteZuchtbuch::jungtiereAngeboten() const {
    return m_wurfReiter->isTabVisible(m_jungtiereTab);
}

void TSeiteZuchtbuch::laden() {
    const bool kater = geschlecht() == QLatin1String("1") || geschlecht() == QLatin1String("3");
    m_stapel->setCurrentWidget(kater ? m_deckbuchSeite : m_wurfbuchSeite);
    m_deckbuch->setSchluessel({kater ? katze() : 0});
    m_rolligkeiten->setSchluessel({kater ? 0 : katze()});
    m_wuerfe->setSchluessel({kater ? 0 : katze()});
    wurfGewaehlt();
    statistikZeigen();
}

void TSeiteZuchtbuch::wurfGewaehlt() {
    const int zeile = m_wuerfe->aktuelleZeile();
    const bool wurf = zeile >= 0; // a litter being typed too: weighing it stores it first
    // The kittens are offered while the cat has litters.
    m_wurfReiter->setTabVisible(m_jungtiereTab, m_wuerfe->zeilen() > 0);
    if (!wurf) {
        m_jungtiere->setSchluessel({});
        m_jungtierRaster->wurfSetzen(0, {});
        jungtierZusatzZeigen();
        return;
    }
    const QVariantList schluessel = {katze(), m_wuerfe->wert(zeile, QStringLiteral("Wurftag"))};
    m_jungtierRaster->wurfSetzen(katze(), schluessel.value(1).toDate());
    jungtierZusatzZeigen();
    if (schluessel != m_jungtiere->schluessel() || !m_jungtiere->offen())
        m_jungtiere->setSchluessel(schluessel);
}

void TSeiteZuchtbuch::wuerfeNeuLesen() {
    // A page not read yet reads everything when it comes to the front.
    if (!geladen()) return;
    // The litter grid's re-read reloads the kittens of the selected litter; the weighings keep their
    // key and are read on their own.
    m_wuerfe->neuLaden();
    m_jungtiere->neuLaden();
}

QChart* TSeiteZuchtbuch::gewichtsDiagramm() const {
    return m_diagramm->chart();
}

void TSeiteZuchtbuch::kurvenZeichnen() {
    QChart* c = m_diagramm->chart();
    c->removeAllSeries();
    for (QAbstractAxis* a : c->axes())
        c->removeAxis(a);
    QList<Wiegung> wiegungen;
    for (int z = 0; z < m_jungtiere->zeilen(); ++z) {
        Wiegung w{m_jungtiere->wert(z, QStringLiteral("Wiegedatum")).toDate(), {}};
        for (int k = 1; k <= 10; ++k)
            w.gewichte << m_jungtiere->wert(z, QStringLiteral("Katze%1").arg(k)).toString();
        wiegungen << w;
    }
    const QList<QList<QPointF>> kurven =
        gewichtsKurven(m_jungtiere->schluessel().value(1).toDate(), wiegungen);
    auto* x = new QValueAxis;
    x->setTitleText(language::feldName(9533).isEmpty() ? QStringLiteral("Alter in Tagen")
                                                       : language::feldName(9533));
    x->setLabelFormat(QStringLiteral("%d"));
    auto* y = new QValueAxis;
    y->setTitleText(
        (language::feldName(9425).isEmpty() ? QStringLiteral("Gewicht") : language::feldName(9425)));
    c->addAxis(x, Qt::AlignBottom);
    c->addAxis(y, Qt::AlignLeft);
    double maxX = 1, maxY = 1;
    for (int k = 0; k < kurven.size(); ++k) {
        if (kurven[k].isEmpty()) continue;
        auto* s = new QLineSeries;
        s->setName(m_jungtiere->spaltenTitel(2 + k));
        s->setPointsVisible(true);
        for (const QPointF& p : kurven[k]) {
            s->append(p);
            maxX = std::max(maxX, p.x());
            maxY = std::max(maxY, p.y());
        }
        c->addSeries(s);
        s->attachAxis(x);
        s->attachAxis(y);
    }
    x->setRange(0, maxX);
    y->setRange(0, maxY * 1.1);
    c->setTitle(language::feldName(9532).isEmpty() ? QStringLiteral("Gewichtskurve")
                                                   : language::feldName(9532));
}

void TSeiteZuchtbuch::termineZeigen(const Termine& t) {
    m_wurftermin->setText(DbDatum::text(t.wurftermin));
    m_abgabetermin->setText(DbDatum::text(t.abgabetermin));
}

void TSeiteZuchtbuch::statistikZeigen() {
    QList<QDateTime> r;
    for (int i = 0; i < m_rolligkeiten->zeilen(); ++i)
        r << m_rolligkeiten->wert(i, QStringLiteral("Datum")).toDateTime();
    const RolligkeitsStatistik s = rolligkeitsStatistik(r, zuchttage(), QDate::currentDate());
    m_plusMinus->setText(QString::number(s.plusMinus));
    m_durchschnitt->setText(QString::number(s.durchschnitt));
    m_naechste->setText(DbDatum::text(s.naechsteRolligkeit));
    m_decktermin->setText(DbDatum::text(s.decktermin));
    termineZeigen({s.wurftermin, s.abgabetermin});
}

QString TSeiteZuchtbuch::statistikText(const char* was) const {
    const QString w = QLatin1String(was);
    if (w == QLatin1String("+/-")) return m_plusMinus->text();
    if (w == QLatin1String("Durchschnitt")) return m_durchschnitt->text();
    if (w == QLatin1String("Nächste Rolligkeit")) return m_naechste->text();
    if (w == QLatin1String("Wurftermin")) return m_wurftermin->text();
    if (w == QLatin1String("Abgabetermin")) return m_abgabetermin->text();
    return {};
}

void TSeiteZuchtbuch::jungtierZusatzZeigen() {
    const int kitten = m_jungtierRaster->gewaehlteKatze();
    if (m_jungtierZusatz->aenderungOffen() && !m_jungtierZusatz->speichern()) return;
    m_jungtierZusatz->setSchluessel(kitten ? QVariantList{kitten} : QVariantList{});
}

bool TSeiteZuchtbuch::verlassen() {
    for (TDetailGitter* g : gitterListe())
        if (!g->speichern()) {
            nachVorn(g);
            return false;
        }
    if (!m_jungtierZusatz->speichern()) {
        nachVorn(m_jungtierZusatz);
        return false;
    }
    return true;
}

void TSeiteZuchtbuch::schliessen() {
    for (TDetailGitter* g : gitterListe())
        g->schliessen();
    m_jungtierRaster->schliessen();
    m_jungtierZusatz->schliessen();
}

void TSeiteZuchtbuch::uebersetzt() {
    for (TDetailGitter* g : gitterListe())
        g->uebersetzen();
    m_jungtierZusatz->uebersetzen();
    TKatzenSeite::uebersetzt();
}

} // namespace velmora::reg
