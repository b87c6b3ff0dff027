#include "app/CSettings.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TestSettings : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void defaultsWithoutFile();
    void fileLivesInOrganisationFolder();
    void colourWrittenWithoutAlpha();
    void everyKeyRoundTrips();
    void allKeysStoredAtTopLevel();
    void setterAloneDoesNotWrite();
    void fontSizeSignalOnEverySet();
    void localeIsNeverStored();

private:
    std::unique_ptr<QTemporaryDir> m_pDir;
};

void TestSettings::init()
{
    m_pDir = std::make_unique<QTemporaryDir>();
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_pDir->path());
}

void TestSettings::defaultsWithoutFile()
{
    CSettings settings("Norvel Software", "scrb");
    QVERIFY(settings.m_arrFrameState.isEmpty());
    QVERIFY(settings.m_strLastPathFileName.isEmpty());
    QVERIFY(settings.m_lstFavorFolders.isEmpty());
    QCOMPARE(settings.getTextColor(), QColor(Qt::red));
    QCOMPARE(settings.getBackColor(), QColor(Qt::transparent));
    QCOMPARE(settings.getTextFontSize(), 12);
    QCOMPARE(settings.getLineWrap(), false);
    QVERIFY(settings.getRecentFileList().isEmpty());
    QCOMPARE(settings.getIsHtmlText(), false);
    QCOMPARE(settings.m_bFindMatchWholeWord, false);
    QCOMPARE(settings.m_bFindMatchCase, false);
    QCOMPARE(settings.m_bFindSearchUp, false);
    QCOMPARE(settings.m_bFindWrapSearch, true);
    QCOMPARE(settings.m_bFindCloseAfterFindNext, false);
    QCOMPARE(settings.m_bFindUseRegularExpression, false);
    QCOMPARE(settings.m_nFindTransparent, 90);
    QCOMPARE(settings.m_bRestoreSession, true);
    QCOMPARE(settings.m_bKeepUnsavedOnExit, false);
}

void TestSettings::fileLivesInOrganisationFolder()
{
    CSettings settings("Norvel Software", "scrb");
    QCOMPARE(settings.format(), QSettings::IniFormat);
    QCOMPARE(settings.fileName(), m_pDir->filePath("Norvel Software/scrb.ini"));
}

void TestSettings::colourWrittenWithoutAlpha()
{
    {
        CSettings settings("Norvel Software", "scrb");
        settings.setBackColor(QColor(0x12, 0x34, 0x56, 0x80));
        settings.setTextColor(QColor(Qt::transparent));
        settings.write();
    }
    QSettings raw(m_pDir->filePath("Norvel Software/scrb.ini"), QSettings::IniFormat);
    QCOMPARE(raw.value("m_clrBackColor").toString(), QString("#123456"));
    QCOMPARE(raw.value("m_clrTextColor").toString(), QString("#000000"));

    CSettings reread("Norvel Software", "scrb");
    QCOMPARE(reread.getBackColor(), QColor(0x12, 0x34, 0x56));
    QCOMPARE(reread.getBackColor().alpha(), 255);
    QCOMPARE(reread.getTextColor(), QColor(Qt::black)); // transparent comes back opaque
}

void TestSettings::everyKeyRoundTrips()
{
    const QByteArray arrState("\x00\x01\xff layout", 10);
    const QStringList lstFavor = {"/home/u/a, b", QString::fromUtf8("/home/u/中文"), "/x"};
    const QStringList lstRecent = {"/one.txt", QString::fromUtf8("/tmp/ドキュメント.md")};
    {
        CSettings settings("Norvel Software", "scrb");
        settings.setFrameState(arrState);
        settings.setLastPathFileName("/home/u/last file.txt");
        settings.setFavorFolders(lstFavor);
        settings.setTextColor(QColor("#00ff7f"));
        settings.setBackColor(QColor("#abcdef"));
        settings.setTextFontSize(19);
        settings.setLineWrap(true);
        settings.setRecentFileList(lstRecent);
        settings.setIsHtmlText(true);
        settings.m_bFindMatchWholeWord = true;
        settings.m_bFindMatchCase = true;
        settings.m_bFindSearchUp = true;
        settings.m_bFindWrapSearch = false;
        settings.m_bFindCloseAfterFindNext = true;
        settings.m_bFindUseRegularExpression = true;
        settings.m_nFindTransparent = 40;
        settings.m_bRestoreSession = false;
        settings.m_bKeepUnsavedOnExit = true;
    } // the destructor writes
    CSettings settings("Norvel Software", "scrb");
    QCOMPARE(settings.getFrameState(), arrState);
    QCOMPARE(settings.getLastPathFileName(), QString("/home/u/last file.txt"));
    QCOMPARE(settings.getFavorFolders(), lstFavor);
    QCOMPARE(settings.getTextColor(), QColor("#00ff7f"));
    QCOMPARE(settings.getBackColor(), QColor("#abcdef"));
    QCOMPARE(settings.getTextFontSize(), 19);
    QCOMPARE(settings.getLineWrap(), true);
    QCOMPARE(settings.getRecentFileList(), lstRecent);
    QCOMPARE(settings.getIsHtmlText(), true);
    QCOMPARE(settings.m_bFindMatchWholeWord, true);
    QCOMPARE(settings.m_bFindMatchCase, true);
    QCOMPARE(settings.m_bFindSearchUp, true);
    QCOMPARE(settings.m_bFindWrapSearch, false);
    QCOMPARE(settings.m_bFindCloseAfterFindNext, true);
    QCOMPARE(settings.m_bFindUseRegularExpression, true);
    QCOMPARE(settings.m_nFindTransparent, 40);
    QCOMPARE(settings.m_bRestoreSession, false);
    QCOMPARE(settings.m_bKeepUnsavedOnExit, true);
}

void TestSettings::allKeysStoredAtTopLevel()
{
    {
        CSettings settings("Norvel Software", "scrb");
        settings.save();
    }
    QFile file(m_pDir->filePath("Norvel Software/scrb.ini"));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList lstKeys;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const int nEq = line.indexOf('=');
        if (nEq > 0)
            lstKeys.append(QString::fromLatin1(line.left(nEq)));
    }
    // QSettings sorts the keys of an INI file; all of them must be there, at
    // the top level.
    lstKeys.sort();
    QStringList lstExpected = {"m_arrFrameState", "m_strLastPathFileName", "m_lstFavorFolders",
                               "m_clrTextColor", "m_clrBackColor", "m_nTextFontSize",
                               "m_bLineWrap", "m_lstRecentFiles", "m_bIsHtmlText",
                               "m_bFindMatchWholeWord", "m_bFindMatchCase", "m_bFindSearchUp",
                               "m_bFindWrapSearch", "m_bFindCloseAfterFindNext",
                               "m_bFindUseRegularExpression", "m_nFindTransparent",
                               "m_bRestoreSession", "m_bKeepUnsavedOnExit",
                               "m_nLongLineLimit"};
    lstExpected.sort();
    QCOMPARE(lstKeys, lstExpected);
}

void TestSettings::setterAloneDoesNotWrite()
{
    CSettings settings("Norvel Software", "scrb");
    settings.setTextFontSize(30);
    settings.sync();
    QSettings raw(m_pDir->filePath("Norvel Software/scrb.ini"), QSettings::IniFormat);
    QVERIFY(!raw.contains("m_nTextFontSize"));
    settings.save();
    raw.sync();
    QCOMPARE(raw.value("m_nTextFontSize").toInt(), 30);
}

void TestSettings::fontSizeSignalOnEverySet()
{
    CSettings settings("Norvel Software", "scrb");
    QSignalSpy spy(&settings, &CSettings::textFontSizeChanged);
    settings.setTextFontSize(12); // unchanged value still announces
    settings.setTextFontSize(14);
    settings.setTextFontSize(14);
    QCOMPARE(spy.count(), 3);
    QCOMPARE(spy.at(0).at(0).toInt(), 12);
    QCOMPARE(spy.at(2).at(0).toInt(), 14);
}

void TestSettings::localeIsNeverStored()
{
    {
        CSettings settings("Norvel Software", "scrb");
        settings.setLoc("ja_jp");
        QCOMPARE(settings.getLoc(), QString("ja_jp"));
    }
    CSettings settings("Norvel Software", "scrb");
    QVERIFY(settings.getLoc().isEmpty());
    QFile file(settings.fileName());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(!file.readAll().contains("ja_jp"));
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
