#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include <QMainWindow>
#include <QStringList>

namespace Ui {
class MainWindow;
}
class CTabWidget;
class QAction;
class QComboBox;
class QDockWidget;
class QFontComboBox;
class QLabel;
class QMimeData;

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

public slots:
    void parseArgument(const QString& strMessage);
    void parseArguments(const QStringList& lstArgs);
    void topWindow();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;

private slots:
    void on_actionExit_triggered();
    void on_actionAbout_triggered();
    void clipboardDataChanged();
    void onTextFontSize(int nSize);

private:
    void assignStandardKeys();
    void createStatusLabels();
    void createTabWidget();
    void createDocks();
    void createHtmlToolBar();
    void refreshFrame();
    void refreshTitle();
    void refreshRecentFiles();
    void refreshStatusLabels();
    static QStringList localFilesOf(const QMimeData* pMime);

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
    QStringList m_lstTabContextActions;
    QString m_strRootPath; // folder shown by the folder browser
    bool m_bBusy = false;  // stops refreshes from re-entering through signals
};

#endif
