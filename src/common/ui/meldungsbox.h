#pragma once
// The real message box behind the message service.

namespace velmora {
// Installs QMessageBox as the presenter (information/warning/critical icon, OK or Yes/No).
void meldungsboxInstallieren();
} // namespace velmora
