#ifndef BENCHWATCH_H
#define BENCHWATCH_H

#include "BenchCommon.h"

#include "editor/CHighlightEdit.h"
#include "highlight/CTextDocument.h"
#include "highlight/CThreadHighlighter.h"

#include <QKeyEvent>
#include <QTextBlock>

// Follows the results the highlighter applies to the document. Connected
// after the document's own slot, so a result seen here is already applied.
class PassWatch
{
public:
    PassWatch(BenchApp& app, CHighlightEdit* pEdit)
        : m_pDoc(pEdit->textDocument()), m_pHighlighter(pEdit->highlighter())
    {
        QObject::connect(m_pHighlighter, &CThreadHighlighter::blockFormatChanged, m_pDoc,
                         [this, &app](uint nVer, int nBlock,
                                      const QVector<QTextLayout::FormatRange>&) {
                             app.markWork();
                             ++m_nResults;
                             if (nVer != m_pDoc->version())
                                 ++m_nStale;
                             else if (nBlock == m_pDoc->blockCount() - 1) {
                                 m_nDoneVer = nVer;
                                 m_bDone = true;
                                 if (m_fnDone)
                                     m_fnDone();
                             }
                         },
                         Qt::DirectConnection);
    }

    // A pass has reached the last block, and no work is left (after an
    // edit a pass may stop long before the last block).
    bool idle() const { return m_bDone && !m_pHighlighter->isBusy(); }

    CTextDocument* m_pDoc;
    CThreadHighlighter* m_pHighlighter;
    std::function<void()> m_fnDone;
    qint64 m_nResults = 0;
    qint64 m_nStale = 0;
    uint m_nDoneVer = 0;
    bool m_bDone = false;
};

// Presses and releases the key of one printable ASCII character.
inline void sendKey(QWidget* pWidget, QChar ch)
{
    const int nKey = ch.toUpper().unicode(); // Qt's key codes for printable ASCII
    QKeyEvent press(QEvent::KeyPress, nKey, Qt::NoModifier, QString(ch));
    QKeyEvent release(QEvent::KeyRelease, nKey, Qt::NoModifier, QString(ch));
    QCoreApplication::sendEvent(pWidget, &press);
    QCoreApplication::sendEvent(pWidget, &release);
}

// Puts the cursor in the middle of the middle line and brings it into view.
inline void cursorToMiddle(QPlainTextEdit* pEdit)
{
    const QTextBlock block = pEdit->document()->findBlockByNumber(pEdit->blockCount() / 2);
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + block.length() / 2);
    pEdit->setTextCursor(cursor);
    pEdit->centerCursor();
    pEdit->setFocus();
}

#endif
