#include "largefile/CEditorLoader.h"

#include "editor/CHighlightEdit.h"
#include "largefile/CDocumentFiller.h"
#include "largefile/CFileLoader.h"

CEditorLoader::CEditorLoader(CHighlightEdit* pEditor)
    : QObject(pEditor)
    , m_pEditor(pEditor)
{
    setObjectName("editorLoader");
}

CEditorLoader::~CEditorLoader()
{
    delete m_pFileLoader; // waits for its thread
}

CEditorLoader* CEditorLoader::of(const QObject* pEditor)
{
    return pEditor ? pEditor->findChild<CEditorLoader*>("editorLoader", Qt::FindDirectChildrenOnly)
                   : nullptr;
}

void CEditorLoader::start(const QString& strPath)
{
    m_strPath = strPath;
    m_pEditor->beginLoad();
    m_pFileLoader = new CFileLoader(strPath, m_pEditor->codecName(), m_pEditor->longLineLimit());
    // The document is built whole in the thread where that can be done.
    CDocumentContent::Formats formats;
    if (CDocumentContent::plainFormats(m_pEditor->document(), &formats))
        m_pFileLoader->buildContent(formats);
    connect(m_pFileLoader, &CFileLoader::previewReady, this, &CEditorLoader::onPreview);
    connect(m_pFileLoader, &CFileLoader::loaded, this, &CEditorLoader::onDecoded);
    connect(m_pFileLoader, &CFileLoader::progress, this, &CEditorLoader::onReadProgress);
    m_pFileLoader->start();
}

void CEditorLoader::onPreview()
{
    if (!m_pFileLoader)
        return;
    const DecodedText preview = m_pFileLoader->takePreview();
    m_strPreviewCodec = preview.strCodec;
    m_strPreviewShown = CHighlightEdit::fillText(preview);
    m_pEditor->beginFill(preview);
    m_pEditor->appendFill(m_strPreviewShown);
}

void CEditorLoader::onDecoded()
{
    if (!m_pFileLoader)
        return;
    m_pFileLoader->wait(); // it has nothing left to do but end
    const bool bOk = m_pFileLoader->succeeded();
    const DecodedText decoded = m_pFileLoader->takeText();
    CDocumentContent content = m_pFileLoader->takeContent();
    const bool bNeedsShaping = m_pFileLoader->needsShaping();
    delete m_pFileLoader;
    m_pFileLoader = nullptr;
    if (!bOk) {
        m_pEditor->endLoad();
        emit failed();
        return;
    }
    const QString strText = CHighlightEdit::fillText(decoded);
    // The first lines shown stay when the whole text begins with them.
    int nDone = 0;
    if (!m_strPreviewShown.isNull() && decoded.strCodec == m_strPreviewCodec
        && strText.startsWith(m_strPreviewShown)) {
        m_pEditor->continueFill(decoded);
        nDone = m_strPreviewShown.size();
    } else {
        m_pEditor->beginFill(decoded);
    }
    m_strPreviewShown = QString();
    if (m_pEditor->installFill(content, bNeedsShaping)) {
        onProgress(100);
        onFilled();
        return;
    }
    m_pFiller = new CDocumentFiller(m_pEditor, strText, nDone, this);
    connect(m_pFiller, &CDocumentFiller::progress, this, &CEditorLoader::onProgress);
    connect(m_pFiller, &CDocumentFiller::finished, this, &CEditorLoader::onFilled);
    m_pFiller->start();
}

void CEditorLoader::onReadProgress(int nPercent)
{
    // Queued from the thread: nothing of it counts once the text is taken.
    if (m_pFileLoader && nPercent != m_nPercent)
        onProgress(nPercent);
}

void CEditorLoader::onProgress(int nPercent)
{
    m_nPercent = nPercent;
    m_pEditor->setLoadProgress(nPercent);
    emit progress(nPercent);
}

void CEditorLoader::onFilled()
{
    setObjectName(QString()); // no longer loading
    m_pEditor->endLoad();
    emit finished();
    deleteLater();
}

void CEditorLoader::cancel()
{
    if (m_pFileLoader)
        m_pFileLoader->cancel();
    if (m_pFiller)
        m_pFiller->cancel();
    emit cancelled();
}
