#include "CShellExt.h"

#include "CScrbExtShellApp.h"
#include "resource.h"

#include <new>

namespace {

const wchar_t kMenuText[] = L"Open with Scribo";
const wchar_t kVerb[] = L"Norvel Scribo: Operation1";
const char kVerbA[] = "Norvel Scribo: Operation1";

// Windows' argument splitting reads backslashes before a closing quote as an
// escape, so a drive root like C:\ needs its trailing backslash doubled.
void appendQuoted(std::wstring &strOut, const std::wstring &strArg)
{
    std::wstring::size_type nTrailing = 0;
    while (nTrailing < strArg.size() && strArg[strArg.size() - 1 - nTrailing] == L'\\')
        ++nTrailing;
    strOut += L'"';
    strOut += strArg;
    strOut.append(nTrailing, L'\\');
    strOut += L'"';
}

// Replaces every pixel of the top-left colour with the menu colour, in a
// copy of hSource. Returns null if the bitmap cannot be read.
HBITMAP recolourBitmap(HBITMAP hSource)
{
    BITMAP bm = {};
    if (!GetObjectW(hSource, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return nullptr;

    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = bm.bmWidth;
    bi.bmiHeader.biHeight = -bm.bmHeight; // top-down: pixel 0 is the top-left one
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;

    std::vector<DWORD> vecPixels;
    try {
        vecPixels.resize(static_cast<size_t>(bm.bmWidth) * static_cast<size_t>(bm.bmHeight));
    } catch (const std::bad_alloc &) {
        return nullptr;
    }

    HDC hdc = GetDC(nullptr);
    if (!hdc)
        return nullptr;
    HBITMAP hCopy = nullptr;
    if (GetDIBits(hdc, hSource, 0, static_cast<UINT>(bm.bmHeight), vecPixels.data(), &bi, DIB_RGB_COLORS)
        == bm.bmHeight) {
        const DWORD clrKey = vecPixels[0] & 0x00FFFFFF;
        const COLORREF clrMenu = GetSysColor(COLOR_MENU);
        const DWORD clrMenuPixel = (static_cast<DWORD>(GetRValue(clrMenu)) << 16)
            | (static_cast<DWORD>(GetGValue(clrMenu)) << 8) | GetBValue(clrMenu);
        for (DWORD &pixel : vecPixels) {
            if ((pixel & 0x00FFFFFF) == clrKey)
                pixel = clrMenuPixel;
        }
        hCopy = CreateCompatibleBitmap(hdc, bm.bmWidth, bm.bmHeight);
        if (hCopy
            && SetDIBits(hdc, hCopy, 0, static_cast<UINT>(bm.bmHeight), vecPixels.data(), &bi, DIB_RGB_COLORS)
                != bm.bmHeight) {
            DeleteObject(hCopy);
            hCopy = nullptr;
        }
    }
    ReleaseDC(nullptr, hdc);
    return hCopy;
}

// Copies at most cchMax characters including the terminator.
void copyText(wchar_t *pszDest, UINT cchMax, const wchar_t *pszSource)
{
    if (!pszDest || cchMax == 0)
        return;
    UINT n = 0;
    for (; n + 1 < cchMax && pszSource[n]; ++n)
        pszDest[n] = pszSource[n];
    pszDest[n] = L'\0';
}

} // namespace

CShellExt::CShellExt()
    : m_nRef(1)
    , m_hBitmap(nullptr)
{
    theApp.lockModule();
    m_hBitmap = loadMenuBitmap();
}

CShellExt::~CShellExt()
{
    if (m_hBitmap)
        DeleteObject(m_hBitmap);
    theApp.unlockModule();
}

HBITMAP CShellExt::loadMenuBitmap()
{
    HANDLE hLoaded = LoadImageW(theApp.instance(), MAKEINTRESOURCEW(IDB_MENU_BITMAP), IMAGE_BITMAP,
                                GetSystemMetrics(SM_CXMENUCHECK), GetSystemMetrics(SM_CYMENUCHECK),
                                LR_LOADTRANSPARENT);
    if (!hLoaded)
        return nullptr;
    HBITMAP hRecoloured = recolourBitmap(static_cast<HBITMAP>(hLoaded));
    DeleteObject(hLoaded);
    return hRecoloured;
}

STDMETHODIMP CShellExt::QueryInterface(REFIID riid, void **ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IShellExtInit))
        *ppv = static_cast<IShellExtInit *>(this);
    else if (IsEqualIID(riid, IID_IContextMenu))
        *ppv = static_cast<IContextMenu *>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CShellExt::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_nRef));
}

STDMETHODIMP_(ULONG) CShellExt::Release()
{
    const LONG nRef = InterlockedDecrement(&m_nRef);
    if (nRef == 0)
        delete this;
    return static_cast<ULONG>(nRef);
}

STDMETHODIMP CShellExt::Initialize(PCIDLIST_ABSOLUTE /*pidlFolder*/, IDataObject *pdtobj, HKEY /*hkeyProgID*/)
{
    m_vecPaths.clear();
    if (!pdtobj)
        return E_FAIL;

    FORMATETC fmt = { CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL };
    STGMEDIUM stg = {};
    if (FAILED(pdtobj->GetData(&fmt, &stg)))
        return E_FAIL;
    if (stg.tymed != TYMED_HGLOBAL || !stg.hGlobal) {
        ReleaseStgMedium(&stg);
        return E_FAIL;
    }

    HRESULT hr = S_OK;
    HDROP hDrop = static_cast<HDROP>(stg.hGlobal);
    const UINT nFiles = DragQueryFileW(hDrop, 0xFFFFFFFF, nullptr, 0);
    try {
        for (UINT i = 0; i < nFiles; ++i) {
            // Asking for the length first keeps long paths whole.
            const UINT nLen = DragQueryFileW(hDrop, i, nullptr, 0);
            if (nLen == 0)
                continue;
            std::wstring strPath(nLen + 1, L'\0');
            const UINT nCopied = DragQueryFileW(hDrop, i, &strPath[0], nLen + 1);
            if (nCopied == 0)
                continue;
            strPath.resize(nCopied);
            m_vecPaths.push_back(strPath);
        }
    } catch (const std::bad_alloc &) {
        m_vecPaths.clear();
        hr = E_OUTOFMEMORY;
    }
    ReleaseStgMedium(&stg);
    return hr;
}

STDMETHODIMP CShellExt::QueryContextMenu(HMENU hmenu, UINT indexMenu, UINT idCmdFirst, UINT idCmdLast, UINT uFlags)
{
    const UINT nMode = uFlags & 0x0F;
    if ((uFlags & CMF_OPTIMIZEFORINVOKE) || (nMode != CMF_NORMAL && nMode != CMF_EXPLORE)
        || idCmdFirst > idCmdLast)
        return MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_NULL, 0);

    if (!InsertMenuW(hmenu, indexMenu, MF_BYPOSITION | MF_STRING, idCmdFirst, kMenuText))
        return E_FAIL;
    // By command, since indexMenu may be past the end and then means "append".
    if (m_hBitmap)
        SetMenuItemBitmaps(hmenu, idCmdFirst, MF_BYCOMMAND, m_hBitmap, m_hBitmap);
    return MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_NULL, 1);
}

// Only our one command is run: the shell may pass a string verb meant for
// another handler.
bool CShellExt::isOurVerb(const CMINVOKECOMMANDINFO *pici) const
{
    if (pici->cbSize >= sizeof(CMINVOKECOMMANDINFOEX) && (pici->fMask & CMIC_MASK_UNICODE)) {
        const CMINVOKECOMMANDINFOEX *piciEx = reinterpret_cast<const CMINVOKECOMMANDINFOEX *>(pici);
        if (IS_INTRESOURCE(piciEx->lpVerbW))
            return LOWORD(reinterpret_cast<ULONG_PTR>(piciEx->lpVerbW)) == 0;
        return lstrcmpW(piciEx->lpVerbW, kVerb) == 0;
    }
    if (IS_INTRESOURCE(pici->lpVerb))
        return LOWORD(reinterpret_cast<ULONG_PTR>(pici->lpVerb)) == 0;
    return lstrcmpA(pici->lpVerb, kVerbA) == 0;
}

// The program path is quoted as well: unquoted, a folder such as
// "C:\Program Files\Scribo" would reach scrb as extra arguments.
std::wstring CShellExt::commandLine() const
{
    std::wstring strCmd;
    appendQuoted(strCmd, theApp.moduleFolder() + L"scrb.exe");
    for (const std::wstring &strPath : m_vecPaths) {
        strCmd += L' ';
        appendQuoted(strCmd, strPath);
    }
    return strCmd;
}

STDMETHODIMP CShellExt::InvokeCommand(CMINVOKECOMMANDINFO *pici)
{
    if (!pici || pici->cbSize < sizeof(CMINVOKECOMMANDINFO))
        return E_INVALIDARG;
    if (!isOurVerb(pici))
        return E_INVALIDARG;
    if (theApp.modulePath().empty())
        return S_FALSE;

    std::vector<wchar_t> vecCmd;
    try {
        const std::wstring strCmd = commandLine();
        vecCmd.assign(strCmd.begin(), strCmd.end());
        vecCmd.push_back(L'\0');
    } catch (const std::bad_alloc &) {
        return E_OUTOFMEMORY;
    }

    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, vecCmd.data(), nullptr, nullptr, FALSE, CREATE_DEFAULT_ERROR_MODE, nullptr,
                        nullptr, &si, &pi))
        return S_FALSE;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return S_OK;
}

STDMETHODIMP CShellExt::GetCommandString(UINT_PTR idCmd, UINT uFlags, UINT * /*pReserved*/, CHAR *pszName,
                                         UINT cchMax)
{
    const wchar_t *pszText = nullptr;
    if (uFlags == GCS_VERBW) {
        pszText = idCmd == 0 ? kVerb : idCmd == 1 ? L"Norvel Scribo: Operation2" : L"Norvel Scribo";
    } else if (uFlags == GCS_HELPTEXTW) {
        pszText = idCmd == 0   ? L"Norvel Scribo: Do something to the selected file(s)"
                  : idCmd == 1 ? L"Norvel Scribo: Do something else to the selected file(s)"
                               : L"Norvel Scribo";
    }
    if (pszText)
        copyText(reinterpret_cast<wchar_t *>(pszName), cchMax, pszText);
    return S_OK;
}
