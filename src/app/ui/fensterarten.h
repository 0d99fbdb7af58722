#pragma once
// Registers every window kind of the program with the frame, before the main window builds its menus.

namespace velmora::app {

void fensterartenRegistrieren();

} // namespace velmora::app
