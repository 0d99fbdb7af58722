#include "office/ui/seitebuchen.h"

#include "common/meldungsdienst.h"
#include "common/ui/feldeditoren.h"
#include "common/ui/rahmen.h"
#include "office/buchungsdruck.h"
#include "office/ui/buchfuehrung.h"

#include <QAbstractTableModel>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStackedWidget>
#include <QTabBar>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>
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

// The bookings of one account as the grid shows them; a cell's text is made only when it is drawn, so a
// long account fills at once.
class TSeiteBuchen::Modell : public QAbstractTableModel {
public:
    Modell(const QList<Buchung>& liste, QObject* eltern) : QAbstractTableModel(eltern), m_liste(liste) {
        m_titel = {btext(8524, "Buchungs Nr."), btext(8525, "Datum"), btext(8526, "Kategorie"),
                   btext(8527, "Betrag"), btext(8528, "Beschreibung")};
    }
    void neu() {
        beginResetModel();
        endResetModel();
    }
    int rowCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : int(m_liste.size()); }
    int columnCount(const QModelIndex& p = {}) const override {
        return p.isValid() ? 0 : int(m_titel.size());
    }
    QVariant data(const QModelIndex& i, int rolle) const override {
        if (!i.isValid() || i.row() >= m_liste.size()) return {};
        const Buchung& x = m_liste[i.row()];
        if (rolle == Qt::TextAlignmentRole && (i.column() == 0 || i.column() == 3))
            return int(Qt::AlignRight | Qt::AlignVCenter);
        if (rolle == Qt::UserRole) return x.nummer;
        if (rolle != Qt::DisplayRole && rolle != Qt::AccessibleTextRole) return {};
        switch (i.column()) {
        case 0:
            return QString::number(x.nummer);
        case 1:
            return DbDatum::text(x.datum);
        case 2:
            return x.kategorie;
        case 3:
            return waehrungsText(x.betrag, m_locale);
        default:
            return x.beschreibung;
        }
    }
    QVariant headerData(int s, Qt::Orientation o, int rolle) const override {
        if (o == Qt::Horizontal && rolle == Qt::DisplayRole && s >= 0 && s < m_titel.size())
            return m_titel[s];
        return {};
    }

private:
    const QList<Buchung>& m_liste;
    QStringList m_titel;
    QLocale m_locale;
};

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
    kontenGitter =
        gitter("GridKonten", {btext(8521, "Konto"), btext(8522, "Kontoart"), btext(8523, "Kontostand")});
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
    // The two views of the bookings with the tab strip below them.
    m_ansichten = new QStackedWidget;
    m_ansichten->setObjectName(QStringLiteral("Ansichten"));
    auto* einzel = new QWidget;
    auto* form = new QFormLayout(einzel);
    auto feld = [&](QWidget* w, const char* name, int tag, const char* text) {
        w->setObjectName(QLatin1String(name));
        auto* l = new QLabel(btext(tag, text));
        l->setBuddy(w);
        w->setAccessibleName(l->text().remove(QLatin1Char('&')));
        return l;
    };
    nummer = new QLineEdit;
    nummer->setReadOnly(true);
    form->addRow(feld(nummer, "EditBuchungsNr", 8524, "Buchungs Nr."), nummer);
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
    betrag->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral(R"(-?\d*([.,]\d{0,4})?)")), betrag));
    form->addRow(feld(betrag, "EditBetrag", 8527, "&Betrag"), betrag);
    kategorie = new QComboBox;
    form->addRow(feld(kategorie, "ComboKategorie", 8526, "&Kategorie"), kategorie);
    beschreibung = new QLineEdit;
    beschreibung->setMaxLength(200);
    form->addRow(feld(beschreibung, "EditBeschreibung", 8528, "B&eschreibung"), beschreibung);
    // texte: feldname 8589-8594
    auto* navigator = new QHBoxLayout;
    auto pfeil = [&](QToolButton*& k, const char* name, Qt::ArrowType richtung, int tag, const char* text) {
        k = new QToolButton;
        k->setObjectName(QLatin1String(name));
        k->setArrowType(richtung);
        k->setAccessibleName(btext(tag, text));
        k->setToolTip(k->accessibleName());
        navigator->addWidget(k);
    };
    pfeil(erste, "ButtonErste", Qt::UpArrow, 8589, "Erste Buchung");
    pfeil(vorige, "ButtonVorige", Qt::LeftArrow, 8590, "Vorige Buchung");
    pfeil(naechste, "ButtonNaechste", Qt::RightArrow, 8591, "Nächste Buchung");
    pfeil(letzte, "ButtonLetzte", Qt::DownArrow, 8592, "Letzte Buchung");
    navigator->addStretch(1);
    form->addRow(navigator);
    m_ansichten->addWidget(einzel);
    buchungsListe = new QTableView;
    buchungsListe->setObjectName(QStringLiteral("GridBuchungen"));
    buchungsListe->setAccessibleName(QStringLiteral("GridBuchungen"));
    buchungsListe->setEditTriggers(QAbstractItemView::NoEditTriggers);
    buchungsListe->setSelectionBehavior(QAbstractItemView::SelectRows);
    buchungsListe->setSelectionMode(QAbstractItemView::SingleSelection);
    buchungsListe->verticalHeader()->hide();
    // Rows of one height: the view need not measure 100,000 of them.
    buchungsListe->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    buchungsListe->horizontalHeader()->setStretchLastSection(true);
    m_modell = new Modell(m_liste, this);
    buchungsListe->setModel(m_modell);
    m_ansichten->addWidget(buchungsListe);
    kontoLay->addWidget(m_ansichten, 1);
    ansicht = new QTabBar;
    ansicht->setObjectName(QStringLiteral("TabAnsicht"));
    ansicht->setAccessibleName(btext(8594, "Ansicht der Buchungen"));
    ansicht->setShape(QTabBar::RoundedSouth);
    ansicht->addTab(btext(8512, "Buchen"));
    ansicht->addTab(btext(8593, "Tabellenansicht"));
    ansicht->setCurrentIndex(1); // the grid first, as the list of an account is read
    m_ansichten->setCurrentIndex(1);
    kontoLay->addWidget(ansicht);
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
        m_fenster.drucken(
            kontoBuchungenBericht(*k, m_fenster.buchhaltung().buchungen(m_konto), s.Drucklinks, s.Druckoben));
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
        if (d.exec() == QDialog::Accepted) {
            datum->setText(DbDatum::text(c->selectedDate()));
            bearbeitet();
        }
    });
    connect(erste, &QToolButton::clicked, this, [this] { gehe(0); });
    connect(vorige, &QToolButton::clicked, this, [this] { gehe(m_zeile - 1); });
    connect(naechste, &QToolButton::clicked, this, [this] { gehe(m_zeile + 1); });
    connect(letzte, &QToolButton::clicked, this, [this] { gehe(int(m_liste.size()) - 1); });
    for (QLineEdit* e : {datum, betrag, beschreibung})
        connect(e, &QLineEdit::textEdited, this, &TSeiteBuchen::bearbeitet);
    connect(kategorie, &QComboBox::activated, this, &TSeiteBuchen::bearbeitet);
    // The grid's cursor is the current booking of both views.
    connect(buchungsListe->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& i) {
                const int zeile = i.row();
                if (!m_fuellen && zeile >= 0 && zeile < m_liste.size() && zeile != m_zeile) gehe(zeile);
            });
    // A pending booking is stored before the view changes; one that cannot be stored keeps the view.
    connect(ansicht, &QTabBar::currentChanged, this, [this](int i) {
        if (m_fuellen) return;
        if (!speichern()) {
            const QSignalBlocker sperre(ansicht);
            ansicht->setCurrentIndex(m_ansichten->currentIndex());
            return;
        }
        m_ansichten->setCurrentIndex(i);
        zeigen();
    });
    zustand();
    m_stapel->setCurrentIndex(0);
}

void TSeiteBuchen::neuLaden() {
    Buchhaltung& b = m_fenster.buchhaltung();
    const QList<Konto> konten = b.konten();
    kontenGitter->setRowCount(int(konten.size()));
    for (int r = 0; r < konten.size(); ++r) {
        const Konto& k = konten[r];
        kontenGitter->setItem(r, 0, zelle(k.name, k.nummer));
        kontenGitter->setItem(
            r, 1,
            zelle(k.art == kontoart::Kasse ? btext(8538, "Bargeld / Kasse") : btext(8539, "Bankkonto")));
        kontenGitter->setItem(r, 2, zelle(waehrungsText(k.kontostand), 0, true));
    }
    if (m_konto && !b.konto(m_konto)) m_konto = 0;
    if (m_konto) buchungenLaden();
}

int TSeiteBuchen::aktuelleBuchung() const {
    return !m_neu && m_zeile >= 0 && m_zeile < m_liste.size() ? m_liste[m_zeile].nummer : 0;
}

void TSeiteBuchen::buchungenLaden() {
    Buchhaltung& b = m_fenster.buchhaltung();
    const auto k = b.konto(m_konto);
    if (!k) return;
    kontoName->setText(k->name);
    kontostand->setText(waehrungsText(k->kontostand));
    m_liste = b.buchungen(m_konto);
    m_fuellen = true;
    m_modell->neu();
    m_fuellen = false;
    // The cursor on the booking just changed, else on the newest.
    m_zeile = int(m_liste.size()) - 1;
    for (int r = 0; m_ziel && r < m_liste.size(); ++r)
        if (m_liste[r].nummer == m_ziel) m_zeile = r;
    m_ziel = 0;
    // The categories and every other account, as the drop-down offers them.
    kategorie->clear();
    for (const Konto& c : b.kategorien())
        kategorie->addItem(c.name);
    for (const Konto& c : b.konten())
        if (c.nummer != m_konto) kategorie->addItem(c.name);
    zeigen();
}

void TSeiteBuchen::zeigen() {
    m_fuellen = true;
    const bool da = !m_neu && m_zeile >= 0 && m_zeile < m_liste.size();
    if (da) {
        const Buchung& x = m_liste[m_zeile];
        nummer->setText(QString::number(x.nummer));
        datum->setText(DbDatum::text(x.datum));
        // As typed: an expense category's minus is the window's, not the user's.
        const Money getippt = m_fenster.buchhaltung().gespeicherterBetrag(x.kategorie, x.betrag);
        const QChar komma =
            QLocale().decimalPoint() == QStringLiteral(".") ? QLatin1Char('.') : QLatin1Char(',');
        betrag->setText(getippt.toString(getippt.units() % 100 ? 4 : 2, komma));
        if (kategorie->findText(x.kategorie) < 0) kategorie->addItem(x.kategorie); // a category deleted since
        kategorie->setCurrentIndex(kategorie->findText(x.kategorie));
        beschreibung->setText(x.beschreibung);
        const QModelIndex i = m_modell->index(m_zeile, 0);
        buchungsListe->setCurrentIndex(i);
        buchungsListe->scrollTo(i);
    } else {
        for (QLineEdit* e : {nummer, datum, betrag, beschreibung})
            e->clear();
        kategorie->setCurrentIndex(-1);
    }
    m_fuellen = false;
    zustand();
}

void TSeiteBuchen::gehe(int zeile) {
    if (m_liste.isEmpty()) return;
    zeile = std::clamp(zeile, 0, int(m_liste.size()) - 1);
    const int ziel = m_liste[zeile].nummer;
    if (m_neu || m_geaendert) {
        if (!speichern()) return;
        for (int r = 0; r < m_liste.size(); ++r) // the list was read anew
            if (m_liste[r].nummer == ziel) zeile = r;
        zeile = std::clamp(zeile, 0, int(m_liste.size()) - 1);
    }
    m_zeile = zeile;
    zeigen();
}

void TSeiteBuchen::bearbeitet() {
    if (m_fuellen || m_neu || aktuelleBuchung() == 0 || m_geaendert) return;
    m_geaendert = true;
    zustand();
}

void TSeiteBuchen::kontoWaehlen(int nummer) {
    if (!m_fenster.buchhaltung().konto(nummer)) return;
    m_konto = nummer;
    m_neu = m_geaendert = false;
    m_stapel->setCurrentIndex(1);
    buchungenLaden();
}

void TSeiteBuchen::kontenZeigen() {
    if (!speichern()) return;
    m_konto = 0;
    m_liste.clear();
    m_zeile = -1;
    neuLaden();
    m_stapel->setCurrentIndex(0);
    zeigen();
}

void TSeiteBuchen::zustand() {
    const bool konto = m_konto != 0 && m_stapel->currentIndex() == 1;
    const bool offen = m_neu || m_geaendert;
    // A stored booking is shown, not edited: it is deleted and entered anew, so the fields take input
    // only while a new one is entered.
    const bool felder = konto && m_neu;
    for (QWidget* w :
         {static_cast<QWidget*>(datum), static_cast<QWidget*>(betrag), static_cast<QWidget*>(kategorie),
          static_cast<QWidget*>(beschreibung), static_cast<QWidget*>(kalender)})
        w->setEnabled(felder);
    const int n = int(m_liste.size());
    erste->setEnabled(konto && n > 0 && (m_neu || m_zeile > 0));
    vorige->setEnabled(erste->isEnabled());
    naechste->setEnabled(konto && n > 0 && (m_neu || m_zeile < n - 1));
    letzte->setEnabled(naechste->isEnabled());
    neu->setEnabled(konto && !offen);
    loeschen->setEnabled(konto && !offen && n > 0);
    kontoWahl->setEnabled(konto);
    drucken->setEnabled(konto && !offen);
    rueckgaengig->setEnabled(offen);
    speichernKnopf->setEnabled(offen);
}

void TSeiteBuchen::buchungNeu() {
    if (!m_konto) return;
    if (ansicht->currentIndex() != 0) { // a booking is entered in the single view
        const QSignalBlocker sperre(ansicht);
        ansicht->setCurrentIndex(0);
        m_ansichten->setCurrentIndex(0);
    }
    m_neu = true;
    zeigen();
    datum->setText(DbDatum::text(QDate::currentDate()));
    datum->setFocus();
    datum->selectAll();
}

void TSeiteBuchen::verwerfen() {
    m_ziel = aktuelleBuchung();
    m_neu = m_geaendert = false;
    buchungenLaden();
}

bool TSeiteBuchen::speichern() {
    if (!m_neu && !m_geaendert) return true;
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
    const int alt = aktuelleBuchung();
    try {
        Buchhaltung& b = m_fenster.buchhaltung();
        const Money gespeichert = b.gespeicherterBetrag(kat, *wert);
        if (m_neu)
            b.buchen(m_konto, tag, kat, gespeichert, beschreibung->text());
        else
            b.buchungAendern(alt, tag, kat, gespeichert, beschreibung->text());
    } catch (const std::exception& e) {
        m_fenster.fehlerZeigen(e);
        return false;
    }
    // A new booking leaves the cursor on the newest, a changed one on itself.
    m_ziel = m_neu ? 0 : alt;
    m_neu = m_geaendert = false;
    m_fenster.geaendert();
    return true;
}

void TSeiteBuchen::buchungLoeschen() {
    const int nr = aktuelleBuchung();
    if (!m_konto || nr == 0) return;
    if (!Meldungsdienst::ja(28)) return;
    try {
        m_fenster.buchhaltung().buchungLoeschen(nr);
    } catch (const std::exception& e) {
        m_fenster.fehlerZeigen(e);
    }
    m_fenster.geaendert();
}

} // namespace velmora::office
