#pragma once

#include "calc/systemcurve.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The command line of tessio-calc: its options are the rows of batchOptionTable(), which the parser, --help,
// the usage line and the manual page (written from --help) read.

// One input of the batch, in command-line order: a case file or a plant file.
struct BatchInput
{
    QString path;
    bool plant = false;
    bool operator==(const BatchInput &) const = default;
};

struct BatchOptions
{
    QLocale locale = QLocale::system(); // regional format for reading case texts and writing results
    QString language;                   // a language name of text 0; empty: the texts' default language
    bool csv = false;
    QString exportFile;                 // append the text export of every computed case here
    QString pdfDir;                     // print the report of every computed case into this folder
    QStringList files;                  // the case files (*.WAU), in their order
    QStringList plants;                 // the plant files (--plant), in their order
    QList<BatchInput> inputs;           // case files and plant files, in command-line order
    std::optional<double> co2;          // grid factor in kg CO2 per kWh: adds the CO2 column
    std::optional<int> years;           // with rate: adds NPV and IRR
    std::optional<double> rate;         // % a year
    std::optional<double> escalation;   // with years and rate: the rise of the energy price, % a year
    std::optional<double> budget;       // adds in_budget and the row BUDGET
    bool summary = false;               // adds the totals row (and summary.pdf with --pdf)
    // --static-head, --drive-efficiency, --min-speed: the system curve of every case file and of every
    // plant row without a static head of its own; nothing: the fixed table.
    std::optional<SystemCurveParameters> curve;
};

struct ParsedCommandLine
{
    enum class Action { Run, Help, Version, UsageError };
    Action action = Action::Run;
    BatchOptions options;
    // Help: the help text; Version: the version line; UsageError: what is wrong.
    QString text;
};

// One option of tessio-calc.
struct BatchOption
{
    // Puts the value (empty for a switch) into options; returns what is wrong with it, empty when nothing.
    // Options are read in the order of the table, so a number finds --locale already read.
    using Reader = std::function<QString(const QString &value, BatchOptions &options)>;

    QStringList names{};      // {"h", "help"}; the last one names the option in messages and the usage line
    QString valueName{};      // "<name>" in the help; empty: a switch
    QString help{};
    Reader read{};            // empty for an option that answers at once (action)
    QStringList needs{};      // options it is given only with; two that need each other go together
    QStringList excludes{};   // options it is never given with
    bool repeated = false;    // every value is read, in order; otherwise the last one given
    QString usageValue{};     // the value's name in the usage line; empty: valueName in capitals
    ParsedCommandLine::Action action = ParsedCommandLine::Action::Run; // Help or Version: nothing else is read
};

// The options of tessio-calc, in the order --help lists them.
const QList<BatchOption> &batchOptionTable();

// Reads the arguments (the program name first, as in argv) with the options of table. Exit codes belong
// to the caller.
ParsedCommandLine parseCommandLine(const QStringList &arguments, const QList<BatchOption> &table = batchOptionTable());

// "Usage: tessio-calc [--locale NAME] ... CASE.WAU..." from the options of table.
QString usageLine(const QList<BatchOption> &table = batchOptionTable());

// Exit codes of tessio-calc.
namespace BatchExit {
inline constexpr int Ok = 0;
inline constexpr int CaseFailed = 1;
inline constexpr int Usage = 2;
} // namespace BatchExit

// "tessio-calc 1.0.0"
QString versionLine();
