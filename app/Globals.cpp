#include "app/Globals.h"

CSettings* g_pSettings = nullptr;
CLangMgt* g_pLangMgt = nullptr;
MainWindow* g_pMainWindow = nullptr;
