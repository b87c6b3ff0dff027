// scrb_bench: measures opening, codec detection and highlighting of large
// files. Without arguments it generates the inputs, runs every measurement
// in a fresh child process (so memory and caches don't carry over) and
// prints one "name: value" line per figure.
#include "BenchChildren.h"
#include "BenchCommon.h"
#include "BenchData.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <algorithm>
#include <cstring>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr qint64 MixedBytes = 50LL * 1024 * 1024;
constexpr int MixedLines = 1000000;
constexpr int CppLines = 100000;
constexpr int RandomBytes = 50 * 1024 * 1024;

using Figures = QMap<QString, QString>;

int dispatchChild(int argc, char** argv)
{
    const QString strMode = QString::fromLocal8Bit(argv[2]);
    const QString strArg1 = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    const QString strArg2 = argc > 4 ? QString::fromLocal8Bit(argv[4]) : QString();
    // Qt sees only the program name.
    int nQtArgc = 1;
    if (strMode == "open-ours")
        return childOpenOurs(nQtArgc, argv, strArg1, strArg2);
    if (strMode == "open-qpte")
        return childOpenBare(nQtArgc, argv, strArg1);
    if (strMode == "open-raw")
        return childOpenRaw(strArg1);
    if (strMode == "detect")
        return childDetect(RandomBytes);
    if (strMode == "hl")
        return childHighlightPass(nQtArgc, argv, strArg1, strArg2);
    if (strMode == "qsh")
        return childQtHighlighter(nQtArgc, argv, strArg1, strArg2);
    if (strMode == "lex")
        return childLexOnly(strArg1, strArg2);
    if (strMode == "stall")
        return childTypingStall(nQtArgc, argv, strArg1, strArg2);
    if (strMode == "ksh")
        return childKdeHighlighter(strArg1);
    note("unknown mode " + strMode);
    return 2;
}

Figures runChild(const QStringList& lstArgs)
{
    QProcess proc;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains("QT_QPA_PLATFORM"))
        env.insert("QT_QPA_PLATFORM", "offscreen");
    if (!env.contains("LC_ALL"))
        env.insert("LC_ALL", "en_US.UTF-8");
    if (!env.contains("QT_LOGGING_RULES"))
        env.insert("QT_LOGGING_RULES", "qt.qpa.*=false");
    proc.setProcessEnvironment(env);
    proc.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    proc.start(QCoreApplication::applicationFilePath(), QStringList {"--child"} + lstArgs);
    Figures figures;
    if (!proc.waitForFinished(15 * 60 * 1000) || proc.exitStatus() != QProcess::NormalExit
        || proc.exitCode() != 0) {
        note(QString("child %1 failed (exit %2)").arg(lstArgs.join(' ')).arg(proc.exitCode()));
        proc.kill();
        proc.waitForFinished();
    }
    const QList<QByteArray> lstLines = proc.readAllStandardOutput().split('\n');
    for (const QByteArray& arrLine : lstLines) {
        const int nColon = arrLine.indexOf(": ");
        if (nColon > 0)
            figures.insert(QString::fromUtf8(arrLine.left(nColon)),
                           QString::fromUtf8(arrLine.mid(nColon + 2)).trimmed());
    }
    return figures;
}

// Other work on the machine skews every figure; the log says how busy it was.
QString loadAverage()
{
    QFile file("/proc/loadavg");
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()).section(' ', 0, 2)
                                          : QString("?");
}

// CPU seconds the whole machine has been busy since boot.
double machineBusySeconds()
{
    QFile file("/proc/stat");
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    // cpu user nice system idle iowait irq softirq steal
    const QList<QByteArray> lst = file.readLine().simplified().split(' ');
    double dTicks = 0;
    for (int i : {1, 2, 3, 6, 7, 8})
        dTicks += lst.value(i).toDouble();
    return dTicks / sysconf(_SC_CLK_TCK);
}

// CPU seconds used by this process and its finished children.
double ownBusySeconds()
{
    double dSeconds = 0;
    for (int nWho : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        rusage usage {};
        getrusage(nWho, &usage);
        dSeconds += usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec
                    + usage.ru_stime.tv_usec / 1e6;
    }
    return dSeconds;
}

// Median of the runs that gave a number; NaN when none did.
double median(QVector<double> vec)
{
    if (vec.isEmpty())
        return qQNaN();
    std::sort(vec.begin(), vec.end());
    const int n = vec.size();
    return n % 2 ? vec.at(n / 2) : (vec.at(n / 2 - 1) + vec.at(n / 2)) / 2;
}

class Collector
{
public:
    void add(const Figures& figures)
    {
        for (auto it = figures.constBegin(); it != figures.constEnd(); ++it) {
            bool bOk = false;
            const double d = it.value().toDouble(&bOk);
            if (bOk)
                m_mapRuns[it.key()].append(d);
            else
                m_mapText[it.key()] = it.value();
        }
    }
    double value(const QString& strName) const { return median(m_mapRuns.value(strName)); }
    QString text(const QString& strName) const { return m_mapText.value(strName, "n/a"); }
    QString runs(const QString& strName) const
    {
        QStringList lst;
        for (double d : m_mapRuns.value(strName))
            lst << QString::number(d, 'f', 1);
        return lst.join(", ");
    }

private:
    QMap<QString, QVector<double>> m_mapRuns;
    QMap<QString, QString> m_mapText;
};

void printValue(const QString& strName, double d, int nDecimals)
{
    printFigure(strName, qIsNaN(d) ? QString("n/a") : QString::number(d, 'f', nDecimals));
}

int orchestrate(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QElapsedTimer total;
    total.start();
    const double dMachineStart = machineBusySeconds();
    const double dOwnStart = ownBusySeconds();
    int nReps = 5;
    QString strDefDir = QStringLiteral(SCRB_HIGHLIGHTER_DIR);
    QString strKeepDir;
    const QStringList lstArgs = app.arguments().mid(1);
    for (int i = 0; i < lstArgs.size(); ++i) {
        if (lstArgs.at(i) == "--reps" && i + 1 < lstArgs.size())
            nReps = qMax(1, lstArgs.at(++i).toInt());
        else if (lstArgs.at(i) == "--defs" && i + 1 < lstArgs.size())
            strDefDir = lstArgs.at(++i);
        else if (lstArgs.at(i) == "--generate" && i + 1 < lstArgs.size())
            strKeepDir = lstArgs.at(++i);
        else {
            note("usage: scrb_bench [--reps N] [--defs <language definition folder>]\n"
                 "       scrb_bench --generate <folder>   (only writes the inputs there)");
            return 2;
        }
    }

    QTemporaryDir tempDir;
    const QDir dir(strKeepDir.isEmpty() ? tempDir.path() : strKeepDir);
    const QString strMixed = dir.filePath("mixed_50mb.txt");
    const QString strCpp = dir.filePath("source_100k.cpp");
    note("generating inputs in " + dir.path() + "; load average " + loadAverage());
    if (!writeFile(strMixed, makeMixedText(MixedBytes, MixedLines))
        || !writeFile(strCpp, makeCppSource(CppLines))) {
        note("cannot write the inputs");
        return 1;
    }
    if (!strKeepDir.isEmpty())
        return 0;

    Collector results;
    for (int nRep = 1; nRep <= nReps; ++nRep) {
        note(QString("open, run %1/%2").arg(nRep).arg(nReps));
        results.add(runChild({"open-raw", strMixed}));
        results.add(runChild({"open-qpte", strMixed}));
        results.add(runChild({"open-ours", strMixed, strDefDir}));
    }
    note("codec detection");
    results.add(runChild({"detect"}));
    for (int nRep = 1; nRep <= nReps; ++nRep) {
        note(QString("highlighting, run %1/%2").arg(nRep).arg(nReps));
        results.add(runChild({"hl", strCpp, strDefDir}));
        results.add(runChild({"qsh", strCpp, strDefDir}));
        results.add(runChild({"lex", strCpp, strDefDir}));
        results.add(runChild({"ksh", strCpp}));
        results.add(runChild({"stall", strCpp, strDefDir}));
    }
    for (const char* szName :
         {"open_ours_ms", "open_qpte_ms", "open_raw_ms", "hl_pass_100k_ms", "hl_gui_busy_per_pass_ms",
          "hl_gui_cpu_per_pass_ms",
          "qsh_pass_100k_ms", "lex_only_100k_ms", "ksh_pass_100k_ms", "hl_gui_max_stall_ms",
          "hl_first_key_ms"})
        note(QString("  runs of %1: %2").arg(szName, results.runs(szName)));

    note(QString("load average at the end %1; other processes used %2 CPU seconds meanwhile")
             .arg(loadAverage())
             .arg(machineBusySeconds() - dMachineStart - (ownBusySeconds() - dOwnStart), 0, 'f',
                  1));
    const double dOurs = results.value("open_ours_ms");
    const double dBare = results.value("open_qpte_ms");
    const double dRaw = results.value("open_raw_ms");
    const double dDetect = results.value("detect_50mb_binary_ms");
    const double dDecode = results.value("detect_utf8_decode_ms");
    const double dPass = results.value("hl_pass_100k_ms");
    const double dKsh = results.value("ksh_pass_100k_ms");
    const double dQsh = results.value("qsh_pass_100k_ms");
    printValue("open_50mb_ms", dOurs, 1);
    printValue("open_qpte_ms", dBare, 1);
    printValue("open_raw_ms", dRaw, 1);
    printValue("open_ratio", dOurs / dBare, 2);
    printValue("open_raw_ratio", dOurs / dRaw, 2);
    printValue("open_ours_rss_mb", results.value("open_ours_rss_mb"), 1);
    printValue("open_qpte_rss_mb", results.value("open_qpte_rss_mb"), 1);
    printValue("open_50mb_rss_ratio",
               results.value("open_ours_rss_mb") / results.value("open_qpte_rss_mb"), 2);
    printValue("open_ours_hl_done_ms", results.value("open_ours_hl_done_ms"), 1);
    printValue("open_ours_hl_done_rss_mb", results.value("open_ours_hl_done_rss_mb"), 1);
    printValue("open_ours_first_key_ms", results.value("open_ours_first_key_ms"), 2);
    printValue("open_qpte_first_key_ms", results.value("open_qpte_first_key_ms"), 2);
    printValue("detect_50mb_binary_ms", dDetect, 1);
    printValue("detect_utf8_decode_ms", dDecode, 1);
    printValue("detect_ratio", dDetect / dDecode, 2);
    printFigure("detect_50mb_binary_codec", results.text("detect_50mb_binary_codec"));
    printValue("hl_pass_100k_ms", dPass, 1);
    printValue("hl_lines_per_s", results.value("hl_lines_per_s"), 0);
    printValue("hl_gui_busy_per_pass_ms", results.value("hl_gui_busy_per_pass_ms"), 1);
    printValue("hl_gui_cpu_per_pass_ms", results.value("hl_gui_cpu_per_pass_ms"), 1);
    printValue("hl_gui_longest_turn_ms", results.value("hl_gui_longest_turn_ms"), 2);
    if (qIsNaN(dKsh)) {
        printFigure("ksh_pass_100k_ms", QString("n/a"));
        printFigure("hl_vs_ksh", QString("n/a"));
    } else {
        printValue("ksh_pass_100k_ms", dKsh, 1);
        printValue("hl_vs_ksh", dPass / dKsh, 2);
    }
    printValue("qsh_pass_100k_ms", dQsh, 1);
    printValue("hl_vs_qsh", dPass / dQsh, 2);
    printValue("lex_only_100k_ms", results.value("lex_only_100k_ms"), 1);
    printValue("hl_gui_max_stall_ms", results.value("hl_gui_max_stall_ms"), 2);
    printValue("hl_gui_stalls_over_16ms", results.value("hl_gui_stalls_over_16ms"), 0);
    printValue("hl_first_key_ms", results.value("hl_first_key_ms"), 2);
    printValue("hl_other_keys_max_ms", results.value("hl_other_keys_max_ms"), 2);
    printFigure("runs_per_figure", QString::number(nReps));
    printValue("bench_total_s", total.elapsed() / 1000.0, 1);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--child") == 0)
        return dispatchChild(argc, argv);
    return orchestrate(argc, argv);
}
