#include "BenchData.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QStringList>
#include <random>

namespace {

const char* const g_arrWords[] = {
    "value", "index", "buffer", "result", "count", "offset", "length", "token", "parser",
    "node", "scale", "cache", "entry", "stream", "layout", "format", "widget", "block",
    "range", "state", "limit", "table", "window", "config", "handler", "record", "queue",
};
constexpr int WordCount = sizeof(g_arrWords) / sizeof(g_arrWords[0]);

void appendUtf8(QByteArray& arr, uint nCode)
{
    // Only BMP characters from U+0800 up are used here: three bytes each.
    arr.append(char(0xE0 | (nCode >> 12)));
    arr.append(char(0x80 | ((nCode >> 6) & 0x3F)));
    arr.append(char(0x80 | (nCode & 0x3F)));
}

class CppWriter
{
public:
    explicit CppWriter(std::mt19937& rng) : m_rng(rng) {}

    QByteArray m_arr;
    int m_nLines = 0;

    void line(const QString& str)
    {
        m_arr += str.toUtf8();
        m_arr += '\n';
        ++m_nLines;
    }
    int num(int nLow, int nHigh) { return std::uniform_int_distribution<int>(nLow, nHigh)(m_rng); }
    QString word() { return QString::fromLatin1(g_arrWords[num(0, WordCount - 1)]); }
    QString words(int n)
    {
        QStringList lst;
        for (int i = 0; i < n; ++i)
            lst << word();
        return lst.join(' ');
    }
    QString cap(const QString& str) { return str.left(1).toUpper() + str.mid(1); }

    void unit(int nUnit);

private:
    void method(const QString& strClass, const QString& strName, const QString& strMacro);
    std::mt19937& m_rng;
};

void CppWriter::unit(int nUnit)
{
    const QString strClass = cap(word()) + cap(word()) + QString::number(nUnit);
    const QString strMacro = QString("MODULE_%1").arg(nUnit);
    line("// ---------------------------------------------------------------------------");
    line(QString("// %1: %2").arg(strClass, words(num(3, 8))));
    line("// ---------------------------------------------------------------------------");
    line("#include <cstdio>");
    line(QString("#include \"%1.h\"").arg(strClass.toLower()));
    line(QString("#define %1_LIMIT 0x%2").arg(strMacro).arg(num(0x100, 0xFFFFF), 0, 16));
    line(QString("#if defined(ENABLE_%1) && ENABLE_%1 > %2").arg(strMacro).arg(num(0, 3)));
    line(QString("#  define %1_TRACE(x) std::printf(\"trace %s: %d\\n\", x, __LINE__)").arg(strMacro));
    line("#else");
    line(QString("#  define %1_TRACE(x) do { } while (0)").arg(strMacro));
    line("#endif");
    line("");
    line(QString("namespace mod%1 {").arg(nUnit));
    line("");
    line("/**");
    line(QString(" * %1 keeps the %2.").arg(strClass, words(num(2, 6))));
    line(QString(" * The \"quoted\" part: %1, and a 'char' or two.").arg(words(num(2, 5))));
    for (int i = num(0, 3); i > 0; --i)
        line(QString(" * %1").arg(words(num(4, 10))));
    line(QString(" * @param nValue  %1").arg(words(3)));
    line(" */");
    line(QString("class %1 : public Base%2").arg(strClass).arg(num(1, 9)));
    line("{");
    line("    Q_OBJECT");
    line("public:");
    line(QString("    explicit %1(int nValue = %2) : m_nValue(nValue), m_dScale(%3e-%4) {}")
             .arg(strClass).arg(num(-100, 1000)).arg(num(1, 999) / 100.0).arg(num(1, 9)));
    line(QString("    ~%1() override = default;").arg(strClass));
    line("");
    const int nMethods = num(1, 3);
    QStringList lstMethods;
    for (int i = 0; i < nMethods; ++i) {
        lstMethods << word() + cap(word());
        line(QString("    int %1(const std::vector<int>& vec) const;").arg(lstMethods.last()));
    }
    line(QString("    static const char* label() { return \"%1\\t\\\"v%2\\\"\\n\"; }")
             .arg(word()).arg(nUnit));
    line("");
    line("private:");
    line("    int m_nValue;");
    line("    double m_dScale; /* scale factor,");
    line("                        kept apart from the value */");
    line(QString("    std::uint32_t m_nFlags = %1u; // %2").arg(num(0, 65535)).arg(words(2)));
    line("};");
    line("");
    for (const QString& strMethod : qAsConst(lstMethods))
        method(strClass, strMethod, strMacro);
    line(QString("} // namespace mod%1").arg(nUnit));
    line("");
}

void CppWriter::method(const QString& strClass, const QString& strName, const QString& strMacro)
{
    line(QString("int %1::%2(const std::vector<int>& vec) const").arg(strClass, strName));
    line("{");
    line(QString("    int nSum = %1;").arg(num(-50, 50)));
    switch (num(0, 2)) {
    case 0:
        line("    for (size_t i = 0; i < vec.size(); ++i) {");
        line(QString("        if (vec[i] % %1 == 0)").arg(num(2, 17)));
        line("            nSum += vec[i] * m_nValue; // weighted");
        line(QString("        else if (vec[i] < -%1)").arg(num(1, 500)));
        line("            nSum -= static_cast<int>(vec[i] * m_dScale);");
        line("    }");
        break;
    case 1:
        line(QString("    switch (vec.empty() ? %1 : vec.front()) {").arg(num(0, 9)));
        for (int i = num(2, 5); i > 0; --i) {
            line(QString("    case %1:").arg(num(0, 99)));
            line(QString("        nSum += 0x%1 + %2; // %3").arg(num(16, 4095), 0, 16).arg(num(0, 9)).arg(word()));
            line("        break;");
        }
        line("    default:");
        line("        nSum = -1;");
        line("    }");
        break;
    default:
        line("    /* Walks the values backwards:");
        line(QString("       %1").arg(words(num(3, 9))));
        line("       and stops at the first negative one. */");
        line("    for (auto it = vec.rbegin(); it != vec.rend() && *it >= 0; ++it)");
        line(QString("        nSum += *it / %1 + (m_nFlags & 0x%2);").arg(num(1, 9)).arg(num(1, 255), 0, 16));
        break;
    }
    line("    const char chSep = '\\'';");
    line(QString("    const std::string str = \"sum=\" + std::to_string(nSum) + chSep + \"C:\\\\%1\\\\%2\";")
             .arg(word(), strName));
    line(QString("    %1_TRACE(str.c_str());").arg(strMacro));
    line(QString("    return nSum > %1_LIMIT ? %1_LIMIT : nSum;").arg(strMacro));
    line("}");
    line("");
}

} // namespace

QByteArray makeMixedText(qint64 nBytes, int nLines)
{
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<int> distWord(0, WordCount - 1);
    std::uniform_int_distribution<int> distCjk(0x4E00, 0x9FA5);
    std::uniform_int_distribution<int> distRun(1, 6);
    std::uniform_int_distribution<int> distKind(0, 9);
    QByteArray arr;
    arr.reserve(nBytes);
    for (int nLine = 0; nLine < nLines; ++nLine) {
        // Every line ends where an even share of the total would put it.
        const qint64 nEnd = (nLine + 1) * nBytes / nLines - 1;
        while (arr.size() < nEnd) {
            const qint64 nRoom = nEnd - arr.size();
            if (distKind(rng) < 4 && nRoom >= 3) {
                for (int i = qMin<qint64>(distRun(rng), nRoom / 3); i > 0; --i)
                    appendUtf8(arr, distCjk(rng));
            } else {
                const QByteArray arrWord(g_arrWords[distWord(rng)]);
                arr.append(arrWord.left(int(nRoom)));
            }
            if (arr.size() < nEnd)
                arr.append(' ');
        }
        arr.append('\n');
    }
    return arr;
}

QByteArray makeCppSource(int nLines)
{
    std::mt19937 rng(1234567);
    CppWriter writer(rng);
    for (int nUnit = 1; writer.m_nLines < nLines; ++nUnit)
        writer.unit(nUnit);
    // Cut at exactly nLines lines (the last one without a line break).
    QByteArray& arr = writer.m_arr;
    int nPos = -1;
    for (int i = 0; i < nLines; ++i)
        nPos = arr.indexOf('\n', nPos + 1);
    arr.truncate(nPos);
    return arr;
}

QByteArray makeHtmlPage(int nBytes)
{
    std::mt19937 rng(20240611);
    CppWriter words(rng); // only for its words and numbers
    QByteArray arr = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"UTF-8\">\n"
                     "<title>Generated page</title>\n<style>\nbody { font-family: sans-serif; }\n"
                     "table { border-collapse: collapse; }\ntd { border: 1px solid #ccc; }\n"
                     ".note { color: #555; }\n</style>\n</head>\n<body>\n";
    for (int nSection = 1; arr.size() < nBytes - 64; ++nSection) {
        arr += QString("<h2 id=\"s%1\">%2 %1</h2>\n").arg(nSection).arg(words.cap(words.words(3))).toUtf8();
        for (int i = words.num(2, 5); i > 0; --i) {
            QByteArray arrPara = "<p>" + words.cap(words.words(words.num(8, 20))).toUtf8();
            arrPara += " <b>" + words.words(2).toUtf8() + "</b> ";
            arrPara += "<a href=\"#s" + QByteArray::number(words.num(1, nSection)) + "\">"
                       + words.words(2).toUtf8() + "</a> ";
            for (int n = words.num(2, 12); n > 0; --n)
                appendUtf8(arrPara, 0x4E00 + words.num(0, 0x4000));
            arrPara += " <i>" + words.words(words.num(3, 9)).toUtf8() + "</i>.</p>\n";
            arr += arrPara;
        }
        arr += "<ul>\n";
        for (int i = words.num(2, 6); i > 0; --i)
            arr += "<li class=\"note\">" + words.words(words.num(3, 8)).toUtf8() + "</li>\n";
        arr += "</ul>\n<table>\n";
        for (int nRow = words.num(2, 5); nRow > 0; --nRow) {
            arr += "<tr>";
            for (int nCol = 0; nCol < 4; ++nCol)
                arr += "<td>" + words.word().toUtf8() + " " + QByteArray::number(words.num(0, 99999)) + "</td>";
            arr += "</tr>\n";
        }
        arr += "</table>\n";
    }
    arr += "</body>\n</html>\n";
    return arr;
}

QByteArray makeMinifiedJson(qint64 nBytes)
{
    std::mt19937 rng(20240612);
    std::uniform_int_distribution<int> distWord(0, WordCount - 1);
    std::uniform_int_distribution<int> distNum(0, 99999);
    QByteArray arr;
    arr.reserve(nBytes + 256);
    arr += "{\"items\":[";
    for (int nItem = 0; arr.size() < nBytes - 2; ++nItem) {
        if (nItem > 0)
            arr += ',';
        arr += QString("{\"id\":%1,\"name\":\"%2 %3\",\"tags\":[\"%4\",\"%5\"],"
                       "\"value\":%6.%7,\"active\":%8,\"parent\":null}")
                   .arg(nItem)
                   .arg(g_arrWords[distWord(rng)], g_arrWords[distWord(rng)],
                        g_arrWords[distWord(rng)], g_arrWords[distWord(rng)])
                   .arg(distNum(rng))
                   .arg(distNum(rng) % 100)
                   .arg(distNum(rng) % 2 ? "true" : "false")
                   .toLatin1();
    }
    arr.truncate(nBytes - 2);
    // Cut where a value may end, so that the text stays valid JSON.
    while (!arr.isEmpty() && !arr.endsWith('}'))
        arr.chop(1);
    arr += "]}";
    return arr;
}

QByteArray makeRandomBytes(int nBytes)
{
    std::mt19937_64 rng(0x5eed5eedULL);
    QByteArray arr(nBytes, Qt::Uninitialized);
    for (int i = 0; i + 8 <= nBytes; i += 8) {
        const quint64 n = rng();
        memcpy(arr.data() + i, &n, 8);
    }
    for (int i = nBytes - nBytes % 8; i < nBytes; ++i)
        arr[i] = char(rng());
    return arr;
}

bool writeFile(const QString& strPath, const QByteArray& arrBytes)
{
    QFile file(strPath);
    return file.open(QIODevice::WriteOnly) && file.write(arrBytes) == arrBytes.size();
}

bool makeFolder(const QString& strDir, int nEntries)
{
    QDir dir;
    if (!dir.mkpath(strDir))
        return false;
    const char* const arrExt[] = {"txt", "cpp", "H", "html", "Json", "md", "png", ""};
    for (int i = 0; i < nEntries; ++i) {
        // Spread names so that neither creation order nor case sorts them.
        const int nKey = int((quint64(i) * 2654435761u) % quint64(nEntries));
        if (i % 250 == 0) {
            if (!dir.mkpath(QString("%1/Folder_%2").arg(strDir).arg(nKey)))
                return false;
            continue;
        }
        const char* szExt = arrExt[i % 8];
        const QString strName = QString(i % 3 ? "file_%1" : "File_%1").arg(nKey)
                                + (*szExt ? QString(".") + szExt : QString());
        QFile file(strDir + '/' + strName);
        if (!file.open(QIODevice::WriteOnly))
            return false;
    }
    return true;
}
