#include "register/ui/listeneditoren.h"

#include "common/ui/rahmen.h"
#include "common/meldungsdienst.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "register/ui/referenzlisten.h"

#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace velmora::reg {

QString spaltenText(const QString& beschriftung, const QString& vorgabe) {
    QString t = beschriftung.isEmpty() ? vorgabe : beschriftung;
    language::AmpersandEntfernen(t);
    return t;
}

// ---------------------------------------------------------------- common form

TReferenzEditor::TReferenzEditor(TRahmen& h, const QString& fensterName, int tag,
                                 const QString& tabelle, const QString& index, bool mitSeiten)
    : TListenFenster(h, fensterName, tag, tabelle, index), m_tabelle(tabelle), m_mitSeiten(mitSeiten) {}

QLineEdit* TReferenzEditor::feldEdit(const QString& feld) const {
    for (const auto& [name, edit] : m_edits)
        if (name.compare(feld, Qt::CaseInsensitive) == 0) return edit;
    return nullptr;
}

QLineEdit* TReferenzEditor::formFeld(QFormLayout* form, int tag, const QString& text, const QString& feld) {
    auto* label = new QLabel(text);
    language::setTag(label, tag);
    auto* edit = new QLineEdit;
    edit->setObjectName(QStringLiteral("DBEdit") + feld);
    label->setBuddy(edit);
    form->addRow(label, edit);
    feldBinden(edit, feld);
    m_edits.append({feld, edit});
    return edit;
}

void TReferenzEditor::aufbauen(QVBoxLayout* inhalt) {
    m_formSeite = new QWidget;
    auto* form = new QFormLayout(m_formSeite);
    formAufbauen(form);
    if (m_mitSeiten) {
        m_seiten = new QTabWidget(this);
        m_seiten->setObjectName(QStringLiteral("TabbedNotebook"));
        language::setTag(m_seiten, 8620);
        m_seiten->addTab(m_formSeite, QStringLiteral("&Felder"));
        auto* tabelleSeite = new QWidget;
        auto* l = new QVBoxLayout(tabelleSeite);
        l->addWidget(gitter());
        m_seiten->addTab(tabelleSeite, QStringLiteral("&Tabelle"));
        inhalt->addWidget(m_seiten);
    } else {
        inhalt->addWidget(gitter(), 1);
        inhalt->addWidget(m_formSeite);
    }
}

QWidget* TReferenzEditor::erstesFeld() {
    // The first field of the page shown; on the grid page the grid.
    if (m_seiten && m_seiten->currentWidget() != m_formSeite) return gitter();
    return m_edits.isEmpty() ? static_cast<QWidget*>(gitter()) : m_edits.first().second;
}

void TReferenzEditor::uebersetzt() {
    const auto s = spalten();
    for (int i = 0; i < s.size(); ++i)
        modell()->setSpaltenTitel(i, s[i].titel);
}

void TReferenzEditor::nachSchliessen() {
    emit referenzhinweise(hauptfenster()).listeGeaendert(m_tabelle);
}

// ---------------------------------------------------------------- breeds

TFormRassen::TFormRassen(TRahmen& h)
    : TReferenzEditor(h, QStringLiteral("FormRassen"), 8600, QStringLiteral("rasse"),
                      QStringLiteral("RasseName"), true) {
    setWindowTitle(QStringLiteral("Rassen"));
}

QList<TabellenModell::Spalte> TFormRassen::spalten() {
    return {{QStringLiteral("RName"), spaltenText(language::feldName(8630), QStringLiteral("Rasse"))},
            {QStringLiteral("RKurzname"), spaltenText(language::feldName(8631), QStringLiteral("Kurzname"))},
            {QStringLiteral("RNameEng"), spaltenText(language::feldName(8632), QStringLiteral("Englisch"))}};
}

void TFormRassen::formAufbauen(QFormLayout* form) {
    // The coat length, ear and hair choices stay hidden: only the names are kept here.
    formFeld(form, 8630, QStringLiteral("&Rasse"), QStringLiteral("RName"));
    formFeld(form, 8631, QStringLiteral("Kurzname"), QStringLiteral("RKurzname"));
    formFeld(form, 8632, QStringLiteral("Englisch"), QStringLiteral("RNameEng"));
}

// ---------------------------------------------------------------- colours

TFormFarben::TFormFarben(TRahmen& h)
    : TReferenzEditor(h, QStringLiteral("FormFarben"), 8601, QStringLiteral("farbe"),
                      QStringLiteral("FarbnameIndex"), false) {
    setWindowTitle(QStringLiteral("Farbe"));
}

QList<TabellenModell::Spalte> TFormFarben::spalten() {
    return {
        {QStringLiteral("Farbname"), spaltenText(language::feldName(8633), QStringLiteral("Farbname"))},
        {QStringLiteral("Farbnummer"), spaltenText(language::feldName(8634), QStringLiteral("Farbcode"))}};
}

void TFormFarben::formAufbauen(QFormLayout* form) {
    // The breed information stays hidden. Rows are kept in name order, so a row inserted "at the
    // current position" takes its place by its name once stored, exactly like an appended one.
    formFeld(form, 8633, QStringLiteral("Fa&rbname"), QStringLiteral("Farbname"));
    formFeld(form, 8634, QStringLiteral("F&arbcode"), QStringLiteral("Farbnummer"));
}

// ---------------------------------------------------------------- eye colours

TFormAugenfarbe::TFormAugenfarbe(TRahmen& h)
    : TReferenzEditor(h, QStringLiteral("FormAugenfarbe"), 8602, QStringLiteral("augen"),
                      QStringLiteral("Augenfarbeidx"), false) {
    setWindowTitle(QStringLiteral("Augenfarbe"));
}

QList<TabellenModell::Spalte> TFormAugenfarbe::spalten() {
    return {
        {QStringLiteral("Augenfarbe"), spaltenText(language::feldName(8635), QStringLiteral("Augenfarbe"))},
        {QStringLiteral("AugenfarbeEng"),
         spaltenText(language::feldName(8636), QStringLiteral("Augenfarbe englisch"))}};
}

void TFormAugenfarbe::formAufbauen(QFormLayout* form) {
    formFeld(form, 8635, QStringLiteral("Augenfarbe"), QStringLiteral("Augenfarbe"));
    formFeld(form, 8636, QStringLiteral("Augenfarbe englisch"), QStringLiteral("AugenfarbeEng"));
}

// ---------------------------------------------------------------- coat types

TFormFellart::TFormFellart(TRahmen& h)
    : TReferenzEditor(h, QStringLiteral("FormFellart"), 8603, QStringLiteral("fellart"), QString(), false) {
    setWindowTitle(QStringLiteral("Fellart"));
}

QList<TabellenModell::Spalte> TFormFellart::spalten() {
    return {{QStringLiteral("Bezeichnung"),
             spaltenText(language::feldName(8637), QStringLiteral("Bezeichnung"))}};
}

void TFormFellart::formAufbauen(QFormLayout* form) {
    formFeld(form, 8637, QStringLiteral("Bezeichnung"), QStringLiteral("Bezeichnung"));
}

// ---------------------------------------------------------------- titles

TFormTitel::TFormTitel(TRahmen& h)
    : TReferenzEditor(h, QStringLiteral("FormTitel"), 8604, QStringLiteral("titelbez"),
                      QStringLiteral("Sortierung"), true) {
    setWindowTitle(QStringLiteral("Titel"));
}

bool TFormTitel::oeffnen() {
    if (!TReferenzEditor::oeffnen()) return false;
    gitter()->horizontalHeader()->setSectionsClickable(true);
    connect(gitter()->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TFormTitel::spaltenTitelGeklickt);
    return true;
}

QList<TabellenModell::Spalte> TFormTitel::spalten() {
    return {{QStringLiteral("Sortierung"), spaltenText(language::feldName(8641), QStringLiteral("Sort."))},
            {QStringLiteral("Kuerzel"), spaltenText(language::feldName(8639), QStringLiteral("Kürzel"))},
            {QStringLiteral("Titel"), spaltenText(language::feldName(8638), QStringLiteral("Titel"))}};
}

void TFormTitel::formAufbauen(QFormLayout* form) {
    formFeld(form, 8638, QStringLiteral("&Titel"), QStringLiteral("Titel"));
    formFeld(form, 8639, QStringLiteral("&Kürzel"), QStringLiteral("Kuerzel"));
    formFeld(form, 8640, QStringLiteral("&Sortierung"), QStringLiteral("Sortierung"));
}

void TFormTitel::spaltenTitelGeklickt(int spalte) {
    const QString feld = modell()->spalten().value(spalte).feld;
    // The indexes carry the field names.
    if (feld == QLatin1String("Titel") || feld == QLatin1String("Kuerzel")) indexWechseln(feld);
}

void TFormTitel::nachSchliessen() {
    TReferenzEditor::nachSchliessen();
    emit referenzhinweise(hauptfenster()).titelGeaendert();
}

// ---------------------------------------------------------------- cat names

TFormKatzennamen::TFormKatzennamen(TRahmen& h)
    : TReferenzEditor(h, QStringLiteral("FormKatzennamen"), 8608, QStringLiteral("katzname"),
                      QStringLiteral("NameIdx"), false) {
    setWindowTitle(QStringLiteral("Katzennamen"));
}

QList<TabellenModell::Spalte> TFormKatzennamen::spalten() {
    return {{QStringLiteral("Name"), spaltenText(language::feldName(8644), QStringLiteral("Name"))},
            {QStringLiteral("Info"), spaltenText(language::feldName(8645), QStringLiteral("Info"))}};
}

void TFormKatzennamen::formAufbauen(QFormLayout* form) {
    formFeld(form, 8644, QStringLiteral("Name"), QStringLiteral("Name"));
    formFeld(form, 8645, QStringLiteral("Info"), QStringLiteral("Info"));
}

bool TFormKatzennamen::loeschenBestaetigen() {
    // This list asks a fixed question of its own instead of the message table's.
    const bool englisch = language::aktuelleSprache() && language::aktuelleSprache()->sprache() == 1;
    const QString frage = englisch ? QStringLiteral("Do you want to delete the record?")
                                   : QStringLiteral("Soll der Datensatz gelöscht werden?");
    return Meldungsdienst::zeigen(MeldungsArt::Warnung, 0, frage, Knoepfe::JaNein) == Antwort::Ja;
}

} // namespace velmora::reg
