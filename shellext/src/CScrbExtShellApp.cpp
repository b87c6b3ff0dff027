#include "CScrbExtShellApp.h"

CScrbExtShellApp theApp;

CScrbExtShellApp::CScrbExtShellApp()
    : m_hInstance(nullptr)
    , m_nLiveObjects(0)
{
}

std::wstring CScrbExtShellApp::modulePath() const
{
    wchar_t szPath[520] = {};
    const DWORD nLen = GetModuleFileNameW(m_hInstance, szPath, 520);
    if (nLen == 0 || nLen >= 520)
        return std::wstring();
    return std::wstring(szPath, nLen);
}

std::wstring CScrbExtShellApp::moduleFolder() const
{
    const std::wstring strPath = modulePath();
    const std::wstring::size_type nSep = strPath.find_last_of(L"\\/");
    if (nSep == std::wstring::npos)
        return std::wstring();
    return strPath.substr(0, nSep + 1);
}

void CScrbExtShellApp::lockModule()
{
    InterlockedIncrement(&m_nLiveObjects);
}

void CScrbExtShellApp::unlockModule()
{
    InterlockedDecrement(&m_nLiveObjects);
}

bool CScrbExtShellApp::canUnload() const
{
    return m_nLiveObjects == 0;
}
