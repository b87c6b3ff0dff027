#include "app/CLangMgt.h"
#include "app/Startup.h"

#include <QtTest>

class TestLangMgt : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { initScrbResources(); }
    void emptyUntilEventLoopRuns();
    void translatesChineseEntriesAsUtf8();
    void unknownLocaleAndEmptyMemberReturnSource_data();
    void unknownLocaleAndEmptyMemberReturnSource();
};

void TestLangMgt::emptyUntilEventLoopRuns()
{
    CLangMgt mgt;
    mgt.setCurLang("zh_cn");
    QCOMPARE(mgt.translate("Untitled"), QString("Untitled"));
    QCoreApplication::processEvents();
    QCOMPARE(mgt.translate("Untitled"), QString::fromUtf8("未命名"));
}

void TestLangMgt::translatesChineseEntriesAsUtf8()
{
    CLangMgt mgt;
    mgt.setCurLang("zh_cn");
    mgt.init();
    QCOMPARE(mgt.translate("Preview"), QString::fromUtf8("预览"));
    QCOMPARE(mgt.translate("Folder Browser"), QString::fromUtf8("文件夹浏览器"));
    QCOMPARE(mgt.translate("Not in the table"), QString("Not in the table"));
}

void TestLangMgt::unknownLocaleAndEmptyMemberReturnSource_data()
{
    QTest::addColumn<QString>("locale");
    QTest::newRow("english") << "en_us";
    QTest::newRow("japanese member is empty") << "ja_jp";
    QTest::newRow("no locale") << "";
}

void TestLangMgt::unknownLocaleAndEmptyMemberReturnSource()
{
    QFETCH(QString, locale);
    CLangMgt mgt;
    mgt.setCurLang(locale);
    mgt.init();
    for (const char* szText : {"Untitled", "Preview", "Folder Browser"})
        QCOMPARE(mgt.translate(szText), QString(szText));
}

QTEST_GUILESS_MAIN(TestLangMgt)
#include "tst_langmgt.moc"
