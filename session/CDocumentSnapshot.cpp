#include "session/CDocumentSnapshot.h"

#include <QTextCursor>
#include <QTextDocument>

CDocumentSnapshot::CDocumentSnapshot(QTextDocument* pDocument, QObject* parent)
    : QObject(parent), m_pDocument(pDocument)
{
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &CDocumentSnapshot::onSlice);
    connect(pDocument, &QTextDocument::contentsChanged, this, &CDocumentSnapshot::onChanged);
}

void CDocumentSnapshot::start()
{
    if (!m_pDocument)
        return;
    m_strText.clear();
    m_strText.reserve(m_pDocument->characterCount());
    m_nPos = 0;
    m_timer.start();
}

void CDocumentSnapshot::cancel()
{
    m_timer.stop();
    m_strText = QString();
}

void CDocumentSnapshot::onChanged()
{
    if (!isRunning())
        return;
    cancel();
    emit abandoned();
}

void CDocumentSnapshot::onSlice()
{
    if (!m_pDocument) {
        cancel();
        emit abandoned();
        return;
    }
    const int nEnd = m_pDocument->characterCount() - 1; // the final separator is not text
    const int nTo = qMin(nEnd, m_nPos + SliceChars);
    QTextCursor cursor(m_pDocument);
    cursor.setPosition(m_nPos);
    cursor.setPosition(nTo, QTextCursor::KeepAnchor);
    m_strText += cursor.selectedText();
    m_nPos = nTo;
    if (m_nPos < nEnd)
        return;
    m_timer.stop();
    const QString strText = m_strText;
    m_strText = QString();
    emit finished(strText);
}
