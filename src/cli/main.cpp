#include "cli/batchoptions.h"
#include "cli/batchrun.h"
#include "cli/consoledialogs.h"
#include "localisation/scrambledfile.h"
#include "plant/plantreport.h"
#include "platform/addbackslash.h"
#include "report/printerreport.h"
#include "report/qtreportprinter.h"
#include "settings/modcadastrovarnel.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

namespace {

// Whether the command line asks for reports (--pdf); read before the application object exists.
bool printsReports(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            return false;
        if (std::strncmp(argv[i], "--pdf", 5) == 0 || std::strncmp(argv[i], "-pdf", 4) == 0)
            return true;
    }
    return false;
}

// Printing needs fonts, and fonts need a GUI application; everything else runs on a plain core
// application, which starts faster and needs nothing of the window system.
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char *argv[])
{
    if (!printsReports(argc, argv))
        return std::make_unique<QCoreApplication>(argc, argv);
    // Reports are drawn into files: no window is ever shown, so no display is needed.
#ifndef Q_OS_WIN
    qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    // Windows' own platform needs no display either, and it has the system's fonts; its offscreen
    // platform has none there, so the reports would carry no text.
    return std::make_unique<QGuiApplication>(argc, argv);
}

// The help, the version or a usage error: the exit code, or nothing when the batch is to run.
std::optional<int> answer(const ParsedCommandLine &command, QTextStream &out, QTextStream &err)
{
    switch (command.action) {
    case ParsedCommandLine::Action::Help:
        out << command.text;
        return BatchExit::Ok;
    case ParsedCommandLine::Action::Version:
        out << command.text << '\n';
        return BatchExit::Ok;
    case ParsedCommandLine::Action::UsageError:
        err << "tessio-calc: " << command.text << '\n'
            << usageLine() << '\n'
            << "Try 'tessio-calc --help' for more information.\n";
        return BatchExit::Usage;
    case ParsedCommandLine::Action::Run:
        break;
    }
    return std::nullopt;
}

// The batch with the program's texts, the stored company block and currency, and reports printed to PDF.
int runFromProgramFolder(const BatchOptions &options, QTextStream &out, QTextStream &err)
{
    ConsoleDialogs dialogs(err);
    BatchContext context;
    context.dialogs = &dialogs;
    LoadLanguageTexts(context.texts, programFolder(), dialogs, nullptr);
    context.currency = startCurrency(LoadCompanyBlock(context.company));
    PrinterReport report(dialogs);
    context.printReport = [&report](const ReportInput &input, const QString &path, QString *error) {
        return printToPdf(
            path, [&](ReportPrinter &printer) { return report.cmdPrint_Click(printer, input); }, error);
    };
    PlantReport summary(dialogs);
    context.printSummary = [&summary](const PlantReportInput &input, const QString &path, QString *error) {
        return printToPdf(
            path, [&](ReportPrinter &printer) { return summary.print(printer, input); }, error);
    };
    return runBatch(options, context, out, err);
}

} // namespace

int main(int argc, char *argv[])
{
    const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Varnel"));
    QCoreApplication::setApplicationName(QStringLiteral("tessio-calc"));

#ifdef Q_OS_WIN
    // The bytes as written, as on every platform: the C runtime's text mode would turn the "\r\n" that
    // ends each CSV row into "\r\r\n".
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    QTextStream out(stdout);
    QTextStream err(stderr);
    const ParsedCommandLine command = parseCommandLine(QCoreApplication::arguments());
    if (const std::optional<int> exitCode = answer(command, out, err))
        return *exitCode;
    return runFromProgramFolder(command.options, out, err);
}
