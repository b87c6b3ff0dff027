#include "util/Utils.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>
#include <QVector>
#include <QWidget>
#include <algorithm>

QString formatFileSize(qint64 nBytes)
{
    constexpr qint64 KB = 1024;
    constexpr qint64 MB = KB * 1024;
    constexpr qint64 GB = MB * 1024;
    constexpr qint64 TB = GB * 1024;
    const QLocale locale;
    if (nBytes >= TB)
        return QCoreApplication::translate("Utils", "%1 TB")
            .arg(locale.toString(double(nBytes) / TB, 'f', 3));
    if (nBytes >= GB)
        return QCoreApplication::translate("Utils", "%1 GB")
            .arg(locale.toString(double(nBytes) / GB, 'f', 2));
    if (nBytes >= MB)
        return QCoreApplication::translate("Utils", "%1 MB")
            .arg(locale.toString(double(nBytes) / MB, 'f', 1));
    if (nBytes >= KB)
        return QCoreApplication::translate("Utils", "%1 KB").arg(locale.toString(nBytes / KB));
    return QCoreApplication::translate("Utils", "%1 B").arg(locale.toString(nBytes));
}

QString formatDateTime(const QDateTime& dt)
{
    return QLocale::system().toString(dt, QLocale::ShortFormat);
}

namespace {
// Folders come before everything else. Broken links, pipes and devices
// count as files: ranking them apart from both would make the order
// intransitive (folder < file by kind, file < link and link < folder by name).
int kindRank(const QFileInfo& info)
{
    return (info.isDir() ? 0 : 2) + (info.isRoot() ? 0 : 1);
}

QString sortKey(const QFileInfo& info)
{
    return info.isRoot() ? info.absoluteFilePath().toLower() : info.fileName().toLower();
}
} // namespace

bool fileInfoLessThan(const QFileInfo& a, const QFileInfo& b)
{
    const int nRankA = kindRank(a);
    const int nRankB = kindRank(b);
    if (nRankA != nRankB)
        return nRankA < nRankB;
    return sortKey(a) < sortKey(b);
}

void sortFileInfoList(QFileInfoList& lst)
{
    struct Entry
    {
        int nRank;
        QString strKey;
        QString strName;
        int nIndex;
    };
    QVector<Entry> vec;
    vec.reserve(lst.size());
    for (int i = 0; i < lst.size(); ++i) {
        const QFileInfo& info = lst.at(i);
        vec.append({kindRank(info), sortKey(info), info.fileName(), i});
    }
    std::sort(vec.begin(), vec.end(), [](const Entry& a, const Entry& b) {
        if (a.nRank != b.nRank)
            return a.nRank < b.nRank;
        const int nCmp = a.strKey.compare(b.strKey);
        if (nCmp != 0)
            return nCmp < 0;
        return a.strName < b.strName;
    });
    QFileInfoList lstSorted;
    lstSorted.reserve(lst.size());
    for (const Entry& entry : qAsConst(vec))
        lstSorted.append(lst.at(entry.nIndex));
    lst.swap(lstSorted);
}

namespace {
const char* const StyleBlue =
    "QPushButton,QToolButton{border:0px;padding:1px;}"
    "QPushButton:hover,QToolButton:hover{border:1px outset #9911505C;"
    "background-color:#4097ce77;}"
    "QPushButton:pressed,QToolButton:pressed{background-color:#1197ce77;"
    "border:1px outset #991e7db9;}";

QString gradient(const char* szFrom, const char* szTo)
{
    return QString("qlineargradient(x1:0,y1:0,x2:0,y2:1,stop:0 %1,stop:1.0 %2)").arg(szFrom, szTo);
}

// "green" and "yellow": a rounded gradient button.
QString roundedStyle(const char* const (&arrColors)[8])
{
    const QString strButtons = "QPushButton%1,QToolButton%1";
    QString str;
    str += strButtons.arg("") + QString("{background:%1;border:1px outset %2;border-radius:5px;"
                                        "padding:1px;color:#fff;}")
                                    .arg(gradient(arrColors[0], arrColors[1]), arrColors[2]);
    str += strButtons.arg(":hover") + QString("{background:%1;border-color:#11505C;}")
                                          .arg(gradient(arrColors[3], arrColors[4]));
    str += strButtons.arg(":pressed") + QString("{background:%1;border-color:%2;}")
                                            .arg(gradient(arrColors[5], arrColors[6]),
                                                 arrColors[7]);
    str += strButtons.arg(":disabled")
           + QString("{background:%1;border-color:#dce1e6;color:#8c96a0;}")
                 .arg(gradient("#f2f3f7", "#e4e8ec"));
    return str;
}

// "step_blue" and "step_yellow": tab-like buttons. Qt style sheets do not
// understand the web-style gradient, so the plain background colour shows.
QString stepStyle(const char* szBack, const char* szTo, const char* szRadius)
{
    const QString strBody =
        QString("background-color:%1;background-image:-webkit-linear-gradient(top, %1, %2);"
                "border-top:1px solid #abbbcc;border-left:1px solid #a7b6c7;"
                "border-right:1px solid #a7b6c7;border-bottom:1px solid #a1afbf;"
                "border-radius:%3;padding:1px;")
            .arg(szBack, szTo, szRadius);
    QString str;
    for (const char* szState : {"", ":hover", ":pressed"})
        str += QString("QPushButton%1,QToolButton%1{%2color:#1a3e66;}").arg(szState, strBody);
    str += QString("QPushButton:disabled,QToolButton:disabled{%1color:#8c96a0;}").arg(strBody);
    return str;
}
} // namespace

void setButtonStyle(QWidget* pWidget, const QString& strStyle)
{
    if (!pWidget)
        return;
    static const char* const arrGreen[8] = {"#90dfa2", "#84d494", "#64c878", "#aaebb9", "#82d392",
                                            "#5eac6e", "#72b37e", "#4d7254"};
    static const char* const arrYellow[8] = {"#fece34", "#d8a605", "#fedd71", "#ffd859", "#e3bb38",
                                             "#d3a203", "#dba907", "#816b1f"};
    if (strStyle == "green")
        pWidget->setStyleSheet(roundedStyle(arrGreen));
    else if (strStyle == "blue")
        pWidget->setStyleSheet(StyleBlue);
    else if (strStyle == "yellow")
        pWidget->setStyleSheet(roundedStyle(arrYellow));
    else if (strStyle == "step_blue")
        pWidget->setStyleSheet(stepStyle("#d7e5f5", "#cbe0f5", "12px 12px 5px 5px"));
    else if (strStyle == "step_yellow")
        pWidget->setStyleSheet(stepStyle("#fece34", "#d8a605", "12px"));
}

void showAndActivate(QWidget* pWidget, bool bShow)
{
    if (!bShow || !pWidget)
        return;
    pWidget->show();
    pWidget->activateWindow();
}
