#include "cli/batchoutput.h"

#include "calc/caserecord.h"

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

} // namespace

QStringList tableHeadings(const TextLookup &text, const QString &currency)
{
    return {heading(text(BatchFileHeading)),
            heading(text(2)),
            heading(text(197)),
            heading(text(33)),
            heading(text(34)) + QStringLiteral(" (") + currency + u')',
            heading(text(35))};
}

QStringList tableRow(const BatchCase &batchCase, const QLocale &locale, const TextLookup &text)
{
    QStringList row{batchCase.file, applicationName(batchCase, text)};
    if (!batchCase.computed) {
        // A message may hold line breaks; in a table it is one line.
        row << QString(batchCase.message).replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(u'\r', u' ')
                   .replace(u'\n', u' ');
        return row;
    }
    const ShownResults shown = shownResults(batchCase.record, locale);
    row << shown.efficiency << shown.kwh << shown.money << shown.months;
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
    const bool quote = value.contains(u',') || value.contains(u'"') || value.contains(u'\r') || value.contains(u'\n');
    if (!quote)
        return value;
    return u'"' + QString(value).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

QString csvLine(const QStringList &values)
{
    QStringList fields;
    fields.reserve(values.size());
    for (const QString &value : values)
        fields << csvField(value);
    return fields.join(u',') + QStringLiteral("\r\n");
}

QString csvHeader()
{
    return csvLine({QStringLiteral("file"), QStringLiteral("application"), QStringLiteral("efficiency"),
                    QStringLiteral("kwh"), QStringLiteral("money"), QStringLiteral("months"),
                    QStringLiteral("message")});
}

QString csvRow(const BatchCase &batchCase, const QLocale &locale, const TextLookup &text)
{
    const QString application = applicationName(batchCase, text);
    if (!batchCase.computed)
        return csvLine({batchCase.file, application, QString(), QString(), QString(), QString(), batchCase.message});
    const ShownResults shown = shownResults(batchCase.record, locale);
    return csvLine({batchCase.file, application, shown.efficiency, shown.kwh, shown.money, shown.months, QString()});
}
