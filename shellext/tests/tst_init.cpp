// Initialize with the data objects Explorer may hand over; the selection is
// read back from the command line scrb.exe is started with.
#include "TestSupport.h"
#include "check.h"

namespace {

// Invokes command 0 and returns the one command line scrb.exe got.
std::wstring launchedCommandLine(const CExtension &ext, IContextMenu *pMenu)
{
    CHECK_EQ(invokeCommand(pMenu), S_OK);
    const std::vector<ScrbRun> vecRuns = waitForRuns(ext.folder(), 1);
    REQUIRE(vecRuns.size() == 1);
    return vecRuns[0].strCommandLine;
}

} // namespace

TEST_CASE("init", noDataObjectFailsAndClears)
{
    CExtension ext;
    CComRef<IContextMenu> menu(ext.createMenu());
    CComRef<CFakeDataObject> data(new CFakeDataObject({ L"C:\\data\\kept.txt" }));
    REQUIRE(initialize(menu.get(), data.get()) == S_OK);

    CHECK_EQ(initialize(menu.get(), nullptr), E_FAIL);
    CHECK_EQ(launchedCommandLine(ext, menu.get()), programPart(ext));
}

TEST_CASE("init", noDropListFailsAndClears)
{
    CExtension ext;
    CComRef<IContextMenu> menu(ext.createMenu());
    CComRef<CFakeDataObject> first(new CFakeDataObject({ L"C:\\data\\kept.txt" }));
    REQUIRE(initialize(menu.get(), first.get()) == S_OK);

    CComRef<CFakeDataObject> data(new CFakeDataObject({ L"C:\\data\\x.txt" }, false));
    CHECK_EQ(initialize(menu.get(), data.get()), E_FAIL);
    CHECK(data->getDataCalls() >= 1);
    CHECK_EQ(data->outstandingMedia(), 0);
    CHECK_EQ(data->refCount(), 1);
    CHECK_EQ(launchedCommandLine(ext, menu.get()), programPart(ext));
}

TEST_CASE("init", twoPathsFromHandWrittenDataObject)
{
    CExtension ext;
    CComRef<IContextMenu> menu(ext.createMenu());
    CComRef<CFakeDataObject> data(new CFakeDataObject({ L"C:\\data\\a b.txt", L"C:\\data\\c.txt" }));
    CHECK_EQ(initialize(menu.get(), data.get()), S_OK);
    CHECK_EQ(data->getDataCalls(), 1);
    // Every medium released, no reference kept.
    CHECK_EQ(data->outstandingMedia(), 0);
    CHECK_EQ(data->refCount(), 1);

    const std::wstring strCommand = launchedCommandLine(ext, menu.get());
    CHECK_EQ(strCommand, programPart(ext) + L" \"C:\\data\\a b.txt\" \"C:\\data\\c.txt\"");
    const std::vector<std::wstring> vecArgs = splitCommandLine(strCommand);
    REQUIRE(vecArgs.size() == 3);
    CHECK_EQ(vecArgs[0], ext.scrbPath());
    CHECK_EQ(vecArgs[1], std::wstring(L"C:\\data\\a b.txt"));
    CHECK_EQ(vecArgs[2], std::wstring(L"C:\\data\\c.txt"));
}

TEST_CASE("init", twoPathsFromShellDataObject)
{
    CExtension ext;
    CTestFolder files(L"scrb files ");
    REQUIRE(files.createFile(L"a b.txt"));
    REQUIRE(files.createFile(L"c.txt"));

    CComRef<IContextMenu> menu(ext.createMenu());
    CComRef<IDataObject> data(shellDataObject(files.path(), { L"a b.txt", L"c.txt" }));
    CHECK_EQ(initialize(menu.get(), data.get()), S_OK);
    // Initialize holds no reference of its own afterwards.
    CHECK_EQ(data->AddRef(), 2u);
    CHECK_EQ(data->Release(), 1u);

    CHECK_EQ(launchedCommandLine(ext, menu.get()),
             programPart(ext) + L" " + quoted(files.file(L"a b.txt")) + L" " + quoted(files.file(L"c.txt")));
}

TEST_CASE("init", emptyDropListGivesNoArguments)
{
    CExtension ext;
    CComRef<IContextMenu> menu(ext.createMenu());
    CComRef<CFakeDataObject> data(new CFakeDataObject({}));
    CHECK_EQ(initialize(menu.get(), data.get()), S_OK);
    CHECK_EQ(data->outstandingMedia(), 0);
    CHECK_EQ(data->refCount(), 1);
    CHECK_EQ(launchedCommandLine(ext, menu.get()), programPart(ext));
}

TEST_CASE("init", secondInitializeReplacesSelection)
{
    CExtension ext;
    CComRef<IContextMenu> menu(ext.createMenu());
    CComRef<CFakeDataObject> first(new CFakeDataObject({ L"C:\\one.txt", L"C:\\two.txt" }));
    CComRef<CFakeDataObject> second(new CFakeDataObject({ L"C:\\three.txt" }));
    CHECK_EQ(initialize(menu.get(), first.get()), S_OK);
    CHECK_EQ(initialize(menu.get(), second.get()), S_OK);
    CHECK_EQ(first->outstandingMedia() + second->outstandingMedia(), 0);
    CHECK_EQ(launchedCommandLine(ext, menu.get()), programPart(ext) + L" \"C:\\three.txt\"");
}

TEST_CASE("init", longPathKeptWhole)
{
    std::wstring strLong = L"C:\\deep";
    while (strLong.size() < 300)
        strLong += L"\\folder name";
    strLong += L"\\file.txt";

    CExtension ext;
    CComRef<IContextMenu> menu(ext.createMenu());
    CComRef<CFakeDataObject> data(new CFakeDataObject({ strLong, L"C:\\short.txt" }));
    CHECK_EQ(initialize(menu.get(), data.get()), S_OK);
    CHECK_EQ(launchedCommandLine(ext, menu.get()), programPart(ext) + L" " + quoted(strLong) + L" \"C:\\short.txt\"");
}
