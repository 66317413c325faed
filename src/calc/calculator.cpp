#include "calc/calculator.h"

#include "calc/numberformat.h"

#include <cmath>

namespace {

using NumberFormat::readNumber;

struct NumericField
{
    const QString CaseRecord::*field;
    int text;
};

// Fields that must hold a number, in the order of the emptiness check, with their messages.
constexpr std::array<NumericField, 9> RequiredFields{{
    {&CaseRecord::mskVazao100, 53},
    {&CaseRecord::mskVazao90, 54},
    {&CaseRecord::mskVazao80, 55},
    {&CaseRecord::mskVazao70, 56},
    {&CaseRecord::mskVazao60, 57},
    {&CaseRecord::mskVazao50, 58},
    {&CaseRecord::mskPotencia, 59},
    {&CaseRecord::mskValorkWh, 60},
    {&CaseRecord::mskInversor, 61},
}};

// The six hour fields with their "above 24" messages.
constexpr std::array<NumericField, 6> HourFields{{
    {&CaseRecord::mskVazao100, 62},
    {&CaseRecord::mskVazao90, 63},
    {&CaseRecord::mskVazao80, 64},
    {&CaseRecord::mskVazao70, 65},
    {&CaseRecord::mskVazao60, 66},
    {&CaseRecord::mskVazao50, 67},
}};

double number(const CaseRecord &record, const QString CaseRecord::*field, const QLocale &locale)
{
    return readNumber(record.*field, locale).value_or(0.0);
}

} // namespace

QString checkMessage(const CheckFailure &failure, const TextLookup &text, const QString &currency)
{
    if (failure.trailingText < 0)
        return text(failure.text);
    return text(failure.text) + currency + text(failure.trailingText);
}

std::optional<CheckFailure> checkCase(const CaseRecord &record, const QLocale &locale)
{
    // 1. Empty fields; a text that is not a number counts as missing.
    for (const auto &f : RequiredFields) {
        if (!readNumber(record.*(f.field), locale))
            return CheckFailure{f.text};
    }
    // 2. Each hour field at most 24.
    double sum = 0.0;
    for (const auto &f : HourFields) {
        const double hours = number(record, f.field, locale);
        if (hours > 24)
            return CheckFailure{f.text};
        sum += hours;
    }
    // 3. The sum of the hours, added in the order 100 .. 50 %.
    if (sum == 0.0)
        return CheckFailure{68};
    if (sum > 24)
        return CheckFailure{69};
    // 4. kWh price.
    if (number(record, &CaseRecord::mskValorkWh, locale) > 9.99)
        return CheckFailure{CalcText::KwhPriceTooHigh, CalcText::KwhPriceTooHighEnd};
    // 5. Motor power in its unit.
    const double power = number(record, &CaseRecord::mskPotencia, locale);
    if (record.isKw() && power > MaxPowerKw)
        return CheckFailure{72};
    if (!record.isKw() && power > MaxPowerHp)
        return CheckFailure{73};
    // 6. Days; an empty or unreadable text cannot be a number of days either.
    const auto days = readNumber(record.mskDiaAno, locale);
    if (!days || *days > 365)
        return CheckFailure{CalcText::DaysTooHigh};
    return std::nullopt;
}

std::optional<double> powerInKw(const CaseRecord &record, const QLocale &locale)
{
    const auto power = readNumber(record.mskPotencia, locale);
    if (!power)
        return std::nullopt;
    return record.isKw() ? *power : *power * HpToKw;
}

QString defaultEfficiency(double powerKw)
{
    // The first two ranges overlap between 7.5 and 7.7 kW; the first matching row wins.
    if (powerKw > 0 && powerKw <= 7.7)
        return QStringLiteral("70");
    if (powerKw > 7.5 && powerKw <= 30)
        return QStringLiteral("87");
    if (powerKw > 30 && powerKw <= 75)
        return QStringLiteral("92");
    if (powerKw > 75)
        return QStringLiteral("95");
    return QString();
}

double annualSavingKwh(int application, double powerKw, double eta, double days,
                       const std::array<double, FlowLevelCount> &hours)
{
    if (application < 0 || application >= ApplicationCount)
        return 0.0;
    double perDay = 0.0;
    for (int level = 0; level < FlowLevelCount; ++level)
        perDay += powerKw / eta * SavingFraction[level][application] * hours[level];
    return perDay * days;
}

CalculationOutcome CalculateSavings(CaseRecord &record, const QLocale &locale, SavingFigures *figures)
{
    if (const auto failure = checkCase(record, locale))
        return {false, failure};

    CaseRecord result = record;
    const double power = powerInKw(result, locale).value_or(0.0);
    const double price = number(result, &CaseRecord::mskValorkWh, locale);
    const double drive = number(result, &CaseRecord::mskInversor, locale);
    if (result.mskRendimento.isEmpty())
        result.mskRendimento = defaultEfficiency(power);

    double kwh = 0.0;
    double efficiencyUsed = 0.0;
    // A power not above 0 saves nothing, whatever the efficiency: no division is made.
    if (power > 0) {
        const auto efficiency = readNumber(result.mskRendimento, locale);
        if (!efficiency || *efficiency <= 0)
            return {false, CheckFailure{CalcText::EfficiencyOutOfRange}};
        efficiencyUsed = *efficiency;
        const double days = number(result, &CaseRecord::mskDiaAno, locale);
        const std::array<double, FlowLevelCount> hours{
            number(result, &CaseRecord::mskVazao90, locale), number(result, &CaseRecord::mskVazao80, locale),
            number(result, &CaseRecord::mskVazao70, locale), number(result, &CaseRecord::mskVazao60, locale),
            number(result, &CaseRecord::mskVazao50, locale)};
        kwh = annualSavingKwh(result.cboAplicacao, power, *efficiency / 100.0, days, hours);
        // Only a vanishing efficiency can push the saving out of range.
        if (!std::isfinite(kwh))
            return {false, CheckFailure{CalcText::EfficiencyOutOfRange}};
    }

    if (kwh == 0.0) {
        result.mskEconomiakW = NoSaving.toString();
        result.mskEconomiaReais = NoSaving.toString();
        result.mskRetorno = NoSaving.toString();
    } else {
        const double money = kwh * price;
        result.mskEconomiakW = NumberFormat::format(NumberFormat::roundHalfEven(kwh), u"##,##0", locale);
        result.mskEconomiaReais = NumberFormat::format(money, u" ##,##0.00", locale);
        // A price of 0 earns nothing back: there is no payback time to show.
        const double months = drive / money * 12.0;
        result.mskRetorno = (money != 0.0 && std::isfinite(months))
                                ? NumberFormat::format(NumberFormat::roundHalfEven(months), u"##,##0", locale)
                                : NoSaving.toString();
    }
    record = result;
    if (figures)
        *figures = {power, efficiencyUsed, kwh, price, drive};
    return {true, std::nullopt};
}
