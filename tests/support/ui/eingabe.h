#pragma once
// Input for window tests as it comes from the window system: clicks, double clicks, keys, typing, Tab,
// wheel turns. Events are delivered as spontaneous ones through the application, so its focus rules
// (a click gives the focus as the widget's policy allows), event filters and editingFinished run
// exactly as they do for a user.

#include <QPoint>
#include <QString>
#include <Qt>
#include <functional>

class QCheckBox;
class QWidget;

namespace velmora::test {

// The window the user is back in when a dialog closes (the offscreen platform leaves none active).
void setHauptfenster(QWidget* w);
// Shows the top-level window of w and makes it the active one; false when it did not become active.
bool aktivieren(QWidget* w);

// Points are in the widget's coordinates; the default is its centre.
void klicken(QWidget* w, QPoint punkt = {-1, -1});
void doppelklicken(QWidget* w, QPoint punkt = {-1, -1});
// Presses the left button at `von`, moves in a few steps to `nach` (both in w's coordinates) and lets go
// there: a drag as the user makes it. Moves and the release go to w, as the grab of the press does.
void ziehen(QWidget* w, QPoint von, QPoint nach);
// A click on the box of a check box (its middle may lie beside the box when the layout widens it).
void ankreuzen(QCheckBox* box);
// One wheel notch per step, towards the user for positive steps; the deepest widget under the point
// receives it.
void mausrad(QWidget* w, int schritte, QPoint punkt = {-1, -1});
// Key presses to the focused widget of the application (or to w when nothing has the focus).
void tippen(QWidget* w, const QString& text);
void tippen(const QString& text);
void taste(QWidget* w, int taste, Qt::KeyboardModifiers mod = Qt::NoModifier);
// Tab: the focus moves on to the next control.
void tab();
// Clicks into a text field, replaces what it holds by the text (select all, type) and tabs on.
void eintragen(QWidget* feld, const QString& text);
// Runs `tun` with the next modal dialog as soon as it is shown, for a click or key that opens one and
// waits for it. Gives up after about five seconds, so a dialog that never comes does not hang the test.
void beimNaechstenDialog(std::function<void(QWidget* dialog)> tun);
// Lets queued calls and deferred deletions run.
void ereignisse();

} // namespace velmora::test
