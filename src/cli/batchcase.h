#pragma once

#include "calc/calculator.h"
#include "calc/caserecord.h"
#include "calc/systemcurve.h"
#include "plant/plantmodel.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

// One case file of a batch, opened and calculated the way the main window's Open command does it.
struct BatchCase
{
    QString file;           // the path as given
    CaseRecord record;      // the inputs as read and, when computed, the results and the efficiency used
    bool read = false;      // the file was read to its end
    bool computed = false;  // the results were written (numbers or "----")
    QString message;        // when not computed: why, in the chosen language
    PlantFigures figures;   // CO2, NPV and IRR of a computed case, when asked for
    bool inBudget = false;  // the budget's choice takes it
    std::optional<SystemCurveParameters> curve; // computed on this system curve; nothing: the fixed table
    double baseKw = 0;      // the system curve's full-flow input power, when computed on it
};

// Texts of the batch.
namespace BatchText {
inline constexpr int LanguageName = 0;
inline constexpr int OpenFailed = 52;
inline constexpr int FileHeading = 204; // the table's first column
inline constexpr int EmptyFile = 450;   // a case file of no bytes
// Headings of the system-curve columns.
inline constexpr int StaticHead = 492;
inline constexpr int DriveEfficiency = 333;
inline constexpr int MinSpeed = 493;
inline constexpr int BaseKw = 494;
} // namespace BatchText

// The currencies of the main window's selector, in their order.
QStringList windowCurrencies();

// The currency the main window starts with for a stored cboMoeda (already through the currency rule):
// the stored one when the selector offers it, else the first, "US$".
QString startCurrency(const QString &stored);

// Reads the case file at path over `start` (the values of a new case) and calculates it. A file that
// cannot be read gets text 52, an empty one text 450, a case that fails a check the check's message.
BatchCase runCase(const QString &path, const CaseRecord &start, const QLocale &locale, const TextLookup &text);

// Reads the case file as runCase does, without calculating it.
BatchCase readCase(const QString &path, const CaseRecord &start, const TextLookup &text);

// Calculates the record of a case that was read, as runCase does: computed, or the check's message
// (explainFailure's).
void calculateCase(BatchCase &batchCase, const QLocale &locale, const TextLookup &text);

// A case file that did not compute because its numbers are written with the other decimal separator
// than locale's gets the message that says so instead of the check's.
void explainFailure(BatchCase &batchCase, const QLocale &locale, const TextLookup &text);

// The shown text of cboAplicacao for an application index.
QString applicationName(int application, const TextLookup &text);

// The application of a case as a row shows it: none for a file that could not be read.
QString applicationName(const BatchCase &batchCase, const TextLookup &text);

// The texts of a computed case as the main window shows them: each field through its display pattern.
struct ShownResults
{
    QString efficiency;
    QString kwh;
    QString money;
    QString months;
};
ShownResults shownResults(const CaseRecord &record, const QLocale &locale);
