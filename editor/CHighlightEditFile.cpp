// The file side of the code editor: turning file bytes into text (codec and
// line endings), re-reading in another codec, the text to save, reloading.
#include "editor/CHighlightEdit.h"

#include "highlight/CTextDocument.h"
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

int detectReturnFormat(const QString& strText)
{
    if (strText.contains(QLatin1String("\r\n")))
        return CHighlightEdit::ReturnWindows;
    if (strText.contains(QLatin1Char('\n')))
        return CHighlightEdit::ReturnUnix;
    if (strText.contains(QLatin1Char('\r')))
        return CHighlightEdit::ReturnOSX;
    return CHighlightEdit::ReturnWindows;
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
    return strTitle;
}

void CHighlightEdit::loadContent(const QByteArray& arrBytes, bool bKeepModified)
{
    if (bKeepModified)
        m_bKeepModified = isModified();
    if (m_strCodecName.isEmpty())
        m_strCodecName = detectTextCodec(arrBytes);
    // Every byte is decoded: a NUL byte must not end the text.
    QTextCodec* pCodec = codecByName(m_strCodecName);
    QString strText = pCodec ? pCodec->toUnicode(arrBytes)
                             : QString::fromUtf8(arrBytes.constData(), arrBytes.size());
    // Decoders reserve a character per byte; the highlighter keeps this text.
    strText.squeeze();
    m_nReturnFormat = detectReturnFormat(strText);
    setDocumentText(strText);
    if (bKeepModified)
        QTimer::singleShot(10, this, &CHighlightEdit::onTimeoutKeepModified);
}

void CHighlightEdit::onTimeoutKeepModified()
{
    setModified(m_bKeepModified);
}

bool CHighlightEdit::setTextCodec(const QString& strName)
{
    if (strName == m_strCodecName)
        return false;
    QTextCodec* pNew = codecByName(strName);
    if (!pNew)
        return false;
    QTextCodec* pCurrent = codecByName(m_strCodecName);
    const QString strCurrent = getTextForSave();
    const QByteArray arrBytes = pCurrent ? pCurrent->fromUnicode(strCurrent) : strCurrent.toLatin1();
    // The same bytes read again: the document is no more and no less
    // modified than before, and the view stays where it was.
    const bool bModified = isModified();
    const int nBlock = textCursor().blockNumber();
    const int nScroll = verticalScrollBar()->value();
    setDocumentText(pNew->toUnicode(arrBytes));
    m_strCodecName = strName;
    setModified(bModified);
    setTextCursor(QTextCursor(m_pDocument->findBlockByNumber(nBlock)));
    verticalScrollBar()->setValue(nScroll);
    return true;
}

QString CHighlightEdit::getTextForSave() const
{
    // Block texts are joined directly: the document's plain text would turn
    // non-breaking spaces into spaces and line separators into breaks.
    QString strBreak;
    switch (m_nReturnFormat) {
    case ReturnWindows: strBreak = QStringLiteral("\r\n"); break;
    case ReturnOSX: strBreak = QStringLiteral("\r"); break;
    default: strBreak = QStringLiteral("\n"); break;
    }
    QString strText;
    strText.reserve(m_pDocument->characterCount() + m_pDocument->blockCount() * strBreak.size());
    for (QTextBlock block = m_pDocument->firstBlock(); block.isValid(); block = block.next()) {
        if (block != m_pDocument->firstBlock())
            strText += strBreak;
        strText += block.text();
    }
    return strText;
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
    if (m_strFilePath.isEmpty())
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
    if (m_strFilePath.isEmpty())
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
