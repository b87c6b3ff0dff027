// Large files in the main window: opening in the background with progress
// and Cancel, saving in the background (edits made meanwhile stay to be
// saved, a save before closing a tab is complete when the tab goes).
#include "common/ModalDriver.h"
#include "common/TestEnv.h"
#include "editor/CHighlightEdit.h"
#include "editor/DecodedText.h"
#include "mainwindow/CTabWidget.h"
#include "mainwindow/MainWindow.h"

#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {

QByteArray lines(int nLines)
{
    QByteArray arr;
    for (int i = 0; i < nLines; ++i)
        arr += "line " + QByteArray::number(i) + " of a text long enough to be saved in the background\r\n";
    return arr;
}

QByteArray read(const QString& strPath)
{
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestLargeFileWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void windowShowsProgressAndCancelClosesTab();
    void editsDuringSaveStayModified();
    void closingTabWaitsForTheSave();

private:
    QString writeFile(const QString& strName, const QByteArray& arr);
    CHighlightEdit* openLarge(MainWindow& window, const QString& strPath);
    std::unique_ptr<TestEnv> m_pEnv;
    std::unique_ptr<QTemporaryDir> m_pDir;
};

void TestLargeFileWindow::init()
{
    m_pEnv = std::make_unique<TestEnv>();
    m_pDir = std::make_unique<QTemporaryDir>();
}

void TestLargeFileWindow::cleanup()
{
    m_pEnv.reset();
}

QString TestLargeFileWindow::writeFile(const QString& strName, const QByteArray& arr)
{
    const QString strPath = m_pDir->filePath(strName);
    QFile file(strPath);
    if (file.open(QIODevice::WriteOnly))
        file.write(arr);
    return strPath;
}

CHighlightEdit* TestLargeFileWindow::openLarge(MainWindow& window, const QString& strPath)
{
    if (!window.openFile(strPath))
        return nullptr;
    auto* pEdit = qobject_cast<CHighlightEdit*>(window.findChild<CTabWidget*>()->currentWidget());
    QElapsedTimer timer;
    timer.start();
    while (pEdit && pEdit->isLoading() && timer.elapsed() < 60000)
        QTest::qWait(10);
    return pEdit;
}

void TestLargeFileWindow::windowShowsProgressAndCancelClosesTab()
{
    const QByteArray arr = lines(40000);
    QVERIFY(arr.size() > 2 * 1024 * 1024);
    const QString strPath = writeFile("large.txt", arr);
    MainWindow window;
    window.resize(800, 600);
    window.show();
    auto* pTabs = window.findChild<CTabWidget*>();
    QVERIFY(window.openFile(strPath));
    QCOMPARE(pTabs->count(), 1);
    auto* pEdit = qobject_cast<CHighlightEdit*>(pTabs->currentWidget());
    QVERIFY(pEdit->isLoading());
    // Saving half a text is refused.
    QVERIFY(!window.on_actionSave_triggered());
    QTRY_VERIFY_WITH_TIMEOUT(!pEdit->isLoading(), 60000);
    QCOMPARE(encodeForSave(pEdit->textSnapshot(), pEdit->returnFormat()), arr);
    QCOMPARE(pTabs->tabText(0), QString("large.txt"));

    QVERIFY(window.openFile(writeFile("second.txt", arr)));
    QCOMPARE(pTabs->count(), 2);
    QToolButton* pCancel = nullptr;
    for (QToolButton* pButton : window.findChildren<QToolButton*>()) {
        if (pButton->text() == "Cancel" && pButton->isVisible())
            pCancel = pButton;
    }
    QVERIFY(pCancel);
    pCancel->click();
    QTRY_COMPARE(pTabs->count(), 1);
}

void TestLargeFileWindow::editsDuringSaveStayModified()
{
    const QString strPath = m_pDir->filePath("large.txt");
    const QByteArray arrFile = lines(30000);
    QFile file(strPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(arrFile);
    file.close();
    MainWindow window;
    CHighlightEdit* pEdit = openLarge(window, strPath);
    QVERIFY(pEdit && !pEdit->isLoading());
    QTextCursor(pEdit->document()).insertText("first ");
    QVERIFY(window.on_actionSave_triggered());
    // Typed while the file is written: not in the file, still to be saved.
    QTextCursor(pEdit->document()).insertText("second ");
    QTRY_VERIFY_WITH_TIMEOUT(read(strPath).startsWith("first line 0"), 30000);
    QTest::qWait(50);
    QVERIFY(pEdit->isModified());
    QCOMPARE(read(strPath), "first " + arrFile);
    QVERIFY(window.on_actionSave_triggered());
    QTRY_VERIFY_WITH_TIMEOUT(!pEdit->isModified(), 30000);
    QVERIFY(read(strPath).startsWith("second first line 0"));
}

void TestLargeFileWindow::closingTabWaitsForTheSave()
{
    const QString strPath = m_pDir->filePath("close.txt");
    QFile file(strPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(lines(30000));
    file.close();
    MainWindow window;
    CHighlightEdit* pEdit = openLarge(window, strPath);
    QVERIFY(pEdit);
    QTextCursor(pEdit->document()).insertText("changed ");
    ModalDriver driver;
    driver.answer(QMessageBox::Yes);
    window.onTabCloseRequested(0);
    QCOMPARE(window.findChild<CTabWidget*>()->count(), 0);
    // No event loop has run: the file was written before the tab went.
    QVERIFY(read(strPath).startsWith("changed line 0"));
}

QTEST_MAIN(TestLargeFileWindow)
#include "tst_largefilewindow.moc"
