// The file list panel: the folder box and its history, Upper, double-clicks,
// the debounced selection report, and tear-down with work pending.
#include "browser/CFileSystemModel.h"
#include "browser/CMenuListView.h"
#include "browser/CWidgetFileList.h"

#include "TreeMaker.h"
#include "common/TestEnv.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TestWidgetFileList : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void enterOnTypedPath_data();
    void enterOnTypedPath();
    void choosingFromHistoryListsIt();
    void upperAtTopStays_data();
    void upperAtTopStays();
    void doubleClickAndUpper();
    void selectionReportsAreDebounced();
    void typedFilePathSelectsTheFile();
    void destroyedWithWorkPending();

private:
    QString path(const QString& strName) const
    {
        return QDir::toNativeSeparators(m_dir.filePath(strName));
    }
    QStringList history() const;
    void setRootAndWait(const QString& strPath);
    QModelIndex rowOf(const QString& strName) const;
    void type(const QString& strText, const QList<int>& lstKeys);

    std::unique_ptr<TestEnv> m_pEnv;
    QTemporaryDir m_dir;
    CWidgetFileList* m_pPanel = nullptr;
};

void TestWidgetFileList::initTestCase()
{
    m_pEnv = std::make_unique<TestEnv>();
    QVERIFY(makeTree(m_dir.path(), {"alpha/a1.txt", "beta/sub/deep.txt", "beta/b.txt",
                                    "gamma/g.txt", "one.txt", "two.txt", "three.txt"}));
}

void TestWidgetFileList::init()
{
    m_pPanel = new CWidgetFileList;
    m_pPanel->resize(400, 600);
    m_pPanel->show();
    QApplication::setActiveWindow(m_pPanel);
    QVERIFY(QTest::qWaitForWindowActive(m_pPanel));
}

void TestWidgetFileList::cleanup()
{
    delete m_pPanel;
    m_pPanel = nullptr;
}

QStringList TestWidgetFileList::history() const
{
    QStringList lst;
    for (int i = 0; i < m_pPanel->comboFolder()->count(); ++i)
        lst << m_pPanel->comboFolder()->itemText(i);
    return lst;
}

void TestWidgetFileList::setRootAndWait(const QString& strPath)
{
    QSignalSpy spy(m_pPanel->model(), &CFileSystemModel::directoryLoaded);
    m_pPanel->setRootPath(strPath);
    QVERIFY(spy.wait());
}

QModelIndex TestWidgetFileList::rowOf(const QString& strName) const
{
    const CFileSystemModel* pModel = m_pPanel->model();
    const QModelIndexList lst = pModel->match(pModel->index(0, 0), Qt::DisplayRole, strName, 1,
                                              Qt::MatchExactly);
    return lst.value(0);
}

// Types into the folder box, then presses the keys; keys go to the
// completion list while it is open.
void TestWidgetFileList::type(const QString& strText, const QList<int>& lstKeys)
{
    QComboBox* pCombo = m_pPanel->comboFolder();
    pCombo->setFocus();
    pCombo->lineEdit()->clear();
    QTest::keyClicks(pCombo, strText);
    for (int nKey : lstKeys) {
        QWidget* pPopup = QApplication::activePopupWidget();
        QTest::keyClick(pPopup ? pPopup : pCombo, Qt::Key(nKey));
    }
}

void TestWidgetFileList::enterOnTypedPath_data()
{
    QTest::addColumn<QString>("strTyped");
    QTest::addColumn<QStringList>("lstHistory");
    QTest::newRow("new path to the top") << "gamma" << QStringList {"gamma", "beta", "alpha"};
    QTest::newRow("known path stays") << "alpha" << QStringList {"beta", "alpha"};
    QTest::newRow("current path stays") << "beta" << QStringList {"beta", "alpha"};
    // Not completed to the history entries it starts.
    QTest::newRow("prefix of known paths") << "" << QStringList {"", "beta", "alpha"};
}

void TestWidgetFileList::enterOnTypedPath()
{
    QFETCH(QString, strTyped);
    QFETCH(QStringList, lstHistory);
    setRootAndWait(path("alpha"));
    setRootAndWait(path("beta"));
    QSignalSpy spyRoot(m_pPanel, &CWidgetFileList::rootPathChanged);
    QSignalSpy spyLoaded(m_pPanel->model(), &CFileSystemModel::directoryLoaded);
    type(path(strTyped), {Qt::Key_Return});
    QVERIFY(spyLoaded.wait());
    m_pPanel->listView()->setFocus(); // editing finishes
    QCoreApplication::processEvents();
    QCOMPARE(spyRoot.count(), 1);
    QCOMPARE(m_pPanel->rootPath(), path(strTyped));
    for (QString& strName : lstHistory)
        strName = path(strName);
    QCOMPARE(history(), lstHistory);
}

void TestWidgetFileList::choosingFromHistoryListsIt()
{
    setRootAndWait(path("alpha"));
    setRootAndWait(path("beta"));
    setRootAndWait(path("gamma"));
    QSignalSpy spyRoot(m_pPanel, &CWidgetFileList::rootPathChanged);
    // A completion chosen with Enter.
    type(path("b"), {Qt::Key_Down, Qt::Key_Return});
    QTRY_COMPARE(m_pPanel->rootPath(), path("beta"));
    // Into beta/sub: the history's current item stays beta, which is then
    // chosen from the drop-down list.
    QTRY_VERIFY(rowOf("sub").isValid());
    m_pPanel->onDbClickListItem(rowOf("sub"));
    QCOMPARE(m_pPanel->rootPath(), path("beta/sub"));
    QComboBox* pCombo = m_pPanel->comboFolder();
    pCombo->showPopup();
    QAbstractItemView* pView = pCombo->view();
    QTRY_VERIFY(pView->isVisible());
    QTest::mouseClick(pView->viewport(), Qt::LeftButton, {},
                      pView->visualRect(pView->model()->index(1, 0)).center());
    QTRY_COMPARE(m_pPanel->rootPath(), path("beta"));
    QCOMPARE(spyRoot.count(), 2);
    QCOMPARE(history(), (QStringList {path("gamma"), path("beta"), path("alpha")}));
}

void TestWidgetFileList::upperAtTopStays_data()
{
    QTest::addColumn<QString>("strRoot");
    QTest::newRow("file system root") << QDir::toNativeSeparators(QDir::rootPath());
    QTest::newRow("drive list") << QString();
}

void TestWidgetFileList::upperAtTopStays()
{
    QFETCH(QString, strRoot);
    setRootAndWait(strRoot);
    const int nRows = m_pPanel->model()->rowCount();
    m_pPanel->onUpper();
    QCoreApplication::processEvents();
    QCOMPARE(m_pPanel->rootPath(), strRoot);
    QCOMPARE(m_pPanel->model()->rowCount(), nRows);
}

void TestWidgetFileList::doubleClickAndUpper()
{
    setRootAndWait(path(""));
    QSignalSpy spyRoot(m_pPanel, &CWidgetFileList::rootPathChanged);
    QSignalSpy spyFile(m_pPanel, &CWidgetFileList::dbClickFile);
    QListView* pList = m_pPanel->listView();
    auto doubleClick = [pList](const QModelIndex& idx) {
        const QPoint pos = pList->visualRect(idx).center();
        QTest::mouseClick(pList->viewport(), Qt::LeftButton, {}, pos);
        QTest::mouseDClick(pList->viewport(), Qt::LeftButton, {}, pos);
    };
    doubleClick(rowOf("two.txt"));
    QCOMPARE(spyFile.count(), 1);
    QCOMPARE(spyFile.at(0).at(0).toString(), path("two.txt"));
    doubleClick(rowOf("beta"));
    QTRY_VERIFY(rowOf("b.txt").isValid());
    QCOMPARE(m_pPanel->comboFolder()->currentText(), path("beta"));
    m_pPanel->onUpper();
    QTRY_VERIFY(rowOf("beta").isValid());
    QCOMPARE(m_pPanel->comboFolder()->currentText(), path(""));
    // Neither adds to the history nor reports a new root.
    QCOMPARE(history(), QStringList {path("")});
    QCOMPARE(spyRoot.count(), 0);
    QCOMPARE(spyFile.count(), 1);
}

void TestWidgetFileList::selectionReportsAreDebounced()
{
    setRootAndWait(path(""));
    QSignalSpy spy(m_pPanel, &CWidgetFileList::fileSelectionChanged);
    QItemSelectionModel* pSelection = m_pPanel->listView()->selectionModel();
    for (const char* szName : {"one.txt", "two.txt", "three.txt"})
        pSelection->select(rowOf(szName), QItemSelectionModel::ClearAndSelect);
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), path("three.txt"));
    // A double-click cancels a pending report.
    pSelection->select(rowOf("one.txt"), QItemSelectionModel::ClearAndSelect);
    m_pPanel->onDbClickListItem(rowOf("one.txt"));
    QTest::qWait(400);
    QCOMPARE(spy.count(), 1);
}

void TestWidgetFileList::typedFilePathSelectsTheFile()
{
    QSignalSpy spy(m_pPanel, &CWidgetFileList::fileSelectionChanged);
    m_pPanel->setRootPath(path("beta/b.txt"));
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), path("beta/b.txt"));
    QCOMPARE(m_pPanel->rootPath(), path("beta"));
}

void TestWidgetFileList::destroyedWithWorkPending()
{
    setRootAndWait(path(""));
    QCOMPARE(m_pPanel->listView()->actionTexts(),
             (QStringList {"Open position of file/folder",
                           "Open file/folder by default application"}));
    // Rows selected and their report pending: emptying the model on the way
    // out changes the selection (the sanitizers watch what that reaches).
    m_pPanel->listView()->selectAll();
    delete m_pPanel;
    m_pPanel = new CWidgetFileList; // and a listing under way
    m_pPanel->setRootPath(path(""));
}

QTEST_MAIN(TestWidgetFileList)
#include "tst_widgetfilelist.moc"
