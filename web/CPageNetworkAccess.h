#ifndef CPAGENETWORKACCESS_H
#define CPAGENETWORKACCESS_H

#include <QHash>
#include <QNetworkAccessManager>

// The network access of the editor's pages. Large local files are handed to
// the page in paced portions (CPacedReply) so that loading never freezes the
// window; and a page can be given markup from memory under a file's URL (its
// own images and styles then resolve as for the file), paced the same way.
class CPageNetworkAccess : public QNetworkAccessManager
{
    Q_OBJECT
public:
    explicit CPageNetworkAccess(QObject* parent = nullptr);

    // Keeps markup for the next request that carries the returned value in
    // the ContentHeader header.
    QByteArray offerContent(const QByteArray& arrHtml);

    static constexpr const char* ContentHeader = "X-Scrb-Content";
    // Smaller files arrive in one piece, as before.
    static constexpr qint64 PacedFrom = 256 * 1024;
    static constexpr qint64 PacedUpTo = 256 * 1024 * 1024;

protected:
    QNetworkReply* createRequest(Operation op, const QNetworkRequest& request,
                                 QIODevice* pOutgoingData) override;

private:
    QHash<QByteArray, QByteArray> m_mapOffered;
    quint64 m_nOffers = 0;
};

#endif
