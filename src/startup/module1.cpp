#include "startup/module1.h"

#include "files/filecommands.h"
#include "mainwindow/generalerrorreport.h"
#include "platform/dialogs.h"
#include "platform/mousepointer.h"
#include "platform/platformerror.h"
#include "settings/regkeys.h"
#include "startup/casehandover.h"
#include "startup/mainprogram.h"
#include "startup/singleinstance.h"
#include "startup/truthtext.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace {

void showHourglass()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

// Steps 11 and 12. A stored text that is neither empty nor a truth value is a type mismatch.
void firstRunSetup(MainProgram &program, Dialogs &dialogs)
{
    const QString stored = GetKeyValue(RegHive::LocalMachine, SettingsKeyPath, RegValue::NotFirstTime);
    // The store keeps an empty value as one blank, which reads back as empty too.
    std::optional<bool> notFirstTime = false;
    if (!stored.trimmed().isEmpty())
        notFirstTime = truthFromText(stored);
    if (!notFirstTime) {
        showGeneralErrorReport(
            dialogs, &program.window(), program.window().textLookup(),
            {ErrorNumber::TypeMismatch, QCoreApplication::translate("PlatformError", "Type mismatch")});
        return;
    }
    if (*notFirstTime)
        return;
    program.setupCommand();
    SetKeyValue(RegHive::LocalMachine, SettingsKeyPath, RegValue::NotFirstTime, QStringLiteral("True"));
}

// 1, 2. Only one copy runs. False, with the exit code in result, when another copy runs.
bool takeTheOnlyCopy(const StartupServices &services, StartupResult &result)
{
    showHourglass();
    result.guard = std::make_unique<SingleInstanceGuard>(services.lockPath);
    if (result.guard->tryAcquire())
        return true;
    result.guard.reset();
    restoreDefaultPointer();
    // A double click on a case while a copy runs: that copy opens it, and this one ends quietly.
    if (!services.caseFile.isEmpty() && !services.handoverFolder.isEmpty()
        && CaseHandover::handOver(services.handoverFolder, services.caseFile, services.handoverWait)) {
        result.exitCode = StartupExit::HandedOver;
        return false;
    }
    services.dialogs.message(nullptr, Dialogs::Icon::Critical, services.executableName, alreadyRunningMessage());
    result.exitCode = StartupExit::AlreadyRunning;
    return false;
}

// 3 to 10. The main window, loaded without being shown, filled in and shown; nothing when it could not be
// loaded. Its load step reports its own errors, with the normal mouse pointer.
std::unique_ptr<MainProgram> showMainWindow(const StartupServices &services)
{
    showHourglass();
    auto program = std::make_unique<MainProgram>(services.dialogs, services.shell, services.programFolder,
                                                 services.locale);
    if (!program->load()) {
        restoreDefaultPointer();
        return nullptr;
    }

    // 5 to 8.
    program->loadCompanyBlock();
    program->clearCase();
    frmCalcRetorno &window = program->window();
    window.setWindowTitle(window.windowTitleFromLanguage());
    if (program->languageRemembered())
        window.cboIdioma_Click(); // the user's own pick, as the last session left it
    else
        window.setWebLinkCaption(program->company().VisitText);

    // 9, 10.
    restoreDefaultPointer();
    window.show();
    window.raise();
    window.activateWindow();
    return program;
}

} // namespace

StartupResult::StartupResult() = default;
StartupResult::StartupResult(StartupResult &&) noexcept = default;
StartupResult &StartupResult::operator=(StartupResult &&) noexcept = default;
StartupResult::~StartupResult() = default;

StartupResult Main(const StartupServices &services)
{
    StartupResult result;
    if (!takeTheOnlyCopy(services, result))
        return result;

    // Requests a crashed copy never took would open long-forgotten files now.
    if (!services.handoverFolder.isEmpty())
        CaseHandover::clearStaleRequests(services.handoverFolder);

    result.program = showMainWindow(services);
    if (!result.program) {
        result.guard.reset();
        // Nothing was shown: a program without a window would stay alive invisibly.
        result.exitCode = StartupExit::Failed;
        return result;
    }

    // 11, 12. From here on the window is shown, so the program goes on whatever happens. Files handed
    // over meanwhile are taken at once (their senders end) and opened after the command line's.
    result.program->listenForHandedOverFiles(services.handoverFolder);
    firstRunSetup(*result.program, services.dialogs);
    result.program->fileCommands().keepCase(); // nothing typed yet, whatever the setup changed
    if (!services.caseFile.isEmpty())
        result.program->openCaseFile(services.caseFile);
    result.program->openHandedOverFiles();
    return result;
}
