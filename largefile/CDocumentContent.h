#ifndef CDOCUMENTCONTENT_H
#define CDOCUMENTCONTENT_H

#include <QString>

class QPlainTextDocumentLayout;
class QTextDocument;

// The whole content of a plain-text document in the form QTextDocument keeps
// it (its character buffer and its fragment and block trees), built apart
// from the document, in any thread, in one pass over the text, and
// exchanged with the document's own in a moment.
//
// QTextDocument builds its trees one insertion at a time, each a few tree
// walks; a million lines cost it seconds. Built here in one go, the trees
// are balanced from the start and the document ends up exactly as inserting
// the text would leave it: the same text, blocks and formats.
//
// This works on Qt's private structures (Qt 5.15); where they cannot be
// reached, isAvailable() is false and callers insert the text as usual.
class CDocumentContent
{
public:
    // The format indexes of a document whose text all has one character and
    // one block format (a plain-text document), read on its thread.
    struct Formats
    {
        int nChar = -1;
        int nBlock = -1;
    };

    CDocumentContent() = default;
    CDocumentContent(CDocumentContent&& other) noexcept;
    CDocumentContent& operator=(CDocumentContent&& other) noexcept;
    CDocumentContent(const CDocumentContent&) = delete;
    CDocumentContent& operator=(const CDocumentContent&) = delete;
    ~CDocumentContent();

    static bool isAvailable();
    // False when the document is not plain text (other formats, frames, a
    // block limit), which this cannot build.
    static bool plainFormats(const QTextDocument* pDoc, Formats* pFormats);
    // The content a document shows the text as, line breaks as
    // QTextCursor::insertText takes them ("\n", "\r\n", "\r", U+2029).
    static CDocumentContent build(const QString& strText, const Formats& formats);

    bool isNull() const { return !m_pFragments; }
    // Gives this content to a document whose undo is off (a load): the
    // document reports a change of its whole text, its cursors go to the
    // start, its old content is freed. False, and nothing changed, when this
    // is null or the document keeps an undo stack.
    bool install(QTextDocument* pDoc);
    // Replaces the document's text through one step on its undo stack (none
    // when undo is off); false, and nothing changed, when the document is not
    // plain text.
    static bool replaceText(QTextDocument* pDoc, const QString& strText);
    // The same with content built beforehand for this document's formats.
    static bool replaceContent(QTextDocument* pDoc, CDocumentContent&& content);

    // Sets a plain-text layout to a new width as setTextWidth does, without
    // first giving every block a layout object of its own: Qt's relayout
    // does that on every change of width (some 200 bytes a block, and a
    // third of a second for a million lines). False when it cannot.
    static bool setLayoutWidth(QTextDocument* pDoc, QPlainTextDocumentLayout* pLayout,
                               qreal dWidth);

private:
    class UndoStep;
    // Exchanges the text and trees alone, without a word to anyone.
    void swapSilently(QTextDocument* pDoc);
    // The document takes this content and this takes the document's. Inside
    // an edit block the document's report waits for the block's end.
    void swapWith(QTextDocument* pDoc);
    void release();

    QString m_strBuffer;
    void* m_pFragments = nullptr; // the trees' node arrays, Qt's own layout
    void* m_pBlocks = nullptr;
    unsigned m_nUnreachable = 0;
};

#endif
