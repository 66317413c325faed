#pragma once

#include "calc/casedocument.h"
#include "calc/systemcurve.h"

#include <QSizeF>

class Dialogs;
class QWidget;
class ReportPrinter;

// Language texts of the printed page (with those of the window, the chart and the case report).
namespace CurveReportText {
inline constexpr int Title = 354;
inline constexpr int CaseHeading = 355;
inline constexpr int BasePower = 356;
inline constexpr int Measured = 357;
inline constexpr int PowerOverEfficiency = 358;
inline constexpr int ModelHeading = 359;
inline constexpr int ThrottledWords = 360;
inline constexpr int DriveWords = 361;
inline constexpr int SavingWords = 362;
inline constexpr int TableWords = 363;
inline constexpr int Symbols = 364; // "%1": the symbol of the drive's efficiency
} // namespace CurveReportText

// What the page shows: the case as the main window holds it (with its application's text, the company
// block, the texts of the current language, the regional format and the date) and the parameters.
struct SystemCurveReportInput
{
    CaseDocument document;
    SystemCurveParameters parameters;
};

// The system curve's one-page report: the company header and title as the case report has them, the
// case's inputs and the parameters side by side, both models' results and their difference, the
// warnings, the figures per flow level beside the formulas, the chart, and the model in words, so that
// a reader can check every figure. Failing printer operations are reported and retried once, as in
// the case report.
class SystemCurveReport
{
public:
    // The chart's size on the page, in points; it stands centred below the symbols.
    static constexpr QSizeF ChartSize{376, 235};

    explicit SystemCurveReport(Dialogs &dialogs, QWidget *messageParent = nullptr);

    // Runs one print job; true when the page was sent.
    bool print(ReportPrinter &printer, const SystemCurveReportInput &input);

private:
    struct Page;
    Dialogs &m_dialogs;
    QWidget *m_messageParent;
};

// The formulas the page and the user guides state, in the model's notation.
QStringList systemCurveFormulas();
