#ifndef CDOCUMENTSNAPSHOT_H
#define CDOCUMENTSNAPSHOT_H

#include <QObject>
#include <QPointer>
#include <QTimer>

class QTextDocument;

// Copies a document's text a slice per turn of the event loop, so that even
// a very large document never holds up the window for long. An edit during
// the copy abandons it: the copy must be of one moment.
class CDocumentSnapshot : public QObject
{
    Q_OBJECT
public:
    explicit CDocumentSnapshot(QTextDocument* pDocument, QObject* parent = nullptr);

    void start();
    void cancel();
    bool isRunning() const { return m_timer.isActive(); }

    // Characters copied per turn: about a few milliseconds of work.
    static constexpr int SliceChars = 256 * 1024;

signals:
    // The text with U+2029 after each block but the last.
    void finished(const QString& strText);
    void abandoned();

private:
    void onSlice();
    void onChanged();

    QPointer<QTextDocument> m_pDocument;
    QTimer m_timer;
    QString m_strText;
    int m_nPos = 0;
};

#endif
