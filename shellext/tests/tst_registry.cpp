// DllRegisterServer / DllUnregisterServer, COM activation through the
// registry, and regsvr32. Runs in a throw-away Wine prefix.
#include "TestSupport.h"
#include "check.h"

namespace {

const std::wstring kClassKey = std::wstring(L"CLSID\\") + kClsidText;
const std::wstring kServerKey = kClassKey + L"\\InProcServer32";
const wchar_t kFilesKey[] = L"*\\shellex\\ContextMenuHandlers\\Norvel Scribo";
const wchar_t kFoldersKey[] = L"Directory\\shellex\\ContextMenuHandlers\\Norvel Scribo";
const wchar_t kDrivesKey[] = L"Drive\\shellex\\ContextMenuHandlers\\Norvel Scribo";
const wchar_t kBackgroundKey[] = L"Directory\\Background\\shellex\\ContextMenuHandlers\\Norvel Scribo";
const wchar_t kApprovedKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";
const wchar_t kSiblingKey[] = L"*\\shellex\\ContextMenuHandlers\\Another Vendor";

bool keyExists(HKEY hRoot, const std::wstring &strKey)
{
    HKEY hKey = nullptr;
    if (RegOpenKeyExW(hRoot, strKey.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    RegCloseKey(hKey);
    return true;
}

// Reads a REG_SZ value exactly as stored; fails the check on type or size.
std::wstring readString(HKEY hRoot, const std::wstring &strKey, const wchar_t *pszName)
{
    HKEY hKey = nullptr;
    if (RegOpenKeyExW(hRoot, strKey.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS) {
        check::recordFailure(__FILE__, __LINE__, "key missing: " + check::toUtf8(strKey));
        return L"<missing key>";
    }
    DWORD dwType = 0;
    DWORD cbData = 0;
    std::wstring strValue;
    LONG nResult = RegQueryValueExW(hKey, pszName, nullptr, &dwType, nullptr, &cbData);
    if (nResult == ERROR_SUCCESS) {
        std::vector<BYTE> vecData(cbData + sizeof(wchar_t), 0);
        nResult = RegQueryValueExW(hKey, pszName, nullptr, &dwType, vecData.data(), &cbData);
        strValue = reinterpret_cast<const wchar_t *>(vecData.data());
        CHECK_EQ(dwType, static_cast<DWORD>(REG_SZ));
        // Stored with exactly one terminating NUL.
        CHECK_EQ(cbData, static_cast<DWORD>((strValue.size() + 1) * sizeof(wchar_t)));
    }
    RegCloseKey(hKey);
    if (nResult != ERROR_SUCCESS) {
        check::recordFailure(__FILE__, __LINE__, "value missing in " + check::toUtf8(strKey));
        return L"<missing value>";
    }
    return strValue;
}

bool valueExists(HKEY hRoot, const std::wstring &strKey, const wchar_t *pszName)
{
    HKEY hKey = nullptr;
    if (RegOpenKeyExW(hRoot, strKey.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    const bool bExists = RegQueryValueExW(hKey, pszName, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(hKey);
    return bExists;
}

void writeString(HKEY hRoot, const std::wstring &strKey, const wchar_t *pszName, const std::wstring &strData)
{
    HKEY hKey = nullptr;
    REQUIRE(RegCreateKeyExW(hRoot, strKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr)
            == ERROR_SUCCESS);
    RegSetValueExW(hKey, pszName, 0, REG_SZ, reinterpret_cast<const BYTE *>(strData.c_str()),
                   static_cast<DWORD>((strData.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(hKey);
}

std::wstring loadedPath(HMODULE hModule)
{
    wchar_t szPath[MAX_PATH * 2] = {};
    GetModuleFileNameW(hModule, szPath, MAX_PATH * 2);
    return szPath;
}

void checkRegistered(const CExtension &ext)
{
    CHECK_EQ(readString(HKEY_CLASSES_ROOT, kClassKey, nullptr), std::wstring(L"Norvel Scribo"));
    CHECK_EQ(readString(HKEY_CLASSES_ROOT, kServerKey, nullptr), loadedPath(ext.module()));
    CHECK_EQ(readString(HKEY_CLASSES_ROOT, kServerKey, nullptr), ext.dllPath());
    CHECK_EQ(readString(HKEY_CLASSES_ROOT, kServerKey, L"ThreadingModel"), std::wstring(L"Apartment"));
    CHECK_EQ(readString(HKEY_CLASSES_ROOT, kFilesKey, nullptr), std::wstring(kClsidText));
    CHECK_EQ(readString(HKEY_CLASSES_ROOT, kFoldersKey, nullptr), std::wstring(kClsidText));
    CHECK_EQ(readString(HKEY_CLASSES_ROOT, kDrivesKey, nullptr), std::wstring(kClsidText));
    CHECK_EQ(readString(HKEY_LOCAL_MACHINE, kApprovedKey, kClsidText), std::wstring(L"Norvel Scribo"));
    // Folder backgrounds hand over no selection, so no handler is offered there.
    CHECK(!keyExists(HKEY_CLASSES_ROOT, kBackgroundKey));
}

void checkUnregistered()
{
    CHECK(!keyExists(HKEY_CLASSES_ROOT, kServerKey));
    CHECK(!keyExists(HKEY_CLASSES_ROOT, kClassKey));
    CHECK(!keyExists(HKEY_CLASSES_ROOT, kFilesKey));
    CHECK(!keyExists(HKEY_CLASSES_ROOT, kFoldersKey));
    CHECK(!keyExists(HKEY_CLASSES_ROOT, kDrivesKey));
    CHECK(!keyExists(HKEY_CLASSES_ROOT, kBackgroundKey));
    CHECK(!valueExists(HKEY_LOCAL_MACHINE, kApprovedKey, kClsidText));
    CHECK(!keyExists(HKEY_LOCAL_MACHINE, std::wstring(kApprovedKey) + L"\\Norvel Scribo"));
    // Shared parents stay.
    CHECK(keyExists(HKEY_CLASSES_ROOT, L"CLSID"));
    CHECK(keyExists(HKEY_CLASSES_ROOT, L"*\\shellex\\ContextMenuHandlers"));
    CHECK(keyExists(HKEY_CLASSES_ROOT, L"Directory\\shellex\\ContextMenuHandlers"));
    CHECK(keyExists(HKEY_CLASSES_ROOT, L"Drive\\shellex\\ContextMenuHandlers"));
    CHECK(keyExists(HKEY_LOCAL_MACHINE, kApprovedKey));
}

// Runs a program in the prefix and returns its exit code (or -1).
long runAndWait(const std::wstring &strCommandLine)
{
    std::vector<wchar_t> vecCmd(strCommandLine.begin(), strCommandLine.end());
    vecCmd.push_back(L'\0');
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, vecCmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    CloseHandle(pi.hThread);
    DWORD dwExit = static_cast<DWORD>(-1);
    if (WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &dwExit);
    CloseHandle(pi.hProcess);
    return static_cast<long>(dwExit);
}

// Leaves the registry as it found it, whatever a case did.
struct CRegistryCleanup
{
    const CExtension &ext;
    ~CRegistryCleanup()
    {
        ext.unregisterServer();
        RegDeleteTreeW(HKEY_CLASSES_ROOT, kSiblingKey);
    }
};

} // namespace

TEST_CASE("registry", registerWritesEveryEntry)
{
    CExtension ext;
    CRegistryCleanup cleanup{ ext };
    CHECK_EQ(ext.registerServer(), S_OK);
    checkRegistered(ext);

    // Registering again changes nothing.
    CHECK_EQ(ext.registerServer(), S_OK);
    checkRegistered(ext);
}

TEST_CASE("registry", createdThroughTheRegistry)
{
    CExtension ext;
    CRegistryCleanup cleanup{ ext };
    REQUIRE(ext.registerServer() == S_OK);
    {
        CComRef<IShellExtInit> init;
        CHECK_EQ(CoCreateInstance(CLSID_ScrbExtShellTest, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit,
                                  init.putVoid()),
                 S_OK);
        REQUIRE(init.get() != nullptr);
        CComRef<IContextMenu> menu;
        CHECK_EQ(init->QueryInterface(IID_IContextMenu, menu.putVoid()), S_OK);
    }
    CoFreeUnusedLibraries();

    REQUIRE(ext.unregisterServer() == S_OK);
    CComRef<IUnknown> none;
    CHECK_EQ(CoCreateInstance(CLSID_ScrbExtShellTest, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, none.putVoid()),
             REGDB_E_CLASSNOTREG);
}

TEST_CASE("registry", unregisterRemovesOnlyOurKeys)
{
    CExtension ext;
    CRegistryCleanup cleanup{ ext };
    writeString(HKEY_CLASSES_ROOT, kSiblingKey, nullptr, L"{00000000-1111-2222-3333-444444444444}");
    REQUIRE(ext.registerServer() == S_OK);

    CHECK_EQ(ext.unregisterServer(), S_OK);
    checkUnregistered();
    CHECK(keyExists(HKEY_CLASSES_ROOT, kSiblingKey));

    // Nothing left to remove is no failure.
    CHECK_EQ(ext.unregisterServer(), S_OK);
    checkUnregistered();
    CHECK(keyExists(HKEY_CLASSES_ROOT, kSiblingKey));
}

TEST_CASE("registry", unregisterRemovesLeftovers)
{
    CExtension ext;
    CRegistryCleanup cleanup{ ext };
    REQUIRE(ext.registerServer() == S_OK);
    // As an older or hand-made installation may have left them.
    writeString(HKEY_CLASSES_ROOT, kBackgroundKey, nullptr, kClsidText);
    writeString(HKEY_CLASSES_ROOT, kClassKey + L"\\Implemented Categories", nullptr, L"");
    writeString(HKEY_LOCAL_MACHINE, std::wstring(kApprovedKey) + L"\\Norvel Scribo", nullptr, kClsidText);

    CHECK_EQ(ext.unregisterServer(), S_OK);
    checkUnregistered();
}

TEST_CASE("registry", regsvr32RegistersAndUnregisters)
{
    CExtension ext;
    CRegistryCleanup cleanup{ ext };
    CHECK_EQ(runAndWait(L"regsvr32.exe /s " + quoted(ext.dllPath())), 0);
    checkRegistered(ext);
    CHECK_EQ(runAndWait(L"regsvr32.exe /u /s " + quoted(ext.dllPath())), 0);
    checkUnregistered();
}
