// GetCommandString texts and the bounds of the caller's buffer.
#include "TestSupport.h"

#include <algorithm>
#include <iterator>

#include "check.h"

namespace {

const wchar_t kSentinel = 0xCDCD;
const UINT kBufferSize = 96;

struct Buffer
{
    wchar_t sz[kBufferSize + 8];
    Buffer() { std::fill(std::begin(sz), std::end(sz), kSentinel); }
    CHAR *asName() { return reinterpret_cast<CHAR *>(sz); }
    // Characters from nFrom on that still hold the sentinel.
    bool untouchedFrom(size_t nFrom) const
    {
        for (size_t i = nFrom; i < std::size(sz); ++i)
            if (sz[i] != kSentinel)
                return false;
        return true;
    }
};

std::wstring commandString(IContextMenu *pMenu, UINT_PTR idCmd, UINT uFlags, HRESULT &hr)
{
    Buffer buffer;
    hr = pMenu->GetCommandString(idCmd, uFlags, nullptr, buffer.asName(), kBufferSize);
    return std::wstring(buffer.sz);
}

} // namespace

TEST_CASE("cmdstring", textsForEachCommand)
{
    struct Expected
    {
        UINT_PTR idCmd;
        UINT uFlags;
        const wchar_t *pszText;
    };
    const Expected aExpected[] = {
        { 0, GCS_VERBW, L"Norvel Scribo: Operation1" },
        { 1, GCS_VERBW, L"Norvel Scribo: Operation2" },
        { 2, GCS_VERBW, L"Norvel Scribo" },
        { 77, GCS_VERBW, L"Norvel Scribo" },
        { 0, GCS_HELPTEXTW, L"Norvel Scribo: Do something to the selected file(s)" },
        { 1, GCS_HELPTEXTW, L"Norvel Scribo: Do something else to the selected file(s)" },
        { 2, GCS_HELPTEXTW, L"Norvel Scribo" },
        { 77, GCS_HELPTEXTW, L"Norvel Scribo" },
    };
    CExtension ext;
    CComRef<IContextMenu> menu(ext.createMenu());
    for (const Expected &e : aExpected) {
        check::Context context("idCmd = " + check::show(e.idCmd) + ", uFlags = " + check::show(e.uFlags));
        HRESULT hr = E_FAIL;
        CHECK_EQ(commandString(menu.get(), e.idCmd, e.uFlags, hr), std::wstring(e.pszText));
        CHECK_EQ(hr, S_OK);
    }
}

TEST_CASE("cmdstring", otherFlagsWriteNothing)
{
    const UINT anFlags[] = { GCS_VERBA, GCS_HELPTEXTA, GCS_VALIDATEA, GCS_VALIDATEW };
    CExtension ext;
    CComRef<IContextMenu> menu(ext.createMenu());
    for (UINT uFlags : anFlags) {
        check::Context context("uFlags = " + check::show(uFlags));
        Buffer buffer;
        CHECK_EQ(menu->GetCommandString(0, uFlags, nullptr, buffer.asName(), kBufferSize), S_OK);
        CHECK(buffer.untouchedFrom(0));
    }
}

TEST_CASE("cmdstring", copyStaysInsideBuffer)
{
    const std::wstring strFull = L"Norvel Scribo: Operation1"; // 25 characters
    CExtension ext;
    CComRef<IContextMenu> menu(ext.createMenu());

    // cchMax counts the terminator: at most cchMax - 1 characters are copied.
    const UINT anSizes[] = { 1, 2, 5, 24, 25, 26, 27, kBufferSize };
    for (UINT cchMax : anSizes) {
        check::Context context("cchMax = " + check::show(cchMax));
        Buffer buffer;
        CHECK_EQ(menu->GetCommandString(0, GCS_VERBW, nullptr, buffer.asName(), cchMax), S_OK);
        const size_t nChars = std::min<size_t>(cchMax - 1, strFull.size());
        CHECK_EQ(std::wstring(buffer.sz, nChars), strFull.substr(0, nChars));
        CHECK_EQ(buffer.sz[nChars], L'\0');
        CHECK(buffer.untouchedFrom(nChars + 1));
    }

    Buffer empty;
    CHECK_EQ(menu->GetCommandString(0, GCS_VERBW, nullptr, empty.asName(), 0), S_OK);
    CHECK_EQ(menu->GetCommandString(1, GCS_HELPTEXTW, nullptr, empty.asName(), 0), S_OK);
    CHECK(empty.untouchedFrom(0));

    CHECK_EQ(menu->GetCommandString(0, GCS_HELPTEXTW, nullptr, nullptr, 40), S_OK);
}
