#include "web/CLocalNetworkAccess.h"

#include <QNetworkRequest>

CLocalNetworkAccess::CLocalNetworkAccess(QObject* parent)
    : CPageNetworkAccess(parent)
{
}

bool CLocalNetworkAccess::isLocal(const QUrl& url)
{
    const QString strScheme = url.scheme().toLower();
    // A file URL with a host names a share on another machine.
    if (strScheme == "file")
        return url.host().isEmpty() || url.host().compare("localhost", Qt::CaseInsensitive) == 0;
    return strScheme == "qrc" || strScheme == "data";
}

QNetworkReply* CLocalNetworkAccess::createRequest(Operation op, const QNetworkRequest& request,
                                                  QIODevice* pOutgoingData)
{
    if (isLocal(request.url()))
        return CPageNetworkAccess::createRequest(op, request, pOutgoingData);
    // A request without a URL fails at once with an error reply.
    QNetworkRequest refused(request);
    refused.setUrl(QUrl());
    return QNetworkAccessManager::createRequest(GetOperation, refused, nullptr);
}
