#pragma once

#include "calc/calculator.h"
#include "calc/caserecord.h"
#include "calc/systemcurve.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <optional>

// The plant model: many motor cases summed into one proposal. One pure function, computeSummary(),
// serves the plant window, the printed summary and tessio-calc --summary alike.
//
// Each case runs through the calculator's own checks and savings model exactly as Calculate does
// (checkCase / CalculateSavings on the record, in the given regional format). A case that fails a check
// keeps the check's message and counts in no total. Totals are sums of the unrounded per-case values.
// A case given system-curve parameters is computed with the system curve instead (calculateSystemCurve,
// after the same checks); its saving may be negative, and the totals add each case's own model.

// The terms of the lifetime figures (NPV, IRR, discounted payback, lifetime saving and CO2): the period,
// the discount rate and the rise of the energy price, which makes the saving of year t S (1 + e)^(t-1).
struct PlantLifetime
{
    int years = 10;                // N, whole years, 1..50 (PlantLimits)
    double ratePercent = 8;        // r, % a year, 0..100
    double escalationPercent = 0;  // e, % a year, 0..50
    bool operator==(const PlantLifetime &) const = default;
};

struct PlantInput
{
    QList<CaseRecord> cases;             // in plant order; currency in each record's cboMoedas
    std::optional<double> gridFactor;    // f, kg CO2 per kWh (= t/MWh); nothing: no CO2 figures
    std::optional<PlantLifetime> lifetime; // nothing: no NPV, IRR or lifetime figures
    QLocale locale;                      // the regional format the record texts are written in
    TextLookup text;                     // texts of the current language, for check messages
    // The system-curve parameters of cases[i], when it uses the system curve; a case beyond the list,
    // or with nothing, uses the table.
    QList<std::optional<SystemCurveParameters>> curves = {};
    std::optional<double> budget = std::nullopt; // nothing: no budget's choice
};

// The money figures of one case or of the plant. A figure that has no value ("----" when shown) is
// an empty optional.
struct PlantFigures
{
    double kwh = 0;      // annual saving in kWh, unrounded
    double money = 0;    // annual saving in money: kwh x kWh price, unrounded
    double drive = 0;    // drive price(s)
    std::optional<double> months;         // D / S x 12, unrounded; nothing when S <= 0
    std::optional<double> co2;            // t a year: kwh x f / 1000; nothing without a factor
    // The lifetime figures, with the rise of the energy price (PlantEconomics); nothing without a lifetime.
    std::optional<double> npv;            // -D + sum S (1 + e)^(t-1) / (1 + r)^t
    std::optional<double> irr;            // % a year; nothing when S <= 0, D = 0 or no sign change
    std::optional<double> discountedPayback; // years; nothing when not repaid within N years
    std::optional<double> lifetimeSaving; // sum S (1 + e)^(t-1), S x N without a rise
    std::optional<double> lifetimeCo2;    // N x co2; nothing without a factor or a lifetime
};

struct PlantCaseResult
{
    // The record after Calculate: results and the efficiency used written in as the main window shows
    // them. For a failed case the record as given.
    CaseRecord record;
    QString reference;                  // record.mskReferencia
    int application = 0;                // cboAplicacao, 0..3 (-1: none)
    std::optional<double> powerKw;      // the power in kW (HP x 0.736); nothing when not a number
    std::optional<double> efficiency;   // the efficiency used in % (the default one when the field was empty)
    bool computed = false;              // false: the case failed a check and counts in no total
    bool unread = false;                // a row or file that could not be read: no record, only its message
    std::optional<CheckFailure> failure;
    QString message;                    // when not computed: the check's message (or why it was not read)
    PlantFigures figures;               // zero / empty when not computed
    std::optional<SystemCurveParameters> curve = {}; // the case was computed with the system curve, with these
    double baseKw = 0;                  // the system curve's base power (measured, or P / eta); 0 for the table
};

namespace PlantEconomics {
// The drives a budget buys first (PlantEconomics::chooseWithinBudget): defined here, as the summary
// carries it.
struct BudgetChoice
{
    double budget = 0;
    QList<int> cases;    // indexes into PlantSummary::cases, in the order they were taken
    double drive = 0;    // the chosen drives' price
    double kwh = 0;      // and their savings a year
    double money = 0;
    std::optional<double> months; // combined payback, D / S x 12; nothing when nothing was chosen

    int count() const { return int(cases.size()); }
    // Per case of a plant of caseCount cases: whether it was chosen.
    QList<bool> flags(qsizetype caseCount) const;
};
} // namespace PlantEconomics

struct PlantSummary
{
    QList<PlantCaseResult> cases; // one per input case, same order
    PlantFigures totals;          // over the computed cases
    int computedCount = 0;
    int leftOutCount = 0;         // cases that failed a check or could not be read
    std::optional<double> gridFactor;
    std::optional<PlantLifetime> lifetime;
    std::optional<PlantEconomics::BudgetChoice> choice = std::nullopt; // with a budget
};

// Runs the model over input (see the top of this file).
PlantSummary computeSummary(const PlantInput &input);

// The same model one case at a time, for a caller that need not keep every case (tessio-calc over a
// large batch): add() calculates a case, counts it and adds it to the totals; summary() gives the
// totals and counts so far, its `cases` empty. computeSummary() is this over a list.
class PlantAccumulator
{
public:
    PlantAccumulator(std::optional<double> gridFactor, std::optional<PlantLifetime> lifetime, QLocale locale,
                     TextLookup text, std::optional<double> budget = std::nullopt);
    // With curve, the case is computed with the system curve.
    PlantCaseResult add(CaseRecord record, const std::optional<SystemCurveParameters> &curve = std::nullopt);
    // A row of a plant file or a case file that could not be read: left out, shown by `reference`
    // (what identifies it) and `message` (where and why).
    PlantCaseResult addUnread(const QString &reference, const QString &message);
    PlantSummary summary() const;

private:
    PlantSummary m_summary;
    QLocale m_locale;
    TextLookup m_text;
    std::optional<double> m_budget;
    // With a budget, the figures of every case added, for the choice (summary.cases may stay empty).
    QList<PlantFigures> m_figures;
};

// The figures as text in the regional format (locale's separators). An empty optional shows as "----".
namespace PlantFormat {
// A case the budget's choice takes, in the in_budget column of an export and of tessio-calc.
inline constexpr QStringView InBudget = u"yes";
QString kwh(double value, const QLocale &locale);      // "#,##0", halves to even
QString money(double value, const QLocale &locale);    // "#,##0.00"
QString months(std::optional<double> value, const QLocale &locale); // "#,##0" half-even, like the case
QString co2(std::optional<double> value, const QLocale &locale);    // "#,##0.0" (tonnes)
QString npv(std::optional<double> value, const QLocale &locale);    // "#,##0.00", leading minus
QString irr(std::optional<double> value, const QLocale &locale);    // "#,##0.0" (%)
QString discountedPayback(std::optional<double> years, const QLocale &locale); // "#,##0.0" (years)
QString lifetimeSaving(std::optional<double> value, const QLocale &locale); // "#,##0.00"
QString power(std::optional<double> kw, const QLocale &locale);     // "#,##0.0" (kW)
QString efficiency(std::optional<double> percent, const QLocale &locale); // "#,##0"
// The factor with every decimal it has, at least three ("0.400", "0.3835"): what is shown is what is used.
QString factor(std::optional<double> kgPerKwh, const QLocale &locale);
// value in pattern, or "----" when there is none.
QString optionalNumber(std::optional<double> value, QStringView pattern, const QLocale &locale);
// A message on one line: its line breaks become blanks (a table cell, a CSV cell, a printed row).
QString oneLine(QString text);
// A column heading as two lines: "Saving a year (US$)" gives the words, then the part in brackets.
QStringList headingLines(const QString &heading);
} // namespace PlantFormat

// One case's figures as shown in a row of the summary. A computed case with no saving shows "----" in
// kWh, money and months, as the main window does. A failed case has only its message.
struct PlantCaseTexts
{
    QString power, efficiency, kwh, money, drive, months, co2, npv, irr;
    QString discountedPayback;
};
PlantCaseTexts caseTexts(const PlantCaseResult &result, const QLocale &locale);
// The totals row: the same columns (power and efficiency empty).
PlantCaseTexts totalTexts(const PlantSummary &summary, const QLocale &locale);
