#ifndef CTABWIDGET_H
#define CTABWIDGET_H

#include <QTabWidget>

class QMenu;

// The document tabs: adds closing by middle click, a context menu of named
// entries and a report of double clicks beside the tabs.
class CTabWidget : public QTabWidget
{
    Q_OBJECT
public:
    explicit CTabWidget(QWidget* parent = nullptr);
    ~CTabWidget() override;

    void setContextActions(const QStringList& lstTexts);

signals:
    void emitMidButtonRelease(int nIndex);
    void clickAction(QString strText);

public slots:
    void onClickAction();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QMenu* m_pMenu;
};

#endif
