#pragma once
// Helpers the test groups share: what Explorer does around a handler, and
// what the stand-in scrb.exe recorded.

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "CComRef.h"
#include "CExtension.h"
#include "CFakeDataObject.h"
#include "CTestFolder.h"

extern const CLSID CLSID_ScrbExtShellTest; // {5E7A1C42-9B3D-4F68-A2C1-7D04E9B3F615}
extern const wchar_t kClsidText[];         // the same, in registry form

// Folder of the test program, with its trailing backslash; the DLL and the
// fake scrb.exe are built beside it.
std::wstring programFolder();

// What the fake scrb.exe saw when it was started.
struct ScrbRun
{
    std::wstring strModule;
    std::wstring strCommandLine;
};

// Waits until nCount runs of scrb.exe were recorded in the folder, then a
// moment longer to catch extra runs; returns all runs found.
std::vector<ScrbRun> waitForRuns(const CTestFolder &folder, size_t nCount, DWORD dwTimeoutMs = 30000);

// Initialize with the paths, then InvokeCommand with command 0.
HRESULT initialize(IContextMenu *pMenu, IDataObject *pData);
HRESULT invokeCommand(IContextMenu *pMenu, UINT nCommand = 0);

// The arguments Windows' rules make of a command line.
std::vector<std::wstring> splitCommandLine(const std::wstring &strCommandLine);

// Quotes as the extension is expected to, for building expectations.
std::wstring quoted(const std::wstring &str);

// How the command line names the program: scrb.exe in the extension's
// folder, quoted, since that folder may contain spaces ("Program Files").
std::wstring programPart(const CExtension &ext);

// A shell-made data object for files of one folder (which must exist).
IDataObject *shellDataObject(const std::wstring &strFolder, const std::vector<std::wstring> &vecNames);
