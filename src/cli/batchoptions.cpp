#include "cli/batchoptions.h"

#include "plant/plantsettings.h"

#include <QCommandLineParser>

namespace {

// A locale name Qt knows. QLocale falls back to "C" for a name it does not know, so anything that ends
// there without asking for it is unknown.
bool knownLocale(const QString &name, QLocale *locale)
{
    const QLocale candidate(name);
    const bool asksForC = name == QLatin1String("C") || name == QLatin1String("POSIX");
    if (candidate.language() == QLocale::C && !asksForC)
        return false;
    *locale = candidate;
    return true;
}

// The case and plant files in the order the command line gives them. Options with a value take the next
// argument unless written "--name=value"; after "--" everything is a case file.
QList<BatchInput> orderedInputs(const QStringList &arguments, const QStringList &files, const QStringList &plants)
{
    static const QStringList withValue{QStringLiteral("locale"), QStringLiteral("language"), QStringLiteral("export"),
                                       QStringLiteral("pdf"),    QStringLiteral("co2"),      QStringLiteral("years"),
                                       QStringLiteral("rate"),   QStringLiteral("plant")};
    QList<BatchInput> inputs;
    qsizetype file = 0;
    qsizetype plant = 0;
    bool onlyFiles = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (!onlyFiles && argument == QLatin1String("--")) {
            onlyFiles = true;
            continue;
        }
        if (!onlyFiles && argument.startsWith(u'-') && argument.size() > 1) {
            QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
            const bool inlineValue = name.contains(u'=');
            name = name.section(u'=', 0, 0);
            if (name == QLatin1String("plant") && plant < plants.size())
                inputs << BatchInput{plants[plant++], true};
            if (withValue.contains(name) && !inlineValue)
                ++i;
            continue;
        }
        if (file < files.size())
            inputs << BatchInput{files[file++], false};
    }
    return inputs;
}

} // namespace

QString versionLine()
{
    return QStringLiteral("tessio-calc " TESSIO_VERSION);
}

ParsedCommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Calculates the energy and money a variable-frequency drive saves for each case file (*.WAU),\n"
        "the same way the Tessio calculator does, and prints one line per case. The cases of a plant\n"
        "file (CSV, one motor a row) may be given with --plant, and the plant's totals with --summary.\n\n"
        "Examples:\n"
        "  tessio-calc pump.WAU fan.WAU\n"
        "  tessio-calc --csv --locale pt_BR --plant plant.csv extra.WAU\n"
        "  tessio-calc --co2 0.4 --plant plant.csv            (CO2 avoided a year, in tonnes)\n"
        "  tessio-calc --years 10 --rate 8 --plant plant.csv  (net present value and rate of return)\n"
        "  tessio-calc --summary --pdf reports --plant plant.csv  (totals row and reports/summary.pdf)\n\n"
        "Numbers in options may be written with the decimal separator of --locale or with \".\".\n\n"
        "Exit status: 0 when every case computed, 1 when a case failed a check or could not be read,\n"
        "2 on a usage error."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Shows this help."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Shows the version."));
    const QCommandLineOption locale(QStringLiteral("locale"),
                                    QStringLiteral("Regional format for reading case texts and writing results "
                                                   "(en_US, pt_BR, de_DE, ...). Default: the system's."),
                                    QStringLiteral("name"));
    const QCommandLineOption language(QStringLiteral("language"),
                                      QStringLiteral("Language of texts and messages (Português, Español, English). "
                                                     "Default: the default language of the program's texts."),
                                      QStringLiteral("name"));
    const QCommandLineOption csv(QStringLiteral("csv"),
                                 QStringLiteral("Writes CSV (file,application,efficiency,kwh,money,months,message)."));
    const QCommandLineOption exportFile(QStringLiteral("export"),
                                        QStringLiteral("Appends the text export of every computed case to file."),
                                        QStringLiteral("file"));
    const QCommandLineOption pdf(QStringLiteral("pdf"),
                                 QStringLiteral("Prints the report of every computed case to dir/<case name>.pdf."),
                                 QStringLiteral("dir"));
    const QCommandLineOption co2(QStringLiteral("co2"),
                                 QStringLiteral("Adds the CO2 avoided a year in tonnes (column co2_t) at this grid "
                                                "emission factor in kg CO2 per kWh, 0 to 2 (e.g. 0.4). Default: the "
                                                "co2_factor of the first plant file that has one."),
                                 QStringLiteral("kg_per_kwh"));
    const QCommandLineOption years(QStringLiteral("years"),
                                   QStringLiteral("With --rate: adds the net present value and the internal rate of "
                                                  "return (columns npv, irr) over this many years, 1 to 50. Default: "
                                                  "the years and rate of the first plant file that has them."),
                                   QStringLiteral("n"));
    const QCommandLineOption rate(QStringLiteral("rate"),
                                  QStringLiteral("With --years: the discount rate in % a year, 0 to 100."),
                                  QStringLiteral("pct"));
    const QCommandLineOption summary(QStringLiteral("summary"),
                                     QStringLiteral("Adds a totals row (file TOTAL) for the whole plant; with --pdf "
                                                    "also prints the plant summary to dir/summary.pdf."));
    const QCommandLineOption plant(QStringLiteral("plant"),
                                   QStringLiteral("Calculates every row of a plant file (CSV), shown as file:line. "
                                                  "May be given more than once and mixed with case files."),
                                   QStringLiteral("file.csv"));
    parser.addOptions({help, version, locale, language, csv, exportFile, pdf, co2, years, rate, summary, plant});
    parser.addPositionalArgument(QStringLiteral("cases"), QStringLiteral("Case files to calculate."),
                                 QStringLiteral("CASE.WAU..."));

    ParsedCommandLine result;
    const auto usageError = [&result](const QString &text) {
        result.action = ParsedCommandLine::Action::UsageError;
        result.text = text;
        return result;
    };
    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (parser.isSet(help)) {
        result.action = ParsedCommandLine::Action::Help;
        result.text = parser.helpText();
        return result;
    }
    if (parser.isSet(version)) {
        result.action = ParsedCommandLine::Action::Version;
        result.text = versionLine();
        return result;
    }

    BatchOptions &options = result.options;
    if (parser.isSet(locale) && !knownLocale(parser.value(locale), &options.locale))
        return usageError(QStringLiteral("Unknown locale: %1").arg(parser.value(locale)));
    options.language = parser.value(language);
    if (parser.isSet(language) && options.language.isEmpty())
        return usageError(QStringLiteral("The language name is empty."));
    options.csv = parser.isSet(csv);
    options.exportFile = parser.value(exportFile);
    if (parser.isSet(exportFile) && options.exportFile.isEmpty())
        return usageError(QStringLiteral("The export file name is empty."));
    options.pdfDir = parser.value(pdf);
    if (parser.isSet(pdf) && options.pdfDir.isEmpty())
        return usageError(QStringLiteral("The PDF folder name is empty."));
    // Numbers in options: the decimal separator of --locale, or a decimal point.
    if (parser.isSet(co2)) {
        options.co2 = readSettingOption(PlantSetting::GridFactor, parser.value(co2), options.locale);
        if (!options.co2)
            return usageError(QStringLiteral("The grid factor must be a number from 0 to 2: %1").arg(parser.value(co2)));
    }
    if (parser.isSet(years) != parser.isSet(rate))
        return usageError(QStringLiteral("--years and --rate go together: give both or neither."));
    if (parser.isSet(years)) {
        const std::optional<double> n = readSettingOption(PlantSetting::Years, parser.value(years), options.locale);
        if (!n)
            return usageError(QStringLiteral("The period must be a whole number of years from 1 to 50: %1")
                                  .arg(parser.value(years)));
        options.rate = readSettingOption(PlantSetting::Rate, parser.value(rate), options.locale);
        if (!options.rate)
            return usageError(QStringLiteral("The discount rate must be a number from 0 to 100: %1").arg(parser.value(rate)));
        options.years = int(*n);
    }
    options.summary = parser.isSet(summary);
    const QStringList plants = parser.values(plant);
    if (plants.contains(QString()))
        return usageError(QStringLiteral("The plant file name is empty."));
    options.files = parser.positionalArguments();
    options.inputs = orderedInputs(arguments, options.files, plants);
    if (options.inputs.isEmpty())
        return usageError(QStringLiteral("No case file given."));
    return result;
}
