#include "support/ui/eingabe.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>
#include <memory>

namespace velmora::test {

namespace {
QPointer<QWidget> s_hauptfenster;

QPoint mitte(QWidget* w, QPoint p) {
    return p.x() < 0 ? w->rect().center() : p;
}

void spontan(QWidget* w, QEvent& e) {
    QSpontaneKeyEvent::setSpontaneous(&e);
    qApp->notify(w, &e);
}

QWidget* tastenziel(QWidget* w) {
    QWidget* f = QApplication::focusWidget();
    return f ? f : w;
}
} // namespace

void setHauptfenster(QWidget* w) {
    s_hauptfenster = w;
}

bool aktivieren(QWidget* w) {
    QWidget* fenster = w->window();
    fenster->show();
    fenster->raise();
    fenster->activateWindow();
    QApplication::setActiveWindow(fenster);
    for (int i = 0; i < 50 && !fenster->isActiveWindow(); ++i)
        QApplication::processEvents();
    return fenster->isActiveWindow();
}

void klicken(QWidget* w, QPoint punkt) {
    if (!w->window()->isActiveWindow()) aktivieren(w);
    const QPoint p = mitte(w, punkt);
    const QPointF global = w->mapToGlobal(p);
    QMouseEvent druck(QEvent::MouseButtonPress, p, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    spontan(w, druck);
    QMouseEvent los(QEvent::MouseButtonRelease, p, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    spontan(w, los);
    ereignisse();
}

void doppelklicken(QWidget* w, QPoint punkt) {
    klicken(w, punkt);
    const QPoint p = mitte(w, punkt);
    const QPointF global = w->mapToGlobal(p);
    QMouseEvent druck(QEvent::MouseButtonDblClick, p, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    spontan(w, druck);
    QMouseEvent los(QEvent::MouseButtonRelease, p, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    spontan(w, los);
    ereignisse();
}

void ziehen(QWidget* w, QPoint von, QPoint nach) {
    if (!w->window()->isActiveWindow()) aktivieren(w);
    // Points are fixed on the screen when the press comes; a widget that moves under the pointer gets
    // them in its own coordinates of the moment, as from the window system.
    const QPoint basis = w->mapToGlobal(QPoint(0, 0));
    const auto senden = [&](QEvent::Type typ, QPoint p, Qt::MouseButton knopf, Qt::MouseButtons gedrueckt) {
        const QPointF global = QPointF(basis + p);
        QMouseEvent e(typ, w->mapFromGlobal(global), global, knopf, gedrueckt, Qt::NoModifier);
        spontan(w, e);
    };
    senden(QEvent::MouseButtonPress, von, Qt::LeftButton, Qt::LeftButton);
    constexpr int kSchritte = 4;
    for (int i = 1; i <= kSchritte; ++i)
        senden(QEvent::MouseMove, von + (nach - von) * i / kSchritte, Qt::NoButton, Qt::LeftButton);
    senden(QEvent::MouseButtonRelease, nach, Qt::LeftButton, Qt::NoButton);
    ereignisse();
}

void ankreuzen(QCheckBox* box) {
    QStyleOptionButton opt;
    opt.initFrom(box);
    opt.text = box->text();
    klicken(box, box->style()->subElementRect(QStyle::SE_CheckBoxClickRect, &opt, box).center());
}

void mausrad(QWidget* w, int schritte, QPoint punkt) {
    const QPoint p = mitte(w, punkt);
    QWidget* ziel = w->childAt(p) ? w->childAt(p) : w;
    const QPoint lokal = ziel->mapFrom(w, p);
    for (int i = 0; i < std::abs(schritte); ++i) {
        QWheelEvent e(lokal, ziel->mapToGlobal(lokal), QPoint(), QPoint(0, schritte > 0 ? -120 : 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        spontan(ziel, e);
        ereignisse();
    }
}

void tippen(QWidget* w, const QString& text) {
    for (QChar c : text) {
        // Keys carry their key code as a keyboard sends it, so shortcuts and validators see it.
        const int key = c.unicode() < 0x7f ? c.toUpper().unicode() : int(Qt::Key_unknown);
        QWidget* ziel = tastenziel(w);
        if (!ziel) return;
        QKeyEvent druck(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        spontan(ziel, druck);
        QKeyEvent los(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        spontan(ziel, los);
    }
    ereignisse();
}

void tippen(const QString& text) {
    tippen(nullptr, text);
}

void taste(QWidget* w, int k, Qt::KeyboardModifiers mod) {
    QWidget* ziel = tastenziel(w);
    if (!ziel) return;
    QKeyEvent druck(QEvent::KeyPress, k, mod);
    spontan(ziel, druck);
    QKeyEvent los(QEvent::KeyRelease, k, mod);
    spontan(ziel, los);
    ereignisse();
}

void tab() {
    taste(nullptr, Qt::Key_Tab);
}

void eintragen(QWidget* feld, const QString& text) {
    klicken(feld);
    taste(feld, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        taste(feld, Qt::Key_Backspace);
    else
        tippen(feld, text);
    tab();
}

void beimNaechstenDialog(std::function<void(QWidget* dialog)> tun) {
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

void ereignisse() {
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QWidget* aktiv = QApplication::activeWindow();
    if ((!aktiv || !aktiv->isVisible()) && s_hauptfenster && s_hauptfenster->isVisible())
        QApplication::setActiveWindow(s_hauptfenster);
}

} // namespace velmora::test
