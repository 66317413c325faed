#pragma once

#include <QString>

#include <memory>

class Dialogs;
class PrinterReport;
class QWidget;
struct CaseDocument;
using ReportInput = CaseDocument;

// The Print command of the main window: the print dialog chooses the printer (a PDF file included);
// cancelling it ends the command silently. Otherwise pending events run once, so that the screen
// under the closed dialog repaints, and the report is printed on the chosen printer. The report
// writer is created at the first print that goes ahead and reused afterwards. True when the page was
// sent. The print job is named after the case (printJobName); `caseFile` is the case's file, if any.
bool printCommand(QWidget *parent, Dialogs &dialogs, std::unique_ptr<PrinterReport> &report,
                  const ReportInput &input, const QString &caseFile = QString());

// The name of a case's print job in the print queue: the program's and the case's reference, or the
// name of its file when it has no reference ("Tessio - Line 3", "Tessio - PUMP.WAU", "Tessio").
QString printJobName(const QString &reference, const QString &caseFile);
