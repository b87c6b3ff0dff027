#include "CShellExtClassFactory.h"

#include "CScrbExtShellApp.h"
#include "CShellExt.h"

#include <new>

CShellExtClassFactory::CShellExtClassFactory()
    : m_nRef(1)
{
    theApp.lockModule();
}

CShellExtClassFactory::~CShellExtClassFactory()
{
    theApp.unlockModule();
}

STDMETHODIMP CShellExtClassFactory::QueryInterface(REFIID riid, void **ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
        *ppv = static_cast<IClassFactory *>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CShellExtClassFactory::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_nRef));
}

STDMETHODIMP_(ULONG) CShellExtClassFactory::Release()
{
    const LONG nRef = InterlockedDecrement(&m_nRef);
    if (nRef == 0)
        delete this;
    return static_cast<ULONG>(nRef);
}

STDMETHODIMP CShellExtClassFactory::CreateInstance(IUnknown *pUnkOuter, REFIID riid, void **ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (pUnkOuter)
        return CLASS_E_NOAGGREGATION;

    CShellExt *pShellExt = new (std::nothrow) CShellExt();
    if (!pShellExt)
        return E_OUTOFMEMORY;

    // The object starts with one reference of its own; dropping it after the
    // query frees the object when the interface was not available.
    const HRESULT hr = pShellExt->QueryInterface(riid, ppv);
    pShellExt->Release();
    return hr;
}

// A lock keeps the DLL loaded while a client holds no object of ours.
STDMETHODIMP CShellExtClassFactory::LockServer(BOOL bLock)
{
    if (bLock)
        theApp.lockModule();
    else
        theApp.unlockModule();
    return S_OK;
}
