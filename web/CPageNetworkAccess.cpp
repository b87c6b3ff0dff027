#include "web/CPageNetworkAccess.h"

#include "web/CPacedReply.h"

#include <QFile>
#include <QFileInfo>

CPageNetworkAccess::CPageNetworkAccess(QObject* parent)
    : QNetworkAccessManager(parent)
{
}

QByteArray CPageNetworkAccess::offerContent(const QByteArray& arrHtml)
{
    const QByteArray arrKey = QByteArray::number(++m_nOffers);
    m_mapOffered.insert(arrKey, arrHtml);
    return arrKey;
}

QNetworkReply* CPageNetworkAccess::createRequest(Operation op, const QNetworkRequest& request,
                                                 QIODevice* pOutgoingData)
{
    if (op == GetOperation) {
        const QByteArray arrKey = request.rawHeader(ContentHeader);
        if (!arrKey.isEmpty() && m_mapOffered.contains(arrKey)) {
            return new CPacedReply(request, m_mapOffered.take(arrKey), "text/html; charset=UTF-8",
                                   this);
        }
        const QUrl& url = request.url();
        if (url.isLocalFile() && url.host().isEmpty()) {
            const QString strPath = url.toLocalFile();
            const QFileInfo info(strPath);
            QFile file(strPath);
            if (info.isFile() && info.size() >= PacedFrom && info.size() <= PacedUpTo
                && file.open(QIODevice::ReadOnly))
                return new CPacedReply(request, file.readAll(), QByteArray(), this);
        }
    }
    return QNetworkAccessManager::createRequest(op, request, pOutgoingData);
}
