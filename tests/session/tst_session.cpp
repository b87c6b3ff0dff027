// Files changed by other programs, the session between runs and the texts
// kept on exit, seen through the main window.
#include "app/CSettings.h"
#include "app/Globals.h"
#include "common/ModalDriver.h"
#include "common/TestEnv.h"
#include "editor/CHighlightEdit.h"
#include "mainwindow/CTabWidget.h"
#include "mainwindow/MainWindow.h"
#include "session/CDocumentWatcher.h"
#include "session/CNoticeBar.h"
#include "web/CPreviewWidget.h"

#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

class TestSession : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void unmodifiedReloadsOnExternalWrite_data();
    void unmodifiedReloadsOnExternalWrite();
    void modifiedGetsOneBar();
    void backgroundTabShowsBarWhenCurrent();
    void deletedFileBecomesModified();
    void sessionComesBack();
    void keptUnsavedTextComesBackExactly();
    void damagedSessionIgnored_data();
    void damagedSessionIgnored();
    void interruptedRestoreAsksFirst();

private:
    QString writeFile(const QString& strName, const QByteArray& arr);
    static QByteArray read(const QString& strPath);
    // Another program writes the file (directly, or a new file renamed over it).
    static void externalWrite(const QString& strPath, const QByteArray& arr, bool bRename = false);
    CTabWidget* tabs() const { return m_pWindow->findChild<CTabWidget*>(); }
    CHighlightEdit* editorAt(int i) const { return qobject_cast<CHighlightEdit*>(tabs()->widget(i)); }
    CNoticeBar* bar() const { return m_pWindow->findChild<CNoticeBar*>(); }
    QPushButton* barButton(const QString& strText) const;
    void restart(); // closes the window as a user would and starts the next run

    std::unique_ptr<TestEnv> m_pEnv;
    std::unique_ptr<QTemporaryDir> m_pDir;
    QString m_strData;
    MainWindow* m_pWindow = nullptr;
};

void TestSession::init()
{
    m_pEnv = std::make_unique<TestEnv>();
    m_pDir = std::make_unique<QTemporaryDir>();
    m_strData = m_pDir->filePath("data");
    m_pWindow = new MainWindow;
    m_pWindow->resize(800, 600);
    m_pWindow->show();
    m_pWindow->startSession(m_strData);
}

void TestSession::cleanup()
{
    for (int i = 0; i < tabs()->count(); ++i) {
        if (CHighlightEdit* pEditor = editorAt(i))
            pEditor->setModified(false);
    }
    delete m_pWindow;
    m_pEnv.reset();
}

QString TestSession::writeFile(const QString& strName, const QByteArray& arr)
{
    const QString strPath = m_pDir->filePath(strName);
    QFile file(strPath);
    if (file.open(QIODevice::WriteOnly))
        file.write(arr);
    return strPath;
}

QByteArray TestSession::read(const QString& strPath)
{
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void TestSession::externalWrite(const QString& strPath, const QByteArray& arr, bool bRename)
{
    QProcess shell;
    const QString strScript = bRename ? "cat > \"$1.new\" && mv \"$1.new\" \"$1\"" : "cat > \"$1\"";
    shell.start("sh", {"-c", strScript, "sh", strPath});
    shell.waitForStarted();
    shell.write(arr);
    shell.closeWriteChannel();
    QVERIFY(shell.waitForFinished());
    QCOMPARE(shell.exitCode(), 0);
}

QPushButton* TestSession::barButton(const QString& strText) const
{
    for (QPushButton* pButton : bar()->findChildren<QPushButton*>()) {
        if (pButton->isVisible() && pButton->text().remove('&') == strText)
            return pButton;
    }
    return nullptr;
}

void TestSession::restart()
{
    QVERIFY(m_pWindow->close());
    delete m_pWindow;
    m_pWindow = new MainWindow;
    m_pWindow->show();
    m_pWindow->startSession(m_strData);
}

void TestSession::unmodifiedReloadsOnExternalWrite_data()
{
    QTest::addColumn<bool>("rename");
    QTest::newRow("rewritten in place") << false;
    QTest::newRow("replaced by rename") << true;
}

void TestSession::unmodifiedReloadsOnExternalWrite()
{
    QFETCH(bool, rename);
    QTextCodec* pEuc = QTextCodec::codecForName("EUC-JP");
    const QString strPath = writeFile("euc.txt", pEuc->fromUnicode(QString::fromUtf8("一行目\n二行目\n三行目\n")));
    QVERIFY(m_pWindow->openFile(strPath));
    CHighlightEdit* pEditor = editorAt(0);
    QCOMPARE(pEditor->codecName(), QString("EUC-JP"));
    pEditor->setTextCursor(QTextCursor(pEditor->document()->findBlockByNumber(2)));
    // Twice: the file stays watched after it was replaced.
    for (const char* szText : {"新しい一行目\n二行目\n三行目\n四行目\n", "また変わった\n二\n三\n"}) {
        externalWrite(strPath, pEuc->fromUnicode(QString::fromUtf8(szText)), rename);
        QTRY_COMPARE(pEditor->toPlainText(), QString::fromUtf8(szText));
        QCOMPARE(pEditor->codecName(), QString("EUC-JP"));
        QCOMPARE(pEditor->textCursor().blockNumber(), 2);
        QVERIFY(!pEditor->isModified());
        QVERIFY(!bar()->isVisible());
    }
}

void TestSession::modifiedGetsOneBar()
{
    const QString strPath = writeFile("mine.txt", "disk\n");
    QVERIFY(m_pWindow->openFile(strPath));
    CHighlightEdit* pEditor = editorAt(0);
    pEditor->insertPlainText("mine ");
    for (const char* szText : {"one\n", "two\n", "three\n"})
        externalWrite(strPath, szText);
    QTRY_VERIFY(bar()->isVisible());
    QCOMPARE(bar()->noticeText(pEditor), QString("This file has changed on disk."));
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(pEditor->toPlainText(), QString("mine disk\n"));

    // Reload: the disk's text, without a further question.
    barButton("Reload")->click();
    QCOMPARE(pEditor->toPlainText(), QString("three\n"));
    QVERIFY(!pEditor->isModified());
    QVERIFY(!bar()->isVisible());

    // Keep mine: still modified; the next save overwrites the disk, and that
    // save of ours is no change on disk.
    pEditor->moveCursor(QTextCursor::End);
    pEditor->insertPlainText("kept");
    externalWrite(strPath, "theirs\n");
    QTRY_VERIFY(bar()->isVisible());
    barButton("Keep mine")->click();
    QVERIFY(pEditor->isModified());
    QVERIFY(m_pWindow->on_actionSave_triggered());
    QCOMPARE(read(strPath), QByteArray("three\nkept"));
    QTest::qWait(3 * CDocumentWatcher::SettleMs);
    QVERIFY(!bar()->isVisible());
    QCOMPARE(pEditor->toPlainText(), QString("three\nkept"));
}

void TestSession::backgroundTabShowsBarWhenCurrent()
{
    const QString strA = writeFile("a.txt", "a");
    QVERIFY(m_pWindow->openFile(strA));
    editorAt(0)->insertPlainText("edit ");
    QVERIFY(m_pWindow->openFile(writeFile("b.txt", "b")));
    externalWrite(strA, "changed");
    QTRY_VERIFY(bar()->hasNotice(editorAt(0)));
    QVERIFY(!bar()->isVisible());
    tabs()->setCurrentIndex(0);
    QVERIFY(bar()->isVisible());
    tabs()->setCurrentIndex(1);
    QVERIFY(!bar()->isVisible());
}

void TestSession::deletedFileBecomesModified()
{
    const QString strPath = writeFile("gone.txt", "text");
    QVERIFY(m_pWindow->openFile(strPath));
    QVERIFY(QFile::remove(strPath));
    QTRY_VERIFY(editorAt(0)->isModified());
    QCOMPARE(bar()->noticeText(editorAt(0)), QString("This file was deleted on disk."));
    QVERIFY(m_pWindow->on_actionSave_triggered());
    QCOMPARE(read(strPath), QByteArray("text"));
    QVERIFY(!bar()->isVisible());
}

void TestSession::sessionComesBack()
{
    QTextCodec* pEuc = QTextCodec::codecForName("EUC-JP");
    const QString strA = writeFile("a.txt", "1\n2\n3\n4\n");
    const QString strB = writeFile("b.txt", "def f():\n    pass\n");
    const QString strC = writeFile("c.txt", pEuc->fromUnicode(QString::fromUtf8("日本語")));
    for (const QString& strPath : {strA, strB, strC})
        QVERIFY(m_pWindow->openFile(strPath));
    editorAt(0)->setTextCursor(QTextCursor(editorAt(0)->document()->findBlockByNumber(3)));
    tabs()->setCurrentIndex(1); // by hand: the language menu and the codec menu
    QAction* pPython = nullptr;
    for (QAction* pAction : m_pWindow->findChild<QMenu*>("menuLanguage")->actions()) {
        if (pAction->text() == "Python")
            pPython = pAction;
    }
    QVERIFY(pPython);
    pPython->trigger();
    tabs()->setCurrentIndex(2);
    for (QAction* pAction : m_pWindow->findChild<QMenu*>("menuText_Codec")->actions()) {
        if (pAction->text() == "Shift_JIS")
            pAction->trigger();
    }
    QCOMPARE(editorAt(2)->codecName(), QString("Shift_JIS"));
    tabs()->setCurrentIndex(1);

    restart();
    QCOMPARE(tabs()->count(), 3);
    QCOMPARE(tabs()->currentIndex(), 1);
    QCOMPARE(editorAt(1)->getLanguage(), QString("Python"));
    // The frame and, a moment later, the preview follow the restored tab.
    QVERIFY(m_pWindow->windowTitle().contains("b.txt"));
    auto* pPreview = m_pWindow->findChild<CPreviewWidget*>();
    QTRY_VERIFY(qobject_cast<CHighlightEdit*>(pPreview->currentView())
                && qobject_cast<CHighlightEdit*>(pPreview->currentView())->toPlainText()
                       == editorAt(1)->toPlainText());
    // The others are read when first shown, in their places.
    QVERIFY(!editorAt(0) && !editorAt(2));
    QCOMPARE(tabs()->tabToolTip(0), strA);
    tabs()->setCurrentIndex(0);
    QCOMPARE(editorAt(0)->filePath(), strA);
    QCOMPARE(editorAt(0)->textCursor().blockNumber(), 3);
    QCOMPARE(editorAt(0)->getLanguage(), QString()); // found by name, not remembered
    tabs()->setCurrentIndex(2);
    QCOMPARE(editorAt(2)->codecName(), QString("Shift_JIS"));
    QCOMPARE(tabs()->tabText(2), QString("c.txt"));

    // Closed before ever shown: still part of the next session.
    restart();
    QCOMPARE(tabs()->count(), 3);
    tabs()->setCurrentIndex(2);
    QCOMPARE(editorAt(2)->codecName(), QString("Shift_JIS"));
}

void TestSession::keptUnsavedTextComesBackExactly()
{
    g_pSettings->m_bKeepUnsavedOnExit = true;
    // Characters that plain-text round trips like to change.
    const QString strText = QString::fromUtf8("a\u00a0b\u2028c\u2029d\t \n\n  end ") + QChar(0xD800);
    m_pWindow->on_actionNewText_triggered();
    editorAt(0)->setContentText(strText);
    editorAt(0)->setReturnFormat(CHighlightEdit::ReturnUnix);
    const QString strSaved = editorAt(0)->getTextForSave();
    const QString strPath = writeFile("file.txt", "on disk");
    QVERIFY(m_pWindow->openFile(strPath));
    editorAt(1)->insertPlainText("unsaved ");

    ModalDriver driver; // nothing may be asked
    driver.cancel();
    restart();
    QCOMPARE(driver.pending(), 1);
    QCOMPARE(tabs()->count(), 2);
    QCOMPARE(editorAt(0)->getTextForSave(), strSaved);
    QVERIFY(editorAt(0)->isModified());
    QVERIFY(editorAt(0)->filePath().isEmpty());
    QCOMPARE(editorAt(1)->toPlainText(), QString("unsaved on disk"));
    QVERIFY(editorAt(1)->isModified());
    QCOMPARE(read(strPath), QByteArray("on disk"));
}

void TestSession::damagedSessionIgnored_data()
{
    QTest::addColumn<QByteArray>("session");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("cut short") << QByteArray("{\"version\": 1, \"documents\": [{\"path\": \"/tm");
    QTest::newRow("foreign bytes") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11);
    QTest::newRow("a folder") << QByteArray("{\"version\":1,\"documents\":[{\"path\":\"/tmp\"}]}");
    QTest::newRow("a device") << QByteArray("{\"version\":1,\"documents\":[{\"path\":\"/dev/zero\"}]}");
    QTest::newRow("text outside the folder")
        << QByteArray("{\"version\":1,\"documents\":[{\"path\":\"\",\"text\":\"../../etc/passwd\"}]}");
}

void TestSession::damagedSessionIgnored()
{
    QFETCH(QByteArray, session);
    QDir().mkpath(m_strData);
    QFile file(QDir(m_strData).filePath("session.json"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(session);
    file.close();
    delete m_pWindow;
    m_pWindow = new MainWindow;
    m_pWindow->startSession(m_strData);
    QCOMPARE(tabs()->count(), 0);
    QVERIFY(!m_pWindow->statusBar()->currentMessage().isEmpty());
}

void TestSession::interruptedRestoreAsksFirst()
{
    QVERIFY(m_pWindow->openFile(writeFile("a.txt", "a")));
    QVERIFY(m_pWindow->close());
    delete m_pWindow;
    QFile marker(QDir(m_strData).filePath("session-restoring"));
    QVERIFY(marker.open(QIODevice::WriteOnly));
    marker.close();
    m_pWindow = new MainWindow;
    ModalDriver driver;
    driver.answer(QMessageBox::No);
    m_pWindow->startSession(m_strData);
    QCOMPARE(driver.seen().value(0).strTitle, QString("Restore the last session"));
    QCOMPARE(tabs()->count(), 0);
    QVERIFY(!marker.exists()); // asked once: the next start restores again
}

QTEST_MAIN(TestSession)
#include "tst_session.moc"
