#include "startup/singleinstance.h"

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
    return QDir(QDir::tempPath()).filePath(QStringLiteral("tessio-%1.lock").arg(qEnvironmentVariable("USER")));
}

QString alreadyRunningMessage()
{
    return QStringLiteral("A aplicação já se encontra aberta!\r\nThe application is already open!\r\n"
                          "¡La aplicación está abierta!");
}
