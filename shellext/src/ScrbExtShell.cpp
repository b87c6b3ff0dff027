// The four exports of the COM server and its registration.
#include <windows.h>
#include <olectl.h>

#include <new>
#include <string>

#include "CScrbExtShellApp.h"
#include "CShellExtClassFactory.h"

const CLSID CLSID_ScrbExtShell = { 0x5e7a1c42, 0x9b3d, 0x4f68, { 0xa2, 0xc1, 0x7d, 0x04, 0xe9, 0xb3, 0xf6, 0x15 } };

namespace {

const wchar_t kExtensionName[] = L"Norvel Scribo";
const wchar_t kApprovedKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";

// Where the handler is offered: files, folders and drives.
const wchar_t *const kHandlerParents[] = {
    L"*\\shellex\\ContextMenuHandlers\\",
    L"Directory\\shellex\\ContextMenuHandlers\\",
    L"Drive\\shellex\\ContextMenuHandlers\\",
};

std::wstring classIdString()
{
    wchar_t szClsid[40] = {};
    StringFromGUID2(CLSID_ScrbExtShell, szClsid, 40);
    return szClsid;
}

bool setStringValue(HKEY hRoot, const std::wstring &strKey, const wchar_t *pszName, const std::wstring &strData)
{
    HKEY hKey = nullptr;
    if (RegCreateKeyExW(hRoot, strKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                        &hKey, nullptr)
        != ERROR_SUCCESS)
        return false;
    const DWORD cbData = static_cast<DWORD>((strData.size() + 1) * sizeof(wchar_t));
    const LONG nResult = RegSetValueExW(hKey, pszName, 0, REG_SZ, reinterpret_cast<const BYTE *>(strData.c_str()),
                                        cbData);
    RegCloseKey(hKey);
    return nResult == ERROR_SUCCESS;
}

// A key that is already gone counts as deleted.
bool isGone(LONG nResult)
{
    return nResult == ERROR_SUCCESS || nResult == ERROR_FILE_NOT_FOUND || nResult == ERROR_PATH_NOT_FOUND;
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID /*pReserved*/)
{
    if (dwReason == DLL_PROCESS_ATTACH) {
        theApp.setInstance(hInstance);
        DisableThreadLibraryCalls(hInstance);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID *ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualCLSID(rclsid, CLSID_ScrbExtShell))
        return CLASS_E_CLASSNOTAVAILABLE;

    CShellExtClassFactory *pFactory = new (std::nothrow) CShellExtClassFactory();
    if (!pFactory)
        return E_OUTOFMEMORY;
    const HRESULT hr = pFactory->QueryInterface(riid, ppv);
    pFactory->Release();
    return hr;
}

STDAPI DllCanUnloadNow()
{
    return theApp.canUnload() ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer()
{
    try {
        const std::wstring strClsid = classIdString();
        const std::wstring strModule = theApp.modulePath();
        if (strModule.empty())
            return SELFREG_E_CLASS;

        const std::wstring strClassKey = L"CLSID\\" + strClsid;
        const std::wstring strServerKey = strClassKey + L"\\InProcServer32";
        if (!setStringValue(HKEY_CLASSES_ROOT, strClassKey, nullptr, kExtensionName)
            || !setStringValue(HKEY_CLASSES_ROOT, strServerKey, nullptr, strModule)
            || !setStringValue(HKEY_CLASSES_ROOT, strServerKey, L"ThreadingModel", L"Apartment"))
            return SELFREG_E_CLASS;
        for (const wchar_t *pszParent : kHandlerParents) {
            if (!setStringValue(HKEY_CLASSES_ROOT, std::wstring(pszParent) + kExtensionName, nullptr, strClsid))
                return SELFREG_E_CLASS;
        }

        // Needed only where policy admits approved extensions alone, and
        // writable only by administrators: a failure does not undo the rest.
        setStringValue(HKEY_LOCAL_MACHINE, kApprovedKey, strClsid.c_str(), kExtensionName);
    } catch (const std::bad_alloc &) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

STDAPI DllUnregisterServer()
{
    bool bOk = true;
    try {
        const std::wstring strClsid = classIdString();
        bOk = isGone(RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + strClsid).c_str())) && bOk;
        for (const wchar_t *pszParent : kHandlerParents)
            bOk = isGone(RegDeleteTreeW(HKEY_CLASSES_ROOT, (std::wstring(pszParent) + kExtensionName).c_str())) && bOk;
        // Folder backgrounds: not registered by us, but cleaned up for installs that did.
        bOk = isGone(RegDeleteTreeW(HKEY_CLASSES_ROOT,
                                    (std::wstring(L"Directory\\Background\\shellex\\ContextMenuHandlers\\")
                                     + kExtensionName)
                                        .c_str()))
            && bOk;

        // Best effort, like its registration.
        RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kApprovedKey, strClsid.c_str());
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, (std::wstring(kApprovedKey) + L"\\" + kExtensionName).c_str());
    } catch (const std::bad_alloc &) {
        return E_OUTOFMEMORY;
    }
    return bOk ? S_OK : SELFREG_E_CLASS;
}
