#pragma once

#include "calc/caserecord.h"

#include <QLocale>
#include <QString>
#include <array>
#include <functional>
#include <optional>

// The checks that Calculate makes and the energy-saving model. Messages are language text numbers;
// the caller turns them into words with checkMessage().

// Text N of the current language.
using TextLookup = std::function<QString(int)>;

// A failed check: text `text`, and for the kWh price check the currency and a second text after it.
struct CheckFailure
{
    int text = 0;
    int trailingText = -1; // >= 0: message is text + currency + trailingText
    bool operator==(const CheckFailure &) const = default;
};

QString checkMessage(const CheckFailure &failure, const TextLookup &text, const QString &currency);

// Message texts used by the calculation.
namespace CalcText {
inline constexpr int KwhPriceTooHigh = 70;
inline constexpr int KwhPriceTooHighEnd = 71;
inline constexpr int DaysTooHigh = 74;
inline constexpr int EfficiencyOutOfRange = 200;
} // namespace CalcText

inline constexpr double HpToKw = 0.736;
inline constexpr double MaxPowerKw = 7359.26;
inline constexpr double MaxPowerHp = 9999;
inline constexpr QStringView NoSaving = u"----";

// Flow levels with a saving, in the order of the hour fields: 90, 80, 70, 60, 50 %.
inline constexpr int FlowLevelCount = 5;
inline constexpr std::array<int, FlowLevelCount> FlowLevels{90, 80, 70, 60, 50};

// Share of the motor's full-load input power that the drive saves, per flow level and application.
inline constexpr std::array<std::array<double, ApplicationCount>, FlowLevelCount> SavingFraction{{
    {0.20, 0.27, 0.07, 0.185},
    {0.33, 0.46, 0.13, 0.305},
    {0.37, 0.55, 0.14, 0.33},
    {0.39, 0.60, 0.14, 0.334},
    {0.41, 0.65, 0.15, 0.355},
}};

// The checks in their fixed order; the first one that fails, or nothing when all pass.
std::optional<CheckFailure> checkCase(const CaseRecord &record, const QLocale &locale);

// Motor power in kW from the field and the unit; nothing when the field is not a number.
std::optional<double> powerInKw(const CaseRecord &record, const QLocale &locale);

// Default efficiency text for a power in kW: "70", "87", "92", "95", or empty when the power is not above 0.
QString defaultEfficiency(double powerKw);

// Annual saving in kWh: (t90*h90 + ... + t50*h50) * days with t = P / eta * fraction of the application.
// An application outside 0..3 saves nothing.
double annualSavingKwh(int application, double powerKw, double eta, double days,
                       const std::array<double, FlowLevelCount> &hours);

struct CalculationOutcome
{
    bool computed = false;              // the results were written (numbers or "----")
    std::optional<CheckFailure> failure; // set when a check failed; nothing was written then
};

// The numbers of a case that passed the checks, as the models read them.
struct CaseNumbers
{
    double powerKw = 0;    // the power in kW
    double efficiency = 0; // in %: the field's, or the default for the power when it is empty; 0 when the
                           // power is not above 0 (no division is made then)
    double kwhPrice = 0;
    double drivePrice = 0;
    double days = 0;
    std::array<double, FlowLevelCount + 1> hours{}; // per day at 100, 90, 80, 70, 60 and 50 % flow
};

// Runs the checks on record and reads its numbers into numbers. A case whose power is above 0 needs an
// efficiency above 0 (EfficiencyOutOfRange otherwise). efficiencyText, when given, receives the
// efficiency as the field shows it after Calculate: its own text, or the default for the power.
std::optional<CheckFailure> readCase(const CaseRecord &record, const QLocale &locale, CaseNumbers &numbers,
                                     QString *efficiencyText = nullptr);

// Payback months as the results show them: rounded to a whole number, halves to the even neighbour,
// pattern "##,##0"; "----" when there is no payback (nothing or a number that is not finite).
QString formatMonths(std::optional<double> months, const QLocale &locale);

// The unrounded numbers behind the three results of a computed case.
struct SavingFigures
{
    double powerKw = 0;    // the power in kW
    double efficiency = 0; // the efficiency used, in %; 0 when the power is not above 0
    double kwh = 0;        // annual saving in kWh
    double kwhPrice = 0;
    double drivePrice = 0;
    double money() const { return kwh * kwhPrice; }
};

// Checks the case, fills an empty efficiency with the default for the power, and writes the three
// results into the record. A failed check leaves the record as it was. When figures is given and the
// case computed, it receives the numbers the results were written from.
CalculationOutcome CalculateSavings(CaseRecord &record, const QLocale &locale, SavingFigures *figures = nullptr);
