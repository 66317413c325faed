#include "plant/planteconomics.h"

#include "calc/numberformat.h"
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

// Half a cent: drive prices typed with two decimals that add up to the budget as typed fit it, though
// their binary sum may lie a little above it.
constexpr double MoneyTolerance = 0.005;

} // namespace

QList<double> cumulativeCashFlow(double drive, double money, const Terms &terms)
{
    QList<double> flow;
    flow.reserve(std::max(terms.lifetime.years, 0) + 1);
    flow.append(-drive);
    presentValueFactor(terms.lifetime.ratePercent, terms.escalationPercent, terms.lifetime.years,
                       [&](int, double factor) { flow.append(-drive + money * factor); });
    return flow;
}

double netPresentValue(double drive, double money, const Terms &terms)
{
    return npvAt(drive, money, terms.lifetime.years, terms.lifetime.ratePercent, terms.escalationPercent);
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

std::optional<double> discountedPayback(double drive, double money, const Terms &terms)
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

Figures figures(double drive, double money, const Terms &terms)
{
    return {netPresentValue(drive, money, terms),
            internalRateOfReturn(drive, money, terms.lifetime.years, terms.escalationPercent),
            discountedPayback(drive, money, terms)};
}

BudgetChoice chooseWithinBudget(const PlantSummary &summary, double budget)
{
    QList<int> candidates;
    for (int i = 0; i < summary.cases.size(); ++i) {
        const PlantCaseResult &c = summary.cases[i];
        if (c.computed && c.figures.money > 0)
            candidates.append(i);
    }
    const auto payback = [&](int i) { return summary.cases[i].figures.drive / summary.cases[i].figures.money; };
    std::stable_sort(candidates.begin(), candidates.end(), [&](int a, int b) { return payback(a) < payback(b); });

    BudgetChoice choice;
    choice.budget = budget;
    for (int i : candidates) {
        const PlantFigures &f = summary.cases[i].figures;
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

Result compute(const PlantSummary &summary, const Terms &terms, std::optional<double> budget)
{
    Result result;
    result.cases.reserve(summary.cases.size());
    for (const PlantCaseResult &c : summary.cases)
        result.cases.append(c.computed ? figures(c.figures.drive, c.figures.money, terms) : Figures{});
    result.totals = figures(summary.totals.drive, summary.totals.money, terms);
    result.cashFlow = cumulativeCashFlow(summary.totals.drive, summary.totals.money, terms);
    if (budget)
        result.choice = chooseWithinBudget(summary, *budget);
    return result;
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

} // namespace PlantEconomics

namespace PlantFormat {

QString discountedPayback(std::optional<double> years, const QLocale &locale)
{
    return years ? NumberFormat::format(*years, u"#,##0.0", locale) : NoSaving.toString();
}

} // namespace PlantFormat

namespace PlantFields {

namespace {
// A number in the regional format, without an exponent.
std::optional<double> plainNumber(const QString &text, const QLocale &locale)
{
    if (text.contains(locale.exponential(), Qt::CaseInsensitive))
        return std::nullopt;
    return NumberFormat::readNumber(text, locale);
}
} // namespace

std::optional<double> readEscalation(const QString &text, const QLocale &locale)
{
    const std::optional<double> value = plainNumber(text, locale);
    if (!value || *value < 0 || *value > MaxEscalation)
        return std::nullopt;
    return value;
}

BudgetEntry readBudget(const QString &text, const QLocale &locale)
{
    if (text.trimmed().isEmpty())
        return {true, std::nullopt};
    const std::optional<double> value = plainNumber(text, locale);
    if (!value || *value < 0)
        return {};
    return {true, value};
}

} // namespace PlantFields
