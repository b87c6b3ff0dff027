#include "editor/CHighlightEdit.h"

#include "app/CSettings.h"
#include "app/Globals.h"
#include "editor/CLineNumberArea.h"
#include "editor/CTextSnapshot.h"
#include "highlight/CTextDocument.h"
#include "highlight/CThreadHighlighter.h"
#include "largefile/CDocumentContent.h"
#include "largefile/CTextShaping.h"
#include "util/Platform.h"
#include "util/TextShaping.h"

#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QPainter>
#include <QPlainTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>

namespace {
int textFontSize()
{
    return g_pSettings ? g_pSettings->m_nTextFontSize : 12;
}

// The desktop's fixed-pitch font; some platforms name a proportional one.
QFont fixedPitchFont()
{
    QFont fnt = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (!QFontInfo(fnt).fixedPitch()) {
        fnt.setFamily(QStringLiteral("monospace"));
        fnt.setStyleHint(QFont::TypeWriter);
        fnt.setFixedPitch(true);
    }
    return fnt;
}
} // namespace

CHighlightEdit::CHighlightEdit(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setStyleSheet(QString("QPlainTextEdit{selection-background-color: %1}").arg("#90da90"));
    m_pDocument = new CTextDocument(this);
    setDocument(m_pDocument);
    // Code reads best in a fixed-pitch font. Set after the document: the
    // widget hands its font to its document only when the font changes.
    QFont fnt = fixedPitchFont();
    fnt.setPixelSize(textFontSize());
    setFont(fnt);
    m_pShaping = new CTextShaping(this);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    m_pHighlighter = new CThreadHighlighter(m_pDocument);
    m_pSnapshot = new CTextSnapshot(m_pDocument, this);

    m_strLineNumberFontFamily = "Courier New";
    m_pLineNumberArea = new CLineNumberArea(this);
    m_clrCurrentLine = QColor("#F9F9F9");

    updateLineNumberAreaWidth(0);
    viewport()->update();
    onTextFontSize(textFontSize());

    connect(this, &QPlainTextEdit::blockCountChanged, this,
            qOverload<int>(&CHighlightEdit::updateLineNumberAreaWidth));
    connect(this, &QPlainTextEdit::updateRequest, this, &CHighlightEdit::updateLineNumberArea);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this,
            &CHighlightEdit::highlightCurrentLine);
    connect(this, &QPlainTextEdit::selectionChanged, this, &CHighlightEdit::onSelectionChanged);
    // Queued: an edit stops the running pass, and a new one starts once the
    // change is complete.
    connect(m_pDocument, &QTextDocument::contentsChange, m_pHighlighter,
            &CThreadHighlighter::stopThread, Qt::QueuedConnection);
    connect(m_pDocument, &QTextDocument::contentsChanged, m_pHighlighter,
            &CThreadHighlighter::rehighlight, Qt::QueuedConnection);
    connect(m_pDocument, &CTextDocument::formatsChanged, this, &CHighlightEdit::onFormatsChanged);

    m_menu.addAction(tr("Copy"), this, &QPlainTextEdit::copy);
    m_menu.addAction(tr("Cut"), this, &QPlainTextEdit::cut);
    m_menu.addAction(tr("Paste"), this, &QPlainTextEdit::paste);
    m_menu.addSeparator();
    m_pActToggleComment = m_menu.addAction(tr("Toggle Comment"), this, &CHighlightEdit::toggleComment,
                                           QKeySequence("Ctrl+/"));
    m_menu.addSeparator();
    m_menu.addAction(tr("Refresh"), this, &CHighlightEdit::onRefresh);
    m_menu.addSeparator();
    m_menu.addAction(tr("Open file position"), this, &CHighlightEdit::onOpenFilePosition);
}

CHighlightEdit::~CHighlightEdit()
{
    // The document goes with this widget; the highlighter outlives it until
    // its thread has ended, so that closing never waits for a slow match.
    m_pHighlighter->retire();
}

QString CHighlightEdit::getLanguage() const
{
    return m_pHighlighter->getLanguageName();
}

void CHighlightEdit::setLanguage(const QVariantMap& mapDef)
{
    m_pHighlighter->setDefinition(mapDef);
}

void CHighlightEdit::clearAdditionalFormats()
{
    m_pDocument->clearAdditionalFormats();
}

void CHighlightEdit::onSelectionChanged()
{
    m_pHighlighter->setSelectedText(getSelectedText());
}

void CHighlightEdit::setDocumentText(const QString& strText)
{
    m_pHighlighter->prepareText(strText);
    m_pShaping->beginWholeText(textNeedsShaping(strText.constData(), strText.size()));
    if (strText.size() < BuiltTextChars || !setBuiltText(strText))
        setPlainText(strText);
    m_pShaping->endWholeText();
    m_pHighlighter->prepareText(QString());
}

bool CHighlightEdit::setBuiltText(const QString& strText)
{
    CDocumentContent::Formats formats;
    if (!CDocumentContent::plainFormats(m_pDocument, &formats))
        return false;
    CDocumentContent content = CDocumentContent::build(strText, formats);
    // As setPlainText: a new text without undo history, unmodified, shown
    // from its start.
    const bool bUndo = m_pDocument->isUndoRedoEnabled();
    m_pDocument->setUndoRedoEnabled(false);
    const bool bDone = content.install(m_pDocument);
    m_pDocument->setUndoRedoEnabled(bUndo);
    if (!bDone)
        return false;
    m_pDocument->setModified(false);
    setTextCursor(QTextCursor(m_pDocument));
    verticalScrollBar()->setValue(0);
    return true;
}

QFont CHighlightEdit::gutterFont(bool bBold) const
{
    QFont fnt = font();
    fnt.setFamily(m_strLineNumberFontFamily);
    fnt.setPixelSize(static_cast<int>(textFontSize() * 0.8));
    if (bBold)
        fnt.setWeight(75);
    return fnt;
}

int CHighlightEdit::lineNumberAreaWidth() const
{
    int nDigits = 1;
    for (int nMax = qMax(qMax(1, blockCount()), m_nGutterBlocks); nMax >= 10; nMax /= 10)
        ++nDigits;
    const QFontMetrics fm(gutterFont(false));
    return 2 * (textFontSize() / 2) + nDigits * fm.horizontalAdvance(QLatin1Char('9'));
}

void CHighlightEdit::updateLineNumberAreaWidth(int)
{
    const int nTop = m_pTopWidget && !m_pTopWidget->isHidden() ? m_pTopWidget->sizeHint().height() : 0;
    setViewportMargins(lineNumberAreaWidth(), nTop, 0, 0);
}

void CHighlightEdit::updateLineNumberAreaWidth()
{
    updateLineNumberAreaWidth(0);
}

void CHighlightEdit::updateLineNumberArea(const QRect& rect, int nDy)
{
    if (nDy != 0)
        m_pLineNumberArea->scroll(0, nDy);
    else
        m_pLineNumberArea->update(0, rect.y(), m_pLineNumberArea->width(), rect.height());
    if (rect.contains(viewport()->rect()))
        updateLineNumberAreaWidth(0);
}

void CHighlightEdit::resizeEvent(QResizeEvent* event)
{
    // A new width lays the document out anew; done here without giving each
    // of its blocks a layout object first, the base class then only adjusts
    // the scroll bars.
    auto* pLayout = qobject_cast<QPlainTextDocumentLayout*>(m_pDocument->documentLayout());
    if (event->oldSize().width() != event->size().width() && pLayout
        && CDocumentContent::setLayoutWidth(m_pDocument, pLayout, viewport()->width())) {
        QResizeEvent heightOnly(event->size(), QSize(event->size().width(), event->oldSize().height()));
        QPlainTextEdit::resizeEvent(&heightOnly);
    } else {
        QPlainTextEdit::resizeEvent(event);
    }
    layoutSideWidgets();
}

void CHighlightEdit::layoutSideWidgets()
{
    const QRect rc = contentsRect();
    const int nTop = m_pTopWidget && !m_pTopWidget->isHidden() ? m_pTopWidget->sizeHint().height() : 0;
    if (m_pTopWidget) {
        // The vertical scroll bar runs beside it.
        const int nBar = verticalScrollBar()->isVisible() ? verticalScrollBar()->width() : 0;
        m_pTopWidget->setGeometry(QRect(rc.left(), rc.top(), rc.width() - nBar, nTop));
    }
    m_pLineNumberArea->setGeometry(
        QRect(rc.left(), rc.top() + nTop, lineNumberAreaWidth(), rc.height() - nTop));
}

void CHighlightEdit::setTopWidget(QWidget* pWidget)
{
    if (m_pTopWidget && m_pTopWidget != pWidget)
        m_pTopWidget->hide();
    m_pTopWidget = pWidget;
    if (pWidget) {
        pWidget->setParent(this);
        pWidget->show();
    }
    updateLineNumberAreaWidth(0);
    layoutSideWidgets();
}

void CHighlightEdit::lineNumberAreaPaintEvent(QPaintEvent* event)
{
    const QFont fntNormal = gutterFont(false);
    const QFont fntBold = gutterFont(true);
    QPainter painter(m_pLineNumberArea);
    painter.fillRect(event->rect(), QColor("#F9F9F9"));

    const QTextCursor cursor = textCursor();
    int nFirst = cursor.blockNumber();
    int nLast = nFirst;
    if (cursor.hasSelection()) {
        nFirst = m_pDocument->findBlock(cursor.selectionStart()).blockNumber();
        nLast = m_pDocument->findBlock(cursor.selectionEnd()).blockNumber();
    }

    const int nWidth = lineNumberAreaWidth() - textFontSize() / 2;
    QTextBlock block = firstVisibleBlock();
    int nTop = static_cast<int>(blockBoundingGeometry(block).translated(contentOffset()).top());
    while (block.isValid() && nTop <= event->rect().bottom()) {
        const int nHeight = static_cast<int>(blockBoundingRect(block).height());
        if (block.isVisible() && nTop + nHeight >= event->rect().top()) {
            const bool bMarked = block.blockNumber() >= nFirst && block.blockNumber() <= nLast;
            painter.setFont(bMarked ? fntBold : fntNormal);
            painter.setPen(QColor(bMarked ? "#888" : "#ccc"));
            painter.drawText(0, nTop + 5, nWidth, nHeight, Qt::AlignRight | Qt::AlignTop,
                             QString::number(block.blockNumber() + 1));
        }
        block = block.next();
        nTop += nHeight;
    }
}

void CHighlightEdit::highlightCurrentLine()
{
    viewport()->update();
}

QPair<QTextBlock, QTextBlock> CHighlightEdit::visibleBlocks() const
{
    const QTextBlock first = firstVisibleBlock();
    QTextBlock last = first;
    const qreal dBottom = viewport()->height();
    qreal dTop = first.isValid() ? blockBoundingGeometry(first).translated(contentOffset()).top() : 0;
    for (QTextBlock block = first; block.isValid() && dTop <= dBottom; block = block.next()) {
        last = block;
        dTop += blockBoundingRect(block).height();
    }
    return {first, last};
}

void CHighlightEdit::onFormatsChanged(int nFrom, int nTo)
{
    // Repaint only when new colours reach lines on screen.
    const auto visible = visibleBlocks();
    if (visible.first.isValid() && nTo >= visible.first.position()
        && nFrom <= visible.second.position() + visible.second.length())
        viewport()->update();
}

void CHighlightEdit::requestVisibleFormats()
{
    // Results near the view are applied as they come; blocks in view whose
    // results were left unapplied are asked for again.
    const auto visible = visibleBlocks();
    if (!visible.first.isValid())
        return;
    const int nFirst = visible.first.blockNumber();
    const int nLast = visible.second.blockNumber();
    int nNeedFirst = -1;
    int nNeedLast = -1;
    for (int nBlock = nFirst; nBlock <= nLast; ++nBlock) {
        if (m_pDocument->needsFormats(nBlock)) {
            nNeedFirst = nNeedFirst < 0 ? nBlock : nNeedFirst;
            nNeedLast = nBlock;
        }
    }
    const int nMargin = qMax(100, nLast - nFirst + 1);
    m_pDocument->setEagerRange(nFirst - nMargin, nLast + nMargin);
    if (nNeedFirst >= 0)
        m_pHighlighter->requestBlocks(nNeedFirst, nNeedLast);
}

void CHighlightEdit::paintEvent(QPaintEvent* event)
{
    requestVisibleFormats();
    {
        QPainter painter(viewport());
        const QRect rcBlock =
            blockBoundingGeometry(textCursor().block()).translated(contentOffset()).toRect();
        // The bar spans the whole view, also beyond the end of a short line.
        painter.fillRect(QRect(0, rcBlock.top(), viewport()->width(), rcBlock.height()),
                         m_clrCurrentLine);
    }
    QPlainTextEdit::paintEvent(event);
}

void CHighlightEdit::onTextFontSize(int nVal)
{
    QFont fnt = font();
    fnt.setPixelSize(nVal);
    setFont(fnt);
    setTabStopDistance(4 * QFontMetricsF(fnt).horizontalAdvance(QLatin1Char('X')));
    updateLineNumberAreaWidth(0);
}

void CHighlightEdit::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QPlainTextEdit::wheelEvent(event);
        return;
    }
    const int nSize = qBound(3, font().pixelSize() + event->angleDelta().y() / 30, 100);
    onTextFontSize(nSize);
    if (g_pSettings) {
        g_pSettings->setTextFontSize(nSize); // every other editor follows
        g_pSettings->save();
    }
    event->accept();
}

void CHighlightEdit::focusInEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusInEvent(event);
    emit focusIn();
}

void CHighlightEdit::contextMenuEvent(QContextMenuEvent* event)
{
    m_pActToggleComment->setEnabled(canToggleComment());
    m_menu.popup(event->globalPos());
}

bool CHighlightEdit::jumpToLine(int nLine)
{
    const QTextBlock block = m_pDocument->findBlockByNumber(nLine - 1);
    if (nLine < 1 || !block.isValid())
        return false;
    setCenterOnScroll(true);
    setTextCursor(QTextCursor(block));
    setCenterOnScroll(false);
    return true;
}

bool CHighlightEdit::isModified() const
{
    // The slices of a load are no modification.
    return !m_bFilling && m_pDocument->isModified();
}

void CHighlightEdit::setModified(bool bModified)
{
    m_pDocument->setModified(bModified);
}

void CHighlightEdit::setLineWrap(bool bWrap)
{
    setLineWrapMode(bWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

QString CHighlightEdit::getSelectedText() const
{
    return textCursor().selectedText();
}

QString CHighlightEdit::getStatusText() const
{
    const QTextCursor cursor = textCursor();
    return tr("row: %1, col: %2, sel: %3")
        .arg(cursor.blockNumber() + 1)
        .arg(cursor.positionInBlock())
        .arg(cursor.selectedText().length());
}

void CHighlightEdit::onOpenFilePosition()
{
    if (!m_strFilePath.isEmpty())
        showInExplorer(m_strFilePath);
}
