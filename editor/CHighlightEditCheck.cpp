// Validation of markup and JSON by the document's language, and Formatting,
// which lays the text out anew as one undoable edit.
#include "editor/CHighlightEdit.h"

#include "highlight/CTextDocument.h"
#include "highlight/CThreadHighlighter.h"
#include "largefile/CDocumentContent.h"
#include "largefile/CTextShaping.h"
#include "util/JsonFormat.h"
#include "util/RunBeside.h"
#include "util/TextShaping.h"

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
    if (strLanguage == "JSON")
        return reportJson(checkJson(textForCheck()));
    return true;
}

CHighlightEdit::JsonCheck CHighlightEdit::checkJson(const QString& strText)
{
    const QByteArray arrUtf8 = strText.toUtf8();
    QJsonParseError error;
    QJsonDocument::fromJson(arrUtf8, &error);
    JsonCheck check;
    if (error.error != QJsonParseError::NoError) {
        const QPair<int, int> pos = lineAndColumn(arrUtf8, error.offset);
        check.nLine = pos.first;
        check.nColumn = pos.second;
        check.strError = error.errorString();
    }
    return check;
}

bool CHighlightEdit::reportJson(const JsonCheck& check)
{
    if (check.strError.isNull())
        return true;
    QMessageBox::warning(
        this, tr("Fail to verify valid"),
        tr("Line %1, Column %2: %3").arg(check.nLine).arg(check.nColumn).arg(check.strError));
    return false;
}

bool CHighlightEdit::formatting()
{
    if (isReadOnly())
        return false;
    const QString strLanguage = getLanguage();
    if (strLanguage == "JSON")
        return formatJsonText();
    if (!verifyValid())
        return false;
    if (!isMarkup(strLanguage))
        return true;
    QDomDocument doc;
    doc.setContent(textForCheck());
    showFormatted(doc.toString(4), CDocumentContent());
    return true;
}

bool CHighlightEdit::formatJsonText()
{
    const QString strText = textForCheck();
    // Qt's parser decides whether the text is JSON, on the other core, while
    // the layout (white space only) and the document it makes are built.
    std::future<JsonCheck> futureCheck = runBeside([&strText] { return checkJson(strText); });
    QString strFormatted;
    const bool bLaidOut = formatJson(strText, strFormatted);
    CDocumentContent content;
    CDocumentContent::Formats formats;
    if (bLaidOut && strFormatted.size() >= BuiltTextChars
        && CDocumentContent::plainFormats(m_pDocument, &formats))
        content = CDocumentContent::build(strFormatted, formats);
    if (!reportJson(futureCheck.get()))
        return false;
    if (!bLaidOut) {
        QMessageBox::warning(this, tr("Fail to verify valid"), tr("The JSON text cannot be laid out."));
        return false;
    }
    showFormatted(strFormatted, std::move(content));
    return true;
}

void CHighlightEdit::showFormatted(const QString& strFormatted, CDocumentContent&& content)
{
    const int nBlock = textCursor().blockNumber();
    const int nScroll = verticalScrollBar()->value();
    replaceWholeText(strFormatted, std::move(content));
    const QTextBlock block = m_pDocument->findBlockByNumber(nBlock);
    setTextCursor(QTextCursor(block.isValid() ? block : m_pDocument->firstBlock()));
    verticalScrollBar()->setValue(nScroll);
}

void CHighlightEdit::replaceWholeText(const QString& strText, CDocumentContent&& content)
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
    // A long replacement is built in one piece (or was already), still one
    // step to undo; the highlighter takes the text it was built from.
    const int nReplaced = strText.size() - nPrefix - nSuffix;
    if (nReplaced >= BuiltTextChars) {
        m_pHighlighter->prepareText(strText);
        // Undo may bring the old text back: shaping may turn on, not off.
        m_pShaping->beginWholeText(m_pShaping->isShaping()
                                   || textNeedsShaping(strText.constData(), strText.size()));
        const bool bDone = content.isNull() ? CDocumentContent::replaceText(m_pDocument, strText)
                                            : CDocumentContent::replaceContent(m_pDocument, std::move(content));
        m_pShaping->endWholeText();
        m_pHighlighter->prepareText(QString());
        if (bDone) {
            setModified(true);
            return;
        }
    }
    QTextCursor cursor(m_pDocument);
    cursor.beginEditBlock();
    cursor.setPosition(nPrefix);
    cursor.setPosition(strOld.size() - nSuffix, QTextCursor::KeepAnchor);
    cursor.insertText(strText.mid(nPrefix, strText.size() - nPrefix - nSuffix));
    cursor.endEditBlock();
    setModified(true);
}
