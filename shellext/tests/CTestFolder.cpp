#include "CTestFolder.h"

#include "check.h"

CTestFolder::CTestFolder(const wchar_t *pszStem)
{
    static int s_nCounter = 0;
    wchar_t szTemp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, szTemp);
    for (;;) {
        m_strPath = std::wstring(szTemp) + pszStem + std::to_wstring(GetCurrentProcessId()) + L"-"
            + std::to_wstring(++s_nCounter);
        if (CreateDirectoryW(m_strPath.c_str(), nullptr))
            break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            check::recordFailure(__FILE__, __LINE__, "cannot create test folder " + check::toUtf8(m_strPath));
            throw check::Abort();
        }
    }
    m_strPath += L'\\';
}

CTestFolder::~CTestFolder()
{
    WIN32_FIND_DATAW fd;
    HANDLE hFind = FindFirstFileW((m_strPath + L"*").c_str(), &fd);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileW((m_strPath + fd.cFileName).c_str());
        } while (FindNextFileW(hFind, &fd));
        FindClose(hFind);
    }
    RemoveDirectoryW(m_strPath.c_str());
}

bool CTestFolder::copyIn(const std::wstring &strSource, const wchar_t *pszName) const
{
    return CopyFileW(strSource.c_str(), file(pszName).c_str(), FALSE) != FALSE;
}

bool CTestFolder::createFile(const wchar_t *pszName) const
{
    HANDLE h = CreateFileW(file(pszName).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(h);
    return true;
}
