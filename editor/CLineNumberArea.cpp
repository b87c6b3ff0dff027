#include "editor/CLineNumberArea.h"

#include "editor/CHighlightEdit.h"

CLineNumberArea::CLineNumberArea(CHighlightEdit* pEditor)
    : QWidget(pEditor)
    , m_pEditor(pEditor)
{
}

QSize CLineNumberArea::sizeHint() const
{
    return QSize(m_pEditor->lineNumberAreaWidth(), 0);
}

void CLineNumberArea::paintEvent(QPaintEvent* event)
{
    m_pEditor->lineNumberAreaPaintEvent(event);
}
