// The definition loader over arbitrary XML: it never crashes, a file that
// is not a definition loads as nothing, and whatever it loads makes rules
// the lexer can use.
#include "FuzzCheck.h"
#include "highlight/BlockLexer.h"
#include "highlight/CHighlightMgt.h"
#include "highlight/CSyntaxRules.h"

#include <QTemporaryFile>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const QByteArray arrBytes(reinterpret_cast<const char*>(pData), static_cast<int>(nSize));
    if (!fuzzRepetitionsBounded(arrBytes))
        return 0;
    QTemporaryFile file;
    FUZZ_CHECK(file.open() && file.write(arrBytes) == arrBytes.size() && file.flush());
    const QVariantMap mapDef = CHighlightMgt::loadHighlight(file.fileName());
    // Loading is a function of the bytes.
    FUZZ_CHECK(CHighlightMgt::loadHighlight(file.fileName()) == mapDef);
    CSyntaxRules rules;
    rules.setDefinition(mapDef);
    if (mapDef.isEmpty())
        FUZZ_CHECK(rules.m_strLanguage.isEmpty() && rules.m_lstKeywordRules.isEmpty());
    lexBlock(rules, QStringLiteral("int main() { return \"x\"; } // <a b='c'> /* 1.5e3 */"), -1);
    return 0;
}
