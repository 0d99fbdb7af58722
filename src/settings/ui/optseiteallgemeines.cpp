#include "settings/ui/optseiteallgemeines.h"

#include "common/ui/rahmen.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "office/ui/waehrungsumrechnungdlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>

namespace velmora::settings::ui {

TOptSeiteAllgemeines::TOptSeiteAllgemeines(TRahmen& r)
    : TOptionenSeite(r, "TabSheetAllgemeines", {7614, "A&llgemeines"}) {
    auto* l = new QGridLayout(this);

    auto* oben = new QFormLayout;
    m_aufloesung = new QComboBox(this);
    m_aufloesung->setObjectName(QStringLiteral("ComboBoxAufloesung"));
    QLabel* la = beschriftung("LabelAufloesung", {7656, "Auflösung"});
    la->setBuddy(m_aufloesung);
    oben->addRow(la, m_aufloesung);
    l->addLayout(oben, 0, 0);
    l->addWidget(jaNein("MerkmalvorTop", "RadioGroupMerkmalVorTop", {7657, "Merkmal vor Top Katze"}), 0, 1);
    l->addWidget(zweiWahl("speichern", "RadioGroupSpeichern", {7658, "S&peichern"},
                          {7659, "A&utomatisch Speichern"}, {7660, "A&bfrage vor Speichern"}),
                 1, 0);
    l->addWidget(zweiWahl("hilfe", "RadioGroupSchnellhilfe", {7661, "S&chnellhilfe"},
                          {7662, "S&tatuszeile und Cursor"}, {7663, "nur &Statuszeile"}),
                 1, 1);
    l->addWidget(zweiWahl("Fenstergroesse", "RadioGroupFenstergroesse", {7664, "Fenstergröße"},
                          {7665, "immer Standard"}, {7666, "Größe beibehalten"}),
                 2, 0);

    auto* tv = new QHBoxLayout;
    QLabel* lt = beschriftung("LabelTextverarbeitung", {7667, "Textverarb."});
    m_textverarbeitung = textFeld("Textverarbeitung", "EditTextverarbeitung", lt);
    m_suchen = new QPushButton(QStringLiteral("suchen"), this);
    m_suchen->setObjectName(QStringLiteral("BitBtnSuchen"));
    language::setTag(m_suchen, 7668);
    tv->addWidget(lt);
    tv->addWidget(m_textverarbeitung, 1);
    tv->addWidget(m_suchen);
    l->addLayout(tv, 3, 0, 1, 2);
    connect(m_suchen, &QPushButton::clicked, this, [this] {
#ifdef Q_OS_WIN
        const QString filter = QStringLiteral("Programmdatei (*.exe)");
#else
        const QString filter; // programs carry no extension here
#endif
        const QString datei = dateiWaehlen(filter);
        if (!datei.isEmpty()) m_textverarbeitung->setText(datei);
    });

    // The currency conversion belongs to the books: the factor and the last conversion are shown here.
    auto* waehrung = new QGroupBox(QStringLiteral("Währungsumrechnung"), this);
    waehrung->setObjectName(QStringLiteral("GroupBoxWaehrung"));
    language::setTag(waehrung, 7669);
    auto* wl = new QFormLayout(waehrung);
    m_faktor = new QLineEdit(waehrung);
    m_faktor->setObjectName(QStringLiteral("EditFaktor"));
    m_faktor->setMaximumWidth(120);
    // Digits and the decimal comma only.
    m_faktor->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9,]*")), m_faktor));
    QLabel* lf = beschriftung("LabelFaktor", {7670, "Faktor"});
    lf->setBuddy(m_faktor);
    m_start = new QPushButton(QStringLiteral("Start"), waehrung);
    m_start->setObjectName(QStringLiteral("BitBtnStart"));
    language::setTag(m_start, 7671);
    auto* fz = new QHBoxLayout;
    fz->addWidget(m_faktor);
    fz->addWidget(m_start);
    fz->addStretch(1);
    wl->addRow(lf, fz);
    // The conversion works on the books at once and writes its own settings, saved or not.
    connect(m_start, &QPushButton::clicked, this, [this] {
        if (office::waehrungsumrechnungStarten(this, rahmen().db(), rahmen().einstellungen(),
                                               m_faktor->text()))
            letzteZeigen(rahmen().einstellungen());
    });
    m_letzte = new QLabel(waehrung);
    m_letzte->setObjectName(QStringLiteral("LabelLetzteUmrechnungWert"));
    wl->addRow(beschriftung("LabelLetzteUmrechnung", {7672, "letzte Umrechnung"}), m_letzte);
    l->addWidget(waehrung, 4, 0, 1, 2);
    l->setRowStretch(5, 1);

    binden({QStringLiteral("Aufloesung"),
            m_aufloesung,
            [this](const tsysteminfo& e) {
                QRect bereich;
                if (QScreen* s = QGuiApplication::primaryScreen()) bereich = s->availableGeometry();
                m_aufloesungAlt = e.Aufloesung;
                m_aufloesung->clear();
                m_aufloesung->addItems(aufloesungListe(bereich));
                const QString eintrag = aufloesungEintrag(e.Aufloesung);
                if (m_aufloesung->findText(eintrag) < 0) m_aufloesung->addItem(eintrag);
                m_aufloesung->setCurrentText(eintrag);
            },
            [this](tsysteminfo& e) {
                // "Angepasst" left as it was keeps the size stored with it.
                const QString t = m_aufloesung->currentText();
                e.Aufloesung = t == aufloesungEintrag(m_aufloesungAlt) ? m_aufloesungAlt : t;
            },
            {}});
}

void TOptSeiteAllgemeines::ladenZusatz(const tsysteminfo& e) {
    letzteZeigen(e);
    // The factor to convert with is offered as the last one used (with its decimal comma).
    m_faktor->setText(e.faktoram
                          ? QString::number(e.faktoram, 'g', 12).replace(QLatin1Char('.'), QLatin1Char(','))
                          : QString());
}

void TOptSeiteAllgemeines::letzteZeigen(const tsysteminfo& e) {
    m_letzte->setText(office::letzteUmrechnungText(e));
}

void TOptSeiteAllgemeines::uebersetzt() {
    letzteZeigen(rahmen().einstellungen());
    TOptionenSeite::uebersetzt();
}

} // namespace velmora::settings::ui
