#include "util/SaveFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSaveFile>

bool saveFileAtomically(const QString& strPath, const QByteArray& arrBytes, QString* pError)
{
    return saveFileAtomically(
        strPath, [&arrBytes](QIODevice& device) { return device.write(arrBytes) == arrBytes.size(); },
        pError);
}

bool saveFileAtomically(const QString& strPath, const std::function<bool(QIODevice&)>& fnWrite,
                        QString* pError)
{
    // Write through links to the file they name; the link stays a link.
    QString strTarget = strPath;
    for (int nHops = 0; nHops < 32 && QFileInfo(strTarget).isSymLink(); ++nHops)
        strTarget = QFileInfo(strTarget).symLinkTarget();
    const bool bExisted = QFileInfo::exists(strTarget);
    const QFile::Permissions perms = QFileInfo(strTarget).permissions();
    // A file marked read-only is not replaced, even where the user could
    // (the administrator, or a folder that lets the file be renamed over).
    // (The mode's bits: WriteUser asks the system, which lets root write.)
    constexpr QFile::Permissions AnyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (bExisted && QFileInfo(strTarget).isFile() && !(perms & AnyWrite)) {
        if (pError)
            *pError = QCoreApplication::translate("SaveFile", "The file is read-only.");
        return false;
    }

    QSaveFile file(strTarget);
    // A file in a folder the user may not write to can still be writable
    // itself; it is then written in place.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly) || !fnWrite(file) || !file.commit()) {
        if (pError)
            *pError = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (bExisted)
        QFile::setPermissions(strTarget, perms);
    return true;
}
