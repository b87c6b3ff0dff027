#pragma once
// Plays Explorer's part in loading the extension and making handlers.

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "CTestFolder.h"

using FnGetClassObject = HRESULT(WINAPI *)(REFCLSID, REFIID, void **);
using FnNoArgs = HRESULT(WINAPI *)();

// ScrbExtShell.dll copied into a test folder (with scrb.exe unless told
// otherwise) and loaded from there.
class CExtension
{
public:
    explicit CExtension(bool bWithScrb = true, const wchar_t *pszStem = L"scrb ext ");
    ~CExtension();

    bool loaded() const { return m_hModule != nullptr; }
    HMODULE module() const { return m_hModule; }
    const CTestFolder &folder() const { return m_folder; }
    std::wstring dllPath() const { return m_folder.file(L"ScrbExtShell.dll"); }
    std::wstring scrbPath() const { return m_folder.file(L"scrb.exe"); }

    HRESULT getClassObject(REFCLSID rclsid, REFIID riid, void **ppv) const;
    HRESULT canUnloadNow() const;
    HRESULT registerServer() const;
    HRESULT unregisterServer() const;

    // A new handler, as IContextMenu, made through the class factory.
    IContextMenu *createMenu() const;

private:
    CTestFolder m_folder;
    HMODULE m_hModule = nullptr;
    FnGetClassObject m_fnGetClassObject = nullptr;
    FnNoArgs m_fnCanUnloadNow = nullptr;
    FnNoArgs m_fnRegister = nullptr;
    FnNoArgs m_fnUnregister = nullptr;
};
