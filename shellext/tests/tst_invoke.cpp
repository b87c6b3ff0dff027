// InvokeCommand: which program is started, with which command line, and when not.
#include "TestSupport.h"
#include "check.h"

namespace {

BOOL CALLBACK countWindow(HWND, LPARAM lParam)
{
    ++*reinterpret_cast<int *>(lParam);
    return TRUE;
}

int windowsOfThisThread()
{
    int nWindows = 0;
    EnumThreadWindows(GetCurrentThreadId(), countWindow, reinterpret_cast<LPARAM>(&nWindows));
    return nWindows;
}

IContextMenu *menuFor(const CExtension &ext, const std::vector<std::wstring> &vecPaths)
{
    IContextMenu *pMenu = ext.createMenu();
    CComRef<CFakeDataObject> data(new CFakeDataObject(vecPaths));
    if (initialize(pMenu, data.get()) != S_OK) {
        pMenu->Release();
        REQUIRE(!"Initialize failed");
    }
    return pMenu;
}

} // namespace

TEST_CASE("invoke", startsScrbBesideTheDll)
{
    CExtension ext; // its folder name has a space
    CComRef<IContextMenu> menu(menuFor(ext, { L"C:\\docs\\a b.txt", L"C:\\docs\\c.txt" }));
    CHECK_EQ(invokeCommand(menu.get()), S_OK);

    const std::vector<ScrbRun> vecRuns = waitForRuns(ext.folder(), 1);
    REQUIRE(vecRuns.size() == 1);
    CHECK_EQ(vecRuns[0].strModule, ext.scrbPath());
    CHECK_EQ(vecRuns[0].strCommandLine,
             programPart(ext) + L" \"C:\\docs\\a b.txt\" \"C:\\docs\\c.txt\"");

    // The editor sees its own path first, then each selected path whole.
    const std::vector<std::wstring> vecArgs = splitCommandLine(vecRuns[0].strCommandLine);
    REQUIRE(vecArgs.size() == 3);
    CHECK_EQ(vecArgs[0], ext.scrbPath());
    CHECK_EQ(vecArgs[1], std::wstring(L"C:\\docs\\a b.txt"));
    CHECK_EQ(vecArgs[2], std::wstring(L"C:\\docs\\c.txt"));
}

TEST_CASE("invoke", folderWithoutSpace)
{
    CExtension ext(true, L"scrbext");
    CComRef<IContextMenu> menu(menuFor(ext, { L"C:\\x.txt" }));
    CHECK_EQ(invokeCommand(menu.get()), S_OK);
    const std::vector<ScrbRun> vecRuns = waitForRuns(ext.folder(), 1);
    REQUIRE(vecRuns.size() == 1);
    CHECK_EQ(vecRuns[0].strCommandLine, programPart(ext) + L" \"C:\\x.txt\"");
}

TEST_CASE("invoke", pathsInSelectionOrder)
{
    const std::vector<std::wstring> vecPaths = { L"C:\\z\\last.txt", L"C:\\a\\first.txt", L"C:\\m\\middle dir",
                                                 L"C:\\b.txt" };
    CExtension ext;
    CComRef<IContextMenu> menu(menuFor(ext, vecPaths));
    CHECK_EQ(invokeCommand(menu.get()), S_OK);
    const std::vector<ScrbRun> vecRuns = waitForRuns(ext.folder(), 1);
    REQUIRE(vecRuns.size() == 1);
    CHECK_EQ(vecRuns[0].strCommandLine, programPart(ext)
                                            + L" \"C:\\z\\last.txt\" \"C:\\a\\first.txt\" \"C:\\m\\middle dir\""
                                              L" \"C:\\b.txt\"");
    const std::vector<std::wstring> vecArgs = splitCommandLine(vecRuns[0].strCommandLine);
    REQUIRE(vecArgs.size() == vecPaths.size() + 1);
    for (size_t i = 0; i < vecPaths.size(); ++i)
        CHECK_EQ(vecArgs[i + 1], vecPaths[i]);
}

TEST_CASE("invoke", driveRootStaysOneArgument)
{
    CExtension ext;
    CComRef<IContextMenu> menu(menuFor(ext, { L"C:\\", L"D:\\two words\\" , L"E:\\plain" }));
    CHECK_EQ(invokeCommand(menu.get()), S_OK);
    const std::vector<ScrbRun> vecRuns = waitForRuns(ext.folder(), 1);
    REQUIRE(vecRuns.size() == 1);
    // A backslash before the closing quote is doubled, or it would escape it.
    CHECK_EQ(vecRuns[0].strCommandLine,
             programPart(ext) + L" \"C:\\\\\" \"D:\\two words\\\\\" \"E:\\plain\"");
    const std::vector<std::wstring> vecArgs = splitCommandLine(vecRuns[0].strCommandLine);
    REQUIRE(vecArgs.size() == 4);
    CHECK_EQ(vecArgs[1], std::wstring(L"C:\\"));
    CHECK_EQ(vecArgs[2], std::wstring(L"D:\\two words\\"));
    CHECK_EQ(vecArgs[3], std::wstring(L"E:\\plain"));
}

TEST_CASE("invoke", missingScrbDoesNothing)
{
    CExtension ext(false);
    CComRef<IContextMenu> menu(menuFor(ext, { L"C:\\a.txt" }));
    const int nWindowsBefore = windowsOfThisThread();
    CHECK_EQ(invokeCommand(menu.get()), S_FALSE);
    CHECK_EQ(windowsOfThisThread(), nWindowsBefore);
    CHECK(waitForRuns(ext.folder(), 0, 0).empty());
}

TEST_CASE("invoke", onlyOurCommandRuns)
{
    CExtension ext;
    CComRef<IContextMenu> menu(menuFor(ext, { L"C:\\a.txt" }));

    CHECK_EQ(invokeCommand(menu.get(), 1), E_INVALIDARG);
    CMINVOKECOMMANDINFO ici = {};
    ici.cbSize = sizeof(ici);
    ici.lpVerb = "properties";
    CHECK_EQ(menu->InvokeCommand(&ici), E_INVALIDARG);
    CHECK_EQ(menu->InvokeCommand(nullptr), E_INVALIDARG);

    CMINVOKECOMMANDINFOEX iciEx = {};
    iciEx.cbSize = sizeof(iciEx);
    iciEx.fMask = CMIC_MASK_UNICODE;
    iciEx.lpVerb = "open";
    iciEx.lpVerbW = L"open";
    CHECK_EQ(menu->InvokeCommand(reinterpret_cast<CMINVOKECOMMANDINFO *>(&iciEx)), E_INVALIDARG);

    // Our verb, as GetCommandString names it, by its wide and its narrow name.
    iciEx.lpVerb = "Norvel Scribo: Operation1";
    iciEx.lpVerbW = L"Norvel Scribo: Operation1";
    CHECK_EQ(menu->InvokeCommand(reinterpret_cast<CMINVOKECOMMANDINFO *>(&iciEx)), S_OK);
    ici.lpVerb = "Norvel Scribo: Operation1";
    CHECK_EQ(menu->InvokeCommand(&ici), S_OK);

    // Two runs, not more: the refused calls started nothing.
    const std::vector<ScrbRun> vecRuns = waitForRuns(ext.folder(), 2);
    CHECK_EQ(vecRuns.size(), 2u);
    for (const ScrbRun &run : vecRuns)
        CHECK_EQ(run.strCommandLine, programPart(ext) + L" \"C:\\a.txt\"");
}
