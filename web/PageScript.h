#ifndef PAGESCRIPT_H
#define PAGESCRIPT_H

#include <QVariant>

class QWebPage;

// Runs one of the editor's own scripts (the body of a function; its return
// value is the result) in a page whose own scripts are switched off: they
// are allowed only for the duration of the call.
QVariant runPageScript(QWebPage* pPage, const QString& strBody);

// A text as a script string literal, quotes included.
QString scriptString(const QString& strText);

#endif
