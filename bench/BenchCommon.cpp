#include "BenchCommon.h"

#include "app/CSettings.h"
#include "app/Globals.h"
#include "app/Startup.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QSettings>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>

// CPU time of the calling thread: what the GUI thread itself spent, without
// the time it waited for a core while the worker thread ran.
qint64 threadCpuNs()
{
    timespec ts {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

BenchApp::BenchApp(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool BenchApp::notify(QObject* pReceiver, QEvent* pEvent)
{
    if (pReceiver == m_pPainted && m_pPainted && pEvent->type() == QEvent::Paint) {
        const bool bResult = QApplication::notify(pReceiver, pEvent);
        m_pPainted = nullptr; // the first paint only
        if (m_fnPainted)
            m_fnPainted();
        return bResult;
    }
    if (m_nDepth > 0 || QThread::currentThread() != thread())
        return QApplication::notify(pReceiver, pEvent);
    const qint64 nMarks = m_nMarks;
    const QEvent::Type type = pEvent->type(); // the event may not outlive delivery
    const char* szClass = pReceiver->metaObject()->className();
    QElapsedTimer timer;
    timer.start();
    const qint64 nCpuStart = threadCpuNs();
    ++m_nDepth;
    const bool bResult = QApplication::notify(pReceiver, pEvent);
    --m_nDepth;
    const qint64 nNs = timer.nsecsElapsed();
    if (m_nMarks != nMarks) {
        m_nWorkNs += nNs;
        m_nWorkCpuNs += threadCpuNs() - nCpuStart;
        m_nMaxWorkNs = qMax(m_nMaxWorkNs, nNs);
        ++m_nWorkEvents;
    }
    constexpr int KeptSlow = 5;
    if (m_vecSlow.size() < KeptSlow || nNs > m_vecSlow.last().nNs) {
        const QString strWhat = QString("%1 to %2%3")
                                    .arg(int(type))
                                    .arg(QString::fromLatin1(szClass))
                                    .arg(m_nMarks != nMarks ? " (applying results)" : "");
        m_vecSlow.append({nNs, strWhat});
        std::sort(m_vecSlow.begin(), m_vecSlow.end(),
                  [](const Slow& a, const Slow& b) { return a.nNs > b.nNs; });
        m_vecSlow.resize(qMin(m_vecSlow.size(), KeptSlow));
    }
    return bResult;
}

void BenchApp::resetTimed()
{
    m_nWorkNs = 0;
    m_nWorkCpuNs = 0;
    m_nMaxWorkNs = 0;
    m_nWorkEvents = 0;
    m_vecSlow.clear();
}

QStringList BenchApp::longestEvents() const
{
    QStringList lst;
    for (const Slow& slow : m_vecSlow)
        lst << QString("%1 ms: event %2").arg(slow.nNs / 1e6, 0, 'f', 2).arg(slow.strWhat);
    return lst;
}

void BenchApp::onPaintDone(QObject* pWidget, std::function<void()> fnDone)
{
    m_pPainted = pWidget;
    m_fnPainted = std::move(fnDone);
}

BenchEnv::BenchEnv()
{
    initScrbResources();
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
    m_pSettings = std::make_unique<CSettings>("Norvel Software", "scrb");
    g_pSettings = m_pSettings.get();
}

BenchEnv::~BenchEnv()
{
    g_pSettings = nullptr;
}

qint64 procStatusKb(const char* szKey)
{
    QFile file("/proc/self/status");
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray arrKey = QByteArray(szKey) + ':';
    for (const QByteArray& arrLine : file.readAll().split('\n')) {
        if (arrLine.startsWith(arrKey))
            return arrLine.mid(arrKey.size()).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

void resetPeakRss()
{
    QFile file("/proc/self/clear_refs");
    if (file.open(QIODevice::WriteOnly))
        file.write("5");
}

QByteArray readWholeFile(const QString& strPath)
{
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

void printFigure(const QString& strName, const QString& strValue)
{
    std::fprintf(stdout, "%s: %s\n", qPrintable(strName), qPrintable(strValue));
    std::fflush(stdout);
}

void printFigure(const QString& strName, double dValue, int nDecimals)
{
    printFigure(strName, QString::number(dValue, 'f', nDecimals));
}

void note(const QString& strText)
{
    std::fprintf(stderr, "%s\n", qPrintable(strText));
    std::fflush(stderr);
}

bool runUntil(const std::function<bool()>& fnDone, int nTimeoutMs)
{
    if (fnDone())
        return true;
    QEventLoop loop;
    QTimer check;
    check.setInterval(2);
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (fnDone())
            loop.quit();
    });
    QTimer::singleShot(nTimeoutMs, &loop, &QEventLoop::quit);
    check.start();
    loop.exec();
    return fnDone();
}
