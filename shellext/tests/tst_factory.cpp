// Class object, class factory, reference counts and unloading.
#include "TestSupport.h"
#include "check.h"

namespace {

// {0E8E2E5A-1111-4C8B-9D1E-3B4B5C6D7E8F}: not ours.
const CLSID kOtherClsid = { 0x0e8e2e5a, 0x1111, 0x4c8b, { 0x9d, 0x1e, 0x3b, 0x4b, 0x5c, 0x6d, 0x7e, 0x8f } };

void *const kGarbage = reinterpret_cast<void *>(static_cast<ULONG_PTR>(0x1234));

struct NamedIid
{
    const IID *pIid;
    const char *pszName;
};
#define IID_NAMED(name) NamedIid{ &IID_##name, #name }

} // namespace

TEST_CASE("factory", classObjectOnlyForOurClass)
{
    CExtension ext;
    void *pv = kGarbage;
    CHECK_EQ(ext.getClassObject(kOtherClsid, IID_IClassFactory, &pv), CLASS_E_CLASSNOTAVAILABLE);
    CHECK(pv == nullptr);
    CHECK_EQ(ext.canUnloadNow(), S_OK);

    pv = kGarbage;
    CHECK_EQ(ext.getClassObject(CLSID_ScrbExtShellTest, IID_IContextMenu, &pv), E_NOINTERFACE);
    CHECK(pv == nullptr);
    // The refused factory must not stay alive.
    CHECK_EQ(ext.canUnloadNow(), S_OK);

    CHECK_EQ(ext.getClassObject(CLSID_ScrbExtShellTest, IID_IClassFactory, nullptr), E_POINTER);

    CComRef<IClassFactory> factory;
    CHECK_EQ(ext.getClassObject(CLSID_ScrbExtShellTest, IID_IClassFactory, factory.putVoid()), S_OK);
    REQUIRE(factory.get() != nullptr);

    CComRef<IUnknown> unknown;
    CHECK_EQ(ext.getClassObject(CLSID_ScrbExtShellTest, IID_IUnknown, unknown.putVoid()), S_OK);
    CHECK(unknown.get() != nullptr);
}

TEST_CASE("factory", factoryReferenceCounting)
{
    CExtension ext;
    CHECK_EQ(ext.canUnloadNow(), S_OK);

    IClassFactory *pFactory = nullptr;
    REQUIRE(ext.getClassObject(CLSID_ScrbExtShellTest, IID_IClassFactory, reinterpret_cast<void **>(&pFactory))
            == S_OK);
    CHECK_EQ(ext.canUnloadNow(), S_FALSE);
    CHECK_EQ(pFactory->AddRef(), 2u);
    CHECK_EQ(pFactory->Release(), 1u);

    IUnknown *pUnknown = nullptr;
    CHECK_EQ(pFactory->QueryInterface(IID_IUnknown, reinterpret_cast<void **>(&pUnknown)), S_OK);
    CHECK(pUnknown == static_cast<IUnknown *>(pFactory));
    CHECK_EQ(pUnknown->Release(), 1u);

    void *pv = kGarbage;
    CHECK_EQ(pFactory->QueryInterface(IID_IShellExtInit, &pv), E_NOINTERFACE);
    CHECK(pv == nullptr);
    CHECK_EQ(pFactory->QueryInterface(IID_IClassFactory, nullptr), E_POINTER);

    CHECK_EQ(ext.canUnloadNow(), S_FALSE);
    CHECK_EQ(pFactory->Release(), 0u);
    CHECK_EQ(ext.canUnloadNow(), S_OK);
}

TEST_CASE("factory", lockServerKeepsModule)
{
    CExtension ext;
    {
        CComRef<IClassFactory> factory;
        REQUIRE(ext.getClassObject(CLSID_ScrbExtShellTest, IID_IClassFactory, factory.putVoid()) == S_OK);
        CHECK_EQ(factory->LockServer(TRUE), S_OK);
    }
    CHECK_EQ(ext.canUnloadNow(), S_FALSE);
    {
        CComRef<IClassFactory> factory;
        REQUIRE(ext.getClassObject(CLSID_ScrbExtShellTest, IID_IClassFactory, factory.putVoid()) == S_OK);
        CHECK_EQ(factory->LockServer(FALSE), S_OK);
    }
    CHECK_EQ(ext.canUnloadNow(), S_OK);
}

TEST_CASE("factory", createInstanceRules)
{
    CExtension ext;
    {
        CComRef<IClassFactory> factory;
        REQUIRE(ext.getClassObject(CLSID_ScrbExtShellTest, IID_IClassFactory, factory.putVoid()) == S_OK);

        void *pv = kGarbage;
        CHECK_EQ(factory->CreateInstance(factory.get(), IID_IUnknown, &pv), CLASS_E_NOAGGREGATION);
        CHECK(pv == nullptr);

        pv = kGarbage;
        CHECK_EQ(factory->CreateInstance(nullptr, IID_IDataObject, &pv), E_NOINTERFACE);
        CHECK(pv == nullptr);

        CHECK_EQ(factory->CreateInstance(nullptr, IID_IContextMenu, nullptr), E_POINTER);

        const NamedIid aIids[] = { IID_NAMED(IUnknown), IID_NAMED(IShellExtInit), IID_NAMED(IContextMenu) };
        for (const NamedIid &iid : aIids) {
            check::Context context(iid.pszName);
            CComRef<IUnknown> object;
            CHECK_EQ(factory->CreateInstance(nullptr, *iid.pIid, object.putVoid()), S_OK);
            CHECK(object.get() != nullptr);
        }
    }
    // Refused and released handlers are all gone.
    CHECK_EQ(ext.canUnloadNow(), S_OK);
}

TEST_CASE("factory", handlerInterfaceIdentity)
{
    CExtension ext;
    CComRef<IContextMenu> menu(ext.createMenu());

    CComRef<IShellExtInit> init;
    CHECK_EQ(menu->QueryInterface(IID_IShellExtInit, init.putVoid()), S_OK);
    REQUIRE(init.get() != nullptr);

    CComRef<IContextMenu> menuAgain;
    CHECK_EQ(init->QueryInterface(IID_IContextMenu, menuAgain.putVoid()), S_OK);
    CHECK(menuAgain.get() == menu.get());

    CComRef<IShellExtInit> initAgain;
    CHECK_EQ(menuAgain->QueryInterface(IID_IShellExtInit, initAgain.putVoid()), S_OK);
    CHECK(initAgain.get() == init.get());

    // One IUnknown, whichever interface it is asked from.
    CComRef<IUnknown> unknownFromMenu;
    CComRef<IUnknown> unknownFromInit;
    CHECK_EQ(menu->QueryInterface(IID_IUnknown, unknownFromMenu.putVoid()), S_OK);
    CHECK_EQ(init->QueryInterface(IID_IUnknown, unknownFromInit.putVoid()), S_OK);
    CHECK(unknownFromMenu.get() != nullptr);
    CHECK(unknownFromMenu.get() == unknownFromInit.get());

    const NamedIid aOthers[] = { IID_NAMED(IClassFactory), IID_NAMED(IContextMenu2), IID_NAMED(IContextMenu3),
                                 IID_NAMED(IDataObject), IID_NAMED(IShellFolder) };
    for (const NamedIid &iid : aOthers) {
        check::Context context(iid.pszName);
        void *pv = kGarbage;
        CHECK_EQ(menu->QueryInterface(*iid.pIid, &pv), E_NOINTERFACE);
        CHECK(pv == nullptr);
    }
    CHECK_EQ(menu->QueryInterface(IID_IContextMenu, nullptr), E_POINTER);
}

TEST_CASE("factory", handlerReferenceCounting)
{
    CExtension ext;
    IContextMenu *pMenu = ext.createMenu();
    // The two interfaces share one count.
    IShellExtInit *pInit = nullptr;
    REQUIRE(pMenu->QueryInterface(IID_IShellExtInit, reinterpret_cast<void **>(&pInit)) == S_OK);
    CHECK_EQ(pMenu->AddRef(), 3u);
    CHECK_EQ(pInit->Release(), 2u);
    CHECK_EQ(pMenu->Release(), 1u);
    CHECK_EQ(ext.canUnloadNow(), S_FALSE);
    CHECK_EQ(pMenu->Release(), 0u);
    CHECK_EQ(ext.canUnloadNow(), S_OK);
}

TEST_CASE("factory", unloadOnlyAfterLastHandler)
{
    CExtension ext;
    IContextMenu *pFirst = nullptr;
    IContextMenu *pSecond = nullptr;
    {
        CComRef<IClassFactory> factory;
        REQUIRE(ext.getClassObject(CLSID_ScrbExtShellTest, IID_IClassFactory, factory.putVoid()) == S_OK);
        REQUIRE(factory->CreateInstance(nullptr, IID_IContextMenu, reinterpret_cast<void **>(&pFirst)) == S_OK);
        REQUIRE(factory->CreateInstance(nullptr, IID_IContextMenu, reinterpret_cast<void **>(&pSecond)) == S_OK);
        CHECK(pFirst != pSecond);
    }
    CHECK_EQ(ext.canUnloadNow(), S_FALSE);
    CHECK_EQ(pFirst->Release(), 0u);
    CHECK_EQ(ext.canUnloadNow(), S_FALSE);
    CHECK_EQ(pSecond->Release(), 0u);
    CHECK_EQ(ext.canUnloadNow(), S_OK);
}
