#include "register/ui/merkmaleditor.h"

#include "common/ui/rahmen.h"
#include "common/meldungsdienst.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "printing/listenbericht.h"
#include "printing/ui/berichtdruck.h"
#include "printing/ui/farbe.h"
#include "store/ui/dberror.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

namespace velmora::reg {

// texte: meldung 90 94

namespace {
const QString kNummer = QStringLiteral("LaufendeNummer");
const QString kFarbe = QStringLiteral("farbe");
constexpr int kNeueFarbe = 0xFFFFFF; // a new feature starts white until a colour is chosen
} // namespace

printing::Bericht merkmallisteBericht(store::Database& db) {
    using namespace printing;
    Listenbericht liste;
    liste.setSeitenformat(Bericht::a4(), Seitenausrichtung::Hochformat, Raender{});
    liste.setTitel(spaltenText(language::feldName(8650), QStringLiteral("Merkmale")));
    liste.setSpalten({{QStringLiteral("Nr."), 15.0, HAusrichtung::Rechts},
                      {spaltenText(language::feldName(8646), QStringLiteral("Bezeichnung")), 80.0},
                      {spaltenText(language::feldName(8647), QStringLiteral("Kürzel")), 35.0},
                      {spaltenText(language::feldName(8648), QStringLiteral("Farbe")), 30.0}});
    liste.setTextbreite(schriftMessung());
    liste.setZeilenlinien(true);
    store::Table t(db, QStringLiteral("merkmale"));
    t.open(store::Table::OpenMode::ReadOnly);
    for (t.first(); !t.eof(); t.next())
        liste.zeile(QList<Zelle>{QString::number(t.asInt(kNummer)), t.asString(QStringLiteral("Bezeichnung")),
                                 t.asString(QStringLiteral("Kuerzel")), Zelle::farbfeld(t.asInt(kFarbe))});
    Bericht b = liste.erstellen();
    b.setTitel(spaltenText(language::feldName(8650), QStringLiteral("Merkmale")));
    return b;
}

TFormMerkmale::TFormMerkmale(TRahmen& h)
    : TReferenzEditor(h, QStringLiteral("FormMerkmale"), 8606, QStringLiteral("merkmale"), QString(), true) {
    setWindowTitle(QStringLiteral("Merkmale"));
    farbwahl = [this](int vorgabe) { return farbeWaehlen(this, vorgabe); };
    vorschau = [this](const printing::Bericht& b) { printing::vorschauZeigen(b, this); };
    pdfDateiWaehlen = [this] {
        return QFileDialog::getSaveFileName(this, QString(), QStringLiteral("Merkmale.pdf"),
                                            QStringLiteral("PDF (*.pdf)"));
    };
}

bool TFormMerkmale::oeffnen() {
    if (!TReferenzEditor::oeffnen()) return false;
    const int farbSpalte = 2;
    modell()->zusatz = [](int role, const TabellenModell::Zeile& zeile, int) -> QVariant {
        const QColor c = printing::farbeAusWert(zeile.value(farbSpalte).toInt());
        if (role == Qt::BackgroundRole) return c;
        if (role == Qt::ForegroundRole) return printing::schriftFarbeAuf(c);
        return {};
    };
    modell()->anzeigeText = [](const QVariant& wert, int spalte) {
        return spalte == farbSpalte ? QString() : wert.toString();
    };
    return true;
}

QList<TabellenModell::Spalte> TFormMerkmale::spalten() {
    return {
        {QStringLiteral("Bezeichnung"), spaltenText(language::feldName(8646), QStringLiteral("Bezeichnung"))},
        {QStringLiteral("Kuerzel"), spaltenText(language::feldName(8647), QStringLiteral("Kürzel"))},
        {kFarbe, spaltenText(language::feldName(8648), QStringLiteral("Farbe"))}};
}

void TFormMerkmale::aufbauen(QVBoxLayout* inhalt) {
    TReferenzEditor::aufbauen(inhalt);
    // This editor's pages are captioned without accelerators.
    language::setTag(seiten(), 8625);
    seiten()->setTabText(0, QStringLiteral("Felder"));
    seiten()->setTabText(1, QStringLiteral("Tabelle"));
}

void TFormMerkmale::formAufbauen(QFormLayout* form) {
    formFeld(form, 8646, QStringLiteral("Bezeichnung"), QStringLiteral("Bezeichnung"));
    auto* farbReihe = new QHBoxLayout;
    m_farbfeld = new QFrame;
    m_farbfeld->setObjectName(QStringLiteral("ShapeFarbe"));
    m_farbfeld->setFixedSize(40, 20);
    farbReihe->addWidget(m_farbfeld);
    m_farbeLaden = new QPushButton(QStringLiteral("Farbe laden"));
    m_farbeLaden->setObjectName(QStringLiteral("BitBtnFarbeLaden"));
    language::setTag(m_farbeLaden, 8617);
    connect(m_farbeLaden, &QPushButton::clicked, this, &TFormMerkmale::farbeLaden);
    farbReihe->addWidget(m_farbeLaden);
    farbReihe->addStretch(1);
    auto* farbLabel = new QLabel(QStringLiteral("Farbe"));
    language::setTag(farbLabel, 8648);
    form->addRow(farbLabel, farbReihe);
    formFeld(form, 8647, QStringLiteral("Kürzel"), QStringLiteral("Kuerzel"));
}

void TFormMerkmale::zusatzKnoepfe(QHBoxLayout* reihe) {
    m_drucken = new QPushButton(QStringLiteral("&Drucken"), this);
    m_drucken->setObjectName(QStringLiteral("BitBtnDrucken"));
    language::setTag(m_drucken, 8616);
    connect(m_drucken, &QPushButton::clicked, this, &TFormMerkmale::drucken);
    reihe->addWidget(m_drucken);
    m_pdf = new QPushButton(QStringLiteral("Als &PDF speichern"), this);
    m_pdf->setObjectName(QStringLiteral("BitBtnPdf"));
    language::setTag(m_pdf, 8618);
    connect(m_pdf, &QPushButton::clicked, this, &TFormMerkmale::pdfSpeichern);
    reihe->addWidget(m_pdf);
}

bool TFormMerkmale::geschuetzt() {
    if (tabelle().state() == store::Table::State::Insert || !tabelle().hasRecord()) return false;
    // The value as stored: an edit cannot move a row out of protection.
    const int nr = tabelle().asInt(kNummer);
    return nr == 1 || nr == 2;
}

bool TFormMerkmale::loeschenErlaubt() {
    if (!geschuetzt()) return true;
    Meldungsdienst::nachricht(94, MeldungsArt::Information);
    return false;
}

bool TFormMerkmale::aenderungErlaubt() {
    if (!geschuetzt()) return true;
    Meldungsdienst::nachricht(90, MeldungsArt::Information);
    return false;
}

void TFormMerkmale::neueZeileVorbelegen() {
    tabelle().setValue(kFarbe, kNeueFarbe);
}

void TFormMerkmale::datensatzAngezeigt() {
    if (!m_farbfeld) return;
    const bool zeigen = tabelle().hasRecord() || tabelle().state() == store::Table::State::Insert;
    m_farbfeld->setStyleSheet(zeigen ? farbStil(tabelle().asInt(kFarbe)) : QString());
}

void TFormMerkmale::farbeLaden() {
    if (geschuetzt()) {
        Meldungsdienst::nachricht(90, MeldungsArt::Information);
        return;
    }
    const bool zeigen = tabelle().hasRecord() || tabelle().state() == store::Table::State::Insert;
    const std::optional<int> wert = farbwahl(zeigen ? tabelle().asInt(kFarbe) : kNeueFarbe);
    if (!wert) return;
    feldSetzen(kFarbe, *wert);
}

void TFormMerkmale::drucken() {
    speichern();
    try {
        vorschau(merkmallisteBericht(hauptfenster().db()));
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, QStringLiteral("merkmale"));
    }
}

bool TFormMerkmale::alsPdfSpeichern(const QString& datei, QString* fehler) {
    speichern();
    try {
        return printing::alsPdfSpeichern(merkmallisteBericht(hauptfenster().db()), datei, fehler);
    } catch (const std::exception& e) {
        if (fehler) *fehler = QString::fromUtf8(e.what());
        return false;
    }
}

void TFormMerkmale::pdfSpeichern() {
    const QString datei = pdfDateiWaehlen();
    if (datei.isEmpty()) return;
    QString fehler;
    if (!alsPdfSpeichern(datei, &fehler)) Meldungsdienst::zeigen(MeldungsArt::Fehler, 0, fehler);
}

} // namespace velmora::reg
