#include "cli/batchoutput.h"

#include "calc/casetext.h"
#include "plant/economicstext.h"
#include "plant/planteconomics.h"
#include "calc/numberformat.h"
#include "plant/plantcsv.h"
#include "plant/planttext.h"

#include <QTextStream>

#include <algorithm>

namespace {

constexpr int FixedColumns = 2;  // file and application, aligned left
constexpr int ResultColumns = 4; // efficiency, kWh, money and months
const QString ColumnGap = QStringLiteral("  ");

// What an added column's cell is made from: the figures of a case or of the plant, and the case itself
// (none in a row of the plant).
struct CellSource
{
    const PlantFigures &figures;
    const BatchCase *batchCase;
    const QLocale &locale;
};

// A column after months that an option adds: shown with its group, under its CSV name and heading.
struct AddedColumn
{
    bool BatchColumns::*shown;
    const char *csvName;
    int heading;     // a text number
    bool inCurrency; // the heading ends in " (<currency>)"
    QString (*cell)(const CellSource &source);
};

// A system-curve column's cell: the parameter a case was computed with, empty for a case of the table.
QString curveCell(const CellSource &source, CurveParameter parameter)
{
    const BatchCase *batchCase = source.batchCase;
    if (!batchCase || !batchCase->curve)
        return QString();
    return parameterText(*batchCase->curve, parameter, source.locale);
}

QString baseKwCell(const CellSource &source)
{
    const BatchCase *batchCase = source.batchCase;
    if (!batchCase || !batchCase->curve)
        return QString();
    return NumberFormat::format(batchCase->baseKw, u"#,##0.00", source.locale);
}

const AddedColumn AddedColumns[] = {
    {&BatchColumns::curve, "static_head", BatchText::StaticHead, false,
     [](const CellSource &s) { return curveCell(s, CurveParameter::StaticHead); }},
    {&BatchColumns::curve, "drive_efficiency", BatchText::DriveEfficiency, false,
     [](const CellSource &s) { return curveCell(s, CurveParameter::DriveEfficiency); }},
    {&BatchColumns::curve, "min_speed", BatchText::MinSpeed, false,
     [](const CellSource &s) { return curveCell(s, CurveParameter::MinSpeed); }},
    {&BatchColumns::curve, "base_kw", BatchText::BaseKw, false, baseKwCell},
    {&BatchColumns::co2, "co2_t", PlantText::Co2Year, false,
     [](const CellSource &s) { return PlantFormat::co2(s.figures.co2, s.locale); }},
    {&BatchColumns::lifetime, "npv", PlantText::Npv, true,
     [](const CellSource &s) { return PlantFormat::npv(s.figures.npv, s.locale); }},
    {&BatchColumns::lifetime, "irr", PlantText::Irr, false,
     [](const CellSource &s) { return PlantFormat::irr(s.figures.irr, s.locale); }},
    {&BatchColumns::lifetime, "disc_payback", EconomicsText::DiscountedPayback, false,
     [](const CellSource &s) { return PlantFormat::discountedPayback(s.figures.discountedPayback, s.locale); }},
    {&BatchColumns::budget, "in_budget", EconomicsText::WithinBudget, false,
     [](const CellSource &s) {
         return s.batchCase && s.batchCase->inBudget ? PlantFormat::InBudget.toString() : QString();
     }},
};

QList<const AddedColumn *> addedColumns(BatchColumns columns)
{
    QList<const AddedColumn *> shown;
    for (const AddedColumn &column : AddedColumns) {
        if (columns.*column.shown)
            shown << &column;
    }
    return shown;
}

QStringList addedCells(const CellSource &source, BatchColumns columns)
{
    QStringList cells;
    for (const AddedColumn *column : addedColumns(columns))
        cells << column->cell(source);
    return cells;
}

// The figures of the whole plant: no efficiency, the savings, the payback and the added columns.
QStringList plantCells(const PlantFigures &figures, const QLocale &locale, BatchColumns columns)
{
    return QStringList{QString(), PlantFormat::kwh(figures.kwh, locale), PlantFormat::money(figures.money, locale),
                       PlantFormat::months(figures.months, locale)}
           << addedCells({figures, nullptr, locale}, columns);
}

QString heading(const QString &caption)
{
    QString text = caption.trimmed();
    if (text.endsWith(u':'))
        text.chop(1);
    return text.trimmed();
}

} // namespace

BatchRow caseRow(const BatchCase &batchCase, const QLocale &locale, const TextLookup &text, BatchColumns columns)
{
    BatchRow row{batchCase.file, applicationName(batchCase, text), {}, QString()};
    if (!batchCase.computed) {
        row.message = batchCase.message;
        return row;
    }
    const ShownResults shown = shownResults(batchCase.record, locale);
    row.figures = QStringList{shown.efficiency, shown.kwh, shown.money, shown.months}
                  << addedCells({batchCase.figures, &batchCase, locale}, columns);
    return row;
}

QList<BatchRow> summaryRows(const PlantSummary &summary, bool csv, const QLocale &locale, const TextLookup &text,
                            BatchColumns columns)
{
    BatchRow total{csv ? QStringLiteral("TOTAL") : text(PlantText::Total), QString(),
                   plantCells(summary.totals, locale, columns), QString()};
    if (summary.leftOutCount > 0)
        total.message = text(PlantText::CasesLeftOut).arg(summary.leftOutCount);
    return {total};
}

BatchRow budgetRow(const PlantEconomics::BudgetChoice &choice, bool csv, const QLocale &locale, const TextLookup &text,
                   BatchColumns columns)
{
    const PlantCaseTexts texts = PlantEconomics::choiceTexts(choice, locale);
    QStringList figures{QString(), texts.kwh, texts.money, texts.months};
    while (figures.size() < ResultColumns + addedColumns(columns).size())
        figures << QString();
    return {csv ? QStringLiteral("BUDGET") : PlantEconomics::choiceLabel(choice, text), QString(), figures, QString()};
}

QStringList tableHeadings(const TextLookup &text, const QString &currency, BatchColumns columns)
{
    const QString inCurrency = QStringLiteral(" (") + currency + u')';
    QStringList headings{heading(text(BatchText::FileHeading)), heading(text(CaseText::Application)),
                         heading(text(CaseText::Efficiency)),   heading(text(CaseText::SavingKwh)),
                         heading(text(CaseText::SavingMoney)) + inCurrency, heading(text(CaseText::Payback))};
    for (const AddedColumn *column : addedColumns(columns))
        headings << text(column->heading) + (column->inCurrency ? inCurrency : QString());
    return headings;
}

QStringList tableCells(const BatchRow &row)
{
    QStringList cells = QStringList{row.file, row.application} << row.figures;
    // A message may hold line breaks; in a table it is one line.
    if (!row.message.isEmpty())
        cells << PlantFormat::oneLine(row.message);
    return cells;
}

QStringList alignedLines(const QStringList &headings, const QList<QStringList> &rows)
{
    const qsizetype columns = headings.size();
    QList<qsizetype> widths(columns, 0);
    const auto measure = [&widths, columns](const QStringList &row) {
        // The last cell of a short row is a message that runs on: it does not widen its column.
        const bool full = row.size() >= columns;
        for (qsizetype c = 0; c < std::min(row.size(), columns); ++c) {
            if (full || c < row.size() - 1)
                widths[c] = std::max(widths[c], row[c].size());
        }
    };
    measure(headings);
    for (const QStringList &row : rows)
        measure(row);

    const auto line = [&widths, columns](const QStringList &row) {
        QString text;
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (c > 0)
                text += ColumnGap;
            const bool last = c == row.size() - 1;
            if (c >= columns || (last && row.size() < columns))
                text += row[c];
            else if (c >= FixedColumns)
                text += row[c].rightJustified(widths[c]);
            else
                text += last ? row[c] : row[c].leftJustified(widths[c]);
        }
        while (text.endsWith(u' '))
            text.chop(1);
        return text;
    };
    QStringList lines{line(headings)};
    for (const QStringList &row : rows)
        lines << line(row);
    return lines;
}

QString csvField(const QString &value)
{
    return Csv::field(value, u',');
}

QString csvLine(const QStringList &values)
{
    return Csv::line(values, u',') + QStringLiteral("\r\n");
}

QString csvHeader(BatchColumns columns)
{
    QStringList names{QStringLiteral("file"), QStringLiteral("application"), QStringLiteral("efficiency"),
                      QStringLiteral("kwh"),  QStringLiteral("money"),       QStringLiteral("months")};
    for (const AddedColumn *column : addedColumns(columns))
        names << QString::fromLatin1(column->csvName);
    return csvLine(names << QStringLiteral("message"));
}

QString csvRow(const BatchRow &row, BatchColumns columns)
{
    const QStringList figures = row.figures.isEmpty()
                                    ? QStringList(ResultColumns + addedColumns(columns).size(), QString())
                                    : row.figures;
    return csvLine(QStringList{row.file, row.application} << figures << row.message);
}

BatchWriter::BatchWriter(QTextStream &out, bool csv, BatchColumns columns)
    : m_out(out)
    , m_csv(csv)
    , m_columns(columns)
{
    if (m_csv)
        m_out << csvHeader(m_columns);
}

void BatchWriter::write(const BatchRow &row)
{
    if (m_csv)
        m_out << csvRow(row, m_columns);
    else
        m_rows << tableCells(row);
}

void BatchWriter::finish(const QStringList &headings)
{
    if (!m_csv) {
        for (const QString &line : alignedLines(headings, m_rows))
            m_out << line << '\n';
    }
    m_out.flush();
}
