#ifndef WEBWAIT_H
#define WEBWAIT_H

#include <QSignalSpy>
#include <QWebView>
#include <functional>

// Runs fnLoad and waits until the view has finished the load it starts.
// The spy is made first: a page without sub-resources can finish inside
// setHtml itself.
inline bool loadAndWait(QWebView* pView, const std::function<void()>& fnLoad, int nTimeoutMs = 30000)
{
    QSignalSpy spy(pView, &QWebView::loadFinished);
    fnLoad();
    return !spy.isEmpty() || spy.wait(nTimeoutMs);
}

inline bool setHtmlAndWait(QWebView* pView, const QString& strHtml, const QUrl& base = QUrl())
{
    return loadAndWait(pView, [&]() { pView->setHtml(strHtml, base); });
}

#endif
