// The editing aids through the main window: the find dialog and its relays,
// Find Next / Previous, Go to Line, Toggle Comment, Verify Valid and
// Formatting, and when each is enabled.
#include "app/CSettings.h"
#include "app/Globals.h"
#include "common/ModalDriver.h"
#include "common/TestEnv.h"
#include "editor/CDlgFind.h"
#include "editor/CDlgGo.h"
#include "editor/CHighlightEdit.h"
#include "mainwindow/CTabWidget.h"
#include "mainwindow/MainWindow.h"
#include "web/CEditWebView.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestMainWindowFind : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void findDialogAndRelays();
    void findNextAndPrevious();
    void goToLine();
    void enablement_data();
    void enablement();
    void commentVerifyAndFormat();

private:
    CHighlightEdit* open(const QString& strName, const QByteArray& arrText);
    void trigger(const char* szAction) { m_pWindow->findChild<QAction*>(szAction)->trigger(); }
    bool isEnabled(const char* szAction) const
    {
        return m_pWindow->findChild<QAction*>(szAction)->isEnabled();
    }
    CDlgFind* findDialog() const { return m_pWindow->findChild<CDlgFind*>(); }
    QString status() const { return findDialog()->findChild<QLabel*>("label_status")->text(); }
    void click(const char* szButton) { findDialog()->findChild<QPushButton*>(szButton)->click(); }

    std::unique_ptr<TestEnv> m_pEnv;
    std::unique_ptr<QTemporaryDir> m_pDir;
    MainWindow* m_pWindow = nullptr;
};

void TestMainWindowFind::init()
{
    m_pEnv = std::make_unique<TestEnv>();
    m_pDir = std::make_unique<QTemporaryDir>();
    m_pWindow = new MainWindow;
    m_pWindow->resize(800, 600);
    m_pWindow->show();
}

void TestMainWindowFind::cleanup()
{
    auto* pTabs = m_pWindow->findChild<CTabWidget*>();
    for (int i = 0; i < pTabs->count(); ++i) {
        if (auto* pEditor = qobject_cast<CHighlightEdit*>(pTabs->widget(i)))
            pEditor->setModified(false);
    }
    delete m_pWindow;
    m_pWindow = nullptr;
    m_pEnv.reset();
}

CHighlightEdit* TestMainWindowFind::open(const QString& strName, const QByteArray& arrText)
{
    QFile file(m_pDir->filePath(strName));
    if (!file.open(QIODevice::WriteOnly) || file.write(arrText) != arrText.size())
        return nullptr;
    file.close();
    if (!m_pWindow->openFile(file.fileName()))
        return nullptr;
    auto* pTabs = m_pWindow->findChild<CTabWidget*>();
    // An HTML file opens as a page; its source view is the code editor.
    if (auto* pPage = qobject_cast<CEditWebView*>(pTabs->currentWidget())) {
        if (!QTest::qWaitFor([pPage] { return !pPage->isLoading(); }))
            return nullptr;
        trigger("actionSwapHtml");
    }
    return qobject_cast<CHighlightEdit*>(pTabs->currentWidget());
}

void TestMainWindowFind::findDialogAndRelays()
{
    CHighlightEdit* pEditor = open("a.txt", "foo bar foo");
    QVERIFY(pEditor);
    QTextCursor cursor = pEditor->textCursor();
    cursor.setPosition(4);
    cursor.setPosition(7, QTextCursor::KeepAnchor);
    pEditor->setTextCursor(cursor);
    trigger("actionFind");
    QVERIFY(findDialog() && findDialog()->isVisible());
    QCOMPARE(findDialog()->getFindText(), QString("bar"));
    click("pushButton_find_next"); // the only "bar" lies behind
    QCOMPARE(pEditor->textCursor().selectionStart(), 4);
    QVERIFY(status().contains("Find: the end has been reached."));

    trigger("actionReplace");
    QCOMPARE(findDialog()->getReplaceFindText(), QString("bar"));
    findDialog()->findChild<QComboBox*>("comboBox_replace_with")->setCurrentText("baz");
    click("pushButton_replace_all");
    QCOMPARE(pEditor->toPlainText(), QString("foo baz foo"));
    QVERIFY(status().contains("Replace All: 1 item has been replaced."));
    QCOMPARE(m_pWindow->windowTitle(), QString("Scribo(a.txt*)"));

    // Find while the Replace tab is up: the Find tab with the selection.
    cursor.setPosition(0);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    pEditor->setTextCursor(cursor);
    trigger("actionFind");
    QCOMPARE(findDialog()->windowTitle(), QString("Find"));
    QCOMPARE(findDialog()->getFindText(), QString("foo"));
    // Opened again without a selection: the last search.
    cursor.clearSelection();
    pEditor->setTextCursor(cursor);
    findDialog()->hide();
    trigger("actionReplace");
    QCOMPARE(findDialog()->getReplaceFindText(), QString("bar"));
}

void TestMainWindowFind::findNextAndPrevious()
{
    CHighlightEdit* pEditor = open("a.txt", "x1 x2 x3");
    QVERIFY(pEditor);
    trigger("actionFind_Next"); // nothing to look for yet: the dialog opens
    QVERIFY(findDialog() && findDialog()->isVisible());
    QVERIFY(!pEditor->textCursor().hasSelection());
    findDialog()->setFindText("x");
    for (int nStart : {0, 3, 6, 0}) {
        trigger("actionFind_Next");
        QCOMPARE(pEditor->textCursor().selectionStart(), nStart);
    }
    trigger("actionFind_Previous"); // wraps to the end
    QCOMPARE(pEditor->textCursor().selectionStart(), 6);
    QVERIFY(status().contains("Find: the top has been reached."));
    // Closing after Find Next when asked to.
    g_pSettings->m_bFindCloseAfterFindNext = true;
    click("pushButton_find_next");
    QVERIFY(findDialog()->isHidden());
}

void TestMainWindowFind::goToLine()
{
    CHighlightEdit* pEditor = open("a.txt", "a\nb\nc");
    QVERIFY(pEditor);
    for (const QString& strLine : QStringList {"3", "9", ""}) {
        trigger("actionGo_to_Line");
        auto* pDlg = m_pWindow->findChild<CDlgGo*>();
        QVERIFY(pDlg && pDlg->isVisible());
        pDlg->findChild<QLineEdit*>()->setText(strLine);
        pDlg->findChild<QPushButton*>("btnGo")->click();
        QCOMPARE(pEditor->textCursor().blockNumber(), 2); // only the first moves it
    }
}

void TestMainWindowFind::enablement_data()
{
    QTest::addColumn<QString>("strName"); // empty: no document
    QTest::addColumn<QByteArray>("arrText");
    QTest::addColumn<bool>("bSelect");
    QTest::addColumn<QString>("strEnabled"); // v verify, f format, c comment
    QTest::newRow("no document") << "" << QByteArray() << false << "";
    QTest::newRow("JSON") << "d.json" << QByteArray("{}") << true << "vf";
    QTest::newRow("HTML") << "p.html" << QByteArray("<p/>") << false << "v";
    QTest::newRow("HTML selected") << "p.html" << QByteArray("<p/>") << true << "vc";
    QTest::newRow("SVG") << "i.svg" << QByteArray("<svg/>") << false << "vf";
    QTest::newRow("C++ selected") << "m.cpp" << QByteArray("int a;") << true << "c";
    QTest::newRow("C++") << "m.cpp" << QByteArray("int a;") << false << "";
    QTest::newRow("plain text selected") << "n.txt" << QByteArray("a") << true << "";
}

void TestMainWindowFind::enablement()
{
    QFETCH(QString, strName);
    QFETCH(QByteArray, arrText);
    QFETCH(bool, bSelect);
    QFETCH(QString, strEnabled);
    if (!strName.isEmpty()) {
        CHighlightEdit* pEditor = open(strName, arrText);
        QVERIFY(pEditor);
        if (bSelect)
            pEditor->selectAll();
    }
    QCOMPARE(isEnabled("actionVerify_Valid"), strEnabled.contains('v'));
    QCOMPARE(isEnabled("actionFormatting"), strEnabled.contains('f'));
    QCOMPARE(isEnabled("actionToggle_Comment"), strEnabled.contains('c'));
}

void TestMainWindowFind::commentVerifyAndFormat()
{
    CHighlightEdit* pEditor = open("m.cpp", "a;");
    QVERIFY(pEditor);
    pEditor->selectAll();
    trigger("actionToggle_Comment");
    QCOMPARE(pEditor->toPlainText(), QString("//a;"));

    pEditor = open("d.json", "{\"b\":1,\"a\":2}");
    QVERIFY(pEditor);
    ModalDriver driver;
    driver.answer(QMessageBox::Ok);
    trigger("actionVerify_Valid");
    QCOMPARE(driver.seen().value(0).strText, QString("The format of the content is good."));
    trigger("actionFormatting");
    QCOMPARE(pEditor->toPlainText(), QString("{\n    \"b\": 1,\n    \"a\": 2\n}\n"));
    QCOMPARE(m_pWindow->windowTitle(), QString("Scribo(d.json*)"));

    pEditor = open("bad.json", "[1,");
    driver.answer(QMessageBox::Ok);
    trigger("actionFormatting");
    QCOMPARE(driver.seen().size(), 2);
    QCOMPARE(driver.seen().value(1).strTitle, QString("Fail to verify valid"));
    QCOMPARE(pEditor->toPlainText(), QString("[1,"));
    QVERIFY(!pEditor->isModified());
}

QTEST_MAIN(TestMainWindowFind)
#include "tst_mainwindow_find.moc"
