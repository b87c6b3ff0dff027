// HTML pages in the main window: opening and creating them, the swap to the
// source and back, saving, closing, the HTML toolbar, the preview following
// the current document, and unsaved pages kept with the session.
#include "app/CSettings.h"
#include "app/Globals.h"
#include "browser/CWidgetFavorFileList.h"
#include "common/ModalDriver.h"
#include "common/TestEnv.h"
#include "editor/CDlgFind.h"
#include "editor/CHighlightEdit.h"
#include "mainwindow/CTabWidget.h"
#include "mainwindow/MainWindow.h"
#include "util/CPlatformStarter.h"
#include "web/CEditWebView.h"
#include "web/CPreviewWidget.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDBusMessage>
#include <QDockWidget>
#include <QFontComboBox>
#include <QLabel>
#include <QPushButton>
#include <QMenu>
#include <QTemporaryDir>
#include <QToolBar>
#include <QWebFrame>
#include <QtTest>

class TestPages : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void openAndNewPages();
    void styleCommandsActOnPagesOnly();
    void swapKeepsModifiedAndText_data();
    void swapKeepsModifiedAndText();
    void saveFromPageAndFromSource();
    void closingModifiedPage_data();
    void closingModifiedPage();
    void fontAndSizeBoxes();
    void colourDialog_data();
    void colourDialog();
    void openPositionOfPage();
    void findAndReplaceThroughDialog();
    void previewFollowsDocument();
    void unsavedPageKeptWithSession();

private:
    QString writeFile(const QString& strName, const QByteArray& arr);
    static QByteArray read(const QString& strPath);
    bool openPage(const QString& strPath);
    CTabWidget* tabs() const { return m_pWindow->findChild<CTabWidget*>(); }
    CEditWebView* page() const { return qobject_cast<CEditWebView*>(tabs()->currentWidget()); }
    CHighlightEdit* editor() const { return qobject_cast<CHighlightEdit*>(tabs()->currentWidget()); }
    QAction* action(const char* szName) const { return m_pWindow->findChild<QAction*>(szName); }
    static QString bodyText(CEditWebView* pPage) { return pPage->page()->mainFrame()->toPlainText(); }

    std::unique_ptr<TestEnv> m_pEnv;
    std::unique_ptr<QTemporaryDir> m_pDir;
    MainWindow* m_pWindow = nullptr;
};

void TestPages::init()
{
    m_pEnv = std::make_unique<TestEnv>();
    m_pDir = std::make_unique<QTemporaryDir>();
    m_pWindow = new MainWindow;
    m_pWindow->resize(1000, 700);
    m_pWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pWindow));
}

void TestPages::cleanup()
{
    for (QWidget* pWidget : m_pWindow->findChildren<QWidget*>()) {
        if (auto* pPage = qobject_cast<CEditWebView*>(pWidget))
            pPage->setModified(false);
        else if (auto* pEditor = qobject_cast<CHighlightEdit*>(pWidget))
            pEditor->setModified(false);
    }
    delete m_pWindow;
    m_pEnv.reset();
}

QString TestPages::writeFile(const QString& strName, const QByteArray& arr)
{
    QFile file(m_pDir->filePath(strName));
    return file.open(QIODevice::WriteOnly) && file.write(arr) == arr.size() ? file.fileName() : QString();
}

QByteArray TestPages::read(const QString& strPath)
{
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool TestPages::openPage(const QString& strPath)
{
    if (!m_pWindow->openFile(strPath))
        return false;
    CEditWebView* pPage = page() ? page() : editor() ? editor()->editWebView() : nullptr;
    return pPage && QTest::qWaitFor([pPage] { return !pPage->isLoading(); }, 10000);
}

void TestPages::openAndNewPages()
{
    const QString strPath = writeFile("page.HTM", "<title>Home</title><p>Hello world</p>");
    QVERIFY(openPage(strPath));
    QCOMPARE(page()->pathFileName(), strPath);
    QCOMPARE(tabs()->tabText(0), QString("Home"));
    QCOMPARE(tabs()->tabToolTip(0), strPath);
    QCOMPARE(m_pWindow->windowTitle(), QString("Scribo(Home)"));
    QVERIFY(m_pWindow->findChild<QToolBar*>("toolBarFormat")->isVisible());
    for (const char* szName : {"actionBold", "actionTextColor", "actionCut", "actionSave_As", "actionUndo"})
        QVERIFY2(action(szName)->isEnabled(), szName);
    for (const char* szName : {"actionSave", "actionVerify_Valid", "actionFormatting"})
        QVERIFY2(!action(szName)->isEnabled(), szName);
    QVERIFY(m_pWindow->openFile(strPath)); // only switches to it
    QCOMPARE(tabs()->count(), 1);
    ModalDriver driver;
    driver.answer(QMessageBox::Ok);
    QVERIFY(!m_pWindow->openFile(m_pDir->filePath("missing.html")));
    QCOMPARE(driver.seen().value(0).strTitle, QString("Fail to open file"));
    QCOMPARE(tabs()->count(), 1);

    // A new page: unmodified until typed into, saved as a whole document.
    action("actionNewHtml")->trigger();
    CEditWebView* pPage = page();
    QVERIFY(pPage && !pPage->isModified());
    QCOMPARE(tabs()->tabToolTip(1), QString("New file"));
    m_pWindow->activateWindow();
    pPage->setFocus();
    QTRY_VERIFY(pPage->hasFocus());
    QTest::keyClicks(pPage, "typed");
    QTRY_VERIFY(pPage->isModified());
    QVERIFY(action("actionSave")->isEnabled());
    QCOMPARE(m_pWindow->windowTitle(), QString("Scribo(Untitled*)"));
    driver.chooseFile(m_pDir->filePath("new.html"));
    QVERIFY(m_pWindow->on_actionSave_triggered());
    QVERIFY(read(m_pDir->filePath("new.html")).startsWith("<!DOCTYPE html>\n<html><head><meta charset=\"UTF-8\">"));
    QCOMPARE(pPage->pathFileName(), m_pDir->filePath("new.html"));
    QVERIFY(!pPage->isModified());
}

void TestPages::styleCommandsActOnPagesOnly()
{
    QVERIFY(openPage(writeFile("a.html", "<p>Hello world</p>")));
    QVERIFY(m_pWindow->openFile(writeFile("b.txt", "plain text")));
    editor()->selectAll();
    QVERIFY(!action("actionBold")->isEnabled());
    QVERIFY(!m_pWindow->findChild<QToolBar*>("toolBarFormat")->isVisible());
    action("actionBold")->trigger();
    QVERIFY(!editor()->isModified());

    tabs()->setCurrentIndex(0);
    QVERIFY(page()->page()->findText("world"));
    action("actionBold")->trigger();
    QVERIFY(page()->toHtml().contains("<b>world</b>"));
    QVERIFY(page()->isModified() && action("actionBold")->isChecked());
    action("actionBold")->trigger();
    QVERIFY(!page()->toHtml().contains("<b>") && !action("actionBold")->isChecked());
    action("actionUnderline")->trigger();
    QVERIFY(page()->isUnderline() && action("actionUnderline")->isChecked());
    action("actionUndo")->trigger();
    QVERIFY(!page()->isUnderline());
}

void TestPages::swapKeepsModifiedAndText_data()
{
    QTest::addColumn<bool>("bEditPage");
    QTest::addColumn<bool>("bEditSource");
    QTest::newRow("unchanged") << false << false;
    QTest::newRow("page edited") << true << false;
    QTest::newRow("source edited") << false << true;
}

void TestPages::swapKeepsModifiedAndText()
{
    QFETCH(bool, bEditPage);
    QFETCH(bool, bEditSource);
    QVERIFY(openPage(writeFile("p.html", "<!DOCTYPE html><html><body><p>one\xc2\xa0two</p></body></html>")));
    CEditWebView* pPage = page();
    if (bEditPage) {
        QVERIFY(pPage->page()->findText("one"));
        pPage->insertText("ONE");
    }
    action("actionSwapHtml")->trigger();
    CHighlightEdit* pSource = editor();
    QVERIFY(pSource && pSource->editWebView() == pPage);
    QCOMPARE(tabs()->count(), 1);
    QCOMPARE(tabs()->tabText(0), QString(bEditPage ? "p.html*" : "p.html"));
    QVERIFY(m_pWindow->findChild<QToolBar*>("toolBarFormat")->isVisible());
    QVERIFY(!action("actionBold")->isEnabled());
    QVERIFY(pSource->toPlainText().contains(bEditPage ? "<p>ONE&nbsp;two</p>" : "<p>one&nbsp;two</p>"));
    if (bEditSource) {
        // A non-breaking space typed into the source stays one.
        pSource->document()->find("&nbsp;two").insertText("\u00a0TWO");
        QVERIFY(pPage->isModified());
    }
    // The source view is remembered for the next page opened.
    QVERIFY(openPage(writeFile("q.html", "<p>q</p>")));
    QVERIFY(editor() && editor()->editWebView());
    tabs()->setCurrentIndex(0);

    action("actionSwapHtml")->trigger();
    QCOMPARE(page(), pPage);
    QVERIFY(!g_pSettings->m_bIsHtmlText);
    QTRY_VERIFY(!pPage->isLoading());
    QCOMPARE(pPage->isModified(), bEditPage || bEditSource);
    QCOMPARE(m_pWindow->windowTitle(), QString(bEditPage || bEditSource ? "Scribo(p.html*)" : "Scribo(p.html)"));
    QCOMPARE(bodyText(pPage), QString(bEditPage ? "ONE\u00a0two" : bEditSource ? "one\u00a0TWO" : "one\u00a0two"));
}

void TestPages::saveFromPageAndFromSource()
{
    const QString strPath = writeFile("save.html", "<!DOCTYPE html>\n<html><head><meta charset=\"windows-1252\">"
                                                   "</head><body><p>caf\xe9</p></body></html>");
    QVERIFY(openPage(strPath));
    QVERIFY(page()->page()->findText("caf"));
    page()->insertText("th\u00e9");
    QVERIFY(m_pWindow->on_actionSave_triggered());
    QVERIFY(!page()->isModified() && !action("actionSave")->isEnabled());
    QVERIFY(read(strPath).startsWith("<!DOCTYPE html>\n<html><head><meta charset=\"UTF-8\"></head>"));
    QVERIFY(read(strPath).contains("<p>th\xc3\xa9\xc3\xa9</p>"));

    CEditWebView* pPage = page();
    action("actionSwapHtml")->trigger();
    editor()->document()->find("</p>").insertText("</p><p>more</p>");
    QVERIFY(pPage->isModified());
    QVERIFY(m_pWindow->on_actionSave_triggered());
    QVERIFY(!pPage->isModified() && !editor()->isModified());
    QVERIFY(read(strPath).contains("<p>more</p>"));
}

void TestPages::closingModifiedPage_data()
{
    QTest::addColumn<int>("nAnswer");
    QTest::addColumn<bool>("bSource");
    QTest::addColumn<bool>("bClosed");
    QTest::addColumn<bool>("bSaved");
    QTest::newRow("cancel") << int(QMessageBox::Cancel) << false << false << false;
    QTest::newRow("no") << int(QMessageBox::No) << false << true << false;
    QTest::newRow("yes") << int(QMessageBox::Yes) << false << true << true;
    QTest::newRow("yes, from the source") << int(QMessageBox::Yes) << true << true << true;
}

void TestPages::closingModifiedPage()
{
    QFETCH(int, nAnswer);
    QFETCH(bool, bSource);
    QFETCH(bool, bClosed);
    QFETCH(bool, bSaved);
    const QString strPath = writeFile("c.html", "<p>text</p>");
    QVERIFY(openPage(strPath));
    QPointer<CEditWebView> pPage = page();
    QVERIFY(pPage->page()->findText("text"));
    pPage->insertText("changed");
    if (bSource)
        action("actionSwapHtml")->trigger();
    QPointer<QWidget> pTab = tabs()->currentWidget();
    ModalDriver driver;
    driver.answer(QMessageBox::StandardButton(nAnswer));
    emit tabs()->tabCloseRequested(0);
    QCOMPARE(driver.seen().value(0).strTitle, QString("Page modified"));
    QCOMPARE(driver.seen().value(0).strText, QString("Do you save the modified page?"));
    QCOMPARE(tabs()->count(), bClosed ? 0 : 1);
    // A page goes with its source, whichever of them was in the tab.
    QCOMPARE(pPage.isNull(), bClosed);
    QCOMPARE(pTab.isNull(), bClosed);
    QCOMPARE(read(strPath).contains("changed"), bSaved);
}

void TestPages::fontAndSizeBoxes()
{
    QVERIFY(openPage(writeFile("f.html", "<p style='font-size:16px'>Hello world</p>")));
    CEditWebView* pPage = page();
    auto* pSize = m_pWindow->findChild<QComboBox*>("comboSize");
    QVERIFY(pPage->page()->findText("world"));
    QTRY_COMPARE(pSize->currentText(), QString("12"));
    QVERIFY(!pPage->isModified()); // showing the page's values applies nothing
    pSize->setCurrentIndex(pSize->findText("20"));
    QCOMPARE(pPage->fontSize(), QString("20"));
    m_pWindow->findChild<QFontComboBox*>()->setCurrentFont(QFont("DejaVu Sans Mono"));
    QCOMPARE(pPage->fontName(), QString("DejaVu Sans Mono"));
    action("actionUndo")->trigger();
    QVERIFY(pPage->page()->findText("world", QWebPage::FindWrapsAroundDocument));
    QVERIFY(pPage->fontName() != "DejaVu Sans Mono");
    QTRY_COMPARE(pSize->currentText(), QString("20"));
}

void TestPages::colourDialog_data()
{
    QTest::addColumn<bool>("bText");
    QTest::addColumn<bool>("bChoose");
    QTest::newRow("text colour chosen") << true << true;
    QTest::newRow("text colour cancelled") << true << false;
    QTest::newRow("background chosen") << false << true;
    QTest::newRow("background cancelled") << false << false;
}

void TestPages::colourDialog()
{
    QFETCH(bool, bText);
    QFETCH(bool, bChoose);
    QVERIFY(openPage(writeFile("c.html", "<p>Hello world</p>")));
    CEditWebView* pPage = page();
    QVERIFY(pPage->page()->findText("world"));
    QAction* pAction = action(bText ? "actionTextColor" : "actionBackColor");
    QColor& clrStored = bText ? g_pSettings->m_clrTextColor : g_pSettings->m_clrBackColor;
    const QColor clrBefore = clrStored;
    const QImage iconBefore = pAction->icon().pixmap(32, 32).toImage();
    const QColor clrChosen(10, 120, 230);
    ModalDriver driver;
    driver.onNextModal([&](QWidget* pWidget) {
        auto* pDialog = qobject_cast<QColorDialog*>(pWidget);
        QCOMPARE(pDialog->currentColor(), bText ? QColor(Qt::black) : QColor(Qt::white)); // as on the page
        if (bChoose)
            pDialog->setCurrentColor(clrChosen);
        bChoose ? pDialog->accept() : pDialog->reject();
    });
    emit pAction->menu()->aboutToShow();
    QTRY_COMPARE(driver.seen().size(), 1);
    const QString strApplied = bText ? pPage->foreColor() : pPage->backColor();
    if (bChoose) {
        m_pEnv->reloadSettings();
        QCOMPARE(bText ? g_pSettings->m_clrTextColor : g_pSettings->m_clrBackColor, clrChosen);
        QCOMPARE(strApplied, QString("rgb(10, 120, 230)"));
        QCOMPARE(pAction->icon().pixmap(32, 32).toImage().pixelColor(16, 28), clrChosen);
    } else {
        QCOMPARE(clrStored, clrBefore);
        QVERIFY(!pPage->isModified());
        QCOMPARE(pAction->icon().pixmap(32, 32).toImage(), iconBefore);
        // A click applies the stored colour.
        clrStored = QColor(200, 0, 0);
        pAction->trigger();
        QCOMPARE(bText ? pPage->foreColor() : pPage->backColor(), QString("rgb(200, 0, 0)"));
    }
}

void TestPages::openPositionOfPage()
{
    struct Recorder : CPlatformStarter
    {
        bool callSessionBus(const QDBusMessage& msg, std::function<void(bool)>) override
        {
            m_lstUris += msg.arguments().value(0).toStringList();
            return true;
        }
        QStringList m_lstUris;
    } recorder;
    setPlatformStarter(&recorder);
    action("actionNewHtml")->trigger();
    emit tabs()->clickAction("Open position of file"); // no file: nothing
    const QString strPath = writeFile("o.html", "<p>x</p>");
    QVERIFY(openPage(strPath));
    emit tabs()->clickAction("Open position of file");
    action("actionSwapHtml")->trigger();
    emit tabs()->clickAction("Open position of file");
    setPlatformStarter(nullptr);
    const QString strUri = QUrl::fromLocalFile(strPath).toString(QUrl::FullyEncoded);
    QCOMPARE(recorder.m_lstUris, QStringList({strUri, strUri}));
}

void TestPages::findAndReplaceThroughDialog()
{
    QVERIFY(openPage(writeFile("r.html", "<p>cat dog cat</p><p>cat</p>")));
    CEditWebView* pPage = page();
    QVERIFY(pPage->page()->findText("dog"));
    action("actionFind")->trigger();
    auto* pDlg = m_pWindow->findChild<CDlgFind*>();
    QCOMPARE(pDlg->getFindText(), QString("dog"));
    const auto status = [pDlg]() { return pDlg->findChild<QLabel*>("label_status")->text(); };
    pDlg->setFindText("bird");
    pDlg->findChild<QPushButton*>("pushButton_find_next")->click();
    QVERIFY(status().contains("cannot be found"));
    // Replace All with "search up" set replaces every one.
    g_pSettings->m_bFindSearchUp = true;
    action("actionReplace")->trigger();
    pDlg->setFindText("cat");
    pDlg->findChild<QComboBox*>("comboBox_replace_with")->setCurrentText("cow");
    pDlg->findChild<QPushButton*>("pushButton_replace_all")->click();
    QCOMPARE(bodyText(pPage), QString("cow dog cow\n\ncow"));
    QVERIFY(status().contains("Replace All: 3 items have been replaced."));
    QVERIFY(pPage->isModified());
}

void TestPages::previewFollowsDocument()
{
    auto* pPreview = m_pWindow->findChild<CPreviewWidget*>();
    auto* pDock = m_pWindow->findChild<QDockWidget*>("Preview");
    QVERIFY(openPage(writeFile("v.html", "<p>page text</p>")));
    auto* pShown = qobject_cast<CEditWebView*>(pPreview->currentView());
    QVERIFY(pShown && !pShown->page()->isContentEditable());
    QTRY_COMPARE(bodyText(pShown), QString("page text"));
    QCOMPARE(pDock->windowTitle(), QString("Preview(v.html)"));
    // Edits show after a short pause.
    QVERIFY(page()->page()->findText("text"));
    page()->insertText("words");
    QTRY_COMPARE(bodyText(pShown), QString("page words"));

    QVERIFY(m_pWindow->openFile(writeFile("w.cpp", "int main();\n")));
    auto* pText = qobject_cast<CHighlightEdit*>(pPreview->currentView());
    QVERIFY(pText && pText->toPlainText() == "int main();\n");
    QCOMPARE(pText->getLanguage(), QString("C++"));
    QCOMPARE(pDock->windowTitle(), QString("Preview(w.cpp)"));
    action("actionNewText")->trigger();
    QCOMPARE(pDock->windowTitle(), QString("Preview")); // text without a file
    // The entry chosen in the folder browser.
    emit m_pWindow->findChild<CWidgetFavorFileList*>()->fileSelectionChanged(writeFile("n.txt", "notes"));
    QVERIFY(qobject_cast<CHighlightEdit*>(pPreview->currentView())->toPlainText() == "notes");
    QCOMPARE(pDock->windowTitle(), QString("Preview(n.txt)"));
    QImage img(4, 4, QImage::Format_RGB32);
    QVERIFY(img.save(m_pDir->filePath("x.png")));
    QVERIFY(m_pWindow->openFile(m_pDir->filePath("x.png")));
    QVERIFY(!pPreview->currentView());
}

void TestPages::unsavedPageKeptWithSession()
{
    g_pSettings->m_bKeepUnsavedOnExit = true;
    const QString strData = m_pDir->filePath("data");
    m_pWindow->startSession(strData);
    const QString strPath = writeFile("k.html", "<p>on disk</p>");
    QVERIFY(openPage(strPath));
    QVERIFY(page()->page()->findText("disk"));
    page()->insertText("screen");
    QVERIFY(m_pWindow->close());
    QCOMPARE(read(strPath), QByteArray("<p>on disk</p>"));
    delete m_pWindow;

    m_pWindow = new MainWindow;
    m_pWindow->show();
    m_pWindow->startSession(strData);
    QTRY_VERIFY(page());
    QTRY_COMPARE(bodyText(page()), QString("on screen"));
    QVERIFY(page()->isModified());
    QCOMPARE(page()->pathFileName(), strPath);
}

QTEST_MAIN(TestPages)
#include "tst_pages.moc"
