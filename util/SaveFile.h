#ifndef SAVEFILE_H
#define SAVEFILE_H

#include <QByteArray>
#include <QString>
#include <functional>

class QIODevice;

// Replaces the file's content as a whole: the bytes go to a temporary file
// beside it, which then takes the file's place, so a failed write leaves the
// old file intact. Permissions are kept and a symbolic link keeps pointing at
// the file it names. Returns false (with a reason) when nothing was replaced.
bool saveFileAtomically(const QString& strPath, const QByteArray& arrBytes,
                        QString* pError = nullptr);
// The same with the content written by fnWrite, which returns false on
// failure (a large text is written in pieces, without a copy of it all).
bool saveFileAtomically(const QString& strPath, const std::function<bool(QIODevice&)>& fnWrite,
                        QString* pError = nullptr);

#endif
