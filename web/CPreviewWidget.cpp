#include "web/CPreviewWidget.h"

#include "editor/CHighlightEdit.h"
#include "highlight/CHighlightMgt.h"
#include "util/Platform.h"
#include "web/CEditWebView.h"
#include "web/CImageWidget.h"
#include "web/PreviewBytes.h"
#include "web/WebPagePolicy.h"

#include <QContextMenuEvent>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImageReader>
#include <QWebView>

CPreviewWidget::CPreviewWidget(QWidget* parent)
    : QWidget(parent)
{
    m_pLayout = new QHBoxLayout(this);
    m_pLayout->setContentsMargins(0, 0, 0, 0);
    m_pLayout->setSpacing(0);
    m_pActExplore = m_menu.addAction(tr("Open position of file"));
    connect(m_pActExplore, &QAction::triggered, this, &CPreviewWidget::onClickAction);
}

CPreviewWidget::~CPreviewWidget() = default;

QWidget* CPreviewWidget::currentView() const
{
    for (QWidget* pView : {static_cast<QWidget*>(m_pText), static_cast<QWidget*>(m_pImage),
                           static_cast<QWidget*>(m_pWeb), static_cast<QWidget*>(m_pHtml)}) {
        if (pView && !pView->isHidden())
            return pView;
    }
    return nullptr;
}

void CPreviewWidget::ensureWebView()
{
    if (m_pWeb)
        return;
    m_pWeb = new QWebView(this);
    setupScriptedPage(m_pWeb->page());
    // Right-clicks reach this widget's menu.
    m_pWeb->setContextMenuPolicy(Qt::NoContextMenu);
    m_pLayout->addWidget(m_pWeb);
}

void CPreviewWidget::ensureImageView()
{
    if (m_pImage)
        return;
    m_pImage = new CImageWidget(this);
    m_pLayout->addWidget(m_pImage);
}

CHighlightEdit* CPreviewWidget::newTextView()
{
    m_pText = new CHighlightEdit(this);
    m_pText->setReadOnly(true);
    m_pLayout->addWidget(m_pText);
    m_pText->show();
    return m_pText;
}

void CPreviewWidget::previewFile(const QString& strPath)
{
    // Folders, and pipes or devices that would block the reader, are passed by.
    const QFileInfo info(strPath);
    if (!info.isFile())
        return;
    m_strPathFileName = strPath;
    clear();
    const QString strSuffix = info.suffix().toLower();
    bool bImage = false;
    for (const QByteArray& arrFormat : QImageReader::supportedImageFormats())
        bImage = bImage || QString::fromLatin1(arrFormat).toLower() == strSuffix;

    // A page too large to render is shown as its text.
    if ((strSuffix == "htm" || strSuffix == "html") && info.size() <= MaxPageBytes) {
        ensureWebView();
        m_pWeb->show();
        QFile file(strPath);
        if (file.open(QIODevice::ReadOnly))
            setFallbackEncoding(m_pWeb->page(), readPreviewBytes(file, CEditWebView::EncodingSample));
        m_pWeb->load(QUrl::fromLocalFile(strPath));
    } else if (bImage) {
        ensureImageView();
        m_pImage->show();
        m_pImage->setFile(strPath);
    } else {
        CHighlightEdit* pText = newTextView();
        QFile file(strPath);
        if (file.open(QIODevice::ReadOnly)) {
            pText->setFilePath(strPath);
            pText->loadContent(readPreviewBytes(file, TextLimit), false);
            file.close();
            if (m_pHighlightMgt)
                pText->setLanguage(m_pHighlightMgt->getHighlightByFileName(strPath));
        }
    }
    updateTitle();
}

void CPreviewWidget::setPreviewFile(const QString& strPath, bool bLoad)
{
    if (strPath.isEmpty()) {
        m_strPathFileName.clear();
        updateTitle();
        return;
    }
    if (!QFileInfo(strPath).isFile())
        return;
    m_strPathFileName = strPath;
    if (bLoad)
        previewFile(strPath);
    updateTitle();
}

void CPreviewWidget::previewSvgText(const QString& strText)
{
    clear();
    ensureImageView();
    m_pImage->show();
    m_pImage->setImageData(strText);
}

void CPreviewWidget::previewHtmlText(const QString& strHtml, const QUrl& base)
{
    clear();
    if (!m_pHtml) {
        m_pHtml = new CEditWebView(this);
        m_pHtml->setEditable(false);
        m_pHtml->setContextMenuPolicy(Qt::NoContextMenu);
        m_pLayout->addWidget(m_pHtml);
    }
    m_pHtml->show();
    m_pHtml->loadHtml(strHtml, base);
    updateTitle();
}

void CPreviewWidget::previewText(const QString& strText)
{
    QString strShown = strText.left(TextLimit);
    if (!strShown.isEmpty() && strShown.at(strShown.size() - 1).isHighSurrogate())
        strShown.chop(1);
    // Asked again for what it shows (each time the editor takes the focus):
    // it stays as it is, scrolled where the user left it.
    if (m_pText && m_bShowsText && m_strTextPath == m_strPathFileName && m_strText == strShown) {
        updateTitle();
        return;
    }
    clear();
    CHighlightEdit* pText = newTextView();
    pText->setFilePath(m_strPathFileName);
    // Built in one piece, as an opened file is.
    pText->setContentText(strShown);
    m_strText = strShown;
    m_strTextPath = m_strPathFileName;
    m_bShowsText = true;
    if (m_pHighlightMgt && !m_strPathFileName.isEmpty())
        pText->setLanguage(m_pHighlightMgt->getHighlightByFileName(m_strPathFileName));
    updateTitle();
}

void CPreviewWidget::clear()
{
    delete m_pText;
    m_pText = nullptr;
    m_strText = QString();
    m_bShowsText = false;
    if (m_pImage) {
        m_pImage->hide();
        m_pImage->clearImage();
    }
    if (m_pWeb) {
        m_pWeb->hide();
        m_pWeb->stop();
        m_pWeb->setHtml(QString());
    }
    if (m_pHtml) {
        m_pHtml->hide();
        m_pHtml->setHtml(QString());
    }
    updateTitle();
}

void CPreviewWidget::updateTitle()
{
    auto* pDock = qobject_cast<QDockWidget*>(parentWidget());
    if (!pDock)
        return;
    const QString strTitle = tr("Preview");
    pDock->setWindowTitle(m_strPathFileName.isEmpty()
                              ? strTitle
                              : strTitle + QString("(%1)").arg(QFileInfo(m_strPathFileName).fileName()));
}

void CPreviewWidget::contextMenuEvent(QContextMenuEvent* event)
{
    m_pActExplore->setEnabled(!m_strPathFileName.isEmpty());
    m_menu.popup(mapToGlobal(event->pos()));
}

void CPreviewWidget::onClickAction()
{
    if (sender() == m_pActExplore && !m_strPathFileName.isEmpty())
        showInExplorer(m_strPathFileName);
}
