#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include "highlight/CHighlightMgt.h"

#include <QMainWindow>
#include <QStringList>

namespace Ui {
class MainWindow;
}
class CHighlightEdit;
class CImageWidget;
class CTabWidget;
class QAction;
class QComboBox;
class QDockWidget;
class QFontComboBox;
class QLabel;
class QMimeData;

// The editor's one top-level window. Its slots are grouped by concern:
// MainWindow.cpp builds the frame, MainWindowFiles.cpp opens, saves and
// closes documents, MainWindowCommands.cpp routes commands to the current
// document and keeps the frame in step with it.
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

    static constexpr const char* AppTitle = "Scribo";
    static constexpr int RecentFileCount = 6;

public slots:
    bool openFile(const QString& strPath);
    void openFileWithFolder(const QString& strPath);
    void parseArgument(const QString& strMessage);
    void parseArguments(const QStringList& lstArgs);
    void topWindow();
    void addRecentFile(const QString& strPath);
    void onRootPathChanged(const QString& strPath);

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

protected:
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

private:
    // Frame construction.
    void assignStandardKeys();
    void createStatusLabels();
    void createTabWidget();
    void createDocks();
    void createHtmlToolBar();
    void createCodecMenu();
    void createLanguageMenu();
    static QStringList localFilesOf(const QMimeData* pMime);

    // Documents.
    CHighlightEdit* currentEditor() const;
    CImageWidget* currentImage() const;
    static QString documentPath(QWidget* pWidget);
    static bool isDocumentModified(QWidget* pWidget);
    int findTab(const QString& strPath) const;
    CHighlightEdit* createTextEditor();
    void addDocumentTab(QWidget* pWidget, const QString& strText, const QString& strToolTip,
                        const QString& strIcon);
    bool openTextFile(const QString& strPath);
    void openImageFile(const QString& strPath);
    bool saveEditor(CHighlightEdit* pEditor, const QString& strPath);
    void openRecentFile(int nSlot);
    void setFolderRoot(const QString& strPath);

    // Keeping the frame in step with the current document.
    void refreshFrame();
    void refreshTitle();
    void refreshRecentFiles();
    void refreshStatusLabels();
    void setReturnFormat(int nFormat);

    Ui::MainWindow* ui;
    QLabel* m_pLabelPos = nullptr;
    QLabel* m_pLabelLang = nullptr;
    QLabel* m_pLabelReturn = nullptr;
    QLabel* m_pLabelCodec = nullptr;
    CTabWidget* m_pTabWidget = nullptr;
    QDockWidget* m_pDockPreview = nullptr;
    QDockWidget* m_pDockFolder = nullptr;
    QWidget* m_pPreviewWidget = nullptr;
    QWidget* m_pFolderPanel = nullptr;
    QFontComboBox* m_pComboFont = nullptr;
    QComboBox* m_pComboSize = nullptr;
    QAction* m_pActTextColor = nullptr;
    QAction* m_pActBackColor = nullptr;
    CHighlightMgt m_highlightMgt;
    QStringList m_lstTabContextActions;
    QString m_strLastFolder; // first file of the last Open dialog
    QString m_strRootPath;   // folder shown by the folder browser
    bool m_bBusy = false;    // stops refreshes from re-entering through signals
};

#endif
