#include "browser/CFileNodeReaper.h"

#include "browser/CFileNode.h"

CFileNodeReaper::~CFileNodeReaper()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bQuit = true;
    }
    m_condition.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void CFileNodeReaper::dispose(QList<CFileNode*> lstNodes)
{
    if (lstNodes.isEmpty())
        return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_vecQueue.push_back(std::move(lstNodes));
        if (!m_thread.joinable())
            m_thread = std::thread(&CFileNodeReaper::run, this);
    }
    m_condition.notify_all();
}

void CFileNodeReaper::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_condition.wait(lock, [this] { return m_bQuit || !m_vecQueue.empty(); });
        if (m_vecQueue.empty())
            return; // asked to quit, nothing left
        std::vector<QList<CFileNode*>> vecTaken;
        vecTaken.swap(m_vecQueue);
        lock.unlock();
        for (const QList<CFileNode*>& lst : vecTaken)
            qDeleteAll(lst);
        lock.lock();
    }
}
