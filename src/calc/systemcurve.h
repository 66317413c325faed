#pragma once

#include "calc/calculator.h"
#include "calc/caserecord.h"

#include <QFlags>
#include <QLocale>
#include <QString>
#include <array>
#include <optional>

// The system-curve model: a second estimate of a drive's saving, beside the fixed table of saving
// fractions, for a system described by its static head, the drive's efficiency and minimum speed and,
// when it was measured, the input power at full flow.
//
// At flow q (a share of full flow) a throttled pump or fan takes T(q) of its full-flow power: the
// throttling series of the application's savings chart. With a drive it follows the system curve: the
// head is h0 + (1 - h0) q², but never less than the head at minimum speed smin², and with the pump's
// efficiency taken as constant and the drive's losses on top it takes
//     V(q) = q × max(h0 + (1 - h0) q², smin²) / ηd
// of that power. The saving is f(q) = T(q) - V(q) at all six flow levels; at full flow it is the
// drive's own loss 1 - 1/ηd, so the hours at 100 % count. A year saves
//     base × days × Σ f(q) × hours(q) kWh,
// base being the measured input power or, without one, the motor power divided by its efficiency.

// Flow levels of the system curve, in the order of the hour fields.
inline constexpr int CurveLevelCount = FlowLevelCount + 1;
inline constexpr std::array<int, CurveLevelCount> CurveFlows{100, 90, 80, 70, 60, 50};

// The four parameters as the user gives them.
struct SystemCurveParameters
{
    double staticHeadPercent = 0;        // share of the full-flow head that does not fall with flow
    double driveEfficiencyPercent = 97;  // taken as constant
    double minSpeedPercent = 0;          // of full speed
    std::optional<double> measuredKw;    // input power at full flow without a drive; none: P / eta

    bool operator==(const SystemCurveParameters &) const = default;
};

enum class CurveParameter { StaticHead, DriveEfficiency, MinSpeed, MeasuredPower };
inline constexpr std::array<CurveParameter, 4> CurveParameters{
    CurveParameter::StaticHead, CurveParameter::DriveEfficiency, CurveParameter::MinSpeed,
    CurveParameter::MeasuredPower};

// What each parameter accepts: low..high, low itself only when lowIncluded.
struct ParameterRange
{
    double low;
    double high;
    bool lowIncluded;
};
ParameterRange parameterRange(CurveParameter parameter);
// Whether value lies in the parameter's range.
bool parameterInRange(CurveParameter parameter, double value);

// Sets one parameter from a text in the regional format: a number in its range, or for the measured
// power also the empty text (then the motor power divided by its efficiency is the base). False, and
// parameters unchanged, for anything else.
bool setParameter(SystemCurveParameters &parameters, CurveParameter parameter, const QString &text,
                  const QLocale &locale);
// The text of one parameter as setParameter reads it back: the shortest decimal form without group
// separators, empty for a measured power that was not given.
QString parameterText(const SystemCurveParameters &parameters, CurveParameter parameter, const QLocale &locale);

// Language texts of the model: the message that refuses each parameter (in the order of
// CurveParameters) and the three warnings.
namespace CurveText {
inline constexpr int BadStaticHead = 337;
inline constexpr int BadDriveEfficiency = 338;
inline constexpr int BadMinSpeed = 339;
inline constexpr int BadMeasuredPower = 340; // "%1": the power limit in kW
inline constexpr int HighStaticHead = 344;
inline constexpr int HeldAtMinimumSpeed = 345; // "%1": the flow levels
inline constexpr int NothingSaved = 346;
} // namespace CurveText
int refusalText(CurveParameter parameter);
// text with its "%1" replaced by value; a text without one (a language file that lacks it) stays whole.
QString withValue(const QString &text, const QString &value);
// The refusal of a parameter in words (text(refusalText(parameter)) with its limits filled in).
QString refusalMessage(CurveParameter parameter, const TextLookup &text, const QLocale &locale);

// From this static head on a drive saves little or nothing.
inline constexpr double HighStaticHeadPercent = 70;

enum class CurveWarning {
    HighStaticHead = 0x1,     // static head of 70 % or more
    HeldAtMinimumSpeed = 0x2, // a flow level with hours where the system curve asks for less than smin
    NothingSaved = 0x4,       // a saving of zero or less
};
Q_DECLARE_FLAGS(CurveWarnings, CurveWarning)
Q_DECLARE_OPERATORS_FOR_FLAGS(CurveWarnings)

// One case as the model takes it.
struct CurveInput
{
    int application = 0;                      // 0..3; any other saves nothing
    double baseKw = 0;                        // full-flow input power without a drive
    double days = 0;
    std::array<double, CurveLevelCount> hours{}; // per day, at CurveFlows
    double kwhPrice = 0;
    double drivePrice = 0;
    SystemCurveParameters parameters;
};

// One flow level; powers are shares of the full-flow input power.
struct CurveLevel
{
    double hours = 0;
    double throttled = 0;        // T(q)
    double drive = 0;            // V(q)
    double fraction = 0;         // f(q) = T(q) - V(q)
    bool heldAtMinimum = false;  // the drive runs at its minimum speed here
};

struct CurveResult
{
    std::array<CurveLevel, CurveLevelCount> levels{}; // at CurveFlows
    double baseKw = 0;
    double kwh = 0;                 // a year; negative when the drive costs energy
    double money = 0;               // kwh × price
    std::optional<double> months;   // drive / money × 12 when money > 0
    CurveWarnings warnings;

    // The flow levels (in %) where the drive is held at its minimum speed, 100 % first.
    QList<int> heldFlows() const;
};

// T(q) of an application at a flow level of CurveFlows; 0 outside 0..3.
double throttledPower(int application, int level);
// V(q) at flow q (a share of full flow).
double drivePower(double flow, const SystemCurveParameters &parameters);

// The model on numbers already read.
CurveResult systemCurveSavings(const CurveInput &input);

// The model on a case, read through the calculator's checks as Calculate reads it (an empty efficiency
// takes the default for the power). failure is set when a check refuses the case; then nothing else is.
struct CurveOutcome
{
    std::optional<CheckFailure> failure;
    CaseNumbers numbers;
    CurveResult result;
};
CurveOutcome calculateSystemCurve(const CaseRecord &record, const SystemCurveParameters &parameters,
                                  const QLocale &locale);

// The system curve run as Calculate runs the table (CalculateSavings): the checks, an empty efficiency
// filled with the default for the power, and the system curve's three results (resultTexts) written
// into the record; a failed check leaves the record as it was. figures receives the numbers the results
// were written from (kwh negative when the drive costs energy), curve the whole result.
CalculationOutcome CalculateSystemCurve(CaseRecord &record, const SystemCurveParameters &parameters,
                                        const QLocale &locale, SavingFigures *figures = nullptr,
                                        CurveResult *curve = nullptr);

// The system curve's results as they are shown: kWh "##,##0", money "#,##0.00" (a negative saving as a
// negative number) and the months as formatMonths shows them.
std::array<QString, 3> resultTexts(const CurveResult &result, const QLocale &locale);

// Both models on one case, and the results as they are shown side by side.
struct ModelComparison
{
    std::optional<CheckFailure> failure;
    CaseNumbers numbers;
    double tableKwh = 0; // the fixed table's saving, as Calculate computes it
    CurveResult curve;

    double tableMoney() const { return tableKwh * numbers.kwhPrice; }
    std::optional<double> tableMonths() const;
};
ModelComparison compareModels(const CaseRecord &record, const SystemCurveParameters &parameters,
                              const QLocale &locale);

// The texts of the results by the table (in the patterns of resultTexts; "----" in all three for a
// saving of 0, as Calculate shows it) and by the system curve (resultTexts), and the system curve's
// difference from the table in % with a sign and one decimal, "----" where the table has no figure.
struct ComparisonTexts
{
    std::array<QString, 3> table;      // kWh, money, months
    std::array<QString, 3> curve;
    std::array<QString, 3> difference;
};
ComparisonTexts comparisonTexts(const ModelComparison &comparison, const QLocale &locale);

// The warnings of a result in words, one a line.
QStringList warningMessages(const CurveResult &result, const TextLookup &text, const QLocale &locale);
