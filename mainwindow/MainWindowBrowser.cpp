// The folder browser dock: its panel, the signals it sends the window, and
// the window's shortcuts forwarded from key presses inside it.
#include "mainwindow/MainWindow.h"

#include "browser/CWidgetFavorFileList.h"
#include "web/CPreviewWidget.h"

#include <QAction>
#include <QDir>
#include <QKeyEvent>

CWidgetFavorFileList* MainWindow::createFolderPanel(QWidget* pParent)
{
    auto* pPanel = new CWidgetFavorFileList(pParent);
    pPanel->setObjectName("folderPanel");
    pPanel->installEventFilter(this);
    connect(pPanel, &CWidgetFavorFileList::dbClickFile, this, &MainWindow::openFile);
    connect(pPanel, &CWidgetFavorFileList::rootPathChanged, this, &MainWindow::onRootPathChanged);
    connect(pPanel, &CWidgetFavorFileList::fileSelectionChanged, this,
            &MainWindow::onFileSelectionChanged);
    return pPanel;
}

void MainWindow::setFolderRoot(const QString& strPath)
{
    m_strRootPath = QDir::toNativeSeparators(strPath);
    m_pFolderPanel->setRootPath(strPath);
}

void MainWindow::onRootPathChanged(const QString& strPath)
{
    m_strRootPath = strPath;
}

void MainWindow::onFileSelectionChanged(const QString& strPath)
{
    m_strSelectedPath = strPath;
    // A hidden preview only takes the name: shown, it follows the document.
    m_pPreviewWidget->setPreviewFile(strPath, m_pPreviewWidget->isVisible());
}

bool MainWindow::eventFilter(QObject* pWatched, QEvent* event)
{
    if (pWatched == m_pFolderPanel && event->type() == QEvent::KeyPress)
        return forwardPanelKey(static_cast<QKeyEvent*>(event));
    return QMainWindow::eventFilter(pWatched, event);
}

// A key press that the folder browser left unhandled: Return opens the
// selection of the list that has the focus; a key with modifiers triggers
// the window's action of that shortcut. Returns whether it was consumed.
bool MainWindow::forwardPanelKey(const QKeyEvent* pEvent)
{
    const int nKey = pEvent->key();
    const Qt::KeyboardModifiers modifiers =
        pEvent->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier
                               | Qt::MetaModifier);
    if (modifiers == Qt::NoModifier) {
        if (nKey == Qt::Key_Return || nKey == Qt::Key_Enter) {
            if (m_pFolderPanel->openSelection())
                return true;
        } else if (nKey != Qt::Key_Delete) {
            return false;
        }
    }
    if (nKey == Qt::Key_Escape || nKey == Qt::Key_Shift || nKey == Qt::Key_Control
        || nKey == Qt::Key_Meta || nKey == Qt::Key_Alt)
        return false;
    int nCode = nKey;
    if (modifiers & Qt::ShiftModifier)
        nCode |= Qt::SHIFT;
    if (modifiers & Qt::ControlModifier)
        nCode |= Qt::CTRL;
    if (modifiers & Qt::AltModifier)
        nCode |= Qt::ALT;
    const QKeySequence seq(nCode);
    for (QAction* pAction : findChildren<QAction*>()) {
        if (pAction->shortcuts().contains(seq)) {
            pAction->trigger();
            return true;
        }
    }
    return false;
}
