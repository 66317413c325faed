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

std::optional<CheckFailure> readCase(const CaseRecord &record, const QLocale &locale, CaseNumbers &numbers,
                                     QString *efficiencyText)
{
    if (auto failure = checkCase(record, locale))
        return failure;
    CaseNumbers read;
    read.powerKw = powerInKw(record, locale).value_or(0.0);
    read.kwhPrice = number(record, &CaseRecord::mskValorkWh, locale);
    read.drivePrice = number(record, &CaseRecord::mskInversor, locale);
    read.days = number(record, &CaseRecord::mskDiaAno, locale);
    for (std::size_t level = 0; level < HourFields.size(); ++level)
        read.hours[level] = number(record, HourFields[level].field, locale);
    const QString efficiency =
        record.mskRendimento.isEmpty() ? defaultEfficiency(read.powerKw) : record.mskRendimento;
    // A power not above 0 saves nothing, whatever the efficiency: no division is made.
    if (read.powerKw > 0) {
        const auto value = readNumber(efficiency, locale);
        if (!value || *value <= 0)
            return CheckFailure{CalcText::EfficiencyOutOfRange};
        read.efficiency = *value;
    }
    numbers = read;
    if (efficiencyText)
        *efficiencyText = efficiency;
    return std::nullopt;
}

QString formatMonths(std::optional<double> months, const QLocale &locale)
{
    if (!months || !std::isfinite(*months))
        return NoSaving.toString();
    return NumberFormat::format(NumberFormat::roundHalfEven(*months), u"##,##0", locale);
}

CalculationOutcome CalculateSavings(CaseRecord &record, const QLocale &locale, SavingFigures *figures)
{
    CaseNumbers numbers;
    QString efficiencyText;
    if (const auto failure = readCase(record, locale, numbers, &efficiencyText))
        return {false, failure};

    double kwh = 0.0;
    if (numbers.powerKw > 0) {
        const std::array<double, FlowLevelCount> hours{numbers.hours[1], numbers.hours[2], numbers.hours[3],
                                                       numbers.hours[4], numbers.hours[5]};
        kwh = annualSavingKwh(record.cboAplicacao, numbers.powerKw, numbers.efficiency / 100.0, numbers.days,
                              hours);
        // Only a vanishing efficiency can push the saving out of range.
        if (!std::isfinite(kwh))
            return {false, CheckFailure{CalcText::EfficiencyOutOfRange}};
    }

    CaseRecord result = record;
    result.mskRendimento = efficiencyText;
    if (kwh == 0.0) {
        result.mskEconomiakW = NoSaving.toString();
        result.mskEconomiaReais = NoSaving.toString();
        result.mskRetorno = NoSaving.toString();
    } else {
        const double money = kwh * numbers.kwhPrice;
        result.mskEconomiakW = NumberFormat::format(NumberFormat::roundHalfEven(kwh), u"##,##0", locale);
        result.mskEconomiaReais = NumberFormat::format(money, u" ##,##0.00", locale);
        // A price of 0 earns nothing back: there is no payback time to show.
        result.mskRetorno =
            formatMonths(money != 0.0 ? std::optional(numbers.drivePrice / money * 12.0) : std::nullopt, locale);
    }
    record = result;
    if (figures)
        *figures = {numbers.powerKw, numbers.efficiency, kwh, numbers.kwhPrice, numbers.drivePrice};
    return {true, std::nullopt};
}
