#ifndef GLOBALS_H
#define GLOBALS_H

class CSettings;
class CLangMgt;
class MainWindow;

// Set once by start-up and read everywhere instead of passing the objects on.
extern CSettings* g_pSettings;
extern CLangMgt* g_pLangMgt;
extern MainWindow* g_pMainWindow;

#endif
