#ifndef CMENULISTWIDGET_H
#define CMENULISTWIDGET_H

#include <QListWidget>
#include <QMenu>
#include <QStringList>

// A list widget whose context menu is made from a list of action texts
// ("separator" stands for a separator); the chosen text is reported by
// clickAction.
class CMenuListWidget : public QListWidget
{
    Q_OBJECT
public:
    explicit CMenuListWidget(QWidget* parent = nullptr);

    void setActions(const QStringList& lstActions);
    QStringList actionTexts() const { return m_lstActions; }

signals:
    void clickAction(const QString& strAction);

public slots:
    void onClickAction();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QStringList m_lstActions;
    QMenu m_menu;
};

#endif
