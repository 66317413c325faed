#pragma once

#include "calc/casedocument.h"

#include <QString>
#include <initializer_list>

class Dialogs;
class QWidget;
class ReportJob;
class ReportPrinter;

// What one printed report shows.
using ReportInput = CaseDocument;

// Language texts the report prints.
namespace ReportText {
inline constexpr int Application = 2;
inline constexpr int Payback = 35;
inline constexpr int ErrorLine1 = 94;
inline constexpr int ErrorLine2 = 95;
inline constexpr int ErrorLine3 = 96;
inline constexpr int ErrorLine4 = 97;
inline constexpr int DatePrefix = 129;
inline constexpr int Title = 131;
inline constexpr int ReferencePrefix = 134;
inline constexpr int FlowHeading = 135;
inline constexpr int HoursHeading1 = 136;
inline constexpr int HoursHeading2 = 138;
inline constexpr int Flow100 = 139; // then 141, 143, 145, 147, 149 down to 50 %
inline constexpr int UnitKw = 152;
inline constexpr int Power = 153;
inline constexpr int UnitHp = 154;
inline constexpr int KwhPrice = 155;
inline constexpr int DrivePrice = 157;
inline constexpr int SavingKwh = 158;
inline constexpr int SavingMoney = 159;
inline constexpr int DaysPrefix = 165;
inline constexpr int Note1 = 191;
inline constexpr int Note2 = 192;
inline constexpr int Efficiency = 197;
} // namespace ReportText

// The report writer: prints one case as a one-page report on a ReportPrinter. One instance serves the
// whole run; every job sets its six settings again, so jobs never influence each other.
//
// Flow: cmdPrint_Click starts a fresh document, sets the scale and the settings, draws the header
// (company block, date, brand mark, title) and the body (framed tables and the closing note), then
// ends the document. Each printer operation of the job is a step: when one fails the user is told
// (critical message) and the step is tried again once; a second failure abandons the job.
class PrinterReport
{
public:
    explicit PrinterReport(Dialogs &dialogs, QWidget *messageParent = nullptr);

    // Runs one print job; true when the page was sent.
    bool cmdPrint_Click(ReportPrinter &printer, const ReportInput &input);

    // Prints StrFonte as lines of at most StrPosition characters, each starting at the printer's
    // current x at the time of the call. A line ends at a CR LF, else after the last blank that fits,
    // else after StrPosition - 1 characters. Lines are counted in characters, not printed width.
    // A failing printer operation is skipped silently.
    void Printer_BreakEach(ReportPrinter &printer, QString StrFonte, qint32 StrPosition);

    // The layout of every job: margins and font sizes in points, font names.
    static constexpr double TopMargin = 31;
    static constexpr double LeftMargin = 28;
    static constexpr double TitleSize = 16;
    static constexpr double BodySize = 7;
    static inline const QString HeaderFont = QStringLiteral("Arial");
    static inline const QString BodyFont = QStringLiteral("Arial");

private:
    void Printer_Header();
    // The body's framed tables, one by one, then the closing note.
    void Printer_Body();
    void printApplication();
    void printHours();
    void printMotorAndPrices();
    void printResults();
    void printNote();
    // Horizontal rules from left to right at each of ys, then vertical ones from top to bottom at each of xs.
    void printGrid(std::initializer_list<double> ys, double left, double right, std::initializer_list<double> xs,
                   double top, double bottom);
    // A label's caption with " (<currency>):".
    QString withCurrency(int label) const;

    QString text(int number) const;
    QString number(const QString &field, QStringView pattern) const;

    Dialogs &m_dialogs;
    QWidget *m_messageParent;

    // Valid during a job only.
    ReportJob *m_job = nullptr;
    const ReportInput *m_input = nullptr;
};
