#include "plant/plantcurve.h"

#include "calc/numberformat.h"
#include "plant/plantmodel.h"

#include <algorithm>

bool PlantCurveCells::isEmpty() const
{
    return std::none_of(values.cbegin(), values.cend(), [](const std::optional<double> &v) { return v.has_value(); });
}

std::optional<SystemCurveParameters> PlantCurveCells::parameters() const
{
    if (!value(CurveParameter::StaticHead))
        return std::nullopt;
    SystemCurveParameters parameters;
    parameters.staticHeadPercent = *value(CurveParameter::StaticHead);
    parameters.driveEfficiencyPercent = value(CurveParameter::DriveEfficiency).value_or(parameters.driveEfficiencyPercent);
    parameters.minSpeedPercent = value(CurveParameter::MinSpeed).value_or(parameters.minSpeedPercent);
    parameters.measuredKw = value(CurveParameter::MeasuredPower);
    return parameters;
}

PlantCurveCells PlantCurveCells::asUsed() const
{
    const std::optional<SystemCurveParameters> used = parameters();
    return used ? of(*used) : *this;
}

PlantCurveCells PlantCurveCells::of(const SystemCurveParameters &parameters)
{
    PlantCurveCells cells;
    cells.setValue(CurveParameter::StaticHead, parameters.staticHeadPercent);
    cells.setValue(CurveParameter::DriveEfficiency, parameters.driveEfficiencyPercent);
    cells.setValue(CurveParameter::MinSpeed, parameters.minSpeedPercent);
    cells.setValue(CurveParameter::MeasuredPower, parameters.measuredKw);
    return cells;
}

namespace {

QString percent(const QString &symbol, double value, const QLocale &locale)
{
    return symbol + u' ' + NumberFormat::shortestText(value, locale) + QStringLiteral(" %");
}

} // namespace

QString plantModelText(const PlantCaseResult &result, const TextLookup &text, const QLocale &locale)
{
    if (!result.computed)
        return QString();
    if (!result.curve)
        return text(PlantCurveText::FixedTable);
    return text(PlantCurveText::SystemCurve) + QStringLiteral(", ")
           + percent(QStringLiteral("h0"), result.curve->staticHeadPercent, locale);
}

QString plantModelLine(const PlantCaseResult &result, const TextLookup &text, const QLocale &locale)
{
    if (!result.computed || !result.curve)
        return plantModelText(result, text, locale);
    const SystemCurveParameters &p = *result.curve;
    QString base = QStringLiteral("P0 ") + NumberFormat::format(result.baseKw, u"#,##0.00", locale) + QStringLiteral(" kW");
    if (p.measuredKw)
        base += QStringLiteral(" (") + text(PlantCurveText::Measured) + u')';
    const QStringList parts{percent(QStringLiteral("h0"), p.staticHeadPercent, locale),
                            percent(QStringLiteral("ηd"), p.driveEfficiencyPercent, locale),
                            percent(QStringLiteral("smin"), p.minSpeedPercent, locale), base};
    return text(PlantCurveText::SystemCurve) + QStringLiteral(": ") + parts.join(QStringLiteral(", "));
}
