#include "genealogy/ui/inzuchtfortschrittfenster.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>

namespace velmora::genealogy {

namespace {
// The calculation calls in after every node; the event loop is entered at most this often (ms), which
// keeps the bar and the cancel button responsive without slowing large pedigrees down.
constexpr qint64 kTakt = 15;
} // namespace

InzuchtFortschrittFenster::InzuchtFortschrittFenster(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormInzuchtberechnung"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(QStringLiteral("Bitte warten!"));
    auto* layout = new QVBoxLayout(this);
    m_bitte = new QLabel(QStringLiteral("Bitte warten!"), this);
    m_bitte->setObjectName(QStringLiteral("Label1"));
    m_bitte->setAlignment(Qt::AlignCenter);
    QFont f = m_bitte->font();
    f.setBold(true);
    m_bitte->setFont(f);
    m_laeuft = new QLabel(QStringLiteral("Inzuchtgradberechnung läuft!"), this);
    m_laeuft->setObjectName(QStringLiteral("Label2"));
    m_laeuft->setAlignment(Qt::AlignCenter);
    m_schritt = new QLabel(this);
    m_schritt->setObjectName(QStringLiteral("LabelSchritt"));
    m_balken = new QProgressBar(this);
    m_balken->setObjectName(QStringLiteral("ProgressBar1"));
    m_balken->setTextVisible(false);
    m_abbruch = new QPushButton(QStringLiteral("Abbruch"), this);
    m_abbruch->setObjectName(QStringLiteral("ButtonAbbruch"));
    layout->addWidget(m_bitte);
    layout->addWidget(m_laeuft);
    layout->addWidget(m_schritt);
    layout->addWidget(m_balken);
    layout->addWidget(m_abbruch, 0, Qt::AlignHCenter);
    connect(m_abbruch, &QPushButton::clicked, this, [this] {
        if (abbrechen) abbrechen();
    });
    for (QWidget* w : {static_cast<QWidget*>(m_bitte), static_cast<QWidget*>(m_laeuft),
                       static_cast<QWidget*>(m_schritt), static_cast<QWidget*>(m_balken),
                       static_cast<QWidget*>(m_abbruch)})
        w->setAccessibleName(w->objectName());
    setMinimumWidth(320);
}

void InzuchtFortschrittFenster::verbinden(TFormInzuchtberechnung& calc) {
    calc.fortschritt = this;
    abbrechen = [&calc] { calc.abbrechen(); };
}

void InzuchtFortschrittFenster::zeigen(bool sichtbar) {
    if (sichtbar) {
        m_pos = 0;
        m_balken->setValue(0);
        show();
        raise();
        m_seitLetztem.invalidate(); // the first call after showing paints at once
    } else {
        // The last steps may have fallen between two paints: the bar ends where the run ended.
        anzeigen();
        hide();
    }
}

void InzuchtFortschrittFenster::schrittText(const QString& text) {
    m_schritt->setText(text);
}

void InzuchtFortschrittFenster::maximum(qint64 max) {
    m_max = std::max<qint64>(0, max);
    m_teiler = m_max / std::numeric_limits<int>::max() + 1;
    m_balken->setRange(0, static_cast<int>(m_max / m_teiler));
    m_pos = std::min(m_pos, m_max);
    anzeigen();
}

void InzuchtFortschrittFenster::position(qint64 pos) {
    m_pos = std::clamp<qint64>(pos, 0, m_max);
}

void InzuchtFortschrittFenster::anzeigen() {
    m_balken->setValue(static_cast<int>(m_pos / m_teiler));
}

void InzuchtFortschrittFenster::ereignisseVerarbeiten() {
    if (m_seitLetztem.isValid() && m_seitLetztem.elapsed() < kTakt) return;
    anzeigen();
    QCoreApplication::processEvents();
    m_seitLetztem.start();
}

} // namespace velmora::genealogy
