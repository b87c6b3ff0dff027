// Large files in the main window: the split view of long lines, opening in
// the background with progress in the tab and the status bar, saving in the
// background.
#include "mainwindow/MainWindow.h"

#include "app/CSettings.h"
#include "app/Globals.h"
#include "editor/CHighlightEdit.h"
#include "highlight/CTextDocument.h"
#include "largefile/CEditorLoader.h"
#include "largefile/CFileSaver.h"
#include "largefile/CLoadProgress.h"
#include "largefile/CLongLineView.h"
#include "mainwindow/CTabWidget.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QStatusBar>

void MainWindow::attachLargeFileSupport(CHighlightEdit* pEditor)
{
    pEditor->setLongLineLimit(g_pSettings->m_nLongLineLimit);
    auto* pView = new CLongLineView(pEditor);
    connect(pView, &CLongLineView::changed, this, &MainWindow::refreshFrame);
}

bool MainWindow::loadsInBackground(const QString& strPath) const
{
    // Smaller files fill their document faster than a stall would show.
    constexpr qint64 BackgroundBytes = 1024 * 1024;
    return !m_bLoadInForeground && QFileInfo(strPath).size() > BackgroundBytes;
}

bool MainWindow::openTextFileInBackground(const QString& strPath)
{
    if (!m_pLoadProgress) {
        m_pLoadProgress = new CLoadProgress(statusBar());
        statusBar()->addPermanentWidget(m_pLoadProgress);
        connect(m_pTabWidget, &QTabWidget::currentChanged, this, &MainWindow::onLoadTabChanged);
    }
    CHighlightEdit* pEditor = createTextEditor();
    pEditor->setLineWrap(g_pSettings->m_bLineWrap);
    pEditor->setFilePath(strPath);
    auto* pLoader = new CEditorLoader(pEditor);
    connect(pLoader, &CEditorLoader::progress, this, &MainWindow::onLoadProgress);
    connect(pLoader, &CEditorLoader::finished, this, &MainWindow::onLoadProgress);
    // The tab goes after the loader's signal has returned.
    connect(pLoader, &CEditorLoader::cancelled, pEditor, &QObject::deleteLater, Qt::QueuedConnection);
    connect(pLoader, &CEditorLoader::failed, this, [this, pEditor, strPath] {
        pEditor->deleteLater();
        QMessageBox::critical(this, tr("Fail to open file"), tr("Fail to open file(%1).").arg(strPath),
                              QMessageBox::Ok);
    }, Qt::QueuedConnection);
    pLoader->start(strPath);
    pEditor->setLanguage(m_highlightMgt.getHighlightByFileName(strPath));
    const bool bSvg = pEditor->fileSuffix() == "svg" || pEditor->fileSuffix() == "svgz";
    addDocumentTab(pEditor, pEditor->getTitle(), strPath,
                   bSvg ? ":/res/file_text_svg.png" : ":/res/file_text.png");
    m_pLoadProgress->follow(pLoader);
    pEditor->setFocus();
    return true;
}

void MainWindow::onLoadProgress()
{
    auto* pLoader = qobject_cast<CEditorLoader*>(sender());
    if (!pLoader)
        return;
    const int nIndex = m_pTabWidget->indexOf(pLoader->editor());
    if (nIndex < 0)
        return;
    m_pTabWidget->setTabText(nIndex, pLoader->editor()->getTitle());
    if (nIndex == m_pTabWidget->currentIndex())
        refreshFrame();
}

void MainWindow::onLoadTabChanged()
{
    m_pLoadProgress->follow(CEditorLoader::of(m_pTabWidget->currentWidget()));
}

bool MainWindow::savesInBackground(CHighlightEdit* pEditor) const
{
    // Smaller texts are written faster than a stall would show.
    constexpr int BackgroundChars = 1024 * 1024;
    return !m_bSaveWaits && pEditor->document()->characterCount() > BackgroundChars;
}

bool MainWindow::saveInBackground(CHighlightEdit* pEditor, const QString& strPath, bool bSaveAs)
{
    // A save still running for this editor ends first: this one is newer.
    for (CFileSaver* pRunning : pEditor->findChildren<CFileSaver*>(QString(), Qt::FindDirectChildrenOnly))
        delete pRunning;
    // The text as it is now goes to the file; edits made meanwhile leave the
    // document modified.
    startSaver(pEditor, strPath, bSaveAs, pEditor->saveSnapshot());
    return true;
}

void MainWindow::startSaver(CHighlightEdit* pEditor, const QString& strPath, bool bSaveAs,
                            const CLineSnapshot& snapshot)
{
    auto* pSaver = new CFileSaver(strPath, snapshot, pEditor->returnFormat(), pEditor->standIns(),
                                  pEditor->textDocument()->version(), pEditor);
    pSaver->setProperty("saveAs", bSaveAs);
    connect(pSaver, &QThread::finished, this, &MainWindow::onBackgroundSaved);
    statusBar()->showMessage(tr("Saving %1...").arg(strPath));
    pSaver->start();
}

void MainWindow::onBackgroundSaved()
{
    auto* pSaver = qobject_cast<CFileSaver*>(sender());
    if (!pSaver)
        return;
    pSaver->deleteLater();
    statusBar()->clearMessage();
    auto* pEditor = qobject_cast<CHighlightEdit*>(pSaver->parent());
    const QString strPath = pSaver->path();
    const bool bSaveAs = pSaver->property("saveAs").toBool();
    // The quick snapshot did not add up (it never should): the text is taken
    // whole instead, if it is still the text of the command.
    if (pSaver->refused() && pEditor->textDocument()->version() == pSaver->version()) {
        qWarning("scrb: the lines taken for saving did not match the document; saving its whole text");
        startSaver(pEditor, strPath, bSaveAs, CLineSnapshot(pEditor->textSnapshot()));
        return;
    }
    if (!pSaver->succeeded()) {
        reportSaveFailure(strPath, bSaveAs, pSaver->errorString());
        return;
    }
    if (bSaveAs) {
        pEditor->setFilePath(strPath);
        if (pEditor->getLanguage().isEmpty())
            pEditor->setLanguage(m_highlightMgt.getHighlightByFileName(strPath));
        m_pTabWidget->setTabToolTip(m_pTabWidget->indexOf(pEditor), strPath);
    }
    documentWritten(pEditor, strPath);
    // A later reload must read the file as the UTF-8 it now is.
    pEditor->setCodecName(QStringLiteral("UTF-8"));
    if (pEditor->textDocument()->version() == pSaver->version())
        pEditor->setModified(false);
    refreshFrame();
}
