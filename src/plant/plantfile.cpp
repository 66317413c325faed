#include "plant/plantfile.h"

#include "calc/numberformat.h"
#include "localisation/texttable.h"
#include "plant/planttext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

const QList<PlantColumn> &plantColumns()
{
    using K = PlantCellKind;
    static const QList<PlantColumn> columns{
        {"reference", K::Text, &CaseRecord::mskReferencia},
        {"application", K::Application},
        {"power", K::Number, &CaseRecord::mskPotencia},
        {"unit", K::Unit},
        {"efficiency", K::Number, &CaseRecord::mskRendimento},
        {"kwh_price", K::Number, &CaseRecord::mskValorkWh},
        {"drive_price", K::Number, &CaseRecord::mskInversor},
        {"days", K::Number, &CaseRecord::mskDiaAno},
        {"h100", K::Number, &CaseRecord::mskVazao100},
        {"h90", K::Number, &CaseRecord::mskVazao90},
        {"h80", K::Number, &CaseRecord::mskVazao80},
        {"h70", K::Number, &CaseRecord::mskVazao70},
        {"h60", K::Number, &CaseRecord::mskVazao60},
        {"h50", K::Number, &CaseRecord::mskVazao50},
        {"years", K::Setting, nullptr, PlantSetting::Years},
        {"rate", K::Setting, nullptr, PlantSetting::Rate},
        {"co2_factor", K::Setting, nullptr, PlantSetting::GridFactor},
    };
    return columns;
}

QStringList exportResultColumnNames()
{
    return {QStringLiteral("kwh_year"), QStringLiteral("money_year"), QStringLiteral("payback_months"),
            QStringLiteral("co2_t_year"), QStringLiteral("npv"), QStringLiteral("irr"), QStringLiteral("message")};
}

namespace {

// The case columns a file without a header row holds, in their order.
constexpr int CaseColumnCount = 14;
constexpr int ReferenceColumn = 0;
constexpr int PowerColumn = 2;
constexpr int HeaderMinimumNames = 3;
constexpr int NoColumn = -1;

QLocale numberLocale(bool decimalComma)
{
    return decimalComma ? QLocale(QLocale::Portuguese, QLocale::Brazil) : QLocale(QLocale::English, QLocale::UnitedStates);
}

int columnNamed(const QString &name)
{
    const QString wanted = name.trimmed();
    const QList<PlantColumn> &columns = plantColumns();
    for (qsizetype c = 0; c < columns.size(); ++c) {
        if (wanted.compare(QLatin1String(columns[c].name), Qt::CaseInsensitive) == 0)
            return int(c);
    }
    return NoColumn;
}

bool isResultColumn(const QString &name)
{
    return exportResultColumnNames().contains(name.trimmed(), Qt::CaseInsensitive);
}

// Where each column of plantColumns() is in the file (NoColumn: not there). The first of two columns
// of the same name counts; the other is kept as a column the program does not know.
QList<int> positionsIn(const QStringList &header)
{
    QList<int> positions(plantColumns().size(), NoColumn);
    for (qsizetype p = 0; p < header.size(); ++p) {
        const int column = columnNamed(header[p]);
        if (column != NoColumn && positions[column] == NoColumn)
            positions[column] = int(p);
    }
    return positions;
}

QStringList allColumnNames()
{
    QStringList names;
    for (const PlantColumn &column : plantColumns())
        names << QString::fromLatin1(column.name);
    return names;
}

bool matchesText(const QString &cell, int number, const PlantFileContext &context)
{
    const QString wanted = cell.trimmed();
    if (wanted.isEmpty())
        return false;
    if (context.texts) {
        for (int c = 0; c < context.texts->columnCount(); ++c) {
            if (context.texts->entry(number, c).trimmed().compare(wanted, Qt::CaseInsensitive) == 0)
                return true;
        }
    }
    return context.text && context.text(number).trimmed().compare(wanted, Qt::CaseInsensitive) == 0;
}

std::optional<int> readApplication(const QString &cell, const PlantFileContext &context)
{
    const QString trimmed = cell.trimmed();
    bool ok = false;
    const int index = trimmed.toInt(&ok);
    if (ok)
        return index >= 0 && index < ApplicationCount ? std::optional<int>(index) : std::nullopt;
    for (int a = 0; a < ApplicationCount; ++a) {
        if (matchesText(trimmed, PlantText::FirstApplication + a, context))
            return a;
    }
    return std::nullopt;
}

// The number style of a file: the convention most of its numbers read in only, else the separator's.
bool findDecimalComma(const QList<QStringList> &rows, const QList<int> &positions, char separator)
{
    const QLocale comma = numberLocale(true);
    const QLocale point = numberLocale(false);
    int vote = 0;
    const QList<PlantColumn> &columns = plantColumns();
    for (const QStringList &cells : rows) {
        for (qsizetype c = 0; c < columns.size(); ++c) {
            if (positions[c] == NoColumn || columns[c].kind == PlantCellKind::Text
                || columns[c].kind == PlantCellKind::Application || columns[c].kind == PlantCellKind::Unit)
                continue;
            const QString cell = cells.value(positions[c]).trimmed();
            bool commaOk = false;
            bool pointOk = false;
            comma.toDouble(cell, &commaOk);
            point.toDouble(cell, &pointOk);
            vote += commaOk == pointOk ? 0 : (commaOk ? 1 : -1);
        }
    }
    return vote != 0 ? vote > 0 : separator == ';';
}

struct RowReader
{
    const PlantFileContext &context;
    const QList<int> &positions;
    QLocale convention;
    int needed = 0; // cells a row needs to reach every case column

    QString reason(int number) const { return context.text ? context.text(number) : QString(); }

    QString cell(const QStringList &cells, int column) const
    {
        return positions[column] == NoColumn ? QString() : cells.value(positions[column]).trimmed();
    }

    // A number in the file's style, or in the other one for a cell that does not read in it.
    std::optional<double> number(const QString &text) const
    {
        if (const std::optional<double> value = NumberFormat::readNumber(text, convention))
            return value;
        return NumberFormat::readNumber(text, numberLocale(convention.decimalPoint() != QStringLiteral(",")));
    }

    bool readCell(const QStringList &cells, int c, CaseRecord &record, QMap<PlantSetting, double> &settings,
                  QString *why) const
    {
        const PlantColumn &column = plantColumns()[c];
        const QString text = cell(cells, c);
        switch (column.kind) {
        case PlantCellKind::Text:
            record.*column.field = text;
            return true;
        case PlantCellKind::Application:
            if (const std::optional<int> application = readApplication(text, context)) {
                record.cboAplicacao = *application;
                return true;
            }
            *why = reason(PlantText::UnknownApplication);
            return false;
        case PlantCellKind::Unit:
            if (text.compare(QLatin1String("kW"), Qt::CaseInsensitive) == 0 || text.compare(QLatin1String("HP"), Qt::CaseInsensitive) == 0) {
                record.optUnPotencia = text.compare(QLatin1String("kW"), Qt::CaseInsensitive) == 0 ? UnitKw : UnitHp;
                return true;
            }
            *why = reason(PlantText::UnknownUnit);
            return false;
        case PlantCellKind::Number:
        case PlantCellKind::Setting:
            break;
        }
        if (text.isEmpty())
            return true;
        const std::optional<double> value = number(text);
        if (!value) {
            *why = reason(PlantText::NotANumber).arg(text, QString::fromLatin1(column.name));
            return false;
        }
        if (column.kind == PlantCellKind::Number) {
            record.*column.field = NumberFormat::shortestText(*value, context.locale);
            return true;
        }
        if (!settingInRange(column.setting, *value)) {
            *why = context.text ? settingRefusal(column.setting, {}, context.locale, context.text) : QString();
            return false;
        }
        if (!settings.contains(column.setting))
            settings.insert(column.setting, *value);
        return true;
    }

    std::optional<CaseRecord> read(const QStringList &cells, QMap<PlantSetting, double> &settings, QString *why) const
    {
        if (cells.size() < needed) {
            *why = cells.size() == 1 ? reason(PlantText::OneColumn).arg(needed)
                                     : reason(PlantText::TooFewColumns).arg(cells.size()).arg(needed);
            return std::nullopt;
        }
        CaseRecord record = context.start;
        record.clearResults();
        // Settings count only from a row that reads whole.
        QMap<PlantSetting, double> found;
        for (int c = 0; c < int(plantColumns().size()); ++c) {
            if (!readCell(cells, c, record, found, why))
                return std::nullopt;
        }
        for (auto it = found.cbegin(); it != found.cend(); ++it) {
            if (!settings.contains(it.key()))
                settings.insert(it.key(), it.value());
        }
        return record;
    }

    // The export's last row: "Total" in any language with no application and no power.
    bool isTotals(const QStringList &cells) const
    {
        return cell(cells, 1).isEmpty() && cell(cells, PowerColumn).isEmpty()
               && matchesText(cell(cells, ReferenceColumn), PlantText::Total, context);
    }
};

QStringList decodedCells(const Csv::Row &row, Csv::Encoding encoding)
{
    QStringList cells;
    cells.reserve(row.cells.size());
    for (const QByteArray &cell : row.cells)
        cells << Csv::decode(cell, encoding);
    return cells;
}

bool isHeader(const QStringList &cells)
{
    return std::count_if(cells.cbegin(), cells.cend(), [](const QString &cell) {
               return columnNamed(cell) != NoColumn || isResultColumn(cell);
           }) >= HeaderMinimumNames;
}

} // namespace

QList<PlantRow> plantRowsOf(const QList<CaseRecord> &cases)
{
    QList<PlantRow> rows;
    rows.reserve(cases.size());
    for (const CaseRecord &record : cases)
        rows << PlantRow{0, record, {}, {}, {}};
    return rows;
}

QString plantRowReference(const PlantRow &row, const PlantFileFormat &format)
{
    if (row.isRead())
        return row.record->mskReferencia;
    const int position = positionsIn(format.header.isEmpty() ? allColumnNames() : format.header)[ReferenceColumn];
    return position == NoColumn ? QString() : row.cells.value(position).trimmed();
}

QList<PlantLineError> PlantReadResult::errors() const
{
    QList<PlantLineError> errors;
    for (const PlantRow &row : rows) {
        if (!row.isRead())
            errors << PlantLineError{row.line, row.reason};
    }
    return errors;
}

PlantSettings PlantReadResult::settingsOver(PlantSettings defaults) const
{
    for (auto it = settings.cbegin(); it != settings.cend(); ++it)
        setSetting(defaults, it.key(), it.value());
    return defaults;
}

PlantFileFormat newPlantFileFormat(const QLocale &locale)
{
    PlantFileFormat format;
    format.decimalComma = locale.decimalPoint() == QStringLiteral(",");
    format.separator = format.decimalComma ? ';' : ',';
    return format;
}

PlantReadResult parsePlantFile(const QByteArray &bytes, const PlantFileContext &context)
{
    PlantReadResult result;
    PlantFileFormat &format = result.format;
    format.encoding = Csv::detectEncoding(bytes);
    format.separator = Csv::detectSeparator(bytes);
    format.lineEnd = Csv::detectLineEnd(bytes);
    QList<Csv::Row> rows = Csv::splitRows(bytes, format.separator);
    rows.removeIf([](const Csv::Row &row) { return row.isBlank() && !row.unclosedQuote; });
    QList<QStringList> cells;
    for (const Csv::Row &row : std::as_const(rows))
        cells << decodedCells(row, format.encoding);
    if (!cells.isEmpty() && isHeader(cells.first())) {
        format.header = cells.takeFirst();
        rows.removeFirst();
    } else {
        format.header = allColumnNames().mid(0, CaseColumnCount);
    }
    const QList<int> positions = positionsIn(format.header);
    format.decimalComma = findDecimalComma(cells, positions, format.separator);
    RowReader reader{context, positions, numberLocale(format.decimalComma)};
    for (int c = 0; c < CaseColumnCount; ++c)
        reader.needed = std::max(reader.needed, positions[c] + 1);

    for (qsizetype r = 0; r < rows.size(); ++r) {
        const Csv::Row &row = rows[r];
        if (!row.unclosedQuote && reader.isTotals(cells[r]))
            continue;
        PlantRow plantRow{row.line, std::nullopt, cells[r], {}, {}};
        if (row.unclosedQuote)
            plantRow.reason = reader.reason(PlantText::UnclosedQuote).arg(row.line).arg(row.lastLine);
        else
            plantRow.record = reader.read(cells[r], result.settings, &plantRow.reason);
        if (!plantRow.isRead())
            plantRow.raw = bytes.mid(row.begin, row.end - row.begin);
        result.rows << plantRow;
    }
    return result;
}

PlantReadResult readPlantFile(const QString &path, const PlantFileContext &context)
{
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        PlantReadResult result;
        result.fileError = readProblem(path, context.text);
        return result;
    }
    return parsePlantFile(bytes, context);
}

QStringList lineErrorMessages(const QList<PlantLineError> &errors, const TextLookup &text)
{
    QStringList messages;
    for (const PlantLineError &error : errors)
        messages << text(PlantText::LineError).arg(error.line).arg(error.reason);
    return messages;
}

namespace {

// The columns a file is written with: the file's own, without an export's results, then every column
// of plantColumns() it lacks. Each names the column of plantColumns() it is, or the cell of the file's
// rows it is written from.
struct WriteLayout
{
    QStringList header;
    QList<int> column; // index into plantColumns(), or NoColumn for a column the program does not know
    QList<int> source; // position in the file's rows, or NoColumn for a column the file did not have
};

WriteLayout writeLayout(const PlantFileFormat &format)
{
    WriteLayout layout;
    const QStringList fileHeader = format.header.isEmpty() ? allColumnNames() : format.header;
    const QList<int> positions = positionsIn(fileHeader);
    for (qsizetype p = 0; p < fileHeader.size(); ++p) {
        if (isResultColumn(fileHeader[p]))
            continue;
        const int column = int(positions.indexOf(int(p)));
        layout.header << fileHeader[p];
        layout.column << column;
        layout.source << int(p);
    }
    const QList<PlantColumn> &columns = plantColumns();
    for (qsizetype c = 0; c < columns.size(); ++c) {
        if (positions[c] == NoColumn) {
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

    QString cell(const PlantColumn &column, const CaseRecord &record, const PlantSettings &settings) const
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
            if (row.isRead() && layout.column[c] != NoColumn)
                cells << cell(plantColumns()[layout.column[c]], *row.record, settings);
            else
                cells << (layout.source[c] == NoColumn ? QString() : row.cells.value(layout.source[c]));
        }
        return cells;
    }

    QByteArray line(const QStringList &cells) const
    {
        return Csv::encode(Csv::line(cells, QChar::fromLatin1(format.separator)), format.encoding);
    }
};

QString figure(double value, QStringView pattern, const QLocale &convention)
{
    return NumberFormat::format(value, pattern, convention);
}

// kwh_year .. irr of a case or of the totals, without group separators.
QStringList resultCells(const PlantFigures &f, bool saves, const QLocale &convention)
{
    const QString none = NoSaving.toString();
    const std::optional<double> months = f.months ? std::optional<double>(NumberFormat::roundHalfEven(*f.months))
                                                  : std::nullopt;
    return {saves ? figure(f.kwh, u"0", convention) : none,
            saves ? figure(f.money, u"0.00", convention) : none,
            saves ? PlantFormat::optionalNumber(months, u"0", convention) : none,
            PlantFormat::optionalNumber(f.co2, u"0.0", convention),
            PlantFormat::optionalNumber(f.npv, u"0.00", convention),
            PlantFormat::optionalNumber(f.irr, u"0.0", convention)};
}

} // namespace

QByteArray plantFileBytes(const QList<PlantRow> &rows, const PlantSettings &settings, const PlantFileFormat &format,
                          const QLocale &locale, const TextLookup &text, QList<int> *lines)
{
    const WriteLayout layout = writeLayout(format);
    const RowWriter writer{format, locale, text, numberLocale(format.decimalComma)};
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
    const WriteLayout layout = writeLayout(format);
    const RowWriter writer{format, locale, text, numberLocale(format.decimalComma)};
    // The settings as the figures used them: the factor too when it is the country's.
    PlantSettings used;
    used.typedFactor = summary.gridFactor;
    used.lifetime = summary.lifetime.value_or(PlantLifetime{});
    QByteArray out = writer.line(layout.header + exportResultColumnNames()) + format.lineEnd;
    const QStringList noResults(exportResultColumnNames().size() - 1, QString());
    for (qsizetype r = 0; r < rows.size() && r < summary.cases.size(); ++r) {
        const PlantCaseResult &result = summary.cases[r];
        PlantRow row = rows[r];
        if (row.isRead())
            row.record = result.record;
        QStringList cells = writer.cells(layout, row, used);
        if (result.computed)
            cells << resultCells(result.figures, result.figures.kwh != 0.0, writer.convention) << QString();
        else
            cells << noResults << PlantFormat::oneLine(result.message);
        out += writer.line(cells) + format.lineEnd;
    }
    QStringList totals;
    for (const int column : layout.column) {
        const PlantColumn *c = column == NoColumn ? nullptr : &plantColumns()[column];
        if (c && c->kind == PlantCellKind::Setting)
            totals << writer.cell(*c, CaseRecord(), used);
        else if (c && c->field == &CaseRecord::mskInversor)
            totals << writer.number(summary.totals.drive);
        else if (c && c->field == &CaseRecord::mskReferencia)
            totals << (text ? text(PlantText::Total) : QStringLiteral("Total"));
        else
            totals << QString();
    }
    totals << resultCells(summary.totals, true, writer.convention)
           << (summary.leftOutCount > 0 && text ? text(PlantText::CasesLeftOut).arg(summary.leftOutCount) : QString());
    out += writer.line(totals) + format.lineEnd;
    return Csv::encodeFile(out, format.encoding);
}

bool savePlantBytes(const QString &path, const QByteArray &bytes, const TextLookup &text, QString *error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (error)
        *error = writeProblem(path, text);
    return false;
}

QString readProblem(const QString &path, const TextLookup &text)
{
    const QFileInfo info(path);
    if (!info.exists())
        return text(PlantText::FileMissing);
    if (info.isDir())
        return text(PlantText::IsAFolder);
    return text(info.isReadable() ? PlantText::ReadFailed : PlantText::NoReadPermission);
}

QString writeProblem(const QString &path, const TextLookup &text)
{
    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir())
        return text(PlantText::FolderMissing);
    if (info.isDir())
        return text(PlantText::IsAFolder);
    if (!folder.isWritable() || (info.exists() && !info.isWritable()))
        return text(PlantText::NoWritePermission);
    return text(PlantText::WriteFailed);
}

QString saveFailedMessage(const QString &path, const QString &reason, const TextLookup &text)
{
    return text(PlantText::NotSaved).arg(QDir::toNativeSeparators(path), reason);
}

QString withPlantExtension(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QStringLiteral(".csv");
}
