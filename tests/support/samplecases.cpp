#include "support/samplecases.h"

#include <QTest>

#include <utility>

namespace SampleCases {

CaseRecord workedExample()
{
    CaseRecord r;
    r.mskPotencia = QStringLiteral("10");
    r.mskRendimento = QStringLiteral("90");
    r.mskValorkWh = QStringLiteral("0.10");
    r.mskInversor = QStringLiteral("1000");
    r.mskVazao90 = r.mskVazao80 = r.mskVazao70 = QStringLiteral("8");
    return r;
}

CompanyBlock company()
{
    CompanyBlock company;
    company.CompanyName = QStringLiteral("Acme Drives");
    company.Street = QStringLiteral("1 Main Street");
    company.CityLine = QStringLiteral("Springfield");
    return company;
}

PlantSummary plantOf(const QList<FigureCase> &cases)
{
    PlantSummary summary;
    for (const FigureCase &c : cases) {
        PlantCaseResult result;
        result.reference = c.reference;
        result.computed = c.computed;
        if (c.computed) {
            result.figures.kwh = c.money * 10;
            result.figures.money = c.money;
            result.figures.drive = c.drive;
            summary.totals.kwh += result.figures.kwh;
            summary.totals.money += c.money;
            summary.totals.drive += c.drive;
        }
        summary.cases.append(result);
    }
    return summary;
}

} // namespace SampleCases

char *toString(const CaseRecord &r)
{
    static const std::pair<const char *, QString CaseRecord::*> Texts[]{
        {"mskPotencia", &CaseRecord::mskPotencia},     {"mskRendimento", &CaseRecord::mskRendimento},
        {"mskValorkWh", &CaseRecord::mskValorkWh},     {"mskInversor", &CaseRecord::mskInversor},
        {"mskDiaAno", &CaseRecord::mskDiaAno},         {"mskVazao100", &CaseRecord::mskVazao100},
        {"mskVazao90", &CaseRecord::mskVazao90},       {"mskVazao80", &CaseRecord::mskVazao80},
        {"mskVazao70", &CaseRecord::mskVazao70},       {"mskVazao60", &CaseRecord::mskVazao60},
        {"mskVazao50", &CaseRecord::mskVazao50},       {"mskReferencia", &CaseRecord::mskReferencia},
        {"mskEconomiakW", &CaseRecord::mskEconomiakW}, {"mskEconomiaReais", &CaseRecord::mskEconomiaReais},
        {"mskRetorno", &CaseRecord::mskRetorno}};
    QString out = QStringLiteral("cboAplicacao=%1 optUnPotencia=%2 cboMoedas=\"%3\"")
                      .arg(r.cboAplicacao)
                      .arg(r.optUnPotencia)
                      .arg(r.cboMoedas);
    for (const auto &[name, text] : Texts)
        out += QStringLiteral(" %1=\"%2\"").arg(QLatin1String(name), r.*text);
    return qstrdup(out.toUtf8().constData()); // whole, where QTest::toString(QString) cuts long texts
}
