#pragma once

#include "calc/companyblock.h"
#include "cli/batchcase.h"
#include "cli/batchoptions.h"
#include "localisation/texttable.h"
#include "plant/plantreport.h"
#include "report/printerreport.h"
#include "systemcurve/systemcurvereport.h"

#include <QTextStream>
#include <functional>

class Dialogs;

// Prints the report of one computed case into the PDF file pdfPath; false (with a reason) when it could not.
using PdfReportWriter = std::function<bool(const ReportInput &input, const QString &pdfPath, QString *error)>;
// Prints the system curve's page of one computed case into the PDF file pdfPath; false (with a reason)
// when it could not.
using PdfCurveReportWriter =
    std::function<bool(const SystemCurveReportInput &input, const QString &pdfPath, QString *error)>;
// Prints the plant summary into the PDF file pdfPath; false (with a reason) when it could not.
using PdfSummaryWriter = std::function<bool(const PlantReportInput &input, const QString &pdfPath, QString *error)>;

// What a batch takes from the program's surroundings: the language texts, the company block and the
// currency from the settings store, and where messages of the writers go.
struct BatchContext
{
    TextTable texts;
    CompanyBlock company;
    QString currency = QStringLiteral("US$");
    Dialogs *dialogs = nullptr;   // the export writer's error messages
    PdfReportWriter printReport;  // empty: --pdf is refused
    PdfCurveReportWriter printCurveReport; // a case on the system curve; empty: it gets the case report
    PdfSummaryWriter printSummary; // empty: --pdf with --summary prints no summary.pdf
};

// The column of the language named `name` in text 0 (letter case ignored), or of the texts' default
// language when name is empty; -1 when there is no such language.
int languageColumn(const TextTable &texts, const QString &name);

// Runs every case of options.inputs (case files and the rows of plant files, in their order) and writes the table or CSV to out, the failed cases to err.
// Returns the exit code.
int runBatch(const BatchOptions &options, const BatchContext &context, QTextStream &out, QTextStream &err);
