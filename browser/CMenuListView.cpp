#include "browser/CMenuListView.h"

#include <QAction>
#include <QContextMenuEvent>

CMenuListView::CMenuListView(QWidget* parent)
    : QListView(parent)
{
}

void CMenuListView::setActions(const QStringList& lstActions)
{
    m_lstActions = lstActions;
    m_menu.clear();
    for (const QString& strAction : lstActions) {
        if (strAction == "separator")
            m_menu.addSeparator();
        else
            connect(m_menu.addAction(strAction), &QAction::triggered, this,
                    &CMenuListView::onClickAction);
    }
}

void CMenuListView::contextMenuEvent(QContextMenuEvent* event)
{
    if (m_lstActions.isEmpty())
        return;
    m_menu.popup(event->globalPos());
    event->accept();
}

void CMenuListView::onClickAction()
{
    if (auto* pAction = qobject_cast<QAction*>(sender()))
        emit clickAction(pAction->text());
}
