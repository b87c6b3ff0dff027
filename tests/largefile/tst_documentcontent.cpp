// A document given its content in one piece must be the document inserting
// the text would have made: same text and blocks, sound trees, and the same
// behaviour under later edits, undo and redo.
#include "largefile/CDocumentContent.h"

#include <QPlainTextDocumentLayout>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <QTextStream>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#ifdef SCRB_QT_PRIVATE
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wshadow"
#pragma GCC diagnostic ignored "-Wshadow=compatible-local"
#include <private/qtextdocument_p.h>
#pragma GCC diagnostic pop
#endif

namespace {

QTextDocument* newDocument(QObject* parent)
{
    auto* pDoc = new QTextDocument(parent);
    pDoc->setDocumentLayout(new QPlainTextDocumentLayout(pDoc));
    return pDoc;
}

// Every block laid out, as a view would: what the layout then counts.
QString blocksOf(const QTextDocument* pDoc)
{
    QString str;
    for (QTextBlock block = pDoc->begin(); block.isValid(); block = block.next()) {
        pDoc->documentLayout()->blockBoundingRect(block);
        str += QString("%1+%2:%3:%4|")
                   .arg(block.position())
                   .arg(block.length())
                   .arg(block.lineCount())
                   .arg(block.text());
    }
    QTextStream(&str) << pDoc->documentLayout()->documentSize().width() << 'x'
                      << pDoc->documentLayout()->documentSize().height();
    return str;
}

#ifdef SCRB_QT_PRIVATE
// Red-black rules and the sums of every node's left subtree, per field.
template <class Map>
int checkTree(const Map& map, uint nNode, uint nParent, QVector<quint64>& vecSum, bool* pOk)
{
    if (!nNode)
        return 1;
    const auto* pNode = map.fragment(nNode);
    constexpr int Fields = std::remove_pointer_t<decltype(pNode)>::size_array_max;
    QVector<quint64> vecLeft(Fields, 0), vecRight(Fields, 0);
    if (pNode->parent != nParent)
        *pOk = false;
    const int nLeft = checkTree(map, pNode->left, nNode, vecLeft, pOk);
    const int nRight = checkTree(map, pNode->right, nNode, vecRight, pOk);
    const bool bRed = pNode->color == 0;
    for (uint nChild : {pNode->left, pNode->right})
        if (bRed && nChild && map.fragment(nChild)->color == 0)
            *pOk = false;
    if (nLeft != nRight)
        *pOk = false;
    for (int i = 0; i < Fields; ++i) {
        if (pNode->size_left_array[i] != vecLeft[i])
            *pOk = false;
        vecSum[i] += vecLeft[i] + pNode->size_array[i] + vecRight[i];
    }
    return nLeft + (bRed ? 0 : 1);
}

template <class Map>
bool treeIsSound(const Map& map, int nFields)
{
    bool bOk = true;
    QVector<quint64> vecSum(nFields, 0);
    uint nRoot = map.firstNode();
    while (nRoot && map.fragment(nRoot)->parent)
        nRoot = map.fragment(nRoot)->parent;
    checkTree(map, nRoot, 0, vecSum, &bOk);
    return bOk && (!nRoot || map.fragment(nRoot)->color == 1);
}
#endif

// The same edits, undos and redos on both documents.
void editBoth(QTextDocument* pA, QTextDocument* pB, quint32 nSeed)
{
    QRandomGenerator rng(nSeed);
    const QStringList lstInserts = {"x", "\n", "ab\ncd", "", "\n\n", QString(QChar(0x2029))};
    for (int nStep = 0; nStep < 60; ++nStep) {
        const int nKind = rng.bounded(5);
        const int nPos = rng.bounded(pA->characterCount());
        const int nLength = rng.bounded(qMin(8, pA->characterCount() - nPos));
        for (QTextDocument* pDoc : {pA, pB}) {
            QTextCursor cursor(pDoc);
            cursor.setPosition(nPos);
            cursor.setPosition(nPos + nLength, QTextCursor::KeepAnchor);
            if (nKind == 0)
                cursor.removeSelectedText();
            else if (nKind == 3)
                pDoc->undo();
            else if (nKind == 4)
                pDoc->redo();
            else
                cursor.insertText(lstInserts[nStep % lstInserts.size()]);
        }
        QCOMPARE(pB->toRawText(), pA->toRawText());
        QCOMPARE(pB->blockCount(), pA->blockCount());
    }
    QCOMPARE(blocksOf(pB), blocksOf(pA));
}

} // namespace

class TestDocumentContent : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void installEqualsInserting_data();
    void installEqualsInserting();
    void replaceIsOneUndoStep();
    void notPlainTextIsLeftAlone();
    void newWidthLaysOutLikeQt();
};

void TestDocumentContent::initTestCase()
{
    if (!CDocumentContent::isAvailable())
        QSKIP("Qt's private text structures are not available in this build");
}

void TestDocumentContent::installEqualsInserting_data()
{
    QTest::addColumn<QString>("strText");
    QTest::newRow("empty") << QString();
    QTest::newRow("one char") << "a";
    QTest::newRow("one break") << "\n";
    QTest::newRow("lines") << "int a;\n\n  b();\n";
    QTest::newRow("crlf and cr") << "x\r\ny\rz\r\n\r";
    QTest::newRow("separators") << QString("p") + QChar(0x2029) + "q" + QChar(0xFDD0) + QChar(0xFDD1)
                                       + QChar(0x2028) + "r";
    QTest::newRow("surrogates") << QString::fromUtf8("\xF0\x9F\x98\x80\n\xE4\xB8\xAD");
    QString strMany;
    for (int i = 0; i < 3000; ++i)
        strMany += (i % 7 == 0 ? QString() : QString("line %1").arg(i)) + '\n';
    QTest::newRow("3000 lines") << strMany;
    // Long enough for the blocks to be made on a second thread.
    QTest::newRow("40000 lines") << strMany.repeated(13).replace("line 1", "line\r\n1");
}

void TestDocumentContent::installEqualsInserting()
{
    QFETCH(QString, strText);
    QTextDocument* pA = newDocument(this);
    QTextDocument* pB = newDocument(this);
    QTextCursor(pA).insertText(strText);
    pB->setUndoRedoEnabled(false);
    CDocumentContent::Formats formats;
    QVERIFY(CDocumentContent::plainFormats(pB, &formats));
    CDocumentContent content = CDocumentContent::build(strText, formats);
    QVERIFY(content.install(pB));
    QVERIFY(content.isNull());
    QCOMPARE(pB->toRawText(), pA->toRawText());
    QCOMPARE(blocksOf(pB), blocksOf(pA));
    QCOMPARE(pB->lastBlock().blockNumber(), pA->blockCount() - 1);
#ifdef SCRB_QT_PRIVATE
    QVERIFY(treeIsSound(pB->docHandle()->fragmentMap(), 1));
    QVERIFY(treeIsSound(pB->docHandle()->blockMap(), 3));
#endif
    pB->setUndoRedoEnabled(true);
    pA->clearUndoRedoStacks();
    editBoth(pA, pB, qHash(strText));
}

void TestDocumentContent::replaceIsOneUndoStep()
{
    QTextDocument* pA = newDocument(this);
    QTextDocument* pB = newDocument(this);
    for (QTextDocument* pDoc : {pA, pB}) {
        QTextCursor cursor(pDoc);
        cursor.insertText("{\"a\":1,\n\"b\":[2,3]}");
        cursor.setPosition(3);
        cursor.deletePreviousChar(); // an older step that keeps text only the undo stack knows
        pDoc->setModified(false);
    }
    const QString strBefore = pA->toRawText();
    const QString strNew = "{\n    \"a\": 1,\n    \"b\": [\n        2,\n        3\n    ]\n}";
    QTextCursor cursorA(pA);
    cursorA.select(QTextCursor::Document);
    cursorA.insertText(strNew);
    QVERIFY(CDocumentContent::replaceText(pB, strNew));
    QCOMPARE(pB->toRawText(), pA->toRawText());
    QVERIFY(pB->isModified());
    pB->undo();
    QCOMPARE(pB->toRawText(), strBefore);
    QVERIFY(!pB->isModified());
    pB->undo(); // the step before the replacement still undoes exactly
    pA->undo();
    pA->undo();
    QCOMPARE(pB->toRawText(), pA->toRawText());
    pA->redo();
    pA->redo();
    pB->redo();
    pB->redo();
    QCOMPARE(pB->toPlainText(), strNew);
    editBoth(pA, pB, 7);
}

void TestDocumentContent::notPlainTextIsLeftAlone()
{
    QTextDocument* pDoc = newDocument(this);
    QTextCursor cursor(pDoc);
    cursor.insertText("plain ");
    QTextCharFormat fmtBold;
    fmtBold.setFontWeight(QFont::Bold);
    cursor.insertText("bold", fmtBold);
    QVERIFY(!CDocumentContent::replaceText(pDoc, "other"));
    QCOMPARE(pDoc->toPlainText(), QString("plain bold"));
    // A document keeping an undo stack is not given content behind its back.
    CDocumentContent::Formats formats;
    QTextDocument* pPlain = newDocument(this);
    QVERIFY(CDocumentContent::plainFormats(pPlain, &formats));
    CDocumentContent content = CDocumentContent::build("x", formats);
    QVERIFY(!content.install(pPlain));
    QVERIFY(pPlain->isEmpty());
}

// A new width clears what was laid out and counts every block as one line
// again, as Qt's relayout does, without a layout object for every block.
void TestDocumentContent::newWidthLaysOutLikeQt()
{
    QString strText;
    for (int i = 0; i < 4000; ++i)
        strText += QString(i % 3 ? "short %1\n" : "a line long enough to wrap at a narrow width %1\n").arg(i);
    QTextDocument* pDoc = newDocument(this);
    QTextCursor(pDoc).insertText(strText);
    auto* pLayout = qobject_cast<QPlainTextDocumentLayout*>(pDoc->documentLayout());
    QSignalSpy spyUpdate(pLayout, &QAbstractTextDocumentLayout::update);
    for (qreal dWidth : {400.0, 90.0, 250.0}) {
        QVERIFY(CDocumentContent::setLayoutWidth(pDoc, pLayout, dWidth));
        QCOMPARE(pLayout->documentSize(), QSizeF(dWidth, pDoc->blockCount()));
        QTextBlock block = pDoc->firstBlock();
        QCOMPARE(block.layout()->lineCount(), 0); // cleared
        QCOMPARE(block.lineCount(), 1);
        // Laid out again at the new width, as a view would.
        pLayout->blockBoundingRect(block);
        QTextLayout expected(block.text(), pDoc->defaultFont());
        expected.setTextOption(pDoc->defaultTextOption());
        expected.beginLayout();
        for (QTextLine line = expected.createLine(); line.isValid(); line = expected.createLine())
            line.setLineWidth(dWidth - 2 * pDoc->documentMargin());
        expected.endLayout();
        QCOMPARE(block.lineCount(), expected.lineCount());
    }
    QCOMPARE(spyUpdate.count(), 3);
#ifdef SCRB_QT_PRIVATE
    QVERIFY(!QTextDocumentPrivate::block(pDoc->findBlockByNumber(3000))->layout);
#endif
}

QTEST_MAIN(TestDocumentContent)
#include "tst_documentcontent.moc"
