#include "genealogy/ui/population.h"

#include "common/meldungsdienst.h"
#include "common/ui/rahmen.h"
#include "genealogy/populationslauf.h"
#include "genealogy/ui/genetiklauf.h"
#include "genealogy/ui/populationdiagramme.h"
#include "genealogy/ui/populationmodelle.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "printing/listenbericht.h"
#include "printing/ui/berichtdruck.h"
#include "store/database.h"
#include "store/table.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace velmora::genealogy {

// texte: feldname 9917 9935-9963 9965-9972 9974-9976

namespace {
constexpr char kName[] = "FormPopulation";
constexpr int kHilfeThema = 212;
// A print of every cat of a large reference would run to thousands of pages: the lists stop here.
constexpr int kDruckKatzen = 500;
constexpr int kDruckGruender = 100;
// The figures in the order of the tool's lines, with their captions.
constexpr int kWertTexte[7] = {9949, 9950, 9951, 9952, 9953, 9954, 9955};
constexpr const char* kWertNamen[7] = {"Referenz", "Genetische Vielfalt", "Gründergenomäquivalente",
                                       "Gründer",  "Effektive Gründer",   "Ne",
                                       "ECG"};

QString text(int tag, const char* vorgabe) {
    QString t = language::feldName(tag);
    if (t.isEmpty()) t = QString::fromUtf8(vorgabe);
    language::AmpersandEntfernen(t);
    return t;
}
} // namespace

std::function<QDate()> TFormPopulation::heute = [] { return QDate::currentDate(); };

TFormPopulation::TFormPopulation(TRahmen& h) : TKindFenster(h, QLatin1String(kName), 9935) {
    setWindowTitle(text(9935, "Genetik der Population"));
    vorschau = [this](const printing::Bericht& b) { printing::vorschauZeigen(b, this); };
    pdfDateiWaehlen = [this] {
        return QFileDialog::getSaveFileName(this, QString(), QStringLiteral("Population.pdf"),
                                            QStringLiteral("PDF (*.pdf)"));
    };
}

bool TFormPopulation::oeffnen() {
    aufbauen();
    listenFuellen();
    uebersetzt();
    return true;
}

void TFormPopulation::schliessen() {
    if (m_lauf) m_lauf->warten();
}

void TFormPopulation::aufbauen() {
    auto* haupt = new QVBoxLayout(this);
    auto* oben = new QHBoxLayout;
    haupt->addLayout(oben);

    // the reference filter
    auto* filterBox = new QGroupBox(QStringLiteral("Referenzpopulation"), this);
    filterBox->setObjectName(QStringLiteral("GroupBoxReferenz"));
    language::setTag(filterBox, 9937);
    auto* form = new QFormLayout(filterBox);
    auto zeile = [this, form](int tag, const char* t, QWidget* w) {
        auto* l = new QLabel(QString::fromUtf8(t), this);
        language::setTag(l, tag);
        l->setBuddy(w);
        form->addRow(l, w);
    };
    m_alle = new QCheckBox(QStringLiteral("&Alle Katzen"), filterBox);
    m_alle->setObjectName(QStringLiteral("CheckBoxAlle"));
    language::setTag(m_alle, 9938);
    form->addRow(m_alle);
    // Several status values and breeds may be ticked; none ticked takes every one.
    for (QListWidget** l : {&m_status, &m_rasse}) {
        *l = new QListWidget(filterBox);
        (*l)->setMaximumHeight(90);
    }
    m_status->setObjectName(QStringLiteral("ListeStatus"));
    zeile(9939, "&Status", m_status);
    m_rasse->setObjectName(QStringLiteral("ListeRasse"));
    zeile(9940, "&Rasse", m_rasse);
    for (QSpinBox** s : {&m_von, &m_bis}) {
        *s = new QSpinBox(filterBox);
        (*s)->setRange(0, 9999);
        (*s)->setSpecialValueText(QStringLiteral("–")); // 0: open
        (*s)->setKeyboardTracking(false);
    }
    m_von->setObjectName(QStringLiteral("SpinGeborenVon"));
    m_bis->setObjectName(QStringLiteral("SpinGeborenBis"));
    zeile(9941, "Geboren &von", m_von);
    zeile(9942, "Geboren &bis", m_bis);
    oben->addWidget(filterBox);

    // the figures
    auto* werteBox = new QGroupBox(QStringLiteral("Ergebnis"), this);
    werteBox->setObjectName(QStringLiteral("GroupBoxErgebnis"));
    language::setTag(werteBox, 9975);
    auto* raster = new QGridLayout(werteBox);
    for (int i = 0; i < 7; ++i) {
        m_wertNamen[i] = new QLabel(QString::fromUtf8(kWertNamen[i]), werteBox);
        m_wertNamen[i]->setObjectName(QStringLiteral("LabelWertName%1").arg(i));
        m_werte[i] = new QLabel(werteBox);
        m_werte[i]->setObjectName(QStringLiteral("LabelWert%1").arg(i));
        m_werte[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_werte[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        raster->addWidget(m_wertNamen[i], i, 0);
        raster->addWidget(m_werte[i], i, 1);
    }
    oben->addWidget(werteBox, 1);

    m_hinweis = new QLabel(this);
    m_hinweis->setObjectName(QStringLiteral("LabelHinweis"));
    m_hinweis->setWordWrap(true);
    haupt->addWidget(m_hinweis);

    // the pages
    m_seiten = new QTabWidget(this);
    m_seiten->setObjectName(QStringLiteral("PageControl"));
    auto gitter = [this](const char* name, QAbstractTableModel* modell) {
        auto* v = new QTableView(this);
        v->setObjectName(QLatin1String(name));
        v->setModel(modell);
        v->setEditTriggers(QAbstractItemView::NoEditTriggers);
        v->setSelectionBehavior(QAbstractItemView::SelectRows);
        v->setSelectionMode(QAbstractItemView::SingleSelection);
        v->verticalHeader()->hide();
        // a fixed row height: the view need not measure 100,000 rows
        v->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        v->horizontalHeader()->setStretchLastSection(true);
        return v;
    };
    m_katzenModell = new TPopulationKatzenModell(this);
    m_katzenGitter = gitter("DBGridKatzen", m_katzenModell);
    language::setTag(m_katzenGitter, 9956);
    m_seiten->addTab(m_katzenGitter, QStringLiteral("Mittlere Verwandtschaft"));
    m_gruenderModell = new TPopulationGruenderModell(this);
    m_gruenderGitter = gitter("DBGridGruender", m_gruenderModell);
    language::setTag(m_gruenderGitter, 9957);
    m_seiten->addTab(m_gruenderGitter, QStringLiteral("Gründer"));
    m_diagramme = new TPopulationDiagramme(this);
    language::setTag(m_diagramme, 9958);
    m_seiten->addTab(m_diagramme, QStringLiteral("Diagramme"));
    haupt->addWidget(m_seiten, 1);

    m_lauf = new TGenetikLauf(this);
    haupt->addWidget(m_lauf);

    auto* knoepfe = new QHBoxLayout;
    auto knopf = [this, knoepfe](const char* name, int tag, const char* t) {
        return knopfAnfuegen(this, knoepfe, name, tag, t);
    };
    m_berechnen = knopf("BitBtnBerechnen", 9944, "&Berechnen");
    m_drucken = knopf("BitBtnDrucken", 9945, "&Drucken");
    m_pdf = knopf("BitBtnPdf", 9946, "Als &PDF speichern");
    QPushButton* hilfe = knopf("BitBtnHilfe", 9947, "&Hilfe");
    knoepfe->addStretch(1);
    QPushButton* zurueck = knopf("BitBtnZurueck", 9948, "&Zurück");
    haupt->addLayout(knoepfe);
    m_drucken->setEnabled(false);
    m_pdf->setEnabled(false);

    connect(m_berechnen, &QPushButton::clicked, this, &TFormPopulation::berechnen);
    connect(m_drucken, &QPushButton::clicked, this, [this] {
        if (m_ergebnis) vorschau(bericht());
    });
    connect(m_pdf, &QPushButton::clicked, this, [this] {
        if (!m_ergebnis) return;
        const QString datei = pdfDateiWaehlen();
        if (datei.isEmpty()) return;
        QString fehler;
        if (!printing::alsPdfSpeichern(bericht(), datei, &fehler))
            Meldungsdienst::zeigen(MeldungsArt::Fehler, 0, fehler);
    });
    connect(hilfe, &QPushButton::clicked, this, [this] { hauptfenster().hilfeZeigen(kHilfeThema); });
    connect(zurueck, &QPushButton::clicked, this, &QWidget::close);
}

void TFormPopulation::listenFuellen() {
    m_status->clear();
    m_rasse->clear();
    const auto eintrag = [](QListWidget* l, const QString& text, int wert) {
        auto* i = new QListWidgetItem(text, l);
        i->setData(Qt::UserRole, wert);
        i->setFlags(i->flags() | Qt::ItemIsUserCheckable);
        i->setCheckState(Qt::Unchecked);
    };
    try {
        store::Table s(hauptfenster().db(), QStringLiteral("status"));
        s.open(store::Table::OpenMode::ReadOnly);
        for (s.first(); !s.eof() && s.hasRecord(); s.next())
            eintrag(m_status, s.asString(QStringLiteral("Status")), s.asInt(QStringLiteral("Nummer")));
        store::Table r(hauptfenster().db(), QStringLiteral("rasse"));
        r.open(store::Table::OpenMode::ReadOnly);
        r.setIndexName(QStringLiteral("RasseName"));
        for (r.first(); !r.eof() && r.hasRecord(); r.next())
            eintrag(m_rasse, r.asString(QStringLiteral("RName")), r.asInt(QStringLiteral("RCode")));
    } catch (const std::exception&) {
        // Without the lists the filter takes every status and breed.
    }
}

void TFormPopulation::uebersetzt() {
    if (!m_katzenModell) return;
    setWindowTitle(text(9935, "Genetik der Population"));
    for (int i = 0; i < 7; ++i) {
        m_wertNamen[i]->setText(text(kWertTexte[i], kWertNamen[i]));
        m_werte[i]->setAccessibleName(m_wertNamen[i]->text());
    }
    m_katzenModell->setKoepfe(
        {text(9960, "Nummer"), text(9961, "Name"), text(9962, "MK"), text(9963, "F"), text(9955, "ECG")});
    m_gruenderModell->setKoepfe(
        {text(9965, "Katze"), text(9961, "Name"), text(9966, "Elternteil"), text(9969, "Beitrag")},
        text(9967, "Vater"), text(9968, "Mutter"));
    m_katzenGitter->setAccessibleName(text(9956, "Mittlere Verwandtschaft"));
    m_gruenderGitter->setAccessibleName(text(9957, "Gründer"));
    m_seiten->setAccessibleName(windowTitle());
    m_diagramme->beschriften(text(9976, "Mittlere Inzucht je Geburtsjahr"),
                             text(9959, "Verteilung der mittleren Verwandtschaft"), text(9970, "Geburtsjahr"),
                             text(9971, "Mittlere Inzucht"), text(9962, "MK"), text(9972, "Katzen"));
    m_diagramme->setAccessibleName(text(9958, "Diagramme"));
    m_hinweis->setAccessibleName(m_hinweis->objectName());
    m_lauf->uebersetzen();
}

Referenzfilter TFormPopulation::filter() const {
    Referenzfilter f;
    f.alle = m_alle->isChecked();
    for (int i = 0; i < m_status->count(); ++i)
        if (m_status->item(i)->checkState() == Qt::Checked)
            f.status << m_status->item(i)->data(Qt::UserRole).toInt();
    for (int i = 0; i < m_rasse->count(); ++i)
        if (m_rasse->item(i)->checkState() == Qt::Checked)
            f.rassen << m_rasse->item(i)->data(Qt::UserRole).toInt();
    f.geborenVon = m_von->value();
    f.geborenBis = m_bis->value();
    return f;
}

bool TFormPopulation::laeuft() const {
    return m_lauf && m_lauf->laeuft();
}

void TFormPopulation::berechnen() {
    // what an earlier run showed goes at once: a cancelled run leaves nothing behind
    zeigen(nullptr);
    const QString verzeichnis = hauptfenster().db().directory();
    const Referenzfilter f = filter();
    const QDate tag = heute();
    auto ergebnis = std::make_shared<Populationslauf>();
    auto fehler = std::make_shared<QString>();
    m_berechnen->setEnabled(false);
    m_lauf->starten(
        [verzeichnis, f, tag, ergebnis, fehler](GenetikFortschritt& fortschritt) {
            try {
                store::Database db(verzeichnis);
                *ergebnis = populationLaufen(db, f, tag, &fortschritt);
            } catch (const std::exception& e) {
                ergebnis->abgebrochen = true;
                *fehler = QString::fromUtf8(e.what());
            }
        },
        [this, ergebnis, fehler] {
            if (!ergebnis->abgebrochen)
                zeigen(ergebnis);
            else if (!fehler->isEmpty())
                Meldungsdienst::zeigen(MeldungsArt::Fehler, 0, *fehler);
        });
    connect(
        m_lauf, &TGenetikLauf::beendet, this, [this] { m_berechnen->setEnabled(true); },
        Qt::SingleShotConnection);
}

QStringList TFormPopulation::wertTexte() const {
    if (!m_ergebnis) return {};
    const Population& p = m_ergebnis->population;
    return {QString::number(p.referenz.size()),
            genetikWert(p.vielfalt),
            genetikWert(p.gruenderaequivalente),
            QString::number(p.gruender.size()),
            genetikWert(p.effektiveGruender),
            genetikWert(p.ne),
            genetikWert(p.ecgMittel)};
}

void TFormPopulation::zeigen(std::shared_ptr<const Populationslauf> lauf) {
    m_ergebnis = std::move(lauf);
    m_katzenModell->setzen(m_ergebnis);
    m_gruenderModell->setzen(m_ergebnis);
    m_diagramme->setzen(m_ergebnis);
    const QStringList werte = wertTexte();
    for (int i = 0; i < 7; ++i)
        m_werte[i]->setText(werte.value(i));
    m_hinweis->clear();
    if (m_ergebnis && !m_ergebnis->genetik->eigeneVorfahren().isEmpty()) {
        QStringList n;
        for (qint32 nr : m_ergebnis->genetik->eigeneVorfahren())
            n << QString::number(nr);
        // The loop is cut where it closes; the figures treat that parent as unknown.
        m_hinweis->setText(text(9917, "Eigener Vorfahr (Verbindung unbekannt):") + QLatin1Char(' ') +
                           n.join(QStringLiteral(", ")));
    }
    m_drucken->setEnabled(bool(m_ergebnis));
    m_pdf->setEnabled(bool(m_ergebnis));
    m_katzenGitter->resizeColumnsToContents();
    m_gruenderGitter->resizeColumnsToContents();
}

printing::Bericht TFormPopulation::bericht() const {
    printing::Listenbericht liste;
    printing::Raender r;
    liste.setSeitenformat(printing::Bericht::a4(), printing::Seitenausrichtung::Hochformat, r);
    liste.setTitel(windowTitle());
    const double breite = printing::Bericht::a4().width() - r.links - r.rechts;
    const double anteile[5] = {0.13, 0.39, 0.16, 0.16, 0.16};
    QList<printing::Spalte> spalten;
    for (int i = 0; i < 5; ++i) {
        printing::Spalte s;
        s.breite = breite * anteile[i];
        s.ausrichtung = i == 1 ? printing::HAusrichtung::Links : printing::HAusrichtung::Rechts;
        spalten << s;
    }
    liste.setSpalten(spalten);
    liste.setTextbreite(printing::schriftMessung());
    if (!m_ergebnis) return liste.erstellen();

    const QStringList werte = wertTexte();
    for (int i = 0; i < 7; ++i)
        liste.zeile({QString(), m_wertNamen[i]->text(), werte.value(i)});

    auto weitere = [&](size_t alle, int gezeigt) {
        if (alle > size_t(gezeigt))
            liste.zeile({QString(), text(9974, "… und %1 weitere").arg(qint64(alle) - gezeigt)});
    };

    liste.zeile({});
    liste.zeile({QString(), m_seiten->tabText(1)});
    liste.zeile({m_gruenderModell->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
                 m_gruenderModell->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
                 m_gruenderModell->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(),
                 m_gruenderModell->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString()});
    const int gruender = std::min(m_gruenderModell->rowCount(), kDruckGruender);
    for (int i = 0; i < gruender; ++i) {
        QList<printing::Zelle> z;
        for (int c = 0; c < 4; ++c)
            z << m_gruenderModell->data(m_gruenderModell->index(i, c), Qt::DisplayRole).toString();
        liste.zeile(z);
    }
    weitere(m_ergebnis->population.gruender.size(), gruender);

    liste.zeile({});
    liste.zeile({QString(), m_seiten->tabText(0)});
    QList<printing::Zelle> koepfe;
    for (int c = 0; c < 5; ++c)
        koepfe << m_katzenModell->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    liste.zeile(koepfe);
    const int katzen = std::min(m_katzenModell->rowCount(), kDruckKatzen);
    for (int i = 0; i < katzen; ++i) {
        QList<printing::Zelle> z;
        for (int c = 0; c < 5; ++c)
            z << m_katzenModell->data(m_katzenModell->index(i, c), Qt::DisplayRole).toString();
        liste.zeile(z);
    }
    weitere(m_ergebnis->reihe.size(), katzen);
    printing::Bericht b = liste.erstellen();
    b.setTitel(windowTitle());
    return b;
}

void populationRegistrieren() {
    fensterartRegistrieren({QLatin1String(kName), QStringLiteral("MenueVerwaltung"), 9936,
                            QStringLiteral("Genetik der &Population"),
                            [](TRahmen& h) -> TKindFenster* { return new TFormPopulation(h); }, true});
}

} // namespace velmora::genealogy
