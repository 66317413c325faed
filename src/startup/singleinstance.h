#pragma once

#include <QLockFile>
#include <QString>

// Lets only one copy of the program run per user. The lock file lies in the temporary folder; a lock
// left behind by a copy that crashed is taken over.
class SingleInstanceGuard
{
public:
    explicit SingleInstanceGuard(const QString &lockPath = defaultLockPath());
    bool tryAcquire();
    static QString defaultLockPath();

private:
    QLockFile m_lock;
};

// The message a second copy shows, in the three languages, before it ends.
QString alreadyRunningMessage();
