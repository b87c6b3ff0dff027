#ifndef CLINENUMBERAREA_H
#define CLINENUMBERAREA_H

#include <QWidget>

class CHighlightEdit;

// The gutter beside a code editor; the editor does the geometry and painting.
class CLineNumberArea : public QWidget
{
    Q_OBJECT
public:
    explicit CLineNumberArea(CHighlightEdit* pEditor);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CHighlightEdit* m_pEditor;
};

#endif
