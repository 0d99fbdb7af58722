#pragma once
// Accessible names for the controls of a window, from what the user reads: a button's caption, a
// field's label (its buddy or the label before it in a form row), a group's title. Controls that were
// given a name of their own keep it. Run after building and after every translation.

class QWidget;

namespace velmora::office {

void zugaenglichBenennen(QWidget* fenster);

} // namespace velmora::office
