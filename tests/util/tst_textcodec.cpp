// Encoding detection and the codec menu. Sample files are made with iconv
// at test time; the locale cases that read the system locale run in child
// processes of this program.
#include "util/TextCodec.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>
#include <algorithm>
#include <cstdio>

namespace {
const char* const TextLatin = "Café crème, naïve; señor über\nSecond line: ünïcödé ß\n";
const char* const TextChinese = "简体中文测试文本，包含标点。\n第二行：汉字与数字123\n";
const char* const TextJapanese = "日本語のテキストです。\nカタカナとひらがな、漢字。\n";
const char* const TextMixed = "Mixed: café 中文 日本語 — ✓\nend\n";
const char* const TextJson = "{\"name\": \"Müller\", \"city\": \"Köln\"}\n";
const char* const TextGerman = "// Größe berechnen\nint nGröße = 0; // für Straße\n";
const char* const TextFrench = "« Voilà », dit-il — l’été à Noël coûte 5 € ; ÉCOLE, Ça.\n";
const char* const TextSpanish = "El niño pidió café con azúcar. ¿Qué? ¡Sí, señor!\n";
const char* const TextAsciiUtf16 = "plain text in UTF-16\r\nsecond line\r\n";

struct Sample
{
    const char* szFile;
    const char* szIconv; // target encoding for iconv
    const char* szText;
};
const Sample Samples[] = {
    {"utf8.txt", "UTF-8", TextMixed},           {"gb18030.txt", "GB18030", TextChinese},
    {"sjis.txt", "SHIFT_JIS", TextJapanese},    {"eucjp.txt", "EUC-JP", TextJapanese},
    {"utf16.txt", "UTF-16", TextMixed},         {"latin1.txt", "LATIN1", TextLatin},
    {"json.utf8", "UTF-8", TextJson},           {"german.utf8", "UTF-8", TextGerman},
    {"german.latin1", "LATIN1", TextGerman},    {"french.cp1252", "WINDOWS-1252", TextFrench},
    {"spanish.latin1", "LATIN1", TextSpanish},  {"ascii.utf16le", "UTF-16LE", TextAsciiUtf16},
    {"ascii.utf16be", "UTF-16BE", TextAsciiUtf16},
};
} // namespace

class TestTextCodec : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void menuFilterAndOrder_data();
    void menuFilterAndOrder();
    void menuOfThisPlatform();
    void validity_data();
    void validity();
    void detection_data();
    void detection();
    void systemLocaleDecides_data();
    void systemLocaleDecides();
    void detectionNeverLosesCharacters_data();
    void detectionDecodesAsTheWhole_data();
    void detectionDecodesAsTheWhole();
    void detectionNeverLosesCharacters();

private:
    QByteArray sampleBytes(const QString& strFile) const;
    QTemporaryDir m_dir;
};

void TestTextCodec::initTestCase()
{
    QVERIFY(m_dir.isValid());
    for (const Sample& sample : Samples) {
        QProcess iconv;
        iconv.start("iconv", {"-f", "UTF-8", "-t", sample.szIconv});
        QVERIFY(iconv.waitForStarted());
        iconv.write(sample.szText);
        iconv.closeWriteChannel();
        QVERIFY(iconv.waitForFinished());
        QCOMPARE(iconv.exitCode(), 0);
        QFile file(m_dir.filePath(sample.szFile));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(iconv.readAllStandardOutput());
    }
    QVERIFY(sampleBytes("utf16.txt").startsWith("\xff\xfe") || sampleBytes("utf16.txt").startsWith("\xfe\xff"));
}

QByteArray TestTextCodec::sampleBytes(const QString& strFile) const
{
    QFile file(m_dir.filePath(strFile));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestTextCodec::menuFilterAndOrder_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("menu");
    QTest::newRow("koi8 euc ibm utf8") << QStringList{"KOI8-R", "EUC-JP", "ibm-850", "UTF-8"}
                                       << QStringList{"EUC-JP", "UTF-8"};
    QTest::newRow("duplicates once") << QStringList{"UTF-8", "Shift_JIS", "UTF-8"}
                                     << QStringList{"Shift_JIS", "UTF-8"};
    QTest::newRow("upper before lower") << QStringList{"windows-1252", "UTF-16", "EUC-KR"}
                                        << QStringList{"EUC-KR", "UTF-16", "windows-1252"};
    QTest::newRow("pipe and digits dropped") << QStringList{"|x", "8859", "Emacs", "EUC-TW"}
                                             << QStringList{"EUC-TW"};
    QTest::newRow("prefix list") << QStringList{"ISO-8859-1", "Big5-HKSCS", "sjis", "gb_2312", "GB18030", "SCSU", "Big5"}
                                 << QStringList{"Big5", "GB18030"};
}

void TestTextCodec::menuFilterAndOrder()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, menu);
    QList<QByteArray> lstNames;
    for (const QString& str : names)
        lstNames << str.toLatin1();
    QCOMPARE(filterCodecMenuNames(lstNames), menu);
}

void TestTextCodec::menuOfThisPlatform()
{
    const QStringList lstMenu = getCodecMenuNames();
    QVERIFY(lstMenu.contains("UTF-8"));
    QVERIFY(lstMenu.contains("Shift_JIS"));
    QVERIFY(!lstMenu.contains("ISO-8859-1"));
    QStringList lstSorted = lstMenu;
    std::sort(lstSorted.begin(), lstSorted.end());
    QCOMPARE(lstMenu, lstSorted);
    QCOMPARE(QSet<QString>(lstMenu.begin(), lstMenu.end()).size(), lstMenu.size());
    for (const QString& strName : lstMenu)
        QVERIFY2(QTextCodec::codecForName(strName.toLatin1()), qPrintable(strName));
}

void TestTextCodec::validity_data()
{
    QTest::addColumn<QByteArray>("codec");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("valid");
    QTest::newRow("empty in utf-8") << QByteArray("UTF-8") << QByteArray() << true;
    QTest::newRow("empty in shift_jis") << QByteArray("Shift_JIS") << QByteArray() << true;
    QTest::newRow("U+FFFE rejected") << QByteArray("UTF-8") << QByteArray("ab\xef\xbf\xbe") << false;
    QTest::newRow("U+FFFF rejected") << QByteArray("UTF-8") << QByteArray("\xef\xbf\xbf") << false;
    QTest::newRow("noncharacter U+FDD0") << QByteArray("UTF-8") << QByteArray("\xef\xb7\x90") << false;
    QTest::newRow("symbol above U+8000") << QByteArray("UTF-8") << QByteArray("\xef\xbf\xa5") << false;
    QTest::newRow("symbol below U+8000") << QByteArray("UTF-8") << QByteArray("\xe2\x82\xac 5") << true;
    QTest::newRow("invalid utf-8") << QByteArray("UTF-8") << QByteArray("caf\xe9!") << false;
    QTest::newRow("sequence cut at end") << QByteArray("UTF-8") << QByteArray("ok \xe4\xb8") << false;
    QTest::newRow("spelled replacement char") << QByteArray("UTF-8") << QByteArray("x\xef\xbf\xbdy") << true;
    QTest::newRow("substituted byte in shift_jis") << QByteArray("Shift_JIS") << QByteArray("ab\xff") << false;
    QTest::newRow("substituted byte in us-ascii") << QByteArray("US-ASCII") << QByteArray("caf\xe9") << false;
    QTest::newRow("ascii in us-ascii") << QByteArray("US-ASCII") << QByteArray("plain\n") << true;
    QTest::newRow("cut double byte in gbk") << QByteArray("GBK") << QByteArray("\xd6\xd0\xce") << false;
    QTest::newRow("cut sequence in utf-16") << QByteArray("UTF-16LE") << QByteArray("a\0b", 3) << false;
    QTest::newRow("whole utf-16") << QByteArray("UTF-16LE") << QByteArray("a\0b\0", 4) << true;
    QTest::newRow("cut sequence in shift_jis") << QByteArray("Shift_JIS") << QByteArray("ab\x93") << false;
    QTest::newRow("nul bytes are text") << QByteArray("UTF-8") << QByteArray("a\0b", 3) << true;
}

void TestTextCodec::validity()
{
    QFETCH(QByteArray, codec);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, valid);
    QTextCodec* pCodec = QTextCodec::codecForName(codec);
    QVERIFY(pCodec);
    QCOMPARE(isTextValidInCodec(pCodec, bytes), valid);
    QVERIFY(!isTextValidInCodec(nullptr, bytes));
}

void TestTextCodec::detection_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("codec");
    // Files (rows) read on each locale (columns): the codec detected.
    const QStringList lstLocales{"en_us", "c", "zh_cn", "ja_jp"};
    const struct {
        const char* szFile;
        const char* arrCodec[4];
    } arrTable[] = {
        {"utf8.txt",       {"UTF-8",        "UTF-8",        "UTF-8",        "UTF-8"}},
        {"json.utf8",      {"UTF-8",        "UTF-8",        "UTF-8",        "UTF-8"}},
        {"german.utf8",    {"UTF-8",        "UTF-8",        "UTF-8",        "UTF-8"}},
        {"gb18030.txt",    {"GBK",          "GBK",          "GB18030",      "GBK"}},
        {"sjis.txt",       {"Shift_JIS",    "Shift_JIS",    "GB18030",      "Shift_JIS"}},
        {"eucjp.txt",      {"EUC-JP",       "EUC-JP",       "GB18030",      "EUC-JP"}},
        {"utf16.txt",      {"UTF-16",       "UTF-16",       "UTF-16",       "UTF-16"}},
        {"ascii.utf16le",  {"UTF-16LE",     "UTF-16LE",     "UTF-16LE",     "UTF-16LE"}},
        {"ascii.utf16be",  {"UTF-16BE",     "UTF-16BE",     "UTF-16BE",     "UTF-16BE"}},
        {"latin1.txt",     {"windows-1252", "windows-1252", "windows-1252", "windows-1252"}},
        {"german.latin1",  {"windows-1252", "windows-1252", "GB18030",      "windows-1252"}},
        {"french.cp1252",  {"windows-1252", "windows-1252", "windows-1252", "windows-1252"}},
        {"spanish.latin1", {"windows-1252", "windows-1252", "windows-1252", "windows-1252"}},
    };
    for (const auto& row : arrTable) {
        for (int i = 0; i < lstLocales.size(); ++i)
            QTest::newRow(qPrintable(lstLocales.at(i) + ' ' + row.szFile))
                << lstLocales.at(i) << QString(row.szFile) << QString(row.arrCodec[i]);
    }
}

void TestTextCodec::detection()
{
    QFETCH(QString, locale);
    QFETCH(QString, file);
    QFETCH(QString, codec);
    QCOMPARE(detectTextCodec(sampleBytes(file), locale), codec);
}

void TestTextCodec::systemLocaleDecides_data()
{
    QTest::addColumn<QString>("lcAll");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("codec");
    QTest::newRow("english ascii") << "en_US.UTF-8" << "ascii" << "UTF-8";
    QTest::newRow("english utf-8") << "en_US.UTF-8" << "utf8.txt" << "UTF-8";
    QTest::newRow("chinese ascii is gb18030") << "zh_CN.UTF-8" << "ascii" << "GB18030";
    QTest::newRow("chinese gb18030") << "zh_CN.UTF-8" << "gb18030.txt" << "GB18030";
    QTest::newRow("japanese ascii is shift_jis") << "ja_JP.UTF-8" << "ascii" << "Shift_JIS";
    QTest::newRow("japanese shift_jis") << "ja_JP.UTF-8" << "sjis.txt" << "Shift_JIS";
}

void TestTextCodec::systemLocaleDecides()
{
    QFETCH(QString, lcAll);
    QFETCH(QString, file);
    QFETCH(QString, codec);
    QString strPath = m_dir.filePath(file);
    if (file == "ascii") {
        QFile ascii(strPath);
        QVERIFY(ascii.open(QIODevice::WriteOnly));
        ascii.write("plain ascii text\n");
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", lcAll);
    env.insert("LANG", lcAll);
    QProcess child;
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {"--detect", strPath});
    QVERIFY(child.waitForFinished(20000));
    QCOMPARE(QString::fromUtf8(child.readAllStandardOutput()).trimmed(), codec);
}

void TestTextCodec::detectionNeverLosesCharacters_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("text"); // the characters when the codec is the file's own
    for (const char* szLocale : {"en_us", "zh_cn", "ja_jp"}) {
        for (const Sample& sample : Samples) {
            const QString strDetected = QString(szLocale) + ' ' + sample.szFile;
            QTest::newRow(qPrintable(strDetected))
                << QString(szLocale) << QString(sample.szFile) << QString::fromUtf8(sample.szText);
        }
    }
}

void TestTextCodec::detectionNeverLosesCharacters()
{
    QFETCH(QString, locale);
    QFETCH(QString, file);
    QFETCH(QString, text);
    const QByteArray arrBytes = sampleBytes(file);
    const QString strCodec = detectTextCodec(arrBytes, locale);
    QTextCodec* pCodec = QTextCodec::codecForName(strCodec.toLatin1());
    QVERIFY2(pCodec, qPrintable("no codec detected for " + file));
    const QString strDecoded = pCodec->toUnicode(arrBytes);
    QVERIFY(!strDecoded.contains(QChar(QChar::ReplacementCharacter)));
    // Whatever was chosen can give back every byte, so switching the codec
    // later reads the same file again. A byte-order mark is read, not kept.
    QByteArray arrOriginal = arrBytes;
    QTextCodec* pBack = pCodec;
    if (arrOriginal.startsWith("\xff\xfe") || arrOriginal.startsWith("\xfe\xff")) {
        pBack = QTextCodec::codecForName(arrOriginal.startsWith("\xff") ? "UTF-16LE" : "UTF-16BE");
        arrOriginal = arrOriginal.mid(2);
    }
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    QCOMPARE(pBack->fromUnicode(strDecoded.constData(), strDecoded.size(), &state), arrOriginal);
    // Only the Chinese locale's own codec may read another file's bytes as
    // other characters; every other choice reads them right.
    const bool bOwnCodec = strCodec != "GB18030" || file == "gb18030.txt";
    if (bOwnCodec)
        QCOMPARE(strDecoded, text);
}

// The text detection decodes on the way is what decoding the whole gives,
// also where its pieces meet.
void TestTextCodec::detectionDecodesAsTheWhole_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray arrAscii(256 * 1024, 'a');
    QTest::newRow("mark") << QByteArray("\xef\xbb\xbf\xe4\xb8\xad\n");
    QTest::newRow("mark alone") << QByteArray("\xef\xbb\xbf");
    QTest::newRow("U+FEFF after a piece of ASCII") << arrAscii + "\xef\xbb\xbfz\xc3\xa9";
    QTest::newRow("a character across pieces") << arrAscii.left(arrAscii.size() - 1) + "\xe4\xb8\xad";
    QTest::newRow("NUL bytes") << QByteArray("\xc3\xa9\0\0x\n", 6);
    QTest::newRow("ASCII") << QByteArray("plain\n");
    // Long enough to be read in two halves, split after a line break.
    const QByteArray arrLine = "caf\xc3\xa9 \xe4\xb8\xad\xe6\x96\x87\n";
    const QByteArray arrLong = arrLine.repeated(3 * 1024 * 1024 / arrLine.size());
    QTest::newRow("long") << arrLong + "\xef\xbb\xbfmark after a break\n" + arrLong;
    QTest::newRow("long, bad byte in the second half") << arrLong + arrLong + "\xff\n";
    QTest::newRow("long, cut off at the end") << arrLong + arrLong + "\xe4\xb8";
}

void TestTextCodec::detectionDecodesAsTheWhole()
{
    QFETCH(QByteArray, bytes);
    QString strDecoded;
    const QString strCodec = detectTextCodec(bytes, "en_us", &strDecoded);
    QCOMPARE(strCodec, detectTextCodec(bytes, "en_us"));
    if (!strDecoded.isNull())
        QCOMPARE(strDecoded, QTextCodec::codecForName(strCodec.toLatin1())->toUnicode(bytes));
    else // UTF-8 then only for plain ASCII, which is not decoded on the way
        QVERIFY(strCodec != "UTF-8"
                || std::all_of(bytes.cbegin(), bytes.cend(), [](char ch) { return uchar(ch) < 0x80; }));
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--detect") {
        QFile file(QString::fromLocal8Bit(argv[2]));
        if (!file.open(QIODevice::ReadOnly))
            return 2;
        std::printf("%s\n", qPrintable(detectTextCodec(file.readAll())));
        return 0;
    }
    TestTextCodec test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_textcodec.moc"
