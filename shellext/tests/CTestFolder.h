#pragma once

#include <windows.h>

#include <string>

// A fresh folder under the temporary directory, removed with its files.
class CTestFolder
{
public:
    explicit CTestFolder(const wchar_t *pszStem = L"scrb ext ");
    ~CTestFolder();
    CTestFolder(const CTestFolder &) = delete;
    CTestFolder &operator=(const CTestFolder &) = delete;

    // With the trailing backslash.
    const std::wstring &path() const { return m_strPath; }
    std::wstring file(const wchar_t *pszName) const { return m_strPath + pszName; }
    bool copyIn(const std::wstring &strSource, const wchar_t *pszName) const;
    bool createFile(const wchar_t *pszName) const;

private:
    std::wstring m_strPath;
};
