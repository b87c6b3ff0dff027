// Documents in the main window: opening, the recent list, saving, the save
// prompts on closing, and commands following the current tab.
#include "app/CSettings.h"
#include "app/Globals.h"
#include "common/ModalDriver.h"
#include "common/TestEnv.h"
#include "editor/CHighlightEdit.h"
#include "mainwindow/CTabWidget.h"
#include "mainwindow/MainWindow.h"
#include "web/CImageWidget.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>
#include <qpa/qplatformdrag.h>
#include <qpa/qwindowsysteminterface.h>

class TestDocuments : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void openingTwiceSwitchesTab();
    void kindFromSuffix_data();
    void kindFromSuffix();
    void unreadableFileReportsAndAddsNoTab();
    void recentListKeepsSixWithoutDuplicates();
    void recentMenuOpensFile();
    void handOffMessageOpensQuotedPaths();
    void commandLineFolderSetsBrowserRoot();
    void dropOpensLocalFilesOnly();
    void dropOnEditor_data();
    void dropOnEditor();
    void saveWritesUtf8WithLineEndings();
    void saveUntitledAsksForName();
    void saveFailureReportsAndKeepsModified();
    void saveAsOnImageWritesNothing();
    void saveAllSkipsCancelledUntitled();
    void closingModifiedTab_data();
    void closingModifiedTab();
    void closingBackgroundTabSavesThatTab();
    void closeWindowYesToAllSavesEverything();
    void closeWindowCancelKeepsWindow();
    void titleAndStatusFollowDocument();
    void lineEndingCommands();
    void codecMenuRereads();
    void lineWrapForAllEditorsAndRemembered();
    void refreshAsksWhenModified();
    void doubleClickBesideTabsOpensNewText();
    void languageMenuFollowsDocument();

private:
    QString writeFile(const QString& strName, const QByteArray& arr);
    static QByteArray read(const QString& strPath);
    CTabWidget* tabs() const { return m_pWindow->findChild<CTabWidget*>(); }
    CHighlightEdit* editorAt(int i) const { return qobject_cast<CHighlightEdit*>(tabs()->widget(i)); }
    QAction* action(const char* szName) const { return m_pWindow->findChild<QAction*>(szName); }
    QString label(const char* szName) const
    {
        return m_pWindow->statusBar()->findChild<QLabel*>(szName)->text();
    }

    std::unique_ptr<TestEnv> m_pEnv;
    std::unique_ptr<QTemporaryDir> m_pDir;
    MainWindow* m_pWindow = nullptr;
};

void TestDocuments::init()
{
    m_pEnv = std::make_unique<TestEnv>();
    m_pDir = std::make_unique<QTemporaryDir>();
    m_pWindow = new MainWindow;
    m_pWindow->resize(800, 600);
}

void TestDocuments::cleanup()
{
    // Nothing left to ask about when the window goes.
    for (int i = 0; i < tabs()->count(); ++i) {
        if (CHighlightEdit* pEditor = editorAt(i))
            pEditor->setModified(false);
    }
    delete m_pWindow;
    m_pWindow = nullptr;
    m_pEnv.reset();
}

QString TestDocuments::writeFile(const QString& strName, const QByteArray& arr)
{
    const QString strPath = m_pDir->filePath(strName);
    QDir().mkpath(QFileInfo(strPath).absolutePath());
    QFile file(strPath);
    if (file.open(QIODevice::WriteOnly))
        file.write(arr);
    return strPath;
}

QByteArray TestDocuments::read(const QString& strPath)
{
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void TestDocuments::openingTwiceSwitchesTab()
{
    const QString strA = writeFile("a.txt", "first");
    const QString strB = writeFile("b.txt", "second");
    QVERIFY(m_pWindow->openFile(strA));
    QVERIFY(m_pWindow->openFile(strB));
    QCOMPARE(tabs()->currentIndex(), 1);
    writeFile("a.txt", "changed on disk");
    QVERIFY(m_pWindow->openFile(strA));
    QCOMPARE(tabs()->count(), 2);
    QCOMPARE(tabs()->currentIndex(), 0);
    QCOMPARE(editorAt(0)->toPlainText(), QString("first"));
}

void TestDocuments::kindFromSuffix_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("image");
    QTest::addColumn<QString>("icon");
    QTest::newRow("svg is text") << "logo.svg" << false << ":/res/file_text_svg.png";
    QTest::newRow("png upper case") << "photo.PNG" << true << ":/res/image.png";
    QTest::newRow("plain text") << "notes.md" << false << ":/res/file_text.png";
    QTest::newRow("no suffix") << "Makefile" << false << ":/res/file_text.png";
}

void TestDocuments::kindFromSuffix()
{
    QFETCH(QString, name);
    QFETCH(bool, image);
    QFETCH(QString, icon);
    QByteArray arrContent = "<svg xmlns='http://www.w3.org/2000/svg'/>";
    if (image) {
        QImage img(4, 4, QImage::Format_RGB32);
        img.fill(Qt::green);
        img.save(m_pDir->filePath(name), "PNG");
    } else {
        writeFile(name, arrContent);
    }
    QVERIFY(m_pWindow->openFile(m_pDir->filePath(name)));
    QWidget* pWidget = tabs()->currentWidget();
    QCOMPARE(qobject_cast<CImageWidget*>(pWidget) != nullptr, image);
    QCOMPARE(qobject_cast<CHighlightEdit*>(pWidget) != nullptr, !image);
    QCOMPARE(tabs()->tabText(0), name);
    QCOMPARE(tabs()->tabToolTip(0), m_pDir->filePath(name));
    QCOMPARE(tabs()->tabIcon(0).pixmap(16, 16).toImage(), QIcon(icon).pixmap(16, 16).toImage());
}

void TestDocuments::unreadableFileReportsAndAddsNoTab()
{
    const QString strPath = m_pDir->filePath("missing.txt");
    ModalDriver driver;
    driver.answer(QMessageBox::Ok);
    QVERIFY(!m_pWindow->openFile(strPath));
    QCOMPARE(tabs()->count(), 0);
    QCOMPARE(driver.seen().size(), 1);
    QCOMPARE(driver.seen().at(0).strTitle, QString("Fail to open file"));
    QCOMPARE(driver.seen().at(0).strText, QString("Fail to open file(%1).").arg(strPath));
}

void TestDocuments::recentListKeepsSixWithoutDuplicates()
{
    QStringList lstPaths;
    for (int i = 1; i <= 8; ++i)
        lstPaths << writeFile(QString("f%1.txt").arg(i), "x");
    for (const QString& strPath : lstPaths)
        m_pWindow->addRecentFile(strPath);
    QStringList lstExpected;
    for (int i = 7; i >= 2; --i)
        lstExpected << lstPaths.at(i);
    QCOMPARE(g_pSettings->m_lstRecentFiles, lstExpected);

    m_pWindow->addRecentFile(lstPaths.at(5)); // the third entry
    QCOMPARE(g_pSettings->m_lstRecentFiles.size(), 6);
    QCOMPARE(g_pSettings->m_lstRecentFiles.first(), lstPaths.at(5));
    QCOMPARE(g_pSettings->m_lstRecentFiles.count(lstPaths.at(5)), 1);
    QCOMPARE(action("actionRecent_File_1")->text(), lstPaths.at(5));
    m_pEnv->reloadSettings(); // stored at once
    QCOMPARE(g_pSettings->m_lstRecentFiles.first(), lstPaths.at(5));
}

void TestDocuments::recentMenuOpensFile()
{
    const QString strOld = writeFile("old.txt", "old");
    const QString strNew = writeFile("new.txt", "new");
    m_pWindow->addRecentFile(strOld);
    m_pWindow->addRecentFile(strNew);
    action("actionRecent_File_2")->trigger();
    QCOMPARE(tabs()->count(), 1);
    QCOMPARE(editorAt(0)->filePath(), strOld);
    QCOMPARE(g_pSettings->m_lstRecentFiles, (QStringList{strOld, strNew}));
}

void TestDocuments::handOffMessageOpensQuotedPaths()
{
    const QString strSpaced = writeFile("with space/my notes.txt", "one");
    const QString strOther = writeFile(QString::fromUtf8("日本/データ.txt"), "two");
    m_pWindow->parseArgument(QString("\"%1\" \"%2\"").arg(strSpaced, strOther));
    QCOMPARE(tabs()->count(), 2);
    QCOMPARE(editorAt(0)->filePath(), strSpaced);
    QCOMPARE(editorAt(1)->filePath(), strOther);
    QCOMPARE(g_pSettings->m_lstRecentFiles, (QStringList{strOther, strSpaced}));
    m_pWindow->parseArgument(" ");
    QCOMPARE(tabs()->count(), 2);
}

void TestDocuments::commandLineFolderSetsBrowserRoot()
{
    const QString strFile = writeFile("sub/x.txt", "x");
    QDir(m_pDir->path()).mkpath("folder");
    QDir(m_pDir->path()).mkpath("second");
    m_pWindow->parseArguments({m_pDir->filePath("folder"), strFile, m_pDir->filePath("second"),
                               m_pDir->filePath("does-not-exist.txt")});
    QCOMPARE(tabs()->count(), 1);
    QCOMPARE(m_pWindow->folderRootPath(), QDir::toNativeSeparators(m_pDir->filePath("folder")));
    m_pWindow->parseArguments({strFile});
    QCOMPARE(m_pWindow->folderRootPath(), QDir::toNativeSeparators(m_pDir->filePath("sub")));
}

void TestDocuments::dropOpensLocalFilesOnly()
{
    const QString strA = writeFile("a.txt", "a");
    const QString strB = writeFile("b.txt", "b");
    auto drop = [&](const QList<QUrl>& lstUrls) {
        QMimeData mime;
        mime.setUrls(lstUrls);
        // As in a real drag, the drop goes to the widget that accepted the enter.
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_pWindow, &enter);
        QDropEvent event(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_pWindow, &event);
    };
    drop({QUrl("https://example.org/"), QUrl::fromLocalFile(strA)});
    QCOMPARE(tabs()->count(), 0);
    drop({QUrl::fromLocalFile(strA), QUrl::fromLocalFile(strB), QUrl("https://example.org/")});
    QCOMPARE(tabs()->count(), 2);
    QCOMPARE(editorAt(1)->filePath(), strB);
}

void TestDocuments::dropOnEditor_data()
{
    QTest::addColumn<QString>("drop"); // "file", "text" or "web"
    QTest::addColumn<int>("tabCount");
    QTest::addColumn<QString>("editorText");
    QTest::newRow("file opens, text untouched") << "file" << 2 << "first";
    QTest::newRow("text is inserted") << "text" << 1 << "dragged first";
    QTest::newRow("web address is the editor's") << "web" << 1 << "https://example.org/first";
}

void TestDocuments::dropOnEditor()
{
    QFETCH(QString, drop);
    QFETCH(int, tabCount);
    QFETCH(QString, editorText);
    QVERIFY(m_pWindow->openFile(writeFile("first.txt", "first")));
    const QString strDropped = writeFile("dropped.txt", "dropped");
    m_pWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pWindow));
    CHighlightEdit* pEditor = editorAt(0);
    pEditor->setModified(false);
    auto* pMime = new QMimeData; // owned by the drag
    if (drop == "file")
        pMime->setUrls({QUrl::fromLocalFile(strDropped)});
    else if (drop == "web")
        pMime->setUrls({QUrl("https://example.org/")});
    else
        pMime->setText("dragged ");
    // Through the window system's entry, as a drag from another program:
    // over the start of the editor's text, then dropped there.
    QWindow* pWindow = m_pWindow->windowHandle();
    const QPoint pt = pEditor->viewport()->mapTo(m_pWindow, pEditor->cursorRect(QTextCursor(pEditor->document())).center());
    QWindowSystemInterface::handleDrag(pWindow, pMime, pt, Qt::CopyAction, Qt::LeftButton, Qt::NoModifier);
    QWindowSystemInterface::handleDrop(pWindow, pMime, pt, Qt::CopyAction, Qt::LeftButton, Qt::NoModifier);
    QCOMPARE(tabs()->count(), tabCount);
    QCOMPARE(pEditor->toPlainText(), editorText);
    QCOMPARE(pEditor->isModified(), drop != "file");
    if (drop == "file")
        QCOMPARE(editorAt(1)->filePath(), strDropped);
    delete pMime;
}

void TestDocuments::saveWritesUtf8WithLineEndings()
{
    const QByteArray arrEuc = QTextCodec::codecForName("EUC-JP")->fromUnicode(
        QString::fromUtf8("第一行\r\n第二行\r\n"));
    const QString strPath = writeFile("euc.txt", arrEuc);
    QVERIFY(m_pWindow->openFile(strPath));
    CHighlightEdit* pEditor = editorAt(0);
    pEditor->moveCursor(QTextCursor::End);
    pEditor->insertPlainText("end");
    QVERIFY(action("actionSave")->isEnabled());
    action("actionSave")->trigger();
    QCOMPARE(read(strPath), QString::fromUtf8("第一行\r\n第二行\r\nend").toUtf8());
    QVERIFY(!pEditor->isModified());
    QVERIFY(!action("actionSave")->isEnabled());
    // The file is UTF-8 now: the document says so, and reading it again
    // (Refresh, then a save) keeps every character.
    QCOMPARE(label("labelTextCodec"), QString("UTF-8"));
    action("actionRefresh")->trigger();
    QCOMPARE(pEditor->toPlainText(), QString::fromUtf8("第一行\n第二行\nend"));
}

void TestDocuments::saveUntitledAsksForName()
{
    action("actionNewText")->trigger();
    QCOMPARE(tabs()->tabText(0), QString("Untitled"));
    editorAt(0)->insertPlainText("hello\nworld");
    const QString strPath = m_pDir->filePath("chosen.txt");
    ModalDriver driver;
    driver.chooseFile(strPath);
    QVERIFY(m_pWindow->on_actionSave_triggered());
    QCOMPARE(driver.seen().value(0).strTitle, QString("Save file"));
    QCOMPARE(read(strPath), QByteArray("hello\r\nworld"));
    QCOMPARE(editorAt(0)->filePath(), strPath);
    QCOMPARE(tabs()->tabToolTip(0), strPath);
    QCOMPARE(m_pWindow->windowTitle(), QString("Scribo(chosen.txt)"));

    // After an Open dialog, an untitled document starts in that folder with
    // no name filled in; one Enter must not replace the opened file.
    const QString strOpened = writeFile("last/opened.txt", "keep");
    driver.chooseFile(strOpened);
    action("actionOpen")->trigger();
    action("actionNewText")->trigger();
    editorAt(2)->insertPlainText("x");
    QString strDir;
    QString strName = "<not shown>";
    driver.onNextModal([&](QWidget* pWidget) {
        auto* pDialog = qobject_cast<QFileDialog*>(pWidget);
        strDir = pDialog->directory().absolutePath();
        strName = pDialog->findChild<QLineEdit*>("fileNameEdit")->text();
        pDialog->reject();
    });
    QVERIFY(!m_pWindow->on_actionSave_triggered());
    QCOMPARE(strDir, QFileInfo(strOpened).absolutePath());
    QCOMPARE(strName, QString());
    QVERIFY(editorAt(2)->isModified());
    QCOMPARE(read(strOpened), QByteArray("keep"));
}

void TestDocuments::saveFailureReportsAndKeepsModified()
{
    const QString strPath = writeFile("dir/file.txt", "on disk");
    QVERIFY(m_pWindow->openFile(strPath));
    editorAt(0)->insertPlainText("new ");
    QVERIFY(QDir(m_pDir->filePath("dir")).removeRecursively());
    ModalDriver driver;
    driver.answer(QMessageBox::Ok);
    QVERIFY(!m_pWindow->on_actionSave_triggered());
    QCOMPARE(driver.seen().value(0).strTitle, QString("Fail to save file"));
    // The reason follows on a line of its own.
    const QStringList lstLines = driver.seen().value(0).strText.split('\n');
    QCOMPARE(lstLines.value(0), QString("Cannot open file(%1).").arg(strPath));
    QVERIFY(!lstLines.value(1).isEmpty());
    QVERIFY(editorAt(0)->isModified());
}

void TestDocuments::saveAsOnImageWritesNothing()
{
    QImage img(4, 4, QImage::Format_RGB32);
    img.fill(Qt::red);
    const QString strImage = m_pDir->filePath("pic.png");
    img.save(strImage);
    const QString strVictim = writeFile("victim.txt", "must survive");
    QVERIFY(m_pWindow->openFile(strImage));
    QVERIFY(!action("actionSave_As")->isEnabled());
    QVERIFY(!action("actionSave")->isEnabled());
    ModalDriver driver;
    driver.chooseFile(strVictim);
    QVERIFY(!m_pWindow->on_actionSave_As_triggered());
    QTest::qWait(50);
    QCOMPARE(driver.pending(), 1); // no dialog was even shown
    QCOMPARE(read(strVictim), QByteArray("must survive"));
}

void TestDocuments::saveAllSkipsCancelledUntitled()
{
    const QString strA = writeFile("a.txt", "a");
    const QString strB = writeFile("b.txt", "b");
    QVERIFY(m_pWindow->openFile(strA));
    action("actionNewText")->trigger();
    QVERIFY(m_pWindow->openFile(strB));
    editorAt(0)->insertPlainText("1");
    editorAt(1)->insertPlainText("2");
    editorAt(2)->insertPlainText("3");
    ModalDriver driver;
    driver.cancel(); // the untitled one's Save As
    action("actionSave_All")->trigger();
    QCOMPARE(driver.seen().size(), 1);
    QCOMPARE(read(strA), QByteArray("1a"));
    QCOMPARE(read(strB), QByteArray("3b"));
    QVERIFY(editorAt(1)->isModified());
    QVERIFY(!editorAt(0)->isModified());
    QCOMPARE(tabs()->currentIndex(), 2);
}

void TestDocuments::closingModifiedTab_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("tabsLeft");
    QTest::addColumn<QByteArray>("onDisk");
    QTest::newRow("cancel") << int(QMessageBox::Cancel) << 1 << QByteArray("text");
    QTest::newRow("no") << int(QMessageBox::No) << 0 << QByteArray("text");
    QTest::newRow("yes") << int(QMessageBox::Yes) << 0 << QByteArray("more text");
}

void TestDocuments::closingModifiedTab()
{
    QFETCH(int, answer);
    QFETCH(int, tabsLeft);
    QFETCH(QByteArray, onDisk);
    const QString strPath = writeFile("t.txt", "text");
    QVERIFY(m_pWindow->openFile(strPath));
    editorAt(0)->insertPlainText("more ");
    ModalDriver driver;
    driver.answer(QMessageBox::StandardButton(answer));
    emit tabs()->tabCloseRequested(0);
    QCOMPARE(driver.seen().value(0).strTitle, QString("File modified"));
    QCOMPARE(driver.seen().value(0).strText, QString("Do you save the modified file?"));
    QCOMPARE(tabs()->count(), tabsLeft);
    QCOMPARE(read(strPath), onDisk);
}

void TestDocuments::closingBackgroundTabSavesThatTab()
{
    const QString strA = writeFile("a.txt", "a");
    const QString strB = writeFile("b.txt", "b");
    QVERIFY(m_pWindow->openFile(strA));
    QVERIFY(m_pWindow->openFile(strB));
    editorAt(0)->insertPlainText("A");
    editorAt(1)->insertPlainText("B");
    QCOMPARE(tabs()->currentIndex(), 1);
    ModalDriver driver;
    driver.answer(QMessageBox::Yes);
    emit tabs()->emitMidButtonRelease(0);
    QCOMPARE(read(strA), QByteArray("Aa"));
    QCOMPARE(read(strB), QByteArray("b"));
    QCOMPARE(tabs()->count(), 1);
    QCOMPARE(editorAt(0)->filePath(), strB);

    emit tabs()->emitMidButtonRelease(-1); // beside the tabs: nothing
    QCOMPARE(tabs()->count(), 1);
}

void TestDocuments::closeWindowYesToAllSavesEverything()
{
    QStringList lstPaths;
    for (const char* szName : {"1.txt", "2.txt", "3.txt"}) {
        lstPaths << writeFile(szName, "x");
        QVERIFY(m_pWindow->openFile(lstPaths.last()));
        editorAt(tabs()->count() - 1)->insertPlainText("y");
    }
    ModalDriver driver;
    driver.answer(QMessageBox::YesToAll);
    QCloseEvent event;
    QApplication::sendEvent(m_pWindow, &event);
    QVERIFY(event.isAccepted());
    QCOMPARE(driver.seen().size(), 1);
    QCOMPARE(driver.seen().at(0).strTitle, QString("File Modified"));
    QCOMPARE(driver.seen().at(0).strText,
             QString("Do you save the modified file?\n(%1)").arg(lstPaths.at(2)));
    for (const QString& strPath : lstPaths)
        QCOMPARE(read(strPath), QByteArray("yx"));
    QCOMPARE(tabs()->count(), 0);
}

void TestDocuments::closeWindowCancelKeepsWindow()
{
    const QString strA = writeFile("a.txt", "a");
    const QString strB = writeFile("b.txt", "b");
    QVERIFY(m_pWindow->openFile(strA));
    QVERIFY(m_pWindow->openFile(strB));
    editorAt(0)->insertPlainText("modified");
    ModalDriver driver;
    driver.answer(QMessageBox::Cancel);
    QCloseEvent event;
    QApplication::sendEvent(m_pWindow, &event);
    QVERIFY(!event.isAccepted());
    // The unmodified last tab was already closed; the modified one stays.
    QCOMPARE(tabs()->count(), 1);
    QVERIFY(editorAt(0)->isModified());
}

void TestDocuments::titleAndStatusFollowDocument()
{
    const QString strPath = writeFile("notes.txt", "abc\ndef");
    QVERIFY(m_pWindow->openFile(strPath));
    QCOMPARE(m_pWindow->windowTitle(), QString("Scribo(notes.txt)"));
    QCOMPARE(label("labelPosition"), QString("row: 1, col: 0, sel: 0"));
    QCOMPARE(label("labelReturnFormat"), QString("Unix"));
    QCOMPARE(label("labelTextCodec"), QString("UTF-8"));
    QCOMPARE(label("labelLanguage"), QString("Unknown Language"));
    editorAt(0)->moveCursor(QTextCursor::End);
    editorAt(0)->insertPlainText("!");
    QCOMPARE(m_pWindow->windowTitle(), QString("Scribo(notes.txt*)"));
    QCOMPARE(tabs()->tabText(0), QString("notes.txt*"));
    QCOMPARE(label("labelPosition"), QString("row: 2, col: 4, sel: 0"));
    QVERIFY(action("actionUndo")->isEnabled());
    QVERIFY(!action("actionRedo")->isEnabled());
    QVERIFY(action("actionCut")->isEnabled());
    QVERIFY(action("actionSave_All")->isEnabled());
    QVERIFY(!action("actionBold")->isEnabled());

    action("actionBold")->trigger(); // nothing for a code editor
    QCOMPARE(editorAt(0)->toPlainText(), QString("abc\ndef!"));
}

void TestDocuments::lineEndingCommands()
{
    const QString strPath = writeFile("crlf.txt", "a\r\nb");
    QVERIFY(m_pWindow->openFile(strPath));
    QVERIFY(action("actionWindows")->isChecked());
    action("actionWindows")->trigger();
    QVERIFY(!editorAt(0)->isModified());
    QVERIFY(action("actionWindows")->isChecked());
    action("actionUnix")->trigger();
    QVERIFY(editorAt(0)->isModified());
    QVERIFY(action("actionUnix")->isChecked());
    QVERIFY(!action("actionWindows")->isChecked());
    QCOMPARE(label("labelReturnFormat"), QString("Unix"));
    QCOMPARE(m_pWindow->windowTitle(), QString("Scribo(crlf.txt*)"));
    action("actionSave")->trigger();
    QCOMPARE(read(strPath), QByteArray("a\nb"));
}

void TestDocuments::codecMenuRereads()
{
    const QByteArray arrSjis =
        QTextCodec::codecForName("Shift_JIS")->fromUnicode(QString::fromUtf8("日本語"));
    QVERIFY(m_pWindow->openFile(writeFile("j.txt", arrSjis)));
    auto* pMenu = m_pWindow->findChild<QMenu*>("menuText_Codec");
    QAction* pChecked = nullptr;
    QAction* pEuc = nullptr;
    for (QAction* pAction : pMenu->actions()) {
        if (pAction->isChecked())
            pChecked = pAction;
        if (pAction->text() == "EUC-JP")
            pEuc = pAction;
    }
    QVERIFY(pChecked);
    QCOMPARE(pChecked->text(), editorAt(0)->codecName());
    QVERIFY(pEuc && pEuc->isEnabled());
    pEuc->trigger();
    QCOMPARE(editorAt(0)->codecName(), QString("EUC-JP"));
    QCOMPARE(editorAt(0)->toPlainText(), QTextCodec::codecForName("EUC-JP")->toUnicode(arrSjis));
    QVERIFY(pEuc->isChecked());
    QVERIFY(!pChecked->isChecked());
    QCOMPARE(label("labelTextCodec"), QString("EUC-JP"));
}

void TestDocuments::lineWrapForAllEditorsAndRemembered()
{
    action("actionNewText")->trigger();
    action("actionNewText")->trigger();
    action("actionLine_Wrap")->trigger();
    QVERIFY(action("actionLine_Wrap")->isChecked());
    for (int i = 0; i < 2; ++i)
        QCOMPARE(editorAt(i)->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    action("actionNewText")->trigger();
    QCOMPARE(editorAt(2)->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    m_pEnv->reloadSettings();
    QVERIFY(g_pSettings->m_bLineWrap);
    MainWindow second;
    QVERIFY(second.findChild<QAction*>("actionLine_Wrap")->isChecked());
}

void TestDocuments::refreshAsksWhenModified()
{
    const QString strPath = writeFile("r.txt", "disk");
    QVERIFY(m_pWindow->openFile(strPath));
    editorAt(0)->insertPlainText("typed ");
    writeFile("r.txt", "disk changed");
    ModalDriver driver;
    driver.answer(QMessageBox::Cancel);
    action("actionRefresh")->trigger();
    QCOMPARE(editorAt(0)->toPlainText(), QString("typed disk"));
    driver.answer(QMessageBox::Yes);
    action("actionRefresh")->trigger();
    QCOMPARE(driver.seen().size(), 2);
    QCOMPARE(driver.seen().at(1).strText,
             QString("Are you sure to refresh and discard the modification?"));
    QCOMPARE(editorAt(0)->toPlainText(), QString("disk changed"));
    QVERIFY(!editorAt(0)->isModified());
}

void TestDocuments::doubleClickBesideTabsOpensNewText()
{
    emit tabs()->tabBarDoubleClicked(-1);
    QCOMPARE(tabs()->count(), 1);
    QCOMPARE(tabs()->tabToolTip(0), QString("New file"));
    emit tabs()->tabBarDoubleClicked(0);
    QCOMPARE(tabs()->count(), 1);
}

void TestDocuments::languageMenuFollowsDocument()
{
    auto* pMenu = m_pWindow->findChild<QMenu*>("menuLanguage");
    QStringList lstEntries;
    for (QAction* pAction : pMenu->actions())
        lstEntries << (pAction->isSeparator() ? QString("-") : pAction->text());
    QVERIFY(lstEntries.contains("C++"));
    QVERIFY(lstEntries.contains("Python"));
    QCOMPARE(lstEntries.mid(lstEntries.size() - 2), (QStringList{"-", "Unknown Format"}));
    const auto checked = [pMenu]() {
        QStringList lst;
        for (QAction* pAction : pMenu->actions()) {
            if (pAction->isChecked())
                lst << pAction->text();
        }
        return lst;
    };
    QVERIFY(checked().isEmpty());

    QVERIFY(m_pWindow->openFile(writeFile("main.cpp", "int main() { return 0; } // done")));
    QCOMPARE(checked(), QStringList{"C++"});
    QCOMPARE(label("labelLanguage"), QString("C++"));
    QVERIFY(m_pWindow->openFile(writeFile("notes.txt", "plain")));
    QCOMPARE(checked(), QStringList{"Unknown Format"});
    QCOMPARE(label("labelLanguage"), QString("Unknown Language"));

    for (QAction* pAction : pMenu->actions()) {
        if (pAction->text() == "Python")
            pAction->trigger();
    }
    QCOMPARE(editorAt(1)->getLanguage(), QString("Python"));
    QCOMPARE(checked(), QStringList{"Python"});
    QCOMPARE(label("labelLanguage"), QString("Python"));
    m_pWindow->findChild<QAction*>("actionUnknown")->trigger();
    QVERIFY(editorAt(1)->getLanguage().isEmpty());
    QCOMPARE(checked(), QStringList{"Unknown Format"});
    tabs()->setCurrentIndex(0);
    QCOMPARE(checked(), QStringList{"C++"});

    // A new document named by Save As gets the language of its name.
    action("actionNewText")->trigger();
    editorAt(2)->insertPlainText("print('x')");
    ModalDriver driver;
    driver.chooseFile(m_pDir->filePath("script.py"));
    QVERIFY(m_pWindow->on_actionSave_triggered());
    QCOMPARE(editorAt(2)->getLanguage(), QString("Python"));
}

QTEST_MAIN(TestDocuments)
#include "tst_documents.moc"
