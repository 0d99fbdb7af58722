#include "office/ui/seitebuchen.h"

#include "common/meldungsdienst.h"
#include "common/ui/feldeditoren.h"
#include "common/ui/rahmen.h"
#include "office/buchungsdruck.h"
#include "office/ui/buchfuehrung.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStackedWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace velmora::office {

namespace {

QTableWidget* gitter(const char* name, const QStringList& titel) {
    auto* g = new QTableWidget(0, int(titel.size()));
    g->setObjectName(QLatin1String(name));
    g->setHorizontalHeaderLabels(titel);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->verticalHeader()->hide();
    g->horizontalHeader()->setStretchLastSection(true);
    g->setAccessibleName(QLatin1String(name));
    return g;
}

QTableWidgetItem* zelle(const QString& text, int nummer = 0, bool rechts = false) {
    auto* i = new QTableWidgetItem(text);
    if (nummer) i->setData(Qt::UserRole, nummer);
    if (rechts) i->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return i;
}

QPushButton* knopf(const char* name, int tag, const char* text) {
    auto* k = new QPushButton(btext(tag, text));
    k->setObjectName(QLatin1String(name));
    return k;
}

} // namespace

TSeiteBuchen::TSeiteBuchen(TFormBuchfuehrung& fenster) : m_fenster(fenster) {
    setObjectName(QStringLiteral("SeiteBuchen"));
    auto* lay = new QVBoxLayout(this);
    m_stapel = new QStackedWidget;
    lay->addWidget(m_stapel);

    // The account grid.
    auto* wahl = new QWidget;
    auto* wahlLay = new QVBoxLayout(wahl);
    auto* hinweis = new QLabel(btext(8520, "Bitte Konto durch Doppelklick auswählen"));
    hinweis->setObjectName(QStringLiteral("LabelKontoWahl"));
    wahlLay->addWidget(hinweis);
    kontenGitter = gitter("GridKonten", {btext(8521, "Konto"), btext(8522, "Kontoart"), btext(8523, "Kontostand")});
    wahlLay->addWidget(kontenGitter);
    m_stapel->addWidget(wahl);
    connect(kontenGitter, &QTableWidget::cellDoubleClicked, this, [this](int zeile, int) {
        if (auto* i = kontenGitter->item(zeile, 0)) kontoWaehlen(i->data(Qt::UserRole).toInt());
    });

    // One account's bookings.
    auto* konto = new QWidget;
    auto* kontoLay = new QVBoxLayout(konto);
    auto* kopf = new QHBoxLayout;
    auto* kontoText = new QLabel(btext(8521, "Konto"));
    kontoName = new QLabel;
    kontoName->setObjectName(QStringLiteral("LabelKontoName"));
    auto* standText = new QLabel(btext(8523, "Kontostand"));
    kontostand = new QLabel;
    kontostand->setObjectName(QStringLiteral("LabelKontostand"));
    kopf->addWidget(kontoText);
    kopf->addWidget(kontoName, 1);
    kopf->addWidget(standText);
    kopf->addWidget(kontostand);
    kontoLay->addLayout(kopf);
    buchungsListe = gitter("GridBuchungen", {btext(8524, "Buchungs Nr."), btext(8525, "Datum"), btext(8526, "Kategorie"),
                                             btext(8527, "Betrag"), btext(8528, "Beschreibung")});
    kontoLay->addWidget(buchungsListe, 1);
    auto* form = new QFormLayout;
    auto feld = [&](QWidget* w, const char* name, int tag, const char* text) {
        w->setObjectName(QLatin1String(name));
        auto* l = new QLabel(btext(tag, text));
        l->setBuddy(w);
        w->setAccessibleName(l->text().remove(QLatin1Char('&')));
        return l;
    };
    datum = new QLineEdit;
    datum->setPlaceholderText(QStringLiteral("TT.MM.JJJJ"));
    kalender = new QToolButton;
    kalender->setObjectName(QStringLiteral("ButtonKalender"));
    kalender->setText(QStringLiteral("..."));
    kalender->setAccessibleName(btext(8529, "Kalender"));
    auto* datumZeile = new QHBoxLayout;
    datumZeile->addWidget(datum, 1);
    datumZeile->addWidget(kalender);
    form->addRow(feld(datum, "EditDatum", 8525, "&Datum"), datumZeile);
    betrag = new QLineEdit;
    betrag->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral(R"(-?\d*([.,]\d{0,4})?)")), betrag));
    form->addRow(feld(betrag, "EditBetrag", 8527, "&Betrag"), betrag);
    kategorie = new QComboBox;
    form->addRow(feld(kategorie, "ComboKategorie", 8526, "&Kategorie"), kategorie);
    beschreibung = new QLineEdit;
    beschreibung->setMaxLength(200);
    form->addRow(feld(beschreibung, "EditBeschreibung", 8528, "B&eschreibung"), beschreibung);
    kontoLay->addLayout(form);
    m_stapel->addWidget(konto);

    auto* leiste = new QHBoxLayout;
    neu = knopf("ButtonBuchungNeu", 8530, "Buchung neu");
    rueckgaengig = knopf("ButtonRueckgaengig", 8531, "R&ückgängig");
    loeschen = knopf("ButtonLoeschen", 8532, "L&öschen");
    kontoWahl = knopf("ButtonKontoWaehlen", 8533, "&Konto wählen");
    speichernKnopf = knopf("ButtonSpeichern", 8534, "Speichern");
    drucken = knopf("ButtonDrucken", 8535, "&Drucken");
    hilfe = knopf("ButtonHilfe", 8536, "&Hilfe");
    zurueck = knopf("ButtonZurueck", 8537, "&Zurück");
    for (QPushButton* k : {neu, rueckgaengig, loeschen, kontoWahl, speichernKnopf, drucken, hilfe, zurueck})
        leiste->addWidget(k);
    lay->addLayout(leiste);

    connect(neu, &QPushButton::clicked, this, &TSeiteBuchen::buchungNeu);
    connect(rueckgaengig, &QPushButton::clicked, this, &TSeiteBuchen::verwerfen);
    connect(speichernKnopf, &QPushButton::clicked, this, &TSeiteBuchen::speichern);
    connect(loeschen, &QPushButton::clicked, this, &TSeiteBuchen::buchungLoeschen);
    connect(kontoWahl, &QPushButton::clicked, this, &TSeiteBuchen::kontenZeigen);
    connect(hilfe, &QPushButton::clicked, this, [this] { m_fenster.hauptfenster().hilfeZeigen(60); });
    connect(zurueck, &QPushButton::clicked, &m_fenster, [this] { m_fenster.close(); });
    connect(drucken, &QPushButton::clicked, this, [this] {
        const auto k = m_fenster.buchhaltung().konto(m_konto);
        if (!k || !m_fenster.drucken) return;
        const auto& s = m_fenster.hauptfenster().einstellungen();
        m_fenster.drucken(kontoBuchungenBericht(*k, m_fenster.buchhaltung().buchungen(m_konto), s.Drucklinks, s.Druckoben));
    });
    connect(kalender, &QToolButton::clicked, this, [this] {
        QDialog d(this);
        d.setObjectName(QStringLiteral("KalenderDlg"));
        auto* c = new QCalendarWidget(&d);
        c->setObjectName(QStringLiteral("Kalender"));
        const QDate jetzt = DbDatum::lesen(datum->text());
        c->setSelectedDate(jetzt.isValid() ? jetzt : QDate::currentDate());
        (new QVBoxLayout(&d))->addWidget(c);
        connect(c, &QCalendarWidget::activated, &d, &QDialog::accept);
        if (d.exec() == QDialog::Accepted) datum->setText(DbDatum::text(c->selectedDate()));
    });
    eingabeZustand(false);
    m_stapel->setCurrentIndex(0);
}

void TSeiteBuchen::neuLaden() {
    Buchhaltung& b = m_fenster.buchhaltung();
    const QList<Konto> konten = b.konten();
    kontenGitter->setRowCount(int(konten.size()));
    for (int r = 0; r < konten.size(); ++r) {
        const Konto& k = konten[r];
        kontenGitter->setItem(r, 0, zelle(k.name, k.nummer));
        kontenGitter->setItem(r, 1, zelle(k.art == kontoart::Kasse ? btext(8538, "Bargeld / Kasse") : btext(8539, "Bankkonto")));
        kontenGitter->setItem(r, 2, zelle(waehrungsText(k.kontostand), 0, true));
    }
    if (m_konto && !b.konto(m_konto)) m_konto = 0;
    if (m_konto) buchungenLaden();
}

void TSeiteBuchen::buchungenLaden() {
    Buchhaltung& b = m_fenster.buchhaltung();
    const auto k = b.konto(m_konto);
    if (!k) return;
    kontoName->setText(k->name);
    kontostand->setText(waehrungsText(k->kontostand));
    QList<Buchung> liste = b.buchungen(m_konto);
    buchungsListe->setRowCount(int(liste.size()));
    for (int r = 0; r < liste.size(); ++r) {
        const Buchung& x = liste[r];
        buchungsListe->setItem(r, 0, zelle(QString::number(x.nummer), x.nummer, true));
        buchungsListe->setItem(r, 1, zelle(DbDatum::text(x.datum)));
        buchungsListe->setItem(r, 2, zelle(x.kategorie));
        buchungsListe->setItem(r, 3, zelle(waehrungsText(x.betrag), 0, true));
        buchungsListe->setItem(r, 4, zelle(x.beschreibung));
    }
    if (!liste.isEmpty()) { // the cursor on the newest booking
        buchungsListe->setCurrentCell(int(liste.size()) - 1, 0);
        buchungsListe->scrollToBottom();
    }
    // The categories and every other account, as the drop-down offers them.
    const QString vorher = kategorie->currentText();
    kategorie->clear();
    for (const Konto& c : b.kategorien())
        kategorie->addItem(c.name);
    for (const Konto& c : b.konten())
        if (c.nummer != m_konto) kategorie->addItem(c.name);
    kategorie->setCurrentIndex(kategorie->findText(vorher));
}

void TSeiteBuchen::kontoWaehlen(int nummer) {
    if (!m_fenster.buchhaltung().konto(nummer)) return;
    m_konto = nummer;
    buchungenLaden();
    m_stapel->setCurrentIndex(1);
    eingabeZustand(false);
}

void TSeiteBuchen::kontenZeigen() {
    if (m_neu && !speichern()) return;
    m_konto = 0;
    neuLaden();
    m_stapel->setCurrentIndex(0);
    eingabeZustand(false);
}

void TSeiteBuchen::eingabeZustand(bool offen) {
    m_neu = offen;
    const bool konto = m_konto != 0 && m_stapel->currentIndex() == 1;
    for (QWidget* w : {static_cast<QWidget*>(datum), static_cast<QWidget*>(betrag), static_cast<QWidget*>(kategorie),
                       static_cast<QWidget*>(beschreibung), static_cast<QWidget*>(kalender)})
        w->setEnabled(offen);
    neu->setEnabled(konto && !offen);
    loeschen->setEnabled(konto && !offen);
    kontoWahl->setEnabled(konto);
    drucken->setEnabled(konto && !offen);
    rueckgaengig->setEnabled(offen);
    speichernKnopf->setEnabled(offen);
    if (!offen) {
        datum->clear();
        betrag->clear();
        beschreibung->clear();
        kategorie->setCurrentIndex(-1);
    }
}

void TSeiteBuchen::buchungNeu() {
    if (!m_konto) return;
    eingabeZustand(true);
    datum->setText(DbDatum::text(QDate::currentDate()));
    datum->setFocus();
    datum->selectAll();
}

void TSeiteBuchen::verwerfen() {
    eingabeZustand(false);
    buchungenLaden();
}

bool TSeiteBuchen::speichern() {
    if (!m_neu) return true;
    const QDate tag = DbDatum::lesen(datum->text());
    const auto wert = Money::parse(betrag->text());
    const QString kat = kategorie->currentText().trimmed();
    if (!tag.isValid() || !wert || kat.isEmpty()) {
        Meldungsdienst::nachricht(3100, MeldungsArt::Fehler, Knoepfe::Ok,
                                  QStringLiteral("Bitte Datum, Betrag und Kategorie der Buchung eingeben."));
        return false;
    }
    if (!m_fenster.speichernErlaubt()) {
        verwerfen();
        return true;
    }
    try {
        Buchhaltung& b = m_fenster.buchhaltung();
        b.buchen(m_konto, tag, kat, b.gespeicherterBetrag(kat, *wert), beschreibung->text());
    } catch (const std::exception& e) {
        m_fenster.fehlerZeigen(e);
        return false;
    }
    eingabeZustand(false);
    m_fenster.geaendert();
    return true;
}

void TSeiteBuchen::buchungLoeschen() {
    const int zeile = buchungsListe->currentRow();
    if (!m_konto || buchungsListe->rowCount() == 0 || zeile < 0) return;
    const int nummer = buchungsListe->item(zeile, 0)->data(Qt::UserRole).toInt();
    if (!Meldungsdienst::ja(28)) return;
    try {
        m_fenster.buchhaltung().buchungLoeschen(nummer);
    } catch (const std::exception& e) {
        m_fenster.fehlerZeigen(e);
    }
    m_fenster.geaendert();
}

} // namespace velmora::office
