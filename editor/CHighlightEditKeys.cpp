// The code editor's key handling: Tab and Shift+Tab indent and outdent the
// lines of a selection, Return keeps the indentation and opens a block
// after "{", and opening brackets and quotes get their closing partner.
#include "editor/CHighlightEdit.h"

#include "highlight/CTextDocument.h"

#include <QKeyEvent>
#include <QRegExp>
#include <QTextBlock>

void CHighlightEdit::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (isReadOnly() || (modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier)) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    const int nKey = event->key();
    if ((nKey == Qt::Key_Tab || nKey == Qt::Key_Backtab)
        && indentBlocks(modifiers == Qt::ShiftModifier)) {
        event->accept();
        return;
    }
    if (nKey == Qt::Key_Return || nKey == Qt::Key_Enter) {
        // Shift+Return would put an invisible line separator inside the
        // line; in code it is a line break like any other.
        QKeyEvent plain(event->type(), nKey, event->modifiers() & ~Qt::ShiftModifier, event->text(),
                        event->isAutoRepeat(), ushort(event->count()));
        QPlainTextEdit::keyPressEvent(&plain);
        event->setAccepted(plain.isAccepted());
        indentNewLine();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
    if (!event->text().isEmpty())
        closePair(event->text());
}

bool CHighlightEdit::indentBlocks(bool bOutdent)
{
    const QTextCursor cursor = textCursor();
    const QTextBlock first = m_pDocument->findBlock(cursor.selectionStart());
    const QTextBlock last = m_pDocument->findBlock(cursor.selectionEnd());
    if (!first.isValid() || !last.isValid() || first == last)
        return false;

    QTextCursor edit(m_pDocument);
    edit.beginEditBlock();
    // One tab, or one to four spaces.
    const QRegExp rxOutdent("^((\\t{0,1})|([ ]{1,4}))");
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        edit.setPosition(block.position());
        if (!bOutdent) {
            edit.insertText(QString("\t"));
        } else if (rxOutdent.indexIn(block.text()) == 0 && rxOutdent.matchedLength() > 0) {
            edit.setPosition(block.position() + rxOutdent.matchedLength(), QTextCursor::KeepAnchor);
            edit.removeSelectedText();
        }
        if (block == last)
            break;
    }
    edit.endEditBlock();
    selectLines(first, last, textCursor().block() == first);
    return true;
}

void CHighlightEdit::indentNewLine()
{
    QTextCursor cursor = textCursor();
    const QTextBlock previous = cursor.block().previous();
    if (!previous.isValid())
        return;
    const QString strPrevious = previous.text();
    QRegExp rxIndent("^\\s+");
    const QString strIndent = rxIndent.indexIn(strPrevious) == 0 ? rxIndent.cap(0) : QString();
    const bool bOpensBlock = QRegExp("\\{\\s*$").indexIn(strPrevious) >= 0;
    if (strIndent.isEmpty() && !bOpensBlock)
        return;
    // Part of the same undo step as the line break itself.
    cursor.joinPreviousEditBlock();
    cursor.insertText(strIndent);
    if (bOpensBlock) {
        cursor.setPosition(previous.position() + previous.length() - 1);
        cursor.insertBlock();
        cursor.insertText(strIndent + '\t');
    }
    cursor.endEditBlock();
    setTextCursor(cursor);
}

void CHighlightEdit::closePair(const QString& strTyped)
{
    static const QString strOpening = "{[(\"'";
    static const QString strClosing = "}])\"'";
    const int nIndex = strTyped.size() == 1 ? strOpening.indexOf(strTyped) : -1;
    if (nIndex < 0)
        return;
    QTextCursor cursor = textCursor();
    cursor.insertText(QString(strClosing.at(nIndex)));
    cursor.movePosition(QTextCursor::PreviousCharacter);
    setTextCursor(cursor);
}
