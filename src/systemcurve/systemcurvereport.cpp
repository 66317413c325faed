#include "systemcurve/systemcurvereport.h"

#include "calc/numberformat.h"
#include "report/printerreport.h"
#include "report/reportjob.h"
#include "report/reportprinter.h"
#include "systemcurve/systemcurvechart.h"
#include "systemcurve/systemcurvetext.h"

#include <QPainter>

#include <algorithm>

namespace {

const QString Font = QStringLiteral("Arial");
const QString CrLf = QStringLiteral("\r\n");
constexpr double CompanySize = 16;
constexpr double BodySize = 7;
constexpr double Width = 547;
constexpr double Line = 9;

// The two columns of the inputs and the parameters.
constexpr double CaseValueX = 90;
constexpr double ParametersX = 285;
constexpr double InputsTop = 72;
// The results: the labels, then the right ends of the three columns.
constexpr double ResultsTop = 150;
constexpr std::array<double, 3> ResultRight{330, 430, Width};
constexpr double WarningsTop = ResultsTop + 4 * Line + 6;
// The figures per flow level, left of the formulas; the symbols, the chart and the model in words
// follow each other below them, as long as each one's language makes it.
constexpr double LevelsTop = 228;
constexpr std::array<double, 6> LevelRight{32, 64, 110, 160, 205, 250};
constexpr double FormulasX = 270;
constexpr int WordsWidth = 150; // characters a line of words holds across the page
constexpr double Gap = 8;

// Notation is the same in every language.
const QString DriveEfficiencySymbol = QStringLiteral("ηd");

} // namespace

QStringList systemCurveFormulas()
{
    return {QStringLiteral("V(q) = q × max(h0 + (1 − h0) × q², smin²) / ηd"),
            QStringLiteral("f(q) = T(q) − V(q),   q = 100, 90, 80, 70, 60, 50 %"),
            QStringLiteral("E = P0 × d × Σ f(q) × h(q)"), QStringLiteral("M = E × p,   n = I / M × 12")};
}

// One print job's layout, over the steps of a ReportJob.
struct SystemCurveReport::Page
{
    ReportJob &job;
    const SystemCurveReportInput &input;
    const ModelComparison comparison;
    Dialogs &dialogs;

    const CaseDocument &document() const { return input.document; }
    const QLocale &locale() const { return input.document.locale; }
    QString text(int number) const { return job.text(number); }
    QString number(double value, QStringView pattern) const { return NumberFormat::format(value, pattern, locale()); }
    QString withCurrency(int number) const
    {
        return text(number).trimmed() + QStringLiteral(" (") + document().record.cboMoedas + QStringLiteral("):");
    }
    void heading(double x, double y, const QString &caption)
    {
        job.setFont(Font, BodySize, true, false);
        job.printAt(x, y, caption);
        job.setFont(Font, BodySize, false, false);
    }
    // The lines of `words` wrapped at `width` characters from (x, y); the y below them.
    double wrapped(double x, double y, const QString &words, int width)
    {
        job.step([&] { return job.printer().setCurrentX(job.leftMargin + x); });
        job.step([&] { return job.printer().setCurrentY(job.topMargin + y); });
        if (!job.abandoned())
            PrinterReport(dialogs).Printer_BreakEach(job.printer(), words, width);
        return job.printer().currentY() - job.topMargin;
    }

    void inputs();
    void parameters();
    void results();
    void levels();
    void model();
};

void SystemCurveReport::Page::inputs()
{
    const CaseRecord &r = document().record;
    const CaseNumbers &n = comparison.numbers;
    heading(0, InputsTop, text(CurveReportText::CaseHeading));
    const QList<std::pair<QString, QString>> rows{
        {text(ReportText::Application) + QStringLiteral(":"), document().applicationText},
        {text(ReportText::ReferencePrefix), r.mskReferencia},
        {text(ReportText::Power), NumberFormat::formatText(r.mskPotencia, u"#,##0.00", locale())
                                      + text(r.isKw() ? ReportText::UnitKw : ReportText::UnitHp)},
        {text(ReportText::Efficiency) + QStringLiteral(":"),
         comparison.failure ? r.mskRendimento : number(n.efficiency, u"#,##0")},
        {withCurrency(ReportText::KwhPrice), NumberFormat::formatText(r.mskValorkWh, u"#,##0.00", locale())},
        {withCurrency(ReportText::DrivePrice), NumberFormat::formatText(r.mskInversor, u"#,##0.00", locale())},
    };
    double y = InputsTop + Line + 1;
    for (const auto &[label, value] : rows) {
        job.printAt(0, y, label);
        job.printAt(CaseValueX, y, value);
        y += Line;
    }
    // The days' caption is long in every language: the case report joins it to the figure too.
    job.printAt(0, y, text(ReportText::DaysPrefix) + r.mskDiaAno);
}

void SystemCurveReport::Page::parameters()
{
    const SystemCurveParameters &p = input.parameters;
    heading(ParametersX, InputsTop, text(CurveWindowText::Parameters));
    double y = InputsTop + Line + 1;
    for (CurveParameter parameter : CurveParameters) {
        job.printAt(ParametersX, y, text(CurveWindowText::parameterLabel(parameter)));
        job.printRightAt(Width, y, parameterText(p, parameter, locale()));
        y += Line;
    }
    QString base = number(comparison.curve.baseKw, u"#,##0.00");
    base += QStringLiteral(" (")
            + text(p.measuredKw ? CurveReportText::Measured : CurveReportText::PowerOverEfficiency)
            + QStringLiteral(")");
    job.printAt(ParametersX, y, text(CurveReportText::BasePower));
    job.printRightAt(Width, y, comparison.failure ? QString() : base);
}

void SystemCurveReport::Page::results()
{
    heading(0, ResultsTop, text(CurveWindowText::Results));
    job.setFont(Font, BodySize, true, false);
    const std::array<int, 3> columns{CurveWindowText::FixedTable, CurveWindowText::Title, CurveWindowText::Difference};
    for (std::size_t c = 0; c < columns.size(); ++c)
        job.printRightAt(ResultRight[c], ResultsTop, text(columns[c]));
    job.setFont(Font, BodySize, false, false);
    job.rule(0, ResultsTop + Line, Width, ResultsTop + Line);

    const ComparisonTexts shown = comparisonTexts(comparison, locale());
    const std::array<QString, 3> labels{text(ReportText::SavingKwh), withCurrency(ReportText::SavingMoney),
                                        text(ReportText::Payback)};
    for (std::size_t row = 0; row < labels.size(); ++row) {
        const double y = ResultsTop + double(row + 1) * Line + 1;
        job.printAt(0, y, labels[row]);
        job.printRightAt(ResultRight[0], y, shown.table[row]);
        job.printRightAt(ResultRight[1], y, shown.curve[row]);
        job.printRightAt(ResultRight[2], y, shown.difference[row]);
    }
    job.rule(0, ResultsTop + 4 * Line + 2, Width, ResultsTop + 4 * Line + 2);

    // The warnings, or why nothing could be computed.
    const QStringList lines =
        comparison.failure ? QStringList{checkMessage(*comparison.failure, document().text, document().record.cboMoedas)}
                           : warningMessages(comparison.curve, document().text, locale());
    double y = WarningsTop;
    for (const QString &line : lines) {
        job.printAt(0, y, line);
        y += Line;
    }
}

void SystemCurveReport::Page::levels()
{
    job.setFont(Font, BodySize, true, false);
    const QStringList headings{text(CurveChartText::FlowAxis), text(CurveChartText::HoursPerDay),
                               QStringLiteral("T(q) %"), text(CurveWindowText::FixedTable) + QStringLiteral(" %"),
                               QStringLiteral("V(q) %"), QStringLiteral("f(q) %")};
    for (int c = 0; c < headings.size(); ++c)
        job.printRightAt(LevelRight[static_cast<std::size_t>(c)], LevelsTop, headings[c]);
    job.setFont(Font, BodySize, false, false);
    job.rule(0, LevelsTop + Line, LevelRight.back(), LevelsTop + Line);
    const int application = document().record.cboAplicacao;
    const bool known = application >= 0 && application < ApplicationCount;
    for (int level = 0; level < CurveLevelCount; ++level) {
        const CurveLevel &l = comparison.curve.levels[static_cast<std::size_t>(level)];
        // The table's drive series runs from 50 % flow up.
        const QString tableDrive =
            known ? number(SavingsCurveTable[static_cast<std::size_t>(application)]
                               .drive[static_cast<std::size_t>(ChartPointCount - 1 - level)],
                           u"#,##0.0")
                  : QString();
        const QStringList cells{locale().toString(CurveFlows[static_cast<std::size_t>(level)]),
                                number(l.hours, u"#,##0.0"), number(l.throttled * 100, u"#,##0.0"), tableDrive,
                                number(l.drive * 100, u"#,##0.0"), number(l.fraction * 100, u"#,##0.0")};
        const double y = LevelsTop + (level + 1) * Line + 1;
        for (int c = 0; c < cells.size(); ++c)
            job.printRightAt(LevelRight[static_cast<std::size_t>(c)], y, cells[c]);
    }
}

void SystemCurveReport::Page::model()
{
    double y = LevelsTop;
    for (const QString &formula : systemCurveFormulas()) {
        job.printAt(FormulasX, y, formula);
        y += Line;
    }
    y = std::max(y, LevelsTop + (CurveLevelCount + 1) * Line) + Gap;
    y = wrapped(0, y, withValue(text(CurveReportText::Symbols), DriveEfficiencySymbol), WordsWidth);

    const QRectF chart(QPointF((Width - ChartSize.width()) / 2, y + Gap), ChartSize);
    const CurveResult &curve = comparison.curve;
    const int application = document().record.cboAplicacao;
    job.picture(chart, QSizeF(SystemCurveChart::Size), [&](QPainter &painter) {
        SystemCurveChart(application, curve, document().text, locale()).paint(painter);
    });

    y = chart.bottom() + Gap;
    heading(0, y, text(CurveReportText::ModelHeading));
    QString words;
    for (int paragraph : {CurveReportText::ThrottledWords, CurveReportText::DriveWords, CurveReportText::SavingWords,
                          CurveReportText::TableWords})
        words += (words.isEmpty() ? QString() : CrLf) + text(paragraph);
    wrapped(0, y + Line + 1, words, WordsWidth);
}

SystemCurveReport::SystemCurveReport(Dialogs &dialogs, QWidget *messageParent)
    : m_dialogs(dialogs)
    , m_messageParent(messageParent)
{
}

bool SystemCurveReport::print(ReportPrinter &printer, const SystemCurveReportInput &input)
{
    const CaseDocument &document = input.document;
    ReportJob job(printer, m_dialogs, m_messageParent, document.text);
    Page page{job, input, compareModels(document.record, input.parameters, document.locale), m_dialogs};
    job.step([&] { return printer.startDocument(); });
    job.step([&] { return printer.setScaleToPoints(); });
    job.companyHeader(document.company, Font, CompanySize,
                      page.text(ReportText::DatePrefix) + NumberFormat::formatDate(document.shownDate(), document.locale),
                      page.text(CurveReportText::Title));
    job.setFont(Font, BodySize, false, false);
    page.inputs();
    page.parameters();
    page.results();
    if (!page.comparison.failure) {
        page.levels();
        page.model();
    }
    return job.step([&] { return printer.endDocument(); });
}
