#include "app/ui/mausrad.h"

#include "app/ui/katzenliste.h"

#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QScrollBar>
#include <QWheelEvent>

namespace velmora::app {

namespace {
// Controls whose value a wheel turn changes by itself.
bool wertSteuerung(const QWidget* w) {
    if (!w) return false;
    if (qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w)) return true;
    return qobject_cast<const QAbstractSlider*>(w) && !qobject_cast<const QScrollBar*>(w);
}
} // namespace

bool Mausrad::eventFilter(QObject* ziel, QEvent* e) {
    if (e->type() == QEvent::Polish) {
        // Qt hands the focus to a control under a turning wheel before any filter sees the turn; a
        // wheel must not choose the control it then changes.
        if (auto* w = qobject_cast<QWidget*>(ziel);
            w && (w->focusPolicy() & Qt::WheelFocus) == Qt::WheelFocus)
            w->setFocusPolicy(Qt::StrongFocus);
        return false;
    }
    if (e->type() != QEvent::Wheel) return false;
    auto* w = qobject_cast<QWidget*>(ziel);
    if (!w || w->window()->windowType() == Qt::Popup) return false;
    for (QWidget* p = w; p; p = p->parentWidget())
        if (qobject_cast<KatzenListe*>(p)) return false;
    const int dy = static_cast<QWheelEvent*>(e)->angleDelta().y();
    QWidget* fokus = QApplication::focusWidget();
    if (wertSteuerung(fokus))
        // The choice box the user clicked into turns under the mouse; elsewhere the wheel does nothing.
        return !(fokus == w || fokus->isAncestorOf(w));
    // Without a focused control a turn would reach the control under the mouse: it is dropped.
    if (!fokus || dy == 0) return true;
    QKeyEvent taste(QEvent::KeyPress, dy < 0 ? Qt::Key_Down : Qt::Key_Up, Qt::NoModifier);
    QApplication::sendEvent(fokus, &taste);
    return true;
}

} // namespace velmora::app
