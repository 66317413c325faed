#include "report/printcommand.h"

#include "platform/dialogs.h"
#include "report/printerreport.h"
#include "report/qtreportprinter.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPrinter>

QString printJobName(const QString &reference, const QString &caseFile)
{
    QString name = reference.trimmed();
    if (name.isEmpty())
        name = QFileInfo(caseFile).fileName();
    return name.isEmpty() ? applicationTitle() : applicationTitle() + QStringLiteral(" - ") + name;
}

bool printDestinationOrMessage(QWidget *parent, Dialogs &dialogs, const TextLookup &text)
{
    if (dialogs.printDestinationAvailable())
        return true;
    dialogs.message(parent, Dialogs::Icon::Information, applicationTitle(), text ? text(NoPrinterText) : QString());
    return false;
}

bool printThroughDialog(QWidget *parent, Dialogs &dialogs, const TextLookup &text, const QString &jobName,
                        const std::function<bool(ReportPrinter &)> &print)
{
    if (!printDestinationOrMessage(parent, dialogs, text))
        return false;
    QPrinter printer;
    printer.setDocName(jobName);
    if (!dialogs.choosePrinter(parent, printer))
        return false;
    QCoreApplication::processEvents();
    QtReportPrinter output(printer);
    return print(output);
}

bool printCommand(QWidget *parent, Dialogs &dialogs, std::unique_ptr<PrinterReport> &report,
                  const ReportInput &input, const QString &caseFile)
{
    return printThroughDialog(parent, dialogs, input.text, printJobName(input.record.mskReferencia, caseFile),
                              [&](ReportPrinter &output) {
                                  if (!report)
                                      report = std::make_unique<PrinterReport>(dialogs, parent);
                                  return report->cmdPrint_Click(output, input);
                              });
}
