#ifndef CWIDGETFAVORITEFOLDER_H
#define CWIDGETFAVORITEFOLDER_H

#include <QModelIndex>
#include <QWidget>

class CMenuListWidget;
class QLabel;
class QPushButton;

// The "Main Folder List": favourite folders, most recently used first,
// kept in the settings store at every change.
class CWidgetFavoriteFolder : public QWidget
{
    Q_OBJECT
public:
    explicit CWidgetFavoriteFolder(QWidget* parent = nullptr);
    ~CWidgetFavoriteFolder() override;

    // Puts the folder at the top (once) and selects it.
    void addFolder(const QString& strPath);
    QStringList folders() const;
    bool hasListFocus() const;
    // Opens the first selected favourite as a double-click does.
    void openSelected();
    CMenuListWidget* listWidget() const { return m_pList; }

signals:
    void clickAdd();
    void dbClickFolder(const QString& strPath);

public slots:
    void onListSelectionChanged();
    void onDbClickItem(const QModelIndex& idx);
    void onClickAction(const QString& str);
    void onRemoveSelected();

private:
    void storeFolders();

    CMenuListWidget* m_pList = nullptr;
    QPushButton* m_btnAdd = nullptr;
    QPushButton* m_btnRemove = nullptr;
    QLabel* m_pTitle = nullptr;
    QString m_strActExplore;
};

#endif
