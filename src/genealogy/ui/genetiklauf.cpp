#include "genealogy/ui/genetiklauf.h"

#include "language/sprache.h"
#include "language/tag.h"

#include <QBoxLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <algorithm>

namespace velmora::genealogy {

QPushButton* knopfAnfuegen(QWidget* fenster, QBoxLayout* reihe, const char* name, int tag, const char* text) {
    auto* b = new QPushButton(QString::fromUtf8(text), fenster);
    b->setObjectName(QLatin1String(name));
    language::setTag(b, tag);
    reihe->addWidget(b);
    return b;
}

// texte: feldname 9930-9934

namespace {
// The worker reports far more often than the bar can show; this many ms pass between two reports sent.
constexpr qint64 kTakt = 40;

QString text(int tag, const char* vorgabe) {
    QString t = language::feldName(tag);
    if (t.isEmpty()) t = QString::fromUtf8(vorgabe);
    return t;
}
} // namespace

std::function<void()> TGenetikLauf::vorDerArbeit;

TGenetikLauf::TGenetikLauf(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PanelLauf"));
    auto* l = new QHBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    m_schritt = new QLabel(this);
    m_schritt->setObjectName(QStringLiteral("LabelSchritt"));
    m_balken = new QProgressBar(this);
    m_balken->setObjectName(QStringLiteral("ProgressBarLauf"));
    m_balken->setRange(0, 1000);
    m_abbruch = new QPushButton(this);
    m_abbruch->setObjectName(QStringLiteral("BitBtnAbbruch"));
    language::setTag(m_abbruch, 9934);
    l->addWidget(m_schritt);
    l->addWidget(m_balken, 1);
    l->addWidget(m_abbruch);
    connect(m_abbruch, &QPushButton::clicked, this, &TGenetikLauf::abbrechen);
    uebersetzen();
    hide();
}

TGenetikLauf::~TGenetikLauf() {
    warten();
}

void TGenetikLauf::uebersetzen() {
    m_schrittTexte[int(GenetikSchritt::Lesen)] = text(9930, "Katzen lesen");
    m_schrittTexte[int(GenetikSchritt::Ordnen)] = text(9931, "Stammbaumordnung");
    m_schrittTexte[int(GenetikSchritt::Inzucht)] = text(9932, "Inzucht jeder Katze");
    m_schrittTexte[int(GenetikSchritt::Population)] = text(9933, "Werte der Population");
    m_abbruch->setText(text(9934, "Abbruch"));
    m_abbruch->setAccessibleName(m_abbruch->text());
    m_balken->setAccessibleName(m_schritt->text().isEmpty() ? m_schrittTexte[0] : m_schritt->text());
    m_schritt->setAccessibleName(m_balken->accessibleName());
}

void TGenetikLauf::starten(std::function<void(GenetikFortschritt&)> arbeit, std::function<void()> fertig) {
    warten();
    m_flag = std::make_shared<std::atomic<bool>>(false);
    m_fertig = std::move(fertig);
    m_verworfen = false;
    m_balken->setValue(0);
    m_schritt->setText(m_schrittTexte[0]);
    show();
    TGenetikLauf* selbst = this; // waited for before it goes; a report still queued then is dropped
    std::shared_ptr<std::atomic<bool>> flag = m_flag;
    m_thread = QThread::create([selbst, flag, arbeit = std::move(arbeit), vorher = vorDerArbeit] {
        if (vorher) vorher();
        QElapsedTimer takt;
        GenetikFortschritt f(flag.get(), [&](GenetikSchritt s, qint64 erledigt, qint64 gesamt) {
            if (takt.isValid() && takt.elapsed() < kTakt && erledigt < gesamt) return;
            takt.start();
            QMetaObject::invokeMethod(
                selbst, [selbst, s, erledigt, gesamt] { selbst->melden(s, erledigt, gesamt); },
                Qt::QueuedConnection);
        });
        try {
            arbeit(f);
        } catch (...) {
            // the work reports its own failures; nothing may leave the thread
        }
    });
    m_thread->setObjectName(QStringLiteral("Genetik"));
    connect(m_thread, &QThread::finished, this, &TGenetikLauf::laufFertig, Qt::QueuedConnection);
    m_thread->start();
}

void TGenetikLauf::melden(GenetikSchritt schritt, qint64 erledigt, qint64 gesamt) {
    if (!laeuft() || m_verworfen) return;
    m_schritt->setText(m_schrittTexte[int(schritt)]);
    m_balken->setValue(gesamt > 0 ? int(std::min<qint64>(1000, erledigt * 1000 / gesamt)) : 0);
}

void TGenetikLauf::abbrechen() {
    if (!laeuft()) return;
    *m_flag = true;
    m_verworfen = true;
    hide();
}

void TGenetikLauf::warten() {
    if (!m_thread) return;
    abbrechen();
    m_thread->wait();
    laufFertig();
}

void TGenetikLauf::laufFertig() {
    if (!m_thread) return;
    m_thread->wait();
    m_thread->disconnect(this);
    delete m_thread;
    m_thread = nullptr;
    hide();
    const bool zeigen = !m_verworfen && !m_flag->load();
    std::function<void()> fertig = std::move(m_fertig);
    m_fertig = nullptr;
    if (zeigen && fertig) fertig();
    emit beendet(zeigen);
}

} // namespace velmora::genealogy
