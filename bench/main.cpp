// scrb_bench: measures opening, codec detection, highlighting, the editing
// aids (Replace All, Find Next, Formatting), sessions and recovery, and
// listing a folder of 100,000 entries. Without arguments it generates the
// inputs, runs every measurement in a fresh child process (so memory and
// caches don't carry over) and prints one "name: value" line per figure.
#include "BenchChildren.h"
#include "BenchCommon.h"
#include "BenchData.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
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
constexpr int BigCppLines = 1000000;
constexpr int RandomBytes = 50 * 1024 * 1024;
constexpr qint64 LongLineBytes = 5LL * 1024 * 1024;
constexpr int FolderEntries = 100000;
constexpr int PageBytes = 1024 * 1024;
const QStringList AllGroups = {"open", "detect", "hl", "session", "folder", "edit", "page", "large"};

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
    if (strMode == "open-background")
        return childOpenBackground(nQtArgc, argv, strArg1, strArg2);
    if (strMode == "save")
        return childSave(nQtArgc, argv, strArg1);
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
    if (strMode == "longline-sweep")
        return childLongLineSweep(nQtArgc, argv, strArg1);
    if (strMode == "longline-open")
        return childLongLineOpen(nQtArgc, argv, strArg1, strArg2);
    if (strMode == "type-colour")
        return childTypeColour(nQtArgc, argv, strArg1, strArg2);
    if (strMode == "ksh")
        return childKdeHighlighter(strArg1);
    if (strMode == "recovery")
        return childRecoveryStall(nQtArgc, argv, strArg1);
    if (strMode == "startup")
        return childStartup(nQtArgc, argv, strArg1);
    if (strMode == "folder")
        return childFolderOurs(nQtArgc, argv, strArg1, strArg2.toInt());
    if (strMode == "qfsm")
        return childFolderQfsm(nQtArgc, argv, strArg1, strArg2.toInt());
    if (strMode == "replace-all")
        return childReplaceAll(nQtArgc, argv);
    if (strMode == "find-next")
        return childFindNext(nQtArgc, argv);
    if (strMode == "format-json")
        return childFormatJson(nQtArgc, argv, strArg1);
    if (strMode == "page")
        return childPage(nQtArgc, argv, strArg1);
    if (strMode == "page-window")
        return childPageWindow(nQtArgc, argv, strArg1);
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
    QStringList lstGroups = AllGroups;
    const QStringList lstArgs = app.arguments().mid(1);
    for (int i = 0; i < lstArgs.size(); ++i) {
        if (lstArgs.at(i) == "--reps" && i + 1 < lstArgs.size())
            nReps = qMax(1, lstArgs.at(++i).toInt());
        else if (lstArgs.at(i) == "--defs" && i + 1 < lstArgs.size())
            strDefDir = lstArgs.at(++i);
        else if (lstArgs.at(i) == "--generate" && i + 1 < lstArgs.size())
            strKeepDir = lstArgs.at(++i);
        else if (lstArgs.at(i) == "--only" && i + 1 < lstArgs.size()
                 && AllGroups.contains(lstArgs.at(i + 1)))
            lstGroups = QStringList {lstArgs.at(++i)};
        else {
            note("usage: scrb_bench [--reps N] [--defs <language definition folder>]\n"
                 "                  [--only open|detect|hl|session|folder|edit|page|large]\n"
                 "       scrb_bench --generate <folder>   (only writes the inputs there)");
            return 2;
        }
    }

    QTemporaryDir tempDir;
    const QDir dir(strKeepDir.isEmpty() ? tempDir.path() : strKeepDir);
    const QString strMixed = dir.filePath("mixed_50mb.txt");
    const QString strCpp = dir.filePath("source_100k.cpp");
    const QString strPage = dir.filePath("page_1mb.html");
    const QString strLongLine = dir.filePath("one_line_5mb.json");
    const QString strBigCpp = dir.filePath("source_1m.cpp");
    note("generating inputs in " + dir.path() + "; load average " + loadAverage());
    const bool bTextInputs =
        lstGroups.contains("open") || lstGroups.contains("hl") || lstGroups.contains("session");
    if ((bTextInputs
         && (!writeFile(strMixed, makeMixedText(MixedBytes, MixedLines))
             || !writeFile(strCpp, makeCppSource(CppLines))))
        || (lstGroups.contains("page") && !writeFile(strPage, makeHtmlPage(PageBytes)))
        || (lstGroups.contains("large")
            && (!writeFile(strLongLine, makeMinifiedJson(LongLineBytes))
                || !writeFile(strBigCpp, makeCppSource(BigCppLines))))) {
        note("cannot write the inputs");
        return 1;
    }
    // Creating 100,000 files on a disk takes minutes where a memory file
    // system takes seconds; both models list the same folder.
    const QString strShm = "/dev/shm";
    QTemporaryDir folderTemp(QFileInfo(strShm).isWritable() ? strShm + "/scrb_bench_XXXXXX"
                                                            : QString());
    const QString strFolder = strKeepDir.isEmpty() ? folderTemp.filePath("folder_100k")
                                                   : dir.filePath("folder_100k");
    if (lstGroups.contains("folder") && !makeFolder(strFolder, FolderEntries)) {
        note("cannot make the folder " + strFolder);
        return 1;
    }
    if (!strKeepDir.isEmpty())
        return 0;

    Collector results;
    for (int nRep = 1; nRep <= nReps && lstGroups.contains("open"); ++nRep) {
        note(QString("open, run %1/%2").arg(nRep).arg(nReps));
        results.add(runChild({"open-raw", strMixed}));
        results.add(runChild({"open-qpte", strMixed}));
        results.add(runChild({"open-ours", strMixed, strDefDir}));
        results.add(runChild({"open-background", strMixed, strDefDir}));
        results.add(runChild({"save", strMixed}));
    }
    for (int nRep = 1; nRep <= nReps && lstGroups.contains("large"); ++nRep) {
        note(QString("long lines and typing far down, run %1/%2").arg(nRep).arg(nReps));
        results.add(runChild({"longline-open", strLongLine, strDefDir}));
        results.add(runChild({"type-colour", strBigCpp, strDefDir}));
    }
    if (lstGroups.contains("large")) {
        note("keystrokes by line length");
        results.add(runChild({"longline-sweep", strDefDir}));
    }
    if (lstGroups.contains("detect")) {
        note("codec detection");
        results.add(runChild({"detect"}));
    }
    for (int nRep = 1; nRep <= nReps && lstGroups.contains("hl"); ++nRep) {
        note(QString("highlighting, run %1/%2").arg(nRep).arg(nReps));
        results.add(runChild({"hl", strCpp, strDefDir}));
        results.add(runChild({"qsh", strCpp, strDefDir}));
        results.add(runChild({"lex", strCpp, strDefDir}));
        results.add(runChild({"ksh", strCpp}));
        results.add(runChild({"stall", strCpp, strDefDir}));
    }
    if (lstGroups.contains("session")) {
        note("session and recovery");
        QStringList lstSessionFiles;
        const QString strSession = dir.filePath("session");
        for (int i = 0; i < 20; ++i) {
            lstSessionFiles << dir.filePath(QString("restored_%1.cpp").arg(i));
            writeFile(lstSessionFiles.last(), makeCppSource(2500)); // about 100 KB
        }
        writeSession(strSession, lstSessionFiles);
        for (int nRep = 1; nRep <= nReps; ++nRep) {
            results.add(runChild({"startup", QString()}));
            results.add(runChild({"startup", strSession}));
        }
        results.add(runChild({"recovery", strMixed}));
    }
    for (int nRep = 1; nRep <= nReps && lstGroups.contains("folder"); ++nRep) {
        note(QString("folder listing, run %1/%2").arg(nRep).arg(nReps));
        results.add(runChild({"folder", strFolder, QString::number(FolderEntries)}));
        results.add(runChild({"qfsm", strFolder, QString::number(FolderEntries)}));
    }
    for (int nRep = 1; nRep <= nReps && lstGroups.contains("edit"); ++nRep) {
        note(QString("editing aids, run %1/%2").arg(nRep).arg(nReps));
        results.add(runChild({"replace-all"}));
        results.add(runChild({"find-next"}));
        results.add(runChild({"format-json", strDefDir}));
    }
    for (int nRep = 1; nRep <= nReps && lstGroups.contains("page"); ++nRep) {
        note(QString("page editor, run %1/%2").arg(nRep).arg(nReps));
        results.add(runChild({"page", strPage}));
        results.add(runChild({"page-window", strPage}));
    }
    for (const char* szName :
         {"page_open_1mb_ms", "page_gui_max_stall_ms", "page_save_1mb_ms",
          "page_window_open_1mb_ms", "page_window_max_stall_ms", "open_ours_ms", "open_qpte_ms",
          "open_raw_ms", "hl_pass_100k_ms", "hl_gui_busy_per_pass_ms",
          "hl_gui_cpu_per_pass_ms",
          "qsh_pass_100k_ms", "lex_only_100k_ms", "ksh_pass_100k_ms", "hl_gui_max_stall_ms",
          "hl_first_key_ms", "folder_100k_ms", "folder_gui_max_stall_ms", "qfsm_100k_ms",
          "qfsm_gui_max_stall_ms", "folder_leave_100k_ms", "replace_all_100k_ms",
          "find_next_worst_ms", "format_json_10mb_ms"})
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
    printValue("open_50mb_first_screen_ms", results.value("open_50mb_first_screen_ms"), 1);
    printValue("open_50mb_max_stall_ms", results.value("open_50mb_max_stall_ms"), 1);
    printValue("open_50mb_editable_ms", results.value("open_50mb_editable_ms"), 1);
    printValue("open_50mb_rss_mb", results.value("open_50mb_rss_mb"), 1);
    printValue("open_50mb_peak_rss_mb", results.value("open_50mb_peak_rss_mb"), 1);
    printValue("open_50mb_editable_rss_ratio",
               results.value("open_50mb_rss_mb") / results.value("open_qpte_rss_mb"), 2);
    printValue("save_50mb_ms", results.value("save_50mb_ms"), 1);
    printValue("save_50mb_max_stall_ms", results.value("save_50mb_max_stall_ms"), 1);
    printValue("save_50mb_snapshot_cpu_ms", results.value("save_50mb_snapshot_cpu_ms"), 1);
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
    printValue("hl_type_colour_ms", results.value("hl_type_colour_ms"), 2);
    printValue("hl_type_colour_max_ms", results.value("hl_type_colour_max_ms"), 2);
    printValue("longline_5mb_open_ms", results.value("longline_5mb_open_ms"), 1);
    printValue("longline_5mb_key_ms", results.value("longline_5mb_key_ms"), 2);
    for (int nLength : {5000, 10000, 20000, 50000}) {
        for (const char* szWhat : {"key", "apply"}) {
            const QString strName = QString("longline_%1_%2_ms").arg(szWhat).arg(nLength);
            printValue(strName, results.value(strName), 2);
        }
    }
    printValue("startup_empty_ms", results.value("startup_empty_ms"), 1);
    printValue("session_restore_20_ms", results.value("session_restore_20_ms"), 1);
    printValue("session_restore_ratio",
               results.value("session_restore_20_ms") / results.value("startup_empty_ms"), 2);
    printValue("recovery_write_50mb_ms", results.value("recovery_write_50mb_ms"), 0);
    printValue("recovery_write_50mb_gui_stall_ms", results.value("recovery_write_50mb_gui_stall_ms"), 1);
    const double dFolder = results.value("folder_100k_ms");
    const double dQfsm = results.value("qfsm_100k_ms");
    printValue("folder_100k_ms", dFolder, 1);
    printValue("folder_gui_max_stall_ms", results.value("folder_gui_max_stall_ms"), 2);
    printValue("folder_leave_100k_ms", results.value("folder_leave_100k_ms"), 1);
    printValue("qfsm_100k_ms", dQfsm, 1);
    printValue("qfsm_gui_max_stall_ms", results.value("qfsm_gui_max_stall_ms"), 2);
    printValue("folder_vs_qfsm", dFolder / dQfsm, 2);
    const double dReplace = results.value("replace_all_100k_ms");
    printValue("replace_all_100k_ms", dReplace, 1);
    printValue("replace_qstring_ms", results.value("replace_qstring_ms"), 2);
    printValue("replace_all_ratio", dReplace / results.value("replace_qstring_ms"), 2);
    const double dFind = results.value("find_next_worst_ms");
    printValue("find_next_worst_ms", dFind, 2);
    printValue("find_next_again_ms", results.value("find_next_again_ms"), 2);
    printValue("find_indexof_ms", results.value("find_indexof_ms"), 2);
    printValue("find_next_ratio", dFind / results.value("find_indexof_ms"), 2);
    printValue("find_next_again_ratio",
               results.value("find_next_again_ms") / results.value("find_indexof_ms"), 2);
    const double dFormat = results.value("format_json_10mb_ms");
    printValue("format_json_10mb_ms", dFormat, 1);
    printValue("format_json_qt_ms", results.value("format_json_qt_ms"), 1);
    printValue("format_json_layout_ms", results.value("format_json_layout_ms"), 1);
    printValue("format_json_setplaintext_ms", results.value("format_json_setplaintext_ms"), 1);
    printValue("format_json_ratio", dFormat / results.value("format_json_qt_ms"), 2);
    printValue("page_open_1mb_ms", results.value("page_open_1mb_ms"), 1);
    printValue("page_gui_max_stall_ms", results.value("page_gui_max_stall_ms"), 2);
    printValue("page_save_1mb_ms", results.value("page_save_1mb_ms"), 1);
    printValue("page_window_open_1mb_ms", results.value("page_window_open_1mb_ms"), 1);
    printValue("page_window_max_stall_ms", results.value("page_window_max_stall_ms"), 2);
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
