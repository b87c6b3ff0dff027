#include "app/CSettings.h"
#include "app/Globals.h"
#include "common/TestEnv.h"
#include "mainwindow/CTabWidget.h"
#include "mainwindow/MainWindow.h"

#include <QComboBox>
#include <QDockWidget>
#include <QFontDatabase>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QTranslator>
#include <QtTest>

namespace {
QString describeMenu(const QMenu* pMenu)
{
    QStringList lst;
    for (QAction* pAction : pMenu->actions())
        lst << (pAction->isSeparator() ? QString("-") : pAction->text());
    return lst.join('|');
}
} // namespace

class TestMainWindowFrame : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void titleWithoutDocument();
    void recentFilesMenu();
    void actions_data();
    void actions();
    void standardShortcutsNeverCollide();
    void menusInOrder();
    void toolBarsOnTwoRows();
    void htmlToolBarWidgets();
    void docksInDefaultAreas();
    void dockTitlesFitInEveryLanguage_data();
    void dockTitlesFitInEveryLanguage();
    void layoutSurvivesRestart();
    void statusLabels();
    void noDocumentDisablesDocumentCommands();
    void dragAcceptsLocalFilesBeforeWebUrl_data();
    void dragAcceptsLocalFilesBeforeWebUrl();
    void colourIcon();

private:
    QAction* action(const char* szName) const { return m_pWindow->findChild<QAction*>(szName); }
    std::unique_ptr<TestEnv> m_pEnv;
    MainWindow* m_pWindow = nullptr;
};

void TestMainWindowFrame::initTestCase()
{
    QLocale::setDefault(QLocale::c());
}

void TestMainWindowFrame::init()
{
    m_pEnv = std::make_unique<TestEnv>();
    m_pWindow = new MainWindow;
}

void TestMainWindowFrame::cleanup()
{
    delete m_pWindow;
    m_pWindow = nullptr;
    m_pEnv.reset();
}

void TestMainWindowFrame::titleWithoutDocument()
{
    QCOMPARE(m_pWindow->windowTitle(), QString("Scribo"));
    QCOMPARE(m_pWindow->findChild<CTabWidget*>()->count(), 0);
}

void TestMainWindowFrame::recentFilesMenu()
{
    QAction* pFirst = action("actionRecent_File_1");
    QCOMPARE(pFirst->text(), QString("(empty)"));
    QVERIFY(!pFirst->isEnabled());
    for (const char* szName : {"actionRecent_File_2", "actionRecent_File_6"})
        QVERIFY(!action(szName)->isVisible());

    g_pSettings->m_lstRecentFiles = QStringList{"/a.txt", "/b.txt", "/c.txt"};
    delete m_pWindow;
    m_pWindow = new MainWindow;
    QCOMPARE(action("actionRecent_File_1")->text(), QString("/a.txt"));
    QVERIFY(action("actionRecent_File_1")->isEnabled());
    QCOMPARE(action("actionRecent_File_3")->text(), QString("/c.txt"));
    QVERIFY(action("actionRecent_File_3")->isVisible());
    QVERIFY(!action("actionRecent_File_4")->isVisible());
}

void TestMainWindowFrame::actions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::addColumn<bool>("hasIcon");
    QTest::addColumn<bool>("checkable");
    QTest::addColumn<QString>("toolTip");
    const auto std = [](QKeySequence::StandardKey key) { return QKeySequence(key); };
    QTest::newRow("new text") << "actionNewText" << "New Text" << QKeySequence() << true << false << "";
    QTest::newRow("new html") << "actionNewHtml" << "New HTML" << std(QKeySequence::New) << true << false << "";
    QTest::newRow("open") << "actionOpen" << "Open..." << std(QKeySequence::Open) << true << false << "";
    QTest::newRow("save") << "actionSave" << "Save" << std(QKeySequence::Save) << true << false << "";
    const QKeySequence seqSaveAs = QKeySequence::keyBindings(QKeySequence::SaveAs).isEmpty()
                                       ? QKeySequence("Ctrl+Shift+S") : std(QKeySequence::SaveAs);
    QTest::newRow("save as") << "actionSave_As" << "Save As..." << seqSaveAs << false << false << "";
    QTest::newRow("save all") << "actionSave_All" << "Save All" << QKeySequence() << false << false << "";
    QTest::newRow("exit") << "actionExit" << "Exit" << std(QKeySequence::Quit) << false << false << "";
    QTest::newRow("undo") << "actionUndo" << "Undo" << std(QKeySequence::Undo) << true << false << "";
    QTest::newRow("redo") << "actionRedo" << "Redo" << std(QKeySequence::Redo) << true << false << "";
    QTest::newRow("cut") << "actionCut" << "Cut" << std(QKeySequence::Cut) << true << false << "";
    QTest::newRow("copy") << "actionCopy" << "Copy" << std(QKeySequence::Copy) << true << false << "";
    QTest::newRow("paste") << "actionPaste" << "Paste" << std(QKeySequence::Paste) << true << false << "";
    QTest::newRow("select all") << "actionSelect_All" << "Select All" << std(QKeySequence::SelectAll) << false << false << "";
    QTest::newRow("find") << "actionFind" << "Find..." << std(QKeySequence::Find) << true << false << "Find";
    QTest::newRow("find next") << "actionFind_Next" << "Find Next" << std(QKeySequence::FindNext) << false << false << "";
    QTest::newRow("find previous") << "actionFind_Previous" << "Find Previous" << std(QKeySequence::FindPrevious) << false << false << "";
    QTest::newRow("replace") << "actionReplace" << "Replace..." << QKeySequence("Ctrl+H") << false << false << "Replace";
    QTest::newRow("go to line") << "actionGo_to_Line" << "Go to Line..." << QKeySequence("Ctrl+G") << false << false << "";
    QTest::newRow("toggle comment") << "actionToggle_Comment" << "Toggle Comment" << QKeySequence("Ctrl+/") << false << false << "";
    QTest::newRow("refresh") << "actionRefresh" << "Refresh" << std(QKeySequence::Refresh) << true << false << "";
    QTest::newRow("bold") << "actionBold" << "Bold" << QKeySequence() << true << true << "";
    QTest::newRow("italic") << "actionItalic" << "Italic" << QKeySequence() << true << true << "";
    QTest::newRow("underline") << "actionUnderline" << "Underline" << QKeySequence() << true << true << "";
    QTest::newRow("ltr") << "actionLeft_to_Right" << "Left to Right" << QKeySequence() << false << false << "";
    QTest::newRow("rtl") << "actionRight_to_Left" << "Right to Left" << QKeySequence() << false << false << "";
    QTest::newRow("back") << "actionBack" << "Back" << QKeySequence() << true << false << "";
    QTest::newRow("forward") << "actionForward" << "Forward" << QKeySequence() << true << false << "";
    QTest::newRow("swap") << "actionSwapHtml" << "SwapHtml" << QKeySequence() << true << false << "Switch html and source";
    QTest::newRow("verify") << "actionVerify_Valid" << "Verify Valid" << QKeySequence() << true << false << "Verify Valid of content";
    QTest::newRow("formatting") << "actionFormatting" << "Formatting" << QKeySequence() << true << false << "";
    QTest::newRow("colour dialog") << "actionColor_Dialog" << "Color Dialog" << QKeySequence() << true << false << "";
    QTest::newRow("line wrap") << "actionLine_Wrap" << "Line Wrap" << QKeySequence() << false << true << "";
    QTest::newRow("unknown") << "actionUnknown" << "Unknown Format" << QKeySequence() << false << true << "";
    QTest::newRow("windows") << "actionWindows" << "Windows" << QKeySequence() << true << true << "";
    QTest::newRow("unix") << "actionUnix" << "Unix" << QKeySequence() << true << true << "";
    QTest::newRow("osx") << "actionOSX" << "OSX" << QKeySequence() << true << true << "";
    QTest::newRow("about") << "actionAbout" << "About" << QKeySequence() << false << false << "";
}

void TestMainWindowFrame::actions()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QKeySequence, shortcut);
    QFETCH(bool, hasIcon);
    QFETCH(bool, checkable);
    QFETCH(QString, toolTip);
    QAction* pAction = m_pWindow->findChild<QAction*>(name);
    QVERIFY(pAction);
    QCOMPARE(pAction->text(), text);
    QCOMPARE(pAction->isCheckable(), checkable);
    // A resource icon that failed to load would still be a non-null QIcon.
    QCOMPARE(!pAction->icon().pixmap(16, 16).isNull(), hasIcon);
    if (!toolTip.isEmpty())
        QCOMPARE(pAction->toolTip(), toolTip);
    if (shortcut.isEmpty() || name == "actionFind_Next" || name == "actionFind_Previous")
        QCOMPARE(pAction->shortcuts().isEmpty(), shortcut.isEmpty());
    else
        QCOMPARE(pAction->shortcut(), shortcut);
}

void TestMainWindowFrame::standardShortcutsNeverCollide()
{
    QMap<QString, QString> mapOwners;
    for (QAction* pAction : m_pWindow->findChildren<QAction*>()) {
        for (const QKeySequence& seq : pAction->shortcuts()) {
            const QString strKey = seq.toString();
            QVERIFY2(!mapOwners.contains(strKey),
                     qPrintable(strKey + " used by " + mapOwners.value(strKey) + " and "
                                + pAction->objectName()));
            mapOwners.insert(strKey, pAction->objectName());
        }
    }
    QCOMPARE(mapOwners.value("Ctrl+G"), QString("actionGo_to_Line"));
    QVERIFY(!action("actionFind_Next")->shortcuts().isEmpty());
}

void TestMainWindowFrame::menusInOrder()
{
    QStringList lstTitles;
    for (QAction* pAction : m_pWindow->menuBar()->actions())
        lstTitles << pAction->text();
    QCOMPARE(lstTitles, (QStringList{"File", "Edit", "Format", "View", "Help"}));

    QCOMPARE(describeMenu(m_pWindow->findChild<QMenu*>("menuFile")),
             QString("New Text|New HTML|Open...|Save|Save As...|Save All|-|Restore the last session|Keep unsaved changes on exit|-|Exit|-|(empty)|||||"));
    QCOMPARE(describeMenu(m_pWindow->findChild<QMenu*>("menuEdit")),
             QString("Undo|Redo|Cut|Copy|Paste|-|Select All|-|Find...|Find Next|Find Previous|"
                     "Replace...|-|Go to Line...|Toggle Comment|-|Refresh"));
    QCOMPARE(describeMenu(m_pWindow->findChild<QMenu*>("menuFormat")),
             QString("Bold|Italic|Underline|-|Language|Text Codec|Return Format"));
    auto* pReturn = m_pWindow->findChild<QMenu*>("menuReturn_Format");
    QCOMPARE(pReturn->parent(), m_pWindow->findChild<QMenu*>("menuFormat"));
    QCOMPARE(describeMenu(pReturn), QString("Windows|Unix|OSX"));
    QCOMPARE(describeMenu(m_pWindow->findChild<QMenu*>("menuView")),
             QString("Line Wrap|-|Folder Browser|Preview"));
    QCOMPARE(describeMenu(m_pWindow->findChild<QMenu*>("menuHelp")), QString("About"));
    auto* pView = m_pWindow->findChild<QMenu*>("menuView");
    QVERIFY(!pView->actions().at(2)->icon().pixmap(16, 16).isNull());
}

void TestMainWindowFrame::toolBarsOnTwoRows()
{
    auto* pMain = m_pWindow->findChild<QToolBar*>("mainToolBar");
    auto* pHtml = m_pWindow->findChild<QToolBar*>("toolBarFormat");
    QCOMPARE(pMain->windowTitle(), QString("Main ToolBar"));
    QCOMPARE(pHtml->windowTitle(), QString("HTML ToolBar"));
    QCOMPARE(m_pWindow->toolBarArea(pMain), Qt::TopToolBarArea);
    QCOMPARE(m_pWindow->toolBarArea(pHtml), Qt::TopToolBarArea);
    QVERIFY(m_pWindow->toolBarBreak(pHtml));
    QStringList lstMain;
    for (QAction* pAction : pMain->actions())
        lstMain << (pAction->isSeparator() ? QString("-") : pAction->objectName());
    QCOMPARE(lstMain.join(' '),
             QString("actionNewText actionNewHtml actionOpen actionSave - actionCut actionCopy "
                     "actionPaste - actionUndo actionRedo - actionVerify_Valid actionFormatting - "
                     "actionColor_Dialog actionRefresh - ")
                 + m_pWindow->findChild<QDockWidget*>("Folder Browser")->toggleViewAction()->objectName()
                 + ' ' + m_pWindow->findChild<QDockWidget*>("Preview")->toggleViewAction()->objectName());
}

void TestMainWindowFrame::htmlToolBarWidgets()
{
    auto* pHtml = m_pWindow->findChild<QToolBar*>("toolBarFormat");
    auto* pSize = pHtml->findChild<QComboBox*>("comboSize");
    QVERIFY(pSize);
    QVERIFY(pSize->isEditable());
    QStringList lstSizes;
    for (int nSize : QFontDatabase::standardSizes())
        lstSizes << QString::number(nSize);
    QStringList lstItems;
    for (int i = 0; i < pSize->count(); ++i)
        lstItems << pSize->itemText(i);
    QCOMPARE(lstItems, lstSizes);
    QStringList lstTips;
    for (QAction* pAction : pHtml->actions())
        lstTips << pAction->toolTip();
    QVERIFY(lstTips.endsWith("Background Color"));
    QCOMPARE(lstTips.at(lstTips.size() - 2), QString("Text Color"));
    QVERIFY(action("actionTextColor")->menu());
}

void TestMainWindowFrame::docksInDefaultAreas()
{
    auto* pPreview = m_pWindow->findChild<QDockWidget*>("Preview");
    auto* pFolder = m_pWindow->findChild<QDockWidget*>("Folder Browser");
    QVERIFY(pPreview && pFolder);
    QCOMPARE(pPreview->windowTitle(), QString("Preview"));
    QCOMPARE(pFolder->windowTitle(), QString("Folder Browser"));
    QCOMPARE(m_pWindow->dockWidgetArea(pPreview), Qt::RightDockWidgetArea);
    QCOMPARE(m_pWindow->dockWidgetArea(pFolder), Qt::LeftDockWidgetArea);
}

void TestMainWindowFrame::dockTitlesFitInEveryLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::newRow("english") << "en_us";
    QTest::newRow("chinese") << "zh_cn";
    QTest::newRow("japanese") << "ja_jp";
}

void TestMainWindowFrame::dockTitlesFitInEveryLanguage()
{
    QFETCH(QString, locale);
    QTranslator translator;
    if (locale != "en_us") {
        QVERIFY(translator.load("lang_" + locale + ".qm", ":/"));
        QCoreApplication::installTranslator(&translator);
    }
    MainWindow window; // first start: no stored layout
    window.showMaximized();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    // The title bar holds the title and two buttons of a small icon each.
    const int nButtons = 2 * window.style()->pixelMetric(QStyle::PM_SmallIconSize);
    for (QDockWidget* pDock : window.findChildren<QDockWidget*>()) {
        const int nTitle = pDock->fontMetrics().horizontalAdvance(pDock->windowTitle());
        QVERIFY2(pDock->width() >= nTitle + nButtons, qPrintable(pDock->windowTitle()));
    }
    QCoreApplication::removeTranslator(&translator);
}

void TestMainWindowFrame::layoutSurvivesRestart()
{
    m_pWindow->show();
    auto* pPreview = m_pWindow->findChild<QDockWidget*>("Preview");
    auto* pFolder = m_pWindow->findChild<QDockWidget*>("Folder Browser");
    m_pWindow->addDockWidget(Qt::BottomDockWidgetArea, pPreview);
    m_pWindow->addDockWidget(Qt::RightDockWidgetArea, pFolder);
    m_pWindow->addToolBar(Qt::LeftToolBarArea, m_pWindow->findChild<QToolBar*>("mainToolBar"));
    delete m_pWindow; // stores the layout in the settings
    m_pWindow = nullptr;
    m_pEnv->reloadSettings(); // and the settings store writes it to disk

    m_pWindow = new MainWindow;
    m_pWindow->show();
    QCOMPARE(m_pWindow->dockWidgetArea(m_pWindow->findChild<QDockWidget*>("Preview")),
             Qt::BottomDockWidgetArea);
    QCOMPARE(m_pWindow->dockWidgetArea(m_pWindow->findChild<QDockWidget*>("Folder Browser")),
             Qt::RightDockWidgetArea);
    QCOMPARE(m_pWindow->toolBarArea(m_pWindow->findChild<QToolBar*>("mainToolBar")),
             Qt::LeftToolBarArea);
}

void TestMainWindowFrame::statusLabels()
{
    const QStringList lstNames = {"labelPosition", "labelLanguage", "labelReturnFormat",
                                  "labelTextCodec"};
    const QStringList lstTips = {"Col, Row and Selected", "Program Language", "Return Format",
                                 "Text Codec"};
    int nPrevX = -1;
    m_pWindow->show();
    for (int i = 0; i < lstNames.size(); ++i) {
        auto* pLabel = m_pWindow->statusBar()->findChild<QLabel*>(lstNames.at(i));
        QVERIFY(pLabel);
        QCOMPARE(pLabel->toolTip(), lstTips.at(i));
        QCOMPARE(pLabel->styleSheet(), QString("QLabel{color:#444;font-size:10px}"));
        QCOMPARE(pLabel->minimumWidth(), 50);
        QVERIFY(pLabel->x() > nPrevX);
        nPrevX = pLabel->x();
    }
    g_pSettings->setTextFontSize(20);
    QCOMPARE(m_pWindow->statusBar()->findChild<QLabel*>("labelTextCodec")->styleSheet(),
             QString("QLabel{color:#444;font-size:16px}"));
}

void TestMainWindowFrame::noDocumentDisablesDocumentCommands()
{
    for (const char* szName : {"actionCut", "actionCopy", "actionPaste", "actionSelect_All",
                               "actionSave", "actionSave_As", "actionUndo", "actionRedo",
                               "actionBold", "actionVerify_Valid", "actionFormatting",
                               "actionToggle_Comment", "actionSave_All", "actionRefresh"})
        QVERIFY2(!action(szName)->isEnabled(), szName);
    QVERIFY(m_pWindow->findChild<QToolBar*>("toolBarFormat")->isHidden());
    for (QAction* pAction : m_pWindow->findChild<QMenu*>("menuLanguage")->actions())
        QVERIFY(!pAction->isChecked());
}

void TestMainWindowFrame::dragAcceptsLocalFilesBeforeWebUrl_data()
{
    QTest::addColumn<QStringList>("urls");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("local then web") << QStringList{"file:///tmp/a.txt", "https://example.org/"} << true;
    QTest::newRow("web then local") << QStringList{"https://example.org/", "file:///tmp/a.txt"} << false;
    QTest::newRow("only web") << QStringList{"http://example.org/x"} << false;
    QTest::newRow("no urls") << QStringList{} << false;
    QTest::newRow("two local") << QStringList{"file:///tmp/a.txt", "file:///tmp/b.txt"} << true;
}

void TestMainWindowFrame::dragAcceptsLocalFilesBeforeWebUrl()
{
    QFETCH(QStringList, urls);
    QFETCH(bool, accepted);
    QMimeData mime;
    QList<QUrl> lstUrls;
    for (const QString& str : urls)
        lstUrls << QUrl(str);
    mime.setUrls(lstUrls);
    if (urls.isEmpty())
        mime.setText("plain text");
    QDragEnterEvent event(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QVERIFY(m_pWindow->acceptDrops());
    QApplication::sendEvent(m_pWindow, &event);
    QCOMPARE(event.isAccepted(), accepted);
}

void TestMainWindowFrame::colourIcon()
{
    QAction act;
    MainWindow::setColorIcon(&act, "#2040ff", ":/res/color_text.png");
    QImage img = act.icon().pixmap(32, 32).toImage();
    QCOMPARE(img.size(), QSize(32, 32));
    QCOMPARE(img.pixelColor(0, 25), QColor("#2040ff"));
    QCOMPARE(img.pixelColor(31, 31), QColor("#2040ff"));
    QVERIFY(img.pixelColor(16, 10) != QColor("#2040ff")); // the letter stays above the bar

    MainWindow::setColorIcon(&act, "#00aa00");
    img = act.icon().pixmap(32, 32).toImage();
    QCOMPARE(img.pixelColor(0, 0), QColor("#00aa00"));
    QCOMPARE(img.pixelColor(16, 16), QColor("#00aa00"));
}

QTEST_MAIN(TestMainWindowFrame)
#include "tst_mainwindow_frame.moc"
