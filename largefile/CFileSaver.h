#ifndef CFILESAVER_H
#define CFILESAVER_H

#include "editor/CStandIns.h"
#include "highlight/CLineSnapshot.h"

#include <QString>
#include <QThread>
#include <atomic>

// Writes a text to a file in a thread of its own: line breaks converted,
// UTF-8, replacing the file atomically. The text is a snapshot taken when
// saving was asked for; the owner learns the outcome from finished().
class CFileSaver : public QThread
{
    Q_OBJECT
public:
    // The snapshot is put together in the thread (see
    // CHighlightEdit::saveSnapshot); nVersion tags it for the owner.
    CFileSaver(const QString& strPath, const CLineSnapshot& snapshot, int nReturnFormat,
               const CStandIns& standIns, uint nVersion, QObject* parent = nullptr);
    // Waits for the write to end: a file is never left half written.
    ~CFileSaver() override;

    QString path() const { return m_strPath; }
    uint version() const { return m_nVersion; }
    // After finished().
    bool succeeded() const { return m_bDone.load(std::memory_order_acquire) && m_bOk; }
    // After finished(): the snapshot did not add up and nothing was written.
    bool refused() const { return m_bDone.load(std::memory_order_acquire) && m_bRefused; }
    QString errorString() const
    {
        return m_bDone.load(std::memory_order_acquire) ? m_strError : QString();
    }

protected:
    void run() override;

private:
    const QString m_strPath;
    const CLineSnapshot m_snapshot;
    const int m_nReturnFormat;
    const CStandIns m_standIns;
    const uint m_nVersion;
    bool m_bOk = false;
    bool m_bRefused = false;
    QString m_strError;
    // Set as the thread's work ends (see CFileLoader).
    std::atomic<bool> m_bDone {false};
};

#endif
