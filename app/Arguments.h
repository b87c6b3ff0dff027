#ifndef ARGUMENTS_H
#define ARGUMENTS_H

#include <QStringList>

// Splits command-line arguments (program name excluded) into the paths to
// open and the same paths quoted for the single-instance message.
void buildArgumentLists(const QStringList& lstRaw, QStringList& lstPlain,
                        QStringList& lstQuoted);

// Existing files and folders named relative to this process's working folder
// made absolute, since a running instance elsewhere resolves them otherwise.
QStringList absoluteExistingPaths(const QStringList& lstArgs);

// The reverse, for a received message: splits at spaces outside double
// quotes; quotes only group and are dropped; blank arguments are dropped.
QStringList splitArgumentMessage(const QString& strMessage);

#endif
