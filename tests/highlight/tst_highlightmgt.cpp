// The definition catalogue and the loader, on definition folders written
// for each case.
#include "highlight/CHighlightMgt.h"

#include <QTemporaryDir>
#include <QtTest>

class TestHighlightMgt : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void missingFolderGivesEmptyIndex();
    void indexRecords();
    void lookupByFileName_data();
    void lookupByFileName();
    void firstBaseNameWins();
    void unparsableFilesLeftOut();
    void vanishedFileGivesEmptyMap();
    void loaderOnlyRoot();
    void loaderElementCaseAndAttributes();
    void loaderLaterElementsReplace();

private:
    QString write(const QString& strName, const QByteArray& arrXml);
    std::unique_ptr<QTemporaryDir> m_pDir;
};

void TestHighlightMgt::init()
{
    m_pDir = std::make_unique<QTemporaryDir>();
}

QString TestHighlightMgt::write(const QString& strName, const QByteArray& arrXml)
{
    const QString strPath = m_pDir->filePath(strName);
    QFile file(strPath);
    if (file.open(QIODevice::WriteOnly))
        file.write(arrXml);
    return strPath;
}

void TestHighlightMgt::missingFolderGivesEmptyIndex()
{
    CHighlightMgt mgt(m_pDir->filePath("no-such-folder"), nullptr);
    QVERIFY(mgt.index().isEmpty());
    QVERIFY(mgt.getHighlightByFileName("/a/b.cpp").isEmpty());
    QVERIFY(mgt.getHighlightByName("C++").isEmpty());
}

void TestHighlightMgt::indexRecords()
{
    write("a.b.xml", "<language name=\"AB\" extensions=\"*.ab;*.AB2;\"/>");
    write("zeta.xml", "<x name=\"Zeta\"/>");
    CHighlightMgt mgt(m_pDir->path(), nullptr);
    QCOMPARE(mgt.index().keys(), (QStringList{"a", "zeta"}));
    const QVariantMap mapRecord = mgt.index().value("a").toMap();
    QCOMPARE(mapRecord.value("name").toString(), QString("AB"));
    QCOMPARE(mapRecord.value("file_base_name").toString(), QString("a"));
    QCOMPARE(mapRecord.value("extension").toStringList(), (QStringList{"*.ab", "*.AB2", ""}));
    QCOMPARE(mapRecord.value("path").toString(), m_pDir->filePath("a.b.xml"));
    QCOMPARE(mgt.index().value("zeta").toMap().value("extension").toStringList(), QStringList{""});
}

void TestHighlightMgt::lookupByFileName_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("language");
    QTest::newRow("case-insensitive wildcard") << "/src/main.cpp" << "CPP";
    QTest::newRow("upper-case name") << "/src/MAIN.CPP" << "CPP";
    QTest::newRow("star crosses folders") << "/deep/dir/x.h" << "CPP";
    QTest::newRow("bare name needs the whole path") << "/x/Makefile" << "";
    QTest::newRow("bare name matches alone") << "Makefile" << "Make";
    QTest::newRow("leading star matches a path") << "/x/rules.MK" << "Make";
    QTest::newRow("question mark") << "/p/a.c1" << "Q";
    QTest::newRow("bracket set") << "/p/a.cz" << "Q";
    QTest::newRow("no match") << "/p/readme" << "";
    QTest::newRow("empty name matches the empty pattern") << "" << "Empty";
}

void TestHighlightMgt::lookupByFileName()
{
    QFETCH(QString, file);
    QFETCH(QString, language);
    write("cpp.xml", "<language name=\"CPP\" extensions=\"*.CPP;*.h\"/>");
    write("make.xml", "<language name=\"Make\" extensions=\"Makefile;*.mk\"/>");
    write("q.xml", "<language name=\"Q\" extensions=\"*.c?;*.[xyz]\"/>");
    write("zz.xml", "<language name=\"Empty\" extensions=\"*.zz;\"/>");
    CHighlightMgt mgt(m_pDir->path(), nullptr);
    const QVariantMap mapDef = mgt.getHighlightByFileName(file);
    QCOMPARE(mapDef.value("language").toMap().value("name").toString(), language);
}

void TestHighlightMgt::firstBaseNameWins()
{
    write("beta.xml", "<l name=\"Same\" extensions=\"*.x\"><general/></l>");
    write("alpha.xml", "<l name=\"Same\" extensions=\"*.y;*.x\"><highlighting/></l>");
    CHighlightMgt mgt(m_pDir->path(), nullptr);
    QVERIFY(mgt.getHighlightByFileName("/f.x").contains("highlighting"));
    QVERIFY(mgt.getHighlightByName("Same").contains("highlighting"));
    QVERIFY(mgt.getHighlightByName("same").isEmpty()); // names compare exactly
}

void TestHighlightMgt::unparsableFilesLeftOut()
{
    write("good.xml", "<l name=\"Good\"/>");
    write("bad.xml", "<l name=\"Bad\"");
    write("empty.xml", "");
    CHighlightMgt mgt(m_pDir->path(), nullptr);
    QCOMPARE(mgt.index().keys(), QStringList{"good"});
}

void TestHighlightMgt::vanishedFileGivesEmptyMap()
{
    const QString strPath = write("gone.xml", "<l name=\"Gone\" extensions=\"*.g\"/>");
    CHighlightMgt mgt(m_pDir->path(), nullptr);
    QFile::remove(strPath);
    QVERIFY(mgt.getHighlightByFileName("/a.g").isEmpty());
    QVERIFY(mgt.getHighlightByName("Gone").isEmpty());
}

void TestHighlightMgt::loaderOnlyRoot()
{
    const QVariantMap mapDef = CHighlightMgt::loadHighlight(write("r.xml", "<lang name=\"R\" extensions=\"*.r\"/>"));
    QCOMPARE(mapDef.keys(), QStringList{"language"});
    QCOMPARE(mapDef.value("language").toMap().value("extensions").toString(), QString("*.r"));
    QVERIFY(CHighlightMgt::loadHighlight(QString()).isEmpty());
    QVERIFY(CHighlightMgt::loadHighlight(m_pDir->filePath("missing.xml")).isEmpty());
}

void TestHighlightMgt::loaderElementCaseAndAttributes()
{
    const QVariantMap mapDef = CHighlightMgt::loadHighlight(write("c.xml", R"(
<language name="C">
  <GENERAL>
    <Keywords casesensitive="True"/>
    <comments>
      <comment name="SingleLine" start="//"/>
      <anything Name="multiline" start="/*" end="*/"/>
    </comments>
  </GENERAL>
  <Highlighting>
    <LIST name="kw"><item> if </item><x>else</x></LIST>
    <contexts>
      <context name="El Open"><DetectChar char="&lt;" char1="x"/></context>
    </contexts>
  </Highlighting>
  <unknown/>
</language>)"));
    const QVariantMap mapGeneral = mapDef.value("general").toMap();
    QCOMPARE(mapGeneral.value("keywords").toMap().value("casesensitive").toString(), QString("True"));
    const QVariantList lstComments = mapGeneral.value("comments").toList();
    QCOMPARE(lstComments.size(), 2);
    QCOMPARE(lstComments.at(0).toMap().value("name").toString(), QString("SingleLine"));
    QCOMPARE(lstComments.at(1).toMap().value("name").toString(), QString()); // "Name" is not "name"
    QCOMPARE(lstComments.at(1).toMap().value("end").toString(), QString("*/"));
    const QVariantMap mapHl = mapDef.value("highlighting").toMap();
    QCOMPARE(mapHl.value("kw").toStringList(), (QStringList{" if ", "else"}));
    const QVariantMap mapContext = mapHl.value("contexts").toList().value(0).toMap();
    QCOMPARE(mapContext.value("name").toString(), QString("El Open"));
    const QVariantMap mapRule = mapContext.value("children").toList().value(0).toMap();
    QCOMPARE(mapRule.value("tag").toString(), QString("DetectChar"));
    QCOMPARE(mapRule.value("char").toString(), QString("<"));
    QCOMPARE(mapRule.value("char1").toString(), QString("x"));
    QVERIFY(!mapDef.contains("unknown"));
}

void TestHighlightMgt::loaderLaterElementsReplace()
{
    const QVariantMap mapDef = CHighlightMgt::loadHighlight(write("d.xml", R"(
<language name="D">
  <general><keywords casesensitive="true"/><keywords casesensitive="false"/></general>
  <highlighting>
    <list name="kw"><item>one</item></list>
    <list name="kw"><item>two</item></list>
    <contexts><context name="first"/></contexts>
    <list name="contexts"><item>list wins</item></list>
  </highlighting>
  <highlighting><list name="other"><item>x</item></list></highlighting>
</language>)"));
    QCOMPARE(mapDef.value("general").toMap().value("keywords").toMap().value("casesensitive").toString(),
             QString("false"));
    const QVariantMap mapHl = mapDef.value("highlighting").toMap();
    QCOMPARE(mapHl.keys(), QStringList{"other"}); // the second highlighting replaced the first

    const QVariantMap mapFirst = CHighlightMgt::loadHighlight(write("e.xml", R"(
<language><highlighting>
    <list name="kw"><item>one</item></list>
    <list name="kw"><item>two</item></list>
    <contexts><context name="first"/></contexts>
    <list name="contexts"><item>list wins</item></list>
</highlighting></language>)"));
    const QVariantMap mapHl2 = mapFirst.value("highlighting").toMap();
    QCOMPARE(mapHl2.value("kw").toStringList(), QStringList{"two"});
    QCOMPARE(mapHl2.value("contexts").toStringList(), QStringList{"list wins"});
}

QTEST_GUILESS_MAIN(TestHighlightMgt)
#include "tst_highlightmgt.moc"
