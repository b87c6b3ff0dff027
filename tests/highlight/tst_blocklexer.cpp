// The block lexer against reference outputs: each row is a sequence of lines
// lexed in order (each line's state feeding the next) and, per line, the
// expected ranges and end state. A range is written as kind:start+length,
// kind n = number, o = operator, k = keyword, c = comment or string (both
// green), in the order they are produced.
#include "highlight/BlockLexer.h"
#include "highlight/CSyntaxRules.h"
#include "highlight/PatternCost.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

QVariantMap definition(bool bElements, bool bCaseSensitive = true)
{
    QVariantMap mapDef;
    mapDef["language"] = QVariantMap{{"name", "Test"}, {"extensions", "*.t"}};
    mapDef["general"] = QVariantMap{
        {"keywords", QVariantMap{{"casesensitive", bCaseSensitive ? "true" : "false"}}},
        {"comments", QVariantList{QVariantMap{{"name", "singleline"}, {"start", "//"}, {"end", ""}},
                                  QVariantMap{{"name", "MultiLine"}, {"start", "/*"}, {"end", "*/"}}}}};
    QVariantMap mapHighlighting{{"keywords", QStringList{"int", " return ", "a*b"}}};
    if (bElements) {
        mapHighlighting["contexts"] = QVariantList{
            QVariantMap{{"name", "El Open"},
                        {"children", QVariantList{QVariantMap{{"tag", "DetectChar"}, {"char", "<"}, {"char1", ""}}}}},
            QVariantMap{{"name", "El Close"},
                        {"children", QVariantList{QVariantMap{{"tag", "DetectChar"}, {"char", ">"}, {"char1", ""}}}}}};
    }
    mapDef["highlighting"] = mapHighlighting;
    return mapDef;
}

QString kindOf(const QTextCharFormat& fmt)
{
    const QString strColor = fmt.foreground().color().name();
    if (strColor == "#0000ff")
        return "n";
    if (strColor == "#ffaa00")
        return "o";
    if (strColor == "#8000ff")
        return "k";
    if (strColor == "#008000")
        return "c";
    return "?";
}

QString describe(const QVector<QTextLayout::FormatRange>& lst)
{
    QStringList lstParts;
    for (const QTextLayout::FormatRange& range : lst)
        lstParts << QString("%1:%2+%3").arg(kindOf(range.format)).arg(range.start).arg(range.length);
    return lstParts.join(' ');
}

} // namespace

class TestBlockLexer : public QObject
{
    Q_OBJECT
private slots:
    void reference_data();
    void reference();
    void prefixMarkersOpenNothing();
    void abortEmitsNothing();
    void emptyDefinitionKeepsOnlyBuiltIns();
    void caseInsensitiveKeywords();
    void patternCost_data();
    void patternCost();
    void costlyPatternsAreLeftOut();
    void builtInMatchersAgreeWithPatterns();
    void wordIndexMatchesRegularExpressions_data();
    void wordIndexMatchesRegularExpressions();
};

void TestBlockLexer::reference_data()
{
    QTest::addColumn<bool>("elements");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("ranges");
    QTest::addColumn<QList<int>>("states");

    QTest::newRow("keywords and numbers") << false << QStringList{"int x = 42;"}
        << QStringList{"n:8+2 o:6+1 k:0+3"} << QList<int>{0};
    QTest::newRow("multi-line comment across an empty line")
        << false << QStringList{"a /* start", "", "end */ int"}
        << QStringList{"o:2+2 c:2+8", "", "o:4+2 k:7+3 c:0+6"} << QList<int>{2, 2, 0};
    QTest::newRow("single-line marker inside a block comment")
        << false << QStringList{"/* a // b */ 1"}
        << QStringList{"n:13+1 o:0+2 o:5+2 o:10+2 c:0+12"} << QList<int>{0};
    QTest::newRow("escaped quote") << false << QStringList{"\"a\\\"b\" x"}
        << QStringList{"c:0+6"} << QList<int>{0};
    QTest::newRow("even backslashes close") << false << QStringList{"\"a\\\\\" x"}
        << QStringList{"c:0+5"} << QList<int>{0};
    QTest::newRow("empty string") << false << QStringList{"\"\" int"}
        << QStringList{"k:3+3 c:0+2"} << QList<int>{0};
    QTest::newRow("string across lines") << false << QStringList{"s = \"open", "still\" int"}
        << QStringList{"o:2+1 c:4+5", "k:7+3 c:0+6"} << QList<int>{4, 0};
    QTest::newRow("continued single-line comment")
        << false << QStringList{"// one \\", "two \\", "three", "int"}
        << QStringList{"o:0+2 c:0+8", "c:0+5", "c:0+5", "k:0+3"} << QList<int>{0x21, 0x21, 0, 0};
    QTest::newRow("comment without continuation stays on its line")
        << false << QStringList{"x // c", "int"} << QStringList{"o:2+2 c:2+4", "k:0+3"}
        << QList<int>{1, 0};
    QTest::newRow("element regions across lines")
        << true << QStringList{"int <int", "int> int <x int>"}
        << QStringList{"k:5+3", "k:0+3 k:12+3"} << QList<int>{0x10, 0};
    QTest::newRow("numbers") << false << QStringList{"0x1F #ff00 -3.5e+2 x1"}
        << QStringList{"n:0+4 n:5+5 n:11+7 n:20+1 o:11+1 o:16+1"} << QList<int>{0};
    QTest::newRow("operators") << false << QStringList{"a += b ! c <= d === e"}
        << QStringList{"o:2+2 o:7+1 o:11+2 o:16+3"} << QList<int>{0};
    QTest::newRow("define starts like a number") << false << QStringList{"#define"}
        << QStringList{"n:0+4"} << QList<int>{0};
    QTest::newRow("keyword with asterisk escaped") << false << QStringList{"a*b"}
        << QStringList{"o:1+1 k:0+3"} << QList<int>{0};
    QTest::newRow("trimmed keyword") << false << QStringList{"return;"}
        << QStringList{"k:0+6"} << QList<int>{0};
    QTest::newRow("no partial words") << false << QStringList{"integer int_x xint int"}
        << QStringList{"k:19+3"} << QList<int>{0};
    QTest::newRow("empty line keeps the previous state")
        << false << QStringList{"/*", "", ""} << QStringList{"o:0+2 c:0+2", "", ""} << QList<int>{2, 2, 2};
    QTest::newRow("text after a closed comment is scanned again")
        << false << QStringList{"/* c */ \"s\" // t"}
        << QStringList{"o:0+2 o:5+2 o:12+2 c:0+7 c:8+3 c:12+4"} << QList<int>{1};
}

void TestBlockLexer::reference()
{
    QFETCH(bool, elements);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, ranges);
    QFETCH(QList<int>, states);
    CSyntaxRules rules;
    rules.setDefinition(definition(elements));
    int nPrev = -1;
    for (int i = 0; i < lines.size(); ++i) {
        const LexResult result = lexBlock(rules, lines.at(i), nPrev);
        QVERIFY(!result.bAborted);
        QCOMPARE(describe(result.lstRanges), ranges.at(i));
        QCOMPARE(result.nState, states.at(i));
        nPrev = result.nState;
    }
}

void TestBlockLexer::prefixMarkersOpenNothing()
{
    // A single-line marker that is a prefix of the multi-line start matches
    // at the same place: neither wins, and the rest of the line is plain.
    QVariantMap mapDef;
    mapDef["general"] = QVariantMap{
        {"comments", QVariantList{QVariantMap{{"name", "singleline"}, {"start", "%"}},
                                  QVariantMap{{"name", "multiline"}, {"start", "%%"}, {"end", "%%"}}}}};
    CSyntaxRules rules;
    rules.setDefinition(mapDef);
    const LexResult result = lexBlock(rules, "%% a %% \"s\"", -1);
    QCOMPARE(describe(result.lstRanges), QString());
    QCOMPARE(result.nState, 0);
    QCOMPARE(describe(lexBlock(rules, "x % y", -1).lstRanges), QString("c:2+3"));
}

void TestBlockLexer::abortEmitsNothing()
{
    CSyntaxRules rules;
    rules.setDefinition(definition(false));
    int nCalls = 0;
    const LexResult result = lexBlock(rules, "int x = 1; // c", -1, [&] { return ++nCalls > 2; });
    QVERIFY(result.bAborted);
    const LexResult empty = lexBlock(rules, "", 7, [] { return true; });
    QVERIFY(empty.bAborted);
}

void TestBlockLexer::emptyDefinitionKeepsOnlyBuiltIns()
{
    CSyntaxRules rules;
    rules.setDefinition(QVariantMap());
    QVERIFY(rules.m_strLanguage.isEmpty());
    QVERIFY(rules.m_strSingleComment.isEmpty());
    // No comment marker any more (the default // is gone); strings remain.
    QCOMPARE(describe(lexBlock(rules, "int x // \"s\" 2", -1).lstRanges),
             QString("n:13+1 o:6+2 c:9+3"));
}

void TestBlockLexer::caseInsensitiveKeywords()
{
    CSyntaxRules rules;
    rules.setDefinition(definition(false, false));
    QCOMPARE(describe(lexBlock(rules, "INT Int int", -1).lstRanges), QString("k:0+3 k:4+3 k:8+3"));
    QVariantMap mapDef = definition(false);
    QVariantMap mapGeneral = mapDef["general"].toMap();
    mapGeneral["keywords"] = QVariantMap{{"casesensitive", "FALSE"}};
    mapDef["general"] = mapGeneral;
    rules.setDefinition(mapDef);
    QCOMPARE(describe(lexBlock(rules, "Return", -1).lstRanges), QString("k:0+6"));
}

void TestBlockLexer::patternCost_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("affordable");
    QTest::newRow("one count") << "a{1000}" << true;
    QTest::newRow("counts multiply") << "(a{200}){200}" << false;
    QTest::newRow("three deep") << "((a{1000}){1000}){1000}" << false;
    QTest::newRow("inner group counted") << "(x(a{150}){150})" << false;
    QTest::newRow("alternatives add") << "(ab|cd){500}" << true;
    QTest::newRow("group of alternatives counted") << "((a{60}|b{60}){60}){60}" << false;
    QTest::newRow("sequence after a count") << "a{19000}b{19000}" << false;
    QTest::newRow("open upper bound") << "(a{300,}){300}" << false;
    QTest::newRow("upper bound only") << "(a{,300}){300}" << false;
    QTest::newRow("escaped braces") << "(\\{1000\\}){1000}" << true;
    QTest::newRow("braces in a class") << "([{]1000[}]){1000}" << true;
    QTest::newRow("stars loop, not copy") << "((a*)+b?)*" << true;
    QTest::newRow("unclosed group") << "((a{1000}){1000}" << false;
}

void TestBlockLexer::patternCost()
{
    QFETCH(QString, pattern);
    QTEST(isPatternAffordable(pattern), "affordable");
}

// A definition's pattern that would take minutes to compile is left out (it
// matches nothing); the rest of the definition works.
void TestBlockLexer::costlyPatternsAreLeftOut()
{
    QVariantMap mapDef = definition(false);
    QVariantMap mapHighlighting = mapDef["highlighting"].toMap();
    mapHighlighting["reg_exp"] = QStringList{"((a{1000}){1000}){1000}", "z{3}"};
    mapDef["highlighting"] = mapHighlighting;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("repeats too much to compile.*a\\{1000\\}"));
    CSyntaxRules rules;
    rules.setDefinition(mapDef);
    QCOMPARE(describe(lexBlock(rules, "aaaa int zzz", -1).lstRanges), QString("k:5+3 k:9+3"));
}

// The number and operator rules are matched by code; on any text they must
// find exactly what their regular expressions find.
void TestBlockLexer::builtInMatchersAgreeWithPatterns()
{
    const QString strAlphabet = QString::fromUtf8("0123456789xXeE.#abcfABF+-*/~^!=<>\"'()$%&_ g\u0661\uff13");
    const CSyntaxRules rules;
    QRandomGenerator rng(1234);
    for (int nCase = 0; nCase < 30000; ++nCase) {
        QString strText;
        const int nLength = int(rng.bounded(24));
        for (int i = 0; i < nLength; ++i)
            strText += strAlphabet.at(int(rng.bounded(strAlphabet.size())));
        for (const CSyntaxRules::Rule& rule : rules.m_lstRules) {
            QStringList lstPattern, lstNative;
            for (int nPos = rule.rx.indexIn(strText, 0); nPos >= 0 && rule.rx.matchedLength() > 0;
                 nPos = rule.rx.indexIn(strText, nPos + rule.rx.matchedLength()))
                lstPattern << QString("%1+%2").arg(nPos).arg(rule.rx.matchedLength());
            const auto fnMatch = rule.eNative == CSyntaxRules::NativeNumber ? &CSyntaxRules::matchNumberAt
                                                                           : &CSyntaxRules::matchOperatorAt;
            for (int nPos = 0; nPos < strText.size();) {
                const int nMatch = fnMatch(strText, nPos);
                if (nMatch > 0)
                    lstNative << QString("%1+%2").arg(nPos).arg(nMatch);
                nPos += qMax(1, nMatch);
            }
            QVERIFY2(lstNative == lstPattern,
                     qPrintable(QString("'%1' rule %2: %3 vs %4")
                                    .arg(strText, rule.rx.pattern(), lstNative.join(' '), lstPattern.join(' '))));
        }
    }
}

void TestBlockLexer::wordIndexMatchesRegularExpressions_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("plain") << "int main() { return 0; }";
    QTest::newRow("underscores and digits") << "_int int_ int2 2int int";
    QTest::newRow("non-ascii neighbours") << QString::fromUtf8("éint intà int中 int");
    QTest::newRow("regions") << "<int a='int'> int <return>";
    QTest::newRow("open region") << "x < int int";
}

// Looking keywords up by word must give exactly what searching the line once
// per keyword pattern gives.
void TestBlockLexer::wordIndexMatchesRegularExpressions()
{
    QFETCH(QString, line);
    for (bool bElements : {false, true}) {
        for (bool bCase : {false, true}) {
            CSyntaxRules indexed;
            indexed.setDefinition(definition(bElements, bCase));
            CSyntaxRules plain = indexed;
            plain.dropWordIndex();
            for (int nPrev : {-1, 0, 0x10}) {
                QCOMPARE(describe(lexBlock(indexed, line, nPrev).lstRanges),
                         describe(lexBlock(plain, line, nPrev).lstRanges));
            }
        }
    }
}

QTEST_GUILESS_MAIN(TestBlockLexer)
#include "tst_blocklexer.moc"
