#include "browser/CMenuListView.h"

#include "browser/ActionMenu.h"

CMenuListView::CMenuListView(QWidget* parent)
    : QListView(parent)
{
}

void CMenuListView::setActions(const QStringList& lstActions)
{
    m_lstActions = lstActions;
    fillActionMenu(m_menu, lstActions, this, &CMenuListView::onClickAction);
}

void CMenuListView::contextMenuEvent(QContextMenuEvent* event)
{
    popupActionMenu(m_menu, m_lstActions, event);
}

void CMenuListView::onClickAction()
{
    if (auto* pAction = qobject_cast<QAction*>(sender()))
        emit clickAction(pAction->text());
}
