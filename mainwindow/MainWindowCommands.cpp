// Routing of menu and toolbar commands to the current document, and the
// frame (enablement, check marks, title, status labels) following it.
#include "mainwindow/MainWindow.h"
#include "ui_MainWindow.h"

#include "app/CSettings.h"
#include "app/Globals.h"
#include "editor/CHighlightEdit.h"
#include "mainwindow/CTabWidget.h"
#include "session/CNoticeBar.h"
#include "util/Platform.h"
#include "web/CEditWebView.h"
#include "web/CImageWidget.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFontComboBox>
#include <QLabel>
#include <QMimeData>
#include <QTimer>

CHighlightEdit* MainWindow::currentEditor() const
{
    return qobject_cast<CHighlightEdit*>(m_pTabWidget->currentWidget());
}

CImageWidget* MainWindow::currentImage() const
{
    return qobject_cast<CImageWidget*>(m_pTabWidget->currentWidget());
}

void MainWindow::on_actionCut_triggered()
{
    if (CHighlightEdit* pEditor = currentEditor())
        pEditor->cut();
    else if (CEditWebView* pPage = currentPage())
        pPage->triggerPageAction(QWebPage::Cut);
}

void MainWindow::on_actionCopy_triggered()
{
    if (CHighlightEdit* pEditor = currentEditor())
        pEditor->copy();
    else if (CEditWebView* pPage = currentPage())
        pPage->triggerPageAction(QWebPage::Copy);
}

void MainWindow::on_actionPaste_triggered()
{
    if (CHighlightEdit* pEditor = currentEditor())
        pEditor->paste();
    else if (CEditWebView* pPage = currentPage())
        pPage->onPaste();
}

void MainWindow::on_actionSelect_All_triggered()
{
    if (CHighlightEdit* pEditor = currentEditor())
        pEditor->selectAll();
    else if (CEditWebView* pPage = currentPage())
        pPage->triggerPageAction(QWebPage::SelectAll);
}

void MainWindow::on_actionUndo_triggered()
{
    if (CHighlightEdit* pEditor = currentEditor())
        pEditor->undo();
    else if (CEditWebView* pPage = currentPage())
        pPage->triggerPageAction(QWebPage::Undo);
}

void MainWindow::on_actionRedo_triggered()
{
    if (CHighlightEdit* pEditor = currentEditor())
        pEditor->redo();
    else if (CEditWebView* pPage = currentPage())
        pPage->triggerPageAction(QWebPage::Redo);
}

void MainWindow::on_actionLine_Wrap_triggered()
{
    const bool bWrap = ui->actionLine_Wrap->isChecked();
    for (int i = 0; i < m_pTabWidget->count(); ++i) {
        if (auto* pEditor = qobject_cast<CHighlightEdit*>(m_pTabWidget->widget(i)))
            pEditor->setLineWrap(bWrap);
    }
    g_pSettings->m_bLineWrap = bWrap;
    g_pSettings->save();
}

void MainWindow::setReturnFormat(int nFormat)
{
    if (CHighlightEdit* pEditor = currentEditor()) {
        if (pEditor->returnFormat() != nFormat) {
            pEditor->setReturnFormat(nFormat);
            pEditor->setModified(true);
        }
    }
    refreshStatusLabels();
    refreshTitle();
}

void MainWindow::on_actionWindows_triggered() { setReturnFormat(CHighlightEdit::ReturnWindows); }
void MainWindow::on_actionUnix_triggered() { setReturnFormat(CHighlightEdit::ReturnUnix); }
void MainWindow::on_actionOSX_triggered() { setReturnFormat(CHighlightEdit::ReturnOSX); }

void MainWindow::onClickAtionTextCodec()
{
    auto* pAction = qobject_cast<QAction*>(sender());
    CHighlightEdit* pEditor = currentEditor();
    if (pAction && pEditor && pEditor->setTextCodec(pAction->text()))
        markCodecByHand(pEditor);
    refreshFrame();
}

void MainWindow::onLangClick()
{
    auto* pAction = qobject_cast<QAction*>(sender());
    CHighlightEdit* pEditor = currentEditor();
    if (pAction && pEditor) {
        pEditor->clearAdditionalFormats();
        pEditor->setLanguage(pAction == ui->actionUnknown
                                 ? QVariantMap()
                                 : m_highlightMgt.getHighlightByName(pAction->text()));
        markLanguageByHand(pEditor);
    }
    refreshFrame();
}

void MainWindow::onTabCurrentChanged(int)
{
    if (m_bRestoring)
        return;
    loadPendingTab(m_pTabWidget->currentWidget());
    m_pNoticeBar->setCurrentDocument(documentOf(m_pTabWidget->currentWidget()));
    refreshFrame();
    refreshPreview();
}

void MainWindow::onModifiedChanged()
{
    refreshFrame();
}

void MainWindow::onSelectionChanged()
{
    refreshFrame();
}

void MainWindow::onEditPageContentChanged()
{
    if (m_bBusy)
        return;
    CEditWebView* pPage = nullptr;
    if (auto* pWebPage = qobject_cast<QWebPage*>(sender()))
        pPage = qobject_cast<CEditWebView*>(pWebPage->view());
    else if (auto* pEditor = qobject_cast<CHighlightEdit*>(sender()))
        pPage = pEditor->editWebView();
    // A page being loaded, or its source being refilled from it, is not edited.
    if (pPage && !pPage->isLoading() && !pPage->isLoadingSource())
        pPage->setModified(true);
    m_pPreviewTimer->start();
    refreshTitle();
}

void MainWindow::onTabClickAction(const QString& strText)
{
    if (strText != m_lstTabContextActions.value(0))
        return;
    const QString strPath = documentPath(m_pTabWidget->currentWidget());
    if (!strPath.isEmpty())
        showInExplorer(strPath);
}

void MainWindow::onTabDbClick(int nIndex)
{
    if (nIndex == -1)
        on_actionNewText_triggered();
}

void MainWindow::clipboardDataChanged()
{
    const QMimeData* pMime = QApplication::clipboard()->mimeData();
    ui->actionPaste->setEnabled((currentEditor() || currentPage()) && pMime && pMime->hasText());
}

void MainWindow::refreshFrame()
{
    if (m_bBusy)
        return;
    m_bBusy = true;
    CHighlightEdit* pEditor = currentEditor();
    const bool bEditor = pEditor != nullptr;
    CEditWebView* pPage = currentPage();
    const bool bDocument = bEditor || pPage;

    const QString strLanguage = bEditor ? pEditor->getLanguage() : QString();
    for (QAction* pAction : ui->menuLanguage->actions()) {
        pAction->setEnabled(bEditor);
        pAction->setChecked(bEditor && !pAction->isSeparator()
                            && (strLanguage.isEmpty() ? pAction == ui->actionUnknown
                                                      : pAction->text() == strLanguage
                                                            && pAction != ui->actionUnknown));
    }
    for (QAction* pAction : ui->menuText_Codec->actions()) {
        pAction->setEnabled(bEditor);
        pAction->setChecked(bEditor && pAction->text() == pEditor->codecName());
    }
    for (QAction* pAction : {ui->actionCut, ui->actionCopy, ui->actionSelect_All, ui->actionSave_As})
        pAction->setEnabled(bDocument);
    const QMimeData* pMime = QApplication::clipboard()->mimeData();
    ui->actionPaste->setEnabled(bDocument && pMime && pMime->hasText());
    ui->actionVerify_Valid->setEnabled(bEditor && pEditor->canVerify());
    ui->actionFormatting->setEnabled(bEditor && pEditor->canFormat());
    ui->actionToggle_Comment->setEnabled(bEditor && pEditor->canToggleComment());
    refreshPageTools(pPage, bEditor && pEditor->editWebView());
    ui->actionSave->setEnabled((bEditor && pEditor->isModified()) || (pPage && pPage->isModified()));
    ui->actionUndo->setEnabled(pPage || (bEditor && pEditor->document()->isUndoAvailable()));
    ui->actionRedo->setEnabled(pPage || (bEditor && pEditor->document()->isRedoAvailable()));
    const bool bHasTabs = m_pTabWidget->count() > 0;
    ui->actionSave_All->setEnabled(bHasTabs);
    ui->actionRefresh->setEnabled(bHasTabs);

    refreshTitle();
    refreshStatusLabels();
    m_bBusy = false;
}

void MainWindow::refreshTitle()
{
    QWidget* pWidget = m_pTabWidget->currentWidget();
    if (!pWidget) {
        setWindowTitle(AppTitle);
        return;
    }
    QString strText;
    if (auto* pPage = qobject_cast<CEditWebView*>(pWidget))
        strText = pPage->displayTitle();
    else if (auto* pEditor = qobject_cast<CHighlightEdit*>(pWidget))
        strText = pEditor->getTitle();
    else if (auto* pImage = qobject_cast<CImageWidget*>(pWidget))
        strText = pImage->fileName();
    m_pTabWidget->setTabText(m_pTabWidget->currentIndex(), strText);
    setWindowTitle(QString("%1(%2)").arg(AppTitle, strText));
}

void MainWindow::refreshRecentFiles()
{
    const QStringList& lstRecent = g_pSettings->m_lstRecentFiles;
    QAction* const arrActions[RecentFileCount] = {
        ui->actionRecent_File_1, ui->actionRecent_File_2, ui->actionRecent_File_3,
        ui->actionRecent_File_4, ui->actionRecent_File_5, ui->actionRecent_File_6};
    for (int i = 0; i < RecentFileCount; ++i) {
        QAction* pAction = arrActions[i];
        const bool bHasEntry = i < lstRecent.size();
        if (i == 0) {
            pAction->setText(bHasEntry ? lstRecent.at(i) : tr("(empty)"));
            pAction->setEnabled(bHasEntry);
        } else {
            pAction->setText(bHasEntry ? lstRecent.at(i) : QString());
            pAction->setVisible(bHasEntry);
        }
    }
}

void MainWindow::refreshStatusLabels()
{
    CHighlightEdit* pEditor = currentEditor();
    QAction* const arrReturn[] = {ui->actionWindows, ui->actionUnix, ui->actionOSX};
    const QString arrReturnNames[] = {tr("Windows"), tr("Unix"), tr("OSX")};
    for (int i = 0; i < 3; ++i) {
        arrReturn[i]->setEnabled(pEditor != nullptr);
        arrReturn[i]->setChecked(pEditor && pEditor->returnFormat() == i);
    }
    if (!pEditor) {
        for (QLabel* pLabel : {m_pLabelPos, m_pLabelLang, m_pLabelReturn, m_pLabelCodec})
            pLabel->clear();
        return;
    }
    m_pLabelPos->setText(pEditor->getStatusText());
    const QString strLanguage = pEditor->getLanguage();
    m_pLabelLang->setText(strLanguage.isEmpty() ? tr("Unknown Language") : strLanguage);
    const int nFormat = pEditor->returnFormat();
    m_pLabelReturn->setText(nFormat >= 0 && nFormat < 3 ? arrReturnNames[nFormat] : QString());
    m_pLabelCodec->setText(pEditor->codecName());
}
