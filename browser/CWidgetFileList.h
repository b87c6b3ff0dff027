#ifndef CWIDGETFILELIST_H
#define CWIDGETFILELIST_H

#include <QModelIndex>
#include <QTimer>
#include <QWidget>

class CFileSystemModel;
class CMenuListView;
class QComboBox;
class QPushButton;

// The navigable file list of the folder browser: a folder box with history,
// Refresh, Upper and Browse buttons above the current folder's entries. It
// reports the file double-clicked, the folder made root and the entry
// selected (debounced by 200 ms).
class CWidgetFileList : public QWidget
{
    Q_OBJECT
public:
    explicit CWidgetFileList(QWidget* parent = nullptr);
    ~CWidgetFileList() override;

    QString rootPath() const;
    bool hasListFocus() const;
    // Opens every selected file and enters the first selected folder.
    void openSelected();

    CMenuListView* listView() const { return m_pList; }
    QComboBox* comboFolder() const { return m_comboFolder; }
    CFileSystemModel* model() const { return m_pModel; }

signals:
    void dbClickFile(const QString& strPath);
    void rootPathChanged(const QString& strPath);
    void fileSelectionChanged(const QString& strPath);

public slots:
    void onRefresh();
    void onFolderBrowse();
    void onDbClickListItem(const QModelIndex& idx);
    void onFileSelectionChanged();
    void onComboFolderIdxChanged(const QString& str);
    void onComboFolderReturn();
    void onUpper();
    void setRootPath(const QString& str);
    void exploreFile();
    void openFileByDefault();
    void onClickAction(const QString& str);
    void onTimeOutFileSelectionChanged();

private slots:
    void onDirectoryLoaded(const QString& strPath);

private:
    void showFolder(const QString& strPath);
    void showComboText(const QString& strPath);
    QString firstSelectedPath() const;

    QTimer m_timerSelection;
    bool m_bSettingRoot = false;
    CMenuListView* m_pList = nullptr;
    QPushButton* m_btnUpper = nullptr;
    QComboBox* m_comboFolder = nullptr;
    CFileSystemModel* m_pModel = nullptr;
    QString m_strActExplore;
    QString m_strActOpenDefault;
};

#endif
