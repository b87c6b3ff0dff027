#include "CExtension.h"

#include "CComRef.h"
#include "TestSupport.h"
#include "check.h"

template <typename Fn>
static Fn exportOf(HMODULE hModule, const char *pszName)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void *>(GetProcAddress(hModule, pszName)));
}

CExtension::CExtension(bool bWithScrb, const wchar_t *pszStem)
    : m_folder(pszStem)
{
    const std::wstring strBuilt = programFolder();
    REQUIRE(m_folder.copyIn(strBuilt + L"ScrbExtShell.dll", L"ScrbExtShell.dll"));
    if (bWithScrb)
        REQUIRE(m_folder.copyIn(strBuilt + L"scrb.exe", L"scrb.exe"));
    m_hModule = LoadLibraryW(dllPath().c_str());
    REQUIRE(m_hModule != nullptr);
    // Looked up by their plain names, as COM and regsvr32 do.
    m_fnGetClassObject = exportOf<FnGetClassObject>(m_hModule, "DllGetClassObject");
    m_fnCanUnloadNow = exportOf<FnNoArgs>(m_hModule, "DllCanUnloadNow");
    m_fnRegister = exportOf<FnNoArgs>(m_hModule, "DllRegisterServer");
    m_fnUnregister = exportOf<FnNoArgs>(m_hModule, "DllUnregisterServer");
    REQUIRE(m_fnGetClassObject && m_fnCanUnloadNow && m_fnRegister && m_fnUnregister);
}

CExtension::~CExtension()
{
    if (m_hModule)
        FreeLibrary(m_hModule);
}

HRESULT CExtension::getClassObject(REFCLSID rclsid, REFIID riid, void **ppv) const
{
    return m_fnGetClassObject(rclsid, riid, ppv);
}

HRESULT CExtension::canUnloadNow() const
{
    return m_fnCanUnloadNow();
}

HRESULT CExtension::registerServer() const
{
    return m_fnRegister();
}

HRESULT CExtension::unregisterServer() const
{
    return m_fnUnregister();
}

IContextMenu *CExtension::createMenu() const
{
    CComRef<IClassFactory> factory;
    REQUIRE(getClassObject(CLSID_ScrbExtShellTest, IID_IClassFactory, factory.putVoid()) == S_OK);
    IContextMenu *pMenu = nullptr;
    REQUIRE(factory->CreateInstance(nullptr, IID_IContextMenu, reinterpret_cast<void **>(&pMenu)) == S_OK);
    REQUIRE(pMenu != nullptr);
    return pMenu;
}
