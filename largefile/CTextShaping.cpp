#include "largefile/CTextShaping.h"

#include "util/TextShaping.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

CTextShaping::CTextShaping(QPlainTextEdit* pEditor)
    : QObject(pEditor)
    , m_pEditor(pEditor)
{
    const QString strText = pEditor->document()->toRawText();
    setShaping(textNeedsShaping(strText.constData(), strText.size()));
    connect(pEditor->document(), &QTextDocument::contentsChange, this,
            &CTextShaping::onContentsChange);
}

void CTextShaping::beginWholeText(bool bNeedsShaping)
{
    setShaping(bNeedsShaping);
    m_bWholeText = true;
}

void CTextShaping::endWholeText()
{
    m_bWholeText = false;
}

void CTextShaping::onContentsChange(int nPosition, int, int nAdded)
{
    if (m_bShaping || m_bWholeText || nAdded <= 0)
        return;
    QTextDocument* pDoc = m_pEditor->document();
    const int nEnd = qMin(nPosition + nAdded, pDoc->characterCount() - 1);
    // A selection's text is put together a fragment at a time; a long change
    // is read from the whole text, which is copied in one go.
    bool bNeeds = false;
    if (nEnd - nPosition <= LongChange) {
        QTextCursor cursor(pDoc);
        cursor.setPosition(nPosition);
        cursor.setPosition(nEnd, QTextCursor::KeepAnchor);
        const QString strAdded = cursor.selectedText();
        bNeeds = textNeedsShaping(strAdded.constData(), strAdded.size());
    } else {
        const QString strText = pDoc->toRawText();
        bNeeds = textNeedsShaping(strText.constData() + nPosition, nEnd - nPosition);
    }
    // Not in the middle of the document's change: the font is set once the
    // change is done, before the view paints it.
    if (bNeeds)
        QMetaObject::invokeMethod(this, [this] { setShaping(true); }, Qt::QueuedConnection);
}

void CTextShaping::setShaping(bool bShaping)
{
    if (bShaping == m_bShaping)
        return;
    m_bShaping = bShaping;
    QFont fnt = m_pEditor->font();
    fnt.setStyleStrategy(bShaping ? QFont::PreferDefault : QFont::PreferNoShaping);
    m_pEditor->setFont(fnt);
}
