#ifndef CSTANDINS_H
#define CSTANDINS_H

#include <QString>
#include <QVector>

// A text document cannot hold some characters of a file: it reads U+2029
// (paragraph separator) and U+FDD0/U+FDD1 as breaks between blocks. While a
// document shows such a file, each of them is replaced by a private-use
// character the file does not contain, and given back when the text leaves
// the document (saving, re-reading in another codec, keeping it).
class CStandIns
{
public:
    // The stand-ins a text needs (none for most texts).
    static CStandIns forText(const QString& strText);

    bool isEmpty() const { return m_vecPairs.isEmpty(); }
    QString toDocument(QString strText) const;
    QString fromDocument(QString strText) const;

private:
    struct Pair
    {
        QChar chOriginal;
        QChar chStandIn;
    };
    QVector<Pair> m_vecPairs;
};

#endif
