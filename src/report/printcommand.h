#pragma once

#include "calc/calculator.h"

#include <memory>

class Dialogs;
class PrinterReport;
class QWidget;
struct CaseDocument;
using ReportInput = CaseDocument;

// True when the print dialog would offer a destination; otherwise text 260 says that no printer is
// installed, and the print command ends there.
inline constexpr int NoPrinterText = 260;
bool printDestinationOrMessage(QWidget *parent, Dialogs &dialogs, const TextLookup &text);

// The Print command of the main window: the print dialog chooses the printer (a PDF file included);
// cancelling it ends the command silently, and so does a machine where it would offer no destination,
// after printDestinationOrMessage's message. Otherwise pending events run once, so that the screen
// under the closed dialog repaints, and the report is printed on the chosen printer. The report
// writer is created at the first print that goes ahead and reused afterwards. True when the page was
// sent.
bool printCommand(QWidget *parent, Dialogs &dialogs, std::unique_ptr<PrinterReport> &report,
                  const ReportInput &input);
