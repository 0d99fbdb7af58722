#pragma once
// The mouse-wheel translation of the main window: a wheel turn becomes cursor down (towards the user)
// or cursor up on the focused control, so it steps through records in every data window. A wheel
// never changes a value the user did not click into: it gives no control the focus, a choice box turns
// only while it has the focus and the mouse is over it, and with the focus in a choice box the wheel
// elsewhere does nothing. An open drop-down list scrolls itself; the cat list handles the wheel itself.

#include <QObject>

namespace velmora::app {

class Mausrad : public QObject {
public:
    explicit Mausrad(QObject* parent = nullptr) : QObject(parent) {}

protected:
    bool eventFilter(QObject* ziel, QEvent* e) override;
};

} // namespace velmora::app
