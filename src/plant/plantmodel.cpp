#include "plant/plantmodel.h"

#include "calc/numberformat.h"
#include "plant/planteconomics.h"

#include <cmath>

namespace {

QString noValue()
{
    return NoSaving.toString();
}

// Fills in the figures that follow from kWh, money and drive price.
void completeFigures(PlantFigures &figures, std::optional<double> factor, const std::optional<PlantLifetime> &lifetime)
{
    // No saving, or a loss (a drive on the system curve may cost energy), pays nothing back.
    if (figures.money > 0.0) {
        const double months = figures.drive / figures.money * 12.0;
        if (std::isfinite(months))
            figures.months = months;
    }
    if (factor)
        figures.co2 = figures.kwh * *factor / 1000.0;
    if (lifetime) {
        const PlantEconomics::Figures economics = PlantEconomics::figures(figures.drive, figures.money, *lifetime);
        figures.npv = economics.npv;
        figures.irr = economics.irr;
        figures.discountedPayback = economics.discountedPayback;
        figures.lifetimeSaving = PlantEconomics::lifetimeSaving(figures.money, *lifetime);
        if (figures.co2)
            figures.lifetimeCo2 = *figures.co2 * lifetime->years;
    }
}

} // namespace

PlantAccumulator::PlantAccumulator(std::optional<double> gridFactor, std::optional<PlantLifetime> lifetime,
                                   QLocale locale, TextLookup text, std::optional<double> budget)
    : m_locale(std::move(locale))
    , m_text(std::move(text))
    , m_budget(budget)
{
    m_summary.gridFactor = gridFactor;
    m_summary.lifetime = lifetime;
}

PlantCaseResult PlantAccumulator::add(CaseRecord record, const std::optional<SystemCurveParameters> &curve)
{
    PlantCaseResult result;
    result.record = std::move(record);
    result.reference = result.record.mskReferencia;
    result.application = result.record.cboAplicacao;
    result.powerKw = powerInKw(result.record, m_locale);
    result.curve = curve;

    SavingFigures saving;
    CurveResult curveResult;
    const CalculationOutcome outcome = curve ? CalculateSystemCurve(result.record, *curve, m_locale, &saving, &curveResult)
                                             : CalculateSavings(result.record, m_locale, &saving);
    result.computed = outcome.computed;
    result.failure = outcome.failure;
    if (!outcome.computed) {
        if (outcome.failure && m_text)
            result.message = checkMessage(*outcome.failure, m_text, result.record.cboMoedas);
        ++m_summary.leftOutCount;
        if (m_budget)
            m_figures.append(PlantFigures{});
        return result;
    }
    ++m_summary.computedCount;
    if (saving.efficiency > 0)
        result.efficiency = saving.efficiency;
    else
        result.efficiency = NumberFormat::readNumber(result.record.mskRendimento, m_locale);
    result.figures.kwh = saving.kwh;
    result.figures.money = saving.money();
    result.figures.drive = saving.drivePrice;
    result.baseKw = curveResult.baseKw;
    completeFigures(result.figures, m_summary.gridFactor, m_summary.lifetime);

    m_summary.totals.kwh += result.figures.kwh;
    m_summary.totals.money += result.figures.money;
    m_summary.totals.drive += result.figures.drive;
    if (m_budget)
        m_figures.append(result.figures);
    return result;
}

PlantCaseResult PlantAccumulator::addUnread(const QString &reference, const QString &message)
{
    PlantCaseResult result;
    result.reference = reference;
    result.record.mskReferencia = reference;
    result.application = -1;
    result.unread = true;
    result.message = message;
    ++m_summary.leftOutCount;
    if (m_budget)
        m_figures.append(PlantFigures{});
    return result;
}

PlantSummary PlantAccumulator::summary() const
{
    PlantSummary summary = m_summary;
    completeFigures(summary.totals, summary.gridFactor, summary.lifetime);
    if (m_budget)
        summary.choice = PlantEconomics::chooseWithinBudget(m_figures, *m_budget);
    return summary;
}

PlantSummary computeSummary(const PlantInput &input)
{
    PlantAccumulator plant(input.gridFactor, input.lifetime, input.locale, input.text, input.budget);
    QList<PlantCaseResult> cases;
    cases.reserve(input.cases.size());
    for (qsizetype c = 0; c < input.cases.size(); ++c)
        cases.append(plant.add(input.cases[c], input.curves.value(c)));
    PlantSummary summary = plant.summary();
    summary.cases = std::move(cases);
    return summary;
}

namespace PlantFormat {

QString kwh(double value, const QLocale &locale)
{
    return NumberFormat::format(value, u"#,##0", locale);
}

QString money(double value, const QLocale &locale)
{
    return NumberFormat::format(value, u"#,##0.00", locale);
}

QString months(std::optional<double> value, const QLocale &locale)
{
    if (!value)
        return noValue();
    return NumberFormat::format(NumberFormat::roundHalfEven(*value), u"#,##0", locale);
}

QString co2(std::optional<double> value, const QLocale &locale)
{
    return optionalNumber(value, u"#,##0.0", locale);
}

QString npv(std::optional<double> value, const QLocale &locale)
{
    return optionalNumber(value, u"#,##0.00", locale);
}

QString irr(std::optional<double> value, const QLocale &locale)
{
    return optionalNumber(value, u"#,##0.0", locale);
}

QString discountedPayback(std::optional<double> years, const QLocale &locale)
{
    return optionalNumber(years, u"#,##0.0", locale);
}

QString lifetimeSaving(std::optional<double> value, const QLocale &locale)
{
    return optionalNumber(value, u"#,##0.00", locale);
}

QString power(std::optional<double> kw, const QLocale &locale)
{
    return kw ? NumberFormat::format(*kw, u"#,##0.0", locale) : QString();
}

QString efficiency(std::optional<double> percent, const QLocale &locale)
{
    return percent ? NumberFormat::format(*percent, u"#,##0", locale) : QString();
}

QString factor(std::optional<double> kgPerKwh, const QLocale &locale)
{
    if (!kgPerKwh)
        return noValue();
    const QString shortest = NumberFormat::shortestText(*kgPerKwh, QLocale::c());
    const qsizetype point = shortest.indexOf(u'.');
    const qsizetype decimals = point < 0 ? 0 : shortest.size() - point - 1;
    return NumberFormat::format(*kgPerKwh, QStringLiteral("0.") + QString(qMax<qsizetype>(3, decimals), u'0'), locale);
}

QString optionalNumber(std::optional<double> value, QStringView pattern, const QLocale &locale)
{
    return value ? NumberFormat::format(*value, pattern, locale) : noValue();
}

QString oneLine(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(u'\r', u' ').replace(u'\n', u' ');
}

QStringList headingLines(const QString &heading)
{
    const qsizetype bracket = heading.indexOf(QStringLiteral(" ("));
    if (bracket < 0)
        return {heading};
    return {heading.left(bracket), heading.mid(bracket + 1)};
}

} // namespace PlantFormat

PlantCaseTexts caseTexts(const PlantCaseResult &result, const QLocale &locale)
{
    PlantCaseTexts texts;
    texts.power = PlantFormat::power(result.powerKw, locale);
    if (!result.computed)
        return texts;
    const PlantFigures &f = result.figures;
    texts.efficiency = PlantFormat::efficiency(result.efficiency, locale);
    // No saving shows as the main window shows it.
    const bool saves = f.kwh != 0.0;
    texts.kwh = saves ? PlantFormat::kwh(f.kwh, locale) : noValue();
    texts.money = saves ? PlantFormat::money(f.money, locale) : noValue();
    texts.drive = PlantFormat::money(f.drive, locale);
    texts.months = saves ? PlantFormat::months(f.months, locale) : noValue();
    texts.co2 = PlantFormat::co2(f.co2, locale);
    texts.npv = PlantFormat::npv(f.npv, locale);
    texts.irr = PlantFormat::irr(f.irr, locale);
    texts.discountedPayback = PlantFormat::discountedPayback(f.discountedPayback, locale);
    return texts;
}

PlantCaseTexts totalTexts(const PlantSummary &summary, const QLocale &locale)
{
    const PlantFigures &f = summary.totals;
    PlantCaseTexts texts;
    texts.kwh = PlantFormat::kwh(f.kwh, locale);
    texts.money = PlantFormat::money(f.money, locale);
    texts.drive = PlantFormat::money(f.drive, locale);
    texts.months = PlantFormat::months(f.months, locale);
    texts.co2 = PlantFormat::co2(f.co2, locale);
    texts.npv = PlantFormat::npv(f.npv, locale);
    texts.irr = PlantFormat::irr(f.irr, locale);
    texts.discountedPayback = PlantFormat::discountedPayback(f.discountedPayback, locale);
    return texts;
}
