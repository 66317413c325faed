#pragma once

#include <QString>

class PrinterReport;
struct CaseDocument;
using ReportInput = CaseDocument;

// Prints the one-page report of input into the PDF file at path, on the default page of a PDF printer,
// with the report writer the whole run shares. False with the printer's reason when the page was not
// written; the writer has then reported the failing step itself.
bool printPdfReport(PrinterReport &report, const ReportInput &input, const QString &path, QString *error);
