#include "platform/platformerror.h"

#include <QFile>
#include <QFileDevice>

QString errorTitle(int number)
{
    return QStringLiteral("Erro %1 ( %2 )").arg(number).arg(QString::number(number, 16).toUpper());
}

PlatformError fileError(const QFileDevice &file)
{
    int number = ErrorNumber::PathFileAccess;
    if (file.error() == QFileDevice::ResourceError)
        number = ErrorNumber::DiskFull;
    else if (file.error() == QFileDevice::OpenError && !file.fileName().isEmpty() && !QFile::exists(file.fileName()))
        number = ErrorNumber::FileNotFound;
    return {number, file.errorString()};
}
