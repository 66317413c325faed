#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

// The command line of tessio-calc:
//   tessio-calc [--locale NAME] [--language NAME] [--csv] [--export FILE] [--pdf DIR] [--co2 KG_PER_KWH]
//               [--years N --rate PCT] [--summary] [--plant PLANT.csv]... CASE.WAU...

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
    QList<BatchInput> inputs;           // case files and plant files (--plant), in command-line order
    std::optional<double> co2;          // grid factor in kg CO2 per kWh: adds the CO2 column
    std::optional<int> years;           // with rate: adds NPV and IRR
    std::optional<double> rate;         // % a year
    bool summary = false;               // adds the totals row (and summary.pdf with --pdf)
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
