// HTML pages in the main window: new and opened pages, the swap between a
// page and its source, the HTML toolbar (styles, font, size, colours), and
// the preview dock following the current document.
#include "mainwindow/MainWindow.h"
#include "ui_MainWindow.h"

#include "app/CSettings.h"
#include "app/Globals.h"
#include "editor/CHighlightEdit.h"
#include "mainwindow/CTabWidget.h"
#include "util/SaveFile.h"
#include "web/CEditWebView.h"
#include "web/CImageWidget.h"
#include "web/CPreviewWidget.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFileInfo>
#include <QFontComboBox>
#include <QMessageBox>
#include <QStatusBar>
#include <QTextBlock>
#include <QTimer>

namespace {

// A colour as the page reports it: "rgb(r, g, b)" / "rgba(...)" or a name.
QColor colorFromCss(const QString& strColor)
{
    if (strColor.startsWith("rgb")) {
        const int nOpen = strColor.indexOf('(');
        const QStringList lst = strColor.mid(nOpen + 1).remove(')').split(',');
        if (nOpen > 0 && lst.size() >= 3)
            return QColor(lst.at(0).trimmed().toInt(), lst.at(1).trimmed().toInt(),
                          lst.at(2).trimmed().toInt());
    }
    return QColor(strColor);
}

// The start of an editor's text, up to about nLimit characters, without
// building the whole text of a large document.
QString leadingText(const CHighlightEdit* pEditor, int nLimit)
{
    QString strText;
    for (QTextBlock block = pEditor->document()->firstBlock(); block.isValid() && strText.size() < nLimit;
         block = block.next()) {
        if (block != pEditor->document()->firstBlock())
            strText += '\n';
        strText += block.text();
    }
    return strText;
}

const char* const NewPageHtml =
    "<!DOCTYPE html>\n<html><head><meta charset=\"UTF-8\"><title></title></head><body></body></html>";

} // namespace

CEditWebView* MainWindow::currentPage() const
{
    return qobject_cast<CEditWebView*>(m_pTabWidget->currentWidget());
}

CEditWebView* MainWindow::pageOf(QWidget* pWidget)
{
    if (auto* pPage = qobject_cast<CEditWebView*>(pWidget))
        return pPage;
    if (auto* pEditor = qobject_cast<CHighlightEdit*>(pWidget))
        return pEditor->editWebView();
    return nullptr;
}

QWidget* MainWindow::documentOf(QWidget* pWidget)
{
    CEditWebView* pPage = pageOf(pWidget);
    return pPage ? pPage : pWidget;
}

void MainWindow::deleteDocument(QWidget* pWidget)
{
    // A page goes with its source, whichever of the two is in the tab.
    if (CEditWebView* pPage = pageOf(pWidget))
        delete pPage;
    else
        delete pWidget;
}

CEditWebView* MainWindow::createPageEditor()
{
    auto* pPage = new CEditWebView(this);
    pPage->setModified(false);
    connect(pPage, &CEditWebView::focusIn, this, &MainWindow::onWidgetFocusIn);
    CHighlightEdit* pSource = pPage->sourceEditor();
    pSource->setLineWrap(g_pSettings->m_bLineWrap);
    connectTextEditor(pSource);
    pSource->setLanguage(m_highlightMgt.getHighlightByFileName("xxx.html"));
    connect(pPage, &QWebView::loadFinished, this, &MainWindow::onLoadFinished);
    connect(pPage, &QWebView::selectionChanged, this, &MainWindow::onSelectionChanged);
    connect(pPage->page(), &QWebPage::contentsChanged, this, &MainWindow::onEditPageContentChanged);
    connect(pPage, &CEditWebView::modifiedChanged, this, &MainWindow::onModifiedChanged);
    connect(pPage, &CEditWebView::overUrl, this, &MainWindow::onOverUrl);
    return pPage;
}

void MainWindow::on_actionNewHtml_triggered()
{
    if (m_bBusy)
        return;
    m_bBusy = true;
    CEditWebView* pPage = createPageEditor();
    pPage->setHtml(QString::fromLatin1(NewPageHtml));
    pPage->setModified(false);
    addDocumentTab(pPage, tr("New HTML"), tr("New file"), ":/res/new.png");
    m_bBusy = false;
    if (g_pSettings->m_bIsHtmlText)
        swapToSource(pPage);
    else
        pPage->setFocus();
    refreshFrame();
}

bool MainWindow::openHtmlFile(const QString& strPath)
{
    QFile file(strPath);
    if (QFileInfo(strPath).isDir() || !file.open(QIODevice::ReadOnly)) {
        QMessageBox::critical(this, tr("Fail to open file"), tr("Fail to open file(%1).").arg(strPath),
                              QMessageBox::Ok);
        return false;
    }
    file.close();
    CEditWebView* pPage = createPageEditor();
    pPage->setPathFileName(strPath);
    // The title is known once the page has loaded (onLoadFinished).
    addDocumentTab(pPage, QFileInfo(strPath).fileName(), strPath, ":/res/html_text.svg");
    pPage->loadFile(strPath);
    pPage->setModified(false);
    if (g_pSettings->m_bIsHtmlText)
        swapToSource(pPage);
    else
        pPage->setFocus();
    return true;
}

bool MainWindow::savePage(CEditWebView* pPage, bool bAskPath)
{
    QString strPath = pPage->pathFileName();
    if (bAskPath || strPath.isEmpty()) {
        strPath = chooseSavePath(strPath);
        if (strPath.isEmpty())
            return false;
    }
    QString strError;
    if (!saveFileAtomically(strPath, pPage->toHtml().toUtf8(), &strError)) {
        reportSaveFailure(strPath, bAskPath || pPage->pathFileName().isEmpty(), strError);
        return false;
    }
    documentWritten(pPage, strPath);
    pPage->setPathFileName(strPath);
    pPage->setModified(false);
    m_pTabWidget->setTabToolTip(m_pTabWidget->indexOf(pPage), strPath);
    refreshFrame();
    return true;
}

void MainWindow::on_actionSwapHtml_triggered()
{
    if (m_bBusy)
        return;
    QWidget* pWidget = m_pTabWidget->currentWidget();
    if (auto* pPage = qobject_cast<CEditWebView*>(pWidget))
        swapToSource(pPage);
    else if (CEditWebView* pOwner = pageOf(pWidget))
        swapToPage(pOwner);
    refreshFrame();
}

void MainWindow::swapToSource(CEditWebView* pPage)
{
    const int nIndex = m_pTabWidget->indexOf(pPage);
    if (nIndex < 0)
        return;
    const bool bWasBusy = m_bBusy;
    m_bBusy = true;
    CHighlightEdit* pSource = pPage->sourceEditor();
    const QString strPath = pPage->pathFileName();
    m_pTabWidget->removeTab(nIndex);
    m_pTabWidget->insertTab(nIndex, pSource, QIcon(":/res/file_text_html.png"),
                            strPath.isEmpty() ? tr("Untitled") : QFileInfo(strPath).fileName());
    m_pTabWidget->setTabToolTip(nIndex, strPath);
    m_pTabWidget->setCurrentIndex(nIndex);
    pPage->showSource(true);
    pSource->setFilePath(strPath);
    pSource->setFocus();
    g_pSettings->m_bIsHtmlText = true;
    g_pSettings->save();
    m_bBusy = bWasBusy;
}

void MainWindow::swapToPage(CEditWebView* pPage)
{
    CHighlightEdit* pSource = pPage->sourceEditor();
    const int nIndex = m_pTabWidget->indexOf(pSource);
    if (nIndex < 0)
        return;
    const bool bWasBusy = m_bBusy;
    m_bBusy = true;
    pPage->showSource(false);
    m_pTabWidget->removeTab(nIndex);
    const QIcon icon = pPage->icon().isNull() ? QIcon(":/res/html_text.svg") : pPage->icon();
    m_pTabWidget->insertTab(nIndex, pPage, icon, pPage->displayTitle());
    m_pTabWidget->setTabToolTip(nIndex, pPage->pathFileName());
    m_pTabWidget->setCurrentIndex(nIndex);
    // Block by block: the editor's plain text would turn non-breaking
    // spaces into spaces.
    const bool bModified = pSource->isModified();
    pPage->loadHtml(pSource->getTextForSave(), pPage->url());
    pPage->setModified(bModified);
    pPage->setFocus();
    g_pSettings->m_bIsHtmlText = false;
    g_pSettings->save();
    m_bBusy = bWasBusy;
}

void MainWindow::refreshPageTools(CEditWebView* pPage, bool bPageSource)
{
    for (QAction* pAction : {ui->actionBold, ui->actionItalic, ui->actionUnderline, m_pActTextColor,
                             m_pActBackColor})
        pAction->setEnabled(pPage != nullptr);
    m_pComboFont->setEnabled(pPage != nullptr);
    m_pComboSize->setEnabled(pPage != nullptr);
    ui->toolBarFormat->setVisible(pPage || bPageSource);
    if (bPageSource) {
        ui->actionSwapHtml->setIcon(QIcon(":/res/switch_fore.png"));
        ui->actionSwapHtml->setToolTip(tr("Switch to html page edit"));
    }
    if (!pPage)
        return;
    ui->actionSwapHtml->setIcon(QIcon(":/res/switch_back.png"));
    ui->actionSwapHtml->setToolTip(tr("Switch to html source edit"));
    const CEditWebView::Format format = pPage->selectionFormat();
    ui->actionBold->setChecked(format.bBold);
    ui->actionItalic->setChecked(format.bItalic);
    ui->actionUnderline->setChecked(format.bUnderline);
    if (!format.strFontName.isEmpty())
        m_pComboFont->setCurrentFont(QFont(format.strFontName));
    // An item only when the size is one of the list's: choosing any item
    // then changes the index and applies it.
    const int nSize = m_pComboSize->findText(format.strFontSize);
    m_pComboSize->setCurrentIndex(nSize);
    if (nSize < 0)
        m_pComboSize->setEditText(format.strFontSize);
    m_clrPageFore = colorFromCss(format.strForeColor);
    m_clrPageBack = colorFromCss(format.strBackColor);
    setColorIcon(m_pActTextColor, m_clrPageFore.name(), ":/res/color_text.png");
    setColorIcon(m_pActBackColor, m_clrPageBack.name(), ":/res/color_text_bk.png");
}

void MainWindow::on_actionBold_triggered()
{
    if (CEditWebView* pPage = currentPage())
        pPage->triggerPageAction(QWebPage::ToggleBold);
    refreshFrame();
}

void MainWindow::on_actionItalic_triggered()
{
    if (CEditWebView* pPage = currentPage())
        pPage->triggerPageAction(QWebPage::ToggleItalic);
    refreshFrame();
}

void MainWindow::on_actionUnderline_triggered()
{
    if (CEditWebView* pPage = currentPage())
        pPage->triggerPageAction(QWebPage::ToggleUnderline);
    refreshFrame();
}

void MainWindow::on_actionLeft_to_Right_triggered()
{
    if (CEditWebView* pPage = currentPage())
        pPage->triggerPageAction(QWebPage::SetTextDirectionLeftToRight);
}

void MainWindow::on_actionRight_to_Left_triggered()
{
    if (CEditWebView* pPage = currentPage())
        pPage->triggerPageAction(QWebPage::SetTextDirectionRightToLeft);
}

void MainWindow::on_actionBack_triggered()
{
    if (CEditWebView* pPage = currentPage())
        pPage->back();
}

void MainWindow::on_actionForward_triggered()
{
    if (CEditWebView* pPage = currentPage())
        pPage->forward();
}

void MainWindow::on_actionColor_Dialog_triggered()
{
    if (!m_pColorDialog)
        m_pColorDialog = new QColorDialog(this);
    m_pColorDialog->show();
    m_pColorDialog->raise();
    m_pColorDialog->activateWindow();
}

void MainWindow::onCurrentFontNameChanged()
{
    // The frame refresh shows the page's font in the box; that is no choice.
    CEditWebView* pPage = currentPage();
    if (m_bBusy || !pPage)
        return;
    pPage->setFontName(m_pComboFont->currentFont().family());
    pPage->setFocus();
}

void MainWindow::onCurrentFontSizeChanged()
{
    CEditWebView* pPage = currentPage();
    if (m_bBusy || !pPage)
        return;
    pPage->setFontSize(m_pComboSize->currentText());
    pPage->setFocus();
}

void MainWindow::onTextColorMenuPop()
{
    QTimer::singleShot(0, this, &MainWindow::onAfterTextColorMenu);
}

void MainWindow::onBackColorMenuPop()
{
    QTimer::singleShot(0, this, &MainWindow::onAfterBackColorMenu);
}

void MainWindow::onAfterTextColorMenu()
{
    chooseColor(true);
}

void MainWindow::onAfterBackColorMenu()
{
    chooseColor(false);
}

void MainWindow::chooseColor(bool bText)
{
    QAction* pAction = bText ? m_pActTextColor : m_pActBackColor;
    // The drop-down has no entries: the dialog takes its place.
    pAction->menu()->hide();
    const QColor clr = QColorDialog::getColor(bText ? m_clrPageFore : m_clrPageBack, this);
    if (!clr.isValid())
        return;
    (bText ? g_pSettings->m_clrTextColor : g_pSettings->m_clrBackColor) = clr;
    g_pSettings->save();
    setColorIcon(pAction, clr.name(), bText ? ":/res/color_text.png" : ":/res/color_text_bk.png");
    if (bText)
        onClickTextColor();
    else
        onClickBackColor();
}

void MainWindow::onClickTextColor()
{
    if (QWidget* pWidget = m_pTabWidget->currentWidget())
        pWidget->setFocus();
    if (CEditWebView* pPage = currentPage())
        pPage->setForeColor(g_pSettings->m_clrTextColor.name());
}

void MainWindow::onClickBackColor()
{
    if (QWidget* pWidget = m_pTabWidget->currentWidget())
        pWidget->setFocus();
    if (CEditWebView* pPage = currentPage())
        pPage->setBackColor(g_pSettings->m_clrBackColor.name());
}

void MainWindow::onLoadFinished(bool)
{
    auto* pPage = qobject_cast<CEditWebView*>(sender());
    if (!pPage)
        return;
    const int nIndex = m_pTabWidget->indexOf(pPage);
    if (nIndex >= 0) {
        m_pTabWidget->setTabText(nIndex, pPage->displayTitle());
        m_pTabWidget->setTabIcon(nIndex, pPage->icon().isNull() ? QIcon(":/res/html_text.svg")
                                                                : pPage->icon());
    }
    refreshTitle();
    refreshPreview();
}

void MainWindow::onOverUrl(const QString& strUrl)
{
    statusBar()->showMessage(strUrl);
}

void MainWindow::onWidgetFocusIn()
{
    refreshPreview();
}

void MainWindow::onDockPreviewChanged(bool bVisible)
{
    if (bVisible)
        refreshPreview();
}

void MainWindow::refreshPreview()
{
    m_pPreviewTimer->stop();
    QWidget* pWidget = m_pTabWidget->currentWidget();
    if (!pWidget || qobject_cast<CImageWidget*>(pWidget)) {
        m_pPreviewWidget->clear();
        return;
    }
    if (!m_pPreviewWidget->isVisible())
        return;
    if (auto* pPage = qobject_cast<CEditWebView*>(pWidget)) {
        m_pPreviewWidget->setPreviewFile(pPage->pathFileName(), false);
        m_pPreviewWidget->previewHtmlText(pPage->toHtml(), pPage->url());
        return;
    }
    auto* pEditor = qobject_cast<CHighlightEdit*>(pWidget);
    if (!pEditor)
        return;
    const QString strPath = pEditor->filePath();
    m_pPreviewWidget->setPreviewFile(strPath, false);
    const QString strSuffix = pEditor->fileSuffix();
    if (strSuffix == "svg" || strSuffix == "svgz" || strSuffix == "htm" || strSuffix == "html") {
        // Pictures and styles beside the file show in its rendering.
        const QUrl base = pEditor->editWebView() ? pEditor->editWebView()->url()
                          : strPath.isEmpty()    ? QUrl()
                                                 : QUrl::fromLocalFile(strPath);
        m_pPreviewWidget->previewHtmlText(pEditor->getTextForSave(), base);
    } else {
        m_pPreviewWidget->previewText(leadingText(pEditor, CPreviewWidget::TextLimit));
    }
}
