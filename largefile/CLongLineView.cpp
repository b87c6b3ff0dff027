#include "largefile/CLongLineView.h"

#include "editor/CHighlightEdit.h"
#include "largefile/CLongLineBar.h"
#include "util/JsonFormat.h"

#include <QApplication>
#include <QTimer>

CLongLineView::CLongLineView(CHighlightEdit* pEditor)
    : QObject(pEditor)
    , m_pEditor(pEditor)
{
    connect(pEditor, &CHighlightEdit::splitViewChanged, this, &CLongLineView::onSplitViewChanged);
    if (pEditor->isSplitView())
        onSplitViewChanged(true);
}

bool CLongLineView::isJson() const
{
    return m_pEditor->getLanguage().compare("JSON", Qt::CaseInsensitive) == 0
           || m_pEditor->fileSuffix() == "json";
}

void CLongLineView::onSplitViewChanged(bool bSplit)
{
    if (!bSplit) {
        if (m_pBar) {
            m_pEditor->setTopWidget(nullptr);
            m_pBar->deleteLater();
            m_pEditor->setLineWrapMode(m_eWrapBefore);
        }
        return;
    }
    // Wrapped, a page shows a block or two: paging lays out only those,
    // not a screenful of lines thousands of characters long each.
    if (!m_pBar)
        m_eWrapBefore = m_pEditor->lineWrapMode();
    m_pEditor->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    if (!m_pBar) {
        m_pBar = new CLongLineBar(m_pEditor);
        connect(m_pBar, &CLongLineBar::formatClicked, this, &CLongLineView::onFormat);
        connect(m_pBar, &CLongLineBar::openClicked, this, &CLongLineView::onOpenAnyway);
    }
    m_pBar->setLimit(m_pEditor->longLineLimit());
    m_pEditor->setTopWidget(m_pBar);
    // The language is set after the text: whether it is JSON is known later.
    QTimer::singleShot(0, this, &CLongLineView::refreshBar);
}

void CLongLineView::refreshBar()
{
    if (m_pBar)
        m_pBar->setFormatOffered(isJson());
}

void CLongLineView::onFormat()
{
    if (!m_pEditor->isSplitView())
        return;
    QString strFormatted;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool bFormatted = formatJson(m_pEditor->textSnapshot(), strFormatted);
    QApplication::restoreOverrideCursor();
    if (!bFormatted) {
        if (m_pBar)
            m_pBar->showError(tr("Cannot format: the text is not valid JSON."));
        return;
    }
    m_pEditor->leaveSplitView(strFormatted);
    emit changed();
}

void CLongLineView::onOpenAnyway()
{
    m_pEditor->leaveSplitView();
    emit changed();
}
