// The platform plugins of the statically linked Qt: the system's windows, and offscreen for runs
// without a display.
#include <QtPlugin>

Q_IMPORT_PLUGIN(QWindowsIntegrationPlugin)
Q_IMPORT_PLUGIN(QOffscreenIntegrationPlugin)
