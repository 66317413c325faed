#include "plant/plantreport.h"

#include "calc/numberformat.h"
#include "plant/cashflowchart.h"
#include "plant/economicstext.h"
#include "plant/gridfactor.h"
#include "plant/planteconomics.h"
#include "plant/plantcurve.h"
#include "plant/planttext.h"
#include "plant/savingsparetochart.h"
#include "report/reportjob.h"
#include "report/reportprinter.h"

#include <QFontMetricsF>
#include <QImage>
#include <algorithm>
#include <array>
#include <cmath>

namespace {

const QString Font = QStringLiteral("Arial");

// The page, in points from the top-left corner of the printable area, as the case report lays it out.
constexpr double Width = 547;
constexpr double CompanySize = 16;
constexpr double HeaderTextSize = 8;
constexpr double BodySize = 7;
constexpr double HeadingSize = 6.5;
// Where the last line of a page ends at the latest: inside the printable height of a Letter page, the
// shorter of Letter and A4, below the top margin.
constexpr double TextBottom = 730;

// The first page shows the plant's two charts side by side under the title, the table below them.
constexpr double ChartsTop = 72;
constexpr double ChartGap = 12;

// The table: a heading of four lines, then two lines a case: the reference with the figures of a year,
// and below it the application with the lifetime figures, so that the long application names never run
// into the figures.
constexpr double TableTop = 72;
constexpr double LineHeight = 8.5;
constexpr double HeadingHeight = 4 * LineHeight + 2;
constexpr double RowHeight = 2 * LineHeight;
constexpr int MessageWidth = 90; // characters of a failed case's message a line holds
constexpr double ReferenceWidth = 195; // points: the reference ends before the widest power figure

// The figures and their headings end at the right edge of their column. Each column is as wide as its
// longest heading line in the three languages ("Precio del variador", "Amortización") and a gap.
enum FigureColumn { PowerColumn, EfficiencyColumn, KwhColumn, MoneyColumn, DriveColumn, MonthsColumn, Co2Column };
constexpr std::array<double, 7> ColumnRight{234, 281, 331, 389, 455, 507, Width};
// The lifetime figures on a case's second line end under every other column, so that their longer
// headings ("Valor presente líquido", "Amortización descontada") have the room of two.
constexpr std::array<FigureColumn, 3> LifetimeColumns{KwhColumn, DriveColumn, Co2Column};
// A failed case's message starts after the power column.
constexpr double MessageX = 245;
// The chosen drives' rows lie on a band of the chart's colour for them, lightened.
const QColor ChosenBand(214, 236, 214);

constexpr double rowsTop(double tableTop)
{
    return tableTop + HeadingHeight + 2;
}

constexpr double chartsBottom()
{
    return ChartsTop + 175; // ChartFrame::page()'s height
}

constexpr int rowsFrom(double tableTop, double rowHeight = RowHeight)
{
    return int((TextBottom - rowsTop(tableTop)) / rowHeight);
}

static_assert(rowsFrom(chartsBottom() + ChartGap) == PlantReport::FirstPageRows);
static_assert(rowsFrom(TableTop) == PlantReport::RowsPerPage);

double tableTopOf(int page)
{
    return page == 1 ? chartsBottom() + ChartGap : TableTop;
}

// One page of the table: its rows, and whether the closing block follows them.
struct Page
{
    qsizetype first = 0;
    qsizetype count = 0;
    bool closing = false;
};

// The rows of each page, the closing block after the last row where it fits, else on a page of its own.
QList<Page> pagesFor(qsizetype cases, double closingHeight, double rowHeight)
{
    QList<Page> pages;
    qsizetype next = 0;
    for (int page = 1;; ++page) {
        const double top = rowsTop(tableTopOf(page));
        const qsizetype count = std::min<qsizetype>(rowsFrom(tableTopOf(page), rowHeight), cases - next);
        const bool last = next + count == cases;
        // A page without rows takes the closing block whatever its height.
        const bool closing = last && (count == 0 || top + double(count) * rowHeight + closingHeight <= TextBottom);
        pages.append({next, count, closing});
        next += count;
        if (closing)
            return pages;
    }
}

// A message cut into at most two lines of `width` characters, broken at blanks.
QStringList messageLines(QString message, int width)
{
    message = PlantFormat::oneLine(message);
    QStringList lines;
    while (!message.isEmpty() && lines.size() < 2) {
        if (message.size() <= width) {
            lines << message;
            message.clear();
            break;
        }
        qsizetype cut = message.lastIndexOf(u' ', width);
        if (cut <= 0)
            cut = width;
        lines << message.left(cut).trimmed();
        message = message.mid(cut).trimmed();
    }
    if (!message.isEmpty())
        lines.last() = lines.last().left(width - 3) + QStringLiteral("...");
    return lines;
}

// text cut with "…" to at most `width` points of the body font, measured as the printer measures it.
QString elided(const QString &text, bool italic, double width)
{
    QImage device(1, 1, QImage::Format_Mono);
    device.setDotsPerMeterX(2835); // 72 dots an inch: a dot is a point
    device.setDotsPerMeterY(2835);
    QFont font(Font);
    font.setPointSizeF(BodySize);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    return QFontMetricsF(font, &device).elidedText(PlantFormat::oneLine(text), Qt::ElideRight, width);
}

// The date in the regional short form, with the year in four digits ("3/1/2026", "01/03/2026").
QString regionalDate(const QDate &date, const QLocale &locale)
{
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy")))
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return locale.toString(date, format);
}

// A label and its value in the closing block.
struct ClosingLine
{
    QString label;
    QString value;
};

QString withCurrency(const PlantReportInput &input, int number)
{
    return (input.text ? input.text(number) : QString()) + QStringLiteral(" (") + input.currency + u')';
}

// The plant's settings and lifetime figures under the totals.
QList<ClosingLine> closingLines(const PlantReportInput &input)
{
    const PlantSummary &summary = input.summary;
    const QLocale &locale = input.locale;
    const auto text = [&input](int number) { return input.text ? input.text(number) : QString(); };
    QList<ClosingLine> lines;
    lines << ClosingLine{text(PlantText::GridFactor), PlantFormat::factor(summary.gridFactor, locale)};
    if (const std::optional<PlantLifetime> &lifetime = summary.lifetime) {
        const PlantFigures &totals = summary.totals;
        lines << ClosingLine{text(PlantText::Years), QString::number(lifetime->years)}
              << ClosingLine{text(PlantText::Rate), NumberFormat::format(lifetime->ratePercent, u"#,##0.0#", locale)}
              << ClosingLine{text(EconomicsText::Escalation),
                             NumberFormat::format(lifetime->escalationPercent, u"#,##0.0#", locale)}
              << ClosingLine{withCurrency(input, PlantText::Npv), PlantFormat::npv(totals.npv, locale)}
              << ClosingLine{text(PlantText::Irr), PlantFormat::irr(totals.irr, locale)}
              << ClosingLine{text(EconomicsText::DiscountedPayback),
                             PlantFormat::discountedPayback(totals.discountedPayback, locale)}
              << ClosingLine{withCurrency(input, PlantText::LifetimeSaving),
                             PlantFormat::lifetimeSaving(totals.lifetimeSaving, locale)}
              << ClosingLine{text(PlantText::LifetimeCo2), PlantFormat::co2(totals.lifetimeCo2, locale)};
    }
    if (summary.choice)
        lines << ClosingLine{withCurrency(input, EconomicsText::Budget), PlantFormat::money(summary.choice->budget, locale)};
    if (summary.leftOutCount > 0)
        lines << ClosingLine{text(PlantText::CasesLeftOut).arg(summary.leftOutCount), QString()};
    return lines;
}

// The height of the closing block: the totals row, the budget's choice, the lines and the source.
double closingHeight(const PlantReportInput &input)
{
    const double rows = input.summary.choice ? 2 * RowHeight : RowHeight;
    return 2 + rows + 6 + double(closingLines(input).size()) * (LineHeight + 1) + LineHeight;
}

// Some case uses the system curve: every computed case says which model it uses, under its figures.
bool showsModels(const PlantSummary &summary)
{
    return std::any_of(summary.cases.cbegin(), summary.cases.cend(),
                       [](const PlantCaseResult &result) { return result.curve.has_value(); });
}

// With the lifetime figures on a case's second line, the model goes on a third.
double rowHeightOf(const PlantReportInput &input)
{
    return showsModels(input.summary) && input.summary.lifetime ? RowHeight + LineHeight : RowHeight;
}

QList<Page> pagesFor(const PlantReportInput &input)
{
    return pagesFor(input.summary.cases.size(), closingHeight(input), rowHeightOf(input));
}

} // namespace

// One print job's layout, over the steps of a ReportJob.
struct PlantReport::Job
{
    ReportJob &job;
    const PlantReportInput &input;
    QList<bool> chosen; // per case: the budget's choice takes it
    // Some case uses the system curve: every computed case says which model it uses, under its figures.
    bool showModels = showsModels(input.summary);
    double rowHeight = rowHeightOf(input);

    QString text(int number) const { return job.text(number); }
    QString withCurrency(int number) const { return ::withCurrency(input, number); }

    void setFont(double size, bool bold, bool italic) { job.setFont(Font, size, bold, italic); }

    void printAt(double x, double y, const QString &line)
    {
        if (!line.isEmpty())
            job.printAt(x, y, line);
    }

    // A figure, ending at the right edge of its column.
    void printFigure(FigureColumn column, double y, const QString &figure)
    {
        if (!figure.isEmpty())
            job.printRightAt(ColumnRight[column], y, figure);
    }

    // The case report's header, and the page number.
    void header(int page, int pages)
    {
        job.companyHeader(input.company, Font, CompanySize,
                          text(PlantText::DatePrefix) + regionalDate(input.shownDate(), input.locale),
                          text(PlantText::Title));
        if (pages > 1) {
            setFont(HeaderTextSize, false, false);
            printAt(460, 50, text(PlantText::PageOf).arg(page).arg(pages));
        }
    }

    // "Where the savings are" at the left, "When it pays" at the right when there is a lifetime.
    void charts()
    {
        const ChartContext context{input.text, input.locale, input.currency, ChartFrame::page()};
        const QSizeF size = context.frame.size;
        const SavingsParetoChart savings(input.summary, input.summary.choice, context);
        job.picture(QRectF(QPointF(0, ChartsTop), size), size, [&](QPainter &painter) { savings.paint(painter); });
        if (!input.summary.lifetime)
            return;
        const CashFlowChart cashFlow = CashFlowChart::ofPlant(input.summary, context);
        job.picture(QRectF(QPointF(Width - size.width(), ChartsTop), size), size,
                    [&](QPainter &painter) { cashFlow.paint(painter); });
    }

    // Headings of two lines each: the year's figures above, in italics below them the lifetime figures.
    void tableHeading(double top)
    {
        setFont(HeadingSize, true, false);
        printAt(0, top, text(PlantText::Reference));
        const std::array<QString, 7> headings{
            text(PlantText::PowerKw),      text(PlantText::Efficiency),   text(PlantText::KwhYear),
            withCurrency(PlantText::MoneyYear), withCurrency(PlantText::DrivePrice),
            text(PlantText::PaybackMonths), text(PlantText::Co2Year)};
        for (std::size_t c = 0; c < headings.size(); ++c)
            headingAt(FigureColumn(c), top, headings[c]);
        setFont(HeadingSize, true, true);
        printAt(0, top + 2 * LineHeight, text(PlantText::Application));
        if (input.summary.lifetime) {
            const std::array<QString, 3> lifetime{withCurrency(PlantText::Npv), text(PlantText::Irr),
                                                  text(EconomicsText::DiscountedPayback)};
            for (std::size_t c = 0; c < lifetime.size(); ++c)
                headingAt(LifetimeColumns[c], top + 2 * LineHeight, lifetime[c]);
        }
        job.rule(0, top + HeadingHeight - 0.5, Width, top + HeadingHeight - 0.5);
    }

    void headingAt(FigureColumn column, double y, const QString &heading)
    {
        const QStringList lines = PlantFormat::headingLines(heading);
        for (qsizetype l = 0; l < lines.size(); ++l)
            printFigure(column, y + double(l) * LineHeight, lines[l]);
    }

    void figures(double y, const PlantCaseTexts &t)
    {
        const std::array<const QString *, 7> cells{&t.power, &t.efficiency, &t.kwh, &t.money,
                                                   &t.drive, &t.months, &t.co2};
        for (std::size_t c = 0; c < cells.size(); ++c)
            printFigure(FigureColumn(c), y, *cells[c]);
        if (!input.summary.lifetime)
            return;
        setFont(BodySize, false, true);
        const std::array<const QString *, 3> lifetime{&t.npv, &t.irr, &t.discountedPayback};
        for (std::size_t c = 0; c < lifetime.size(); ++c)
            printFigure(LifetimeColumns[c], y + LineHeight, *lifetime[c]);
    }

    void band(double y, double height) { job.fill(QRectF(QPointF(0, y - 1), QPointF(Width, y + height - 1)), ChosenBand); }

    void caseRow(double y, qsizetype index)
    {
        const PlantCaseResult &result = input.summary.cases[index];
        if (chosen.value(index))
            band(y, rowHeight);
        setFont(BodySize, false, false);
        printAt(0, y, elided(result.reference, false, ReferenceWidth));
        setFont(BodySize, false, true);
        printAt(0, y + LineHeight, elided(applicationName(result.application), true, MessageX));
        setFont(BodySize, false, false);
        if (result.computed) {
            figures(y, caseTexts(result, input.locale));
            setFont(BodySize, false, false);
            if (showModels)
                printAt(MessageX, y + rowHeight - LineHeight,
                        elided(plantModelLine(result, input.text, input.locale), false, Width - MessageX));
            return;
        }
        printFigure(PowerColumn, y, PlantFormat::power(result.powerKw, input.locale));
        const QStringList lines = messageLines(result.message, MessageWidth);
        for (qsizetype l = 0; l < lines.size(); ++l)
            printAt(MessageX, y + double(l) * LineHeight, lines[l]);
    }

    QString applicationName(int application) const
    {
        if (application < 0 || application >= ApplicationCount)
            return QString();
        return text(PlantText::FirstApplication + application);
    }

    // The totals row, the budget's choice on its band, then the settings and lifetime figures and the
    // grid factor's source.
    void closing(double y)
    {
        const PlantSummary &summary = input.summary;
        job.rule(0, y, Width, y);
        setFont(BodySize, true, false);
        printAt(0, y + 2, text(PlantText::Total));
        figures(y + 2, totalTexts(summary, input.locale));
        y += RowHeight + 2;
        if (summary.choice) {
            band(y, RowHeight);
            setFont(BodySize, true, false);
            printAt(0, y, PlantEconomics::choiceLabel(*summary.choice, input.text));
            const PlantCaseTexts choice = PlantEconomics::choiceTexts(*summary.choice, input.locale);
            for (const auto &[column, figure] : {std::pair{KwhColumn, choice.kwh}, std::pair{MoneyColumn, choice.money},
                                                 std::pair{DriveColumn, choice.drive}, std::pair{MonthsColumn, choice.months}})
                printFigure(column, y, figure);
            y += RowHeight;
        }
        y += 6;
        setFont(BodySize, false, false);
        for (const ClosingLine &line : closingLines(input)) {
            printAt(0, y, line.label);
            printFigure(PowerColumn, y, line.value);
            y += LineHeight + 1;
        }
        setFont(BodySize, false, true);
        printAt(0, y, input.factorSource);
    }

    void run()
    {
        ReportPrinter &printer = job.printer();
        job.step([&] { return printer.startDocument(); });
        job.step([&] { return printer.setScaleToPoints(); });
        const QList<PlantCaseResult> &cases = input.summary.cases;
        chosen = input.summary.choice ? input.summary.choice->flags(cases.size()) : QList<bool>();
        const QList<Page> pages = pagesFor(input);
        for (int page = 1; page <= pages.size() && !job.abandoned(); ++page) {
            if (page > 1)
                job.step([&] { return printer.newPage(); });
            header(page, int(pages.size()));
            if (page == 1)
                charts();
            tableHeading(tableTopOf(page));
            double y = rowsTop(tableTopOf(page));
            const Page &rows = pages[page - 1];
            for (qsizetype row = rows.first; row < rows.first + rows.count; ++row, y += rowHeight)
                caseRow(y, row);
            if (rows.closing)
                closing(y);
        }
    }
};

PlantReport::PlantReport(Dialogs &dialogs, QWidget *messageParent)
    : m_dialogs(dialogs)
    , m_messageParent(messageParent)
{
}

int PlantReport::pageCount(const PlantReportInput &input)
{
    return int(pagesFor(input).size());
}

bool PlantReport::print(ReportPrinter &printer, const PlantReportInput &input)
{
    ReportJob job(printer, m_dialogs, m_messageParent, input.text);
    Job{job, input, {}}.run();
    return job.step([&] { return printer.endDocument(); });
}
