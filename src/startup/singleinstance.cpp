#include "startup/singleinstance.h"

#include <QCryptographicHash>
#include <QDir>

SingleInstanceGuard::SingleInstanceGuard(const QString &lockPath)
    : m_lock(lockPath)
{
}

bool SingleInstanceGuard::tryAcquire()
{
    // tryLock(0) removes a lock whose owner no longer runs and takes it.
    return m_lock.tryLock(0);
}

QString SingleInstanceGuard::defaultLockPath()
{
    // One lock per user: the temporary folder may be shared, the home folder is not.
    const QByteArray home = QDir::homePath().toUtf8();
    const QString user = QString::fromLatin1(QCryptographicHash::hash(home, QCryptographicHash::Sha1).toHex().left(12));
    return QDir(QDir::tempPath()).filePath(QStringLiteral("tessio-%1.lock").arg(user));
}

QString alreadyRunningMessage()
{
    return QStringLiteral("A aplicação já se encontra aberta!\r\nThe application is already open!\r\n"
                          "¡La aplicación está abierta!");
}
