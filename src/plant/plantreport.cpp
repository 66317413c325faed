#include "plant/plantreport.h"

#include "calc/numberformat.h"
#include "plant/gridfactor.h"
#include "plant/plantcurve.h"
#include "plant/planttext.h"
#include "report/reportjob.h"
#include "report/reportprinter.h"

#include <QFontMetricsF>
#include <QImage>
#include <algorithm>
#include <array>

namespace {

const QString Font = QStringLiteral("Arial");

// The page, in points from the top-left corner of the printable area, as the case report lays it out.
constexpr double TopMargin = 31;
constexpr double LeftMargin = 28;
constexpr double Width = 547;
constexpr double CompanySize = 16;
constexpr double HeaderTextSize = 8;
constexpr double BodySize = 7;
constexpr double HeadingSize = 6.5;

// The table: a heading of two lines, then two lines a case (the reference with the figures, the
// application below), so that the long application names never run into the figures.
constexpr double TableTop = 72;
constexpr double HeadingHeight = 18;
constexpr double LineHeight = 8.5;
constexpr double RowHeight = 2 * LineHeight;
constexpr int MessageWidth = 90; // characters of a failed case's message a line holds
constexpr double ReferenceWidth = 195; // points: the reference ends before the widest power figure

// The figures and their headings end at the right edge of their column. Each column is as wide as its
// longest heading line in the three languages ("Precio del variador", "Amortización") and a gap.
enum FigureColumn { PowerColumn, EfficiencyColumn, KwhColumn, MoneyColumn, DriveColumn, MonthsColumn, Co2Column };
constexpr std::array<double, 7> ColumnRight{234, 281, 331, 389, 455, 507, Width};
// A failed case's message starts after the power column.
constexpr double MessageX = 245;

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

} // namespace

// One print job's layout, over the steps of a ReportJob.
struct PlantReport::Job
{
    ReportJob &job;
    const PlantReportInput &input;
    // Some case uses the system curve: every computed case says which model it uses, under its figures.
    bool showModels = std::any_of(input.summary.cases.cbegin(), input.summary.cases.cend(),
                                  [](const PlantCaseResult &result) { return result.curve.has_value(); });

    QString text(int number) const { return job.text(number); }
    QString withCurrency(int number) const
    {
        return text(number) + QStringLiteral(" (") + input.currency + u')';
    }

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

    void tableHeading()
    {
        setFont(HeadingSize, true, false);
        printAt(0, TableTop, text(PlantText::Reference));
        printAt(0, TableTop + LineHeight, text(PlantText::Application));
        const std::array<QString, 7> headings{
            text(PlantText::PowerKw),      text(PlantText::Efficiency),   text(PlantText::KwhYear),
            withCurrency(PlantText::MoneyYear), withCurrency(PlantText::DrivePrice),
            text(PlantText::PaybackMonths), text(PlantText::Co2Year)};
        for (std::size_t c = 0; c < headings.size(); ++c) {
            const QStringList lines = PlantFormat::headingLines(headings[c]);
            for (qsizetype l = 0; l < lines.size(); ++l)
                printFigure(FigureColumn(c), TableTop + double(l) * LineHeight, lines[l]);
        }
        job.rule(0, TableTop + HeadingHeight - 0.5, Width, TableTop + HeadingHeight - 0.5);
    }

    void figures(double y, const PlantCaseTexts &t)
    {
        const std::array<const QString *, 7> cells{&t.power, &t.efficiency, &t.kwh, &t.money,
                                                   &t.drive, &t.months, &t.co2};
        for (std::size_t c = 0; c < cells.size(); ++c)
            printFigure(FigureColumn(c), y, *cells[c]);
    }

    void caseRow(double y, const PlantCaseResult &result)
    {
        setFont(BodySize, false, false);
        printAt(0, y, elided(result.reference, false, ReferenceWidth));
        setFont(BodySize, false, true);
        printAt(0, y + LineHeight, elided(applicationName(result.application), true, MessageX));
        setFont(BodySize, false, false);
        if (result.computed) {
            figures(y, caseTexts(result, input.locale));
            if (showModels)
                printAt(MessageX, y + LineHeight, elided(plantModelLine(result, input.text, input.locale), false, Width - MessageX));
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

    // The totals row and, below it, the lifetime block and the grid factor with its source.
    void closing(double y)
    {
        const PlantSummary &summary = input.summary;
        const QLocale &locale = input.locale;
        job.rule(0, y, Width, y);
        setFont(BodySize, true, false);
        printAt(0, y + 2, text(PlantText::Total));
        figures(y + 2, totalTexts(summary, locale));
        y += RowHeight + 6;

        struct Line
        {
            QString label;
            QString value;
        };
        QList<Line> lines;
        lines << Line{text(PlantText::GridFactor), PlantFormat::factor(summary.gridFactor, locale)};
        if (summary.lifetime) {
            lines << Line{text(PlantText::Years), QString::number(summary.lifetime->years)}
                  << Line{text(PlantText::Rate), NumberFormat::format(summary.lifetime->ratePercent, u"#,##0.0#", locale)}
                  << Line{withCurrency(PlantText::Npv), PlantFormat::npv(summary.totals.npv, locale)}
                  << Line{text(PlantText::Irr), PlantFormat::irr(summary.totals.irr, locale)}
                  << Line{withCurrency(PlantText::LifetimeSaving), PlantFormat::lifetimeSaving(summary.totals.lifetimeSaving, locale)}
                  << Line{text(PlantText::LifetimeCo2), PlantFormat::co2(summary.totals.lifetimeCo2, locale)};
        }
        if (summary.leftOutCount > 0)
            lines << Line{text(PlantText::CasesLeftOut).arg(summary.leftOutCount), QString()};
        setFont(BodySize, false, false);
        for (const Line &line : lines) {
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
        const int pages = pageCount(int(cases.size()));
        qsizetype next = 0;
        for (int page = 1; page <= pages && !job.abandoned(); ++page) {
            if (page > 1)
                job.step([&] { return printer.newPage(); });
            header(page, pages);
            tableHeading();
            double y = TableTop + HeadingHeight + 2;
            for (int row = 0; row < RowsPerPage && next < cases.size(); ++row, ++next) {
                caseRow(y, cases[next]);
                y += RowHeight;
            }
            if (page == pages)
                closing(y);
        }
    }
};

PlantReport::PlantReport(Dialogs &dialogs, QWidget *messageParent)
    : m_dialogs(dialogs)
    , m_messageParent(messageParent)
{
}

int PlantReport::pageCount(int cases)
{
    return cases <= 0 ? 1 : (cases + RowsPerPage - 1) / RowsPerPage;
}

bool PlantReport::print(ReportPrinter &printer, const PlantReportInput &input)
{
    ReportJob job(printer, m_dialogs, m_messageParent, input.text);
    Job{job, input}.run();
    return job.step([&] { return printer.endDocument(); });
}
