#include "app/CSingleApp.h"

#include <QDebug>
#include <QDeadlineTimer>
#include <QDir>
#include <QLockFile>
#include <QThread>
#include <cstring>

namespace {
// How long a later start waits for a live owner that has not yet created its
// block (both started at the same moment).
constexpr int OwnerStartupWaitMs = 3000;
}

CSingleApp::CSingleApp(QObject* parent, const QString& strKey)
    : QObject(parent)
{
    m_sharedMemory.setKey(strKey);
    m_pOwnerLock = std::make_unique<QLockFile>(QDir::temp().filePath(strKey + ".lock"));
    // Only a dead owner makes the lock stale, never its age.
    m_pOwnerLock->setStaleLockTime(0);

    if (m_pOwnerLock->tryLock(0)) {
        if (!becomeOwner())
            qDebug() << "Unable to create single instance.";
        return;
    }

    const QDeadlineTimer deadline(OwnerStartupWaitMs);
    while (!deadline.hasExpired()) {
        if (attachToOwner()) {
            m_bRunning = true;
            return;
        }
        if (m_pOwnerLock->tryLock(0)) { // the owner died meanwhile
            if (!becomeOwner())
                qDebug() << "Unable to create single instance.";
            return;
        }
        QThread::msleep(20);
    }
    qDebug() << "Unable to create single instance.";
}

CSingleApp::~CSingleApp()
{
    m_timer.stop();
    if (m_sharedMemory.isAttached())
        m_sharedMemory.detach();
}

bool CSingleApp::attachToOwner()
{
    return m_sharedMemory.attach(QSharedMemory::ReadWrite) && m_sharedMemory.size() > 0;
}

bool CSingleApp::becomeOwner()
{
    m_bRunning = false;
    // A segment left behind by a killed instance is taken over, not obeyed.
    // When its key file has gone meanwhile, creating makes the key file again
    // and fails on the old segment, which can then be attached.
    const bool bAttached = m_sharedMemory.attach(QSharedMemory::ReadWrite)
                           || m_sharedMemory.create(BlockSize, QSharedMemory::ReadWrite)
                           || m_sharedMemory.attach(QSharedMemory::ReadWrite);
    if (!bAttached)
        return false;
    if (!m_sharedMemory.lock())
        return false;
    std::memset(m_sharedMemory.data(), 0, static_cast<size_t>(m_sharedMemory.size()));
    m_sharedMemory.unlock();

    connect(&m_timer, &QTimer::timeout, this, &CSingleApp::onCheckForMessage);
    m_timer.setInterval(1000);
    m_timer.start();
    return true;
}

bool CSingleApp::sendMessage(const QString& strMessage)
{
    if (!m_bRunning)
        return false;
    const QByteArray arrMsg = (strMessage.isEmpty() ? QString(" ") : strMessage).toUtf8();
    if (!m_sharedMemory.lock())
        return false;

    auto* pData = static_cast<char*>(m_sharedMemory.data());
    const int nSize = m_sharedMemory.size();
    int nPos = -1;
    for (int i = 0; i + 1 < nSize; ++i) {
        if (pData[i] == 0 && pData[i + 1] == 0) {
            nPos = (i == 0) ? 0 : i + 1;
            break;
        }
    }
    // A full block keeps its messages; the new one is dropped, not written
    // over them.
    const bool bFits = nPos >= 0 && nSize - nPos >= arrMsg.size();
    if (bFits)
        std::memcpy(pData + nPos, arrMsg.constData(), static_cast<size_t>(arrMsg.size()));
    m_sharedMemory.unlock();
    return bFits;
}

void CSingleApp::onCheckForMessage()
{
    if (!m_sharedMemory.isAttached() || !m_sharedMemory.lock())
        return;
    auto* pData = static_cast<char*>(m_sharedMemory.data());
    const int nSize = m_sharedMemory.size();
    QByteArray arrBlock;
    if (nSize > 0 && pData[0] != 0) {
        // Copy and clear under one lock hold so that no message written in
        // between is lost.
        arrBlock = QByteArray(pData, nSize);
        std::memset(pData, 0, static_cast<size_t>(nSize));
    }
    m_sharedMemory.unlock();

    for (const QString& strMessage : messagesInBlock(arrBlock))
        emit messageAvailable(strMessage);
}

QStringList CSingleApp::messagesInBlock(const QByteArray& arrBlock)
{
    QStringList lstMessages;
    int nStart = 0;
    while (nStart < arrBlock.size()) {
        int nEnd = arrBlock.indexOf('\0', nStart);
        if (nEnd < 0)
            nEnd = arrBlock.size();
        if (nEnd == nStart)
            break;
        lstMessages.append(QString::fromUtf8(arrBlock.constData() + nStart, nEnd - nStart));
        nStart = nEnd + 1;
    }
    return lstMessages;
}
