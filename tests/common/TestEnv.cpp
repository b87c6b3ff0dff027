#include "TestEnv.h"

#include "app/CLangMgt.h"
#include "app/CSettings.h"
#include "app/Globals.h"
#include "app/Startup.h"

#include <QSettings>

TestEnv::TestEnv()
{
    initScrbResources();
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_tempDir.path());
    m_pLangMgt = std::make_unique<CLangMgt>();
    g_pLangMgt = m_pLangMgt.get();
    reloadSettings();
}

TestEnv::~TestEnv()
{
    g_pSettings = nullptr;
    g_pLangMgt = nullptr;
}

void TestEnv::reloadSettings()
{
    m_pSettings.reset();
    m_pSettings = std::make_unique<CSettings>("Norvel Software", "scrb");
    g_pSettings = m_pSettings.get();
}

QString TestEnv::settingsFile() const
{
    return m_pSettings->fileName();
}
