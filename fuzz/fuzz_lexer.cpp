// The block lexer over arbitrary lines with an arbitrary definition. The
// input is a definition file, a zero byte, then lines. Every range lies in
// its line, the hash is the hash of the ranges, a line's state is only made
// of the known bits, and the keyword index finds what the patterns find.
#include "FuzzCheck.h"
#include "highlight/BlockLexer.h"
#include "highlight/CHighlightMgt.h"
#include "highlight/CSyntaxRules.h"
#include "highlight/FormatHash.h"

#include <QTemporaryFile>
#include <cstdint>

namespace {
constexpr int AllStateBits = StateSingleComment | StateMultiComment | StateString | StateApos
                             | StateElement | StateContinued;
// Patterns with back references are slow on long lines by nature (the
// editor lexes them in its worker); short lines keep the fuzzer moving.
constexpr int MaxLine = 200;
constexpr int MaxLines = 32;

QVariantMap definitionOf(const QByteArray& arrXml)
{
    QTemporaryFile file;
    if (!file.open() || file.write(arrXml) != arrXml.size() || !file.flush())
        return {};
    return CHighlightMgt::loadHighlight(file.fileName());
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const QByteArray arrBytes(reinterpret_cast<const char*>(pData), static_cast<int>(nSize));
    const int nSplit = arrBytes.indexOf('\0');
    if (nSplit < 0 || !fuzzRepetitionsBounded(arrBytes.left(nSplit)))
        return 0;
    CSyntaxRules indexed;
    indexed.setDefinition(definitionOf(arrBytes.left(nSplit)));
    CSyntaxRules plain = indexed;
    plain.dropWordIndex();

    const QStringList lstLines = QString::fromUtf8(arrBytes.mid(nSplit + 1)).split('\n');
    int nPrev = -1;
    for (int i = 0; i < lstLines.size() && i < MaxLines; ++i) {
        const QString strLine = lstLines.at(i).left(MaxLine);
        const LexResult result = lexBlock(indexed, strLine, nPrev);
        FUZZ_CHECK(!result.bAborted);
        FUZZ_CHECK((result.nState & ~AllStateBits) == 0);
        quint64 nHash = FormatHash::Empty;
        for (const QTextLayout::FormatRange& range : result.lstRanges) {
            FUZZ_CHECK(range.start >= 0 && range.length > 0);
            FUZZ_CHECK(range.start + range.length <= strLine.size());
            nHash = FormatHash::add(nHash, range.start, range.length,
                                    CSyntaxRules::keyOf(range.format));
        }
        FUZZ_CHECK(nHash == result.nHash);
        const LexResult other = lexBlock(plain, strLine, nPrev);
        FUZZ_CHECK(other.nHash == result.nHash && other.nState == result.nState);
        nPrev = result.nState;
    }
    return 0;
}
