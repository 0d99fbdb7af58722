#include "office/ui/seitekonten.h"

#include "common/meldungsdienst.h"
#include "common/ui/feldeditoren.h"
#include "common/ui/rahmen.h"
#include "office/buchungsdruck.h"
#include "office/ui/buchfuehrung.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <climits>

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

QPushButton* knopf(const char* name, int tag, const char* text) {
    auto* k = new QPushButton(btext(tag, text));
    k->setObjectName(QLatin1String(name));
    return k;
}

QLabel* beschriften(QWidget* w, const char* name, int tag, const char* text) {
    w->setObjectName(QLatin1String(name));
    auto* l = new QLabel(btext(tag, text));
    l->setBuddy(w);
    w->setAccessibleName(l->text().remove(QLatin1Char('&')));
    return l;
}

int nummerIn(QTableWidget* g) {
    const int r = g->currentRow();
    return r >= 0 && g->item(r, 0) ? g->item(r, 0)->data(Qt::UserRole).toInt() : 0;
}

// An account or a category, new or changed; false when the books refused it (the message is shown).
bool ablegen(TFormBuchfuehrung& f, const Konto& k, bool neu, int& nummer) {
    try {
        if (neu)
            nummer = f.buchhaltung().anlegen(k);
        else
            f.buchhaltung().aendern(k);
    } catch (const std::exception& e) {
        f.fehlerZeigen(e);
        return false;
    }
    return true;
}

// The account or category current in the grid, deleted after message 28; false when nothing was asked
// or the answer was No.
bool loeschenNachFrage(TFormBuchfuehrung& f, QTableWidget* g) {
    const int nr = nummerIn(g);
    if (!nr || !Meldungsdienst::ja(28)) return false;
    try {
        f.buchhaltung().loeschen(nr);
    } catch (const std::exception& e) {
        f.fehlerZeigen(e);
    }
    return true;
}

} // namespace

TSeiteKonten::TSeiteKonten(TFormBuchfuehrung& fenster) : m_fenster(fenster) {
    setObjectName(QStringLiteral("SeiteKonten"));
    auto* lay = new QVBoxLayout(this);
    reiter = new QTabWidget;
    reiter->setObjectName(QStringLiteral("ReiterKonten"));
    lay->addWidget(reiter);

    // Accounts.
    auto* kontoSeite = new QWidget;
    auto* kontoLay = new QHBoxLayout(kontoSeite);
    konten = gitter("GridKontenliste", {btext(8521, "Konto"), btext(8522, "Kontoart"), btext(8523, "Kontostand")});
    kontoLay->addWidget(konten, 1);
    auto* editor = new QVBoxLayout;
    kontoart = new QGroupBox(btext(8522, "Kontoart"));
    kontoart->setObjectName(QStringLiteral("GroupKontoart"));
    auto* artLay = new QHBoxLayout(kontoart);
    artBank = knopf("ButtonBankkonto", 8539, "Bankkonto");
    artKasse = knopf("ButtonKasse", 8538, "Bargeld / Kasse");
    artLay->addWidget(artBank);
    artLay->addWidget(artKasse);
    editor->addWidget(kontoart);
    auto* form = new QFormLayout;
    kontoname = new QLineEdit;
    kontoname->setMaxLength(30);
    form->addRow(beschriften(kontoname, "EditKontoname", 8570, "Kontoname"), kontoname);
    kontonummer = new QLineEdit;
    kontonummer->setValidator(new QIntValidator(0, INT_MAX, kontonummer));
    kontonummerText = beschriften(kontonummer, "EditKontonummer", 8571, "Kontonummer");
    form->addRow(kontonummerText, kontonummer);
    bankleitzahl = new QLineEdit;
    bankleitzahl->setValidator(new QIntValidator(0, INT_MAX, bankleitzahl));
    bankleitzahlText = beschriften(bankleitzahl, "EditBankleitzahl", 8572, "Bankleitzahl");
    form->addRow(bankleitzahlText, bankleitzahl);
    bankname = new QLineEdit;
    bankname->setMaxLength(30);
    banknameText = beschriften(bankname, "EditBankname", 8573, "Bankname");
    form->addRow(banknameText, bankname);
    eroeffnungssaldo = new QLineEdit;
    eroeffnungssaldo->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral(R"(-?\d*([.,]\d{0,4})?)")), eroeffnungssaldo));
    form->addRow(beschriften(eroeffnungssaldo, "EditEroeffnungssaldo", 8550, "Eröffnungssaldo"), eroeffnungssaldo);
    eroeffnungZum = new QLineEdit;
    eroeffnungZum->setPlaceholderText(QStringLiteral("TT.MM.JJJJ"));
    form->addRow(beschriften(eroeffnungZum, "EditEroeffnungZum", 8551, "Eröffnung zum"), eroeffnungZum);
    editor->addLayout(form);
    auto* kontoKnoepfe = new QHBoxLayout;
    kontoSpeichern = knopf("ButtonKontoSpeichern", 8534, "Speichern");
    kontoRueckgaengig = knopf("ButtonKontoRueckgaengig", 8574, "Rückgängig");
    kontoLoeschen = knopf("ButtonKontoLoeschen", 8532, "L&öschen");
    for (QPushButton* k : {kontoSpeichern, kontoRueckgaengig, kontoLoeschen})
        kontoKnoepfe->addWidget(k);
    editor->addLayout(kontoKnoepfe);
    editor->addStretch();
    kontoLay->addLayout(editor);
    reiter->addTab(kontoSeite, btext(8575, "Konten"));

    // Categories and VAT rates.
    auto* katSeite = new QWidget;
    auto* katLay = new QHBoxLayout(katSeite);
    auto* katLinks = new QVBoxLayout;
    kategorien = gitter("GridKategorien", {btext(8526, "Kategorie"), btext(8559, "MwSt %"), btext(8576, "Einnahme / Ausgabe")});
    katLinks->addWidget(kategorien, 1);
    auto* katForm = new QFormLayout;
    kategorieName = new QLineEdit;
    kategorieName->setMaxLength(30);
    katForm->addRow(beschriften(kategorieName, "EditKategorieName", 8526, "Kategorie"), kategorieName);
    kategorieMwst = new QComboBox;
    katForm->addRow(beschriften(kategorieMwst, "ComboMwst", 8559, "MwSt %"), kategorieMwst);
    einAus = new QComboBox;
    einAus->addItems({QString(), kEinnahme, kAusgabe});
    katForm->addRow(beschriften(einAus, "ComboEinAus", 8576, "Einnahme / Ausgabe"), einAus);
    katLinks->addLayout(katForm);
    auto* katKnoepfe = new QHBoxLayout;
    kategorieNeu = knopf("ButtonKategorieNeu", 8577, "Neue Kategorie");
    kategorieSpeichern = knopf("ButtonKategorieSpeichern", 8534, "Speichern");
    kategorieLoeschen = knopf("ButtonKategorieLoeschen", 8532, "L&öschen");
    for (QPushButton* k : {kategorieNeu, kategorieSpeichern, kategorieLoeschen})
        katKnoepfe->addWidget(k);
    katLinks->addLayout(katKnoepfe);
    katLay->addLayout(katLinks, 2);
    auto* mwstBox = new QGroupBox(btext(8578, "MwSt - Tabelle"));
    auto* mwstLay = new QVBoxLayout(mwstBox);
    saetze = gitter("GridMwstSaetze", {btext(8559, "MwSt %")});
    mwstLay->addWidget(saetze);
    satzProzent = new QLineEdit;
    satzProzent->setValidator(new QIntValidator(0, 100, satzProzent));
    auto* satzZeile = new QHBoxLayout;
    satzZeile->addWidget(beschriften(satzProzent, "EditSatzProzent", 8559, "MwSt %"));
    satzZeile->addWidget(satzProzent);
    satzHinzufuegen = knopf("ButtonSatzHinzufuegen", 8579, "H&inzufügen");
    satzZeile->addWidget(satzHinzufuegen);
    mwstLay->addLayout(satzZeile);
    katLay->addWidget(mwstBox, 1);
    reiter->addTab(katSeite, btext(8580, "Kategorie / MwSt-Tabelle"));

    auto* leiste = new QHBoxLayout;
    neuesKontoKnopf = knopf("ButtonNeuesKonto", 8581, "&NeuesKonto");
    hilfe = knopf("ButtonHilfe", 8536, "&Hilfe");
    zurueck = knopf("ButtonZurueck", 8537, "&Zurück");
    for (QPushButton* k : {neuesKontoKnopf, hilfe, zurueck})
        leiste->addWidget(k);
    lay->addLayout(leiste);

    auto kontoEdit = [this] {
        if (!m_laden) m_kontoGeaendert = true;
    };
    for (QLineEdit* e : {kontoname, kontonummer, bankleitzahl, bankname, eroeffnungssaldo, eroeffnungZum})
        connect(e, &QLineEdit::textEdited, this, kontoEdit);
    auto katEdit = [this] {
        if (!m_laden) m_kategorieGeaendert = true;
    };
    connect(kategorieName, &QLineEdit::textEdited, this, katEdit);
    connect(kategorieMwst, &QComboBox::activated, this, katEdit);
    connect(einAus, &QComboBox::activated, this, katEdit);

    connect(neuesKontoKnopf, &QPushButton::clicked, this, [this] {
        if (!speichern()) return;
        reiter->setCurrentIndex(0);
        kontoart->setVisible(true);
    });
    connect(artBank, &QPushButton::clicked, this, [this] { neuesKonto(kontoart::Bank); });
    connect(artKasse, &QPushButton::clicked, this, [this] { neuesKonto(kontoart::Kasse); });
    connect(kontoSpeichern, &QPushButton::clicked, this, [this] { kontoSpeichernJetzt(); });
    connect(kontoRueckgaengig, &QPushButton::clicked, this, [this] {
        m_kontoGeaendert = false;
        m_neuArt = 0;
        kontoZeigen(m_konto);
    });
    connect(kontoLoeschen, &QPushButton::clicked, this, [this] {
        if (!loeschenNachFrage(m_fenster, konten)) return;
        m_kontoGeaendert = false;
        m_konto = 0;
        m_fenster.geaendert();
    });
    connect(konten, &QTableWidget::currentCellChanged, this, [this](int zeile, int, int vorher, int) {
        if (m_laden || zeile == vorher) return;
        if ((m_kontoGeaendert || m_neuArt) && !kontoSpeichernJetzt()) return;
        kontoZeigen(nummerIn(konten));
    });
    connect(kategorien, &QTableWidget::currentCellChanged, this, [this](int zeile, int, int vorher, int) {
        if (m_laden || zeile == vorher) return;
        if (m_kategorieGeaendert && !kategorieSpeichernJetzt()) return;
        m_neueKategorie = false;
        kategorieZeigen(nummerIn(kategorien));
    });
    connect(kategorieNeu, &QPushButton::clicked, this, [this] {
        if (m_kategorieGeaendert && !kategorieSpeichernJetzt()) return;
        m_neueKategorie = true;
        kategorieZeigen(0);
        kategorieName->setFocus();
    });
    connect(kategorieSpeichern, &QPushButton::clicked, this, [this] { kategorieSpeichernJetzt(); });
    connect(kategorieLoeschen, &QPushButton::clicked, this, [this] {
        if (!loeschenNachFrage(m_fenster, kategorien)) return;
        m_kategorieGeaendert = false;
        m_fenster.geaendert();
    });
    connect(satzHinzufuegen, &QPushButton::clicked, this, [this] {
        bool ok = false;
        const int p = satzProzent->text().toInt(&ok);
        if (!ok || p < 0 || p > 100) {
            Meldungsdienst::nachricht(3103, MeldungsArt::Fehler, Knoepfe::Ok,
                                      QStringLiteral("Ein Steuersatz ist eine ganze Zahl von 0 bis 100."));
            return;
        }
        try {
            m_fenster.buchhaltung().mwstSatzAnlegen(p);
        } catch (const std::exception& e) {
            m_fenster.fehlerZeigen(e);
        }
        satzProzent->clear();
        m_fenster.geaendert();
    });
    connect(hilfe, &QPushButton::clicked, this, [this] { m_fenster.hauptfenster().hilfeZeigen(60); });
    connect(zurueck, &QPushButton::clicked, &m_fenster, [this] { m_fenster.close(); });
    kontoart->setVisible(false);
}

void TSeiteKonten::neuLaden() {
    Buchhaltung& b = m_fenster.buchhaltung();
    m_laden = true;
    const QList<Konto> liste = b.konten();
    konten->setRowCount(int(liste.size()));
    int zeile = -1;
    for (int r = 0; r < liste.size(); ++r) {
        const Konto& k = liste[r];
        auto* i = new QTableWidgetItem(k.name);
        i->setData(Qt::UserRole, k.nummer);
        konten->setItem(r, 0, i);
        konten->setItem(r, 1, new QTableWidgetItem(k.art == kontoart::Kasse ? btext(8538, "Bargeld / Kasse") : btext(8539, "Bankkonto")));
        konten->setItem(r, 2, new QTableWidgetItem(waehrungsText(k.kontostand)));
        if (k.nummer == m_konto) zeile = r;
    }
    konten->setCurrentCell(zeile, 0);
    const QList<Buchhaltung::Satz> saetzeListe = b.mwstSaetze();
    QHash<int, int> prozent;
    saetze->setRowCount(int(saetzeListe.size()));
    kategorieMwst->clear();
    kategorieMwst->addItem(QString(), 0);
    for (int r = 0; r < saetzeListe.size(); ++r) {
        prozent.insert(saetzeListe[r].nummer, saetzeListe[r].prozent);
        auto* i = new QTableWidgetItem(QString::number(saetzeListe[r].prozent));
        i->setData(Qt::UserRole, saetzeListe[r].nummer);
        saetze->setItem(r, 0, i);
        kategorieMwst->addItem(QString::number(saetzeListe[r].prozent), saetzeListe[r].nummer);
    }
    const QList<Konto> kats = b.kategorien();
    kategorien->setRowCount(int(kats.size()));
    zeile = -1;
    for (int r = 0; r < kats.size(); ++r) {
        const Konto& k = kats[r];
        auto* i = new QTableWidgetItem(k.name);
        i->setData(Qt::UserRole, k.nummer);
        kategorien->setItem(r, 0, i);
        kategorien->setItem(r, 1, new QTableWidgetItem(k.mwst ? QString::number(prozent.value(k.mwst)) : QString()));
        kategorien->setItem(r, 2, new QTableWidgetItem(k.einAus));
        if (k.nummer == m_kategorie) zeile = r;
    }
    kategorien->setCurrentCell(zeile, 0);
    m_laden = false;
    if (!m_kontoGeaendert && !m_neuArt) kontoZeigen(m_konto);
    if (!m_kategorieGeaendert) kategorieZeigen(m_neueKategorie ? 0 : m_kategorie);
    // Without any account the editor starts with the choice of the kind.
    if (liste.isEmpty() && !m_neuArt) kontoart->setVisible(true);
}

void TSeiteKonten::kontoZeigen(int nummer) {
    m_laden = true;
    const auto k = nummer ? m_fenster.buchhaltung().konto(nummer) : std::nullopt;
    m_konto = k ? nummer : 0;
    const int art = k ? k->art : (m_neuArt ? m_neuArt : kontoart::Bank);
    kontoname->setText(k ? k->name : QString());
    kontonummer->setText(k && k->kontonummer ? QString::number(k->kontonummer) : QString());
    bankleitzahl->setText(k && k->bankleitzahl ? QString::number(k->bankleitzahl) : QString());
    bankname->setText(k ? k->bankname : QString());
    eroeffnungssaldo->setText(k ? k->eroeffnungssaldo.toString(2, QLocale().decimalPoint().at(0)) : QString());
    eroeffnungZum->setText(k ? DbDatum::text(k->zum) : QString());
    // The cash editor has no bank fields.
    for (QWidget* w : {static_cast<QWidget*>(kontonummer), static_cast<QWidget*>(bankleitzahl), static_cast<QWidget*>(bankname),
                       static_cast<QWidget*>(kontonummerText), static_cast<QWidget*>(bankleitzahlText),
                       static_cast<QWidget*>(banknameText)})
        w->setVisible(art != kontoart::Kasse);
    const bool aktiv = k.has_value() || m_neuArt;
    for (QWidget* w : {kontoname, kontonummer, bankleitzahl, bankname, eroeffnungssaldo, eroeffnungZum})
        w->setEnabled(aktiv);
    kontoLoeschen->setEnabled(k.has_value());
    m_laden = false;
}

void TSeiteKonten::neuesKonto(int art) {
    m_neuArt = art;
    kontoart->setVisible(false);
    {
        const QSignalBlocker sperre(konten);
        konten->setCurrentCell(-1, 0);
    }
    kontoZeigen(0);
    eroeffnungZum->setText(DbDatum::text(QDate::currentDate()));
    m_kontoGeaendert = true;
    kontoname->setFocus();
}

bool TSeiteKonten::kontoSpeichernJetzt() {
    if (!m_kontoGeaendert && !m_neuArt) return true;
    const auto saldo = eroeffnungssaldo->text().trimmed().isEmpty() ? std::optional<Money>(Money())
                                                                     : Money::parse(eroeffnungssaldo->text());
    const QDate zum = DbDatum::lesen(eroeffnungZum->text());
    if (kontoname->text().trimmed().isEmpty() || !saldo || (!eroeffnungZum->text().trimmed().isEmpty() && !zum.isValid())) {
        Meldungsdienst::nachricht(3104, MeldungsArt::Fehler, Knoepfe::Ok,
                                  QStringLiteral("Ein Konto braucht Namen und Eröffnungssaldo; das Datum als TT.MM.JJJJ."));
        return false;
    }
    if (!m_fenster.speichernErlaubt()) { // No cancels the edit
        m_kontoGeaendert = false;
        m_neuArt = 0;
        kontoZeigen(m_konto);
        return true;
    }
    Buchhaltung& b = m_fenster.buchhaltung();
    Konto k = m_neuArt ? Konto{} : b.konto(m_konto).value_or(Konto{});
    if (m_neuArt) k.art = m_neuArt;
    k.name = kontoname->text().trimmed();
    k.kontonummer = kontonummer->text().toInt();
    k.bankleitzahl = bankleitzahl->text().toInt();
    k.bankname = bankname->text().trimmed();
    k.eroeffnungssaldo = *saldo;
    k.zum = zum;
    if (!ablegen(m_fenster, k, m_neuArt != 0, m_konto)) return false;
    m_kontoGeaendert = false;
    m_neuArt = 0;
    m_fenster.geaendert();
    return true;
}

void TSeiteKonten::kategorieZeigen(int nummer) {
    m_laden = true;
    const auto k = nummer ? m_fenster.buchhaltung().konto(nummer) : std::nullopt;
    m_kategorie = k ? nummer : 0;
    kategorieName->setText(k ? k->name : QString());
    kategorieMwst->setCurrentIndex(std::max(0, kategorieMwst->findData(k ? k->mwst : 0)));
    einAus->setCurrentIndex(std::max(0, einAus->findText(k ? k->einAus : QString())));
    const bool aktiv = k.has_value() || m_neueKategorie;
    for (QWidget* w : {static_cast<QWidget*>(kategorieName), static_cast<QWidget*>(kategorieMwst), static_cast<QWidget*>(einAus)})
        w->setEnabled(aktiv);
    kategorieLoeschen->setEnabled(k.has_value());
    m_laden = false;
}

bool TSeiteKonten::kategorieSpeichernJetzt() {
    if (!m_kategorieGeaendert) return true;
    if (kategorieName->text().trimmed().isEmpty()) {
        Meldungsdienst::nachricht(3105, MeldungsArt::Fehler, Knoepfe::Ok, QStringLiteral("Eine Kategorie braucht einen Namen."));
        return false;
    }
    if (!m_fenster.speichernErlaubt()) {
        m_kategorieGeaendert = false;
        m_neueKategorie = false;
        kategorieZeigen(m_kategorie);
        return true;
    }
    Buchhaltung& b = m_fenster.buchhaltung();
    Konto k = m_neueKategorie ? Konto{} : b.konto(m_kategorie).value_or(Konto{});
    k.art = kontoart::Kategorie;
    k.name = kategorieName->text().trimmed();
    k.mwst = kategorieMwst->currentData().toInt();
    k.einAus = einAus->currentText();
    if (!ablegen(m_fenster, k, m_neueKategorie, m_kategorie)) return false;
    m_kategorieGeaendert = false;
    m_neueKategorie = false;
    m_fenster.geaendert();
    return true;
}

bool TSeiteKonten::speichern() {
    return kontoSpeichernJetzt() && kategorieSpeichernJetzt();
}

} // namespace velmora::office
