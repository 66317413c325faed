#pragma once

#include <memory>

class Dialogs;
class PrinterReport;
class QWidget;
struct CaseDocument;
using ReportInput = CaseDocument;

// The Print command of the main window: the print dialog chooses the printer (a PDF file included);
// cancelling it ends the command silently. When the dialog would offer no destination at all, text 260
// says that no printer is installed and nothing else happens. Otherwise pending events run once, so that the screen
// under the closed dialog repaints, and the report is printed on the chosen printer. The report
// writer is created at the first print that goes ahead and reused afterwards. True when the page was
// sent.
inline constexpr int NoPrinterText = 260;
bool printCommand(QWidget *parent, Dialogs &dialogs, std::unique_ptr<PrinterReport> &report,
                  const ReportInput &input);
