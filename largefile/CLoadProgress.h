#ifndef CLOADPROGRESS_H
#define CLOADPROGRESS_H

#include <QPointer>
#include <QWidget>

class CEditorLoader;
class QProgressBar;
class QToolButton;

// The status-bar part that shows how far the current tab has loaded, with
// the button that cancels the load (and so closes the tab).
class CLoadProgress : public QWidget
{
    Q_OBJECT
public:
    explicit CLoadProgress(QWidget* parent = nullptr);

    // Follows this loader (null: hidden).
    void follow(CEditorLoader* pLoader);
    QToolButton* cancelButton() const { return m_pCancel; }

private slots:
    void onProgress(int nPercent);
    void onCancel();

private:
    QProgressBar* m_pBar;
    QToolButton* m_pCancel;
    QPointer<CEditorLoader> m_pLoader;
};

#endif
