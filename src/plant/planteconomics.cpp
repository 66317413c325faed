#include "plant/planteconomics.h"

#include "plant/economicstext.h"

#include <algorithm>
#include <cmath>

namespace PlantEconomics {

namespace {

constexpr double IrrLow = -99.99;
constexpr double IrrHigh = 10000.0;
constexpr double IrrTolerance = 0.01;

// The present value of the savings of years 1..k per unit of S, for k = 1..years, handed to visit(k, value).
// Returns the value for k = years. With e = 0 and r = 0 every term is exactly 1, so the sum is N.
template<typename Visit>
double presentValueFactor(double ratePercent, double escalationPercent, int years, Visit visit)
{
    const double growth = 1.0 + ratePercent / 100.0;
    const double rise = 1.0 + escalationPercent / 100.0;
    double factor = 0.0;
    double discount = 1.0;
    double price = 1.0;
    for (int t = 1; t <= years; ++t) {
        discount /= growth;
        factor += price * discount;
        price *= rise;
        visit(t, factor);
    }
    return factor;
}

double npvAt(double drive, double money, int years, double ratePercent, double escalationPercent)
{
    return -drive + money * presentValueFactor(ratePercent, escalationPercent, years, [](int, double) {});
}

// How many times S the savings of the N years are: sum (1 + e)^(t-1), the present value at r = 0.
double savingFactor(const PlantLifetime &terms)
{
    return presentValueFactor(0, terms.escalationPercent, terms.years, [](int, double) {});
}

// Half a cent: drive prices typed with two decimals that add up to the budget as typed fit it, though
// their binary sum may lie a little above it.
constexpr double MoneyTolerance = 0.005;

} // namespace

QList<double> cumulativeCashFlow(double drive, double money, const PlantLifetime &terms)
{
    QList<double> flow;
    flow.reserve(std::max(terms.years, 0) + 1);
    flow.append(-drive);
    presentValueFactor(terms.ratePercent, terms.escalationPercent, terms.years,
                       [&](int, double factor) { flow.append(-drive + money * factor); });
    return flow;
}

double netPresentValue(double drive, double money, const PlantLifetime &terms)
{
    return npvAt(drive, money, terms.years, terms.ratePercent, terms.escalationPercent);
}

double lifetimeSaving(double money, const PlantLifetime &terms)
{
    return money * savingFactor(terms);
}

std::optional<double> internalRateOfReturn(double drive, double money, int years, double escalationPercent)
{
    if (!(money > 0) || drive == 0.0 || years < 1)
        return std::nullopt;
    const auto npv = [&](double rate) { return npvAt(drive, money, years, rate, escalationPercent); };
    double low = IrrLow;
    double high = IrrHigh;
    double npvLow = npv(low);
    const double npvHigh = npv(high);
    if (!std::isfinite(npvLow) || !std::isfinite(npvHigh) || (npvLow > 0) == (npvHigh > 0) || npvLow == 0.0
        || npvHigh == 0.0) {
        // A zero at an end of the range is a root too.
        if (npvLow == 0.0)
            return low;
        if (npvHigh == 0.0)
            return high;
        return std::nullopt;
    }
    while (high - low > IrrTolerance) {
        const double middle = (low + high) / 2.0;
        const double npvMiddle = npv(middle);
        if (npvMiddle == 0.0)
            return middle;
        if ((npvMiddle > 0) == (npvLow > 0)) {
            low = middle;
            npvLow = npvMiddle;
        } else {
            high = middle;
        }
    }
    return (low + high) / 2.0;
}

std::optional<double> discountedPayback(double drive, double money, const PlantLifetime &terms)
{
    if (drive <= 0)
        return 0.0;
    const QList<double> flow = cumulativeCashFlow(drive, money, terms);
    for (qsizetype k = 1; k < flow.size(); ++k) {
        if (flow[k] >= 0)
            return double(k - 1) + -flow[k - 1] / (flow[k] - flow[k - 1]);
    }
    return std::nullopt;
}

Figures figures(double drive, double money, const PlantLifetime &terms)
{
    return {netPresentValue(drive, money, terms), internalRateOfReturn(drive, money, terms.years, terms.escalationPercent),
            discountedPayback(drive, money, terms)};
}

BudgetChoice chooseWithinBudget(const PlantSummary &summary, double budget)
{
    QList<PlantFigures> cases;
    cases.reserve(summary.cases.size());
    for (const PlantCaseResult &c : summary.cases)
        cases.append(c.computed ? c.figures : PlantFigures{});
    return chooseWithinBudget(cases, budget);
}

BudgetChoice chooseWithinBudget(const QList<PlantFigures> &cases, double budget)
{
    QList<int> candidates;
    for (int i = 0; i < cases.size(); ++i) {
        if (cases[i].money > 0)
            candidates.append(i);
    }
    const auto payback = [&](int i) { return cases[i].drive / cases[i].money; };
    std::stable_sort(candidates.begin(), candidates.end(), [&](int a, int b) { return payback(a) < payback(b); });

    BudgetChoice choice;
    choice.budget = budget;
    for (int i : candidates) {
        const PlantFigures &f = cases[i];
        if (choice.drive + f.drive > budget + MoneyTolerance)
            continue;
        choice.cases.append(i);
        choice.drive += f.drive;
        choice.kwh += f.kwh;
        choice.money += f.money;
    }
    if (choice.money > 0)
        choice.months = choice.drive / choice.money * 12.0;
    return choice;
}

PlantCaseTexts choiceTexts(const BudgetChoice &choice, const QLocale &locale)
{
    PlantCaseTexts texts;
    texts.kwh = PlantFormat::kwh(choice.kwh, locale);
    texts.money = PlantFormat::money(choice.money, locale);
    texts.drive = PlantFormat::money(choice.drive, locale);
    texts.months = PlantFormat::months(choice.months, locale);
    return texts;
}

QString choiceLabel(const BudgetChoice &choice, const TextLookup &text)
{
    if (choice.count() == 1)
        return text(EconomicsText::ChoiceOne);
    return text(EconomicsText::ChoiceMany).arg(choice.count());
}

QList<bool> BudgetChoice::flags(qsizetype caseCount) const
{
    QList<bool> chosen(caseCount, false);
    for (int i : cases) {
        if (i >= 0 && i < caseCount)
            chosen[i] = true;
    }
    return chosen;
}

} // namespace PlantEconomics
