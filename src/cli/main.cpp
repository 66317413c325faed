#include "cli/batchoptions.h"
#include "cli/batchrun.h"
#include "cli/consoledialogs.h"
#include "localisation/scrambledfile.h"
#include "settings/modcadastrovarnel.h"
#include "startup/addbackslash.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Varnel"));
    QCoreApplication::setApplicationName(QStringLiteral("tessio-calc"));

    QTextStream out(stdout);
    QTextStream err(stderr);
    const ParsedCommandLine command = parseCommandLine(QCoreApplication::arguments());
    switch (command.action) {
    case ParsedCommandLine::Action::Help:
        out << command.text;
        return BatchExit::Ok;
    case ParsedCommandLine::Action::Version:
        out << command.text << '\n';
        return BatchExit::Ok;
    case ParsedCommandLine::Action::UsageError:
        err << "tessio-calc: " << command.text << '\n'
            << "Usage: tessio-calc [--locale NAME] [--language NAME] [--csv] [--export FILE] [--pdf DIR] "
               "CASE.WAU...\n"
            << "Try 'tessio-calc --help' for more information.\n";
        return BatchExit::Usage;
    case ParsedCommandLine::Action::Run:
        break;
    }

    ConsoleDialogs dialogs(err);
    BatchContext context;
    context.dialogs = &dialogs;
    LoadLanguageTexts(context.texts, programFolder(), dialogs, nullptr);
    context.currency = startCurrency(LoadCompanyBlock(context.company));
    return runBatch(command.options, context, out, err);
}
