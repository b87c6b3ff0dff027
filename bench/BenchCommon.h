#ifndef BENCHCOMMON_H
#define BENCHCOMMON_H

#include <QApplication>
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVector>
#include <functional>
#include <memory>

class CSettings;

// The application of a measuring child process. It times every outermost
// event; those during which markWork() was called count as the GUI-thread
// share of background work, whatever object they were delivered to. It also
// keeps the longest events (to tell what a stall was) and calls back once a
// widget has finished handling a paint event.
class BenchApp : public QApplication
{
public:
    BenchApp(int& argc, char** argv);

    bool notify(QObject* pReceiver, QEvent* pEvent) override;

    void markWork() { ++m_nMarks; }
    void resetTimed();
    qint64 workNs() const { return m_nWorkNs; }
    qint64 workCpuNs() const { return m_nWorkCpuNs; }
    qint64 maxWorkNs() const { return m_nMaxWorkNs; }
    int workEvents() const { return m_nWorkEvents; }
    // The longest outermost events since resetTimed(), longest first.
    QStringList longestEvents() const;
    qint64 longestEventNs() const { return m_vecSlow.isEmpty() ? 0 : m_vecSlow.first().nNs; }

    void onPaintDone(QObject* pWidget, std::function<void()> fnDone);

private:
    struct Slow
    {
        qint64 nNs;
        QString strWhat;
    };
    int m_nDepth = 0;
    qint64 m_nMarks = 0;
    qint64 m_nWorkNs = 0;
    qint64 m_nWorkCpuNs = 0;
    qint64 m_nMaxWorkNs = 0;
    int m_nWorkEvents = 0;
    QVector<Slow> m_vecSlow;
    QObject* m_pPainted = nullptr;
    std::function<void()> m_fnPainted;
};

// Settings in a throw-away folder and the globals the editor reads.
class BenchEnv
{
public:
    BenchEnv();
    ~BenchEnv();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<CSettings> m_pSettings;
};

// CPU time of the calling thread.
qint64 threadCpuNs();
// A value from /proc/self/status in kB (VmRSS, VmHWM); -1 when absent.
qint64 procStatusKb(const char* szKey);
// Lets VmHWM start again from the current RSS, so that it measures this
// process's work only.
void resetPeakRss();

QByteArray readWholeFile(const QString& strPath);

// One "name: value" line on stdout, flushed at once (the parent reads it).
void printFigure(const QString& strName, const QString& strValue);
void printFigure(const QString& strName, double dValue, int nDecimals = 1);
// Progress and diagnostics go to stderr.
void note(const QString& strText);

// Runs the event loop until fnDone() holds or the timeout passes, checking
// every few milliseconds without sleeping the GUI thread; returns fnDone().
bool runUntil(const std::function<bool()>& fnDone, int nTimeoutMs);

#endif
