#ifndef CFILENODEREAPER_H
#define CFILENODEREAPER_H

#include <QList>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

struct CFileNode;

// Deletes nodes of the folder browser's tree in a thread of its own:
// freeing the nodes of a folder of 100,000 entries takes the GUI thread
// long enough for the window to freeze. The thread starts on first use and
// ends with this object, after deleting what is left.
class CFileNodeReaper
{
public:
    CFileNodeReaper() = default;
    ~CFileNodeReaper();
    CFileNodeReaper(const CFileNodeReaper&) = delete;
    CFileNodeReaper& operator=(const CFileNodeReaper&) = delete;

    // Takes the nodes, which nothing may use any more. Their icons must be
    // released already: icons belong to the GUI thread.
    void dispose(QList<CFileNode*> lstNodes);

private:
    void run();

    std::mutex m_mutex;
    std::condition_variable m_condition;
    std::vector<QList<CFileNode*>> m_vecQueue;
    bool m_bQuit = false;
    std::thread m_thread;
};

#endif
