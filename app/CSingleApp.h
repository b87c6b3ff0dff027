#ifndef CSINGLEAPP_H
#define CSINGLEAPP_H

#include <QObject>
#include <QStringList>
#include <QSharedMemory>
#include <QTimer>
#include <memory>

class QLockFile;

// Keeps the editor to one running instance: the first process owns a shared
// block and polls it; later processes append their arguments to it and end.
class CSingleApp : public QObject
{
    Q_OBJECT
public:
    static constexpr int BlockSize = 65536;

    CSingleApp(QObject* parent, const QString& strKey);
    ~CSingleApp() override;

    bool isRunning() const { return m_bRunning; }
    bool sendMessage(const QString& strMessage);
    // The messages a copy of the block holds, in order: UTF-8 runs ended by
    // a zero byte, up to the first empty one.
    static QStringList messagesInBlock(const QByteArray& arrBlock);

signals:
    void messageAvailable(QString message);

public slots:
    void onCheckForMessage();

private:
    bool becomeOwner();
    bool attachToOwner();

    bool m_bRunning = false;
    QSharedMemory m_sharedMemory;
    QTimer m_timer;
    // Held by the running instance for its whole life. A shared segment can
    // outlive a killed process, so the lock (whose owner's liveness can be
    // checked) decides who runs, not the segment.
    std::unique_ptr<QLockFile> m_pOwnerLock;
};

#endif
