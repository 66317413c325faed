#include "files/dialogfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

bool canWriteIn(const QString &folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("tessio-XXXXXX")));
    return probe.open();
}

QString documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString dialogFolder(const QString &folder, const FolderCheck &canWrite)
{
    return canWrite(folder) ? folder : documentsFolder();
}

QString folderOfFile(const QString &path, const QString &fallback, const FolderCheck &canWrite)
{
    // By the text, not QFileInfo: a path written on the other platform keeps its folder.
    const qsizetype separator = qMax(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    QString folder = fallback;
    if (separator > 0)
        folder = path.left(separator);
    else if (separator == 0)
        folder = path.left(1); // a file in the root folder
    return dialogFolder(folder, canWrite);
}
