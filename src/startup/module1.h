#pragma once

#include <QLocale>
#include <QString>

#include <chrono>
#include <memory>

class Dialogs;
class MainProgram;
class Shell;
class SingleInstanceGuard;

// Everything start-up takes from the platform, so that tests can run it with fakes, a private lock
// and the data files of their choice.
struct StartupServices
{
    Dialogs &dialogs;
    Shell &shell;
    QString programFolder;  // where Config.ini and fSetup.ini lie
    QString lockPath;       // the single-instance lock file
    QString executableName; // title of the message a second copy shows
    QLocale locale;         // reads and writes every number
    QString caseFile;       // named on the command line: opened once start-up is complete; may be empty
    // Where a copy started with a case file hands it to the copy that runs (CaseHandover); empty: the
    // file is not handed over. The wait is how long a second copy waits for the running copy to take it.
    QString handoverFolder{};
    std::chrono::milliseconds handoverWait{10000};
};

// Exit codes of a start that ends at once.
namespace StartupExit {
inline constexpr int HandedOver = 0;     // another copy runs and took the case file named here
inline constexpr int AlreadyRunning = 2; // another copy runs; its message was shown
inline constexpr int Failed = 1;         // the main window was never shown; its message said why
} // namespace StartupExit

// What Main leaves behind. While `program` is set the program goes on (run the event loop); the
// guard keeps other copies out until it is destroyed, after the program.
struct StartupResult
{
    int exitCode = 0;
    std::unique_ptr<SingleInstanceGuard> guard;
    std::unique_ptr<MainProgram> program;

    StartupResult();
    StartupResult(StartupResult &&) noexcept;
    StartupResult &operator=(StartupResult &&) noexcept;
    ~StartupResult();
    bool goesOn() const { return program != nullptr; }
};

// Module1.Main, the start of the program:
//  1. hourglass pointer;
//  2. a copy already running: a case file named on the command line is handed over to it, and the end
//     without a word (exit code HandedOver); without a file, or when the running copy does not take it
//     within the wait, the three-language message titled with the executable's name, and the end (exit
//     code AlreadyRunning); a lock left by a crashed copy is taken over, and so are its requests;
//  3, 4. the main window loaded hidden, frmSplash showing the decoding of Config.ini;
//  5. the company block from the settings store, its currency selected in cboMoedas;
//  6. the Clear command;  7. the window title of the default language again;
//  8. the web link caption from the company block, except that a language remembered from the last
//     session is applied whole, as a pick applies it, its link and address included;
//  9. the default pointer;  10. the window shown;
//  11, 12. NotFirstTime: empty or false opens the setup window over the main window and then stores
//     "True", whatever the user did in it;
//  then the case file named on the command line, opened as Open does; files handed over by later copies
//  are taken from the moment the window is shown and opened from here on, each as Open does (a
//  changed case asked about first), with the window brought to the front.
// Every message of start-up appears with the default pointer. A Config.ini that cannot be read or names
// no language shows one message in the three languages naming the file. An error of a later step shows
// the general error report and ends start-up there.
// Before the main window was shown that ends the program (exit code Failed); afterwards the shown
// window stays usable and the program goes on.
StartupResult Main(const StartupServices &services);
