#pragma once

#include "plant/plantmodel.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <optional>

// What the plant's drives are worth over time, and which of them a budget buys first. Plain functions
// over a case's or the plant's figures; the plant model fills PlantFigures and the budget's choice with
// them, and the charts draw them.
//
// With D the drive price, S the first year's money saving, e the rise of the energy price and r the
// discount rate (both % a year, PlantLifetime), the saving of year t is S (1 + e)^(t-1) and the cumulative
// discounted cash flow after k years is C(k) = -D + sum_{t=1..k} S (1 + e)^(t-1) / (1 + r)^t; the net
// present value over N years is C(N). With e = 0 these are the plain NPV and IRR.
namespace PlantEconomics {

// C(0) = -D to C(N): years + 1 values (only C(0) when years < 1).
QList<double> cumulativeCashFlow(double drive, double money, const PlantLifetime &terms);
double netPresentValue(double drive, double money, const PlantLifetime &terms);
// The rate in % above -100 at which the NPV over `years` with a rise of `escalationPercent` is 0, by
// bisection to 0.01 % between -99.99 % and 10,000 %; nothing when money <= 0, drive == 0 or the NPV has
// no sign change in that range.
std::optional<double> internalRateOfReturn(double drive, double money, int years, double escalationPercent = 0);
// The years until the discounted savings repay the drive: for the first year k with C(k) >= 0,
// (k - 1) + -C(k - 1) / (C(k) - C(k - 1)), so that the drive is repaid evenly through that year. 0 when
// there is nothing to repay (D <= 0); nothing when it is not repaid within the N years.
std::optional<double> discountedPayback(double drive, double money, const PlantLifetime &terms);
// The savings of the N years, not discounted: sum S (1 + e)^(t-1).
double lifetimeSaving(double money, const PlantLifetime &terms);

// The lifetime figures of one case or of the plant.
struct Figures
{
    std::optional<double> npv;
    std::optional<double> irr;
    std::optional<double> discountedPayback;
};
Figures figures(double drive, double money, const PlantLifetime &terms);

// The drives a budget buys first (BudgetChoice is in plantmodel.h). The computed cases that save money
// are taken in order of their simple payback, D / S (shortest first; equal paybacks keep the plant's
// order, so that the choice follows the list the user made); each one whose drive price still fits in
// what is left of the budget is chosen, a case that does not fit is passed over and the later ones are
// still tried. Amounts are compared to half a cent, so that drives that add up to the budget as typed fit
// it. Cases that save nothing, or failed a check, are never chosen.
BudgetChoice chooseWithinBudget(const PlantSummary &summary, double budget);
// The same over the figures of each case (a failed case's are all zero).
BudgetChoice chooseWithinBudget(const QList<PlantFigures> &cases, double budget);

// The row of the budget's choice, in the columns of the totals row (power, efficiency, CO2, NPV and IRR
// empty), and its label: "Within the budget: 1 drive" or "...: %1 drives" in the current language.
PlantCaseTexts choiceTexts(const BudgetChoice &choice, const QLocale &locale);
QString choiceLabel(const BudgetChoice &choice, const TextLookup &text);

} // namespace PlantEconomics
