#include "calc/systemcurve.h"

#include "calc/numberformat.h"
#include "calc/powercurves.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::array<int, 4> RefusalTexts{CurveText::BadStaticHead, CurveText::BadDriveEfficiency,
                                          CurveText::BadMinSpeed, CurveText::BadMeasuredPower};

double percentShare(double percent)
{
    return percent / 100.0;
}

} // namespace

ParameterRange parameterRange(CurveParameter parameter)
{
    switch (parameter) {
    case CurveParameter::StaticHead:
        return {0, 95, true};
    case CurveParameter::DriveEfficiency:
        return {80, 100, true};
    case CurveParameter::MinSpeed:
        return {0, 100, true};
    case CurveParameter::MeasuredPower:
        break;
    }
    return {0, MaxPowerKw, false};
}

bool parameterInRange(CurveParameter parameter, double value)
{
    const ParameterRange range = parameterRange(parameter);
    return value <= range.high && (value > range.low || (value == range.low && range.lowIncluded));
}

namespace {

// The member of a parameter given in %; nothing for the measured power.
double SystemCurveParameters::*percentMember(CurveParameter parameter)
{
    switch (parameter) {
    case CurveParameter::StaticHead:
        return &SystemCurveParameters::staticHeadPercent;
    case CurveParameter::DriveEfficiency:
        return &SystemCurveParameters::driveEfficiencyPercent;
    case CurveParameter::MinSpeed:
        return &SystemCurveParameters::minSpeedPercent;
    case CurveParameter::MeasuredPower:
        break;
    }
    return nullptr;
}

} // namespace

bool setParameter(SystemCurveParameters &parameters, CurveParameter parameter, const QString &text,
                  const QLocale &locale)
{
    if (parameter == CurveParameter::MeasuredPower && text.trimmed().isEmpty()) {
        parameters.measuredKw.reset();
        return true;
    }
    const std::optional<double> value = NumberFormat::readNumber(text, locale);
    if (!value || !parameterInRange(parameter, *value))
        return false;
    if (const auto member = percentMember(parameter))
        parameters.*member = *value;
    else
        parameters.measuredKw = *value;
    return true;
}

QString parameterText(const SystemCurveParameters &parameters, CurveParameter parameter, const QLocale &locale)
{
    if (const auto member = percentMember(parameter))
        return NumberFormat::shortestText(parameters.*member, locale);
    return parameters.measuredKw ? NumberFormat::shortestText(*parameters.measuredKw, locale) : QString();
}

int refusalText(CurveParameter parameter)
{
    return RefusalTexts[static_cast<std::size_t>(parameter)];
}

QString withValue(const QString &text, const QString &value)
{
    return text.contains(QLatin1String("%1")) ? text.arg(value) : text;
}

QString refusalMessage(CurveParameter parameter, const TextLookup &text, const QLocale &locale)
{
    const QString message = text ? text(refusalText(parameter)) : QString();
    if (parameter != CurveParameter::MeasuredPower)
        return message;
    return withValue(message, NumberFormat::format(MaxPowerKw, u"#,##0.00", locale));
}

QList<int> CurveResult::heldFlows() const
{
    QList<int> flows;
    for (std::size_t level = 0; level < levels.size(); ++level) {
        if (levels[level].heldAtMinimum)
            flows.append(CurveFlows[level]);
    }
    return flows;
}

double throttledPower(int application, int level)
{
    if (application < 0 || application >= ApplicationCount || level < 0 || level >= CurveLevelCount)
        return 0.0;
    // The chart runs from 50 % to 100 % flow, the levels from 100 % down.
    const auto &series = SavingsCurveTable[static_cast<std::size_t>(application)].throttling;
    return percentShare(series[static_cast<std::size_t>(ChartPointCount - 1 - level)]);
}

double drivePower(double flow, const SystemCurveParameters &parameters)
{
    const double h0 = percentShare(parameters.staticHeadPercent);
    const double minSpeed = percentShare(parameters.minSpeedPercent);
    const double head = std::max(h0 + (1.0 - h0) * flow * flow, minSpeed * minSpeed);
    return flow * head / percentShare(parameters.driveEfficiencyPercent);
}

CurveResult systemCurveSavings(const CurveInput &input)
{
    const SystemCurveParameters &p = input.parameters;
    const double h0 = percentShare(p.staticHeadPercent);
    const double minSpeed = percentShare(p.minSpeedPercent);
    const bool known = input.application >= 0 && input.application < ApplicationCount;
    CurveResult result;
    result.baseKw = input.baseKw;
    double perDay = 0.0;
    for (int level = 0; level < CurveLevelCount; ++level) {
        CurveLevel &l = result.levels[static_cast<std::size_t>(level)];
        const double q = percentShare(CurveFlows[static_cast<std::size_t>(level)]);
        l.hours = input.hours[static_cast<std::size_t>(level)];
        // An application the table does not know saves nothing by either model.
        if (!known)
            continue;
        l.throttled = throttledPower(input.application, level);
        l.drive = drivePower(q, p);
        l.fraction = l.throttled - l.drive;
        // The speed the system curve asks for: the square root of its head at that flow.
        l.heldAtMinimum = l.hours > 0 && std::sqrt(h0 + (1.0 - h0) * q * q) < minSpeed;
        perDay += l.fraction * l.hours;
    }
    result.kwh = known ? input.baseKw * input.days * perDay : 0.0;
    result.money = result.kwh * input.kwhPrice;
    if (result.money > 0)
        result.months = input.drivePrice / result.money * 12.0;

    if (p.staticHeadPercent >= HighStaticHeadPercent)
        result.warnings |= CurveWarning::HighStaticHead;
    if (!result.heldFlows().isEmpty())
        result.warnings |= CurveWarning::HeldAtMinimumSpeed;
    if (!(result.kwh > 0))
        result.warnings |= CurveWarning::NothingSaved;
    return result;
}

namespace {

CurveOutcome curveOutcome(const CaseRecord &record, const SystemCurveParameters &parameters, const QLocale &locale,
                          QString *efficiencyText)
{
    CurveOutcome outcome;
    if ((outcome.failure = readCase(record, locale, outcome.numbers, efficiencyText)))
        return outcome;
    const CaseNumbers &n = outcome.numbers;
    CurveInput input;
    input.application = record.cboAplicacao;
    input.days = n.days;
    input.hours = n.hours;
    input.kwhPrice = n.kwhPrice;
    input.drivePrice = n.drivePrice;
    input.parameters = parameters;
    if (parameters.measuredKw)
        input.baseKw = *parameters.measuredKw;
    else if (n.powerKw > 0)
        input.baseKw = n.powerKw / percentShare(n.efficiency);
    // As in Calculate, only a vanishing efficiency can push the base out of range.
    if (!std::isfinite(input.baseKw)) {
        outcome.failure = CheckFailure{CalcText::EfficiencyOutOfRange};
        return outcome;
    }
    outcome.result = systemCurveSavings(input);
    return outcome;
}

} // namespace

CurveOutcome calculateSystemCurve(const CaseRecord &record, const SystemCurveParameters &parameters,
                                  const QLocale &locale)
{
    return curveOutcome(record, parameters, locale, nullptr);
}

CalculationOutcome CalculateSystemCurve(CaseRecord &record, const SystemCurveParameters &parameters,
                                        const QLocale &locale, SavingFigures *figures, CurveResult *curve)
{
    QString efficiencyText;
    const CurveOutcome outcome = curveOutcome(record, parameters, locale, &efficiencyText);
    if (outcome.failure)
        return {false, outcome.failure};
    const std::array<QString, 3> shown = resultTexts(outcome.result, locale);
    record.mskRendimento = efficiencyText;
    record.mskEconomiakW = shown[0];
    record.mskEconomiaReais = shown[1];
    record.mskRetorno = shown[2];
    const CaseNumbers &n = outcome.numbers;
    if (figures)
        *figures = {n.powerKw, n.efficiency, outcome.result.kwh, n.kwhPrice, n.drivePrice};
    if (curve)
        *curve = outcome.result;
    return {true, std::nullopt};
}

std::optional<double> ModelComparison::tableMonths() const
{
    const double money = tableMoney();
    if (money == 0.0)
        return std::nullopt;
    return numbers.drivePrice / money * 12.0;
}

ModelComparison compareModels(const CaseRecord &record, const SystemCurveParameters &parameters,
                              const QLocale &locale)
{
    const CurveOutcome outcome = calculateSystemCurve(record, parameters, locale);
    ModelComparison comparison;
    comparison.failure = outcome.failure;
    if (outcome.failure)
        return comparison;
    comparison.numbers = outcome.numbers;
    comparison.curve = outcome.result;
    const CaseNumbers &n = outcome.numbers;
    if (n.powerKw > 0) {
        const std::array<double, FlowLevelCount> hours{n.hours[1], n.hours[2], n.hours[3], n.hours[4], n.hours[5]};
        comparison.tableKwh = annualSavingKwh(record.cboAplicacao, n.powerKw, percentShare(n.efficiency), n.days, hours);
    }
    return comparison;
}

namespace {

QString kwhText(double kwh, const QLocale &locale)
{
    return NumberFormat::format(NumberFormat::roundHalfEven(kwh), u"##,##0", locale);
}

QString differenceText(double table, std::optional<double> curve, const QLocale &locale)
{
    if (table == 0.0 || !curve || !std::isfinite(*curve))
        return NoSaving.toString();
    const double percent = (*curve - table) / std::fabs(table) * 100.0;
    const QString shown = NumberFormat::format(percent, u"#,##0.0", locale);
    return percent > 0 && shown != NumberFormat::format(0, u"#,##0.0", locale) ? locale.positiveSign() + shown
                                                                                : shown;
}

} // namespace

std::array<QString, 3> resultTexts(const CurveResult &result, const QLocale &locale)
{
    return {kwhText(result.kwh, locale), NumberFormat::format(result.money, u"#,##0.00", locale),
            formatMonths(result.months, locale)};
}

ComparisonTexts comparisonTexts(const ModelComparison &c, const QLocale &locale)
{
    ComparisonTexts texts;
    if (c.failure)
        return texts;
    if (c.tableKwh == 0.0) {
        texts.table.fill(NoSaving.toString());
    } else {
        texts.table = {kwhText(c.tableKwh, locale), NumberFormat::format(c.tableMoney(), u"#,##0.00", locale),
                       formatMonths(c.tableMonths(), locale)};
    }
    texts.curve = resultTexts(c.curve, locale);
    const std::optional<double> tableMonths = c.tableKwh == 0.0 ? std::nullopt : c.tableMonths();
    texts.difference = {differenceText(c.tableKwh, c.curve.kwh, locale),
                        differenceText(c.tableMoney(), c.curve.money, locale),
                        differenceText(tableMonths.value_or(0.0), c.curve.months, locale)};
    return texts;
}

QStringList warningMessages(const CurveResult &result, const TextLookup &text, const QLocale &locale)
{
    QStringList messages;
    if (!text)
        return messages;
    if (result.warnings.testFlag(CurveWarning::HighStaticHead))
        messages.append(text(CurveText::HighStaticHead));
    if (result.warnings.testFlag(CurveWarning::HeldAtMinimumSpeed)) {
        QStringList flows;
        for (int flow : result.heldFlows())
            flows.append(locale.toString(flow) + QStringLiteral(" %"));
        messages.append(withValue(text(CurveText::HeldAtMinimumSpeed), flows.join(QStringLiteral(", "))));
    }
    if (result.warnings.testFlag(CurveWarning::NothingSaved))
        messages.append(text(CurveText::NothingSaved));
    return messages;
}
