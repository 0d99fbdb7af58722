#include "office/ui/vereine.h"

#include "common/ui/feldeditoren.h"
#include "language/tag.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace velmora::office {

// texte: feldname 9851-9861 9863

namespace {
struct Feld {
    const char* name;
    int tag;
    const char* deutsch;
};
// The form's fields in order; the grid shows the same.
constexpr Feld kFelder[] = {{"Verein", 9852, "&Verein"},
                            {"Strasse", 9853, "Straße"},
                            {"Plz", 9854, "PLZ"},
                            {"Ort", 9855, "Ort"},
                            {"Telefon", 9856, "Telefon"},
                            {"Telefax", 9857, "Telefax"},
                            {"Ansprechpartner", 9858, "Ansprechpartner"},
                            {"Land", 9859, "Land"},
                            {"EMail", 9860, "E-Mail"},
                            {"Homepage", 9861, "Homepage"}};
} // namespace

TFormVereine::TFormVereine(TRahmen& h)
    : TBueroListe(h, QStringLiteral("FormVereine"), 9851, QStringLiteral("vereine"),
                  {{QStringLiteral("VereinIdx"), QStringLiteral("Verein;LaufendeNummer"), 0, {}}}, 40) {
    setWindowTitle(QStringLiteral("Vereine"));
    oeffnen_ = [](const QString& adresse) {
        // Opened maximized where the platform lets the browser choose; Qt has no say in that.
        QDesktopServices::openUrl(QUrl::fromUserInput(adresse));
    };
}

QList<TabellenModell::Spalte> TFormVereine::spalten() {
    QList<TabellenModell::Spalte> s;
    for (const Feld& f : kFelder)
        s.append({QLatin1String(f.name), text(f.tag, QString::fromUtf8(f.deutsch))});
    return s;
}

void TFormVereine::formAufbauen(QFormLayout* form) {
    for (const Feld& f : kFelder)
        textFeld(form, f.tag, QString::fromUtf8(f.deutsch), QLatin1String(f.name));
}

void TFormVereine::formErgaenzen(QVBoxLayout* seite) {
    m_link = new QLabel(this);
    m_link->setObjectName(QStringLiteral("LabelHomepage"));
    m_link->setCursor(Qt::PointingHandCursor);
    m_link->setTextInteractionFlags(Qt::TextBrowserInteraction);
    m_link->setAccessibleName(QStringLiteral("Homepage"));
    m_link->setProperty("eigenerZugangsname", true);
    connect(m_link, &QLabel::linkActivated, this, [this] { homepageOeffnen(); });
    seite->addWidget(m_link);
}

void TFormVereine::zusatzKnoepfe(QHBoxLayout* reihe) {
    auto* mail = new QPushButton(QStringLiteral("E-Mail schreiben"), this);
    mail->setObjectName(QStringLiteral("BitBtnEMail"));
    language::setTag(mail, 9863);
    reihe->addWidget(mail);
    connect(mail, &QPushButton::clicked, this, &TFormVereine::mailSchreiben);
}

void TFormVereine::datensatzAngezeigt() {
    if (!m_link) return;
    // The link line follows every change of the field; blank while it is empty.
    const bool zeigen = tabelle().hasRecord() || tabelle().state() == store::Table::State::Insert;
    const QString adresse = zeigen ? tabelle().asString(QStringLiteral("Homepage")).trimmed() : QString();
    if (adresse.isEmpty())
        m_link->setText(QStringLiteral(" "));
    else
        m_link->setText(QStringLiteral("<a href=\"#\">%1</a>").arg(adresse.toHtmlEscaped()));
}

void TFormVereine::homepageOeffnen() {
    const QString adresse = tabelle().hasRecord() || tabelle().state() == store::Table::State::Insert
                                ? tabelle().asString(QStringLiteral("Homepage")).trimmed()
                                : QString();
    // A blank line opens nothing: there is no address to hand on.
    if (!adresse.isEmpty() && oeffnen_) oeffnen_(adresse);
}

void TFormVereine::mailSchreiben() {
    const QString mail = tabelle().hasRecord() || tabelle().state() == store::Table::State::Insert
                             ? tabelle().asString(QStringLiteral("EMail")).trimmed()
                             : QString();
    if (oeffnen_) oeffnen_(QStringLiteral("MAILTO:") + mail);
}

} // namespace velmora::office
