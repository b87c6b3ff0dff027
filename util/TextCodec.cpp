#include "util/TextCodec.h"

#include "util/RunBeside.h"

#include <QLocale>
#include <QRegExp>
#include <QTextCodec>
#include <algorithm>
#include <cstring>
#include <memory>

namespace {

// Decoding in chunks lets a codec that fails early stop early.
constexpr int ChunkSize = 256 * 1024;

bool isRejectedChar(ushort uc)
{
    if ((uc >= 0xFDD0 && uc <= 0xFDEF) || uc == 0xFFFE || uc == 0xFFFF)
        return true;
    return uc >= 0x8000 && QChar(uc).isSymbol();
}

// Counts how often the input spells a character that a codec also uses as
// its substitution for bytes it cannot map; decoding may yield the
// character no more often than that. Counted only when first needed.
class SubstitutionGuard
{
public:
    SubstitutionGuard(QTextCodec* pCodec, const QByteArray& arrBytes, QChar ch)
        : m_pCodec(pCodec), m_arrBytes(arrBytes), m_ch(ch)
    {
    }

    bool accept(int nSeen)
    {
        if (nSeen == 0)
            return true;
        if (m_nSpelled < 0)
            m_nSpelled = countSpelled();
        return nSeen <= m_nSpelled;
    }

private:
    int countSpelled() const
    {
        QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
        const QByteArray arrPattern = m_pCodec->fromUnicode(&m_ch, 1, &state);
        if (arrPattern.isEmpty() || state.invalidChars > 0
            || m_pCodec->toUnicode(arrPattern) != QString(m_ch))
            return 0; // the codec cannot spell it, so every one is a substitute
        return m_arrBytes.count(arrPattern);
    }

    QTextCodec* m_pCodec;
    const QByteArray& m_arrBytes;
    QChar m_ch;
    int m_nSpelled = -1;
};

} // namespace

namespace {

// From this many bytes on, UTF-8 kept as text is checked in two halves at
// once, split after a line break (no sequence crosses one).
constexpr int ParallelBytes = 4 * 1024 * 1024;

struct Seen
{
    int nReplacement = 0;
    int nSub = 0;
};

// Decodes p[0..n) chunk by chunk (appending to pKeep when given) and counts
// the substitution characters; false at the first sign the codec does not
// fit.
bool scanBytes(QTextDecoder* pDecoder, const char* p, int n, QString* pKeep, Seen& seen,
               SubstitutionGuard& guardReplacement, SubstitutionGuard& guardSub)
{
    for (int nPos = 0; nPos < n; nPos += ChunkSize) {
        const int nLen = qMin(ChunkSize, n - nPos);
        const QString strChunk = pDecoder->toUnicode(p + nPos, nLen);
        if (pDecoder->hasFailure())
            return false;
        if (pKeep)
            *pKeep += strChunk;
        for (const QChar ch : strChunk) {
            const ushort uc = ch.unicode();
            if (uc < 0x8000) { // nothing below is rejected
                seen.nSub += uc == 0x1A;
                continue;
            }
            if (uc == QChar::ReplacementCharacter)
                ++seen.nReplacement;
            else if (isRejectedChar(uc))
                return false;
        }
        if (!guardReplacement.accept(seen.nReplacement) || !guardSub.accept(seen.nSub))
            return false;
    }
    return true;
}

} // namespace

bool isTextValidInCodec(QTextCodec* pCodec, const QByteArray& arrBytes, QString* pDecoded)
{
    if (!pCodec)
        return false;
    // The text is kept for UTF-8 only. Its decoder then eats no mark: one
    // that eats a mark at the start would, after a first chunk of plain
    // ASCII, also eat U+FEFF at the start of the next.
    const bool bKeep = pDecoded && pCodec->mibEnum() == 106;
    const QTextCodec::ConversionFlags flags = bKeep ? QTextCodec::IgnoreHeader : QTextCodec::DefaultConversion;
    QString strDecoded;
    if (bKeep)
        strDecoded.reserve(arrBytes.size());
    std::unique_ptr<QTextDecoder> pDecoder(pCodec->makeDecoder(flags));
    SubstitutionGuard guardReplacement(pCodec, arrBytes, QChar(QChar::ReplacementCharacter));
    SubstitutionGuard guardSub(pCodec, arrBytes, QChar(0x1A));
    Seen seen;
    const char* p = arrBytes.constData();
    const int nSize = arrBytes.size();
    int nSplit = nSize;
    if (bKeep && nSize >= ParallelBytes) {
        const int nBreak = arrBytes.indexOf('\n', nSize / 2) + 1;
        nSplit = nBreak > 0 ? nBreak : nSize;
    }
    std::future<bool> futureSecond;
    std::unique_ptr<QTextDecoder> pSecond;
    QString strSecond;
    Seen seenSecond;
    if (nSplit < nSize) {
        pSecond.reset(pCodec->makeDecoder(flags));
        futureSecond = runBeside([&] {
            SubstitutionGuard guardR(pCodec, arrBytes, QChar(QChar::ReplacementCharacter));
            SubstitutionGuard guardS(pCodec, arrBytes, QChar(0x1A));
            strSecond.reserve(nSize - nSplit);
            return scanBytes(pSecond.get(), p + nSplit, nSize - nSplit, &strSecond, seenSecond,
                             guardR, guardS);
        });
    }
    const bool bFirst = scanBytes(pDecoder.get(), p, nSplit, bKeep ? &strDecoded : nullptr, seen,
                                  guardReplacement, guardSub);
    if (futureSecond.valid()) {
        // The first half ends after a line break: nothing of it may wait.
        if (!futureSecond.get() || !bFirst || pDecoder->needsMoreData())
            return false;
        seen.nReplacement += seenSecond.nReplacement;
        seen.nSub += seenSecond.nSub;
        if (!guardReplacement.accept(seen.nReplacement) || !guardSub.accept(seen.nSub))
            return false;
        strDecoded += strSecond;
        pDecoder = std::move(pSecond); // the one that read the end
    } else if (!bFirst) {
        return false;
    }
    // Bytes of a sequence cut off by the end of the input would be lost on
    // load. Not every decoder reports them, so a newline in the codec's own
    // encoding is fed after the input: only it may come out.
    if (pDecoder->needsMoreData())
        return false;
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    const QChar chNewline('\n');
    const QByteArray arrNewline = pCodec->fromUnicode(&chNewline, 1, &state);
    if (!arrNewline.isEmpty() && pDecoder->toUnicode(arrNewline) != QString(chNewline))
        return false;
    if (bKeep) {
        // As decoding the whole at once: a mark at the very start is eaten.
        if (arrBytes.startsWith("\xef\xbb\xbf"))
            strDecoded.remove(0, 1);
        pDecoded->swap(strDecoded);
    }
    return true;
}

QString detectTextCodec(const QByteArray& arrBytes)
{
    return detectTextCodec(arrBytes, QLocale::system().name().toLower());
}

int byteOrderMarkLength(const QByteArray& arrBytes)
{
    if (arrBytes.startsWith(QByteArray("\xff\xfe\0\0", 4)) || arrBytes.startsWith(QByteArray("\0\0\xfe\xff", 4)))
        return 4;
    if (arrBytes.startsWith("\xef\xbb\xbf"))
        return 3;
    if (arrBytes.startsWith("\xff\xfe") || arrBytes.startsWith("\xfe\xff"))
        return 2;
    return 0;
}

namespace {

bool hasNonAscii(const QByteArray& arrBytes)
{
    // Eight bytes at a time: any high bit is a non-ASCII byte.
    const char* p = arrBytes.constData();
    const qsizetype nSize = arrBytes.size();
    qsizetype i = 0;
    for (; i + 8 <= nSize; i += 8) {
        quint64 nWord;
        std::memcpy(&nWord, p + i, 8);
        if (nWord & 0x8080808080808080ULL)
            return true;
    }
    for (; i < nSize; ++i) {
        if (static_cast<uchar>(p[i]) >= 0x80)
            return true;
    }
    return false;
}

// Name of the Unicode codec announced by a byte-order mark, or empty.
QByteArray codecOfByteOrderMark(const QByteArray& arrBytes)
{
    switch (byteOrderMarkLength(arrBytes)) {
    case 4: return "UTF-32";
    case 2: return "UTF-16";
    default: return QByteArray();
    }
}

// UTF-16 and UTF-32 without a byte-order mark decode almost any input, so
// they are only taken when the bytes look like it: most code units of
// mostly-ASCII text hold their character in one byte and zeros in the rest.
QByteArray codecOfZeroPattern(const QByteArray& arrBytes)
{
    // Half the units holding their character with zeros takes a zero byte in
    // every four at least; most texts have none, and are passed at once.
    if (qsizetype(std::count(arrBytes.cbegin(), arrBytes.cend(), '\0')) * 4 < arrBytes.size())
        return QByteArray();
    const auto looksLike = [&arrBytes](int nUnit, int nCharByte) {
        const int nUnits = arrBytes.size() / nUnit;
        if (nUnits == 0 || arrBytes.size() % nUnit != 0)
            return false;
        int nAscii = 0;
        for (int i = 0; i < nUnits; ++i) {
            const char* pUnit = arrBytes.constData() + i * nUnit;
            bool bAscii = pUnit[nCharByte] != 0 && static_cast<uchar>(pUnit[nCharByte]) < 0x80;
            for (int j = 0; j < nUnit && bAscii; ++j)
                bAscii = j == nCharByte || pUnit[j] == 0;
            nAscii += bAscii;
        }
        return nAscii * 2 >= nUnits;
    };
    if (looksLike(4, 0))
        return "UTF-32LE";
    if (looksLike(4, 3))
        return "UTF-32BE";
    if (looksLike(2, 0))
        return "UTF-16LE";
    if (looksLike(2, 1))
        return "UTF-16BE";
    return QByteArray();
}

bool isUnicodeFamily(const QByteArray& arrName)
{
    return arrName.startsWith("UTF-16") || arrName.startsWith("UTF-32");
}

bool isWesternCharacter(ushort uc)
{
    if (uc >= 0xC0 && uc <= 0xFF)
        return uc != 0xD7 && uc != 0xF7; // letters, not the multiplication and division signs
    switch (uc) {
    case 0xA0: case 0xA1: case 0xA3: case 0xA7: case 0xA9: case 0xAB: case 0xAE: case 0xB0:
    case 0xB7: case 0xBB: case 0xBF: case 0x152: case 0x153: case 0x2013: case 0x2014:
    case 0x2018: case 0x2019: case 0x201C: case 0x201D: case 0x2026: case 0x20AC:
        return true;
    default:
        return false;
    }
}

// Whether text read as windows-1252 looks like a Western language: its
// non-ASCII characters are accented letters and typographic punctuation
// next to plain ASCII ("Müller", "l'été", "« oui »"). The same bytes of a
// Chinese or Japanese text give runs of such characters and symbols.
bool looksWestern(const QString& strText)
{
    int nNonAscii = 0;
    int nWestern = 0;
    const int nSize = strText.size();
    for (int i = 0; i < nSize; ++i) {
        if (strText.at(i).unicode() < 0x80)
            continue;
        ++nNonAscii;
        const bool bAsciiBeside = i == 0 || strText.at(i - 1).unicode() < 0x80 || i + 1 == nSize
                                  || strText.at(i + 1).unicode() < 0x80;
        nWestern += bAsciiBeside && isWesternCharacter(strText.at(i).unicode());
    }
    return nWestern * 5 >= nNonAscii * 4;
}

} // namespace

QString detectTextCodec(const QByteArray& arrBytes, const QString& strLocale)
{
    return detectTextCodec(arrBytes, strLocale, nullptr);
}

QString detectTextCodec(const QByteArray& arrBytes, const QString& strLocale, QString* pDecoded)
{
    QString strUtf8;
    // A mark alone does not make a text: binary data may start with one.
    const QByteArray arrMarked = codecOfByteOrderMark(arrBytes);
    if (!arrMarked.isEmpty() && isTextValidInCodec(QTextCodec::codecForName(arrMarked), arrBytes))
        return QString::fromLatin1(arrMarked);
    // Checked before UTF-8, which takes the zero bytes as characters.
    const QByteArray arrUnicode = codecOfZeroPattern(arrBytes);
    if (!arrUnicode.isEmpty() && isTextValidInCodec(QTextCodec::codecForName(arrUnicode), arrBytes))
        return QString::fromLatin1(arrUnicode);
    // Strict UTF-8 with any non-ASCII character is UTF-8 whatever the locale:
    // that is what this editor writes, and no legacy text is likely to be
    // valid UTF-8 by accident.
    QTextCodec* pUtf8 = QTextCodec::codecForMib(106);
    const bool bNonAscii = hasNonAscii(arrBytes);
    // Plain ASCII is strict UTF-8 as it stands.
    const bool bUtf8 = !bNonAscii || isTextValidInCodec(pUtf8, arrBytes, pDecoded ? &strUtf8 : nullptr);
    if (bUtf8 && bNonAscii) {
        if (pDecoded)
            pDecoded->swap(strUtf8);
        return QString::fromLatin1(pUtf8->name());
    }

    QByteArray arrPreferred;
    if (strLocale == "zh_cn" || strLocale == "zh_tw")
        arrPreferred = QTextCodec::availableCodecs().contains("GB18030") ? "GB18030" : "GBK";
    else if (strLocale == "ja_jp")
        arrPreferred = "Shift-JIS";
    if (!arrPreferred.isEmpty()) {
        QTextCodec* pCodec = QTextCodec::codecForName(arrPreferred);
        if (isTextValidInCodec(pCodec, arrBytes))
            return QString::fromLatin1(pCodec->name());
    }
    if (bUtf8)
        return QString::fromLatin1(pUtf8->name());

    // Where a Western reading is plausible it beats the East Asian codecs,
    // which accept many Latin-1 texts as a scatter of ideographs.
    QTextCodec* pWestern = QTextCodec::codecForName("windows-1252");
    if (isTextValidInCodec(pWestern, arrBytes) && looksWestern(pWestern->toUnicode(arrBytes)))
        return QString::fromLatin1(pWestern->name());

    for (int nMib : QTextCodec::availableMibs()) {
        QTextCodec* pCodec = QTextCodec::codecForMib(nMib);
        if (!pCodec || pCodec == pUtf8)
            continue;
        const QByteArray arrName = pCodec->name();
        if (arrName.startsWith("ISO-") || arrName.startsWith("windows-") || isUnicodeFamily(arrName))
            continue;
        if (isTextValidInCodec(pCodec, arrBytes))
            return QString::fromLatin1(arrName);
    }
    return QString();
}

QStringList getCodecMenuNames()
{
    return filterCodecMenuNames(QTextCodec::availableCodecs());
}

QStringList filterCodecMenuNames(const QList<QByteArray>& lstNames)
{
    // Character classes here contain a literal "|" as the patterns are stored.
    const QRegExp arrDropped[] = {
        QRegExp("^\\d", Qt::CaseSensitive),
        QRegExp("^[b|g|k|u|r|t]", Qt::CaseSensitive),
        QRegExp("^[a|c|d|h-p|t|x]", Qt::CaseInsensitive),
        QRegExp("^(as|iso|bo|big5-|sc|sj|su|(gb2312,)|gb_)", Qt::CaseInsensitive),
        QRegExp("^[Ee][^U]", Qt::CaseSensitive),
    };
    QStringList lstMenu;
    for (const QByteArray& arrName : lstNames) {
        const QString strName = QString::fromLatin1(arrName);
        bool bDropped = false;
        for (const QRegExp& rx : arrDropped) {
            if (rx.indexIn(strName) == 0) {
                bDropped = true;
                break;
            }
        }
        if (!bDropped && !lstMenu.contains(strName))
            lstMenu.append(strName);
    }
    std::sort(lstMenu.begin(), lstMenu.end());
    return lstMenu;
}
