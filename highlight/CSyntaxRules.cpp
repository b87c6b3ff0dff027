#include "highlight/CSyntaxRules.h"

#include "highlight/PatternCost.h"

#include <QBrush>

namespace {

QTextCharFormat foreground(const char* szColor)
{
    QTextCharFormat fmt;
    fmt.setForeground(QBrush(QColor(szColor)));
    return fmt;
}

// A character that QRegExp's \w matches.
bool isWordChar(QChar ch)
{
    return ch.isLetterOrNumber() || ch.isMark() || ch == QLatin1Char('_');
}

bool isAsciiWord(const QString& str)
{
    if (str.isEmpty())
        return false;
    for (const QChar ch : str) {
        if (ch.unicode() > 0x7F || !isWordChar(ch))
            return false;
    }
    return true;
}

// A pattern of a definition as an expression; one that would take the engine
// too long to compile stands for nothing (an invalid expression matches
// nowhere), so that choosing a careless definition never freezes the editor.
QRegExp definitionRegExp(const QString& strPattern, Qt::CaseSensitivity cs, const QString& strLanguage)
{
    if (isPatternAffordable(strPattern))
        return QRegExp(strPattern, cs);
    qWarning("scrb: a pattern of the %s definition repeats too much to compile and is left out: %s",
             qPrintable(strLanguage), qPrintable(strPattern.left(200)));
    return QRegExp(QStringLiteral("("));
}

} // namespace

CSyntaxRules::CSyntaxRules()
    : m_rxQuote("\"")
    , m_rxQuoteEnd("(^|[^\\\\])(\\\\\\\\)*\"")
    , m_rxApos("'")
    , m_rxAposEnd("(^|[^\\\\])(\\\\\\\\)*'")
    , m_rxContinue("\\\\s*$") // a trailing backslash continues a line
    , m_rxSingleComment("//")
    , m_fmtKeyword(foreground("#8000FF"))
    , m_fmtSingleComment(foreground("#008000"))
    , m_fmtMultiComment(m_fmtSingleComment)
    , m_fmtString(foreground("#008000"))
    , m_fmtNumber(foreground("#0000FF"))
    , m_fmtOperator(foreground("#ffaa00"))
{
    m_nKeySingleComment = keyOf(m_fmtSingleComment);
    m_nKeyMultiComment = keyOf(m_fmtMultiComment);
    m_nKeyString = keyOf(m_fmtString);
    addDefaultRules();
}

quint32 CSyntaxRules::keyOf(const QTextCharFormat& fmt)
{
    return fmt.foreground().color().rgba() ^ (fmt.background().color().rgba() * 31u);
}

void CSyntaxRules::addDefaultRules()
{
    m_lstRules.append({QRegExp("((((0[xX])|#)[a-fA-F0-9]+)|([\\+\\-]{0,1}\\d+([.]\\d*){0,1}([eE][\\+\\-]{0,1}\\d*){0,1}))"),
                       m_fmtNumber, keyOf(m_fmtNumber), NativeNumber, QString(), Qt::CaseSensitive});
    m_lstRules.append({QRegExp("(([\\+\\-\\*\\/\\~\\^\\!]{1,2})|([*\\/+-\\!\\^~><]{0,1}={1,3}))"),
                       m_fmtOperator, keyOf(m_fmtOperator), NativeOperator, QString(), Qt::CaseSensitive});
}

namespace {
bool isHexDigit(QChar ch)
{
    const ushort uc = ch.unicode();
    return (uc >= '0' && uc <= '9') || (uc >= 'a' && uc <= 'f') || (uc >= 'A' && uc <= 'F');
}
} // namespace

// ((((0[xX])|#)[a-fA-F0-9]+)|([\+\-]{0,1}\d+([.]\d*){0,1}([eE][\+\-]{0,1}\d*){0,1}))
// matched at one position; the engine takes the longer alternative.
int CSyntaxRules::matchNumberAt(const QString& strText, int nPos)
{
    const int nSize = strText.size();
    const auto at = [&](int i) { return i < nSize ? strText.at(i) : QChar(); };
    int nHex = 0;
    int nHexStart = -1;
    if (at(nPos) == QLatin1Char('0') && (at(nPos + 1) == QLatin1Char('x') || at(nPos + 1) == QLatin1Char('X')))
        nHexStart = nPos + 2;
    else if (at(nPos) == QLatin1Char('#'))
        nHexStart = nPos + 1;
    if (nHexStart >= 0) {
        int i = nHexStart;
        while (i < nSize && isHexDigit(strText.at(i)))
            ++i;
        if (i > nHexStart)
            nHex = i - nPos;
    }
    int nDecimal = 0;
    int i = nPos;
    if (at(i) == QLatin1Char('+') || at(i) == QLatin1Char('-'))
        ++i;
    const int nDigits = i;
    while (i < nSize && strText.at(i).isDigit())
        ++i;
    if (i > nDigits) {
        if (at(i) == QLatin1Char('.')) {
            ++i;
            while (i < nSize && strText.at(i).isDigit())
                ++i;
        }
        if (at(i) == QLatin1Char('e') || at(i) == QLatin1Char('E')) {
            ++i;
            if (at(i) == QLatin1Char('+') || at(i) == QLatin1Char('-'))
                ++i;
            while (i < nSize && strText.at(i).isDigit())
                ++i;
        }
        nDecimal = i - nPos;
    }
    return qMax(nHex, nDecimal);
}

// (([\+\-\*\/\~\^\!]{1,2})|([*\/+-\!\^~><]{0,1}={1,3})) matched at one position.
// In the second class "+-\!" is a range, which the engine reads from ! to +.
int CSyntaxRules::matchOperatorAt(const QString& strText, int nPos)
{
    const int nSize = strText.size();
    const auto inFirst = [](ushort uc) {
        return uc == '+' || uc == '-' || uc == '*' || uc == '/' || uc == '~' || uc == '^' || uc == '!';
    };
    const auto inSecond = [](ushort uc) {
        return (uc >= '!' && uc <= '+') || uc == '/' || uc == '^' || uc == '~' || uc == '>' || uc == '<';
    };
    const auto equalsFrom = [&](int i) {
        int n = 0;
        while (n < 3 && i + n < nSize && strText.at(i + n) == QLatin1Char('='))
            ++n;
        return n;
    };
    if (nPos >= nSize)
        return 0;
    const ushort uc = strText.at(nPos).unicode();
    int nFirst = 0;
    if (inFirst(uc))
        nFirst = (nPos + 1 < nSize && inFirst(strText.at(nPos + 1).unicode())) ? 2 : 1;
    int nSecond = 0;
    if (inSecond(uc)) {
        const int nEquals = equalsFrom(nPos + 1);
        if (nEquals > 0)
            nSecond = 1 + nEquals;
    } else if (uc == '=') {
        nSecond = equalsFrom(nPos);
    }
    return qMax(nFirst, nSecond);
}

void CSyntaxRules::addKeywordRule(const QString& strPattern, Qt::CaseSensitivity cs,
                                  const QString& strWord)
{
    const int nRule = m_lstKeywordRules.size();
    const bool bIndexed = isAsciiWord(strWord);
    const QRegExp rx = bIndexed ? QRegExp() : definitionRegExp(strPattern, cs, m_strLanguage);
    m_lstKeywordRules.append({rx, m_fmtKeyword, keyOf(m_fmtKeyword), NoNative, strPattern, cs});
    m_wordIndex.vecIndexed.append(bIndexed);
    if (bIndexed)
        m_wordIndex.hashRules[cs == Qt::CaseSensitive ? strWord : strWord.toLower()].append(nRule);
}

void CSyntaxRules::dropWordIndex()
{
    for (int i = 0; i < m_lstKeywordRules.size(); ++i) {
        if (m_wordIndex.vecIndexed.value(i)) {
            Rule& rule = m_lstKeywordRules[i];
            rule.rx = QRegExp(rule.strPattern, rule.cs);
        }
    }
    m_wordIndex = WordIndex();
}

void CSyntaxRules::setDefinition(const QVariantMap& mapDef)
{
    m_lstRules.clear();
    m_lstKeywordRules.clear();
    m_wordIndex = WordIndex();
    m_rxSingleComment = QRegExp();
    m_rxMultiCommentStart = QRegExp();
    m_rxMultiCommentEnd = QRegExp();
    m_rxElementOpen = QRegExp();
    m_rxElementClose = QRegExp();
    m_strSingleComment.clear();
    m_strMultiCommentStart.clear();
    m_strMultiCommentEnd.clear();
    addDefaultRules();

    m_strLanguage = mapDef.value("language").toMap().value("name").toString();
    const QVariantMap mapGeneral = mapDef.value("general").toMap();
    const bool bCaseSensitive =
        mapGeneral.value("keywords").toMap().value("casesensitive").toBool();
    const Qt::CaseSensitivity cs = bCaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    m_wordIndex.bCaseSensitive = bCaseSensitive;

    for (const QVariant& varComment : mapGeneral.value("comments").toList()) {
        const QVariantMap mapComment = varComment.toMap();
        const QString strName = mapComment.value("name").toString().toLower();
        const QString strStart = mapComment.value("start").toString();
        const QString strEnd = mapComment.value("end").toString();
        if (strName == "singleline" && !strStart.isEmpty()) {
            m_strSingleComment = strStart;
            m_rxSingleComment = definitionRegExp(strStart, Qt::CaseSensitive, m_strLanguage);
        } else if (strName == "multiline" && !strStart.isEmpty() && !strEnd.isEmpty()) {
            m_strMultiCommentStart = strStart;
            m_strMultiCommentEnd = strEnd;
            m_rxMultiCommentStart =
                definitionRegExp(QString(strStart).replace("*", "\\*"), Qt::CaseSensitive, m_strLanguage);
            m_rxMultiCommentEnd =
                definitionRegExp(QString(strEnd).replace("*", "\\*"), Qt::CaseSensitive, m_strLanguage);
        }
    }

    const QVariantMap mapHighlighting = mapDef.value("highlighting").toMap();
    for (const QVariant& varContext : mapHighlighting.value("contexts").toList()) {
        const QVariantMap mapContext = varContext.toMap();
        const QString strName = mapContext.value("name").toString();
        QRegExp* pTarget = strName == "El Open"    ? &m_rxElementOpen
                           : strName == "El Close" ? &m_rxElementClose
                                                   : nullptr;
        if (!pTarget)
            continue;
        for (const QVariant& varRule : mapContext.value("children").toList()) {
            const QVariantMap mapRule = varRule.toMap();
            if (mapRule.value("tag").toString() == "DetectChar")
                *pTarget = definitionRegExp(mapRule.value("char").toString(), Qt::CaseSensitive,
                                            m_strLanguage);
        }
    }
    if (m_rxElementOpen.isEmpty() || m_rxElementClose.isEmpty()) {
        m_rxElementOpen = QRegExp();
        m_rxElementClose = QRegExp();
    }

    for (auto it = mapHighlighting.constBegin(); it != mapHighlighting.constEnd(); ++it) {
        const bool bRegExp = it.key() == "reg_exp";
        for (const QString& strItem : it.value().toStringList()) {
            const QString strTrimmed = strItem.trimmed();
            if (strTrimmed.isEmpty())
                continue;
            if (bRegExp) {
                addKeywordRule(strTrimmed, cs, QString());
            } else {
                const QString strWord = QString(strTrimmed).replace("*", "\\*");
                addKeywordRule(QString("\\b%1\\b").arg(strWord), cs, strWord);
            }
        }
    }
}
