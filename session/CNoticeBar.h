#ifndef CNOTICEBAR_H
#define CNOTICEBAR_H

#include <QFrame>
#include <QHash>
#include <QStringList>

class QHBoxLayout;
class QLabel;

// A non-modal bar above the documents that tells something about one of
// them, with buttons to answer. Each document keeps at most one notice (a
// newer one replaces it); the bar shows the notice of the current document.
// A notice given for no document shows whatever document is current.
class CNoticeBar : public QFrame
{
    Q_OBJECT
public:
    explicit CNoticeBar(QWidget* parent = nullptr);

    // nKind tells the owner which question this is when it is answered.
    void setNotice(QObject* pDocument, int nKind, const QString& strText, const QStringList& lstButtons);
    void clearNotice(QObject* pDocument);
    bool hasNotice(QObject* pDocument) const { return m_mapNotices.contains(pDocument); }
    QString noticeText(QObject* pDocument) const { return m_mapNotices.value(pDocument).strText; }
    int noticeKind(QObject* pDocument) const { return m_mapNotices.value(pDocument).nKind; }
    void setCurrentDocument(QObject* pDocument);

signals:
    // The button at this index of the notice was pressed; the notice is gone.
    void buttonClicked(QObject* pDocument, int nKind, int nButton);

private:
    struct Notice
    {
        int nKind = -1;
        QString strText;
        QStringList lstButtons;
    };
    void refresh();
    void onDocumentDestroyed(QObject* pDocument);

    QHash<QObject*, Notice> m_mapNotices;
    QObject* m_pCurrent = nullptr;
    QObject* m_pShown = nullptr;
    QLabel* m_pLabel;
    QHBoxLayout* m_pButtons;
};

#endif
