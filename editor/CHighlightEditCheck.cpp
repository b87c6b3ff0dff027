// Validation of markup and JSON by the document's language, and Formatting,
// which lays the text out anew as one undoable edit.
#include "editor/CHighlightEdit.h"

#include "highlight/CTextDocument.h"
#include "largefile/CDocumentContent.h"
#include "util/JsonFormat.h"

#include <QDomDocument>
#include <QJsonDocument>
#include <QMessageBox>
#include <QScrollBar>
#include <QTextBlock>

namespace {

bool isMarkup(const QString& strLanguage)
{
    return strLanguage == "XML" || strLanguage == "SVG";
}

// Line and column (from 1) of a byte offset into UTF-8 text.
QPair<int, int> lineAndColumn(const QByteArray& arrUtf8, int nOffset)
{
    const QByteArray arrBefore = arrUtf8.left(nOffset);
    const int nBreak = arrBefore.lastIndexOf('\n');
    return {int(arrBefore.count('\n')) + 1, QString::fromUtf8(arrBefore.mid(nBreak + 1)).size() + 1};
}

} // namespace

bool CHighlightEdit::canVerify() const
{
    const QString strLanguage = getLanguage();
    return strLanguage == "HTML" || strLanguage == "JSON" || isMarkup(strLanguage);
}

bool CHighlightEdit::canFormat() const
{
    const QString strLanguage = getLanguage();
    return strLanguage == "JSON" || isMarkup(strLanguage);
}

QString CHighlightEdit::textForCheck() const
{
    // Not toPlainText(): it turns non-breaking spaces into spaces.
    QString strText = m_pDocument->toRawText();
    strText.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return strText;
}

bool CHighlightEdit::verifyValid()
{
    const QString strLanguage = getLanguage();
    if (strLanguage == "HTML" || isMarkup(strLanguage)) {
        QDomDocument doc;
        QString strError;
        int nLine = 0;
        int nColumn = 0;
        doc.setContent(textForCheck(), &strError, &nLine, &nColumn);
        if (strError.isEmpty())
            return true;
        QMessageBox::warning(this, tr("Fail to verify valid"),
                             tr("Line %1, Column %2: %3").arg(nLine).arg(nColumn).arg(strError));
        return false;
    }
    if (strLanguage == "JSON") {
        const QByteArray arrUtf8 = textForCheck().toUtf8();
        QJsonParseError error;
        QJsonDocument::fromJson(arrUtf8, &error);
        if (error.error == QJsonParseError::NoError)
            return true;
        const QPair<int, int> pos = lineAndColumn(arrUtf8, error.offset);
        QMessageBox::warning(
            this, tr("Fail to verify valid"),
            tr("Line %1, Column %2: %3").arg(pos.first).arg(pos.second).arg(error.errorString()));
        return false;
    }
    return true;
}

bool CHighlightEdit::formatting()
{
    if (isReadOnly() || !verifyValid())
        return false;
    const QString strLanguage = getLanguage();
    QString strFormatted;
    if (isMarkup(strLanguage)) {
        QDomDocument doc;
        doc.setContent(textForCheck());
        strFormatted = doc.toString(4);
    } else if (strLanguage == "JSON") {
        if (!formatJson(textForCheck(), strFormatted)) {
            QMessageBox::warning(this, tr("Fail to verify valid"),
                                 tr("The JSON text cannot be laid out."));
            return false;
        }
    } else {
        return true;
    }
    const int nBlock = textCursor().blockNumber();
    const int nScroll = verticalScrollBar()->value();
    replaceWholeText(strFormatted);
    const QTextBlock block = m_pDocument->findBlockByNumber(nBlock);
    setTextCursor(QTextCursor(block.isValid() ? block : m_pDocument->firstBlock()));
    verticalScrollBar()->setValue(nScroll);
    return true;
}

void CHighlightEdit::replaceWholeText(const QString& strText)
{
    // Only the part between what stays the same at both ends is replaced:
    // less to undo, and the lines around keep their highlighting.
    const QString strOld = textForCheck();
    if (strOld == strText)
        return;
    const int nCommon = qMin(strOld.size(), strText.size());
    int nPrefix = 0;
    while (nPrefix < nCommon && strOld.at(nPrefix) == strText.at(nPrefix))
        ++nPrefix;
    int nSuffix = 0;
    while (nSuffix < nCommon - nPrefix
           && strOld.at(strOld.size() - 1 - nSuffix) == strText.at(strText.size() - 1 - nSuffix))
        ++nSuffix;
    // A long replacement is built in one piece, still one step to undo.
    const int nReplaced = strText.size() - nPrefix - nSuffix;
    if (nReplaced >= BuiltTextChars && CDocumentContent::replaceText(m_pDocument, strText)) {
        setModified(true);
        return;
    }
    QTextCursor cursor(m_pDocument);
    cursor.beginEditBlock();
    cursor.setPosition(nPrefix);
    cursor.setPosition(strOld.size() - nSuffix, QTextCursor::KeepAnchor);
    cursor.insertText(strText.mid(nPrefix, strText.size() - nPrefix - nSuffix));
    cursor.endEditBlock();
    setModified(true);
}
