#ifndef CTHREADHIGHLIGHTER_H
#define CTHREADHIGHLIGHTER_H

#include "highlight/CLineSnapshot.h"
#include "highlight/CSyntaxRules.h"
#include "highlight/CTextMirror.h"

#include <QColor>
#include <QList>
#include <QStringList>
#include <QTextLayout>
#include <QThread>
#include <QTimer>
#include <QVariantMap>
#include <atomic>
#include <limits>
#include <deque>
#include <memory>
#include <mutex>

class CTextDocument;

// Computes, in a worker thread, the formats of every block of one document
// and the marks of every occurrence of the selected text. Results go back by
// queued signals tagged with the document version the pass started from;
// the document drops those of an older version.
//
// The worker never reads the live document: the GUI thread hands it each
// change (the changed lines' new text, or a whole new text) and the worker
// keeps its own copy of the lines and their block states. Per-block results
// wait in a queue that the GUI thread drains in short turns on a timer,
// emitting the two signals there: every hand-over goes through this class's
// own locks, none through the event queue.
class CThreadHighlighter : public QThread
{
    Q_OBJECT
public:
    explicit CThreadHighlighter(CTextDocument* pDoc);
    ~CThreadHighlighter() override;

    void setDefinition(const QVariantMap& mapDef);
    void setSelectedText(const QString& str);
    QString getLanguageName() const;
    QString singleComment() const;
    QString multiCommentStart() const;
    QString multiCommentEnd() const;
    // The text the document is about to be set to as a whole, so that the
    // whole-document change need not copy it out of the document again.
    void prepareText(const QString& strText);
    // A text appended to the empty document in slices: the highlighter
    // takes it whole at the start and ignores the slices until endFill.
    void beginFill(const QString& strText);
    void endFill();
    // Ends a running pass and waits for the thread (a moment at most).
    void stopAndWait();
    // Leaves the document for good (it is going): the worker ends at its
    // next check, and this object deletes itself once the thread has ended.
    // Nothing waits for a match in progress, which a pathological pattern
    // can keep busy for minutes.
    void retire();
    // Whether work is still running or waiting: a pass, changes not yet
    // taken, or results not yet applied.
    bool isBusy();
    // Asks for the results of these blocks again (a view shows them and
    // their earlier results were not applied); served ahead of a pass.
    void requestBlocks(int nFirst, int nLast);

    // The document's text as it is now, taken in a moment; put together
    // later, in any thread.
    CLineSnapshot snapshot();

    static QTextLayout::FormatRange selectionMark(int nStart, int nLength);

signals:
    // Emitted on the GUI thread as results are taken from the queue.
    void blockFormatChanged(uint nVer, int nBlock, QVector<QTextLayout::FormatRange> lst,
                            quint64 nHash);
    void selectedChanged(uint nVer, int nBlock, QVector<QTextLayout::FormatRange> lst,
                         quint64 nHash);

public slots:
    void rehighlight();
    void stopThread();

protected:
    void run() override;

private slots:
    void requestPass();
    void onContentsChange(int nPosition, int nRemoved, int nAdded);
    void drainResults();

private:
    using Edit = CLineTable::Edit;

    struct Result
    {
        bool bMarks;
        uint nVer;
        int nBlock;
        QVector<QTextLayout::FormatRange> lstRanges;
        quint64 nHash;
    };

    void startPass();
    void pushResult(Result&& result);
    bool takeEdits();
    bool leaveRun();
    bool runSyntax();
    bool runSelection();
    void serveRequestedBlocks();
    // False when a stop or a request ended the work on the block.
    bool highlightBlock(int nBlock);
    bool highlightSelected(int nBlock, const QString& strSelected);
    // The rules and selected text a block is lexed with, taken under the
    // lock; lexing itself holds no lock the GUI thread takes.
    std::shared_ptr<const CSyntaxRules> currentRules(QString* pSelected = nullptr) const;
    bool abortLexing() const { return m_bStop || m_bReqHighlight; }

    // Requests and the running pass's kinds of work; written on the GUI
    // thread, polled by the worker between blocks, rules and matches.
    std::atomic<bool> m_bStop {false};
    std::atomic<bool> m_bHighlight {false};
    std::atomic<bool> m_bSelect {false};
    std::atomic<bool> m_bReqHighlight {false};
    std::atomic<bool> m_bReqSelect {false};
    std::atomic<bool> m_bReqBlocks {false};
    std::atomic<bool> m_bRulesChanged {false};
    // Lines a pass goes to while a fill runs.
    static constexpr int FillPassLines = 5000;
    std::atomic<int> m_nPassLimit {std::numeric_limits<int>::max()};

    CTextDocument* m_pDoc;
    uint m_nVer = 0;          // worker: version of the mirror during a pass
    // Worker only, but for its lines, which the worker changes and the GUI
    // thread copies under m_mutexLines. Taken before m_mutexEdits, so that a
    // copy of the lines and the changes waiting make one text.
    CTextMirror m_mirror;
    std::mutex m_mutexLines;
    int m_nSelectNext = 0;    // worker: the next block of the selection pass
    QColor m_clrSelected;

    mutable std::mutex m_mutex; // the rules and the selected text
    std::shared_ptr<const CSyntaxRules> m_pRules;
    QString m_strSelected;

    std::mutex m_mutexEdits;  // changes and block requests waiting for the worker
    QList<Edit> m_lstEdits;
    int m_nReqFirst = -1;
    int m_nReqLast = -1;

    std::mutex m_mutexResults; // results waiting for the GUI thread
    std::deque<Result> m_dequeResults;
    QTimer m_timerDrain;       // GUI thread: takes results while there is work

    std::mutex m_mutexRun;    // whether a pass is running or committed to start
    bool m_bRunning = false;

    QString m_strPrepared;     // GUI thread
    bool m_bFilling = false;   // GUI thread
    bool m_bRetired = false;   // GUI thread
};

#endif
