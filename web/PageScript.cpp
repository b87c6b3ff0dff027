#include "web/PageScript.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QWebFrame>
#include <QWebPage>
#include <QWebSettings>

QVariant runPageScript(QWebPage* pPage, const QString& strBody)
{
    // The page's own event handlers were never compiled (that happens only
    // while scripts are allowed), so the events our call causes run nothing
    // of the page.
    QWebSettings* pSettings = pPage->settings();
    const bool bWasOn = pSettings->testAttribute(QWebSettings::JavascriptEnabled);
    pSettings->setAttribute(QWebSettings::JavascriptEnabled, true);
    const QVariant result =
        pPage->mainFrame()->evaluateJavaScript(QString("(function() { %1 })()").arg(strBody));
    pSettings->setAttribute(QWebSettings::JavascriptEnabled, bWasOn);
    return result;
}

QString scriptString(const QString& strText)
{
    // JSON writes the string as a script literal (the array around it is
    // dropped), except for the two line separators older scripts forbid.
    const QByteArray arrJson = QJsonDocument(QJsonArray{strText}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(arrJson.mid(1, arrJson.size() - 2))
        .replace(QChar(0x2028), QLatin1String("\\u2028"))
        .replace(QChar(0x2029), QLatin1String("\\u2029"));
}
