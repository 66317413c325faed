#include "startup/casehandover.h"

#include "startup/singleinstance.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTimer>
#include <QUuid>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace {

const QString RequestPattern = QStringLiteral("*.request");
const QString ClaimedSuffix = QStringLiteral(".taken");
constexpr qint64 MaxRequestBytes = 64 * 1024;
// How often a waiting sender looks whether its request was taken, and how often an inbox that cannot be
// watched (the system's watches used up) looks for requests.
constexpr std::chrono::milliseconds SenderPoll{50};
constexpr std::chrono::milliseconds InboxPoll{1000};

// The inbox exists and only its owner, the current user, may read it or drop requests into it (the
// temporary folder may be shared by every user of the machine).
bool ensureInbox(const QString &folder)
{
    if (!QDir().mkpath(folder))
        return false;
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QFileInfo info(folder);
    if (!info.isDir() || info.isSymLink())
        return false;
#ifdef Q_OS_UNIX
    const auto others =
        QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;
    return info.ownerId() == ::geteuid() && !(info.permissions() & others);
#else
    return true;
#endif
}

} // namespace

namespace CaseHandover {

QString defaultFolder()
{
    QString path = SingleInstanceGuard::defaultLockPath();
    path.chop(QStringLiteral(".lock").size());
    return path + QStringLiteral(".inbox");
}

void clearStaleRequests(const QString &folder)
{
    QDir inbox(folder);
    const QStringList patterns{RequestPattern, QLatin1Char('*') + ClaimedSuffix};
    for (const QString &name : inbox.entryList(patterns, QDir::Files))
        inbox.remove(name);
}

bool handOver(const QString &folder, const QString &caseFile, std::chrono::milliseconds timeout)
{
    if (!ensureInbox(folder))
        return false;
    const QString request =
        QDir(folder).filePath(QUuid::createUuid().toString(QUuid::Id128) + RequestPattern.mid(1));
    QSaveFile file(request);
    if (!file.open(QIODevice::WriteOnly) || file.write(caseFile.toUtf8()) < 0 || !file.commit())
        return false;
#ifdef Q_OS_WIN
    // Windows lets a program come to the front only with the consent of the foreground program, which is
    // this copy, just started by the user's double click.
    AllowSetForegroundWindow(ASFW_ANY);
#endif

    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!QFileInfo::exists(request))
            loop.quit();
    });
    QTimer::singleShot(timeout, &loop, &QEventLoop::quit);
    poll.start(SenderPoll);
    if (QFileInfo::exists(request))
        loop.exec();
    // Whoever removes the request owns it: withdrawn here means that nobody took it.
    if (QFile::remove(request))
        return false;
    return !QFileInfo::exists(request);
}

} // namespace CaseHandover

HandoverInbox::HandoverInbox(const QString &folder, QObject *parent)
    : QObject(parent), m_folder(folder)
{
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &HandoverInbox::takeRequests);
}

bool HandoverInbox::listen()
{
    if (!ensureInbox(m_folder))
        return false;
    if (!m_watcher.addPath(m_folder)) {
        auto *poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, &HandoverInbox::takeRequests);
        poll->start(InboxPoll);
    }
    takeRequests();
    return true;
}

void HandoverInbox::takeRequests()
{
    const QFileInfoList requests =
        QDir(m_folder).entryInfoList({RequestPattern}, QDir::Files, QDir::Time | QDir::Reversed);
    for (const QFileInfo &request : requests) {
        // Renaming claims the request; one that its sender withdrew meanwhile is simply gone.
        const QString claimed = request.absoluteFilePath() + ClaimedSuffix;
        if (!QFile::rename(request.absoluteFilePath(), claimed))
            continue;
        QFile file(claimed);
        QString path;
        if (file.open(QIODevice::ReadOnly))
            path = QString::fromUtf8(file.read(MaxRequestBytes));
        file.close();
        file.remove();
        // A request names one absolute path; anything else is not a case file to open.
        if (!path.isEmpty() && !path.contains(u'\n') && QDir::isAbsolutePath(path))
            emit caseFileHandedOver(path);
    }
}
