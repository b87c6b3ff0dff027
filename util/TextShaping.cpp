#include "util/TextShaping.h"

#include <QChar>
#include <array>

namespace {

// Ranges of characters that show right without shaping, in order.
struct Range
{
    ushort uFirst;
    ushort uLast;
};

constexpr Range ShapingFree[] = {
    {0x0000, 0x02FF}, // Latin, IPA, spacing modifiers (combining marks follow)
    {0x0370, 0x03FF}, // Greek
    {0x0400, 0x0482}, // Cyrillic (its combining marks follow)
    {0x048A, 0x052F},
    {0x1E00, 0x1FFF}, // Latin and Greek precomposed
    {0x2000, 0x200B}, // spaces (joiners and direction marks follow)
    {0x2010, 0x2027}, // punctuation (separators and embeddings follow)
    {0x2030, 0x205F},
    {0x2070, 0x20CF}, // super- and subscripts, currency (combining for symbols follow)
    {0x2100, 0x2BFF}, // letterlike, arrows, mathematics, box drawing, shapes
    {0x2E80, 0x3029}, // CJK radicals and punctuation (tone marks follow)
    {0x3030, 0x3098}, // kana (the voicing marks follow)
    {0x309B, 0x4DBF}, // kana, bopomofo, compatibility jamo, CJK
    {0x4E00, 0xA4CF}, // CJK, Yi
    {0xAC00, 0xD7A3}, // Hangul syllables
    {0xF900, 0xFAFF}, // CJK compatibility
    {0xFF00, 0xFFEF}, // half- and full-width forms
    {0xFFFC, 0xFFFD}, // object and replacement characters
};

bool isInRanges(ushort uc)
{
    for (const Range& range : ShapingFree) {
        if (uc < range.uFirst)
            return false;
        if (uc <= range.uLast)
            return true;
    }
    return false;
}

// Per 256 characters: all free (1), none (0), or some (2), made once; most
// characters are answered by their page.
enum Page : unsigned char { NoneFree, AllFree, SomeFree };
const std::array<Page, 256>& pages()
{
    static const std::array<Page, 256> arrPages = [] {
        // Counted from the ranges: testing each character took a millisecond
        // of every start.
        std::array<int, 256> arrFree {};
        for (const Range& range : ShapingFree) {
            for (int nPage = range.uFirst >> 8; nPage <= range.uLast >> 8; ++nPage) {
                const int nFirst = qMax(int(range.uFirst), nPage * 256);
                const int nLast = qMin(int(range.uLast), nPage * 256 + 255);
                arrFree[size_t(nPage)] += nLast - nFirst + 1;
            }
        }
        std::array<Page, 256> arr {};
        for (size_t i = 0; i < arr.size(); ++i)
            arr[i] = arrFree[i] == 256 ? AllFree : arrFree[i] == 0 ? NoneFree : SomeFree;
        return arr;
    }();
    return arrPages;
}

} // namespace

bool textNeedsShaping(const QChar* p, int nLength)
{
    const std::array<Page, 256>& arrPages = pages();
    for (int i = 0; i < nLength; ++i) {
        const ushort uc = p[i].unicode();
        // Most text is below the first combining mark: one comparison.
        if (uc < 0x0300)
            continue;
        const Page page = arrPages[uc >> 8];
        if (page == NoneFree || (page == SomeFree && !isInRanges(uc)))
            return true;
    }
    return false;
}
