#include "web/WebPagePolicy.h"

#include "util/TextCodec.h"
#include "web/CLocalNetworkAccess.h"

#include <QWebFrame>
#include <QWebPage>
#include <QWebSettings>

namespace {

// Channels that do not go through the page's network access manager.
const char* const RemoveWaysOut = R"JS(
(function() {
    var names = ['WebSocket', 'Worker', 'SharedWorker', 'RTCPeerConnection',
                 'webkitRTCPeerConnection'];
    for (var i = 0; i < names.length; ++i) {
        try {
            Object.defineProperty(window, names[i],
                                  {value: undefined, writable: false, configurable: false});
        } catch (e) {
        }
    }
})();
)JS";

void setCommonAttributes(QWebSettings* pSettings)
{
    pSettings->setAttribute(QWebSettings::LocalContentCanAccessFileUrls, false);
    pSettings->setAttribute(QWebSettings::LocalContentCanAccessRemoteUrls, false);
    pSettings->setAttribute(QWebSettings::PluginsEnabled, false);
    pSettings->setAttribute(QWebSettings::JavaEnabled, false);
    pSettings->setAttribute(QWebSettings::JavascriptCanOpenWindows, false);
    pSettings->setAttribute(QWebSettings::JavascriptCanAccessClipboard, false);
    pSettings->setAttribute(QWebSettings::HyperlinkAuditingEnabled, false);
    pSettings->setAttribute(QWebSettings::NotificationsEnabled, false);
    pSettings->setAttribute(QWebSettings::DnsPrefetchEnabled, false);
}

void guardFrame(QWebFrame* pFrame)
{
    // Emitted before any script of a new document runs in the frame.
    QObject::connect(pFrame, &QWebFrame::javaScriptWindowObjectCleared, pFrame,
                     [pFrame]() { pFrame->evaluateJavaScript(QString::fromLatin1(RemoveWaysOut)); });
}

} // namespace

void setupEditorPage(QWebPage* pPage)
{
    QWebSettings* pSettings = pPage->settings();
    setCommonAttributes(pSettings);
    pSettings->setAttribute(QWebSettings::JavascriptEnabled, false);
    pPage->setNetworkAccessManager(new CPageNetworkAccess(pPage));
}

void setupScriptedPage(QWebPage* pPage)
{
    QWebSettings* pSettings = pPage->settings();
    setCommonAttributes(pSettings);
    pSettings->setAttribute(QWebSettings::JavascriptEnabled, true);
    // Media back ends fetch their streams themselves.
    pSettings->setAttribute(QWebSettings::MediaEnabled, false);
    pPage->setNetworkAccessManager(new CLocalNetworkAccess(pPage));
    guardFrame(pPage->mainFrame());
    QObject::connect(pPage, &QWebPage::frameCreated, pPage, &guardFrame);
}

void setFallbackEncoding(QWebPage* pPage, const QByteArray& arrBytes)
{
    const QString strCodec = detectTextCodec(arrBytes);
    pPage->settings()->setDefaultTextEncoding(strCodec.isEmpty() ? QString("UTF-8") : strCodec);
}
