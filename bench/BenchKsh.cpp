// The same C++ source through KDE's syntax-highlighting engine, as a
// baseline for the editor's own pass.
#include "BenchChildren.h"
#include "BenchCommon.h"

#ifdef SCRB_BENCH_HAVE_KSH

#include <KSyntaxHighlighting/AbstractHighlighter>
#include <KSyntaxHighlighting/Definition>
#include <KSyntaxHighlighting/Format>
#include <KSyntaxHighlighting/Repository>
#include <KSyntaxHighlighting/State>
#include <KSyntaxHighlighting/Theme>
#include <QElapsedTimer>
#include <QStringList>
#include <QVector>
#include <vector>

namespace {

struct Range
{
    int nOffset;
    int nLength;
    KSyntaxHighlighting::Format format;
};

// Collects each line's ranges, as the editor's lexer hands back a list.
class CollectingHighlighter : public KSyntaxHighlighting::AbstractHighlighter
{
public:
    KSyntaxHighlighting::State line(QStringView text, const KSyntaxHighlighting::State& state,
                                    QVector<Range>& vecRanges)
    {
        m_pRanges = &vecRanges;
        return highlightLine(text, state);
    }

protected:
    void applyFormat(int nOffset, int nLength, const KSyntaxHighlighting::Format& format) override
    {
        m_pRanges->append({nOffset, nLength, format});
    }

private:
    QVector<Range>* m_pRanges = nullptr;
};

} // namespace

int childKdeHighlighter(const QString& strPath)
{
    const QString strText = QString::fromUtf8(readWholeFile(strPath));
    const QStringList lstLines = strText.split('\n');
    KSyntaxHighlighting::Repository repo;
    const KSyntaxHighlighting::Definition def = repo.definitionForName("C++");
    if (!def.isValid()) {
        note("KSyntaxHighlighting has no C++ definition");
        return 1;
    }
    CollectingHighlighter highlighter;
    highlighter.setDefinition(def);
    highlighter.setTheme(repo.defaultTheme());
    {
        // The definition loads on first use; that is not part of a pass.
        QVector<Range> vecWarm;
        highlighter.line(QStringLiteral("int main() { return 0; }"), {}, vecWarm);
    }
    std::vector<QVector<Range>> vecResults(lstLines.size());
    KSyntaxHighlighting::State state;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < lstLines.size(); ++i)
        state = highlighter.line(lstLines.at(i), state, vecResults[i]);
    const qint64 nNs = timer.nsecsElapsed();
    qint64 nRanges = 0;
    for (const QVector<Range>& vec : vecResults)
        nRanges += vec.size();
    note(QString("  KSyntaxHighlighting %1: %2 lines, %3 ranges")
             .arg(def.name()).arg(lstLines.size()).arg(nRanges));
    printFigure("ksh_pass_100k_ms", nNs / 1e6);
    return 0;
}

#else

int childKdeHighlighter(const QString&)
{
    printFigure("ksh_pass_100k_ms", QString("n/a"));
    return 0;
}

#endif
