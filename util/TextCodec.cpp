#include "util/TextCodec.h"

#include <QLocale>
#include <QRegExp>
#include <QTextCodec>
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

bool isTextValidInCodec(QTextCodec* pCodec, const QByteArray& arrBytes)
{
    if (!pCodec)
        return false;
    std::unique_ptr<QTextDecoder> pDecoder(pCodec->makeDecoder());
    SubstitutionGuard guardReplacement(pCodec, arrBytes, QChar(QChar::ReplacementCharacter));
    SubstitutionGuard guardSub(pCodec, arrBytes, QChar(0x1A));
    int nReplacement = 0;
    int nSub = 0;
    for (int nPos = 0; nPos < arrBytes.size(); nPos += ChunkSize) {
        const int nLen = qMin(ChunkSize, arrBytes.size() - nPos);
        const QString strChunk = pDecoder->toUnicode(arrBytes.constData() + nPos, nLen);
        if (pDecoder->hasFailure())
            return false;
        for (const QChar ch : strChunk) {
            const ushort uc = ch.unicode();
            if (uc == QChar::ReplacementCharacter)
                ++nReplacement;
            else if (uc == 0x1A)
                ++nSub;
            else if (isRejectedChar(uc))
                return false;
        }
        if (!guardReplacement.accept(nReplacement) || !guardSub.accept(nSub))
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
    return arrNewline.isEmpty() || pDecoder->toUnicode(arrNewline) == QString(chNewline);
}

QString detectTextCodec(const QByteArray& arrBytes)
{
    return detectTextCodec(arrBytes, QLocale::system().name().toLower());
}

QString detectTextCodec(const QByteArray& arrBytes, const QString& strLocale)
{
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
    // The platform's list starts with US-ASCII and the Japanese codecs; UTF-8
    // comes first so that the common case is read right.
    QTextCodec* pUtf8 = QTextCodec::codecForMib(106);
    if (isTextValidInCodec(pUtf8, arrBytes))
        return QString::fromLatin1(pUtf8->name());
    for (int nMib : QTextCodec::availableMibs()) {
        QTextCodec* pCodec = QTextCodec::codecForMib(nMib);
        if (!pCodec || pCodec == pUtf8)
            continue;
        const QByteArray arrName = pCodec->name();
        if (arrName.startsWith("ISO-") || arrName.startsWith("windows-"))
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
