#include "CFakeDataObject.h"

#include <shlobj.h>

// Given as pUnkForRelease, so releasing a medium is seen by the data object.
class CFakeDataObject::CMediumToken : public IUnknown
{
public:
    explicit CMediumToken(CFakeDataObject *pOwner) : m_pOwner(pOwner) { m_pOwner->AddRef(); }

    STDMETHODIMP QueryInterface(REFIID riid, void **ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown))
            return E_NOINTERFACE;
        *ppv = this;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++m_nRef); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG nRef = --m_nRef;
        if (nRef == 0) {
            --m_pOwner->m_nOutstandingMedia;
            m_pOwner->Release();
            delete this;
        }
        return static_cast<ULONG>(nRef);
    }

private:
    virtual ~CMediumToken() = default;

    LONG m_nRef = 1;
    CFakeDataObject *m_pOwner;
};

CFakeDataObject::CFakeDataObject(const std::vector<std::wstring> &vecPaths, bool bOffersDrop)
    : m_nRef(1)
    , m_nOutstandingMedia(0)
    , m_nGetDataCalls(0)
    , m_vecPaths(vecPaths)
    , m_bOffersDrop(bOffersDrop)
{
}

CFakeDataObject::~CFakeDataObject()
{
    for (HGLOBAL h : m_vecGiven)
        GlobalFree(h);
}

STDMETHODIMP CFakeDataObject::QueryInterface(REFIID riid, void **ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDataObject))
        return E_NOINTERFACE;
    *ppv = static_cast<IDataObject *>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CFakeDataObject::AddRef()
{
    return static_cast<ULONG>(++m_nRef);
}

STDMETHODIMP_(ULONG) CFakeDataObject::Release()
{
    const LONG nRef = --m_nRef;
    if (nRef == 0)
        delete this;
    return static_cast<ULONG>(nRef);
}

bool CFakeDataObject::offersDrop(const FORMATETC *pFormat) const
{
    return m_bOffersDrop && pFormat && pFormat->cfFormat == CF_HDROP && (pFormat->tymed & TYMED_HGLOBAL)
        && pFormat->dwAspect == DVASPECT_CONTENT;
}

STDMETHODIMP CFakeDataObject::GetData(FORMATETC *pFormat, STGMEDIUM *pMedium)
{
    ++m_nGetDataCalls;
    if (!pMedium)
        return E_INVALIDARG;
    if (!offersDrop(pFormat))
        return DV_E_FORMATETC;

    // DROPFILES, then each wide path with its NUL, then one more NUL.
    size_t nChars = 1;
    for (const std::wstring &strPath : m_vecPaths)
        nChars += strPath.size() + 1;
    HGLOBAL hGlobal = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + nChars * sizeof(wchar_t));
    if (!hGlobal)
        return E_OUTOFMEMORY;
    DROPFILES *pDrop = static_cast<DROPFILES *>(GlobalLock(hGlobal));
    pDrop->pFiles = sizeof(DROPFILES);
    pDrop->fWide = TRUE;
    wchar_t *pszOut = reinterpret_cast<wchar_t *>(reinterpret_cast<BYTE *>(pDrop) + sizeof(DROPFILES));
    for (const std::wstring &strPath : m_vecPaths) {
        strPath.copy(pszOut, strPath.size());
        pszOut += strPath.size() + 1;
    }
    GlobalUnlock(hGlobal);
    m_vecGiven.push_back(hGlobal);

    pMedium->tymed = TYMED_HGLOBAL;
    pMedium->hGlobal = hGlobal;
    pMedium->pUnkForRelease = new CMediumToken(this);
    ++m_nOutstandingMedia;
    return S_OK;
}

STDMETHODIMP CFakeDataObject::GetDataHere(FORMATETC *, STGMEDIUM *)
{
    return E_NOTIMPL;
}

STDMETHODIMP CFakeDataObject::QueryGetData(FORMATETC *pFormat)
{
    return offersDrop(pFormat) ? S_OK : DV_E_FORMATETC;
}

STDMETHODIMP CFakeDataObject::GetCanonicalFormatEtc(FORMATETC *, FORMATETC *pFormatOut)
{
    if (pFormatOut)
        pFormatOut->ptd = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CFakeDataObject::SetData(FORMATETC *, STGMEDIUM *, BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP CFakeDataObject::EnumFormatEtc(DWORD, IEnumFORMATETC **ppEnum)
{
    if (ppEnum)
        *ppEnum = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CFakeDataObject::DAdvise(FORMATETC *, DWORD, IAdviseSink *, DWORD *)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

STDMETHODIMP CFakeDataObject::DUnadvise(DWORD)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

STDMETHODIMP CFakeDataObject::EnumDAdvise(IEnumSTATDATA **ppEnum)
{
    if (ppEnum)
        *ppEnum = nullptr;
    return OLE_E_ADVISENOTSUPPORTED;
}
