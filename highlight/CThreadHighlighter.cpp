#include "highlight/CThreadHighlighter.h"

#include "highlight/BlockLexer.h"
#include "highlight/CTextDocument.h"
#include "highlight/FormatHash.h"

#include <QElapsedTimer>
#include <QTextBlock>
#include <QTimer>

namespace {
// Beyond this many changed blocks the whole text is handed over at once.
constexpr int WholeTextThreshold = 2000;
// The GUI thread applies results for at most this long per turn.
constexpr qint64 DrainBudgetNs = 6 * 1000 * 1000;
using Lock = std::lock_guard<std::mutex>;
} // namespace

CThreadHighlighter::CThreadHighlighter(CTextDocument* pDoc)
    : QThread(pDoc)
    , m_pDoc(pDoc)
    , m_clrSelected(selectionMark(0, 0).format.background().color())
    , m_pRules(std::make_shared<CSyntaxRules>())
{
    qRegisterMetaType<QVector<QTextLayout::FormatRange>>("QVector<QTextLayout::FormatRange>");
    connect(this, &CThreadHighlighter::blockFormatChanged, pDoc, &CTextDocument::onHighlightBlock,
            Qt::DirectConnection);
    connect(this, &CThreadHighlighter::selectedChanged, pDoc, &CTextDocument::onHighlightSelected,
            Qt::DirectConnection);
    // Runs on the GUI thread during every change, after the document has
    // counted its new version.
    connect(pDoc, &QTextDocument::contentsChange, this, &CThreadHighlighter::onContentsChange,
            Qt::DirectConnection);
    m_timerDrain.setInterval(5);
    connect(&m_timerDrain, &QTimer::timeout, this, &CThreadHighlighter::drainResults);
    m_nVer = pDoc->version();
    if (!pDoc->isEmpty())
        m_mirror.reset(pDoc->toRawText());
}

CThreadHighlighter::~CThreadHighlighter()
{
    stopAndWait();
}

void CThreadHighlighter::stopAndWait()
{
    m_bStop = true;
    wait();
    Lock lock(m_mutexRun);
    m_bRunning = false;
}

void CThreadHighlighter::retire()
{
    m_bRetired = true;
    m_bStop = true;
    m_bFilling = false;
    m_timerDrain.stop();
    if (m_pDoc) {
        disconnect(m_pDoc, nullptr, this, nullptr);
        disconnect(this, nullptr, m_pDoc, nullptr);
        m_pDoc = nullptr;
    }
    setParent(nullptr);
    // Queued to this (GUI) thread; checked again after connecting, since
    // the thread may have ended in between.
    connect(this, &QThread::finished, this, &QObject::deleteLater);
    if (!isRunning())
        deleteLater();
}

std::shared_ptr<const CSyntaxRules> CThreadHighlighter::currentRules(QString* pSelected) const
{
    Lock lock(m_mutex);
    if (pSelected)
        *pSelected = m_strSelected;
    return m_pRules;
}

bool CThreadHighlighter::isBusy()
{
    {
        Lock lock(m_mutexRun);
        if (m_bRunning)
            return true;
    }
    Lock lock(m_mutexResults);
    return !m_dequeResults.empty();
}

void CThreadHighlighter::requestBlocks(int nFirst, int nLast)
{
    {
        Lock lock(m_mutexEdits);
        m_nReqFirst = m_nReqFirst < 0 ? nFirst : qMin(m_nReqFirst, nFirst);
        m_nReqLast = qMax(m_nReqLast, nLast);
    }
    m_bReqBlocks = true;
    startPass();
}

void CThreadHighlighter::serveRequestedBlocks()
{
    int nFirst = -1;
    int nLast = -1;
    {
        Lock lock(m_mutexEdits);
        std::swap(nFirst, m_nReqFirst);
        std::swap(nLast, m_nReqLast);
        m_bReqBlocks = false;
    }
    QString strSelected;
    const std::shared_ptr<const CSyntaxRules> pRules = currentRules(&strSelected);
    for (int nBlock = qMax(0, nFirst); nBlock <= nLast && nBlock < m_mirror.count(); ++nBlock) {
        if (m_bStop)
            return;
        // The block states are the pass's; a block lexed here from states a
        // running pass has not renewed yet is sent again by that pass.
        const int nPrev = nBlock > 0 ? m_mirror.state(nBlock - 1) : -1;
        LexResult result = lexBlock(*pRules, m_mirror.line(nBlock), nPrev, [this] { return m_bStop.load(); });
        if (result.bAborted)
            return;
        pushResult({false, m_nVer, nBlock, std::move(result.lstRanges), result.nHash});
        highlightSelected(nBlock, strSelected);
    }
}

void CThreadHighlighter::pushResult(Result&& result)
{
    Lock lock(m_mutexResults);
    m_dequeResults.push_back(std::move(result));
}

void CThreadHighlighter::drainResults()
{
    if (m_bRetired)
        return;
    QElapsedTimer timer;
    timer.start();
    // Short turns keep the window responsive while a pass pours in; the
    // blocks of one turn are marked changed together at its end.
    m_pDoc->beginFormatUpdate();
    std::deque<Result> dequeWork;
    bool bOutOfTime = false;
    while (!bOutOfTime) {
        {
            Lock lock(m_mutexResults);
            const size_t nTake = std::min<size_t>(m_dequeResults.size(), 256);
            if (nTake == 0)
                break;
            std::move(m_dequeResults.begin(), m_dequeResults.begin() + nTake,
                      std::back_inserter(dequeWork));
            m_dequeResults.erase(m_dequeResults.begin(), m_dequeResults.begin() + nTake);
        }
        size_t nDone = 0;
        for (; nDone < dequeWork.size(); ++nDone) {
            if (nDone % 16 == 0 && timer.nsecsElapsed() > DrainBudgetNs) {
                bOutOfTime = true;
                break;
            }
            const Result& result = dequeWork[nDone];
            if (result.bMarks)
                emit selectedChanged(result.nVer, result.nBlock, result.lstRanges, result.nHash);
            else
                emit blockFormatChanged(result.nVer, result.nBlock, result.lstRanges, result.nHash);
        }
        if (bOutOfTime) {
            // What this turn did not get to goes back to the head of the queue.
            Lock lock(m_mutexResults);
            m_dequeResults.insert(m_dequeResults.begin(),
                                  std::make_move_iterator(dequeWork.begin() + nDone),
                                  std::make_move_iterator(dequeWork.end()));
        }
        dequeWork.clear();
    }
    m_pDoc->endFormatUpdate();
    if (m_pDoc->takeLostResults()) {
        m_bRulesChanged = true; // everything is lexed and sent again
        requestPass();
    }
    if (!bOutOfTime) {
        Lock lock(m_mutexResults);
        Lock lockRun(m_mutexRun);
        if (m_dequeResults.empty() && !m_bRunning)
            m_timerDrain.stop();
    }
}

QTextLayout::FormatRange CThreadHighlighter::selectionMark(int nStart, int nLength)
{
    // One format shared by every mark: built once, copied by reference.
    static const QTextCharFormat fmtMark = [] {
        QTextCharFormat fmt;
        fmt.setBackground(QBrush(QColor(0x9B, 0xFF, 0x9B, 0xDD)));
        fmt.setProperty(QTextFormat::UserProperty, 1);
        return fmt;
    }();
    return {nStart, nLength, fmtMark};
}

void CThreadHighlighter::setDefinition(const QVariantMap& mapDef)
{
    // Built apart and swapped in: the worker may be lexing with the old rules.
    auto pRules = std::make_shared<CSyntaxRules>();
    pRules->setDefinition(mapDef);
    {
        Lock lock(m_mutex);
        m_pRules = std::move(pRules);
    }
    m_bRulesChanged = true;
    QTimer::singleShot(0, this, &CThreadHighlighter::requestPass);
}

void CThreadHighlighter::setSelectedText(const QString& str)
{
    QString strSelected = str.trimmed().size() < 3 ? QString() : str;
    {
        Lock lock(m_mutex);
        if (strSelected == m_strSelected)
            return;
        // Swapped: the old text, which the worker may share, goes with the
        // local's inline destructor (see CTextMirror::reset).
        m_strSelected.swap(strSelected);
    }
    m_bSelect = true;
    m_bReqSelect = true;
    startPass();
}

QString CThreadHighlighter::getLanguageName() const
{
    Lock lock(m_mutex);
    return m_pRules->m_strLanguage;
}

QString CThreadHighlighter::singleComment() const
{
    Lock lock(m_mutex);
    return m_pRules->m_strSingleComment;
}

QString CThreadHighlighter::multiCommentStart() const
{
    Lock lock(m_mutex);
    return m_pRules->m_strMultiCommentStart;
}

QString CThreadHighlighter::multiCommentEnd() const
{
    Lock lock(m_mutex);
    return m_pRules->m_strMultiCommentEnd;
}

void CThreadHighlighter::prepareText(const QString& strText)
{
    m_strPrepared = strText;
}

void CThreadHighlighter::beginFill(const QString& strText)
{
    m_bFilling = true;
    // The first screens are coloured at once; the rest waits for the end of
    // the fill rather than compete with it for the processor.
    m_nPassLimit = FillPassLines;
    Edit edit;
    edit.nVer = m_pDoc->version();
    edit.bWhole = true;
    edit.strText = strText;
    {
        Lock lock(m_mutexEdits);
        m_lstEdits.clear();
        m_lstEdits.append(edit);
    }
    m_bReqHighlight = true;
    m_bHighlight = true;
    m_bStop = false;
    startPass();
}

void CThreadHighlighter::endFill()
{
    m_bFilling = false;
    m_nPassLimit = std::numeric_limits<int>::max();
    requestPass();
}

void CThreadHighlighter::rehighlight()
{
    // The slices of a fill bring nothing the highlighter has not got.
    if (!m_bFilling)
        requestPass();
}

void CThreadHighlighter::requestPass()
{
    m_bReqHighlight = true;
    m_bHighlight = true;
    m_bStop = false;
    startPass();
}

void CThreadHighlighter::stopThread()
{
    if (m_bFilling)
        return;
    m_bStop = true;
}

void CThreadHighlighter::startPass()
{
    if (m_bRetired)
        return;
    m_timerDrain.start();
    Lock lock(m_mutexRun);
    if (m_bRunning)
        return; // the running pass sees the request
    m_bRunning = true;
    // A worker that has just decided to end may still be returning.
    if (isRunning())
        wait();
    start(QThread::InheritPriority);
}

void CThreadHighlighter::onContentsChange(int, int, int)
{
    if (m_bFilling)
        return;
    const int nCount = m_pDoc->blockCount();
    const CTextDocument::BlockChange& change = m_pDoc->lastChange();
    const int nFirst = change.nFirst;
    const int nLastNew = change.nLastNew;
    const QTextBlock firstBlock = m_pDoc->findBlockByNumber(nFirst);

    Edit edit;
    edit.nVer = m_pDoc->version();
    edit.bWhole = false;
    edit.nFirst = nFirst;
    edit.nLastOld = change.nLastOld;
    if (!m_strPrepared.isNull() && nFirst == 0 && nLastNew == nCount - 1) {
        edit.bWhole = true;
        edit.strText = m_strPrepared;
    } else if (nLastNew - nFirst + 1 > WholeTextThreshold) {
        edit.bWhole = true;
        edit.strText = m_pDoc->toRawText();
    } else {
        QTextBlock block = firstBlock;
        for (int i = nFirst; i <= nLastNew && block.isValid(); ++i, block = block.next())
            edit.lstLines.append(block.text());
    }
    Lock lock(m_mutexEdits);
    if (edit.bWhole)
        m_lstEdits.clear(); // what came before is replaced anyway
    m_lstEdits.append(edit);
}

CLineSnapshot CThreadHighlighter::snapshot()
{
    // A fill's slices are not reported as edits.
    if (m_bFilling)
        return CLineSnapshot(m_pDoc->toRawText());
    Lock lockLines(m_mutexLines);
    Lock lockEdits(m_mutexEdits);
    return CLineSnapshot(m_mirror.lines(), m_lstEdits, m_pDoc->blockCount(),
                         m_pDoc->characterCount() - 1);
}

bool CThreadHighlighter::takeEdits()
{
    QList<Edit> lstEdits;
    Lock lockLines(m_mutexLines);
    {
        Lock lock(m_mutexEdits);
        lstEdits.swap(m_lstEdits);
    }
    for (const Edit& edit : qAsConst(lstEdits)) {
        m_mirror.apply(edit);
        m_nVer = edit.nVer;
    }
    if (m_bRulesChanged.exchange(false))
        m_mirror.invalidateAll();
    return !lstEdits.isEmpty();
}

bool CThreadHighlighter::leaveRun()
{
    Lock lock(m_mutexRun);
    // A request that came while this pass was ending is not lost.
    if ((m_bReqHighlight || m_bReqSelect || m_bReqBlocks) && !m_bStop)
        return false;
    m_bRunning = false;
    return true;
}

// Lexes from each dirty line on until lines are up to date again: the
// lines before a change keep their states, and once a line after it ends in
// the state it ended in before, the rest would come out as they are.
bool CThreadHighlighter::runSyntax()
{
    for (int nStart = m_mirror.takeDirty(); nStart >= 0; nStart = m_mirror.takeDirty()) {
        for (int nBlock = nStart; nBlock < m_mirror.count(); ++nBlock) {
            if (nBlock > nStart && m_mirror.isUpToDate(nBlock))
                break;
            if (nBlock >= m_nPassLimit) {
                m_mirror.markDirty(nBlock); // the rest after the fill
                return true;
            }
            if (m_bReqBlocks)
                serveRequestedBlocks();
            bool bDone = false;
            if (!m_bStop && !m_bReqHighlight) {
                bDone = highlightBlock(nBlock);
            }
            if (!bDone) {
                m_mirror.markDirty(nBlock); // taken up by the next pass
                return false;
            }
        }
    }
    return true;
}

// Marks of the selected text in every block; a stop or a new request leaves
// the rest for the next pass, so that no block keeps marks of an older
// selection.
bool CThreadHighlighter::runSelection()
{
    for (; m_nSelectNext < m_mirror.count(); ++m_nSelectNext) {
        if (m_bReqBlocks)
            serveRequestedBlocks();
        if (m_bStop || m_bReqSelect || m_bReqHighlight)
            return false;
        QString strSelected;
        currentRules(&strSelected);
        if (!highlightSelected(m_nSelectNext, strSelected))
            return false;
    }
    return true;
}

void CThreadHighlighter::run()
{
    forever {
        if (m_bReqSelect) {
            m_bSelect = true;
            m_nSelectNext = 0;
        }
        m_bReqSelect = false;
        if (m_bReqHighlight)
            m_bHighlight = true;
        m_bReqHighlight = false;
        takeEdits();
        if (m_bReqBlocks)
            serveRequestedBlocks();
        if (m_bHighlight && runSyntax())
            m_bHighlight = false;
        if (!m_bHighlight && m_bSelect && runSelection())
            m_bSelect = false;
        // Work a stop interrupted stays pending for the next pass.
        if (leaveRun())
            return;
    }
}

bool CThreadHighlighter::highlightBlock(int nBlock)
{
    // The rules outlive the line: their expressions keep a reference to the
    // text they matched, and the line's own is let go of first.
    QString strSelected;
    const std::shared_ptr<const CSyntaxRules> pRules = currentRules(&strSelected);
    const QString strText = m_mirror.line(nBlock);
    const int nPrev = nBlock > 0 ? m_mirror.state(nBlock - 1) : -1;
    LexResult result = lexBlock(*pRules, strText, nPrev, [this] { return abortLexing(); });
    if (result.bAborted)
        return false;
    m_mirror.setState(nBlock, result.nState);
    pushResult({false, m_nVer, nBlock, std::move(result.lstRanges), result.nHash});
    if (!strSelected.isEmpty())
        highlightSelected(nBlock, strSelected);
    return true;
}

bool CThreadHighlighter::highlightSelected(int nBlock, const QString& strSelected)
{
    QVector<QTextLayout::FormatRange> lstMarks;
    quint64 nHash = FormatHash::Empty;
    if (!strSelected.isEmpty()) {
        const QString strText = m_mirror.line(nBlock);
        const int nLength = strSelected.size();
        for (int nPos = strText.indexOf(strSelected, 0, Qt::CaseInsensitive); nPos >= 0;
             nPos = strText.indexOf(strSelected, nPos + nLength, Qt::CaseInsensitive)) {
            if (m_bReqSelect || m_bStop)
                return false;
            if (nPos + nLength > LexLengthLimit)
                break; // as far as a long line is coloured
            lstMarks.append(selectionMark(nPos, nLength));
            nHash = FormatHash::add(nHash, nPos, nLength, m_clrSelected.rgba());
        }
    }
    if (m_bReqSelect || m_bStop)
        return false;
    pushResult({true, m_nVer, nBlock, std::move(lstMarks), nHash});
    return true;
}
