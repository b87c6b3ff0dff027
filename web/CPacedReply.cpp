#include "web/CPacedReply.h"

#include <cstring>

CPacedReply::CPacedReply(const QNetworkRequest& request, const QByteArray& arrData,
                         const QByteArray& arrContentType, QObject* parent)
    : QNetworkReply(parent), m_arrData(arrData)
{
    setRequest(request);
    setUrl(request.url());
    setOperation(QNetworkAccessManager::GetOperation);
    setHeader(QNetworkRequest::ContentLengthHeader, m_arrData.size());
    if (!arrContentType.isEmpty())
        setHeader(QNetworkRequest::ContentTypeHeader, arrContentType);
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &CPacedReply::onTick);
    m_clock.start();
    // The headers first, then the data, from the event loop as a real
    // network reply does.
    QTimer::singleShot(0, this, [this]() {
        emit metaDataChanged();
        onTick();
    });
}

void CPacedReply::abort()
{
    m_timer.stop();
    m_nRead = m_nAvailable = m_arrData.size();
    if (!isFinished()) {
        setError(OperationCanceledError, QString());
        setFinished(true);
        emit finished();
    }
}

qint64 CPacedReply::bytesAvailable() const
{
    return m_nAvailable - m_nRead + QNetworkReply::bytesAvailable();
}

qint64 CPacedReply::readData(char* pData, qint64 nMax)
{
    const qint64 nCount = qMin(nMax, m_nAvailable - m_nRead);
    if (nCount <= 0)
        return m_nRead >= m_arrData.size() ? -1 : 0;
    memcpy(pData, m_arrData.constData() + m_nRead, size_t(nCount));
    m_nRead += nCount;
    return nCount;
}

void CPacedReply::onTick()
{
    if (isFinished())
        return;
    const qint64 nNowMs = m_clock.elapsed();
    const qint64 nLateMs = nNowMs - m_nLastTickMs - m_timer.interval();
    m_nLastTickMs = nNowMs;
    if (m_nAvailable > 0 && nLateMs > IntervalMs)
        m_nPortion = qMax(SmallPortion, m_nPortion / 2);
    else if (nNowMs >= WarmUpMs)
        m_nPortion = qMin(LargePortion, m_nPortion * 2);
    m_nAvailable = qMin<qint64>(m_arrData.size(), m_nAvailable + m_nPortion);
    emit readyRead();
    if (m_nAvailable < m_arrData.size()) {
        // Nothing more until the parser has started: it would take all of
        // it in its first turn.
        m_timer.start(nNowMs < WarmUpMs ? int(WarmUpMs - nNowMs) : IntervalMs);
        return;
    }
    m_timer.stop();
    setFinished(true);
    emit finished();
}
