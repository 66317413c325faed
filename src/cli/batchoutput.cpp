#include "cli/batchoutput.h"

#include "calc/caserecord.h"
#include "plant/plantcsv.h"
#include "plant/planttext.h"

#include <algorithm>

namespace {

constexpr int FixedColumns = 2; // file and application, aligned left
const QString ColumnGap = QStringLiteral("  ");

QString heading(const QString &caption)
{
    QString text = caption.trimmed();
    if (text.endsWith(u':'))
        text.chop(1);
    return text.trimmed();
}

QStringList extraFields(const PlantFigures &figures, const QLocale &locale, BatchColumns columns)
{
    QStringList fields;
    if (columns.co2)
        fields << PlantFormat::co2(figures.co2, locale);
    if (columns.lifetime)
        fields << PlantFormat::npv(figures.npv, locale) << PlantFormat::irr(figures.irr, locale);
    return fields;
}

QStringList emptyExtras(BatchColumns columns)
{
    return QStringList((columns.co2 ? 1 : 0) + (columns.lifetime ? 2 : 0), QString());
}

QString leftOutMessage(int leftOut, const TextLookup &text)
{
    return leftOut > 0 ? text(PlantText::CasesLeftOut).arg(leftOut) : QString();
}

} // namespace

QStringList tableHeadings(const TextLookup &text, const QString &currency, BatchColumns columns)
{
    const QString inCurrency = QStringLiteral(" (") + currency + u')';
    QStringList headings{heading(text(BatchFileHeading)),
                         heading(text(PlantText::Application)),
                         heading(text(PlantText::Efficiency)),
                         heading(text(33)),
                         heading(text(34)) + inCurrency,
                         heading(text(35))};
    if (columns.co2)
        headings << text(PlantText::Co2Year);
    if (columns.lifetime)
        headings << text(PlantText::Npv) + inCurrency << text(PlantText::Irr);
    return headings;
}

QStringList tableTotalRow(const PlantSummary &summary, int leftOut, const QLocale &locale, const TextLookup &text,
                          BatchColumns columns)
{
    const PlantFigures &t = summary.totals;
    QStringList row{text(PlantText::Total), QString(), QString(), PlantFormat::kwh(t.kwh, locale),
                    PlantFormat::money(t.money, locale), PlantFormat::months(t.months, locale)};
    row << extraFields(t, locale, columns);
    if (leftOut > 0)
        row << leftOutMessage(leftOut, text);
    return row;
}

QStringList tableRow(const BatchCase &batchCase, const QLocale &locale, const TextLookup &text, BatchColumns columns)
{
    QStringList row{batchCase.file, applicationName(batchCase, text)};
    if (!batchCase.computed) {
        // A message may hold line breaks; in a table it is one line.
        row << PlantFormat::oneLine(batchCase.message);
        return row;
    }
    const ShownResults shown = shownResults(batchCase.record, locale);
    row << shown.efficiency << shown.kwh << shown.money << shown.months << extraFields(batchCase.figures, locale, columns);
    return row;
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
    if (columns.co2)
        names << QStringLiteral("co2_t");
    if (columns.lifetime)
        names << QStringLiteral("npv") << QStringLiteral("irr");
    return csvLine(names << QStringLiteral("message"));
}

QString csvRow(const BatchCase &batchCase, const QLocale &locale, const TextLookup &text, BatchColumns columns)
{
    const QString application = applicationName(batchCase, text);
    if (!batchCase.computed)
        return csvLine(QStringList{batchCase.file, application, QString(), QString(), QString(), QString()}
                       << emptyExtras(columns) << batchCase.message);
    const ShownResults shown = shownResults(batchCase.record, locale);
    return csvLine(QStringList{batchCase.file, application, shown.efficiency, shown.kwh, shown.money, shown.months}
                   << extraFields(batchCase.figures, locale, columns) << QString());
}

QString csvTotalRow(const PlantSummary &summary, int leftOut, const QLocale &locale, const TextLookup &text,
                    BatchColumns columns)
{
    const PlantFigures &t = summary.totals;
    return csvLine(QStringList{QStringLiteral("TOTAL"), QString(), QString(), PlantFormat::kwh(t.kwh, locale),
                               PlantFormat::money(t.money, locale), PlantFormat::months(t.months, locale)}
                   << extraFields(t, locale, columns) << leftOutMessage(leftOut, text));
}
