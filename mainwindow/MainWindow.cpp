#include "mainwindow/MainWindow.h"
#include "ui_MainWindow.h"

#include "app/CSettings.h"
#include "app/Globals.h"
#include "browser/CWidgetFavorFileList.h"
#include "mainwindow/CFileDropFilter.h"
#include "mainwindow/CTabWidget.h"
#include "util/TextCodec.h"
#include "web/CPreviewWidget.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDockWidget>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QStyle>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
{
    // Highlighting results cross threads in these types.
    qRegisterMetaType<QTextBlock>("QTextBlock");
    qRegisterMetaType<QVector<QTextLayout::FormatRange>>("QVector<QTextLayout::FormatRange>");
    ui->setupUi(this);
    assignStandardKeys();
    createStatusLabels();
    setAcceptDrops(true);
    connect(new CFileDropFilter(this), &CFileDropFilter::filesDropped, this,
            &MainWindow::onFilesDropped);
    createTabWidget();
    createSessionParts();
    createDocks();
    createHtmlToolBar();
    createLanguageMenu();
    createCodecMenu();
    ui->actionLine_Wrap->setChecked(g_pSettings->m_bLineWrap);

    setWindowIcon(QIcon(":/share/main.png"));
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            &MainWindow::clipboardDataChanged);
    connect(g_pSettings, &CSettings::textFontSizeChanged, this, &MainWindow::onTextFontSize);
    setUnifiedTitleAndToolBarOnMac(true);

    // Dock sizes take effect once the window has its own (maximised) size:
    // restored into the small initial window they would shrink every run.
    const QByteArray arrState = g_pSettings->m_arrFrameState;
    const bool bRestored = restoreState(arrState, 0);
    QTimer::singleShot(0, this, [this, arrState, bRestored] {
        if (bRestored)
            restoreState(arrState, 0);
        else
            resizeDocks({m_pDockFolder, m_pDockPreview}, {260, 340}, Qt::Horizontal);
    });
    refreshRecentFiles();
    refreshFrame();
}

MainWindow::~MainWindow()
{
    g_pSettings->m_arrFrameState = saveState(0);
    // The docks report being hidden while the window's children go, when
    // this object is no longer a MainWindow.
    disconnect(m_pDockPreview, nullptr, this, nullptr);
    delete ui;
}

void MainWindow::assignStandardKeys()
{
    const QList<QPair<QAction*, QKeySequence::StandardKey>> lstKeys = {
        {ui->actionNewHtml, QKeySequence::New},       {ui->actionOpen, QKeySequence::Open},
        {ui->actionSave, QKeySequence::Save},         {ui->actionSave_As, QKeySequence::SaveAs},
        {ui->actionExit, QKeySequence::Quit},         {ui->actionUndo, QKeySequence::Undo},
        {ui->actionRedo, QKeySequence::Redo},         {ui->actionCut, QKeySequence::Cut},
        {ui->actionCopy, QKeySequence::Copy},         {ui->actionPaste, QKeySequence::Paste},
        {ui->actionSelect_All, QKeySequence::SelectAll}, {ui->actionFind, QKeySequence::Find},
        {ui->actionFind_Next, QKeySequence::FindNext},
        {ui->actionFind_Previous, QKeySequence::FindPrevious},
        {ui->actionRefresh, QKeySequence::Refresh},
    };
    // Some platforms bind a standard key to a sequence the form already uses
    // (Find Next is also Ctrl+G on X11); two actions sharing one shortcut
    // would make it trigger neither.
    QList<QKeySequence> lstFormKeys;
    for (QAction* pAction : findChildren<QAction*>()) {
        if (!pAction->shortcut().isEmpty())
            lstFormKeys.append(pAction->shortcut());
    }
    for (const auto& key : lstKeys) {
        QList<QKeySequence> lstBindings = QKeySequence::keyBindings(key.second);
        for (const QKeySequence& seq : lstFormKeys)
            lstBindings.removeAll(seq);
        key.first->setShortcuts(lstBindings);
    }
    // Plain X11 desktops bind no key to Save As; the one every desktop uses.
    if (ui->actionSave_As->shortcuts().isEmpty())
        ui->actionSave_As->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+S")));
}

void MainWindow::createStatusLabels()
{
    statusBar()->addWidget(new QLabel(statusBar()), 1);
    const QStringList lstTips = {tr("Col, Row and Selected"), tr("Program Language"),
                                 tr("Return Format"), tr("Text Codec")};
    const char* const arrNames[] = {"labelPosition", "labelLanguage", "labelReturnFormat",
                                    "labelTextCodec"};
    QLabel** arrLabels[] = {&m_pLabelPos, &m_pLabelLang, &m_pLabelReturn, &m_pLabelCodec};
    for (int i = 0; i < 4; ++i) {
        auto* pLabel = new QLabel(statusBar());
        pLabel->setObjectName(arrNames[i]);
        pLabel->setMargin(2);
        pLabel->setFrameShadow(QFrame::Sunken);
        pLabel->setMinimumWidth(50);
        pLabel->setToolTip(lstTips.at(i));
        statusBar()->addWidget(pLabel);
        *arrLabels[i] = pLabel;
    }
    onTextFontSize(g_pSettings->m_nTextFontSize);
}

void MainWindow::onTextFontSize(int nSize)
{
    const QString strStyle = QString("QLabel{color:#444;font-size:%1px}").arg(qRound(0.8 * nSize));
    for (QLabel* pLabel : {m_pLabelPos, m_pLabelLang, m_pLabelReturn, m_pLabelCodec})
        pLabel->setStyleSheet(strStyle);
}

void MainWindow::createTabWidget()
{
    m_pTabWidget = new CTabWidget(ui->centralWidget);
    m_pTabWidget->setTabsClosable(true);
    m_pTabWidget->setMovable(true);
    m_pTabWidget->setDocumentMode(true);
    m_pTabWidget->setAttribute(Qt::WA_StyledBackground);
    m_pTabWidget->setStyleSheet(
        "QTabWidget{background-color:#FDFDFD;} QTabWidget::tab-bar{left:5px;}");
    m_lstTabContextActions << tr("Open position of file");
    m_pTabWidget->setContextActions(m_lstTabContextActions);
    ui->centralWidget->layout()->addWidget(m_pTabWidget);
    connect(m_pTabWidget, &QTabWidget::currentChanged, this, &MainWindow::onTabCurrentChanged);
    connect(m_pTabWidget, &QTabWidget::tabCloseRequested, this, &MainWindow::onTabCloseRequested);
    connect(m_pTabWidget, &CTabWidget::emitMidButtonRelease, this,
            &MainWindow::onTabCloseRequested);
    connect(m_pTabWidget, &CTabWidget::clickAction, this, &MainWindow::onTabClickAction);
    connect(m_pTabWidget, &CTabWidget::tabBarDoubleClicked, this, &MainWindow::onTabDbClick);
}

void MainWindow::createDocks()
{
    m_pDockPreview = new QDockWidget(tr("Preview"), this);
    m_pDockPreview->setObjectName("Preview");
    m_pPreviewWidget = new CPreviewWidget(m_pDockPreview);
    m_pPreviewWidget->setHighlightMgt(&m_highlightMgt);
    m_pDockPreview->setWidget(m_pPreviewWidget);
    addDockWidget(Qt::RightDockWidgetArea, m_pDockPreview);
    connect(m_pDockPreview, &QDockWidget::visibilityChanged, this, &MainWindow::onDockPreviewChanged);
    m_pPreviewTimer = new QTimer(this);
    m_pPreviewTimer->setSingleShot(true);
    m_pPreviewTimer->setInterval(300);
    connect(m_pPreviewTimer, &QTimer::timeout, this, &MainWindow::refreshPreview);

    m_pDockFolder = new QDockWidget(tr("Folder Browser"), this);
    m_pDockFolder->setObjectName("Folder Browser");
    m_pFolderPanel = createFolderPanel(m_pDockFolder);
    m_pDockFolder->setWidget(m_pFolderPanel);
    addDockWidget(Qt::LeftDockWidgetArea, m_pDockFolder);

    QAction* pActFolder = m_pDockFolder->toggleViewAction();
    pActFolder->setIcon(QIcon(":/res/folder_explore.png"));
    QAction* pActPreview = m_pDockPreview->toggleViewAction();
    pActPreview->setIcon(QIcon(":/res/preview.png"));
    for (QWidget* pWidget : {static_cast<QWidget*>(ui->menuView),
                             static_cast<QWidget*>(ui->mainToolBar)}) {
        pWidget->addAction(pActFolder);
        pWidget->addAction(pActPreview);
    }
    // Room for the translated title beside the float and close buttons.
    const int nButtons = 2 * (style()->pixelMetric(QStyle::PM_SmallIconSize)
                              + 2 * style()->pixelMetric(QStyle::PM_DockWidgetTitleBarButtonMargin));
    for (QDockWidget* pDock : {m_pDockFolder, m_pDockPreview})
        pDock->setMinimumWidth(pDock->fontMetrics().horizontalAdvance(pDock->windowTitle()) + nButtons
                               + 4 * style()->pixelMetric(QStyle::PM_DockWidgetTitleMargin));
}

void MainWindow::createHtmlToolBar()
{
    m_pComboFont = new QFontComboBox(ui->toolBarFormat);
    ui->toolBarFormat->addWidget(m_pComboFont);
    m_pComboSize = new QComboBox(ui->toolBarFormat);
    m_pComboSize->setObjectName("comboSize");
    m_pComboSize->setEditable(true);
    for (int nSize : QFontDatabase::standardSizes())
        m_pComboSize->addItem(QString::number(nSize));
    ui->toolBarFormat->addWidget(m_pComboSize);
    connect(m_pComboFont, &QFontComboBox::currentFontChanged, this,
            &MainWindow::onCurrentFontNameChanged);
    connect(m_pComboSize, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &MainWindow::onCurrentFontSizeChanged);

    m_pActTextColor = new QAction(tr("Text Color"), this);
    m_pActTextColor->setObjectName("actionTextColor");
    m_pActTextColor->setMenu(new QMenu(this));
    setColorIcon(m_pActTextColor, g_pSettings->m_clrTextColor.name(), ":/res/color_text.png");
    ui->toolBarFormat->addAction(m_pActTextColor);
    connect(m_pActTextColor->menu(), &QMenu::aboutToShow, this, &MainWindow::onTextColorMenuPop);
    connect(m_pActTextColor, &QAction::triggered, this, &MainWindow::onClickTextColor);

    m_pActBackColor = new QAction(tr("Background Color"), this);
    m_pActBackColor->setObjectName("actionBackColor");
    m_pActBackColor->setMenu(new QMenu(this));
    setColorIcon(m_pActBackColor, g_pSettings->m_clrBackColor.name(), ":/res/color_text_bk.png");
    ui->toolBarFormat->addAction(m_pActBackColor);
    connect(m_pActBackColor->menu(), &QMenu::aboutToShow, this, &MainWindow::onBackColorMenuPop);
    connect(m_pActBackColor, &QAction::triggered, this, &MainWindow::onClickBackColor);
}

void MainWindow::createLanguageMenu()
{
    ui->menuLanguage->removeAction(ui->actionUnknown);
    for (const QVariant& varRecord : m_highlightMgt.index()) {
        QAction* pAction = ui->menuLanguage->addAction(varRecord.toMap().value("name").toString());
        pAction->setCheckable(true);
        connect(pAction, &QAction::triggered, this, &MainWindow::onLangClick);
    }
    ui->menuLanguage->addSeparator();
    ui->menuLanguage->addAction(ui->actionUnknown);
    connect(ui->actionUnknown, &QAction::triggered, this, &MainWindow::onLangClick);
}

void MainWindow::createCodecMenu()
{
    for (const QString& strName : getCodecMenuNames()) {
        QAction* pAction = ui->menuText_Codec->addAction(strName);
        pAction->setCheckable(true);
        connect(pAction, &QAction::triggered, this, &MainWindow::onClickAtionTextCodec);
    }
}

void MainWindow::setColorIcon(QAction* pAction, const QString& strColor, const QString& strIcon)
{
    QPixmap pix(32, 32);
    const QColor clr(strColor);
    if (strIcon.isEmpty()) {
        pix.fill(clr);
    } else {
        pix.fill(Qt::transparent);
        QPainter painter(&pix);
        painter.drawImage(QRect(0, 0, 32, 32), QImage(strIcon));
        painter.setPen(Qt::NoPen);
        painter.setBrush(clr);
        painter.drawRect(QRect(QPoint(0, 25), QPoint(31, 31)));
    }
    pAction->setIcon(QIcon(pix));
}

void MainWindow::on_actionExit_triggered()
{
    // Through the window's close handling: unsaved documents are asked about,
    // and Cancel keeps the program running.
    if (close())
        QCoreApplication::exit(0);
}

void MainWindow::on_actionAbout_triggered()
{
    QMessageBox::about(
        this, tr("About %1").arg(AppTitle),
        tr("<h2>%1 %2</h2><p>An editor for text and web files: code with syntax highlighting "
           "in many languages, HTML pages edited as pages or as source, and images.</p>"
           "<p>Copyright &copy; Norvel Software.</p>")
            .arg(AppTitle, SCRB_VERSION));
}

