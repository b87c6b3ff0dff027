// The file side of the code editor: turning file bytes into text (codec and
// line endings), re-reading in another codec, the text to save, reloading.
#include "editor/CHighlightEdit.h"

#include "editor/DecodedText.h"
#include "highlight/CTextDocument.h"
#include "highlight/CThreadHighlighter.h"
#include "largefile/CDocumentContent.h"
#include "largefile/CTextShaping.h"
#include "largefile/LongLines.h"
#include "util/TextCodec.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCodec>
#include <QTimer>

namespace {

QTextCodec* codecByName(const QString& strName)
{
    return strName.isEmpty() ? nullptr : QTextCodec::codecForName(strName.toUtf8());
}

} // namespace

void CHighlightEdit::setFilePath(const QString& strPath)
{
    m_strFilePath = strPath;
    m_strFileSuffix = QFileInfo(strPath).suffix().toLower();
}

QString CHighlightEdit::getTitle() const
{
    QString strTitle = m_strFilePath.isEmpty() ? tr("Untitled") : QFileInfo(m_strFilePath).fileName();
    if (isModified())
        strTitle += '*';
    if (isLoading())
        strTitle = tr("%1 (%2%)").arg(strTitle).arg(m_nLoadProgress);
    return strTitle;
}

void CHighlightEdit::loadContent(const QByteArray& arrBytes, bool bKeepModified)
{
    if (bKeepModified)
        m_bKeepModified = isModified();
    DecodedText decoded = decodeText(arrBytes, m_strCodecName);
    LongLines::splitIfLong(decoded, m_nLongLineLimit);
    showDecoded(decoded);
    if (bKeepModified)
        QTimer::singleShot(10, this, &CHighlightEdit::onTimeoutKeepModified);
}

void CHighlightEdit::setContentText(const QString& strText)
{
    DecodedText decoded;
    decoded.strText = strText;
    decoded.strCodec = m_strCodecName;
    applyStandIns(decoded);
    decoded.nReturnFormat = m_nReturnFormat;
    LongLines::splitIfLong(decoded, m_nLongLineLimit);
    showDecoded(decoded);
}

void CHighlightEdit::adoptDecoded(const DecodedText& decoded)
{
    m_strCodecName = decoded.strCodec;
    m_nReturnFormat = decoded.nReturnFormat;
    m_standIns = decoded.standIns;
    const bool bWasSplit = isSplitView();
    m_strSourceText = decoded.strShown.isNull() ? QString() : decoded.strText;
    if (isSplitView() != bWasSplit) {
        holdReadOnly(isSplitView());
        emit splitViewChanged(isSplitView());
    }
}

void CHighlightEdit::showDecoded(const DecodedText& decoded)
{
    adoptDecoded(decoded);
    setDocumentText(decoded.strShown.isNull() ? decoded.strText : decoded.strShown);
}

void CHighlightEdit::leaveSplitView(const QString& strReplacement)
{
    if (!isSplitView())
        return;
    const QString strText = strReplacement.isNull() ? m_strSourceText : strReplacement;
    m_strSourceText = QString();
    setDocumentText(strText);
    holdReadOnly(false);
    if (!strReplacement.isNull())
        setModified(true);
    emit splitViewChanged(false);
}

void CHighlightEdit::holdReadOnly(bool bHold)
{
    if (bHold) {
        if (m_nReadOnlyHolds++ == 0) {
            m_bReadOnlyBefore = isReadOnly();
            setReadOnly(true);
        }
    } else if (m_nReadOnlyHolds > 0 && --m_nReadOnlyHolds == 0) {
        setReadOnly(m_bReadOnlyBefore);
    }
}

void CHighlightEdit::beginLoad()
{
    if (isLoading())
        return;
    m_nLoadProgress = 0;
    holdReadOnly(true);
}

QString CHighlightEdit::fillText(const DecodedText& decoded)
{
    return decoded.strShown.isNull() ? decoded.strText : decoded.strShown;
}

void CHighlightEdit::beginFill(const DecodedText& decoded)
{
    adoptDecoded(decoded);
    setDocumentText(QString());
    m_bFilling = true;
    m_nGutterBlocks = decoded.nLines;
    updateLineNumberAreaWidth(0);
    m_pDocument->setUndoRedoEnabled(false);
    // The highlighter takes the whole text now; the slices add nothing new.
    m_pDocument->setFilling(true);
    m_pHighlighter->beginFill(fillText(decoded));
}

void CHighlightEdit::continueFill(const DecodedText& decoded)
{
    adoptDecoded(decoded);
    m_nGutterBlocks = decoded.nLines;
    updateLineNumberAreaWidth(0);
    m_pHighlighter->beginFill(fillText(decoded));
}

void CHighlightEdit::appendFill(const QString& strSlice)
{
    // The editor's own cursor stays where it is, also at the start of the
    // empty document, which is where slices are appended first.
    const int nPosition = textCursor().position();
    const int nAnchor = textCursor().anchor();
    QTextCursor cursor(m_pDocument);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(strSlice);
    if (textCursor().position() != nPosition) {
        QTextCursor cursorBack(m_pDocument);
        cursorBack.setPosition(nAnchor);
        cursorBack.setPosition(nPosition, QTextCursor::KeepAnchor);
        setTextCursor(cursorBack);
    }
}

bool CHighlightEdit::installFill(CDocumentContent& content, bool bNeedsShaping)
{
    const int nPosition = textCursor().position();
    const int nAnchor = textCursor().anchor();
    const int nScroll = verticalScrollBar()->value();
    if (!m_bFilling || content.isNull())
        return false;
    m_pShaping->beginWholeText(bNeedsShaping);
    const bool bInstalled = content.install(m_pDocument);
    m_pShaping->endWholeText();
    if (!bInstalled)
        return false;
    // The text shown so far is the start of the whole one.
    const int nLast = m_pDocument->characterCount() - 1;
    QTextCursor cursor(m_pDocument);
    cursor.setPosition(qMin(nAnchor, nLast));
    cursor.setPosition(qMin(nPosition, nLast), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    verticalScrollBar()->setValue(nScroll);
    return true;
}

void CHighlightEdit::endLoad()
{
    if (!isLoading())
        return;
    if (m_bFilling) {
        m_bFilling = false;
        m_nGutterBlocks = 0;
        m_pDocument->setFilling(false);
        m_pHighlighter->endFill();
        m_pDocument->setUndoRedoEnabled(true);
        setModified(false);
    }
    m_nLoadProgress = -1;
    holdReadOnly(false);
}

QString CHighlightEdit::textSnapshot() const
{
    return isSplitView() ? m_strSourceText : m_pDocument->toRawText();
}

CLineSnapshot CHighlightEdit::saveSnapshot() const
{
    if (isSplitView())
        return CLineSnapshot(m_strSourceText);
    return m_pHighlighter->snapshot();
}

void CHighlightEdit::onTimeoutKeepModified()
{
    setModified(m_bKeepModified);
}

bool CHighlightEdit::setTextCodec(const QString& strName)
{
    if (strName == m_strCodecName || isLoading())
        return false;
    QTextCodec* pNew = codecByName(strName);
    if (!pNew)
        return false;
    QByteArray arrBytes;
    // An unchanged file is read again as it is: the text has lost which
    // line breaks the bytes spelled. A byte-order mark belongs to the old
    // codec and would read as characters in the new one.
    if (!isModified() && !m_strFilePath.isEmpty() && readFile(arrBytes)) {
        arrBytes.remove(0, byteOrderMarkLength(arrBytes));
    } else {
        // Back to the bytes the text was read from, without a mark, and as
        // UTF-8 when no codec was named, as the load read them.
        QTextCodec* pCurrent = codecByName(m_strCodecName);
        if (!pCurrent)
            pCurrent = QTextCodec::codecForMib(106);
        const QString strCurrent = getTextForSave();
        QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
        arrBytes = pCurrent->fromUnicode(strCurrent.constData(), strCurrent.size(), &state);
    }
    // The same bytes read again: the document is no more and no less
    // modified than before, and the view stays where it was.
    const bool bModified = isModified();
    const int nBlock = textCursor().blockNumber();
    const int nScroll = verticalScrollBar()->value();
    DecodedText decoded = decodeText(arrBytes, strName);
    LongLines::splitIfLong(decoded, m_nLongLineLimit);
    showDecoded(decoded);
    setModified(bModified);
    setTextCursor(QTextCursor(m_pDocument->findBlockByNumber(nBlock)));
    verticalScrollBar()->setValue(nScroll);
    return true;
}

QString CHighlightEdit::getTextForSave() const
{
    // Block texts are kept as they are: the document's plain text would turn
    // non-breaking spaces into spaces and line separators into breaks.
    const QByteArray arrText = encodeForSave(textSnapshot(), m_nReturnFormat, m_standIns);
    return QString::fromUtf8(arrText.constData(), arrText.size());
}

bool CHighlightEdit::readFile(QByteArray& arrBytes) const
{
    QFile file(m_strFilePath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    arrBytes = file.readAll();
    return true;
}

bool CHighlightEdit::reloadFile()
{
    if (m_strFilePath.isEmpty() || isLoading())
        return false;
    QByteArray arrBytes;
    if (!readFile(arrBytes)) {
        QMessageBox::critical(this, tr("Fail to open file"),
                              tr("Fail to open file(%1).").arg(m_strFilePath));
        return false;
    }
    const int nBlock = textCursor().blockNumber();
    const int nScroll = verticalScrollBar()->value();
    loadContent(arrBytes, false);
    setTextCursor(QTextCursor(m_pDocument->findBlockByNumber(nBlock)));
    verticalScrollBar()->setValue(nScroll);
    return true;
}

void CHighlightEdit::onRefresh()
{
    if (m_strFilePath.isEmpty() || isLoading())
        return;
    // Refreshing from the context menu discards edits too, so it asks first.
    if (isModified()
        && QMessageBox::warning(this, tr("File Modified"),
                                tr("Are you sure to refresh and discard the modification?"),
                                QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Yes)
               != QMessageBox::Yes)
        return;
    QByteArray arrBytes;
    if (!readFile(arrBytes)) {
        QMessageBox::critical(this, tr("Fail to open file"),
                              tr("Cannot open file(%1).").arg(m_strFilePath));
        return;
    }
    // Read in the document's codec like any other load; only the cursor goes
    // back to the start.
    loadContent(arrBytes, false);
}
