#pragma once
// Choosing a stored colour value (0x00BBGGRR) with the colour dialog.

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace velmora::reg {

// The chosen colour value, nothing when cancelled.
using Farbwahl = std::function<std::optional<int>(int vorgabe)>;

// The standard colour dialog, preset with the value.
std::optional<int> farbeWaehlen(QWidget* parent, int vorgabe);

// A style sheet painting a control in the colour value.
QString farbStil(int wert);

} // namespace velmora::reg
