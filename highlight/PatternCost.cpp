#include "highlight/PatternCost.h"

#include <QVector>

namespace {

// A reader of QRegExp's syntax that only keeps sizes: of the current
// sequence, of the alternatives already closed in the current group, and of
// the last item (which a quantifier repeats).
class CostReader
{
public:
    CostReader(const QString& strPattern, qint64 nLimit)
        : m_str(strPattern)
        , m_nLimit(nLimit)
    {
    }

    qint64 read()
    {
        m_vecFrames.append(Frame());
        while (m_nPos < m_str.size() && top().nSeq <= m_nLimit) {
            const QChar ch = m_str.at(m_nPos);
            if (ch == QLatin1Char('\\')) {
                m_nPos += 2;
                atom(1);
            } else if (ch == QLatin1Char('[')) {
                skipClass();
                atom(1);
            } else if (ch == QLatin1Char('(')) {
                ++m_nPos;
                m_vecFrames.append(Frame());
            } else if (ch == QLatin1Char(')')) {
                ++m_nPos;
                if (m_vecFrames.size() > 1) {
                    const qint64 nGroup = closeFrame() + 1;
                    atom(nGroup);
                }
            } else if (ch == QLatin1Char('|')) {
                ++m_nPos;
                Frame& frame = top();
                frame.nAlternatives = add(frame.nAlternatives, frame.nSeq);
                frame.nSeq = 0;
                frame.nLast = 0;
            } else if (ch == QLatin1Char('{')) {
                repeat(readCount());
            } else {
                // * + ? loop over their item instead of copying it.
                ++m_nPos;
                atom(1);
            }
        }
        while (m_vecFrames.size() > 1)
            atom(closeFrame() + 1);
        return qMin(closeFrame(), m_nLimit + 1);
    }

private:
    struct Frame
    {
        qint64 nAlternatives = 0;
        qint64 nSeq = 0;
        qint64 nLast = 0;
    };

    Frame& top() { return m_vecFrames.last(); }

    qint64 add(qint64 a, qint64 b) const { return qMin(a + b, m_nLimit + 1); }

    void atom(qint64 nSize)
    {
        Frame& frame = top();
        frame.nLast = nSize;
        frame.nSeq = add(frame.nSeq, nSize);
    }

    qint64 closeFrame()
    {
        const Frame frame = m_vecFrames.takeLast();
        return add(frame.nAlternatives, frame.nSeq);
    }

    // The item before the count stands nCount times instead of once.
    void repeat(qint64 nCount)
    {
        Frame& frame = top();
        if (nCount <= 1 || frame.nLast == 0)
            return;
        const qint64 nRepeated = nCount > (m_nLimit + 1) / frame.nLast ? m_nLimit + 1 : frame.nLast * nCount;
        frame.nSeq = add(frame.nSeq - frame.nLast, nRepeated);
        frame.nLast = nRepeated;
    }

    // The larger bound of {n}, {n,}, {,m} or {n,m}; an open bound counts as
    // one more than the lower one.
    qint64 readCount()
    {
        ++m_nPos; // the brace
        qint64 nLow = 0;
        qint64 nHigh = -1;
        bool bComma = false;
        qint64 nValue = 0;
        bool bDigits = false;
        for (; m_nPos < m_str.size() && m_str.at(m_nPos) != QLatin1Char('}'); ++m_nPos) {
            const QChar ch = m_str.at(m_nPos);
            if (ch.isDigit()) {
                nValue = qMin<qint64>(nValue * 10 + ch.digitValue(), m_nLimit + 1);
                bDigits = true;
            } else if (ch == QLatin1Char(',') && !bComma) {
                nLow = nValue;
                nValue = 0;
                bDigits = false;
                bComma = true;
            } else {
                break; // not a count: the engine refuses the pattern
            }
        }
        if (m_nPos < m_str.size() && m_str.at(m_nPos) == QLatin1Char('}'))
            ++m_nPos;
        if (!bComma)
            return nValue;
        nHigh = bDigits ? nValue : nLow + 1;
        return qMax(nLow, nHigh);
    }

    void skipClass()
    {
        ++m_nPos; // the bracket
        if (m_nPos < m_str.size() && m_str.at(m_nPos) == QLatin1Char('^'))
            ++m_nPos;
        if (m_nPos < m_str.size() && m_str.at(m_nPos) == QLatin1Char(']'))
            ++m_nPos;
        while (m_nPos < m_str.size() && m_str.at(m_nPos) != QLatin1Char(']'))
            m_nPos += m_str.at(m_nPos) == QLatin1Char('\\') ? 2 : 1;
        ++m_nPos;
    }

    const QString& m_str;
    const qint64 m_nLimit;
    int m_nPos = 0;
    QVector<Frame> m_vecFrames;
};

} // namespace

qint64 patternCost(const QString& strPattern, qint64 nLimit)
{
    return CostReader(strPattern, nLimit).read();
}
