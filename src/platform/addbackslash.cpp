#include "platform/addbackslash.h"

#include <QCoreApplication>
#include <QDir>

QString AddBackslash(const QString &folder)
{
    const QChar separator = QDir::separator();
    return folder.endsWith(separator) ? folder : folder + separator;
}

QString programFolder()
{
    return AddBackslash(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
}
