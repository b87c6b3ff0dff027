#include "mainwindow/CTabWidget.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTabBar>

CTabWidget::CTabWidget(QWidget* parent)
    : QTabWidget(parent)
    , m_pMenu(new QMenu)
{
}

CTabWidget::~CTabWidget()
{
    delete m_pMenu;
}

void CTabWidget::setContextActions(const QStringList& lstTexts)
{
    for (const QString& strText : lstTexts) {
        QAction* pAction = m_pMenu->addAction(strText);
        connect(pAction, &QAction::triggered, this, &CTabWidget::onClickAction);
    }
}

void CTabWidget::onClickAction()
{
    if (auto* pAction = qobject_cast<QAction*>(sender()))
        emit clickAction(pAction->text());
}

void CTabWidget::contextMenuEvent(QContextMenuEvent* event)
{
    if (m_pMenu->actions().isEmpty())
        return;
    m_pMenu->popup(mapToGlobal(event->pos()));
}

void CTabWidget::mouseReleaseEvent(QMouseEvent* event)
{
    QTabWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::MiddleButton)
        return;
    // Releases over the tab bar arrive here in this widget's coordinates.
    const QPoint ptLocal = event->localPos().toPoint();
    emit emitMidButtonRelease(tabBar()->tabAt(tabBar()->mapFrom(this, ptLocal)));
}

void CTabWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTabWidget::mouseDoubleClickEvent(event);
    // Double clicks that a document ignores bubble up here too; only the
    // area beside the tabs counts.
    if (QWidget* pPage = currentWidget()) {
        const QRect rcPage(pPage->mapTo(this, QPoint(0, 0)), pPage->size());
        if (rcPage.contains(event->pos()))
            return;
    }
    emit tabBarDoubleClicked(-1);
}
