#include "TestSupport.h"

#include "check.h"

#include <shellapi.h>

const CLSID CLSID_ScrbExtShellTest = { 0x5e7a1c42, 0x9b3d, 0x4f68, { 0xa2, 0xc1, 0x7d, 0x04, 0xe9, 0xb3, 0xf6, 0x15 } };
const wchar_t kClsidText[] = L"{5E7A1C42-9B3D-4F68-A2C1-7D04E9B3F615}";

std::wstring programFolder()
{
    wchar_t szPath[MAX_PATH * 2] = {};
    GetModuleFileNameW(nullptr, szPath, MAX_PATH * 2);
    std::wstring strPath(szPath);
    return strPath.substr(0, strPath.find_last_of(L'\\') + 1);
}

static bool readRun(const std::wstring &strFile, ScrbRun &run)
{
    HANDLE h = CreateFileW(strFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    const DWORD cb = GetFileSize(h, nullptr);
    std::wstring strText(cb / sizeof(wchar_t), L'\0');
    DWORD cbRead = 0;
    const BOOL bOk = strText.empty() || ReadFile(h, &strText[0], cb, &cbRead, nullptr);
    CloseHandle(h);
    if (!bOk)
        return false;
    const std::wstring::size_type nBreak = strText.find(L'\n');
    if (nBreak == std::wstring::npos)
        return false;
    run.strModule = strText.substr(0, nBreak);
    run.strCommandLine = strText.substr(nBreak + 1);
    return true;
}

static std::vector<ScrbRun> collectRuns(const CTestFolder &folder)
{
    std::vector<ScrbRun> vecRuns;
    for (int n = 1;; ++n) {
        ScrbRun run;
        if (!readRun(folder.file((L"scrb-run-" + std::to_wstring(n) + L".txt").c_str()), run))
            break;
        vecRuns.push_back(run);
    }
    return vecRuns;
}

std::vector<ScrbRun> waitForRuns(const CTestFolder &folder, size_t nCount, DWORD dwTimeoutMs)
{
    const DWORD dwStart = GetTickCount();
    std::vector<ScrbRun> vecRuns = collectRuns(folder);
    while (vecRuns.size() < nCount && GetTickCount() - dwStart < dwTimeoutMs) {
        Sleep(50);
        vecRuns = collectRuns(folder);
    }
    Sleep(300);
    return collectRuns(folder);
}

HRESULT initialize(IContextMenu *pMenu, IDataObject *pData)
{
    CComRef<IShellExtInit> init;
    REQUIRE(pMenu->QueryInterface(IID_IShellExtInit, init.putVoid()) == S_OK);
    return init->Initialize(nullptr, pData, nullptr);
}

HRESULT invokeCommand(IContextMenu *pMenu, UINT nCommand)
{
    CMINVOKECOMMANDINFO ici = {};
    ici.cbSize = sizeof(ici);
    ici.lpVerb = MAKEINTRESOURCEA(nCommand);
    ici.nShow = SW_SHOWNORMAL;
    return pMenu->InvokeCommand(&ici);
}

std::vector<std::wstring> splitCommandLine(const std::wstring &strCommandLine)
{
    std::vector<std::wstring> vecArgs;
    int nArgs = 0;
    LPWSTR *ppszArgs = CommandLineToArgvW(strCommandLine.c_str(), &nArgs);
    if (!ppszArgs)
        return vecArgs;
    for (int i = 0; i < nArgs; ++i)
        vecArgs.push_back(ppszArgs[i]);
    LocalFree(ppszArgs);
    return vecArgs;
}

std::wstring quoted(const std::wstring &str)
{
    return L"\"" + str + L"\"";
}

std::wstring programPart(const CExtension &ext)
{
    return L"\"" + ext.folder().path() + L"scrb.exe\"";
}

IDataObject *shellDataObject(const std::wstring &strFolder, const std::vector<std::wstring> &vecNames)
{
    PIDLIST_ABSOLUTE pidlFolder = ILCreateFromPathW(strFolder.c_str());
    REQUIRE(pidlFolder != nullptr);
    std::vector<PIDLIST_ABSOLUTE> vecFull;
    std::vector<PCUIDLIST_RELATIVE> vecChildren;
    for (const std::wstring &strName : vecNames) {
        PIDLIST_ABSOLUTE pidl = ILCreateFromPathW((strFolder + strName).c_str());
        if (!pidl)
            break;
        vecFull.push_back(pidl);
        vecChildren.push_back(ILFindLastID(pidl));
    }
    IDataObject *pData = nullptr;
    HRESULT hr = E_FAIL;
    if (vecFull.size() == vecNames.size())
        hr = CIDLData_CreateFromIDArray(pidlFolder, static_cast<UINT>(vecChildren.size()), vecChildren.data(),
                                        &pData);
    for (PIDLIST_ABSOLUTE pidl : vecFull)
        ILFree(pidl);
    ILFree(pidlFolder);
    REQUIRE(vecFull.size() == vecNames.size());
    REQUIRE(hr == S_OK && pData != nullptr);
    return pData;
}
