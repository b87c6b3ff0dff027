// What keeps work from being lost: files changed on disk, the session of
// open documents, and recovery of unsaved text after a crash. The parts live
// in session/; this file wires them into the window.
#include "mainwindow/MainWindow.h"
#include "ui_MainWindow.h"

#include "app/CSettings.h"
#include "app/Globals.h"
#include "editor/CHighlightEdit.h"
#include "mainwindow/CTabWidget.h"
#include "session/CDocumentWatcher.h"
#include "session/CNoticeBar.h"
#include "session/CRecovery.h"
#include "session/CSessionStore.h"
#include "web/CEditWebView.h"
#include "web/CImageWidget.h"

#include <QBoxLayout>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabBar>

namespace {
enum NoticeKind { NoticeChanged, NoticeDeleted, NoticeRecover };
// Set on an editor whose language or codec the user chose from the menus.
const char* const LanguageByHand = "scrbLanguageByHand";
const char* const CodecByHand = "scrbCodecByHand";
} // namespace

void MainWindow::createSessionParts()
{
    m_pWatcher = new CDocumentWatcher(this);
    connect(m_pWatcher, &CDocumentWatcher::changedOnDisk, this, &MainWindow::onChangedOnDisk);
    connect(m_pWatcher, &CDocumentWatcher::deletedOnDisk, this, &MainWindow::onDeletedOnDisk);
    m_pNoticeBar = new CNoticeBar(centralWidget());
    if (auto* pLayout = qobject_cast<QBoxLayout*>(centralWidget()->layout()))
        pLayout->insertWidget(0, m_pNoticeBar);
    connect(m_pNoticeBar, &CNoticeBar::buttonClicked, this, &MainWindow::onNoticeButton);

    m_pActRestoreSession = new QAction(tr("Restore the last session"), this);
    m_pActRestoreSession->setObjectName("actionRestore_Session");
    m_pActRestoreSession->setCheckable(true);
    m_pActRestoreSession->setChecked(g_pSettings->m_bRestoreSession);
    connect(m_pActRestoreSession, &QAction::toggled, this, [](bool bOn) {
        g_pSettings->m_bRestoreSession = bOn;
        g_pSettings->save();
    });
    m_pActKeepUnsaved = new QAction(tr("Keep unsaved changes on exit"), this);
    m_pActKeepUnsaved->setObjectName("actionKeep_Unsaved");
    m_pActKeepUnsaved->setCheckable(true);
    m_pActKeepUnsaved->setChecked(g_pSettings->m_bKeepUnsavedOnExit);
    connect(m_pActKeepUnsaved, &QAction::toggled, this, [](bool bOn) {
        g_pSettings->m_bKeepUnsavedOnExit = bOn;
        g_pSettings->save();
    });
    ui->menuFile->insertActions(ui->actionExit, {m_pActRestoreSession, m_pActKeepUnsaved});
    ui->menuFile->insertSeparator(ui->actionExit);
}

void MainWindow::documentOpened(QWidget* pDocument)
{
    pDocument = documentOf(pDocument);
    const QString strPath = documentPath(pDocument);
    if (!strPath.isEmpty())
        m_pWatcher->watch(pDocument, strPath);
}

void MainWindow::documentWritten(QWidget* pDocument, const QString& strPath)
{
    pDocument = documentOf(pDocument);
    m_pWatcher->watch(pDocument, strPath);
    m_pNoticeBar->clearNotice(pDocument);
}

void MainWindow::markLanguageByHand(QWidget* pEditor) { pEditor->setProperty(LanguageByHand, true); }
void MainWindow::markCodecByHand(QWidget* pEditor) { pEditor->setProperty(CodecByHand, true); }

void MainWindow::reloadDocument(QWidget* pDocument)
{
    if (CEditWebView* pPage = pageOf(pDocument))
        pPage->reloadFile(); // its source view follows
    else if (auto* pEditor = qobject_cast<CHighlightEdit*>(pDocument))
        pEditor->reloadFile(); // in its codec, keeping the cursor line and scroll position
    else if (auto* pImage = qobject_cast<CImageWidget*>(pDocument))
        pImage->reload();
    m_pWatcher->watch(pDocument, documentPath(pDocument));
    refreshFrame();
}

void MainWindow::onChangedOnDisk(QObject* pObject)
{
    auto* pDocument = qobject_cast<QWidget*>(pObject);
    if (!pDocument)
        return;
    if (!isDocumentModified(pDocument)) {
        m_pNoticeBar->clearNotice(pDocument);
        reloadDocument(pDocument);
        return;
    }
    m_pNoticeBar->setNotice(pDocument, NoticeChanged, tr("This file has changed on disk."),
                            {tr("&Reload"), tr("&Keep mine")});
}

void MainWindow::onDeletedOnDisk(QObject* pObject)
{
    auto* pDocument = qobject_cast<QWidget*>(pObject);
    if (!pDocument)
        return;
    // Modified, so that Save writes the text back and closing asks first.
    if (CEditWebView* pPage = pageOf(pDocument))
        pPage->setModified(true);
    else if (auto* pEditor = qobject_cast<CHighlightEdit*>(pDocument))
        pEditor->setModified(true);
    m_pNoticeBar->setNotice(pDocument, NoticeDeleted, tr("This file was deleted on disk."),
                            {tr("&Keep mine")});
    refreshFrame();
}

void MainWindow::onNoticeButton(QObject* pObject, int nKind, int nButton)
{
    if (nKind == NoticeChanged && nButton == 0) {
        if (auto* pDocument = qobject_cast<QWidget*>(pObject))
            reloadDocument(pDocument);
    } else if (nKind == NoticeRecover) {
        if (nButton == 0)
            recoverOrphans();
        m_pRecovery->releaseOrphans();
    }
}

QString MainWindow::sessionFolder(const QString& strDataFolder)
{
    return strDataFolder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                                   : strDataFolder;
}

void MainWindow::startSession(const QString& strDataFolder)
{
    const QString strFolder = sessionFolder(strDataFolder);
    m_strSessionFolder = strFolder;
    restoreSession();
    m_pRecovery = new CRecovery(QDir(strFolder).filePath("recovery"), this);
    for (int i = 0; i < m_pTabWidget->count(); ++i) {
        if (auto* pEditor = qobject_cast<CHighlightEdit*>(m_pTabWidget->widget(i)))
            m_pRecovery->track(pEditor);
    }
    const int nOrphans = m_pRecovery->orphans().size();
    if (nOrphans > 0) {
        m_pNoticeBar->setNotice(
            nullptr, NoticeRecover,
            tr("%n document(s) with unsaved changes from a run that ended unexpectedly can be recovered.",
               "", nOrphans),
            {tr("&Recover"), tr("&Discard")});
    } else if (m_pRecovery->damagedOrphans() > 0) {
        m_pRecovery->releaseOrphans();
        statusBar()->showMessage(tr("Damaged recovery files were ignored."));
    }
}

void MainWindow::trackForRecovery(CHighlightEdit* pEditor)
{
    if (m_pRecovery)
        m_pRecovery->track(pEditor);
}

void MainWindow::restoreSession()
{
    const CSessionStore store(m_strSessionFolder);
    QList<CSessionDocument> lstDocuments;
    int nCurrent = -1;
    const bool bIntact = store.load(lstDocuments, nCurrent);
    if (!g_pSettings->m_bRestoreSession) {
        // Texts the user asked to keep come back all the same.
        QList<CSessionDocument> lstKept;
        for (const CSessionDocument& doc : qAsConst(lstDocuments)) {
            if (doc.bHasText)
                lstKept.append(doc);
        }
        lstDocuments = lstKept;
        nCurrent = -1;
    }
    if (lstDocuments.isEmpty()) {
        store.endRestore();
        if (!bIntact)
            statusBar()->showMessage(tr("The last session could not be read and was ignored."));
        return;
    }
    if (store.restoreWasInterrupted()
        && QMessageBox::question(this, tr("Restore the last session"),
                                 tr("Opening the last session did not finish the last time. "
                                    "Open its documents again?"),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
               != QMessageBox::Yes) {
        store.endRestore();
        return;
    }
    store.beginRestore();
    QStringList lstMissing;
    const int nBefore = m_pTabWidget->count();
    int nCurrentTab = -1;
    // Only the current document is read now; the others wait in their tabs
    // until first shown, so a large session starts as fast as an empty one.
    m_bRestoring = true;
    for (int i = 0; i < lstDocuments.size(); ++i) {
        const CSessionDocument& doc = lstDocuments.at(i);
        const bool bLater = i != nCurrent && !doc.bHasText && QFileInfo(doc.strPath).isFile()
                            && opensAsText(doc.strPath);
        if (bLater) {
            addPendingTab(doc);
        } else if (!restoreDocument(doc)) {
            lstMissing.append(QFileInfo(doc.strPath).fileName());
            continue;
        }
        if (i == nCurrent)
            nCurrentTab = m_pTabWidget->currentIndex();
    }
    // Without a current document the last one shows, as when opened in turn.
    if (nCurrentTab < nBefore && m_pTabWidget->count() > nBefore)
        nCurrentTab = m_pTabWidget->count() - 1;
    if (nCurrentTab >= nBefore)
        m_pTabWidget->setCurrentIndex(nCurrentTab);
    m_bRestoring = false;
    loadPendingTab(m_pTabWidget->currentWidget());
    // The frame follows the current tab once, not every tab on the way; the
    // preview, a second editor, is made a moment after the window shows (a
    // zero timer would still come before the first paint).
    m_pNoticeBar->setCurrentDocument(documentOf(m_pTabWidget->currentWidget()));
    m_pPreviewTimer->start();
    store.endRestore();
    if (!lstMissing.isEmpty())
        statusBar()->showMessage(tr("Not restored, no longer on disk: %1").arg(lstMissing.join(", ")));
    else if (!bIntact)
        statusBar()->showMessage(tr("Parts of the last session could not be read and were ignored."));
    refreshFrame();
}

bool MainWindow::restoreDocument(const CSessionDocument& doc)
{
    // What is restored below applies to the whole text: it is read at once.
    const QScopedValueRollback<bool> foreground(m_bLoadInForeground, true);
    const QFileInfo info(doc.strPath);
    CHighlightEdit* pEditor = nullptr;
    if (!doc.strPath.isEmpty() && info.isFile()) {
        if (!openFile(info.absoluteFilePath()))
            return false;
        pEditor = currentEditor();
    } else if (doc.bHasText) {
        on_actionNewText_triggered();
        pEditor = currentEditor();
        if (pEditor && !doc.strPath.isEmpty()) {
            pEditor->setFilePath(doc.strPath);
            m_pTabWidget->setTabText(m_pTabWidget->currentIndex(), info.fileName());
        }
    } else {
        return false;
    }
    if (!pEditor) {
        // A page's unsaved edits come back as its markup.
        if (CEditWebView* pPage = currentPage(); pPage && doc.bHasText) {
            pPage->loadHtml(doc.strText, QUrl::fromLocalFile(info.absoluteFilePath()));
            pPage->setModified(true);
        }
        return true;
    }
    if (!doc.strCodec.isEmpty() && pEditor->setTextCodec(doc.strCodec))
        markCodecByHand(pEditor);
    if (!doc.strLanguage.isEmpty()) {
        pEditor->setLanguage(m_highlightMgt.getHighlightByName(doc.strLanguage));
        markLanguageByHand(pEditor);
    }
    if (doc.bHasText) {
        pEditor->setContentText(doc.strText);
        pEditor->setModified(true);
    }
    if (doc.nReturnFormat >= 0 && doc.nReturnFormat <= CHighlightEdit::ReturnOSX)
        pEditor->setReturnFormat(doc.nReturnFormat);
    QTextCursor cursor(pEditor->document());
    cursor.setPosition(qMin(doc.nCursor, pEditor->document()->characterCount() - 1));
    pEditor->setTextCursor(cursor);
    pEditor->verticalScrollBar()->setValue(doc.nScroll);
    return true;
}

void MainWindow::addPendingTab(const CSessionDocument& doc)
{
    // A bare placeholder: an editor costs more than showing it later does.
    // It does not become current: that is decided once all tabs are there.
    auto* pPlaceholder = new QWidget(this);
    pPlaceholder->setProperty(PendingPath, doc.strPath);
    const int nIndex = m_pTabWidget->addTab(pPlaceholder, QIcon(":/res/file_text.png"),
                                            QFileInfo(doc.strPath).fileName());
    m_pTabWidget->setTabToolTip(nIndex, doc.strPath);
    m_mapPending.insert(pPlaceholder, doc);
}

void MainWindow::loadPendingTab(QWidget* pWidget)
{
    if (m_bRestoring || !m_mapPending.contains(pWidget))
        return;
    const CSessionDocument doc = m_mapPending.take(pWidget);
    const int nIndex = m_pTabWidget->indexOf(pWidget);
    m_bRestoring = true; // the tab change below must not load another one
    delete pWidget;
    m_bRestoring = false;
    if (!restoreDocument(doc))
        return;
    m_pTabWidget->tabBar()->moveTab(m_pTabWidget->currentIndex(), nIndex);
}

QList<CSessionDocument> MainWindow::sessionDocuments(bool bWithTexts, int& nCurrent) const
{
    QList<CSessionDocument> lstDocuments;
    nCurrent = -1;
    for (int i = 0; i < m_pTabWidget->count(); ++i) {
        QWidget* pWidget = m_pTabWidget->widget(i);
        if (m_mapPending.contains(pWidget)) {
            if (i == m_pTabWidget->currentIndex())
                nCurrent = lstDocuments.size();
            lstDocuments.append(m_mapPending.value(pWidget));
            continue;
        }
        CSessionDocument doc;
        doc.strPath = documentPath(pWidget);
        if (auto* pPage = qobject_cast<CEditWebView*>(pWidget)) {
            if (bWithTexts && pPage->isModified()) {
                doc.bHasText = true;
                doc.strText = pPage->toHtml();
            }
        } else if (auto* pEditor = qobject_cast<CHighlightEdit*>(pWidget)) {
            doc.nCursor = pEditor->textCursor().position();
            doc.nScroll = pEditor->verticalScrollBar()->value();
            if (pEditor->property(LanguageByHand).toBool())
                doc.strLanguage = pEditor->getLanguage();
            if (pEditor->property(CodecByHand).toBool())
                doc.strCodec = pEditor->codecName();
            doc.nReturnFormat = pEditor->returnFormat();
            if (bWithTexts && (pEditor->isModified() || (doc.strPath.isEmpty() && !pEditor->document()->isEmpty()))) {
                doc.bHasText = true;
                doc.strText = pEditor->document()->toRawText();
                doc.strText.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
                doc.strText = pEditor->standIns().fromDocument(doc.strText);
            }
        }
        if (doc.strPath.isEmpty() && !doc.bHasText)
            continue;
        if (i == m_pTabWidget->currentIndex())
            nCurrent = lstDocuments.size();
        lstDocuments.append(doc);
    }
    return lstDocuments;
}

void MainWindow::saveSession(const QList<CSessionDocument>& lstDocuments, int nCurrent)
{
    if (m_strSessionFolder.isEmpty())
        return;
    if (!CSessionStore(m_strSessionFolder).save(lstDocuments, nCurrent))
        qWarning("The session could not be written to %s", qPrintable(m_strSessionFolder));
}

void MainWindow::recoverOrphans()
{
    for (const CRecoveredDocument& doc : m_pRecovery->orphans()) {
        CSessionDocument restored;
        restored.strPath = doc.strPath;
        restored.nReturnFormat = doc.nReturnFormat;
        restored.bHasText = true;
        restored.strText = doc.strText;
        const int nOpen = doc.strPath.isEmpty() ? -1 : findTab(doc.strPath);
        if (auto* pEditor = qobject_cast<CHighlightEdit*>(nOpen >= 0 ? m_pTabWidget->widget(nOpen) : nullptr)) {
            m_pTabWidget->setCurrentIndex(nOpen);
            pEditor->setContentText(doc.strText);
            pEditor->setModified(true);
            continue;
        }
        restoreDocument(restored);
    }
    refreshFrame();
}
