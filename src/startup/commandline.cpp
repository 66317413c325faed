#include "startup/commandline.h"

#include <QDir>

QString caseFileArgument(const QStringList &arguments, const QString &currentFolder)
{
    if (arguments.size() != 2 || arguments.at(1).isEmpty())
        return QString();
    return QDir::cleanPath(QDir(currentFolder).absoluteFilePath(QDir::fromNativeSeparators(arguments.at(1))));
}
