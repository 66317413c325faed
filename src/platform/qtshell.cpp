#include "platform/qtshell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

void QtShell::open(const QString &target)
{
    const QUrl url = QFileInfo::exists(target) ? QUrl::fromLocalFile(target) : QUrl::fromUserInput(target);
    QDesktopServices::openUrl(url);
}
