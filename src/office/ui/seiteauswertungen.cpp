#include "office/ui/seiteauswertungen.h"

#include "common/meldungsdienst.h"
#include "common/ui/feldeditoren.h"
#include "common/ui/rahmen.h"
#include "language/sprache.h"
#include "office/buchungsdruck.h"
#include "office/ui/buchfuehrung.h"
#include "office/ui/statistikdlg.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>

namespace velmora::office {

namespace {

QTableWidget* gitter(const char* name, const QStringList& titel) {
    auto* g = new QTableWidget(0, int(titel.size()));
    g->setObjectName(QLatin1String(name));
    g->setHorizontalHeaderLabels(titel);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->verticalHeader()->hide();
    g->horizontalHeader()->setStretchLastSection(true);
    g->setAccessibleName(QLatin1String(name));
    return g;
}

void zeile(QTableWidget* g, const QStringList& texte, const QList<int>& rechts = {}) {
    const int r = g->rowCount();
    g->insertRow(r);
    for (int c = 0; c < texte.size(); ++c) {
        auto* i = new QTableWidgetItem(texte[c]);
        if (rechts.contains(c)) i->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        g->setItem(r, c, i);
    }
}

QLabel* wert(const char* name) {
    auto* l = new QLabel;
    l->setObjectName(QLatin1String(name));
    return l;
}

} // namespace

TSeiteAuswertungen::TSeiteAuswertungen(TFormBuchfuehrung& fenster) : m_fenster(fenster) {
    setObjectName(QStringLiteral("SeiteAuswertungen"));
    m_kategorieZeitraum = m_guvZeitraum = anfangsZeitraum(QDate::currentDate());
    auto* lay = new QVBoxLayout(this);
    reiter = new QTabWidget;
    reiter->setObjectName(QStringLiteral("ReiterAuswertungen"));
    lay->addWidget(reiter);

    kontostaende = gitter("GridKontostaende", {btext(8521, "Konto"), btext(8550, "Eröffnungssaldo"), btext(8551, "Eröffnung zum"),
                                               btext(8523, "Kontostand")});
    reiter->addTab(kontostaende, btext(8523, "Kontostand"));

    auto* stat = new QWidget;
    auto* statLay = new QHBoxLayout(stat);
    kategorien = new QListWidget;
    kategorien->setObjectName(QStringLiteral("ListeKategorien"));
    kategorien->setAccessibleName(btext(8526, "Kategorie"));
    statLay->addWidget(kategorien);
    auto* rechts = new QVBoxLayout;
    kategorieBuchungen = gitter("GridKategorieBuchungen", {btext(8524, "Buchungs Nr."), btext(8525, "Datum"),
                                                           btext(8521, "Konto"), btext(8527, "Betrag")});
    rechts->addWidget(kategorieBuchungen);
    auto* gesamtZeile = new QHBoxLayout;
    gesamtZeile->addWidget(new QLabel(btext(8552, "Gesamt")));
    gesamt = wert("LabelGesamt");
    gesamtZeile->addWidget(gesamt);
    rechts->addLayout(gesamtZeile);
    statLay->addLayout(rechts, 1);
    reiter->addTab(stat, btext(8553, "Statistik nach Kategorie"));
    connect(kategorien, &QListWidget::itemDoubleClicked, this, [this] { statistikBerechnen(); });
    connect(kategorien, &QListWidget::currentRowChanged, this, [this] { statistikBerechnen(); });

    auto* guvSeite = new QWidget;
    auto* guvLay = new QVBoxLayout(guvSeite);
    zeitraumText = wert("LabelZeitraum");
    guvLay->addWidget(zeitraumText);
    auto* oben = new QHBoxLayout;
    auto* links = new QVBoxLayout;
    alleKonten = new QCheckBox(btext(8554, "alle Konten"));
    alleKonten->setObjectName(QStringLiteral("CheckAlleKonten"));
    alleKonten->setChecked(true);
    links->addWidget(alleKonten);
    guvKonten = new QListWidget;
    guvKonten->setObjectName(QStringLiteral("ListeGuvKonten"));
    guvKonten->setAccessibleName(btext(8521, "Konto"));
    links->addWidget(guvKonten);
    kontoPanel = wert("LabelKontoPanel");
    kontoPanel->setWordWrap(true);
    links->addWidget(kontoPanel);
    oben->addLayout(links);
    einnahmen = gitter("GridEinnahmen", {btext(8525, "Datum"), btext(8526, "Kategorie"), btext(8527, "Betrag")});
    ausgaben = gitter("GridAusgaben", {btext(8525, "Datum"), btext(8526, "Kategorie"), btext(8527, "Betrag")});
    oben->addWidget(einnahmen, 1);
    oben->addWidget(ausgaben, 1);
    guvLay->addLayout(oben, 1);
    auto* summen = new QHBoxLayout;
    summen->addWidget(new QLabel(btext(8555, "Einnahmen gesamt")));
    einnahmenGesamt = wert("LabelEinnahmenGesamt");
    summen->addWidget(einnahmenGesamt);
    summen->addWidget(new QLabel(btext(8556, "Ausgaben gesamt")));
    ausgabenGesamt = wert("LabelAusgabenGesamt");
    summen->addWidget(ausgabenGesamt);
    summen->addWidget(new QLabel(btext(8557, "Saldo Einnahmen/Ausgaben")));
    saldo = wert("LabelSaldo");
    summen->addWidget(saldo);
    guvLay->addLayout(summen);
    auto* unten = new QHBoxLayout;
    diagramm = new QChartView;
    diagramm->setObjectName(QStringLiteral("DiagrammMonate"));
    diagramm->setAccessibleName(btext(8558, "Einnahmen und Ausgaben je Monat"));
    diagramm->setMinimumHeight(180);
    unten->addWidget(diagramm, 2);
    mwst = gitter("GridMwst", {btext(8559, "MwSt %"), btext(8560, "Art"), btext(8561, "Brutto"), btext(8562, "Netto"),
                               btext(8563, "MwSt")});
    mwst->setToolTip(language::meldung(3107, QStringLiteral("Hilfe für die Steuerberatung, keine Steuererklärung")));
    unten->addWidget(mwst, 1);
    guvLay->addLayout(unten, 1);
    reiter->addTab(guvSeite, btext(8565, "Statistik Gewinn / Verlust"));
    connect(alleKonten, &QCheckBox::toggled, this, [this] { guvBerechnen(); });
    connect(guvKonten, &QListWidget::currentRowChanged, this, [this] {
        if (!alleKonten->isChecked()) guvBerechnen();
    });

    auto* leiste = new QHBoxLayout;
    auto knopf = [&](const char* name, int tag, const char* text) {
        auto* k = new QPushButton(btext(tag, text));
        k->setObjectName(QLatin1String(name));
        leiste->addWidget(k);
        return k;
    };
    neu = knopf("ButtonNeu", 8566, "&Neu");
    drucken = knopf("ButtonDrucken", 8535, "&Drucken");
    exportKnopf = knopf("ButtonExport", 8567, "E&xport");
    zurueck = knopf("ButtonZurueck", 8537, "&Zurück");
    lay->addLayout(leiste);
    connect(neu, &QPushButton::clicked, this, [this] {
        if (zeitraumNeu()) reiter->currentIndex() == 1 ? statistikBerechnen() : guvBerechnen();
    });
    connect(zurueck, &QPushButton::clicked, &m_fenster, [this] { m_fenster.close(); });
    connect(drucken, &QPushButton::clicked, this, [this] {
        if (!m_fenster.drucken) return;
        const auto& s = m_fenster.hauptfenster().einstellungen();
        if (reiter->currentIndex() == 2 && m_guvGueltig) {
            QList<Konto> konten = m_fenster.buchhaltung().konten();
            if (const int k = guvKonto()) konten.removeIf([k](const Konto& x) { return x.nummer != k; });
            m_fenster.drucken(gewinnVerlustBericht(m_guv, m_guvZeitraum, konten, s.Drucklinks, s.Druckoben));
        } else if (reiter->currentIndex() == 1 && m_kategorieGueltig && kategorien->currentItem()) {
            const QString k = kategorien->currentItem()->text();
            m_fenster.drucken(kategorieStatistikBericht(k, m_kategorieZeitraum,
                                                        m_fenster.buchhaltung().kategorieStatistik(k, m_kategorieZeitraum),
                                                        s.Drucklinks, s.Druckoben));
        }
    });
    connect(exportKnopf, &QPushButton::clicked, this, [this] {
        if (!m_fenster.dateiWaehlen) return;
        const Zeitraum z = reiter->currentIndex() == 1 ? m_kategorieZeitraum : m_guvZeitraum;
        const QString pfad = m_fenster.dateiWaehlen(QStringLiteral("Buchungen_%1_%2.csv")
                                                        .arg(z.von.toString(QStringLiteral("yyyyMMdd")),
                                                             z.bis.toString(QStringLiteral("yyyyMMdd"))));
        if (pfad.isEmpty()) return;
        QFile f(pfad);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            f.write(buchungenCsv(m_fenster.buchhaltung(), z, reiter->currentIndex() == 2 ? guvKonto() : 0)) < 0) {
            Meldungsdienst::nachricht(3102, MeldungsArt::Fehler, Knoepfe::Ok,
                                      QStringLiteral("Die Datei kann nicht geschrieben werden: ") + pfad);
            return;
        }
    });
    connect(reiter, &QTabWidget::currentChanged, this, &TSeiteAuswertungen::reiterGewechselt);
    reiterGewechselt(0);
}

int TSeiteAuswertungen::guvKonto() const {
    if (alleKonten->isChecked() || !guvKonten->currentItem()) return 0;
    return guvKonten->currentItem()->data(Qt::UserRole).toInt();
}

void TSeiteAuswertungen::reiterGewechselt(int index) {
    drucken->setEnabled(index != 0);
    neu->setEnabled(index != 0);
    exportKnopf->setEnabled(index != 0);
    if (index == m_reiter) return;
    m_reiter = index;
    // Choosing a statistic asks for its period.
    if (index == 1 || index == 2) {
        if (zeitraumNeu()) index == 1 ? statistikBerechnen() : guvBerechnen();
    }
}

bool TSeiteAuswertungen::zeitraumNeu() {
    const bool kategorie = reiter->currentIndex() == 1;
    Zeitraum& z = kategorie ? m_kategorieZeitraum : m_guvZeitraum;
    const auto neu = zeitraumErfragen(z, this, [this] { m_fenster.hauptfenster().hilfeZeigen(60); });
    if (!neu) return false;
    z = *neu;
    (kategorie ? m_kategorieGueltig : m_guvGueltig) = true;
    return true;
}

void TSeiteAuswertungen::neuLaden() {
    Buchhaltung& b = m_fenster.buchhaltung();
    const QList<Konto> konten = b.konten();
    kontostaende->setRowCount(0);
    for (const Konto& k : konten)
        zeile(kontostaende, {k.name, waehrungsText(k.eroeffnungssaldo), DbDatum::text(k.zum), waehrungsText(k.kontostand)}, {1, 3});
    const QString kat = kategorien->currentItem() ? kategorien->currentItem()->text() : QString();
    {
        const QSignalBlocker sperre(kategorien);
        kategorien->clear();
        for (const Konto& k : b.kategorien())
            kategorien->addItem(k.name);
        const auto treffer = kategorien->findItems(kat, Qt::MatchExactly);
        if (!treffer.isEmpty()) kategorien->setCurrentItem(treffer.first());
    }
    const int konto = guvKonten->currentItem() ? guvKonten->currentItem()->data(Qt::UserRole).toInt() : 0;
    {
        const QSignalBlocker sperre(guvKonten);
        guvKonten->clear();
        for (const Konto& k : konten) {
            auto* i = new QListWidgetItem(k.name, guvKonten);
            i->setData(Qt::UserRole, k.nummer);
            if (k.nummer == konto) guvKonten->setCurrentItem(i);
        }
    }
    if (m_kategorieGueltig) statistikBerechnen();
    if (m_guvGueltig) guvBerechnen();
}

void TSeiteAuswertungen::statistikBerechnen() {
    kategorieBuchungen->setRowCount(0);
    gesamt->clear();
    if (!m_kategorieGueltig || !kategorien->currentItem()) return;
    const KategorieStatistik s = m_fenster.buchhaltung().kategorieStatistik(kategorien->currentItem()->text(), m_kategorieZeitraum);
    for (const KategorieZeile& r : s.zeilen)
        zeile(kategorieBuchungen, {QString::number(r.nummer), DbDatum::text(r.datum), r.konto, waehrungsText(r.betrag)}, {0, 3});
    gesamt->setText(waehrungsText(s.gesamt));
}

void TSeiteAuswertungen::guvBerechnenFuer(const Zeitraum& z) {
    m_guvZeitraum = z;
    m_guvGueltig = true;
    guvBerechnen();
}

void TSeiteAuswertungen::guvBerechnen() {
    einnahmen->setRowCount(0);
    ausgaben->setRowCount(0);
    mwst->setRowCount(0);
    kontoPanel->clear();
    if (!m_guvGueltig) return;
    Buchhaltung& b = m_fenster.buchhaltung();
    const int konto = guvKonto();
    if (!alleKonten->isChecked() && !konto) { // one account, but none chosen yet
        m_guv = {};
        diagrammZeichnen();
        return;
    }
    zeitraumText->setText(office::zeitraumText(m_guvZeitraum));
    m_guv = b.gewinnUndVerlust(m_guvZeitraum, konto);
    for (const GuvZeile& r : m_guv.einnahmen)
        zeile(einnahmen, {DbDatum::text(r.datum), r.kategorie, waehrungsText(r.betrag)}, {2});
    for (const GuvZeile& r : m_guv.ausgaben)
        zeile(ausgaben, {DbDatum::text(r.datum), r.kategorie, waehrungsText(-r.betrag)}, {2});
    einnahmenGesamt->setText(waehrungsText(m_guv.einnahmenGesamt));
    ausgabenGesamt->setText(waehrungsText(m_guv.ausgabenGesamt));
    saldo->setText(waehrungsText(m_guv.saldo()));
    if (konto) {
        if (const auto k = b.konto(konto))
            kontoPanel->setText(btext(8550, "Eröffnungssaldo") + QLatin1Char(' ') + DbDatum::text(k->zum) + QStringLiteral(": ") +
                                waehrungsText(k->eroeffnungssaldo) + QLatin1Char('\n') + btext(8523, "Kontostand") +
                                QLatin1Char(' ') + DbDatum::text(QDate::currentDate()) + QStringLiteral(": ") +
                                waehrungsText(k->kontostand));
    }
    for (const MwstZeile& m : b.mwstUebersicht(m_guvZeitraum, konto))
        zeile(mwst, {QString::number(m.prozent), m.einnahmen ? btext(8568, "Einnahmen") : btext(8569, "Ausgaben"),
                     waehrungsText(m.brutto), waehrungsText(m.netto), waehrungsText(m.steuer)},
              {0, 2, 3, 4});
    diagrammZeichnen();
}

void TSeiteAuswertungen::diagrammZeichnen() {
    auto* chart = new QChart;
    chart->setTitle(btext(8558, "Einnahmen und Ausgaben je Monat"));
    auto* ein = new QBarSet(btext(8568, "Einnahmen"));
    auto* aus = new QBarSet(btext(8569, "Ausgaben"));
    ein->setColor(QColor(0, 128, 0));
    aus->setColor(QColor(192, 0, 0));
    QStringList monate;
    double groesste = 0;
    for (const Monatssumme& m : m_guv.monate) {
        *ein << m.einnahmen.rounded(2).toDouble();
        *aus << m.ausgaben.rounded(2).toDouble();
        groesste = std::max({groesste, m.einnahmen.toDouble(), m.ausgaben.toDouble()});
        monate << QStringLiteral("%1/%2").arg(m.monat, 2, 10, QLatin1Char('0')).arg(m.jahr);
    }
    auto* reihe = new QBarSeries;
    reihe->append(ein);
    reihe->append(aus);
    chart->addSeries(reihe);
    auto* x = new QBarCategoryAxis;
    x->append(monate);
    chart->addAxis(x, Qt::AlignBottom);
    reihe->attachAxis(x);
    auto* y = new QValueAxis;
    y->setRange(0, groesste > 0 ? groesste * 1.1 : 1);
    chart->addAxis(y, Qt::AlignLeft);
    reihe->attachAxis(y);
    QChart* alt = diagramm->chart();
    diagramm->setChart(chart);
    delete alt;
}

} // namespace velmora::office
