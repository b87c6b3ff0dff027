#ifndef CTEXTSHAPING_H
#define CTEXTSHAPING_H

#include <QObject>

class QPlainTextEdit;

// Lays an editor's text out without a shaper while nothing in it needs one
// (see util/TextShaping): Qt then maps characters to glyphs one for one,
// about three times faster, for every screen shown and line typed in. The
// first character that needs shaping turns it on for the document; a whole
// new text decides again.
class CTextShaping : public QObject
{
    Q_OBJECT
public:
    explicit CTextShaping(QPlainTextEdit* pEditor);

    bool isShaping() const { return m_bShaping; }
    // Around setting a whole new text whose answer is known: the change it
    // makes is not looked at again. Shaping turns off only for a text that
    // leaves no undo history behind.
    void beginWholeText(bool bNeedsShaping);
    void endWholeText();

private slots:
    void onContentsChange(int nPosition, int nRemoved, int nAdded);

private:
    void setShaping(bool bShaping);

    static constexpr int LongChange = 64 * 1024;

    QPlainTextEdit* m_pEditor;
    bool m_bShaping = true;
    bool m_bWholeText = false;
};

#endif
