#include "util/TextSearch.h"

#include <QHash>
#include <QStringView>
#include <QVarLengthArray>
#include <QtAlgorithms>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// The characters that fold to each folded form other than themselves
// ("k" has "K" and the Kelvin sign), made once.
const QHash<ushort, QVarLengthArray<ushort, 4>>& unfoldings()
{
    static const auto hash = [] {
        QHash<ushort, QVarLengthArray<ushort, 4>> h;
        for (uint u = 0; u <= 0xFFFF; ++u) {
            const ushort uFold = QChar::toCaseFolded(ushort(u));
            if (!QChar::isSurrogate(u) && uFold != u)
                h[uFold].append(ushort(u));
        }
        return h;
    }();
    return hash;
}

// How often a character starts a candidate in ordinary text: letters by
// their frequency in English, the space most; other characters seldom.
int commonness(ushort uFold)
{
    static const char szLetters[] = "zqxjkvbpygfwmucldrhsnioate";
    if (uFold == ' ')
        return 100;
    const char* pAt = uFold < 0x80 ? strchr(szLetters, char(uFold)) : nullptr;
    return uFold != 0 && pAt ? int(pAt - szLetters) + 1 : 0;
}

} // namespace

int findText(const QChar* p, int nLength, const QString& strNeedle, Qt::CaseSensitivity cs)
{
    const int nNeedle = strNeedle.size();
    const auto qtIndexOf = [&] { return QString::fromRawData(p, nLength).indexOf(strNeedle, 0, cs); };
    if (cs == Qt::CaseSensitive || nNeedle == 0)
        return qtIndexOf();
    // The needle is looked for by one of its characters, the one least often
    // met in text: its folded form and every character that folds to it.
    int nAnchor = -1;
    int nBest = 0;
    QVarLengthArray<ushort, 4> vecAnchor;
    for (int k = 0; k < nNeedle; ++k) {
        const QChar ch = strNeedle.at(k);
        if (ch.isSurrogate())
            continue;
        const ushort uFold = ch.toCaseFolded().unicode();
        QVarLengthArray<ushort, 4> vecForms = unfoldings().value(uFold);
        vecForms.append(uFold);
        const int nScore = int(vecForms.size()) * 1000 + commonness(uFold);
        if (vecForms.size() <= 4 && (nAnchor < 0 || nScore < nBest)) {
            nAnchor = k;
            nBest = nScore;
            vecAnchor = vecForms;
        }
    }
    if (nAnchor < 0)
        return qtIndexOf();
    while (vecAnchor.size() < 4)
        vecAnchor.append(vecAnchor.at(0));
    const ushort* pText = reinterpret_cast<const ushort*>(p);
    const QStringView needle(strNeedle);
    // j is where the anchor would stand, j - nAnchor where the match starts.
    const auto matchesAt = [&](int j) {
        return QStringView(p + j - nAnchor, nNeedle).compare(needle, Qt::CaseInsensitive) == 0;
    };
    const int nEnd = nLength - nNeedle + nAnchor + 1; // anchors from nAnchor to before nEnd
    int j = nAnchor;
#ifdef __SSE2__
    // Eight characters at a time.
    const __m128i v0 = _mm_set1_epi16(short(vecAnchor[0]));
    const __m128i v1 = _mm_set1_epi16(short(vecAnchor[1]));
    const __m128i v2 = _mm_set1_epi16(short(vecAnchor[2]));
    const __m128i v3 = _mm_set1_epi16(short(vecAnchor[3]));
    for (; j + 8 <= nEnd; j += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pText + j));
        const __m128i vHit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(v, v0), _mm_cmpeq_epi16(v, v1)),
                                          _mm_or_si128(_mm_cmpeq_epi16(v, v2), _mm_cmpeq_epi16(v, v3)));
        uint nMask = uint(_mm_movemask_epi8(vHit));
        while (nMask != 0) {
            const uint nBit = qCountTrailingZeroBits(nMask);
            if (matchesAt(j + int(nBit / 2)))
                return j + int(nBit / 2) - nAnchor;
            nMask &= ~(3u << nBit);
        }
    }
#endif
    for (; j < nEnd; ++j) {
        const ushort u = pText[j];
        if ((u == vecAnchor[0] || u == vecAnchor[1] || u == vecAnchor[2] || u == vecAnchor[3])
            && matchesAt(j))
            return j - nAnchor;
    }
    return -1;
}
