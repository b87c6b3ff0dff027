#ifndef MODALDRIVER_H
#define MODALDRIVER_H

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QQueue>
#include <QTimer>
#include <functional>

// Answers modal dialogs (message boxes, file dialogs) that the code under
// test opens and waits on: each queued handler runs once on the next modal
// dialog that appears, from inside that dialog's own event loop.
class ModalDriver : public QObject
{
    Q_OBJECT
public:
    struct Seen
    {
        QString strTitle;
        QString strText;
    };

    ModalDriver();
    ~ModalDriver() override;

    void onNextModal(std::function<void(QWidget*)> fnHandler);
    // Presses a standard button of the next message box.
    void answer(QMessageBox::StandardButton button);
    // Chooses a file name in the next file dialog and accepts it.
    void chooseFile(const QString& strPath);
    // Rejects the next dialog (Cancel / Escape).
    void cancel();

    int pending() const { return m_queue.size(); }
    // Title and text of every dialog handled so far, in order.
    const QList<Seen>& seen() const { return m_lstSeen; }

private:
    void poll();

    QTimer m_timer;
    QQueue<std::function<void(QWidget*)>> m_queue;
    QPointer<QWidget> m_pLastHandled;
    QList<Seen> m_lstSeen;
};

#endif
