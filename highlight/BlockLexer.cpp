#include "highlight/BlockLexer.h"

#include "highlight/CSyntaxRules.h"
#include "highlight/FormatHash.h"

#include <algorithm>

namespace {

bool isWordChar(QChar ch)
{
    return ch.isLetterOrNumber() || ch.isMark() || ch == QLatin1Char('_');
}

class Lexer
{
public:
    Lexer(const CSyntaxRules& rules, const QString& strText, int nPrevState,
          const std::function<bool()>& fnAbort)
        : m_rules(rules), m_strText(strText), m_nPrev(nPrevState), m_fnAbort(fnAbort)
    {
    }

    LexResult run();

private:
    bool aborted()
    {
        if (m_fnAbort && m_fnAbort())
            m_result.bAborted = true;
        return m_result.bAborted;
    }
    bool prevHas(int nBits) const { return m_nPrev > 0 && (m_nPrev & nBits) != 0; }
    void add(int nStart, int nLength, const QTextCharFormat& fmt, quint32 nKey)
    {
        m_result.lstRanges.append({nStart, nLength, fmt});
        m_result.nHash = FormatHash::add(m_result.nHash, nStart, nLength, nKey);
    }
    bool builtInRules();
    bool definitionRules();
    bool sweep(int nStart, int nEnd);
    void indexWords();
    void commentsAndStrings();
    int closeRegion(const QRegExp& rx, QChar chQuote, int nFrom, int* pLength) const;

    const CSyntaxRules& m_rules;
    const QString& m_strText;
    const int m_nPrev;
    const std::function<bool()>& m_fnAbort;
    LexResult m_result;
    // Words of the line with their positions, for the indexed keyword rules.
    bool m_bWordsIndexed = false;
    QVector<QPair<int, int>> m_vecWords;
};

LexResult Lexer::run()
{
    if (m_strText.isEmpty()) {
        if (!aborted())
            m_result.nState = m_nPrev >= 0 ? m_nPrev : 0;
        return m_result;
    }
    if (builtInRules() && definitionRules())
        commentsAndStrings();
    return m_result;
}

bool Lexer::builtInRules()
{
    const int nSize = m_strText.size();
    for (const CSyntaxRules::Rule& rule : m_rules.m_lstRules) {
        if (aborted())
            return false;
        if (rule.eNative != CSyntaxRules::NoNative) {
            const auto fnMatch = rule.eNative == CSyntaxRules::NativeNumber
                                     ? &CSyntaxRules::matchNumberAt
                                     : &CSyntaxRules::matchOperatorAt;
            for (int nPos = 0; nPos < nSize;) {
                const int nLength = fnMatch(m_strText, nPos);
                if (nLength > 0) {
                    add(nPos, nLength, rule.fmt, rule.nKey);
                    nPos += nLength;
                } else {
                    ++nPos;
                }
            }
            continue;
        }
        int nPos = rule.rx.indexIn(m_strText, 0);
        while (nPos >= 0) {
            const int nLength = rule.rx.matchedLength();
            if (nLength <= 0)
                break;
            add(nPos, nLength, rule.fmt, rule.nKey);
            nPos = rule.rx.indexIn(m_strText, nPos + nLength);
        }
    }
    return true;
}

bool Lexer::definitionRules()
{
    const QRegExp& rxOpen = m_rules.m_rxElementOpen;
    const QRegExp& rxClose = m_rules.m_rxElementClose;
    if (rxOpen.isEmpty() || rxClose.isEmpty())
        return sweep(0, -1);
    int nStart = 0;
    int nEnd = 0;
    if (!prevHas(StateElement)) {
        nStart = rxOpen.indexIn(m_strText, 0);
        nEnd = rxClose.indexIn(m_strText, 0);
        if (nStart < 0)
            return true;
    } else {
        nEnd = rxClose.indexIn(m_strText, 0);
    }
    forever {
        if (!sweep(nStart, nEnd))
            return false;
        if (nEnd < 0) {
            m_result.nState |= StateElement;
            return true;
        }
        const int nFrom = nEnd + 1;
        nStart = rxOpen.indexIn(m_strText, nFrom);
        nEnd = rxClose.indexIn(m_strText, nFrom);
        if (nStart < 0)
            return true;
    }
}

void Lexer::indexWords()
{
    m_bWordsIndexed = true;
    const int nLength = m_strText.size();
    for (int i = 0; i < nLength;) {
        if (!isWordChar(m_strText.at(i))) {
            ++i;
            continue;
        }
        int j = i + 1;
        while (j < nLength && isWordChar(m_strText.at(j)))
            ++j;
        m_vecWords.append({i, j - i});
        i = j;
    }
}

// Matches of every keyword rule from nStart, accepted while they begin no
// later than nEnd (a negative end: no limit), in rule order.
bool Lexer::sweep(int nStart, int nEnd)
{
    if (aborted())
        return false;
    const CSyntaxRules::WordIndex& index = m_rules.m_wordIndex;
    struct Hit
    {
        int nRule;
        int nPos;
        int nLength;
    };
    QVector<Hit> vecHits;
    if (!index.hashRules.isEmpty()) {
        if (!m_bWordsIndexed)
            indexWords();
        QString strLower;
        for (const auto& word : qAsConst(m_vecWords)) {
            if (word.first < nStart || (nEnd >= 0 && word.first > nEnd))
                continue;
            // Looked up without copying the word out of the line.
            const QChar* pWord = m_strText.constData() + word.first;
            if (!index.bCaseSensitive) {
                strLower.resize(word.second);
                QChar* pLower = strLower.data();
                for (int i = 0; i < word.second; ++i)
                    pLower[i] = pWord[i].toLower();
            }
            const auto it = index.hashRules.constFind(
                index.bCaseSensitive ? QString::fromRawData(pWord, word.second) : strLower);
            if (it == index.hashRules.constEnd())
                continue;
            for (int nRule : *it)
                vecHits.append({nRule, word.first, word.second});
        }
    }
    for (int nRule = 0; nRule < m_rules.m_lstKeywordRules.size(); ++nRule) {
        if (aborted())
            return false;
        if (index.vecIndexed.value(nRule))
            continue;
        const QRegExp& rx = m_rules.m_lstKeywordRules.at(nRule).rx;
        int nPos = rx.indexIn(m_strText, nStart);
        while (nPos >= 0 && (nEnd < 0 || nPos <= nEnd)) {
            const int nLength = rx.matchedLength();
            if (nLength <= 0)
                break;
            vecHits.append({nRule, nPos, nLength});
            if (aborted())
                return false;
            nPos = rx.indexIn(m_strText, nPos + nLength);
        }
    }
    std::stable_sort(vecHits.begin(), vecHits.end(),
                     [](const Hit& a, const Hit& b) { return a.nRule < b.nRule; });
    for (const Hit& hit : qAsConst(vecHits)) {
        const CSyntaxRules::Rule& rule = m_rules.m_lstKeywordRules.at(hit.nRule);
        add(hit.nPos, hit.nLength, rule.fmt, rule.nKey);
    }
    return true;
}

// Where an open region closes from nFrom: its end pattern, or a quote right
// at nFrom. Returns the match position (-1: not in this block).
int Lexer::closeRegion(const QRegExp& rx, QChar chQuote, int nFrom, int* pLength) const
{
    if (!chQuote.isNull() && nFrom < m_strText.size() && m_strText.at(nFrom) == chQuote) {
        *pLength = 1;
        return nFrom;
    }
    const int nPos = rx.indexIn(m_strText, nFrom);
    *pLength = nPos >= 0 ? rx.matchedLength() : 0;
    return nPos;
}

void Lexer::commentsAndStrings()
{
    const int nLength = m_strText.size();
    int& nState = m_result.nState;
    int nPos = 0;
    int nTokenStart = -1;
    bool bFirst = true;
    const QRegExp& rxSingle = m_rules.m_rxSingleComment;
    const QRegExp& rxMultiStart = m_rules.m_rxMultiCommentStart;

    struct Region
    {
        int nBit;
        const QRegExp& rxEnd;
        QChar chQuote;
        const QTextCharFormat& fmt;
        quint32 nKey;
    };
    const Region arrRegions[] = {
        {StateMultiComment, m_rules.m_rxMultiCommentEnd, QChar(), m_rules.m_fmtMultiComment,
         m_rules.m_nKeyMultiComment},
        {StateString, m_rules.m_rxQuoteEnd, QLatin1Char('"'), m_rules.m_fmtString, m_rules.m_nKeyString},
        {StateApos, m_rules.m_rxAposEnd, QLatin1Char('\''), m_rules.m_fmtString, m_rules.m_nKeyString},
    };

    // Patterns of a definition may match empty text; every turn of the loop
    // must move on, and a line has only so many places to move to.
    for (int nTurns = 0; nTurns <= nLength + 1; ++nTurns) {
        if (aborted())
            return;
        bool bContinueOpen = false;
        if (bFirst) {
            bFirst = false;
            if (prevHas(StateSingleComment) && prevHas(StateContinued)) {
                add(0, nLength, m_rules.m_fmtSingleComment, m_rules.m_nKeySingleComment);
                if (m_rules.m_rxContinue.indexIn(m_strText, 0) >= 0)
                    nState |= StateSingleComment | StateContinued;
                break;
            }
            for (const Region& region : arrRegions) {
                if (!prevHas(region.nBit))
                    continue;
                int nMatch = 0;
                const int nEnd = region.rxEnd.indexIn(m_strText, 0);
                if (nEnd < 0) {
                    add(0, nLength, region.fmt, region.nKey);
                    nState |= region.nBit;
                    bContinueOpen = true;
                } else {
                    nMatch = region.rxEnd.matchedLength();
                    add(0, nEnd + nMatch, region.fmt, region.nKey);
                    nPos = nEnd + nMatch;
                }
                break;
            }
            if (bContinueOpen)
                break;
        }

        if (!(nState & (StateSingleComment | StateMultiComment | StateString | StateApos))) {
            const int nSingle = rxSingle.isEmpty() ? -1 : rxSingle.indexIn(m_strText, nPos);
            const int nSingleLength = nSingle >= 0 ? rxSingle.matchedLength() : 0;
            const int nMulti = rxMultiStart.isEmpty() ? -1 : rxMultiStart.indexIn(m_strText, nPos);
            const int nMultiLength = nMulti >= 0 ? rxMultiStart.matchedLength() : 0;
            const int nQuote = (nPos < nLength && m_strText.at(nPos) == QLatin1Char('"'))
                                   ? nPos
                                   : m_rules.m_rxQuote.indexIn(m_strText, nPos);
            const auto wins = [](int nCandidate, int nOther1, int nOther2) {
                return nCandidate >= 0 && (nOther1 < 0 || nCandidate < nOther1)
                       && (nOther2 < 0 || nCandidate < nOther2);
            };
            if (wins(nSingle, nMulti, nQuote)) {
                nState |= StateSingleComment;
                nTokenStart = nSingle;
                nPos = nSingle + nSingleLength;
                if (m_rules.m_rxContinue.indexIn(m_strText, 0) >= 0)
                    nState |= StateContinued;
            } else if (wins(nMulti, nSingle, nQuote)) {
                nState |= StateMultiComment;
                nTokenStart = nMulti;
                nPos = nMulti + nMultiLength;
            } else if (wins(nQuote, nSingle, nMulti)) {
                nState |= StateString;
                nTokenStart = nQuote;
                nPos = nQuote + 1;
            } else {
                break;
            }
        }

        if (nState & StateSingleComment) {
            add(nTokenStart, nLength - nTokenStart, m_rules.m_fmtSingleComment,
                m_rules.m_nKeySingleComment);
            break;
        }
        const Region* pOpen = nullptr;
        for (const Region& region : arrRegions) {
            if (nState & region.nBit) {
                pOpen = &region;
                break;
            }
        }
        if (!pOpen)
            continue;
        int nMatch = 0;
        const int nEnd = closeRegion(pOpen->rxEnd, pOpen->chQuote, nPos, &nMatch);
        if (nEnd < 0) {
            add(nTokenStart, nLength - nTokenStart, pOpen->fmt, pOpen->nKey);
            break;
        }
        nState &= ~pOpen->nBit;
        add(nTokenStart, nEnd - nTokenStart + nMatch, pOpen->fmt, pOpen->nKey);
        nPos = nEnd + nMatch;
    }
}

} // namespace

LexResult lexBlock(const CSyntaxRules& rules, const QString& strText, int nPrevState,
                   const std::function<bool()>& fnAbort)
{
    if (strText.size() <= LexLengthLimit)
        return Lexer(rules, strText, nPrevState, fnAbort).run();
    // A surrogate pair is not cut in half.
    const int nLength = strText.at(LexLengthLimit - 1).isHighSurrogate() ? LexLengthLimit - 1
                                                                          : LexLengthLimit;
    const QString strStart = QString::fromRawData(strText.constData(), nLength);
    return Lexer(rules, strStart, nPrevState, fnAbort).run();
}
