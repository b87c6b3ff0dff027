#include "largefile/CDocumentContent.h"

#include "util/BlockBreaks.h"
#include "util/RunBeside.h"

#include <QPlainTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <utility>

#if defined(SCRB_QT_PRIVATE) && QT_VERSION >= QT_VERSION_CHECK(5, 15, 0) \
    && QT_VERSION < QT_VERSION_CHECK(5, 16, 0)
#define SCRB_DOCUMENT_CONTENT 1
// Qt's private headers are not written for our warnings.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wshadow"
#pragma GCC diagnostic ignored "-Wshadow=compatible-local"
#include <private/qabstracttextdocumentlayout_p.h>
#include <private/qtextcursor_p.h>
#include <private/qtextdocument_p.h>
#pragma GCC diagnostic pop
#endif

#ifdef SCRB_DOCUMENT_CONTENT

namespace {

// Qt keeps what this needs private; naming a member in an explicit
// instantiation is how C++ lets code outside a class reach it.
template <typename Tag, typename Tag::Type pMember>
struct Reach
{
    friend typename Tag::Type reach(Tag) { return pMember; }
};

#define SCRB_REACH(Name, Class, Member, T)                                                       \
    struct Name                                                                                  \
    {                                                                                            \
        using Type = T Class::*;                                                                 \
        friend Type reach(Name);                                                                 \
    };                                                                                           \
    template struct Reach<Name, &Class::Member>

using FragmentTree = QFragmentMapData<QTextFragmentData>;
using BlockTree = QFragmentMapData<QTextBlockData>;
using CursorSet = QSet<QTextCursorPrivate*>;

SCRB_REACH(DocText, QTextDocumentPrivate, text, QString);
SCRB_REACH(DocUnreachable, QTextDocumentPrivate, unreachableCharacterCount, uint);
SCRB_REACH(DocCursors, QTextDocumentPrivate, cursors, CursorSet);
SCRB_REACH(DocChangeFrom, QTextDocumentPrivate, docChangeFrom, int);
SCRB_REACH(DocChangeOldLength, QTextDocumentPrivate, docChangeOldLength, int);
SCRB_REACH(DocChangeLength, QTextDocumentPrivate, docChangeLength, int);
SCRB_REACH(DocRevision, QTextDocumentPrivate, revision, int);
SCRB_REACH(FragmentsOf, QTextDocumentPrivate::FragmentMap, data, FragmentTree);
SCRB_REACH(BlocksOf, QTextDocumentPrivate::BlockMap, data, BlockTree);
using SetWidth = void(qreal);
SCRB_REACH(LayoutSetWidth, QPlainTextDocumentLayout, setTextWidth, SetWidth);

// The first of QPlainTextDocumentLayout's own fields as Qt 5.15 declares
// them (in qplaintextedit.cpp, no header), right after its base class's,
// which end on pointers. Read against known values before one is written.
struct PlainLayoutFields
{
    qreal width;
    qreal maximumWidth;
    int maximumWidthBlockNumber;
    int blockCount;
};

// The trees' colours (QFragmentMapData::Color).
constexpr quint32 Red = 0;
constexpr quint32 Black = 1;

int nextBreak(const QChar* pText, int nFrom, int nLength)
{
    while (nFrom < nLength && !isBlockBreak(pText[nFrom].unicode()))
        ++nFrom;
    return nFrom;
}

// The last character of the line break at nBreak ("\r\n" is one).
int breakEnd(const QChar* pText, int nBreak, int nLength)
{
    if (pText[nBreak] == QLatin1Char('\r') && nBreak + 1 < nLength
        && pText[nBreak + 1] == QLatin1Char('\n'))
        return nBreak + 1;
    return nBreak;
}

// From this many characters on, the block tree is made on a thread of its own.
constexpr int ParallelChars = 256 * 1024;

// Links nodes lo..hi (in text order) into a balanced tree under parent and
// adds its sizes to arrSum. Midpoint splits put every empty link at one of
// two adjacent depths, so colouring the deepest level red keeps the
// red-black rules.
template <class Node>
quint32 linkTree(Node* pNodes, quint32 nLo, quint32 nHi, quint32 nParent, int nDepth,
                 int nRedDepth, quint32* arrSum)
{
    if (nLo > nHi)
        return 0;
    constexpr int Fields = Node::size_array_max;
    const quint32 nMid = nLo + (nHi - nLo) / 2;
    quint32 arrLeft[Fields] = {};
    quint32 arrRight[Fields] = {};
    Node& node = pNodes[nMid];
    node.parent = nParent;
    node.left = linkTree(pNodes, nLo, nMid - 1, nMid, nDepth + 1, nRedDepth, arrLeft);
    node.right = linkTree(pNodes, nMid + 1, nHi, nMid, nDepth + 1, nRedDepth, arrRight);
    node.color = nDepth == nRedDepth ? Red : Black;
    for (int i = 0; i < Fields; ++i) {
        node.size_left_array[i] = arrLeft[i];
        arrSum[i] += arrLeft[i] + node.size_array[i] + arrRight[i];
    }
    return nMid;
}

// Nodes 1..nCount of pNodes (their sizes set) become a tree Qt can work on.
template <class Node>
void finishTree(Node* pNodes, quint32 nCount)
{
    int nDeepest = 0;
    while ((quint64(1) << (nDeepest + 1)) - 1 < nCount)
        ++nDeepest;
    quint32 arrSum[Node::size_array_max] = {};
    auto* pHead = reinterpret_cast<typename QFragmentMapData<Node>::Header*>(pNodes);
    pHead->root = linkTree(pNodes, 1, nCount, 0, 0, nDeepest > 0 ? nDeepest : -1, arrSum);
    pHead->tag = (quint32('p') << 24) | (quint32('m') << 16) | (quint32('a') << 8) | 'p';
    pHead->freelist = nCount + 1;
    pHead->node_count = nCount;
    pHead->allocated = nCount + 1;
}

template <class Node>
Node* allocateNodes(quint32 nCount)
{
    // Qt grows and frees these arrays with realloc and free.
    void* p = std::calloc(size_t(nCount) + 1, sizeof(Node));
    return static_cast<Node*>(p);
}

// What a block owns beyond the tree goes with it.
void freeBlocks(QTextBlockData* pNodes, quint32 nNode)
{
    while (nNode) {
        QTextBlockData& node = pNodes[nNode];
        freeBlocks(pNodes, node.left);
        node.free();
        nNode = node.right;
    }
}

// The blocks of the text: one a line, each as long as its line and the
// separator after it.
void fillBlocks(const QChar* pText, int nLength, QTextBlockData* pBlocks, quint32 nBlocks,
                int nFormat)
{
    quint32 nBlock = 0;
    int nStart = 0;
    auto addBlock = [&](int nSize) {
        QTextBlockData& block = pBlocks[++nBlock];
        block.initialize();
        block.format = nFormat;
        block.size_array[0] = quint32(nSize);
        block.size_array[1] = 1; // one block
        block.size_array[2] = 1; // one line, as a plain-text layout counts a visible block
    };
    for (int i = nextBreak(pText, 0, nLength); i < nLength; i = nextBreak(pText, i + 1, nLength)) {
        addBlock(i - nStart + 1);
        i = breakEnd(pText, i, nLength);
        nStart = i + 1;
    }
    addBlock(nLength - nStart + 1);
    finishTree(pBlocks, nBlocks);
}

// The buffer (every line break a block separator, and the last block's
// separator) and its fragments: a line's text, then its separator. Returns
// the buffer's length.
int fillFragments(const QChar* pText, int nLength, QChar* pOut, QTextFragmentData* pFragments,
                  quint32 nFragments, int nFormat)
{
    int nOut = 0;
    quint32 nFragment = 0;
    auto addFragment = [&](int nStart, int nSize) {
        QTextFragmentData& fragment = pFragments[++nFragment];
        fragment.size_array[0] = quint32(nSize);
        fragment.stringPosition = nStart;
        fragment.format = nFormat;
    };
    auto endLine = [&](int nLineStart) {
        if (nOut > nLineStart)
            addFragment(nLineStart, nOut - nLineStart);
        pOut[nOut] = QChar::ParagraphSeparator;
        addFragment(nOut, 1);
        ++nOut;
    };
    for (int i = 0; i < nLength; ++i) {
        const int nBreak = nextBreak(pText, i, nLength);
        const int nLineStart = nOut;
        std::memcpy(pOut + nOut, pText + i, size_t(nBreak - i) * sizeof(QChar));
        nOut += nBreak - i;
        if (nBreak == nLength) {
            endLine(nLineStart);
            finishTree(pFragments, nFragments);
            return nOut;
        }
        i = breakEnd(pText, nBreak, nLength);
        endLine(nLineStart);
    }
    endLine(nOut); // the text ends with a line break, or is empty
    finishTree(pFragments, nFragments);
    return nOut;
}

QTextDocumentPrivate* priv(const QTextDocument* pDoc)
{
    return pDoc->docHandle();
}

} // namespace

// One step of the undo stack: the content the document had before the step,
// or after it once undone; each undo or redo exchanges the two.
class CDocumentContent::UndoStep : public QAbstractUndoItem
{
public:
    UndoStep(QTextDocument* pDoc, CDocumentContent&& content)
        : m_pDoc(pDoc)
        , m_content(std::move(content))
    {
    }
    void undo() override { m_content.swapWith(m_pDoc); }
    void redo() override { m_content.swapWith(m_pDoc); }

private:
    QTextDocument* m_pDoc;
    CDocumentContent m_content;
};

bool CDocumentContent::isAvailable()
{
    return true;
}

bool CDocumentContent::plainFormats(const QTextDocument* pDoc, Formats* pFormats)
{
    QTextDocumentPrivate* d = priv(pDoc);
    if (d->maximumBlockCount > 0 || !pDoc->rootFrame()->childFrames().isEmpty())
        return false;
    const QTextFormatCollection* pCollection = d->formatCollection();
    int nChar = -1;
    for (auto it = d->begin(); it != d->end(); ++it) {
        if (nChar >= 0 && it.value()->format != nChar)
            return false;
        nChar = it.value()->format;
    }
    int nBlock = -1;
    const QTextDocumentPrivate::BlockMap& blocks = d->blockMap();
    for (auto it = blocks.begin(); !it.atEnd(); ++it) {
        if (nBlock >= 0 && it.value()->format != nBlock)
            return false;
        nBlock = it.value()->format;
    }
    // Lists and other objects hang on formats; plain text has none.
    if (nChar < 0 || nBlock < 0 || pCollection->format(nChar).objectIndex() != -1
        || pCollection->format(nBlock).objectIndex() != -1)
        return false;
    pFormats->nChar = nChar;
    pFormats->nBlock = nBlock;
    return true;
}

CDocumentContent CDocumentContent::build(const QString& strText, const Formats& formats)
{
    CDocumentContent content;
    const QChar* pText = strText.constData();
    const int nLength = strText.size();
    if (nLength >= std::numeric_limits<int>::max() - 1)
        return content; // no room for the last separator
    // Counted first: the arrays are made once, at their size.
    quint32 nBlocks = 1;
    quint32 nFragments = 1;
    int nLineStart = 0;
    for (int i = nextBreak(pText, 0, nLength); i < nLength; i = nextBreak(pText, i + 1, nLength)) {
        if (i > nLineStart)
            ++nFragments;
        i = breakEnd(pText, i, nLength);
        ++nBlocks;
        ++nFragments;
        nLineStart = i + 1;
    }
    if (nLength > nLineStart)
        ++nFragments;

    auto* pFragments = allocateNodes<QTextFragmentData>(nFragments);
    auto* pBlocks = allocateNodes<QTextBlockData>(nBlocks);
    if (!pFragments || !pBlocks) {
        std::free(pFragments);
        std::free(pBlocks);
        return content;
    }
    // The buffer holds the text with every line break as the block
    // separator QTextDocument stores, and the last block's separator.
    // Made at its size: resize() would round a large string up by a third.
    content.m_strBuffer = QString(nLength + 1, Qt::Uninitialized);
    // The two trees are independent: a large text has its blocks made on a
    // second core meanwhile.
    std::future<void> futureBlocks;
    if (nLength >= ParallelChars)
        futureBlocks = runBeside([=] { fillBlocks(pText, nLength, pBlocks, nBlocks, formats.nBlock); });
    else
        fillBlocks(pText, nLength, pBlocks, nBlocks, formats.nBlock);
    const int nOut = fillFragments(pText, nLength, content.m_strBuffer.data(), pFragments,
                                   nFragments, formats.nChar);
    if (futureBlocks.valid())
        futureBlocks.get();
    content.m_strBuffer.resize(nOut);
    content.m_pFragments = pFragments;
    content.m_pBlocks = pBlocks;
    return content;
}

void CDocumentContent::swapSilently(QTextDocument* pDoc)
{
    QTextDocumentPrivate* d = priv(pDoc);
    FragmentTree& fragments = d->fragmentMap().*reach(FragmentsOf());
    BlockTree& blocks = d->blockMap().*reach(BlocksOf());
    QTextFragmentData* pFragments = fragments.fragments;
    fragments.fragments = static_cast<QTextFragmentData*>(m_pFragments);
    m_pFragments = pFragments;
    QTextBlockData* pBlocks = blocks.fragments;
    blocks.fragments = static_cast<QTextBlockData*>(m_pBlocks);
    m_pBlocks = pBlocks;
    std::swap(d->*reach(DocText()), m_strBuffer);
    std::swap(d->*reach(DocUnreachable()), m_nUnreachable);
}

void CDocumentContent::swapWith(QTextDocument* pDoc)
{
    QTextDocumentPrivate* d = priv(pDoc);
    const int nOldLength = d->length();
    // Layouts are the view's; the blocks leaving keep their text only.
    for (auto it = d->blockMap().begin(); !it.atEnd(); ++it) {
        delete it.value()->layout;
        it.value()->layout = nullptr;
    }
    swapSilently(pDoc);

    if (!d->isInEditBlock())
        ++(d->*reach(DocRevision()));
    for (QTextCursorPrivate* pCursor : qAsConst(d->*reach(DocCursors()))) {
        if (pCursor->position != 0 || pCursor->anchor != 0)
            pCursor->changed = true;
        pCursor->position = 0;
        pCursor->anchor = 0;
        pCursor->adjusted_anchor = 0;
        pCursor->currentCharFormat = -1;
        pCursor->x = 0;
    }
    // The whole text changed, merged with what an open edit block changed;
    // as for any edit, the last block separator is not counted.
    int& nFrom = d->*reach(DocChangeFrom());
    int& nRemoved = d->*reach(DocChangeOldLength());
    int& nAdded = d->*reach(DocChangeLength());
    nRemoved = (nFrom < 0 ? nOldLength : nOldLength - nAdded + nRemoved) - 1;
    nFrom = 0;
    nAdded = d->length() - 1;
    if (!d->isInEditBlock())
        d->finishEdit();
}

bool CDocumentContent::install(QTextDocument* pDoc)
{
    if (isNull() || pDoc->isUndoRedoEnabled())
        return false;
    swapWith(pDoc);
    release();
    return true;
}

bool CDocumentContent::replaceText(QTextDocument* pDoc, const QString& strText)
{
    Formats formats;
    if (!plainFormats(pDoc, &formats))
        return false;
    return replaceContent(pDoc, build(strText, formats));
}

bool CDocumentContent::replaceContent(QTextDocument* pDoc, CDocumentContent&& content)
{
    if (content.isNull())
        return false;
    QTextDocumentPrivate* d = priv(pDoc);
    // One edit block: the modified flag is decided after the step is on the
    // stack, and views hear of the change once.
    d->beginEditBlock();
    content.swapWith(pDoc);
    if (pDoc->isUndoRedoEnabled())
        pDoc->appendUndoItem(new UndoStep(pDoc, std::move(content)));
    d->endEditBlock();
    return true;
}

bool CDocumentContent::setLayoutWidth(QTextDocument* pDoc, QPlainTextDocumentLayout* pLayout,
                                      qreal dWidth)
{
    QTextDocumentPrivate* d = priv(pDoc);
    if (d->isInEditBlock() || d->blockMap().isEmpty())
        return false;
    // The layout takes its new width while the document shows one empty
    // block in place of its own, silently: its relayout walks that one.
    Formats formats;
    formats.nChar = d->begin().value()->format;
    formats.nBlock = d->blockMap().begin().value()->format;
    CDocumentContent placeholder = build(QString(), formats);
    if (placeholder.isNull())
        return false;
    placeholder.swapSilently(pDoc);
    {
        const QSignalBlocker blocker(pLayout);
        (pLayout->*reach(LayoutSetWidth()))(dWidth);
    }
    placeholder.swapSilently(pDoc);
    // The layout remembers its widest block and, when that one is laid out
    // narrower than the width just set (a block of short lines always is),
    // measures every block to find the widest again, giving each a layout
    // object. Measured lines are still compared as they are laid out; only
    // the remembered block is forgotten, as Qt itself does when no block
    // measured has any width.
    auto* pFields = reinterpret_cast<PlainLayoutFields*>(
        reinterpret_cast<char*>(QObjectPrivate::get(pLayout))
        + sizeof(QAbstractTextDocumentLayoutPrivate));
    if (pFields->width == dWidth && pFields->maximumWidth == dWidth
        && pFields->blockCount == pDoc->blockCount())
        pFields->maximumWidthBlockNumber = -1;
    // What the relayout does to every block, done to those it changes: a
    // block without a layout object has nothing laid out to clear.
    for (QTextBlock block = pDoc->begin(); block.isValid(); block = block.next()) {
        if (QTextLayout* pBlockLayout = QTextDocumentPrivate::block(block)->layout)
            pBlockLayout->clearLayout();
        const int nLines = block.isVisible() ? 1 : 0;
        if (block.lineCount() != nLines)
            block.setLineCount(nLines);
    }
    emit pLayout->update();
    return true;
}

void CDocumentContent::release()
{
    if (m_pBlocks) {
        auto* pBlocks = static_cast<QTextBlockData*>(m_pBlocks);
        freeBlocks(pBlocks, reinterpret_cast<BlockTree::Header*>(pBlocks)->root);
    }
    std::free(m_pFragments);
    std::free(m_pBlocks);
    m_pFragments = nullptr;
    m_pBlocks = nullptr;
    m_strBuffer = QString();
    m_nUnreachable = 0;
}

#else // no private Qt: callers insert the text as usual

class CDocumentContent::UndoStep
{
};

bool CDocumentContent::isAvailable()
{
    return false;
}

bool CDocumentContent::plainFormats(const QTextDocument*, Formats*)
{
    return false;
}

CDocumentContent CDocumentContent::build(const QString&, const Formats&)
{
    return CDocumentContent();
}

void CDocumentContent::swapWith(QTextDocument*) {}

void CDocumentContent::swapSilently(QTextDocument*) {}

bool CDocumentContent::setLayoutWidth(QTextDocument*, QPlainTextDocumentLayout*, qreal)
{
    return false;
}

bool CDocumentContent::install(QTextDocument*)
{
    return false;
}

bool CDocumentContent::replaceText(QTextDocument*, const QString&)
{
    return false;
}

bool CDocumentContent::replaceContent(QTextDocument*, CDocumentContent&&)
{
    return false;
}

void CDocumentContent::release() {}

#endif

CDocumentContent::CDocumentContent(CDocumentContent&& other) noexcept
{
    *this = std::move(other);
}

CDocumentContent& CDocumentContent::operator=(CDocumentContent&& other) noexcept
{
    if (this != &other) {
        release();
        m_strBuffer.swap(other.m_strBuffer);
        std::swap(m_pFragments, other.m_pFragments);
        std::swap(m_pBlocks, other.m_pBlocks);
        std::swap(m_nUnreachable, other.m_nUnreachable);
    }
    return *this;
}

CDocumentContent::~CDocumentContent()
{
    release();
}
