#include "largefile/CDocumentFiller.h"

#include "editor/CHighlightEdit.h"
#include "util/BlockBreaks.h"

#include <QElapsedTimer>
#include <QTimer>

CDocumentFiller::CDocumentFiller(CHighlightEdit* pEditor, const QString& strText, int nDone,
                                 QObject* parent)
    : QObject(parent)
    , m_pEditor(pEditor)
    , m_strText(strText)
    , m_nDone(nDone)
{
}

void CDocumentFiller::start()
{
    m_bActive = true;
    QTimer::singleShot(0, this, &CDocumentFiller::fillSlice);
}

void CDocumentFiller::cancel()
{
    m_bActive = false;
}

int CDocumentFiller::percent() const
{
    return m_strText.isEmpty() ? 100 : int(qint64(m_nDone) * 100 / m_strText.size());
}

int CDocumentFiller::sliceEnd(int nFrom) const
{
    const int nLength = m_strText.size();
    int nEnd = int(qMin<qint64>(nLength, qint64(nFrom) + m_nSliceChars));
    if (nEnd >= nLength)
        return nLength;
    // The next slice starts with the line break ("\r\n" stays together).
    const QChar* p = m_strText.constData();
    while (nEnd < nLength && !isBlockBreak(p[nEnd].unicode()))
        ++nEnd;
    if (nEnd < nLength && p[nEnd] == QLatin1Char('\n') && p[nEnd - 1] == QLatin1Char('\r'))
        --nEnd;
    return nEnd;
}

void CDocumentFiller::fillSlice()
{
    if (!m_bActive)
        return;
    QElapsedTimer timer;
    timer.start();
    const int nEnd = sliceEnd(m_nDone);
    m_pEditor->appendFill(QString::fromRawData(m_strText.constData() + m_nDone, nEnd - m_nDone));
    const qint64 nNs = qMax<qint64>(timer.nsecsElapsed(), 1000);
    // The next slice is sized by this one's pace.
    const qint64 nChars = qint64(nEnd - m_nDone) * SliceMs * 1000000 / nNs;
    m_nSliceChars = int(qBound<qint64>(16 * 1024, nChars, 8 * 1024 * 1024));
    m_nDone = nEnd;
    if (m_nDone >= m_strText.size()) {
        m_bActive = false;
        emit progress(100);
        emit finished();
        return;
    }
    emit progress(percent());
    QTimer::singleShot(0, this, &CDocumentFiller::fillSlice);
}
