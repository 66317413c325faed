// Renders the plant's two charts to PNG files, in the plant window's size and in the printed summary's,
// for looking at them: a plant of 24 motors with a budget that buys some of them.
// Usage: plantcharts_screenshot <folder with Config.ini> <output folder>
// writes plantcharts-<savings|cashflow>-<window|page>-<PT|ES|EN>.png.
#include "localisation/scrambledfile.h"
#include "localisation/texttable.h"
#include "plant/cashflowchart.h"
#include "plant/planteconomics.h"
#include "plant/savingsparetochart.h"
#include "support/samplecases.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

namespace {

// Savings that fall off quickly, as in most plants, and drives of 0.6 to 2 years' saving.
PlantSummary examplePlant()
{
    const QStringList names{QStringLiteral("Recalque %1"), QStringLiteral("Captação %1"), QStringLiteral("Exaustor %1"),
                            QStringLiteral("Ventilador %1")};
    QList<SampleCases::FigureCase> cases;
    for (int i = 0; i < 24; ++i) {
        const double money = 48000.0 / (1 + i * 0.7) + 150 * (i % 3);
        cases.append({money * (0.6 + 0.35 * ((i * 7) % 5)), money, names[i % 4].arg(i / 4 + 1)});
    }
    return SampleCases::plantOf(cases);
}

bool save(const PlantChart &chart, const QDir &output, const QString &name)
{
    if (!chart.image(2).save(output.filePath(name))) {
        QTextStream(stderr) << "cannot write " << output.filePath(name) << "\n";
        return false;
    }
    QTextStream(stdout) << output.filePath(name) << "\n";
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        QTextStream(stderr) << "usage: plantcharts_screenshot <folder with Config.ini> <output folder>\n";
        return 2;
    }
    TextTable texts;
    const QString problem = readScrambledTable(texts, programFilePath(args[1], "Config.ini"), nullptr);
    const QDir output(args[2]);
    if (!problem.isEmpty() || !QDir().mkpath(output.path())) {
        QTextStream(stderr) << (problem.isEmpty() ? QStringLiteral("cannot create ") + output.path() : problem) << "\n";
        return 1;
    }
    const PlantSummary summary = examplePlant();
    const PlantLifetime terms{15, 8, 3};
    const PlantEconomics::BudgetChoice choice = PlantEconomics::chooseWithinBudget(summary, 150000.0);
    const QList<double> cashFlow = PlantEconomics::cumulativeCashFlow(summary.totals.drive, summary.totals.money, terms);
    const std::optional<double> payback = PlantEconomics::discountedPayback(summary.totals.drive, summary.totals.money, terms);
    const QStringList codes{QStringLiteral("PT"), QStringLiteral("ES"), QStringLiteral("EN")};
    const QList<QLocale> locales{QLocale(QLocale::Portuguese, QLocale::Brazil), QLocale(QLocale::Spanish, QLocale::Spain),
                                 QLocale(QLocale::English, QLocale::UnitedStates)};
    const std::array<std::pair<ChartFrame, QString>, 2> frames{
        {{ChartFrame::window(), QStringLiteral("window")}, {ChartFrame::page(), QStringLiteral("page")}}};
    for (int language = 0; language < codes.size(); ++language) {
        for (const auto &[frame, frameName] : frames) {
            const ChartContext context{[&texts, language](int n) { return texts.entry(n, language); }, locales[language],
                                       language == 2 ? QStringLiteral("US$") : QStringLiteral("R$"), frame};
            const QString suffix = frameName + u'-' + codes[language] + QStringLiteral(".png");
            if (!save(SavingsParetoChart(summary, choice, context), output, QStringLiteral("plantcharts-savings-") + suffix)
                || !save(CashFlowChart(cashFlow, payback, context), output,
                         QStringLiteral("plantcharts-cashflow-") + suffix))
                return 1;
        }
    }
    return 0;
}
