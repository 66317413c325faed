#include "plant/plantfile.h"

#include "calc/numberformat.h"
#include "plant/planteconomics.h"
#include "plant/planttext.h"

#include <algorithm>

// Writing plant files and exports (plantfile.h); reading is in plantfile.cpp.

namespace {

constexpr int NoColumn = PlantColumns::None;
constexpr int ResultColumn = -2; // an export's result, in a layout for writing

// The columns a file is written with: the file's own, as many more without a name as its widest row
// has cells beyond them (they are kept too), then every column of plantColumns() the file lacks (with
// settings, those the plant uses only, where the column says so), so that no cell of a row written as it
// was falls under a new name; the system-curve columns only when a row carries a parameter. Each names
// the column of plantColumns() it is, or the cell of the file's rows it is written from. An export's
// result columns are left out, unless rows written as they were still hold cells after them.
struct WriteLayout
{
    QStringList header;
    QList<int> column; // index into plantColumns(), NoColumn for a column the program does not know, or ResultColumn
    QList<int> source; // position in the file's rows, or NoColumn for a column the file did not have
};

bool carriesCurve(const QList<PlantRow> &rows)
{
    return std::any_of(rows.cbegin(), rows.cend(), [](const PlantRow &row) { return !row.curve.isEmpty(); });
}

WriteLayout writeLayout(const PlantFileFormat &format, const QList<PlantRow> &rows, bool keepResults, bool curve,
                        const PlantSettings *settings = nullptr)
{
    WriteLayout layout;
    const QList<PlantColumn> &columns = plantColumns();
    QStringList fileHeader = format.header;
    // A new file: every column in its order, the system-curve ones only when a row carries them.
    for (qsizetype c = 0; format.header.isEmpty() && c < columns.size(); ++c) {
        if (curve || columns[c].kind != PlantCellKind::Curve)
            fileHeader << QString::fromLatin1(columns[c].name);
    }
    for (const PlantRow &row : rows) {
        while (fileHeader.size() < row.cells.size())
            fileHeader << QString();
    }
    const QList<int> positions = PlantColumns::positionsIn(fileHeader);
    for (qsizetype p = 0; p < fileHeader.size(); ++p) {
        const bool result = PlantColumns::isResult(fileHeader[p]);
        if (result && !keepResults)
            continue;
        const int column = result ? ResultColumn : int(positions.indexOf(int(p)));
        layout.header << fileHeader[p];
        layout.column << column;
        layout.source << int(p);
    }
    const auto used = [settings](const PlantColumn &column) {
        return column.addedToEveryFile || !settings || column.kind != PlantCellKind::Setting
               || settingValue(*settings, column.setting) != settingValue(PlantSettings(), column.setting);
    };
    for (qsizetype c = 0; c < columns.size(); ++c) {
        if (positions[c] == NoColumn && (curve || columns[c].kind != PlantCellKind::Curve) && used(columns[c])) {
            layout.header << QString::fromLatin1(columns[c].name);
            layout.column << int(c);
            layout.source << NoColumn;
        }
    }
    return layout;
}

struct RowWriter
{
    const PlantFileFormat &format;
    const QLocale &locale; // of the records' texts
    const TextLookup &text;
    QLocale convention;

    QString number(double value) const { return NumberFormat::shortestText(value, convention); }

    QString numberText(const QString &field) const
    {
        const std::optional<double> value = NumberFormat::readNumber(field, locale);
        return value ? number(*value) : field.trimmed();
    }

    QString application(int index) const
    {
        const QString name = index >= 0 && index < ApplicationCount && text ? text(PlantText::FirstApplication + index)
                                                                           : QString();
        return name.trimmed().isEmpty() ? QString::number(std::clamp(index, 0, ApplicationCount - 1)) : name;
    }

    QString cell(const PlantColumn &column, const CaseRecord &record, const PlantCurveCells &curve,
                 const PlantSettings &settings) const
    {
        switch (column.kind) {
        case PlantCellKind::Text:
            return record.*column.field;
        case PlantCellKind::Number:
            return numberText(record.*column.field);
        case PlantCellKind::Application:
            return application(record.cboAplicacao);
        case PlantCellKind::Unit:
            return record.isKw() ? QStringLiteral("kW") : QStringLiteral("HP");
        case PlantCellKind::Curve: {
            const std::optional<double> value = curve.value(column.parameter);
            return value ? number(*value) : QString();
        }
        case PlantCellKind::Setting:
            break;
        }
        const std::optional<double> value = settingValue(settings, column.setting);
        return value ? number(*value) : QString();
    }

    // The cells of a row in layout: a case from its record, a row that was not read from its own cells.
    QStringList cells(const WriteLayout &layout, const PlantRow &row, const PlantSettings &settings) const
    {
        QStringList cells;
        for (qsizetype c = 0; c < layout.column.size(); ++c) {
            const int column = layout.column[c];
            if (row.isRead() && column >= 0)
                cells << cell(plantColumns()[column], *row.record, row.curve, settings);
            else if (row.isRead() && column == ResultColumn)
                cells << QString(); // a result of the export the row came from, no longer its own
            else
                cells << (layout.source[c] == NoColumn ? QString() : row.cells.value(layout.source[c]));
        }
        return cells;
    }

    QByteArray line(const QStringList &cells) const
    {
        const QChar separator = QChar::fromLatin1(format.separator);
        QStringList fields;
        fields.reserve(cells.size());
        // A ";" in a cell of a "," file is quoted too: reading finds the separator from the first line.
        for (const QString &cell : cells)
            fields << Csv::field(cell, cell.contains(u';') ? QChar(u';') : separator);
        return Csv::encode(fields.join(separator), format.encoding);
    }
};

QString figure(double value, QStringView pattern, const QLocale &convention)
{
    return NumberFormat::format(value, pattern, convention);
}

// kwh_year .. in_budget of a case or of the totals, without group separators.
QStringList resultCells(const PlantFigures &f, bool saves, bool chosen, const QLocale &convention)
{
    const QString none = NoSaving.toString();
    const std::optional<double> months = f.months ? std::optional<double>(NumberFormat::roundHalfEven(*f.months))
                                                  : std::nullopt;
    return {saves ? figure(f.kwh, u"0", convention) : none,
            saves ? figure(f.money, u"0.00", convention) : none,
            saves ? PlantFormat::optionalNumber(months, u"0", convention) : none,
            PlantFormat::optionalNumber(f.co2, u"0.0", convention),
            PlantFormat::optionalNumber(f.npv, u"0.00", convention),
            PlantFormat::optionalNumber(f.irr, u"0.0", convention),
            PlantFormat::optionalNumber(f.discountedPayback, u"0.0", convention),
            chosen ? PlantFormat::InBudget.toString() : QString()};
}

// A row after the cases (the totals, the budget's choice): the settings as used, `reference` and `drive`
// in their columns, the others empty.
QStringList summaryCells(const WriteLayout &layout, const RowWriter &writer, const PlantSettings &used,
                         const QString &reference, double drive)
{
    QStringList cells;
    for (const int column : layout.column) {
        const PlantColumn *c = column < 0 ? nullptr : &plantColumns()[column];
        if (c && c->kind == PlantCellKind::Setting)
            cells << writer.cell(*c, CaseRecord(), PlantCurveCells(), used);
        else if (c && c->field == &CaseRecord::mskInversor)
            cells << writer.number(drive);
        else if (c && c->field == &CaseRecord::mskReferencia)
            cells << reference;
        else
            cells << QString();
    }
    return cells;
}

// The budget's choice: its kWh, money and months; the lifetime figures are the cases' and the plant's.
QStringList choiceResultCells(const PlantEconomics::BudgetChoice &choice, const QLocale &convention)
{
    const std::optional<double> months = choice.months ? std::optional<double>(NumberFormat::roundHalfEven(*choice.months))
                                                       : std::nullopt;
    QStringList cells{figure(choice.kwh, u"0", convention), figure(choice.money, u"0.00", convention),
                      PlantFormat::optionalNumber(months, u"0", convention)};
    while (cells.size() < exportResultColumnNames().size())
        cells << QString();
    return cells;
}

} // namespace

QByteArray plantFileBytes(const QList<PlantRow> &rows, const PlantSettings &settings, const PlantFileFormat &format,
                          const QLocale &locale, const TextLookup &text, QList<int> *lines)
{
    const bool unread = std::any_of(rows.cbegin(), rows.cend(), [](const PlantRow &row) { return !row.isRead(); });
    const WriteLayout layout = writeLayout(format, rows, unread, carriesCurve(rows), &settings);
    const RowWriter writer{format, locale, text, PlantColumns::numberLocale(format.decimalComma)};
    QByteArray out = writer.line(layout.header) + format.lineEnd;
    int line = 2;
    if (lines)
        lines->clear();
    for (const PlantRow &row : rows) {
        const QByteArray bytes = row.isRead() ? writer.line(writer.cells(layout, row, settings)) : row.raw;
        out += bytes + format.lineEnd;
        if (lines)
            *lines << line;
        line += 1 + Csv::lineBreaks(bytes);
    }
    return Csv::encodeFile(out, format.encoding);
}

QByteArray plantExportBytes(const QList<PlantRow> &rows, const PlantSummary &summary, const PlantFileFormat &format,
                            const QLocale &locale, const TextLookup &text)
{
    const WriteLayout layout = writeLayout(format, {}, false, carriesCurve(rows));
    const RowWriter writer{format, locale, text, PlantColumns::numberLocale(format.decimalComma)};
    // The settings as the figures used them: the factor too when it is the country's.
    PlantSettings used;
    used.typedFactor = summary.gridFactor;
    used.lifetime = summary.lifetime.value_or(PlantLifetime{});
    if (summary.choice)
        used.budget = summary.choice->budget;
    QByteArray out = writer.line(layout.header + exportResultColumnNames()) + format.lineEnd;
    const QStringList noResults(exportResultColumnNames().size() - 1, QString());
    const QList<bool> chosen = summary.choice ? summary.choice->flags(summary.cases.size()) : QList<bool>(summary.cases.size());
    for (qsizetype r = 0; r < rows.size() && r < summary.cases.size(); ++r) {
        const PlantCaseResult &result = summary.cases[r];
        PlantRow row = rows[r];
        // A case as computed: the efficiency used, and a system curve's parameters with their defaults.
        if (row.isRead()) {
            row.record = result.record;
            row.curve = row.curve.asUsed();
        }
        QStringList cells = writer.cells(layout, row, used);
        if (result.computed)
            cells << resultCells(result.figures, result.figures.kwh != 0.0, chosen[r], writer.convention) << QString();
        else
            cells << noResults << PlantFormat::oneLine(result.message);
        out += writer.line(cells) + format.lineEnd;
    }
    const QString total = text ? text(PlantText::Total) : QStringLiteral("Total");
    QStringList totals = summaryCells(layout, writer, used, total, summary.totals.drive);
    totals << resultCells(summary.totals, true, false, writer.convention)
           << (summary.leftOutCount > 0 && text ? text(PlantText::CasesLeftOut).arg(summary.leftOutCount) : QString());
    out += writer.line(totals) + format.lineEnd;
    if (summary.choice && text) {
        const PlantEconomics::BudgetChoice &choice = *summary.choice;
        const QString label = PlantEconomics::choiceLabel(choice, text);
        out += writer.line(summaryCells(layout, writer, used, label, choice.drive) + choiceResultCells(choice, writer.convention))
               + format.lineEnd;
    }
    return Csv::encodeFile(out, format.encoding);
}
