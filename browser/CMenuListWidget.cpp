#include "browser/CMenuListWidget.h"

#include "browser/ActionMenu.h"

CMenuListWidget::CMenuListWidget(QWidget* parent)
    : QListWidget(parent)
{
}

void CMenuListWidget::setActions(const QStringList& lstActions)
{
    m_lstActions = lstActions;
    fillActionMenu(m_menu, lstActions, this, &CMenuListWidget::onClickAction);
}

void CMenuListWidget::contextMenuEvent(QContextMenuEvent* event)
{
    popupActionMenu(m_menu, m_lstActions, event);
}

void CMenuListWidget::onClickAction()
{
    if (auto* pAction = qobject_cast<QAction*>(sender()))
        emit clickAction(pAction->text());
}
