#ifndef JSONFORMAT_H
#define JSONFORMAT_H

#include <QString>

// Lays JSON text out the way QJsonDocument writes its indented form (one
// member or element per line, four spaces per level, "key": value, empty
// containers as {} and [], a line break at the end) while changing white
// space only: members stay in their order, duplicate keys stay, and every
// string and number keeps its spelling, escapes included.
//
// Returns false, leaving strOut alone, when the text is not one JSON value
// (surrounded by white space, optionally after a byte-order mark) or nests
// deeper than 1024 levels. Strings and numbers are checked as loosely as
// QJsonDocument reads them, so that whatever it accepts can be laid out.
bool formatJson(const QString& strIn, QString& strOut);

#endif
