#ifndef ACTIONMENU_H
#define ACTIONMENU_H

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QStringList>

// The context menu of the folder panel's lists, made from action texts
// ("separator" stands for a separator); each action calls pSlot, which
// reads the chosen text from its sender.
template <class T>
void fillActionMenu(QMenu& menu, const QStringList& lstActions, T* pReceiver, void (T::*pSlot)())
{
    menu.clear();
    for (const QString& strAction : lstActions) {
        if (strAction == "separator")
            menu.addSeparator();
        else
            QObject::connect(menu.addAction(strAction), &QAction::triggered, pReceiver, pSlot);
    }
}

// Shows the menu where the event asks for it, when it has actions.
inline void popupActionMenu(QMenu& menu, const QStringList& lstActions, QContextMenuEvent* event)
{
    if (lstActions.isEmpty())
        return;
    menu.popup(event->globalPos());
    event->accept();
}

#endif
