// The text as saved: written from the document's raw text (or a source
// text) in pieces, it must equal the document's lines joined by the chosen
// break, whatever characters sit at the edges of the pieces.
#include "editor/CHighlightEdit.h"
#include "editor/DecodedText.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

class TestDecodedText : public QObject
{
    Q_OBJECT
private slots:
    void encodeEqualsJoinedBlocks_data();
    void encodeEqualsJoinedBlocks();
    void standInsComeBackOnSave_data();
    void standInsComeBackOnSave();
};

void TestDecodedText::encodeEqualsJoinedBlocks_data()
{
    QTest::addColumn<QString>("text");
    const QString strPair = QString::fromUtf8("\xF0\x9F\x98\x80");
    QTest::newRow("breaks of every kind")
        << QString("a\r\nb\rc\nd%1e\r\r\n\n").arg(QChar(QChar::ParagraphSeparator));
    QTest::newRow("kept characters")
        << QString("nbsp%1 ls%2 nul%3 é中").arg(QChar(0xA0)).arg(QChar(QChar::LineSeparator)).arg(QChar(0));
    QTest::newRow("lone surrogates") << QString("x%1y%2").arg(QChar(0xD800)).arg(QChar(0xDC00));
    // Pieces are 64K characters: a pair, a "\r\n" and runs of "\r" across
    // their edges.
    QTest::newRow("pair on a piece edge") << QString(65535, 'a') + strPair + "b";
    QTest::newRow("crlf on a piece edge") << QString(65535, 'a') + "\r\nb";
    QTest::newRow("cr run across edges") << QString(65530, 'a') + QString(140000, '\r') + "\nz";
    QTest::newRow("empty") << QString();
}

void TestDecodedText::encodeEqualsJoinedBlocks()
{
    QFETCH(QString, text);
    QTextDocument doc;
    doc.setPlainText(text);
    for (int nMode : {CHighlightEdit::ReturnWindows, CHighlightEdit::ReturnUnix, CHighlightEdit::ReturnOSX}) {
        const QString strBreak = nMode == CHighlightEdit::ReturnWindows ? "\r\n" : nMode == CHighlightEdit::ReturnUnix ? "\n" : "\r";
        QStringList lstBlocks;
        for (QTextBlock block = doc.firstBlock(); block.isValid(); block = block.next())
            lstBlocks << block.text();
        const QByteArray arrExpected = lstBlocks.join(strBreak).toUtf8();
        QCOMPARE(encodeForSave(doc.toRawText(), nMode), arrExpected);
        QCOMPARE(encodeForSave(text, nMode), arrExpected); // the source text itself
    }
}

void TestDecodedText::standInsComeBackOnSave_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("paragraph separator") << QByteArray("a\xE2\x80\xA9" "b\nc");
    QTest::newRow("noncharacters") << QByteArray("\xEF\xB7\x90x\xEF\xB7\x91\n");
    // A long line split for the view keeps the character too.
    QTest::newRow("in a long line") << QByteArray(30000, 'x') + "\xE2\x80\xA9" + QByteArray(30000, 'y');
}

void TestDecodedText::standInsComeBackOnSave()
{
    QFETCH(QByteArray, bytes);
    DecodedText decoded = decodeText(bytes, "UTF-8");
    QVERIFY(!decoded.standIns.isEmpty());
    QTextDocument doc;
    doc.setPlainText(decoded.strText);
    QCOMPARE(doc.blockCount(), bytes.count('\n') + 1); // the characters break no block
    QCOMPARE(encodeForSave(doc.toRawText(), CHighlightEdit::ReturnUnix, decoded.standIns), bytes);
    QCOMPARE(encodeForSave(decoded.strText, CHighlightEdit::ReturnUnix, decoded.standIns), bytes);
}

QTEST_MAIN(TestDecodedText)
#include "tst_decodedtext.moc"
