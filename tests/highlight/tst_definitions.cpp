// Every language definition shipped in highlighter/ loads, has a unique
// non-empty name, and compiles every pattern it contributes; and common
// files find the language meant for them.
#include "highlight/CHighlightMgt.h"
#include "highlight/CSyntaxRules.h"

#include <QtTest>

class TestDefinitions : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void everyDefinitionIsSound();
    void requiredLanguagesShipped();
    void filesFindTheirLanguage_data();
    void filesFindTheirLanguage();

private:
    std::unique_ptr<CHighlightMgt> m_pMgt;
};

void TestDefinitions::initTestCase()
{
    m_pMgt = std::make_unique<CHighlightMgt>(SCRB_HIGHLIGHTER_DIR, nullptr);
    const int nFiles = QDir(SCRB_HIGHLIGHTER_DIR).entryList(QDir::Files).size();
    QVERIFY(nFiles > 0);
    QCOMPARE(m_pMgt->index().size(), nFiles); // none unreadable, none sharing a base name
}

void TestDefinitions::everyDefinitionIsSound()
{
    QSet<QString> setNames;
    QMap<QString, QString> mapPatternOwner;
    for (const QVariant& varRecord : m_pMgt->index()) {
        const QVariantMap mapRecord = varRecord.toMap();
        const QString strFile = mapRecord.value("path").toString();
        const QString strName = mapRecord.value("name").toString();
        QVERIFY2(!strName.isEmpty(), qPrintable(strFile + ": empty name"));
        QVERIFY2(!setNames.contains(strName), qPrintable(strFile + ": name used twice: " + strName));
        setNames.insert(strName);
        for (const QString& strPattern : mapRecord.value("extension").toStringList()) {
            QVERIFY2(!strPattern.isEmpty(), qPrintable(strFile + ": empty file pattern"));
            QVERIFY2(QRegExp(strPattern, Qt::CaseInsensitive, QRegExp::WildcardUnix).isValid(),
                     qPrintable(strFile + ": bad file pattern " + strPattern));
            const QString strKey = strPattern.toLower();
            QVERIFY2(mapPatternOwner.value(strKey, strFile) == strFile,
                     qPrintable(strFile + ": pattern " + strPattern + " also in "
                                + mapPatternOwner.value(strKey)));
            mapPatternOwner.insert(strKey, strFile);
        }

        const QVariantMap mapDef = CHighlightMgt::loadHighlight(strFile);
        QCOMPARE(mapDef.value("language").toMap().value("name").toString(), strName);
        CSyntaxRules rules;
        rules.setDefinition(mapDef);
        rules.dropWordIndex(); // every pattern compiled
        QVERIFY2(rules.m_lstKeywordRules.size() > 0, qPrintable(strFile + ": no keywords"));
        for (const CSyntaxRules::Rule& rule : rules.m_lstKeywordRules) {
            QVERIFY2(rule.rx.isValid(), qPrintable(strFile + ": invalid pattern " + rule.rx.pattern()));
            QVERIFY2(rule.rx.indexIn(QString()) < 0 || rule.rx.matchedLength() > 0,
                     qPrintable(strFile + ": pattern matches empty text: " + rule.rx.pattern()));
        }
        for (const QRegExp* pRx : {&rules.m_rxSingleComment, &rules.m_rxMultiCommentStart,
                                   &rules.m_rxMultiCommentEnd, &rules.m_rxElementOpen,
                                   &rules.m_rxElementClose}) {
            QVERIFY2(pRx->isEmpty() || pRx->isValid(),
                     qPrintable(strFile + ": invalid marker " + pRx->pattern()));
        }
        // A comment marker inserted by comment toggling is found again.
        if (!rules.m_strSingleComment.isEmpty())
            QVERIFY2(rules.m_rxSingleComment.indexIn(rules.m_strSingleComment) == 0,
                     qPrintable(strFile + ": single-line marker does not find itself"));
        if (!rules.m_strMultiCommentStart.isEmpty())
            QVERIFY2(rules.m_rxMultiCommentStart.indexIn(rules.m_strMultiCommentStart) == 0,
                     qPrintable(strFile + ": comment start does not find itself"));
    }
}

void TestDefinitions::requiredLanguagesShipped()
{
    QStringList lstNames;
    for (const QVariant& varRecord : m_pMgt->index())
        lstNames << varRecord.toMap().value("name").toString();
    for (const char* szName : {"HTML", "XML", "SVG", "JSON", "CSS", "JavaScript", "TypeScript", "C",
                               "C++", "C#", "Java", "Python", "PHP", "SQL", "Shell", "PowerShell",
                               "Batch", "Markdown", "INI", "YAML", "Makefile", "CMake", "Go", "Rust",
                               "Lua", "Perl", "Ruby"})
        QVERIFY2(lstNames.contains(szName), szName);
}

void TestDefinitions::filesFindTheirLanguage_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("language");
    const QList<QPair<const char*, const char*>> lstCases = {
        {"/src/main.cpp", "C++"},        {"/src/a.h", "C++"},          {"/src/a.HPP", "C++"},
        {"/src/x.c", "C"},               {"/x/Makefile", "Makefile"},  {"/x/rules.mk", "Makefile"},
        {"/x/GNUmakefile", "Makefile"},  {"/x/CMakeLists.txt", "CMake"}, {"/x/f.cmake", "CMake"},
        {"/w/index.HTML", "HTML"},       {"xxx.html", "HTML"},         {"/w/a.htm", "HTML"},
        {"/w/logo.svg", "SVG"},          {"/w/pom.xml", "XML"},        {"/p/app.tsx", "TypeScript"},
        {"/p/data.json", "JSON"},        {"/home/u/.bashrc", "Shell"}, {"/p/run.sh", "Shell"},
        {"/p/x.ps1", "PowerShell"},      {"/p/x.bat", "Batch"},        {"/p/README.md", "Markdown"},
        {"/p/c.yml", "YAML"},            {"/p/x.go", "Go"},            {"/p/x.rs", "Rust"},
        {"/p/x.lua", "Lua"},             {"/p/x.pl", "Perl"},          {"/p/Gemfile", "Ruby"},
        {"/p/X.CS", "C#"},               {"/p/Main.java", "Java"},     {"/p/x.py", "Python"},
        {"/p/x.php", "PHP"},             {"/p/q.sql", "SQL"},          {"/p/s.css", "CSS"},
        {"/p/a.js", "JavaScript"},       {"/p/settings.ini", "INI"},   {"/p/notes.txt", ""},
    };
    for (const auto& item : lstCases)
        QTest::newRow(item.first) << QString(item.first) << QString(item.second);
}

void TestDefinitions::filesFindTheirLanguage()
{
    QFETCH(QString, path);
    QFETCH(QString, language);
    QCOMPARE(m_pMgt->getHighlightByFileName(path).value("language").toMap().value("name").toString(),
             language);
}

QTEST_GUILESS_MAIN(TestDefinitions)
#include "tst_definitions.moc"
