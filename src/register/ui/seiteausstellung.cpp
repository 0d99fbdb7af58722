#include "register/ui/seiteausstellung.h"

#include "language/tag.h"
#include "register/ui/detailformular.h"
#include "register/ui/detailgitter.h"

#include <QGroupBox>
#include <QVBoxLayout>

namespace velmora::reg {

TSeiteAusstellung::TSeiteAusstellung(TCatStamm& r)
    : TKatzenSeite(r, "TabSheetAusstellung", 9415, "&Ausstellung") {
    auto* layout = new QVBoxLayout(this);
    auto* oben = new QGroupBox(QStringLiteral("Ausstellungen"));
    oben->setObjectName(QStringLiteral("GroupBoxAusstellungen"));
    language::setTag(oben, 9350);
    auto* ol = new QVBoxLayout(oben);
    m_ausstellungen =
        new TDetailGitter(*this, "Ausstellungen", QStringLiteral("kausstel"), QStringLiteral("KatzeDatum"),
                          QStringLiteral("Katze"),
                          {{QStringLiteral("Datum"), 9342, QStringLiteral("Datum"), {}},
                           {QStringLiteral("Ausstellungsort"), 9351, QStringLiteral("Ort"), {}},
                           {QStringLiteral("Verein"), 9352, QStringLiteral("Verein"), {}},
                           {QStringLiteral("Richter"), 9353, QStringLiteral("Richter"), {}},
                           {QStringLiteral("Bewertung"), 9354, QStringLiteral("Bewertung"), {}}});
    ol->addWidget(m_ausstellungen);
    layout->addWidget(oben, 2);
    auto* unten = new QGroupBox(QStringLiteral("Ausstellungsbewertung für Druck auf Stammbaum"));
    unten->setObjectName(QStringLiteral("GroupBoxBewertung"));
    language::setTag(unten, 9355);
    auto* ul = new QVBoxLayout(unten);
    m_bewertung = new TDetailFormular(*this, "Bewertung", QStringLiteral("bewert"),
                                      QStringLiteral("KatzeIDX"), QStringLiteral("Katze"));
    m_bewertung->memoZeile(QStringLiteral("Bewertung"), 9356, "Bewertung");
    ul->addWidget(m_bewertung);
    layout->addWidget(unten, 1);
    m_ausstellungen->oeffnen();
    for (QObject* q : {static_cast<QObject*>(m_ausstellungen), static_cast<QObject*>(m_bewertung)})
        connect(q, SIGNAL(gespeichert()), this, SIGNAL(gespeichert()));
    zugaenglichBenennen();
}

void TSeiteAusstellung::laden() {
    m_ausstellungen->setSchluessel({katze()});
    m_bewertung->setSchluessel({katze()});
}

bool TSeiteAusstellung::verlassen() {
    if (!m_ausstellungen->speichern()) {
        nachVorn(m_ausstellungen);
        return false;
    }
    if (!m_bewertung->speichern()) {
        nachVorn(m_bewertung);
        return false;
    }
    return true;
}

void TSeiteAusstellung::schliessen() {
    m_ausstellungen->schliessen();
    m_bewertung->schliessen();
}

void TSeiteAusstellung::uebersetzt() {
    m_ausstellungen->uebersetzen();
    m_bewertung->uebersetzen();
    TKatzenSeite::uebersetzt();
}

} // namespace velmora::reg
