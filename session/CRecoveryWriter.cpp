#include "session/CRecoveryWriter.h"

#include "session/Utf16Text.h"
#include "util/SaveFile.h"

#include <QFile>

CRecoveryWriter::CRecoveryWriter(QObject* parent)
    : QThread(parent)
{
    start(QThread::LowPriority);
}

CRecoveryWriter::~CRecoveryWriter()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bQuit = true;
    }
    m_condWork.notify_all();
    wait();
    // The thread's last look at the queue happened under the lock; taking it
    // once more orders that before the queue goes (QThread's own wait is
    // invisible to ThreadSanitizer).
    std::lock_guard<std::mutex> lock(m_mutex);
}

void CRecoveryWriter::write(const QString& strBase, const QString& strText, const QByteArray& arrMeta,
                            const CStandIns& standIns)
{
    enqueue(Job{strBase, strText, arrMeta, standIns, false});
}

void CRecoveryWriter::remove(const QString& strBase)
{
    enqueue(Job{strBase, QString(), QByteArray(), CStandIns(), true});
}

void CRecoveryWriter::enqueue(Job job)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        // A later write or removal of the same entry makes earlier ones moot.
        for (int i = m_queue.size() - 1; i >= 0; --i) {
            if (m_queue.at(i).strBase == job.strBase)
                m_queue.removeAt(i);
        }
        m_queue.enqueue(std::move(job));
    }
    m_condWork.notify_one();
}

void CRecoveryWriter::flush()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_condIdle.wait(lock, [this] { return m_queue.isEmpty() && !m_bBusy; });
}

void CRecoveryWriter::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_condWork.wait(lock, [this] { return !m_queue.isEmpty() || m_bQuit; });
        if (m_queue.isEmpty())
            break;
        Job job = m_queue.dequeue();
        m_bBusy = true;
        lock.unlock();
        const bool bOk = perform(job);
        if (!job.bRemove)
            emit written(job.strBase, bOk);
        lock.lock();
        m_bBusy = false;
        m_condIdle.notify_all();
    }
    m_condIdle.notify_all();
}

bool CRecoveryWriter::perform(const Job& job)
{
    if (job.bRemove) {
        // The description first: without it a left-over text is ignored.
        QFile::remove(metaPath(job.strBase));
        QFile::remove(textPath(job.strBase));
        return true;
    }
    QString strText = job.strText;
    strText.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    if (!job.standIns.isEmpty())
        strText = job.standIns.fromDocument(strText);
    return saveFileAtomically(textPath(job.strBase), utf16Bytes(strText))
           && saveFileAtomically(metaPath(job.strBase), job.arrMeta);
}
