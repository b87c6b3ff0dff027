// Comment toggling with the comment markers of the document's language:
// line comments at column 0, or a block comment around the selection.
#include "editor/CHighlightEdit.h"

#include "highlight/CTextDocument.h"
#include "highlight/CThreadHighlighter.h"

#include <QRegExp>
#include <QTextBlock>

bool CHighlightEdit::canToggleComment() const
{
    return textCursor().hasSelection()
           && (!m_pHighlighter->singleComment().isEmpty()
               || !m_pHighlighter->multiCommentStart().isEmpty());
}

void CHighlightEdit::selectLines(const QTextBlock& first, const QTextBlock& last,
                                 bool bCursorAtStart)
{
    const int nStart = first.position();
    const int nEnd = last.position() + last.length() - 1;
    QTextCursor cursor(m_pDocument);
    cursor.setPosition(bCursorAtStart ? nEnd : nStart);
    cursor.setPosition(bCursorAtStart ? nStart : nEnd, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

bool CHighlightEdit::toggleComment()
{
    const QString strSingle = m_pHighlighter->singleComment();
    const QString strOpen = m_pHighlighter->multiCommentStart();
    const QString strClose = m_pHighlighter->multiCommentEnd();
    QTextCursor edit = textCursor();
    if (!edit.hasSelection() || isReadOnly() || (strSingle.isEmpty() && strOpen.isEmpty()))
        return false;
    const int nStart = edit.selectionStart();
    const int nEnd = edit.selectionEnd();
    const bool bCursorAtStart = edit.position() <= edit.anchor();
    const QString strSelected = edit.selectedText();
    edit.beginEditBlock();

    // A selection that is one block comment loses its markers.
    if (!strOpen.isEmpty() && strSelected.size() >= strOpen.size() + strClose.size()
        && strSelected.startsWith(strOpen) && strSelected.endsWith(strClose)) {
        edit.setPosition(nEnd - strClose.size());
        edit.setPosition(nEnd, QTextCursor::KeepAnchor);
        edit.removeSelectedText();
        edit.setPosition(nStart);
        edit.setPosition(nStart + strOpen.size(), QTextCursor::KeepAnchor);
        edit.removeSelectedText();
        edit.endEditBlock();
        return true;
    }

    const QTextBlock first = m_pDocument->findBlock(nStart);
    const QTextBlock last = m_pDocument->findBlock(nEnd);
    const QTextBlock afterLast = last.next();
    if (!strSingle.isEmpty()) {
        // The marker is a pattern, as the language definition gives it.
        QRegExp rxComment("^\\s*" + strSingle);
        bool bAllCommented = true;
        for (QTextBlock block = first; block != afterLast && bAllCommented; block = block.next())
            bAllCommented = rxComment.indexIn(block.text()) == 0;
        if (bAllCommented) {
            for (QTextBlock block = first; block != afterLast; block = block.next()) {
                rxComment.indexIn(block.text());
                edit.setPosition(block.position());
                edit.setPosition(block.position() + rxComment.matchedLength(),
                                 QTextCursor::KeepAnchor);
                edit.removeSelectedText();
            }
            edit.endEditBlock();
            selectLines(first, last, bCursorAtStart);
            return true;
        }
    }

    // Line comments when the selection covers all that is written on its
    // first and last lines (or there is no block marker).
    const QRegExp rxWritten("[^\\s]");
    const QString strBefore = first.text().left(nStart - first.position());
    const QString strAfter = last.text().mid(nEnd - last.position());
    if (strOpen.isEmpty()
        || (!strSingle.isEmpty() && !strBefore.contains(rxWritten) && !strAfter.contains(rxWritten))) {
        for (QTextBlock block = first; block != afterLast; block = block.next()) {
            edit.setPosition(block.position());
            edit.insertText(strSingle);
        }
        edit.endEditBlock();
        selectLines(first, last, bCursorAtStart);
        return true;
    }
    edit.setPosition(nEnd);
    edit.insertText(strClose);
    edit.setPosition(nStart);
    edit.insertText(strOpen);
    edit.endEditBlock();
    const int nNewEnd = nEnd + strOpen.size() + strClose.size();
    edit.setPosition(bCursorAtStart ? nNewEnd : nStart);
    edit.setPosition(bCursorAtStart ? nStart : nNewEnd, QTextCursor::KeepAnchor);
    setTextCursor(edit);
    return true;
}
