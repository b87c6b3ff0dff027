#ifndef ARGUMENTS_H
#define ARGUMENTS_H

#include <QStringList>

// Splits command-line arguments (program name excluded) into the paths to
// open and the same paths quoted for the single-instance message.
void buildArgumentLists(const QStringList& lstRaw, QStringList& lstPlain,
                        QStringList& lstQuoted);

// The reverse, for a received message: splits at spaces outside double
// quotes; quotes only group and are dropped; blank arguments are dropped.
QStringList splitArgumentMessage(const QString& strMessage);

#endif
