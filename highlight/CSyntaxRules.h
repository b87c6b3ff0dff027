#ifndef CSYNTAXRULES_H
#define CSYNTAXRULES_H

#include <QColor>
#include <QHash>
#include <QList>
#include <QRegExp>
#include <QTextCharFormat>
#include <QVariantMap>
#include <QVector>

// What the block lexer colours with: built-in rules, the rules of one
// language definition, comment and string patterns, element-region markers
// and the formats. A value type; the highlighter keeps one per document.
class CSyntaxRules
{
public:
    // Built-in rules whose patterns the lexer also knows as code: the same
    // matches, found without the regular-expression engine.
    enum Native { NoNative = 0, NativeNumber, NativeOperator };

    struct Rule
    {
        QRegExp rx;
        QTextCharFormat fmt;
        quint32 nKey = 0; // the format's colour, for comparing results
        Native eNative = NoNative;
        // Keyword rules: the pattern, compiled into rx only when the rule is
        // not found through the word index (compiling is most of the cost
        // of setting a definition).
        QString strPattern;
        Qt::CaseSensitivity cs = Qt::CaseSensitive;
    };

    // Length of the built-in pattern's match starting exactly at nPos (0: none).
    static int matchNumberAt(const QString& strText, int nPos);
    static int matchOperatorAt(const QString& strText, int nPos);

    static quint32 keyOf(const QTextCharFormat& fmt);

    CSyntaxRules();

    // Replaces the language by the one a definition map describes (an empty
    // map leaves only the built-in rules and double-quoted strings).
    void setDefinition(const QVariantMap& mapDef);
    // Compiles every keyword pattern and drops the word index, so that each
    // keyword is searched for with its pattern: the reference the index is
    // checked against.
    void dropWordIndex();

    // Keyword rules that are plain words (\bword\b) are also indexed by
    // word, so that a line's words can be looked up instead of searching
    // the line once per keyword; the ranges found are the same.
    struct WordIndex
    {
        bool bCaseSensitive = true;
        QHash<QString, QVector<int>> hashRules; // word -> indexes into m_lstKeywordRules
        QVector<bool> vecIndexed;               // per keyword rule: found through the hash
    };

    QList<Rule> m_lstRules;
    QList<Rule> m_lstKeywordRules;
    WordIndex m_wordIndex;
    QRegExp m_rxQuote;
    QRegExp m_rxQuoteEnd;
    QRegExp m_rxApos;
    QRegExp m_rxAposEnd;
    QRegExp m_rxContinue;
    QRegExp m_rxSingleComment;
    QRegExp m_rxMultiCommentStart;
    QRegExp m_rxMultiCommentEnd;
    QRegExp m_rxElementOpen;
    QRegExp m_rxElementClose;
    QTextCharFormat m_fmtKeyword;
    QTextCharFormat m_fmtSingleComment;
    QTextCharFormat m_fmtMultiComment;
    QTextCharFormat m_fmtString;
    QTextCharFormat m_fmtNumber;
    QTextCharFormat m_fmtOperator;
    quint32 m_nKeySingleComment = 0;
    quint32 m_nKeyMultiComment = 0;
    quint32 m_nKeyString = 0;
    QString m_strLanguage;
    QString m_strSingleComment;
    QString m_strMultiCommentStart;
    QString m_strMultiCommentEnd;

private:
    void addDefaultRules();
    void addKeywordRule(const QString& strPattern, Qt::CaseSensitivity cs, const QString& strWord);
};

#endif
