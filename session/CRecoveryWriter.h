#ifndef CRECOVERYWRITER_H
#define CRECOVERYWRITER_H

#include "editor/CStandIns.h"

#include <QByteArray>
#include <QQueue>
#include <QString>
#include <QThread>
#include <condition_variable>
#include <mutex>

// Writes and removes recovery files on a thread of its own, in the order
// asked, so that a large text never holds up the window. Each entry is a
// text file and, written after it, the description that makes it count.
class CRecoveryWriter : public QThread
{
    Q_OBJECT
public:
    explicit CRecoveryWriter(QObject* parent = nullptr);
    // Finishes what was asked, then ends the thread.
    ~CRecoveryWriter() override;

    // strText is a document's text as copied out of it: blocks end in
    // U+2029, which is stored as "\n", and the document's stand-ins are
    // given back their characters.
    void write(const QString& strBase, const QString& strText, const QByteArray& arrMeta,
               const CStandIns& standIns = CStandIns());
    void remove(const QString& strBase);
    // Blocks until everything asked so far is on disk (for tests and exit).
    void flush();

    static QString textPath(const QString& strBase) { return strBase + ".utf16"; }
    static QString metaPath(const QString& strBase) { return strBase + ".json"; }

signals:
    void written(const QString& strBase, bool bOk);

protected:
    void run() override;

private:
    struct Job
    {
        QString strBase;
        QString strText;
        QByteArray arrMeta;
        CStandIns standIns;
        bool bRemove = false;
    };
    void enqueue(Job job);
    static bool perform(const Job& job);

    // The standard mutex rather than Qt's: ThreadSanitizer sees its locking.
    std::mutex m_mutex;
    std::condition_variable m_condWork;
    std::condition_variable m_condIdle;
    QQueue<Job> m_queue;
    bool m_bBusy = false;
    bool m_bQuit = false;
};

#endif
