#pragma once

#include <windows.h>
#include <unknwn.h>

// Makes CShellExt objects for COM.
class CShellExtClassFactory : public IClassFactory
{
public:
    CShellExtClassFactory();

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void **ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IClassFactory
    STDMETHODIMP CreateInstance(IUnknown *pUnkOuter, REFIID riid, void **ppv) override;
    STDMETHODIMP LockServer(BOOL bLock) override;

private:
    virtual ~CShellExtClassFactory();

    volatile LONG m_nRef;
};
