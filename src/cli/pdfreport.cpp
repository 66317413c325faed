#include "cli/pdfreport.h"

#include "report/printerreport.h"
#include "report/qtreportprinter.h"

#include <QPrinter>

bool printPdfReport(PrinterReport &report, const ReportInput &input, const QString &path, QString *error)
{
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    QtReportPrinter output(printer);
    if (report.cmdPrint_Click(output, input))
        return true;
    if (error)
        *error = output.error().description;
    return false;
}
