#ifndef UTILS_H
#define UTILS_H

#include <QFileInfo>
#include <QString>

class QDateTime;
class QWidget;

// Size text in powers of 1024 ("%1 B" … "%1 TB"), numbers in the default locale.
QString formatFileSize(qint64 nBytes);
// Date and time in the system locale's format.
QString formatDateTime(const QDateTime& dt);

// Directory-entry order: folders first, then drive roots, then the
// lower-cased name (the lower-cased absolute path for roots).
bool fileInfoLessThan(const QFileInfo& a, const QFileInfo& b);
// Sorts a list into that order. The keys are computed once per entry, so a
// folder of 100,000 entries sorts in a fraction of the time a sort calling
// fileInfoLessThan takes. Entries with equal keys keep a stable,
// case-sensitive name order.
void sortFileInfoList(QFileInfoList& lst);

// Gives the widget's push and tool buttons one of the named style sheets
// ("green", "blue", "yellow", "step_blue", "step_yellow"); other names and a
// null widget are ignored.
void setButtonStyle(QWidget* pWidget, const QString& strStyle);

// Shows the widget and activates its window when bShow is true.
void showAndActivate(QWidget* pWidget, bool bShow);

#endif
