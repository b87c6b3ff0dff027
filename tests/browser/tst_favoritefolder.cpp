// Favourite folders: the most-recently-used list and its settings value,
// double-click, removing several rows, the warnings, tear-down.
#include "app/CSettings.h"
#include "app/Globals.h"
#include "browser/CMenuListWidget.h"
#include "browser/CWidgetFavorFileList.h"
#include "browser/CWidgetFavoriteFolder.h"

#include "common/ModalDriver.h"
#include "common/TestEnv.h"

#include <QDir>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

class TestFavoriteFolder : public QObject
{
    Q_OBJECT
private slots:
    void init() { m_pEnv = std::make_unique<TestEnv>(); }
    void cleanup();
    void addingFirstAgainChangesNothingOnDisk();
    void addFolder_data();
    void addFolder();
    void doubleClickRootsListAndMovesToTop();
    void removeSelected_data();
    void removeSelected();
    void warnings();

private:
    CWidgetFavoriteFolder* makePanel(const QStringList& lstFavorites);
    QStringList stored() const;

    std::unique_ptr<TestEnv> m_pEnv;
    CWidgetFavorFileList* m_pPanel = nullptr;
};

void TestFavoriteFolder::cleanup()
{
    // Going with a selection must leave the list in the settings.
    const QStringList lst = m_pPanel->favorite()->folders();
    m_pPanel->favorite()->listWidget()->selectAll();
    delete m_pPanel;
    m_pPanel = nullptr;
    QCOMPARE(g_pSettings->m_lstFavorFolders, lst);
    m_pEnv.reset();
}

CWidgetFavoriteFolder* TestFavoriteFolder::makePanel(const QStringList& lstFavorites)
{
    g_pSettings->m_lstFavorFolders = lstFavorites;
    g_pSettings->save();
    m_pPanel = new CWidgetFavorFileList;
    m_pPanel->resize(300, 500);
    m_pPanel->show();
    return m_pPanel->favorite();
}

// The value as a new settings store reads it from disk.
QStringList TestFavoriteFolder::stored() const
{
    m_pEnv->reloadSettings();
    return g_pSettings->m_lstFavorFolders;
}

void TestFavoriteFolder::addingFirstAgainChangesNothingOnDisk()
{
    CWidgetFavoriteFolder* pFavorite = makePanel({"/srv/one", "/srv/two"});
    QFile file(m_pEnv->settingsFile());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray arrBefore = file.readAll();
    const QDateTime timeBefore = QFileInfo(file).lastModified();
    QTest::qWait(20);
    pFavorite->addFolder("/srv/one");
    QVERIFY(file.seek(0));
    QCOMPARE(file.readAll(), arrBefore);
    QCOMPARE(QFileInfo(file).lastModified(), timeBefore);
    QCOMPARE(pFavorite->listWidget()->currentRow(), 0);
}

void TestFavoriteFolder::addFolder_data()
{
    QTest::addColumn<QStringList>("lstBefore");
    QTest::addColumn<QString>("strAdded");
    QTest::addColumn<QStringList>("lstAfter");
    QTest::newRow("new to the top") << QStringList {"/a", "/b"} << "/c"
                                    << QStringList {"/c", "/a", "/b"};
    QTest::newRow("further down to the top") << QStringList {"/a", "/b", "/c"} << "/c"
                                             << QStringList {"/c", "/a", "/b"};
    QTest::newRow("other case, other folder") << QStringList {"/data"} << "/Data"
                                              << QStringList {"/Data", "/data"};
}

void TestFavoriteFolder::addFolder()
{
    QFETCH(QStringList, lstBefore);
    QFETCH(QString, strAdded);
    QFETCH(QStringList, lstAfter);
    CWidgetFavoriteFolder* pFavorite = makePanel(lstBefore);
    pFavorite->addFolder(strAdded);
    QCOMPARE(pFavorite->folders(), lstAfter);
    QCOMPARE(pFavorite->listWidget()->item(0)->toolTip(), strAdded);
    QCOMPARE(pFavorite->listWidget()->selectedItems().size(), 1);
    QCOMPARE(stored(), lstAfter);
}

void TestFavoriteFolder::doubleClickRootsListAndMovesToTop()
{
    QTemporaryDir dir;
    const QString strX = QDir::toNativeSeparators(dir.path());
    const QString strY = QDir::toNativeSeparators(QDir::tempPath());
    CWidgetFavoriteFolder* pFavorite = makePanel({strX, strY});
    QSignalSpy spyRoot(m_pPanel, &CWidgetFavorFileList::rootPathChanged);
    CMenuListWidget* pList = pFavorite->listWidget();
    const QPoint pos = pList->visualItemRect(pList->item(1)).center();
    QTest::mouseClick(pList->viewport(), Qt::LeftButton, {}, pos);
    QTest::mouseDClick(pList->viewport(), Qt::LeftButton, {}, pos);
    QCOMPARE(m_pPanel->rootPath(), strY);
    QCOMPARE(spyRoot.count(), 1);
    QCOMPARE(pFavorite->folders(), (QStringList {strY, strX}));
    QCOMPARE(stored(), (QStringList {strY, strX}));
}

void TestFavoriteFolder::removeSelected_data()
{
    QTest::addColumn<QList<int>>("lstSelectionOrder");
    QTest::newRow("top down") << QList<int> {1, 3, 4};
    QTest::newRow("bottom up") << QList<int> {4, 3, 1};
    QTest::newRow("mixed") << QList<int> {3, 1, 4};
}

void TestFavoriteFolder::removeSelected()
{
    QFETCH(QList<int>, lstSelectionOrder);
    CWidgetFavoriteFolder* pFavorite = makePanel({"/f0", "/f1", "/f2", "/f3", "/f4", "/f5"});
    auto* pRemove = pFavorite->findChild<QPushButton*>("buttonRemove");
    QVERIFY(!pRemove->isEnabled());
    for (int nRow : lstSelectionOrder)
        pFavorite->listWidget()->item(nRow)->setSelected(true);
    QVERIFY(pRemove->isEnabled());
    QTest::mouseClick(pRemove, Qt::LeftButton);
    QCOMPARE(pFavorite->folders(), (QStringList {"/f0", "/f2", "/f5"}));
    QCOMPARE(stored(), (QStringList {"/f0", "/f2", "/f5"}));
}

void TestFavoriteFolder::warnings()
{
    CWidgetFavoriteFolder* pFavorite = makePanel({"/f0"});
    m_pPanel->setRootPath(QString()); // the drive list: nothing to add
    ModalDriver driver;
    driver.answer(QMessageBox::Ok);
    driver.answer(QMessageBox::Ok);
    QTest::mouseClick(pFavorite->findChild<QPushButton*>("buttonAdd"), Qt::LeftButton);
    pFavorite->onRemoveSelected();
    QCOMPARE(driver.seen().size(), 2);
    QCOMPARE(driver.seen().at(0).strTitle, QString("No selected folder"));
    QCOMPARE(driver.seen().at(0).strText, QString("Please select a folder on Folder Browser."));
    QCOMPARE(driver.seen().at(1).strText,
             QString("Please select a favor folder on Main Folder List to remove."));
    QCOMPARE(pFavorite->folders(), QStringList {"/f0"});
}

QTEST_MAIN(TestFavoriteFolder)
#include "tst_favoritefolder.moc"
