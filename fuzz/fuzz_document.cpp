// A text given to a document in one piece: the document holds what inserting
// it would have made, and a whole replacement is undone and redone exactly.
// The input's first half is the first text (UTF-16 units, so that any line
// break, separator or lone surrogate can occur), its second half the text
// that replaces it.
#include "FuzzCheck.h"
#include "largefile/CDocumentContent.h"

#include <QApplication>
#include <QPlainTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <cstdint>
#include <cstring>

namespace {

void ensureApplication()
{
    if (QCoreApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int s_nArgc = 1;
    static char s_szName[] = "fuzz_document";
    static char* s_arrArgv[] = {s_szName, nullptr};
    new QApplication(s_nArgc, s_arrArgv);
}

QString blocksOf(const QTextDocument& doc)
{
    QString str;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        str += QString::number(block.position()) + ':' + QString::number(block.length()) + ' ';
    return str;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    ensureApplication();
    if (!CDocumentContent::isAvailable())
        return 0;
    QString strAll(int(nSize / 2), Qt::Uninitialized);
    std::memcpy(strAll.data(), pData, nSize / 2 * 2);
    const QString strFirst = strAll.left(strAll.size() / 2);
    const QString strSecond = strAll.mid(strAll.size() / 2);

    QTextDocument inserted;
    QTextDocument built;
    for (QTextDocument* pDoc : {&inserted, &built})
        pDoc->setDocumentLayout(new QPlainTextDocumentLayout(pDoc));
    QTextCursor(&inserted).insertText(strFirst);
    built.setUndoRedoEnabled(false);
    CDocumentContent::Formats formats;
    FUZZ_CHECK(CDocumentContent::plainFormats(&built, &formats));
    CDocumentContent content = CDocumentContent::build(strFirst, formats);
    FUZZ_CHECK(content.install(&built));
    FUZZ_CHECK(built.toRawText() == inserted.toRawText());
    FUZZ_CHECK(blocksOf(built) == blocksOf(inserted));

    built.setUndoRedoEnabled(true);
    const QString strBefore = built.toRawText();
    FUZZ_CHECK(CDocumentContent::replaceText(&built, strSecond));
    QTextDocument second;
    second.setDocumentLayout(new QPlainTextDocumentLayout(&second));
    QTextCursor(&second).insertText(strSecond);
    FUZZ_CHECK(built.toRawText() == second.toRawText());
    FUZZ_CHECK(blocksOf(built) == blocksOf(second));
    built.undo();
    FUZZ_CHECK(built.toRawText() == strBefore);
    built.redo();
    FUZZ_CHECK(built.toRawText() == second.toRawText());
    return 0;
}
