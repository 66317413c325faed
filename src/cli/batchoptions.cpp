#include "cli/batchoptions.h"

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
        "the same way the Tessio calculator does, and prints one line per case.\n\n"
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
    parser.addOptions({help, version, locale, language, csv, exportFile, pdf});
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
    options.files = parser.positionalArguments();
    if (options.files.isEmpty())
        return usageError(QStringLiteral("No case file given."));
    return result;
}
