#pragma once

#include <windows.h>
#include <objidl.h>

#include <string>
#include <vector>

// A data object as Explorer hands it to a context-menu handler, with a
// CF_HDROP list written by hand. It counts its references and the storage
// media it gave out that were not released yet.
class CFakeDataObject : public IDataObject
{
public:
    // bOffersDrop false makes a data object without CF_HDROP.
    CFakeDataObject(const std::vector<std::wstring> &vecPaths, bool bOffersDrop = true);

    LONG refCount() const { return m_nRef; }
    LONG outstandingMedia() const { return m_nOutstandingMedia; }
    int getDataCalls() const { return m_nGetDataCalls; }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void **ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IDataObject
    STDMETHODIMP GetData(FORMATETC *pFormat, STGMEDIUM *pMedium) override;
    STDMETHODIMP GetDataHere(FORMATETC *pFormat, STGMEDIUM *pMedium) override;
    STDMETHODIMP QueryGetData(FORMATETC *pFormat) override;
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC *pFormatIn, FORMATETC *pFormatOut) override;
    STDMETHODIMP SetData(FORMATETC *pFormat, STGMEDIUM *pMedium, BOOL bRelease) override;
    STDMETHODIMP EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC **ppEnum) override;
    STDMETHODIMP DAdvise(FORMATETC *pFormat, DWORD advf, IAdviseSink *pSink, DWORD *pdwConnection) override;
    STDMETHODIMP DUnadvise(DWORD dwConnection) override;
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA **ppEnum) override;

private:
    class CMediumToken;
    friend class CMediumToken;

    virtual ~CFakeDataObject();
    bool offersDrop(const FORMATETC *pFormat) const;

    LONG m_nRef;
    LONG m_nOutstandingMedia;
    int m_nGetDataCalls;
    std::vector<std::wstring> m_vecPaths;
    bool m_bOffersDrop;
    std::vector<HGLOBAL> m_vecGiven;
};
