#pragma once

#include "calc/calculator.h"
#include <QString>

#include <functional>
#include <memory>

class Dialogs;
class PrinterReport;
class ReportPrinter;
class QWidget;
struct CaseDocument;
using ReportInput = CaseDocument;

// True when the print dialog would offer a destination; otherwise text 260 says that no printer is
// installed, and the print command ends there.
inline constexpr int NoPrinterText = 260;
bool printDestinationOrMessage(QWidget *parent, Dialogs &dialogs, const TextLookup &text);

// A print command's course: printDestinationOrMessage, then the print dialog chooses the printer (a PDF
// file included), and cancelling it ends the command silently. Otherwise pending events run once, so
// that the screen under the closed dialog repaints, and print writes on the chosen printer, whose job is
// named jobName. True when print says every page was sent.
bool printThroughDialog(QWidget *parent, Dialogs &dialogs, const TextLookup &text, const QString &jobName,
                        const std::function<bool(ReportPrinter &)> &print);

// The Print command of the main window: printThroughDialog with the case's one-page report. The report
// writer is created at the first print that goes ahead and reused afterwards. True when the page was
// sent. The print job is named after the case (printJobName); `caseFile` is the case's file, if any.
bool printCommand(QWidget *parent, Dialogs &dialogs, std::unique_ptr<PrinterReport> &report,
                  const ReportInput &input, const QString &caseFile = QString());

// The name of a case's print job in the print queue: the program's and the case's reference, or the
// name of its file when it has no reference ("Tessio - Line 3", "Tessio - PUMP.WAU", "Tessio").
QString printJobName(const QString &reference, const QString &caseFile);
