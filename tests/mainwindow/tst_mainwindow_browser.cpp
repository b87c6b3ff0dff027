// The folder browser in the main window: keys forwarded from the panel,
// files opened from it, its root following opened files, its selection
// reaching the window.
#include "browser/CFileSystemModel.h"
#include "browser/CMenuListView.h"
#include "browser/CWidgetFavorFileList.h"
#include "browser/CWidgetFileList.h"
#include "common/TestEnv.h"
#include "editor/CHighlightEdit.h"
#include "mainwindow/CTabWidget.h"
#include "mainwindow/MainWindow.h"

#include <QKeyEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <QtTest/qtestspontaneevent.h>

class TestMainWindowBrowser : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void ctrlSInBrowserSavesDocument();
    void returnOpensSelection_data();
    void returnOpensSelection();
    void browserAndWindowFollowEachOther();

private:
    QString writeFile(const QString& strName);
    CTabWidget* tabs() const { return m_pWindow->findChild<CTabWidget*>(); }
    CHighlightEdit* editor(int i) const { return qobject_cast<CHighlightEdit*>(tabs()->widget(i)); }
    CWidgetFileList* fileList() const { return m_pWindow->folderPanel()->fileList(); }
    QModelIndex rowOf(const QString& strName) const;

    std::unique_ptr<TestEnv> m_pEnv;
    std::unique_ptr<QTemporaryDir> m_pDir;
    MainWindow* m_pWindow = nullptr;
};

void TestMainWindowBrowser::init()
{
    m_pEnv = std::make_unique<TestEnv>();
    m_pDir = std::make_unique<QTemporaryDir>();
    for (const char* szName : {"folder/note.txt", "folder/inner/deeper.txt", "doc.txt"})
        writeFile(szName);
    m_pWindow = new MainWindow;
    m_pWindow->resize(900, 700);
    m_pWindow->show();
    QApplication::setActiveWindow(m_pWindow);
    QVERIFY(QTest::qWaitForWindowActive(m_pWindow));
    QSignalSpy spy(fileList()->model(), &CFileSystemModel::directoryLoaded);
    m_pWindow->folderPanel()->setRootPath(m_pDir->filePath("folder"));
    QVERIFY(spy.wait());
}

void TestMainWindowBrowser::cleanup()
{
    for (int i = 0; i < tabs()->count(); ++i) {
        if (editor(i))
            editor(i)->setModified(false);
    }
    delete m_pWindow;
    m_pEnv.reset();
}

QString TestMainWindowBrowser::writeFile(const QString& strName)
{
    const QString strPath = m_pDir->filePath(strName);
    QDir().mkpath(QFileInfo(strPath).absolutePath());
    QFile file(strPath);
    if (file.open(QIODevice::WriteOnly))
        file.write("text");
    return QDir::toNativeSeparators(strPath);
}

QModelIndex TestMainWindowBrowser::rowOf(const QString& strName) const
{
    const CFileSystemModel* pModel = fileList()->model();
    return pModel->match(pModel->index(0, 0), Qt::DisplayRole, strName, 1, Qt::MatchExactly)
        .value(0);
}

void TestMainWindowBrowser::ctrlSInBrowserSavesDocument()
{
    QVERIFY(m_pWindow->openFile(m_pDir->filePath("doc.txt")));
    editor(0)->moveCursor(QTextCursor::End);
    editor(0)->insertPlainText(" more");
    fileList()->listView()->setFocus();
    // Delivered as the window system does once the shortcut map has let the
    // key pass: to the list, which does not take it, and so to the panel.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_S, Qt::ControlModifier, "\x13");
    QSpontaneKeyEvent::setSpontaneous(&press);
    qApp->notify(fileList()->listView(), &press);
    QVERIFY(press.isAccepted());
    QVERIFY(!editor(0)->document()->isModified());
    QFile file(m_pDir->filePath("doc.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("text more"));
}

void TestMainWindowBrowser::returnOpensSelection_data()
{
    QTest::addColumn<QString>("strSelected");
    QTest::addColumn<int>("nTabs");
    QTest::addColumn<QString>("strRoot");
    QTest::newRow("file") << "note.txt" << 1 << "folder";
    QTest::newRow("folder") << "inner" << 0 << "folder/inner";
}

void TestMainWindowBrowser::returnOpensSelection()
{
    QFETCH(QString, strSelected);
    QFETCH(int, nTabs);
    QFETCH(QString, strRoot);
    CMenuListView* pList = fileList()->listView();
    pList->setFocus();
    pList->setCurrentIndex(rowOf(strSelected));
    QTest::keyClick(pList, Qt::Key_Return);
    QCOMPARE(tabs()->count(), nTabs);
    if (nTabs)
        QCOMPARE(editor(0)->filePath(), QDir::toNativeSeparators(m_pDir->filePath("folder/note.txt")));
    QCOMPARE(fileList()->rootPath(), QDir::toNativeSeparators(m_pDir->filePath(strRoot)));
}

void TestMainWindowBrowser::browserAndWindowFollowEachOther()
{
    fileList()->listView()->setCurrentIndex(rowOf("note.txt"));
    QTRY_COMPARE(m_pWindow->selectedBrowserPath(), writeFile("folder/note.txt"));
    emit fileList()->dbClickFile(writeFile("folder/inner/deeper.txt"));
    QCOMPARE(tabs()->tabText(tabs()->currentIndex()), QString("deeper.txt"));
    m_pWindow->parseArguments({m_pDir->filePath("doc.txt")});
    QCOMPARE(m_pWindow->folderPanel()->rootPath(), QDir::toNativeSeparators(m_pDir->path()));
    QCOMPARE(m_pWindow->folderRootPath(), QDir::toNativeSeparators(m_pDir->path()));
    QTRY_VERIFY(rowOf("doc.txt").isValid());
}

QTEST_MAIN(TestMainWindowBrowser)
#include "tst_mainwindow_browser.moc"
