#ifndef CTEXTSNAPSHOT_H
#define CTEXTSNAPSHOT_H

#include <QObject>
#include <QString>
#include <QTimer>

class QTextDocument;

// A document's raw text (blocks separated by U+2029) as one string, for
// scans over the whole document: walking a QTextDocument's blocks costs many
// times more than searching a string. It is made on demand and dropped when
// the document changes or after a while without use. Changes inside an edit
// block are announced only when the block ends: code that edits and then
// scans within one block releases the snapshot itself.
class CTextSnapshot : public QObject
{
    Q_OBJECT
public:
    explicit CTextSnapshot(QTextDocument* pDoc, QObject* parent = nullptr);

    // The text as the document holds it now.
    QString text();
    void release();

private:
    QTextDocument* m_pDoc;
    QString m_strText;
    bool m_bValid = false;
    QTimer m_timerRelease;
};

#endif
