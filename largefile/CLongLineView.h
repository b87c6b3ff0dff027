#ifndef CLONGLINEVIEW_H
#define CLONGLINEVIEW_H

#include <QObject>
#include <QPlainTextEdit>
#include <QPointer>

#include "largefile/CLongLineBar.h"

class CHighlightEdit;
class CLongLineBar;

// Follows one editor: while it shows a file's long lines split, a bar above
// the text says so and offers to format a JSON document (into an editable
// document of the formatted text) or to edit the lines as they are.
class CLongLineView : public QObject
{
    Q_OBJECT
public:
    explicit CLongLineView(CHighlightEdit* pEditor);

    CLongLineBar* bar() const { return m_pBar; }
    bool isJson() const;

public slots:
    void onFormat();
    void onOpenAnyway();

signals:
    // The editor left the split view or changed its text.
    void changed();

private slots:
    void onSplitViewChanged(bool bSplit);
    void refreshBar();

private:
    CHighlightEdit* m_pEditor;
    QPointer<CLongLineBar> m_pBar;
    QPlainTextEdit::LineWrapMode m_eWrapBefore = QPlainTextEdit::NoWrap;
};

#endif
