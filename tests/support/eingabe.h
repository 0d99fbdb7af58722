#pragma once
// Driving windows the way a user does, for the widget tests: clicks, keys to the widget with the focus,
// Tab to move on, the mouse wheel. Events go through the application, so focus changes, editingFinished
// and the other wiring of a window run exactly as they do for a user. Header only: the widget tests
// include it, the core tests never see QtWidgets.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QString>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>
#include <functional>
#include <memory>

namespace velmora::test {

// Shows the top-level window of w and makes it the active one, so focus changes send their events.
inline bool aktivieren(QWidget* w) {
    QWidget* fenster = w->window();
    fenster->show();
    fenster->raise();
    fenster->activateWindow();
    for (int i = 0; i < 50 && !fenster->isActiveWindow(); ++i)
        QApplication::processEvents();
    return fenster->isActiveWindow();
}

// The widget keys go to: the focus widget, else w.
inline QWidget* tastenziel(QWidget* w = nullptr) {
    QWidget* f = QApplication::focusWidget();
    return f ? f : w;
}

inline void taste(int key, Qt::KeyboardModifiers mod = Qt::NoModifier, const QString& text = {},
                  QWidget* ziel = nullptr) {
    QWidget* w = ziel ? ziel : tastenziel();
    if (!w) return;
    QKeyEvent druck(QEvent::KeyPress, key, mod, text);
    QApplication::sendEvent(w, &druck);
    QKeyEvent los(QEvent::KeyRelease, key, mod, text);
    QApplication::sendEvent(w, &los);
}

// Types the text key by key into the focus widget.
inline void tippen(const QString& text) {
    for (QChar c : text) {
        const int key = c.unicode() < 0x7f ? c.toUpper().unicode() : int(Qt::Key_unknown);
        taste(key, Qt::NoModifier, QString(c));
    }
}

// A left click at `punkt` of w (its middle when not given): its window becomes the active one, as a
// real click makes it, and the widget takes the focus as its policy allows.
inline void klicken(QWidget* w, QPoint punkt = QPoint(-1, -1)) {
    if (!w->window()->isActiveWindow()) aktivieren(w);
    // A real click gives the focus before the widget sees it (the application does this only for
    // events from the window system, so it is done here).
    for (QWidget* f = w; f; f = f->parentWidget()) {
        if (f->isEnabled() && (f->focusPolicy() & Qt::ClickFocus)) {
            f->setFocus(Qt::MouseFocusReason);
            break;
        }
        if (f->isWindow()) break;
    }
    const QPointF p = punkt.x() < 0 ? QRectF(w->rect()).center() : QPointF(punkt);
    const QPointF global = w->mapToGlobal(p);
    QMouseEvent druck(QEvent::MouseButtonPress, p, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &druck);
    QMouseEvent los(QEvent::MouseButtonRelease, p, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &los);
    QApplication::processEvents();
}

// A click on the box of a check box (its middle may lie beside the box when the layout widens it).
inline void ankreuzen(QCheckBox* box) {
    QStyleOptionButton opt;
    opt.initFrom(box);
    opt.text = box->text();
    klicken(box, box->style()->subElementRect(QStyle::SE_CheckBoxClickRect, &opt, box).center());
}

// A double click at `punkt` of w (for item views: of their viewport).
inline void doppelklicken(QWidget* w, QPoint punkt) {
    klicken(w, punkt);
    const QPointF global = w->mapToGlobal(QPointF(punkt));
    QMouseEvent doppel(QEvent::MouseButtonDblClick, QPointF(punkt), global, Qt::LeftButton, Qt::LeftButton,
                       Qt::NoModifier);
    QApplication::sendEvent(w, &doppel);
    QMouseEvent los(QEvent::MouseButtonRelease, QPointF(punkt), global, Qt::LeftButton, Qt::NoButton,
                    Qt::NoModifier);
    QApplication::sendEvent(w, &los);
    QApplication::processEvents();
}

// Runs `tun` with the next modal dialog as soon as it is shown, for a click or key that opens one and
// waits for it. Gives up after about five seconds, so a dialog that never comes does not hang the test.
inline void beimNaechstenDialog(std::function<void(QWidget* dialog)> tun) {
    auto* uhr = new QTimer;
    auto versuche = std::make_shared<int>(0);
    uhr->setInterval(10);
    QObject::connect(uhr, &QTimer::timeout, [uhr, versuche, tun = std::move(tun)] {
        QWidget* d = QApplication::activeModalWidget();
        if (!d && ++*versuche < 500) return;
        uhr->stop();
        uhr->deleteLater();
        if (d) tun(d);
    });
    uhr->start();
}

// Tab: the focus moves on to the next control, as the user's Tab key moves it.
inline void tab() {
    taste(Qt::Key_Tab);
    QApplication::processEvents();
}

// Clicks into a text field, replaces what it holds by the text (select all, type) and tabs on.
inline void eintragen(QWidget* feld, const QString& text) {
    klicken(feld);
    taste(Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        taste(Qt::Key_Backspace);
    else
        tippen(text);
    tab();
}

// One notch of the mouse wheel over w: positive away from the user (up), negative towards.
inline void rad(QWidget* w, int rasten) {
    const QPointF mitte = QRectF(w->rect()).center();
    QWheelEvent e(mitte, w->mapToGlobal(mitte), QPoint(), QPoint(0, 120 * rasten), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
    QApplication::processEvents();
}

} // namespace velmora::test
