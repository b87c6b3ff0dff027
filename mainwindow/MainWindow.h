#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include "highlight/CHighlightMgt.h"
#include "session/CSessionStore.h"

#include <QColor>
#include <QMainWindow>
#include <QHash>
#include <QStringList>

namespace Ui {
class MainWindow;
}
class CDlgFind;
class CDlgGo;
class CDocumentWatcher;
class CEditWebView;
class CHighlightEdit;
class CImageWidget;
class CLineSnapshot;
class CLoadProgress;
class CNoticeBar;
class CPreviewWidget;
class CRecovery;
class CTabWidget;
class CWidgetFavorFileList;
class QAction;
class QColorDialog;
class QComboBox;
class QDockWidget;
class QFontComboBox;
class QKeyEvent;
class QLabel;
class QTimer;

// The editor's one top-level window. Its slots are grouped by concern:
// MainWindow.cpp builds the frame, MainWindowFiles.cpp opens, saves and
// closes documents, MainWindowCommands.cpp routes commands to the current
// document and keeps the frame in step with it, MainWindowFind.cpp holds the
// editing aids (find and replace, go to line, comments, validation),
// MainWindowBrowser.cpp wires in the folder browser, MainWindowHtml.cpp holds
// the HTML pages, their toolbar and the preview.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Paints a colour button: the icon with a bar of the colour along its
    // bottom, or the whole button in the colour when there is no icon.
    static void setColorIcon(QAction* pAction, const QString& strColor,
                             const QString& strIcon = QString());
    QString folderRootPath() const { return m_strRootPath; }
    CWidgetFavorFileList* folderPanel() const { return m_pFolderPanel; }
    QString selectedBrowserPath() const { return m_strSelectedPath; }

    static constexpr const char* AppTitle = "Scribo";
    static constexpr int RecentFileCount = 6;
    // Larger files are refused: the text would take several times this much memory.
    static constexpr qint64 MaxFileBytes = 1024LL * 1024 * 1024;
    // Property holding the path of a restored tab that is not read yet.
    static constexpr const char* PendingPath = "scrbPendingPath";

public slots:
    bool openFile(const QString& strPath);
    void openFileWithFolder(const QString& strPath);
    void parseArgument(const QString& strMessage);
    void parseArguments(const QStringList& lstArgs);
    void topWindow();
    void addRecentFile(const QString& strPath);
    void onRootPathChanged(const QString& strPath);
    void onFileSelectionChanged(const QString& strPath);
    // Restores the last session and offers what a crashed run left; the
    // session and recovery files live in the user's data folder (or here).
    void startSession(const QString& strDataFolder = QString());

    void on_actionNewText_triggered();
    void on_actionOpen_triggered();
    bool on_actionSave_triggered();
    bool on_actionSave_As_triggered();
    void on_actionSave_All_triggered();
    void on_actionRefresh_triggered();
    void on_actionRecent_File_1_triggered();
    void on_actionRecent_File_2_triggered();
    void on_actionRecent_File_3_triggered();
    void on_actionRecent_File_4_triggered();
    void on_actionRecent_File_5_triggered();
    void on_actionRecent_File_6_triggered();
    void onTabCloseRequested(int nIndex);
    void on_actionNewHtml_triggered();

protected:
    bool eventFilter(QObject* pWatched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private slots:
    void on_actionExit_triggered();
    void on_actionAbout_triggered();
    void on_actionCut_triggered();
    void on_actionCopy_triggered();
    void on_actionPaste_triggered();
    void on_actionSelect_All_triggered();
    void on_actionUndo_triggered();
    void on_actionRedo_triggered();
    void on_actionLine_Wrap_triggered();
    void on_actionWindows_triggered();
    void on_actionUnix_triggered();
    void on_actionOSX_triggered();
    void onClickAtionTextCodec();
    void onLangClick();
    void onTabCurrentChanged(int nIndex);
    void onTabClickAction(const QString& strText);
    void onTabDbClick(int nIndex);
    void onModifiedChanged();
    void onSelectionChanged();
    void onEditPageContentChanged();
    void clipboardDataChanged();
    void onTextFontSize(int nSize);
    void onLoadProgress();
    void onLoadTabChanged();
    void onBackgroundSaved();
    void onFilesDropped(const QStringList& lstFiles);
    void onChangedOnDisk(QObject* pDocument);
    void onDeletedOnDisk(QObject* pDocument);
    void onNoticeButton(QObject* pDocument, int nKind, int nButton);

    // Editing aids (MainWindowFind.cpp).
    void on_actionFind_triggered();
    void on_actionReplace_triggered();
    void on_actionFind_Next_triggered();
    void on_actionFind_Previous_triggered();
    void on_actionGo_to_Line_triggered();
    void on_actionToggle_Comment_triggered();
    void on_actionVerify_Valid_triggered();
    void on_actionFormatting_triggered();
    void onFindNext();
    void onReplace();
    void onReplaceAll();
    void onFindToTop();
    void onFindToBottom();
    void onCannotFound();
    void onReplaceNum(int nVal);
    void onGoToLine(int nLine);

    // HTML pages and the preview (MainWindowHtml.cpp).
    void on_actionSwapHtml_triggered();
    void on_actionBold_triggered();
    void on_actionItalic_triggered();
    void on_actionUnderline_triggered();
    void on_actionLeft_to_Right_triggered();
    void on_actionRight_to_Left_triggered();
    void on_actionBack_triggered();
    void on_actionForward_triggered();
    void on_actionColor_Dialog_triggered();
    void onCurrentFontNameChanged();
    void onCurrentFontSizeChanged();
    void onTextColorMenuPop();
    void onBackColorMenuPop();
    void onAfterTextColorMenu();
    void onAfterBackColorMenu();
    void onClickTextColor();
    void onClickBackColor();
    void onLoadFinished(bool bOk);
    void onOverUrl(const QString& strUrl);
    void onWidgetFocusIn();
    void onDockPreviewChanged(bool bVisible);

private:
    // Frame construction.
    void assignStandardKeys();
    void createStatusLabels();
    void createTabWidget();
    void createDocks();
    CWidgetFavorFileList* createFolderPanel(QWidget* pParent);
    bool forwardPanelKey(const QKeyEvent* pEvent);
    void createHtmlToolBar();
    void createCodecMenu();
    void createLanguageMenu();

    // Documents.
    CHighlightEdit* currentEditor() const;
    CImageWidget* currentImage() const;
    static QString documentPath(QWidget* pWidget);
    static bool isDocumentModified(QWidget* pWidget);
    int findTab(const QString& strPath) const;
    // Why a path cannot be opened as a document; empty when it can.
    static QString whyNotOpenable(const QString& strPath);
    CHighlightEdit* createTextEditor();
    void connectTextEditor(CHighlightEdit* pEditor);
    void deleteDocument(QWidget* pWidget);
    // MainWindowLarge.cpp
    void attachLargeFileSupport(CHighlightEdit* pEditor);
    bool loadsInBackground(const QString& strPath) const;
    bool openTextFileInBackground(const QString& strPath);
    bool savesInBackground(CHighlightEdit* pEditor) const;
    bool saveInBackground(CHighlightEdit* pEditor, const QString& strPath, bool bSaveAs);
    void startSaver(CHighlightEdit* pEditor, const QString& strPath, bool bSaveAs,
                    const CLineSnapshot& snapshot);
    void addDocumentTab(QWidget* pWidget, const QString& strText, const QString& strToolTip,
                        const QString& strIcon);
    bool openTextFile(const QString& strPath);
    void openImageFile(const QString& strPath);
    bool saveEditor(CHighlightEdit* pEditor, const QString& strPath, QString* pError);
    void reportSaveFailure(const QString& strPath, bool bSaveAs, const QString& strWhy);
    void setEditorSaved(CHighlightEdit* pEditor);
    QString chooseSavePath(const QString& strCurrent);
    void openRecentFile(int nSlot);
    void setFolderRoot(const QString& strPath);

    // Files changed on disk, the session, recovery.
    void createSessionParts();
    void documentOpened(QWidget* pDocument);
    void documentWritten(QWidget* pDocument, const QString& strPath);
    void reloadDocument(QWidget* pDocument);
    static void markLanguageByHand(QWidget* pEditor);
    static void markCodecByHand(QWidget* pEditor);
    static QString sessionFolder(const QString& strDataFolder);
    void restoreSession();
    bool restoreDocument(const CSessionDocument& doc);
    QList<CSessionDocument> sessionDocuments(bool bWithTexts, int& nCurrent) const;
    void saveSession(const QList<CSessionDocument>& lstDocuments, int nCurrent);
    void trackForRecovery(CHighlightEdit* pEditor);
    void addPendingTab(const CSessionDocument& doc);
    void loadPendingTab(QWidget* pWidget);
    static bool opensAsText(const QString& strPath);
    void recoverOrphans();

    // Keeping the frame in step with the current document.
    void refreshFrame();
    void refreshTitle();
    void refreshRecentFiles();
    void refreshStatusLabels();
    void setReturnFormat(int nFormat);

    // Editing aids.
    void connectEditingAids(CHighlightEdit* pEditor);
    CDlgFind* findDialog();
    void showFindDialog(bool bReplace);
    void findInCurrent(const QString& strText, bool bPrevious);

    // HTML pages (MainWindowHtml.cpp).
    CEditWebView* currentPage() const;
    static CEditWebView* pageOf(QWidget* pWidget);
    // The object a document is known by: the page for a page's source view.
    static QWidget* documentOf(QWidget* pWidget);
    CEditWebView* createPageEditor();
    bool openHtmlFile(const QString& strPath);
    bool savePage(CEditWebView* pPage, bool bAskPath);
    void swapToSource(CEditWebView* pPage);
    void swapToPage(CEditWebView* pPage);
    void refreshPageTools(CEditWebView* pPage, bool bPageSource);
    void chooseColor(bool bText);
    void refreshPreview();

    Ui::MainWindow* ui;
    QLabel* m_pLabelPos = nullptr;
    QLabel* m_pLabelLang = nullptr;
    QLabel* m_pLabelReturn = nullptr;
    QLabel* m_pLabelCodec = nullptr;
    CTabWidget* m_pTabWidget = nullptr;
    QDockWidget* m_pDockPreview = nullptr;
    QDockWidget* m_pDockFolder = nullptr;
    CPreviewWidget* m_pPreviewWidget = nullptr;
    CWidgetFavorFileList* m_pFolderPanel = nullptr;
    QFontComboBox* m_pComboFont = nullptr;
    QComboBox* m_pComboSize = nullptr;
    QAction* m_pActTextColor = nullptr;
    QAction* m_pActBackColor = nullptr;
    QColorDialog* m_pColorDialog = nullptr;
    QColor m_clrPageFore; // colours at the page's selection, as last read
    QColor m_clrPageBack;
    QTimer* m_pPreviewTimer = nullptr; // gathers edits into one preview refresh
    CHighlightMgt m_highlightMgt;
    QStringList m_lstTabContextActions;
    QString m_strLastFolder; // first file of the last Open dialog
    QString m_strRootPath;   // folder shown by the folder browser
    QString m_strSelectedPath; // entry selected in the folder browser
    bool m_bBusy = false;    // stops refreshes from re-entering through signals
    CLoadProgress* m_pLoadProgress = nullptr;
    bool m_bSaveWaits = false; // a save before closing ends before it returns
    bool m_bLoadInForeground = false; // files open whole, as a restore needs
    CDocumentWatcher* m_pWatcher = nullptr;
    CNoticeBar* m_pNoticeBar = nullptr;
    CRecovery* m_pRecovery = nullptr; // from startSession on
    QString m_strSessionFolder;       // empty: no session is kept
    QAction* m_pActRestoreSession = nullptr;
    QAction* m_pActKeepUnsaved = nullptr;
    QHash<QWidget*, CSessionDocument> m_mapPending; // restored tabs not read yet
    bool m_bRestoring = false;
    CDlgFind* m_pDlgFind = nullptr; // created on first use, kept
    CDlgGo* m_pDlgGo = nullptr;
    QString m_strLastFind;
};

#endif
