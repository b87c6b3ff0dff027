#ifndef CSESSIONSTORE_H
#define CSESSIONSTORE_H

#include <QList>
#include <QString>

// One document of a remembered session.
struct CSessionDocument
{
    QString strPath;        // empty for an untitled document kept with its text
    int nCursor = 0;        // cursor position
    int nScroll = 0;        // vertical scroll bar value
    QString strLanguage;    // chosen by hand; empty when found from the name
    QString strCodec;       // chosen by hand; empty when detected
    int nReturnFormat = -1; // -1: as found in the file
    bool bHasText = false;  // the unsaved text is kept with the session
    QString strText;        // that text, block texts joined with "\n"
};

// The open documents remembered between runs, in a folder of the user's
// data: a session file written atomically, the kept texts beside it, and a
// marker that tells whether the last restore was interrupted.
class CSessionStore
{
public:
    explicit CSessionStore(const QString& strFolder);

    bool save(const QList<CSessionDocument>& lstDocuments, int nCurrent) const;
    // A missing session is empty; a damaged one is ignored and reported as
    // false, with the documents that could be read (none for a bad file).
    bool load(QList<CSessionDocument>& lstDocuments, int& nCurrent) const;

    // Around a restore: a start that finds the marker left over knows the
    // last restore did not finish (a crash while opening a document).
    void beginRestore() const;
    void endRestore() const;
    bool restoreWasInterrupted() const;

    QString folder() const { return m_strFolder; }

private:
    QString sessionFile() const;
    QString textFile(int nIndex) const;
    QString markerFile() const;

    QString m_strFolder;
};

#endif
