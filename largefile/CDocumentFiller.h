#ifndef CDOCUMENTFILLER_H
#define CDOCUMENTFILLER_H

#include <QObject>
#include <QString>

class CHighlightEdit;

// Fills an editor's empty document with a large text in slices from the
// event loop, each short enough that the window keeps answering. Slices end
// before a line break, so every block already in the document is a whole
// line of the text.
class CDocumentFiller : public QObject
{
    Q_OBJECT
public:
    // The document holds the first nDone characters of the text already.
    CDocumentFiller(CHighlightEdit* pEditor, const QString& strText, int nDone,
                    QObject* parent = nullptr);

    void start();
    void cancel();
    int percent() const;

    // Each slice aims at this many milliseconds of the GUI thread.
    static constexpr int SliceMs = 20;

signals:
    void progress(int nPercent);
    void finished();

private slots:
    void fillSlice();

private:
    int sliceEnd(int nFrom) const;

    CHighlightEdit* m_pEditor;
    const QString m_strText;
    int m_nDone = 0;
    int m_nSliceChars = 32 * 1024; // small at first: the first screen comes quickly
    bool m_bActive = false;
};

#endif
