#ifndef CLOCALNETWORKACCESS_H
#define CLOCALNETWORKACCESS_H

#include "web/CPageNetworkAccess.h"

// A network access manager that serves only what is on this machine (local
// files and the program's resources) and refuses everything else before any
// connection or name lookup is made. Pages whose scripts run get it, so that
// nothing they gather can leave the machine.
class CLocalNetworkAccess : public CPageNetworkAccess
{
    Q_OBJECT
public:
    explicit CLocalNetworkAccess(QObject* parent = nullptr);

    static bool isLocal(const QUrl& url);

protected:
    QNetworkReply* createRequest(Operation op, const QNetworkRequest& request,
                                 QIODevice* pOutgoingData) override;
};

#endif
