#include "cli/batchoptions.h"

#include "plant/plantsettings.h"

#include <QCommandLineParser>

using namespace Qt::Literals::StringLiterals;

namespace {

using Action = ParsedCommandLine::Action;

const QString Description =
    u"Calculates the energy and money a variable-frequency drive saves for each case file (*.WAU),\n"
    "the same way the Tessio calculator does, and prints one line per case. The cases of a plant\n"
    "file (CSV, one motor a row) may be given with --plant, and the plant's totals with --summary.\n\n"
    "Examples:\n"
    "  tessio-calc pump.WAU fan.WAU\n"
    "  tessio-calc --csv --locale pt_BR --plant plant.csv extra.WAU\n"
    "  tessio-calc --co2 0.4 --plant plant.csv            (CO2 avoided a year, in tonnes)\n"
    "  tessio-calc --years 10 --rate 8 --plant plant.csv  (net present value and rate of return)\n"
    "  tessio-calc --years 10 --rate 8 --escalation 3 --budget 20000 --plant plant.csv\n"
    "                                   (energy prices rising 3 % a year; the drives 20,000 buy first)\n"
    "  tessio-calc --summary --pdf reports --plant plant.csv  (totals row and reports/summary.pdf)\n"
    "  tessio-calc --static-head 30 --min-speed 40 pump.WAU  (the system curve, see below)\n\n"
    "With --static-head the savings come from the system curve instead of the fixed table. It assumes\n"
    "that the pump's or fan's own efficiency and the drive's efficiency stay the same at every flow, and\n"
    "that without a drive the flow is throttled as the application's savings chart shows. At flow q (a\n"
    "share of full flow) the drive then takes q x max(h0 + (1 - h0) q^2, smin^2) / drive efficiency of\n"
    "the full-flow input power (h0 the static head, smin the minimum speed), and the hours at 100 %\n"
    "flow count too, where the drive only adds its own losses. The full-flow input power is a plant\n"
    "row's measured_kw, else the motor power divided by its efficiency. A saving may be negative.\n\n"
    "Numbers in options may be written with the decimal separator of --locale or with \".\".\n\n"
    "Exit status: 0 when every case computed, 1 when a case failed a check or could not be read,\n"
    "2 on a usage error."_s;

// The readers of the table's rows.

BatchOption::Reader switchOn(bool BatchOptions::*member)
{
    return [member](const QString &, BatchOptions &options) {
        options.*member = true;
        return QString();
    };
}

// A file or folder name, or a language name: anything but empty.
BatchOption::Reader nonEmpty(QString BatchOptions::*member, const QString &whenEmpty)
{
    return [member, whenEmpty](const QString &value, BatchOptions &options) {
        options.*member = value;
        return value.isEmpty() ? whenEmpty : QString();
    };
}

// A plant setting: the decimal separator of --locale or a decimal point, within the setting's range.
template <typename T>
BatchOption::Reader setting(PlantSetting setting, std::optional<T> BatchOptions::*member, const QString &refusal)
{
    return [setting, member, refusal](const QString &value, BatchOptions &options) {
        const std::optional<double> number = readSettingOption(setting, value, options.locale);
        if (!number)
            return refusal + value;
        options.*member = T(*number);
        return QString();
    };
}

// A locale name Qt knows. QLocale falls back to "C" for a name it does not know, so anything that ends
// there without asking for it is unknown.
QString readLocale(const QString &value, BatchOptions &options)
{
    const QLocale candidate(value);
    if (candidate.language() == QLocale::C && value != "C"_L1 && value != "POSIX"_L1)
        return u"Unknown locale: "_s + value;
    options.locale = candidate;
    return QString();
}

// A system-curve parameter in %, within its range: the decimal separator of --locale or a decimal point,
// no group separators. --static-head starts the system curve; the two that need it come after it in the
// table, so it is there when they are read.
BatchOption::Reader curveParameter(CurveParameter parameter, const QString &refusal)
{
    return [parameter, refusal](const QString &value, BatchOptions &options) {
        SystemCurveParameters curve = options.curve.value_or(SystemCurveParameters());
        for (QLocale locale : {options.locale, QLocale::c()}) {
            locale.setNumberOptions(QLocale::RejectGroupSeparator);
            if (setParameter(curve, parameter, value, locale)) {
                options.curve = curve;
                return QString();
            }
        }
        return refusal + value;
    };
}

QString readPlant(const QString &value, BatchOptions &options)
{
    if (value.isEmpty())
        return u"The plant file name is empty."_s;
    options.plants << value;
    return QString();
}

QString range(double from, double to)
{
    return QString::number(from) + u" to "_s + QString::number(to);
}

QString range(CurveParameter parameter)
{
    const ParameterRange limits = parameterRange(parameter);
    return range(limits.low, limits.high);
}

const BatchOption *findOption(const QList<BatchOption> &table, const QString &name)
{
    for (const BatchOption &option : table) {
        if (option.names.contains(name))
            return &option;
    }
    return nullptr;
}

QString longName(const BatchOption &option)
{
    return u"--"_s + option.names.last();
}

// What is wrong with the options given with option (which was given), if anything. Two options that need
// each other are named in the order of the table, whichever of them is missing.
QString companionError(const BatchOption &option, const QList<BatchOption> &table, const QCommandLineParser &parser)
{
    for (const QString &needed : option.needs) {
        if (parser.isSet(needed))
            continue;
        const BatchOption *other = findOption(table, needed);
        if (other && other->needs.contains(option.names.last())) {
            const bool first = &option < other;
            return u"%1 and %2 go together: give both or neither."_s.arg(longName(first ? option : *other),
                                                                          longName(first ? *other : option));
        }
        return u"%1 needs %2."_s.arg(longName(option), u"--"_s + needed);
    }
    for (const QString &excluded : option.excludes) {
        if (parser.isSet(excluded))
            return u"%1 and %2 cannot be given together."_s.arg(longName(option), u"--"_s + excluded);
    }
    return QString();
}

// The case and plant files in the order the command line gives them. Options with a value take the next
// argument unless written "--name=value"; after "--" everything is a case file.
QList<BatchInput> orderedInputs(const QStringList &arguments, const QList<BatchOption> &table,
                                const BatchOptions &options)
{
    QList<BatchInput> inputs;
    qsizetype file = 0;
    qsizetype plant = 0;
    bool onlyFiles = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (!onlyFiles && argument == "--"_L1) {
            onlyFiles = true;
            continue;
        }
        if (!onlyFiles && argument.startsWith(u'-') && argument.size() > 1) {
            QString name = argument.mid(argument.startsWith("--"_L1) ? 2 : 1);
            const bool inlineValue = name.contains(u'=');
            name = name.section(u'=', 0, 0);
            if (name == "plant"_L1 && plant < options.plants.size())
                inputs << BatchInput{options.plants[plant++], true};
            const BatchOption *option = findOption(table, name);
            if (option && !option->valueName.isEmpty() && !inlineValue)
                ++i;
            continue;
        }
        if (file < options.files.size())
            inputs << BatchInput{options.files[file++], false};
    }
    return inputs;
}

ParsedCommandLine usageError(const QString &text)
{
    ParsedCommandLine result;
    result.action = Action::UsageError;
    result.text = text;
    return result;
}

QCommandLineOption commandLineOption(const BatchOption &option)
{
    return QCommandLineOption(option.names, option.help, option.valueName);
}

// Reads the options given, in the order of the table; an error, an action or nothing.
std::optional<ParsedCommandLine> readOptions(const QCommandLineParser &parser, const QList<BatchOption> &table,
                                             BatchOptions &options)
{
    for (const BatchOption &option : table) {
        const QString name = option.names.last();
        if (!parser.isSet(name))
            continue;
        if (option.action != Action::Run) {
            ParsedCommandLine result;
            result.action = option.action;
            result.text = option.action == Action::Help ? parser.helpText() : versionLine();
            return result;
        }
        if (const QString error = companionError(option, table, parser); !error.isEmpty())
            return usageError(error);
        const QStringList values = option.valueName.isEmpty() ? QStringList{QString()}
                                   : option.repeated          ? parser.values(name)
                                                              : QStringList{parser.value(name)};
        for (const QString &value : values) {
            if (const QString error = option.read(value, options); !error.isEmpty())
                return usageError(error);
        }
    }
    return std::nullopt;
}

} // namespace

const QList<BatchOption> &batchOptionTable()
{
    namespace Limit = PlantLimits;
    static const QList<BatchOption> table{
        {.names = {u"h"_s, u"help"_s}, .help = u"Shows this help."_s, .action = Action::Help},
        {.names = {u"v"_s, u"version"_s}, .help = u"Shows the version."_s, .action = Action::Version},
        {.names = {u"locale"_s},
         .valueName = u"name"_s,
         .help = u"Regional format for reading case texts and writing results (en_US, pt_BR, de_DE, ...). "
                 "Default: the system's."_s,
         .read = readLocale},
        {.names = {u"language"_s},
         .valueName = u"name"_s,
         .help = u"Language of texts and messages (Português, Español, English). Default: the default language "
                 "of the program's texts."_s,
         .read = nonEmpty(&BatchOptions::language, u"The language name is empty."_s)},
        {.names = {u"csv"_s},
         .help = u"Writes CSV with the columns file, application, efficiency, kwh, money, months and message."_s,
         .read = switchOn(&BatchOptions::csv)},
        {.names = {u"export"_s},
         .valueName = u"file"_s,
         .help = u"Appends the text export of every computed case to file (by the fixed table: the text export has "
                 "no other form)."_s,
         .read = nonEmpty(&BatchOptions::exportFile, u"The export file name is empty."_s)},
        {.names = {u"pdf"_s},
         .valueName = u"dir"_s,
         .help = u"Prints the report of every computed case to dir/<case name>.pdf."_s,
         .read = nonEmpty(&BatchOptions::pdfDir, u"The PDF folder name is empty."_s)},
        {.names = {u"co2"_s},
         .valueName = u"kg_per_kwh"_s,
         .help = u"Adds the CO2 avoided a year in tonnes (column co2_t) at this grid emission factor in kg CO2 per "
                 "kWh, %1 (e.g. 0.4). Default: the co2_factor of the first plant file that has one."_s
                     .arg(range(0, Limit::MaxGridFactor)),
         .read = setting(PlantSetting::GridFactor, &BatchOptions::co2,
                         u"The grid factor must be a number from %1: "_s.arg(range(0, Limit::MaxGridFactor)))},
        {.names = {u"years"_s},
         .valueName = u"n"_s,
         .help = u"With --rate: adds the net present value, the internal rate of return and the discounted payback "
                 "in years (columns npv, irr, disc_payback) over this many years, %1. Default: the years and rate "
                 "of the first plant file that has them."_s
                     .arg(range(Limit::MinYears, Limit::MaxYears)),
         .read = setting(PlantSetting::Years, &BatchOptions::years,
                         u"The period must be a whole number of years from %1: "_s.arg(
                             range(Limit::MinYears, Limit::MaxYears))),
         .needs = {u"rate"_s}},
        {.names = {u"rate"_s},
         .valueName = u"pct"_s,
         .help = u"With --years: the discount rate in % a year, %1."_s.arg(range(0, Limit::MaxRate)),
         .read = setting(PlantSetting::Rate, &BatchOptions::rate,
                         u"The discount rate must be a number from %1: "_s.arg(range(0, Limit::MaxRate))),
         .needs = {u"years"_s}},
        {.names = {u"escalation"_s},
         .valueName = u"pct"_s,
         .help = u"With --years and --rate: the rise of the energy price in % a year, %1, in npv, irr and "
                 "disc_payback. Default: the escalation of the first plant file that has one, else 0."_s
                     .arg(range(0, Limit::MaxEscalation)),
         .read = setting(PlantSetting::Escalation, &BatchOptions::escalation,
                         u"The rise of the energy price must be a number from %1: "_s.arg(
                             range(0, Limit::MaxEscalation))),
         .needs = {u"years"_s, u"rate"_s}},
        {.names = {u"budget"_s},
         .valueName = u"amount"_s,
         .help = u"Adds the column in_budget: \"yes\" for the drives this amount buys first, shortest payback "
                 "first, and the row BUDGET with their kWh, money and months. Default: the budget of the first "
                 "plant file that has one."_s,
         .read = setting(PlantSetting::Budget, &BatchOptions::budget,
                         u"The budget must be an amount of 0 or more: "_s)},
        {.names = {u"summary"_s},
         .help = u"Adds a totals row (file TOTAL) for the whole plant; with --pdf also prints the plant summary to "
                 "dir/summary.pdf."_s,
         .read = switchOn(&BatchOptions::summary)},
        {.names = {u"plant"_s},
         .valueName = u"file.csv"_s,
         .help = u"Calculates every row of a plant file (CSV), shown as file:line. May be given more than once and "
                 "mixed with case files."_s,
         .read = readPlant,
         .repeated = true,
         .usageValue = u"PLANT.csv"_s},
        {.names = {u"static-head"_s},
         .valueName = u"pct"_s,
         .help = u"Computes every case file, and every plant row without a static_head of its own, on the system "
                 "curve with this static head in % of the head at full flow, %1, and adds the columns static_head, "
                 "drive_efficiency, min_speed and base_kw."_s.arg(range(CurveParameter::StaticHead)),
         .read = curveParameter(CurveParameter::StaticHead,
                                u"The static head must be a number from %1: "_s.arg(range(CurveParameter::StaticHead)))},
        {.names = {u"drive-efficiency"_s},
         .valueName = u"pct"_s,
         .help = u"With --static-head: the drive's efficiency in %, %1. Default: %2."_s.arg(
             range(CurveParameter::DriveEfficiency), QString::number(SystemCurveParameters().driveEfficiencyPercent)),
         .read = curveParameter(CurveParameter::DriveEfficiency, u"The drive efficiency must be a number from %1: "_s.arg(
                                                                     range(CurveParameter::DriveEfficiency))),
         .needs = {u"static-head"_s}},
        {.names = {u"min-speed"_s},
         .valueName = u"pct"_s,
         .help = u"With --static-head: the drive's minimum speed in % of full speed, %1. Default: %2."_s.arg(
             range(CurveParameter::MinSpeed), QString::number(SystemCurveParameters().minSpeedPercent)),
         .read = curveParameter(CurveParameter::MinSpeed,
                                u"The minimum speed must be a number from %1: "_s.arg(range(CurveParameter::MinSpeed))),
         .needs = {u"static-head"_s}},
    };
    return table;
}

QString versionLine()
{
    return QStringLiteral("tessio-calc " TESSIO_VERSION);
}

ParsedCommandLine parseCommandLine(const QStringList &arguments, const QList<BatchOption> &table)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(Description);
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const BatchOption &option : table)
        parser.addOption(commandLineOption(option));
    parser.addPositionalArgument(u"cases"_s, u"Case files to calculate."_s, u"CASE.WAU..."_s);
    if (!parser.parse(arguments))
        return usageError(parser.errorText());

    ParsedCommandLine result;
    BatchOptions &options = result.options;
    if (std::optional<ParsedCommandLine> answer = readOptions(parser, table, options))
        return *answer;
    options.files = parser.positionalArguments();
    options.inputs = orderedInputs(arguments, table, options);
    if (options.inputs.isEmpty())
        return usageError(u"No case file given."_s);
    return result;
}

QString usageLine(const QList<BatchOption> &table)
{
    QString line = u"Usage: tessio-calc"_s;
    for (const BatchOption &option : table) {
        if (option.action != Action::Run)
            continue;
        QString usage = longName(option);
        if (!option.valueName.isEmpty())
            usage += u' ' + (option.usageValue.isEmpty() ? option.valueName.toUpper() : option.usageValue);
        // Options that need each other share one pair of brackets.
        const BatchOption *previous = &option == table.constData() ? nullptr : &option - 1;
        if (previous && previous->needs.contains(option.names.last()) && option.needs.contains(previous->names.last()))
            line.insert(line.size() - 1, u' ' + usage);
        else
            line += u" ["_s + usage + u']';
        if (option.repeated)
            line += u"..."_s;
    }
    return line + u" CASE.WAU..."_s;
}
