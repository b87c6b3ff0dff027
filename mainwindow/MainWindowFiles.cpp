// Documents of the main window: creating, opening, saving, refreshing and
// closing them, the recent-files list and the command-line hand-over.
#include "mainwindow/MainWindow.h"
#include "ui_MainWindow.h"

#include "app/Arguments.h"
#include "app/CSettings.h"
#include "app/Globals.h"
#include "editor/CHighlightEdit.h"
#include "editor/DecodedText.h"
#include "mainwindow/CFileDropFilter.h"
#include "mainwindow/CTabWidget.h"
#include "session/CSessionStore.h"
#include "util/SaveFile.h"
#include "web/CEditWebView.h"
#include "web/CImageWidget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QLocale>
#include <QMessageBox>
#include <QScopedValueRollback>

namespace {

bool isImageSuffix(const QString& strSuffix)
{
    if (strSuffix == "svg" || strSuffix == "svgz")
        return false;
    for (const QByteArray& arrFormat : QImageReader::supportedImageFormats()) {
        if (QString::fromLatin1(arrFormat).toLower() == strSuffix)
            return true;
    }
    return false;
}

class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

bool MainWindow::opensAsText(const QString& strPath)
{
    const QString strSuffix = QFileInfo(strPath).suffix().toLower();
    return !isImageSuffix(strSuffix) && strSuffix != "html" && strSuffix != "htm";
}

QString MainWindow::documentPath(QWidget* pWidget)
{
    if (auto* pPage = qobject_cast<CEditWebView*>(pWidget))
        return pPage->pathFileName();
    if (auto* pEditor = qobject_cast<CHighlightEdit*>(pWidget))
        return pEditor->filePath();
    if (auto* pImage = qobject_cast<CImageWidget*>(pWidget))
        return pImage->filePath();
    // A restored document that is read when first shown.
    return pWidget ? pWidget->property(PendingPath).toString() : QString();
}

bool MainWindow::isDocumentModified(QWidget* pWidget)
{
    if (auto* pPage = qobject_cast<CEditWebView*>(pWidget))
        return pPage->isModified();
    if (auto* pEditor = qobject_cast<CHighlightEdit*>(pWidget))
        return pEditor->isModified();
    return false;
}

int MainWindow::findTab(const QString& strPath) const
{
    for (int i = 0; i < m_pTabWidget->count(); ++i) {
        if (documentPath(m_pTabWidget->widget(i)) == strPath)
            return i;
    }
    return -1;
}

CHighlightEdit* MainWindow::createTextEditor()
{
    auto* pEditor = new CHighlightEdit(this);
    pEditor->setModified(false);
    connectTextEditor(pEditor);
    trackForRecovery(pEditor);
    return pEditor;
}

void MainWindow::connectTextEditor(CHighlightEdit* pEditor)
{
    connect(g_pSettings, &CSettings::textFontSizeChanged, pEditor, &CHighlightEdit::onTextFontSize);
    connect(pEditor, &CHighlightEdit::modificationChanged, this, &MainWindow::onModifiedChanged);
    connect(pEditor, &CHighlightEdit::textChanged, this, &MainWindow::onEditPageContentChanged);
    connect(pEditor, &CHighlightEdit::cursorPositionChanged, this, &MainWindow::onSelectionChanged);
    connect(pEditor, &CHighlightEdit::focusIn, this, &MainWindow::onWidgetFocusIn);
    attachLargeFileSupport(pEditor);
    connectEditingAids(pEditor);
}

void MainWindow::addDocumentTab(QWidget* pWidget, const QString& strText,
                                const QString& strToolTip, const QString& strIcon)
{
    const int nIndex = m_pTabWidget->addTab(pWidget, QIcon(strIcon), strText);
    m_pTabWidget->setTabToolTip(nIndex, strToolTip);
    m_pTabWidget->setCurrentIndex(nIndex);
}

void MainWindow::on_actionNewText_triggered()
{
    CHighlightEdit* pEditor = createTextEditor();
    pEditor->setLineWrap(g_pSettings->m_bLineWrap);
    addDocumentTab(pEditor, tr("New Text"), tr("New file"), ":/res/new_text.svg");
    pEditor->setFocus();
    refreshFrame();
}

QString MainWindow::whyNotOpenable(const QString& strPath)
{
    const QFileInfo info(strPath);
    if (!info.exists() || info.isDir()) // a broken link included
        return tr("Fail to open file(%1).").arg(strPath);
    // Devices, pipes and sockets never end or block the reader.
    if (!info.isFile())
        return tr("%1 is not a regular file (a device, a pipe or a socket) and cannot be opened.")
            .arg(strPath);
    if (info.size() > MaxFileBytes)
        return tr("%1 is too large to open: %2 (at most %3).")
            .arg(strPath, QLocale().formattedDataSize(info.size()),
                 QLocale().formattedDataSize(MaxFileBytes));
    return QString();
}

bool MainWindow::openFile(const QString& strPath)
{
    const int nExisting = findTab(strPath);
    if (nExisting >= 0) {
        m_pTabWidget->setCurrentIndex(nExisting);
        return true;
    }
    if (m_bBusy)
        return false;
    const QString strWhy = whyNotOpenable(strPath);
    if (!strWhy.isEmpty()) {
        QMessageBox::critical(this, tr("Fail to open file"), strWhy, QMessageBox::Ok);
        return false;
    }
    m_bBusy = true;
    bool bOpened = true;
    const QString strSuffix = QFileInfo(strPath).suffix().toLower();
    if (strSuffix == "html" || strSuffix == "htm")
        bOpened = openHtmlFile(strPath);
    else if (isImageSuffix(strSuffix))
        openImageFile(strPath);
    else
        bOpened = openTextFile(strPath);
    m_bBusy = false;
    if (bOpened)
        documentOpened(m_pTabWidget->currentWidget());
    refreshFrame();
    return bOpened;
}

void MainWindow::openImageFile(const QString& strPath)
{
    WaitCursor wait;
    auto* pImage = new CImageWidget(this);
    pImage->setFile(strPath);
    addDocumentTab(pImage, pImage->fileName(), strPath, ":/res/image.png");
}

bool MainWindow::openTextFile(const QString& strPath)
{
    QFile file(strPath);
    if (QFileInfo(strPath).isDir() || !file.open(QIODevice::ReadOnly)) {
        QMessageBox::critical(this, tr("Fail to open file"), tr("Fail to open file(%1).").arg(strPath),
                              QMessageBox::Ok);
        return false;
    }
    if (loadsInBackground(strPath))
        return openTextFileInBackground(strPath);
    WaitCursor wait;
    CHighlightEdit* pEditor = createTextEditor();
    pEditor->setLineWrap(g_pSettings->m_bLineWrap);
    pEditor->setFilePath(strPath);
    pEditor->loadContent(file.readAll(), false);
    file.close();
    pEditor->setLanguage(m_highlightMgt.getHighlightByFileName(file.fileName()));
    const bool bSvg = pEditor->fileSuffix() == "svg" || pEditor->fileSuffix() == "svgz";
    addDocumentTab(pEditor, QFileInfo(strPath).fileName(), strPath,
                   bSvg ? ":/res/file_text_svg.png" : ":/res/file_text.png");
    pEditor->setFocus();
    return true;
}

void MainWindow::openFileWithFolder(const QString& strPath)
{
    const QFileInfo info(strPath);
    if (!info.isFile())
        return;
    openFile(strPath);
    setFolderRoot(info.absolutePath());
}

void MainWindow::addRecentFile(const QString& strPath)
{
    const QString strNative = QDir::toNativeSeparators(strPath);
    QStringList& lstRecent = g_pSettings->m_lstRecentFiles;
    lstRecent.removeAll(strNative);
    lstRecent.prepend(strNative);
    while (lstRecent.size() > RecentFileCount)
        lstRecent.removeLast();
    g_pSettings->save();
    refreshRecentFiles();
}

void MainWindow::on_actionOpen_triggered()
{
    const QString strAll = tr("All files (*)");
    QString strFilter = strAll;
    const QStringList lstFiles = QFileDialog::getOpenFileNames(
        this, tr("Open files"), g_pSettings->m_strLastPathFileName,
        tr("Web file (*.html *.htm *.css *.js)") + ";;" + strAll, &strFilter);
    for (int i = 0; i < lstFiles.size(); ++i) {
        if (i == 0) {
            g_pSettings->m_strLastPathFileName = lstFiles.at(i);
            m_strLastFolder = lstFiles.at(i);
        }
        if (openFile(lstFiles.at(i)))
            addRecentFile(lstFiles.at(i));
    }
    if (!m_strLastFolder.isEmpty())
        setFolderRoot(QFileInfo(m_strLastFolder).absolutePath());
}

void MainWindow::openRecentFile(int nSlot)
{
    const QStringList& lstRecent = g_pSettings->m_lstRecentFiles;
    if (nSlot >= lstRecent.size())
        return;
    const QString strPath = lstRecent.at(nSlot);
    if (openFile(strPath))
        addRecentFile(strPath);
}

void MainWindow::on_actionRecent_File_1_triggered() { openRecentFile(0); }
void MainWindow::on_actionRecent_File_2_triggered() { openRecentFile(1); }
void MainWindow::on_actionRecent_File_3_triggered() { openRecentFile(2); }
void MainWindow::on_actionRecent_File_4_triggered() { openRecentFile(3); }
void MainWindow::on_actionRecent_File_5_triggered() { openRecentFile(4); }
void MainWindow::on_actionRecent_File_6_triggered() { openRecentFile(5); }

bool MainWindow::saveEditor(CHighlightEdit* pEditor, const QString& strPath, QString* pError)
{
    if (!saveFileAtomically(strPath, encodeForSave(pEditor->textSnapshot(), pEditor->returnFormat(),
                                                   pEditor->standIns()), pError))
        return false;
    documentWritten(pEditor, strPath);
    // A later reload must read the file as the UTF-8 it now is.
    pEditor->setCodecName(QStringLiteral("UTF-8"));
    return true;
}

bool MainWindow::on_actionSave_triggered()
{
    if (CEditWebView* pPage = currentPage())
        return savePage(pPage, false);
    CHighlightEdit* pEditor = currentEditor();
    // Half a text must never replace a file.
    if (!pEditor || pEditor->isLoading())
        return false;
    if (pEditor->filePath().isEmpty())
        return on_actionSave_As_triggered();
    if (savesInBackground(pEditor))
        return saveInBackground(pEditor, pEditor->filePath(), false);
    QString strError;
    if (!saveEditor(pEditor, pEditor->filePath(), &strError)) {
        reportSaveFailure(pEditor->filePath(), false, strError);
        return false;
    }
    setEditorSaved(pEditor);
    refreshFrame();
    return true;
}

void MainWindow::reportSaveFailure(const QString& strPath, bool bSaveAs, const QString& strWhy)
{
    // The document stays modified; the reason tells the user what to change.
    const QString strReason = strWhy.isEmpty() ? QString() : "\n" + strWhy;
    if (bSaveAs)
        QMessageBox::warning(this, tr("Fail to open file"),
                             tr("Cannot open file") + QString("\"%1\".").arg(strPath) + strReason);
    else
        QMessageBox::critical(this, tr("Fail to save file"),
                              tr("Cannot open file(%1).").arg(strPath) + strReason);
}

void MainWindow::setEditorSaved(CHighlightEdit* pEditor)
{
    // The source of a page saves the page.
    if (CEditWebView* pPage = pEditor->editWebView())
        pPage->setModified(false);
    pEditor->setModified(false);
}

QString MainWindow::chooseSavePath(const QString& strCurrent)
{
    // An untitled document starts in the last folder without a name filled
    // in: a name there would be one Enter away from replacing that file.
    const QString strStart = strCurrent.isEmpty()
                                 ? (m_strLastFolder.isEmpty() ? QString() : QFileInfo(m_strLastFolder).absolutePath())
                                 : strCurrent;
    const QString strPath = QFileDialog::getSaveFileName(this, tr("Save file"), strStart,
                                                         tr("All files (*)"));
    return strPath.isEmpty() ? QString() : QDir::toNativeSeparators(strPath);
}

bool MainWindow::on_actionSave_As_triggered()
{
    if (CEditWebView* pPage = currentPage())
        return savePage(pPage, true);
    // Image viewers have nothing to save: the command never writes for them.
    CHighlightEdit* pEditor = currentEditor();
    if (!pEditor || pEditor->isLoading())
        return false;
    const QString strPath = chooseSavePath(pEditor->filePath());
    if (strPath.isEmpty())
        return false;
    if (savesInBackground(pEditor))
        return saveInBackground(pEditor, strPath, true);
    QString strError;
    if (!saveEditor(pEditor, strPath, &strError)) {
        reportSaveFailure(strPath, true, strError);
        return false;
    }
    if (CEditWebView* pPage = pEditor->editWebView())
        pPage->setPathFileName(strPath);
    pEditor->setFilePath(strPath);
    setEditorSaved(pEditor);
    // A new document named for the first time gets its language from the name.
    if (pEditor->getLanguage().isEmpty())
        pEditor->setLanguage(m_highlightMgt.getHighlightByFileName(strPath));
    m_pTabWidget->setTabToolTip(m_pTabWidget->indexOf(pEditor), strPath);
    refreshFrame();
    return true;
}

void MainWindow::on_actionSave_All_triggered()
{
    const int nCurrent = m_pTabWidget->currentIndex();
    for (int i = 0; i < m_pTabWidget->count(); ++i) {
        if (!isDocumentModified(m_pTabWidget->widget(i)))
            continue;
        m_pTabWidget->setCurrentIndex(i);
        on_actionSave_triggered(); // a cancelled Save As skips this one
    }
    m_pTabWidget->setCurrentIndex(nCurrent);
}

void MainWindow::on_actionRefresh_triggered()
{
    QWidget* pWidget = m_pTabWidget->currentWidget();
    if (isDocumentModified(pWidget)
        && QMessageBox::warning(this, tr("File Modified"),
                                tr("Are you sure to refresh and discard the modification?"),
                                QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Yes)
               == QMessageBox::Cancel)
        return;
    if (CEditWebView* pPage = pageOf(pWidget))
        pPage->reloadFile(); // the source view follows its page
    else if (auto* pEditor = qobject_cast<CHighlightEdit*>(pWidget))
        pEditor->reloadFile();
    else if (auto* pImage = qobject_cast<CImageWidget*>(pWidget))
        pImage->reload();
    refreshFrame();
}

void MainWindow::onTabCloseRequested(int nIndex)
{
    const QScopedValueRollback<bool> waitForSaves(m_bSaveWaits, true);
    QWidget* pWidget = m_pTabWidget->widget(nIndex);
    if (!pWidget)
        return;
    if (isDocumentModified(pWidget)) {
        const bool bPage = pageOf(pWidget) != nullptr;
        const auto nAnswer = QMessageBox::warning(
            this, bPage ? tr("Page modified") : tr("File modified"),
            bPage ? tr("Do you save the modified page?") : tr("Do you save the modified file?"),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::NoButton);
        if (nAnswer == QMessageBox::Cancel)
            return;
        if (nAnswer == QMessageBox::Yes) {
            m_pTabWidget->setCurrentWidget(pWidget);
            if (!on_actionSave_triggered())
                return;
        }
    }
    deleteDocument(pWidget);
    refreshFrame();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    const QScopedValueRollback<bool> waitForSaves(m_bSaveWaits, true);
    int nCurrent = -1;
    if (g_pSettings->m_bKeepUnsavedOnExit) {
        // Nothing to ask: unsaved texts are kept with the session.
        saveSession(sessionDocuments(true, nCurrent), nCurrent);
        while (m_pTabWidget->count() > 0)
            deleteDocument(m_pTabWidget->widget(0));
        event->accept();
        return;
    }
    const QList<CSessionDocument> lstSession = sessionDocuments(false, nCurrent);
    bool bYesToAll = false;
    for (int i = m_pTabWidget->count() - 1; i >= 0; --i) {
        QWidget* pWidget = m_pTabWidget->widget(i);
        if (isDocumentModified(pWidget)) {
            if (!bYesToAll) {
                m_pTabWidget->setCurrentIndex(i);
                QString strText = tr("Do you save the modified file?");
                const QString strPath = documentPath(pWidget);
                if (!strPath.isEmpty())
                    strText += QString("\n(%1)").arg(strPath);
                const auto nAnswer = QMessageBox::warning(
                    this, tr("File Modified"), strText,
                    QMessageBox::YesToAll | QMessageBox::No | QMessageBox::Cancel,
                    QMessageBox::YesToAll);
                if (nAnswer == QMessageBox::Cancel) {
                    event->ignore();
                    return;
                }
                bYesToAll = nAnswer == QMessageBox::YesToAll;
            }
            if (bYesToAll) {
                m_pTabWidget->setCurrentIndex(i);
                if (!on_actionSave_triggered()) {
                    event->ignore();
                    return;
                }
            }
        }
        deleteDocument(pWidget);
    }
    saveSession(lstSession, nCurrent);
    event->accept();
}

void MainWindow::parseArgument(const QString& strMessage)
{
    parseArguments(splitArgumentMessage(strMessage));
}

void MainWindow::parseArguments(const QStringList& lstArgs)
{
    topWindow();
    bool bFolderSet = false;
    for (const QString& strArg : lstArgs) {
        const QFileInfo info(strArg);
        // Anything but a folder goes to openFile, which tells what it cannot open.
        if ((info.exists() || info.isSymLink()) && !info.isDir()) {
            if (openFile(info.absoluteFilePath()))
                addRecentFile(info.absoluteFilePath());
            if (!bFolderSet)
                setFolderRoot(info.absolutePath());
        } else if (info.isDir() && !bFolderSet) {
            setFolderRoot(info.absoluteFilePath());
            bFolderSet = true;
        }
    }
}

void MainWindow::topWindow()
{
    if (isMinimized())
        showNormal();
    show();
    activateWindow();
    activateWindow();
    raise();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!CFileDropFilter::localFilesOf(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    onFilesDropped(CFileDropFilter::localFilesOf(event->mimeData()));
    event->acceptProposedAction();
}

void MainWindow::onFilesDropped(const QStringList& lstFiles)
{
    for (const QString& strPath : lstFiles) {
        if (QFileInfo(strPath).isDir())
            setFolderRoot(strPath);
        else
            openFile(strPath);
    }
}
