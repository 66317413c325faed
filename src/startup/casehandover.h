#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>

#include <chrono>

// A case file handed from a copy of the program started with it (a double click while Tessio runs) to
// the copy that runs already, which opens it.
//
// The running copy keeps an inbox: a folder per user beside the single-instance lock, which it watches.
// A second copy drops one request in it, a file "<id>.request" holding the case file's path (UTF-8,
// written whole through QSaveFile), and waits. The running copy claims a request by renaming it, reads
// it and removes it; the second copy sees its request gone and ends. A request nobody claims within the
// wait is withdrawn by its sender (removed), so exactly one side owns every request.
// Files and a folder watch rather than a local socket: the Windows build's Qt has no network module,
// and this works alike on both systems. A copy that crashed leaves at most a stale lock (QLockFile
// takes it over) and old requests, which the next copy clears before it listens.
namespace CaseHandover {

// The inbox of the current user, beside the single-instance lock in the temporary folder.
QString defaultFolder();

// Removes every request left in the inbox; the copy that takes the lock calls it before it listens.
void clearStaleRequests(const QString &folder);

// Hands caseFile to the copy that listens on folder: true once that copy claimed the request within
// timeout (events are processed meanwhile); false when nobody did (the request is withdrawn) or the
// request could not be written.
bool handOver(const QString &folder, const QString &caseFile, std::chrono::milliseconds timeout);

} // namespace CaseHandover

// The running copy's side: claims the requests in the inbox, those waiting when it starts to listen and
// every later one, and announces each case file once, in the order the requests came.
class HandoverInbox : public QObject
{
    Q_OBJECT
public:
    explicit HandoverInbox(const QString &folder, QObject *parent = nullptr);

    // Creates the inbox (only its owner may use it), takes what waits in it and watches it. False when
    // the folder cannot be made the user's own: nothing is then handed over.
    bool listen();

signals:
    void caseFileHandedOver(const QString &path);

private:
    void takeRequests();

    QString m_folder;
    QFileSystemWatcher m_watcher;
};
