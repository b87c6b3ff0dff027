#pragma once

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>
#include <vector>

// The Explorer context-menu handler: adds "Open with Scribo" and starts
// scrb.exe from this DLL's folder with the selected paths.
class CShellExt : public IContextMenu, public IShellExtInit
{
public:
    CShellExt();

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void **ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IShellExtInit
    STDMETHODIMP Initialize(PCIDLIST_ABSOLUTE pidlFolder, IDataObject *pdtobj, HKEY hkeyProgID) override;

    // IContextMenu
    STDMETHODIMP QueryContextMenu(HMENU hmenu, UINT indexMenu, UINT idCmdFirst, UINT idCmdLast, UINT uFlags) override;
    STDMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO *pici) override;
    STDMETHODIMP GetCommandString(UINT_PTR idCmd, UINT uFlags, UINT *pReserved, CHAR *pszName, UINT cchMax) override;

private:
    virtual ~CShellExt();

    // The command line InvokeCommand starts, for the current selection.
    std::wstring commandLine() const;

    static HBITMAP loadMenuBitmap();
    bool isOurVerb(const CMINVOKECOMMANDINFO *pici) const;

    volatile LONG m_nRef;
    std::vector<std::wstring> m_vecPaths;
    HBITMAP m_hBitmap;
};
