#ifndef PLATFORM_H
#define PLATFORM_H

#include <QString>

// Shows a file selected in the system's file manager (Explorer on Windows;
// on Linux the desktop's file manager, or its folder when the desktop offers
// no way to select a file). Returns whether the request could be made.
bool showInExplorer(const QString& strPath);

#endif
