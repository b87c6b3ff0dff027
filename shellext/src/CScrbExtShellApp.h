#pragma once

#include <windows.h>

#include <string>

// Class identifier of the context-menu handler.
extern const CLSID CLSID_ScrbExtShell;

// The module object: instance handle, module path and the count of live
// COM objects that decides whether the DLL may be unloaded.
class CScrbExtShellApp
{
public:
    CScrbExtShellApp();

    void setInstance(HINSTANCE hInstance) { m_hInstance = hInstance; }
    HINSTANCE instance() const { return m_hInstance; }

    // Full path of this DLL (empty if it cannot be read).
    std::wstring modulePath() const;

    // Folder part of modulePath(), with its trailing separator.
    std::wstring moduleFolder() const;

    void lockModule();
    void unlockModule();
    bool canUnload() const;

private:
    HINSTANCE m_hInstance;
    volatile LONG m_nLiveObjects;
};

extern CScrbExtShellApp theApp;
