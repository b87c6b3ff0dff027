// QueryContextMenu on a real popup menu, and the item's bitmap.
#include "TestSupport.h"
#include "check.h"

namespace {

// A popup menu with three items the shell might already have put there.
class CPopupMenu
{
public:
    CPopupMenu()
    {
        m_hMenu = CreatePopupMenu();
        REQUIRE(m_hMenu != nullptr);
        AppendMenuW(m_hMenu, MF_STRING, 1, L"Open");
        AppendMenuW(m_hMenu, MF_STRING, 2, L"Edit");
        AppendMenuW(m_hMenu, MF_STRING, 3, L"Print");
        REQUIRE(GetMenuItemCount(m_hMenu) == 3);
    }
    ~CPopupMenu() { DestroyMenu(m_hMenu); }
    HMENU get() const { return m_hMenu; }

private:
    HMENU m_hMenu;
};

struct MenuItem
{
    UINT nId = 0;
    UINT nType = 0;
    std::wstring strText;
    HBITMAP hChecked = nullptr;
    HBITMAP hUnchecked = nullptr;
};

MenuItem itemAt(HMENU hMenu, UINT nPos)
{
    MenuItem item;
    wchar_t szText[128] = {};
    MENUITEMINFOW mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STRING | MIIM_CHECKMARKS;
    mii.dwTypeData = szText;
    mii.cch = 128;
    if (!GetMenuItemInfoW(hMenu, nPos, TRUE, &mii))
        return item;
    item.nId = mii.wID;
    item.nType = mii.fType;
    item.strText = szText;
    item.hChecked = mii.hbmpChecked;
    item.hUnchecked = mii.hbmpUnchecked;
    return item;
}

const HRESULT kOneItem = MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_NULL, 1);
const HRESULT kNoItem = MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_NULL, 0);

// Pixels of a bitmap as 0x00RRGGBB, top row first.
std::vector<DWORD> pixelsOf(HBITMAP hBitmap, LONG &nWidth, LONG &nHeight)
{
    std::vector<DWORD> vecPixels;
    BITMAP bm = {};
    if (!GetObjectW(hBitmap, sizeof(bm), &bm))
        return vecPixels;
    nWidth = bm.bmWidth;
    nHeight = bm.bmHeight;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = bm.bmWidth;
    bi.bmiHeader.biHeight = -bm.bmHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    vecPixels.resize(static_cast<size_t>(bm.bmWidth) * static_cast<size_t>(bm.bmHeight));
    HDC hdc = GetDC(nullptr);
    const int nLines = GetDIBits(hdc, hBitmap, 0, static_cast<UINT>(bm.bmHeight), vecPixels.data(), &bi,
                                 DIB_RGB_COLORS);
    ReleaseDC(nullptr, hdc);
    if (nLines != bm.bmHeight)
        vecPixels.clear();
    for (DWORD &pixel : vecPixels)
        pixel &= 0x00FFFFFF;
    return vecPixels;
}

DWORD pixelOf(COLORREF clr)
{
    return (static_cast<DWORD>(GetRValue(clr)) << 16) | (static_cast<DWORD>(GetGValue(clr)) << 8) | GetBValue(clr);
}

} // namespace

TEST_CASE("menu", addsOneItemAtIndex)
{
    CExtension ext;
    CComRef<IContextMenu> menu(ext.createMenu());
    CPopupMenu popup;

    CHECK_EQ(menu->QueryContextMenu(popup.get(), 1, 100, 200, CMF_NORMAL), kOneItem);
    REQUIRE(GetMenuItemCount(popup.get()) == 4);

    const MenuItem item = itemAt(popup.get(), 1);
    CHECK_EQ(item.nId, 100u);
    CHECK_EQ(item.strText, std::wstring(L"Open with Scribo"));
    CHECK_EQ(item.nType & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW), 0u);
    CHECK(item.hChecked != nullptr);
    CHECK(item.hChecked == item.hUnchecked);

    CHECK_EQ(itemAt(popup.get(), 0).nId, 1u);
    CHECK_EQ(itemAt(popup.get(), 2).nId, 2u);
    CHECK_EQ(itemAt(popup.get(), 3).nId, 3u);
}

TEST_CASE("menu", explorerFlagsAddTheItem)
{
    const UINT anFlags[] = {
        CMF_NORMAL,
        CMF_EXPLORE,
        CMF_NORMAL | CMF_CANRENAME | CMF_ITEMMENU | CMF_EXTENDEDVERBS,
        CMF_EXPLORE | CMF_CANRENAME | CMF_NODEFAULT | CMF_DISABLEDVERBS | CMF_ASYNCVERBSTATE,
    };
    CExtension ext;
    for (UINT nFlags : anFlags) {
        check::Context context("uFlags = " + check::show(nFlags));
        CComRef<IContextMenu> menu(ext.createMenu());
        CPopupMenu popup;
        CHECK_EQ(menu->QueryContextMenu(popup.get(), 0, 7, 50, nFlags), kOneItem);
        CHECK_EQ(GetMenuItemCount(popup.get()), 4);
        CHECK_EQ(itemAt(popup.get(), 0).nId, 7u);
    }
}

TEST_CASE("menu", restrictedRequestsAddNothing)
{
    const UINT anFlags[] = {
        CMF_DEFAULTONLY,
        CMF_VERBSONLY,
        CMF_NOVERBS,
        CMF_OPTIMIZEFORINVOKE,
        CMF_OPTIMIZEFORINVOKE | CMF_EXPLORE,
        CMF_DEFAULTONLY | CMF_EXPLORE,
        CMF_VERBSONLY | CMF_ITEMMENU,
    };
    CExtension ext;
    for (UINT nFlags : anFlags) {
        check::Context context("uFlags = " + check::show(nFlags));
        CComRef<IContextMenu> menu(ext.createMenu());
        CPopupMenu popup;
        CHECK_EQ(menu->QueryContextMenu(popup.get(), 0, 7, 50, nFlags), kNoItem);
        CHECK_EQ(GetMenuItemCount(popup.get()), 3);
    }
}

TEST_CASE("menu", indexPastEndAppends)
{
    CExtension ext;
    CComRef<IContextMenu> menu(ext.createMenu());
    CPopupMenu popup;
    CHECK_EQ(menu->QueryContextMenu(popup.get(), 0xFFFFFFFF, 40, 40, CMF_NORMAL), kOneItem);
    REQUIRE(GetMenuItemCount(popup.get()) == 4);
    const MenuItem item = itemAt(popup.get(), 3);
    CHECK_EQ(item.nId, 40u);
    CHECK(item.hChecked != nullptr);
}

TEST_CASE("menu", noFreeCommandIdAddsNothing)
{
    CExtension ext;
    CComRef<IContextMenu> menu(ext.createMenu());
    CPopupMenu popup;
    CHECK_EQ(menu->QueryContextMenu(popup.get(), 0, 201, 200, CMF_NORMAL), kNoItem);
    CHECK_EQ(GetMenuItemCount(popup.get()), 3);
}

TEST_CASE("menu", bitmapKeyColourBecomesMenuColour)
{
    CExtension ext;
    REQUIRE(FindResourceW(ext.module(), MAKEINTRESOURCEW(1001), MAKEINTRESOURCEW(2)) != nullptr); // RT_BITMAP

    CComRef<IContextMenu> menu(ext.createMenu());
    CPopupMenu popup;
    REQUIRE(menu->QueryContextMenu(popup.get(), 0, 10, 20, CMF_NORMAL) == kOneItem);
    const MenuItem item = itemAt(popup.get(), 0);
    REQUIRE(item.hChecked != nullptr);

    const int cx = GetSystemMetrics(SM_CXMENUCHECK);
    const int cy = GetSystemMetrics(SM_CYMENUCHECK);
    HBITMAP hOriginal = static_cast<HBITMAP>(
        LoadImageW(ext.module(), MAKEINTRESOURCEW(1001), IMAGE_BITMAP, cx, cy, LR_LOADTRANSPARENT));
    REQUIRE(hOriginal != nullptr);
    LONG nOrigWidth = 0, nOrigHeight = 0, nWidth = 0, nHeight = 0;
    const std::vector<DWORD> vecOriginal = pixelsOf(hOriginal, nOrigWidth, nOrigHeight);
    DeleteObject(hOriginal);
    const std::vector<DWORD> vecShown = pixelsOf(item.hChecked, nWidth, nHeight);

    CHECK_EQ(nWidth, cx);
    CHECK_EQ(nHeight, cy);
    REQUIRE(nOrigWidth == nWidth && nOrigHeight == nHeight);
    REQUIRE(!vecOriginal.empty() && vecOriginal.size() == vecShown.size());

    const DWORD clrKey = vecOriginal[0];
    const DWORD clrMenu = pixelOf(GetSysColor(COLOR_MENU));
    REQUIRE(clrKey != clrMenu); // else the check below could not tell

    size_t nKeyPixels = 0;
    size_t nWrong = 0;
    for (size_t i = 0; i < vecOriginal.size(); ++i) {
        const DWORD clrExpected = vecOriginal[i] == clrKey ? clrMenu : vecOriginal[i];
        nKeyPixels += vecOriginal[i] == clrKey;
        if (vecShown[i] != clrExpected) {
            if (nWrong++ < 5)
                CHECK_EQ(vecShown[i], clrExpected);
        }
    }
    CHECK_EQ(nWrong, 0u);
    // The drawing has both background and a picture.
    CHECK(nKeyPixels > 0);
    CHECK(nKeyPixels < vecOriginal.size() / 2);
}

TEST_CASE("menu", bitmapLivesAsLongAsHandler)
{
    CExtension ext;
    IContextMenu *pMenu = ext.createMenu();
    CPopupMenu popup;
    REQUIRE(pMenu->QueryContextMenu(popup.get(), 0, 10, 20, CMF_NORMAL) == kOneItem);
    const HBITMAP hBitmap = itemAt(popup.get(), 0).hChecked;
    BITMAP bm = {};
    CHECK(GetObjectW(hBitmap, sizeof(bm), &bm) != 0);
    CHECK_EQ(pMenu->Release(), 0u);
    CHECK_EQ(GetObjectW(hBitmap, sizeof(bm), &bm), 0);
    CHECK_EQ(ext.canUnloadNow(), S_OK);
}

TEST_CASE("menu", invalidMenuFails)
{
    CExtension ext;
    CComRef<IContextMenu> menu(ext.createMenu());
    CHECK(FAILED(menu->QueryContextMenu(nullptr, 0, 10, 20, CMF_NORMAL)));
}
