#ifndef PLATFORM_H
#define PLATFORM_H

#include <QString>

// Shows a file selected in the system's file manager (Explorer on Windows;
// on Linux the desktop's file manager, or its folder when the desktop offers
// no way to select a file). Returns whether anything was started; what
// starts it is the platform starter (util/CPlatformStarter.h).
bool showInExplorer(const QString& strPath);

#endif
