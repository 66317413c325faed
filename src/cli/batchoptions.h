#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

// The command line of tessio-calc:
//   tessio-calc [--locale NAME] [--language NAME] [--csv] [--export FILE] [--pdf DIR] CASE.WAU...
struct BatchOptions
{
    QLocale locale = QLocale::system(); // regional format for reading case texts and writing results
    QString language;                   // a language name of text 0; empty: the texts' default language
    bool csv = false;
    QString exportFile;                 // append the text export of every computed case here
    QString pdfDir;                     // print the report of every computed case into this folder
    QStringList files;
};

struct ParsedCommandLine
{
    enum class Action { Run, Help, Version, UsageError };
    Action action = Action::Run;
    BatchOptions options;
    // Help: the help text; Version: the version line; UsageError: what is wrong.
    QString text;
};

// Reads the arguments (the program name first, as in argv). Exit codes belong to the caller.
ParsedCommandLine parseCommandLine(const QStringList &arguments);

// Exit codes of tessio-calc.
namespace BatchExit {
inline constexpr int Ok = 0;
inline constexpr int CaseFailed = 1;
inline constexpr int Usage = 2;
} // namespace BatchExit

// "tessio-calc 1.0.0"
QString versionLine();
