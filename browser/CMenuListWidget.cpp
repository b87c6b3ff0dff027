#include "browser/CMenuListWidget.h"

#include <QAction>
#include <QContextMenuEvent>

CMenuListWidget::CMenuListWidget(QWidget* parent)
    : QListWidget(parent)
{
}

void CMenuListWidget::setActions(const QStringList& lstActions)
{
    m_lstActions = lstActions;
    m_menu.clear();
    for (const QString& strAction : lstActions) {
        if (strAction == "separator")
            m_menu.addSeparator();
        else
            connect(m_menu.addAction(strAction), &QAction::triggered, this,
                    &CMenuListWidget::onClickAction);
    }
}

void CMenuListWidget::contextMenuEvent(QContextMenuEvent* event)
{
    if (m_lstActions.isEmpty())
        return;
    m_menu.popup(event->globalPos());
    event->accept();
}

void CMenuListWidget::onClickAction()
{
    if (auto* pAction = qobject_cast<QAction*>(sender()))
        emit clickAction(pAction->text());
}
