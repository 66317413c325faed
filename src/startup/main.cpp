#include "platform/addbackslash.h"
#include "platform/qtdialogs.h"
#include "platform/qtshell.h"
#include "startup/casehandover.h"
#include "startup/commandline.h"
#include "startup/module1.h"
#include "startup/singleinstance.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Varnel"));
    QApplication::setApplicationName(QStringLiteral("Tessio"));

    QtDialogs dialogs;
    QtShell shell;
    const StartupServices services{dialogs,
                                   shell,
                                   programFolder(),
                                   SingleInstanceGuard::defaultLockPath(),
                                   QFileInfo(QApplication::applicationFilePath()).baseName(),
                                   QLocale::system(),
                                   caseFileArgument(QApplication::arguments(), QDir::currentPath()),
                                   CaseHandover::defaultFolder()};
    const StartupResult started = Main(services);
    if (!started.goesOn())
        return started.exitCode;
    return QApplication::exec();
}
