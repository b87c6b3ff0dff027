#ifndef CWIDGETFAVORFILELIST_H
#define CWIDGETFAVORFILELIST_H

#include <QWidget>

class CWidgetFavoriteFolder;
class CWidgetFileList;

// The folder browser dock's content: the file list above the favourite
// folders. The main window talks to this panel only.
class CWidgetFavorFileList : public QWidget
{
    Q_OBJECT
public:
    explicit CWidgetFavorFileList(QWidget* parent = nullptr);

    void setRootPath(const QString& strPath);
    QString rootPath() const;
    // Opens the selection of whichever of the two lists has the focus;
    // returns whether one had it.
    bool openSelection();
    bool hasListFocus() const;

    CWidgetFileList* fileList() const { return m_pFileList; }
    CWidgetFavoriteFolder* favorite() const { return m_pFavorite; }

signals:
    void dbClickFile(const QString& strPath);
    void rootPathChanged(const QString& strPath);
    void fileSelectionChanged(const QString& strPath);

public slots:
    void onAddFavorFolder();

private:
    CWidgetFileList* m_pFileList = nullptr;
    CWidgetFavoriteFolder* m_pFavorite = nullptr;
};

#endif
