// The editing aids of the current document: find and replace through the
// find dialog and the Find Next / Find Previous commands, go to line,
// comment toggling, validation and formatting.
#include "mainwindow/MainWindow.h"
#include "ui_MainWindow.h"

#include "app/CSettings.h"
#include "app/Globals.h"
#include "editor/CDlgFind.h"
#include "editor/CDlgGo.h"
#include "editor/CHighlightEdit.h"
#include "web/CEditWebView.h"

#include <QApplication>
#include <QMessageBox>

namespace {

// The wait cursor for as long as a search or a reformat runs.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

void MainWindow::connectEditingAids(CHighlightEdit* pEditor)
{
    connect(pEditor, &CHighlightEdit::findToTop, this, &MainWindow::onFindToTop);
    connect(pEditor, &CHighlightEdit::findToBottom, this, &MainWindow::onFindToBottom);
    connect(pEditor, &CHighlightEdit::cannotFound, this, &MainWindow::onCannotFound);
    connect(pEditor, &CHighlightEdit::replaceNum, this, &MainWindow::onReplaceNum);
    // Toggle Comment follows the selection, which can change while the
    // cursor stays (Select All at the end of the text).
    connect(pEditor, &CHighlightEdit::selectionChanged, this, &MainWindow::onSelectionChanged);
}

CDlgFind* MainWindow::findDialog()
{
    if (!m_pDlgFind) {
        m_pDlgFind = new CDlgFind(this);
        connect(m_pDlgFind, &CDlgFind::emitFindNext, this, &MainWindow::onFindNext);
        connect(m_pDlgFind, &CDlgFind::emitReplace, this, &MainWindow::onReplace);
        connect(m_pDlgFind, &CDlgFind::emitReplaceAll, this, &MainWindow::onReplaceAll);
    }
    return m_pDlgFind;
}

void MainWindow::showFindDialog(bool bReplace)
{
    CDlgFind* pDlg = findDialog();
    pDlg->show();
    pDlg->raise();
    pDlg->activateWindow();
    // The selection is what to look for, unless it spans lines.
    QString strText;
    if (CEditWebView* pPage = currentPage())
        strText = pPage->selectedText();
    else if (CHighlightEdit* pEditor = currentEditor())
        strText = pEditor->getSelectedText();
    if (strText.isEmpty() || strText.contains(QChar::ParagraphSeparator) || strText.contains('\n'))
        strText = m_strLastFind;
    if (bReplace)
        pDlg->showReplaceTab();
    else
        pDlg->showFindTab();
    pDlg->setFindText(strText);
}

void MainWindow::on_actionFind_triggered()
{
    showFindDialog(false);
}

void MainWindow::on_actionReplace_triggered()
{
    showFindDialog(true);
}

void MainWindow::findInCurrent(const QString& strText, bool bPrevious)
{
    const WaitCursor wait;
    if (CEditWebView* pPage = currentPage()) {
        // The page reports nothing itself; the dialog says when it found nothing.
        const bool bFound = bPrevious ? pPage->findPrevious(strText, false) : pPage->findText(strText, false);
        if (!bFound && m_pDlgFind)
            m_pDlgFind->onCannotFound();
    } else if (CHighlightEdit* pEditor = currentEditor()) {
        if (bPrevious)
            pEditor->findPrevious(strText, false);
        else
            pEditor->findText(strText, false);
    }
}

void MainWindow::on_actionFind_Next_triggered()
{
    const QString strText = m_pDlgFind ? m_pDlgFind->currentFindText() : QString();
    if (strText.isEmpty()) {
        showFindDialog(false);
        return;
    }
    m_pDlgFind->clearStatus();
    m_strLastFind = strText;
    findInCurrent(strText, false);
}

void MainWindow::on_actionFind_Previous_triggered()
{
    const QString strText = m_pDlgFind ? m_pDlgFind->currentFindText() : QString();
    if (strText.isEmpty()) {
        showFindDialog(false);
        return;
    }
    m_pDlgFind->clearStatus();
    m_strLastFind = strText;
    findInCurrent(strText, true);
}

void MainWindow::onFindNext()
{
    m_pDlgFind->clearStatus();
    m_strLastFind = m_pDlgFind->getFindText();
    findInCurrent(m_strLastFind, false);
    if (g_pSettings->m_bFindCloseAfterFindNext)
        m_pDlgFind->hide();
}

void MainWindow::onReplace()
{
    m_pDlgFind->clearStatus();
    m_strLastFind = m_pDlgFind->getReplaceFindText();
    const WaitCursor wait;
    if (CEditWebView* pPage = currentPage()) {
        if (!pPage->replaceNext(m_strLastFind, m_pDlgFind->getReplaceWithText()))
            m_pDlgFind->onCannotFound();
    } else if (CHighlightEdit* pEditor = currentEditor()) {
        pEditor->replaceText(m_strLastFind, m_pDlgFind->getReplaceWithText());
    }
}

void MainWindow::onReplaceAll()
{
    m_pDlgFind->clearStatus();
    m_strLastFind = m_pDlgFind->getReplaceFindText();
    const WaitCursor wait;
    if (CEditWebView* pPage = currentPage()) {
        int nCount = 0;
        pPage->replaceAll(m_strLastFind, m_pDlgFind->getReplaceWithText(), &nCount);
        m_pDlgFind->onReplaceNum(nCount);
    } else if (CHighlightEdit* pEditor = currentEditor()) {
        pEditor->replaceAllText(m_strLastFind, m_pDlgFind->getReplaceWithText());
    }
}

void MainWindow::onFindToTop()
{
    if (m_pDlgFind)
        m_pDlgFind->onFindToTop();
}

void MainWindow::onFindToBottom()
{
    if (m_pDlgFind)
        m_pDlgFind->onFindToBottom();
}

void MainWindow::onCannotFound()
{
    if (m_pDlgFind)
        m_pDlgFind->onCannotFound();
}

void MainWindow::onReplaceNum(int nVal)
{
    if (m_pDlgFind)
        m_pDlgFind->onReplaceNum(nVal);
}

void MainWindow::on_actionGo_to_Line_triggered()
{
    if (!m_pDlgGo) {
        m_pDlgGo = new CDlgGo(this);
        connect(m_pDlgGo, &CDlgGo::goToLine, this, &MainWindow::onGoToLine);
    }
    m_pDlgGo->show();
    m_pDlgGo->raise();
    m_pDlgGo->activateWindow();
    m_pDlgGo->selectLineText();
}

void MainWindow::onGoToLine(int nLine)
{
    if (CHighlightEdit* pEditor = currentEditor()) {
        pEditor->jumpToLine(nLine);
        pEditor->setFocus();
    }
}

void MainWindow::on_actionToggle_Comment_triggered()
{
    if (CHighlightEdit* pEditor = currentEditor())
        pEditor->toggleComment();
}

void MainWindow::on_actionVerify_Valid_triggered()
{
    CHighlightEdit* pEditor = currentEditor();
    if (pEditor && pEditor->verifyValid())
        QMessageBox::information(this, tr("Verify Valid"), tr("The format of the content is good."));
}

void MainWindow::on_actionFormatting_triggered()
{
    CHighlightEdit* pEditor = currentEditor();
    // Checked on its own first, so that a complaint does not come up under
    // the wait cursor.
    if (!pEditor || !pEditor->verifyValid())
        return;
    {
        const WaitCursor wait;
        pEditor->formatting();
    }
    refreshTitle();
}
