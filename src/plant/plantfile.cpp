#include "plant/plantfile.h"

#include "calc/numberformat.h"
#include "localisation/texttable.h"
#include "plant/economicstext.h"
#include "plant/planttext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

namespace {

// The case columns a file without a header row holds, in their order.
constexpr int CaseColumnCount = 14;
constexpr int ReferenceColumn = 0;
constexpr int PowerColumn = 2;
constexpr int HeaderMinimumNames = 3;
constexpr int NoColumn = PlantColumns::None;

// Whether cell is text `number` in any language (letter case and outer blanks ignored); a "%1" in the
// text stands for a whole number.
bool matchesText(const QString &cell, int number, const PlantFileContext &context)
{
    const QString wanted = cell.trimmed();
    if (wanted.isEmpty())
        return false;
    const auto matches = [&wanted](const QString &text) {
        const QString trimmed = text.trimmed();
        if (!trimmed.contains(QStringLiteral("%1")))
            return !trimmed.isEmpty() && trimmed.compare(wanted, Qt::CaseInsensitive) == 0;
        QStringList parts = trimmed.split(QStringLiteral("%1"));
        for (QString &part : parts)
            part = QRegularExpression::escape(part);
        const QString pattern = parts.join(QStringLiteral("\\d+"));
        return QRegularExpression(QRegularExpression::anchoredPattern(pattern), QRegularExpression::CaseInsensitiveOption)
            .match(wanted)
            .hasMatch();
    };
    if (context.texts) {
        for (int c = 0; c < context.texts->columnCount(); ++c) {
            if (matches(context.texts->entry(number, c)))
                return true;
        }
    }
    return context.text && matches(context.text(number));
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
    const QLocale comma = PlantColumns::numberLocale(true);
    const QLocale point = PlantColumns::numberLocale(false);
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
        return NumberFormat::readNumber(text, PlantColumns::numberLocale(convention.decimalPoint() != QStringLiteral(",")));
    }

    bool readCell(const QStringList &cells, int c, CaseRecord &record, QMap<PlantSetting, double> &settings,
                  PlantCurveCells &curve, QString *why) const
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
        case PlantCellKind::Curve:
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
        if (column.kind == PlantCellKind::Curve)
            return readCurveCell(column.parameter, *value, curve, why);
        if (!settingInRange(column.setting, *value)) {
            *why = context.text ? settingRefusal(column.setting, {}, context.locale, context.text) : QString();
            return false;
        }
        if (!settings.contains(column.setting))
            settings.insert(column.setting, *value);
        return true;
    }

    bool readCurveCell(CurveParameter parameter, double value, PlantCurveCells &curve, QString *why) const
    {
        if (!parameterInRange(parameter, value)) {
            *why = context.text ? refusalMessage(parameter, context.text, context.locale) : QString();
            return false;
        }
        curve.setValue(parameter, value);
        return true;
    }

    std::optional<CaseRecord> read(const QStringList &cells, QMap<PlantSetting, double> &settings,
                                   PlantCurveCells &curve, QString *why) const
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
        PlantCurveCells rowCurve;
        for (int c = 0; c < int(plantColumns().size()); ++c) {
            if (!readCell(cells, c, record, found, rowCurve, why))
                return std::nullopt;
        }
        curve = rowCurve;
        for (auto it = found.cbegin(); it != found.cend(); ++it) {
            if (!settings.contains(it.key()))
                settings.insert(it.key(), it.value());
        }
        return record;
    }

    // The export's last rows, "Total" and the budget's choice in any language, with no application and
    // no power.
    bool isTotals(const QStringList &cells) const
    {
        if (!cell(cells, 1).isEmpty() || !cell(cells, PowerColumn).isEmpty())
            return false;
        const QString reference = cell(cells, ReferenceColumn);
        return matchesText(reference, PlantText::Total, context) || matchesText(reference, EconomicsText::ChoiceOne, context)
               || matchesText(reference, EconomicsText::ChoiceMany, context);
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
               return PlantColumns::named(cell) != NoColumn || PlantColumns::isResult(cell);
           }) >= HeaderMinimumNames;
}

} // namespace

QList<PlantRow> plantRowsOf(const QList<CaseRecord> &cases)
{
    QList<PlantRow> rows;
    rows.reserve(cases.size());
    for (const CaseRecord &record : cases)
        rows << PlantRow{0, record, {}, {}, {}, {}};
    return rows;
}

QString plantRowReference(const PlantRow &row, const PlantFileFormat &format)
{
    if (row.isRead())
        return row.record->mskReferencia;
    const int position = PlantColumns::positionsIn(format.header.isEmpty() ? PlantColumns::allNames() : format.header)[ReferenceColumn];
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
    if (factorColumn)
        defaults.typedFactor.reset();
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
    QList<Csv::Row> rows = Csv::splitRows(bytes, format.separator, format.encoding);
    rows.removeIf([](const Csv::Row &row) { return row.isBlank() && !row.unclosedQuote; });
    QList<QStringList> cells;
    for (const Csv::Row &row : std::as_const(rows))
        cells << decodedCells(row, format.encoding);
    if (!cells.isEmpty() && isHeader(cells.first())) {
        format.header = cells.takeFirst();
        rows.removeFirst();
    } else {
        format.header = PlantColumns::allNames().mid(0, CaseColumnCount);
    }
    const QList<int> positions = PlantColumns::positionsIn(format.header);
    result.factorColumn = positions[PlantColumns::named(QStringLiteral("co2_factor"))] != NoColumn;
    format.decimalComma = findDecimalComma(cells, positions, format.separator);
    RowReader reader{context, positions, PlantColumns::numberLocale(format.decimalComma)};
    for (int c = 0; c < CaseColumnCount; ++c)
        reader.needed = std::max(reader.needed, positions[c] + 1);

    for (qsizetype r = 0; r < rows.size(); ++r) {
        const Csv::Row &row = rows[r];
        if (!row.unclosedQuote && reader.isTotals(cells[r]))
            continue;
        PlantRow plantRow{row.line, std::nullopt, cells[r], {}, {}, {}};
        if (row.unclosedQuote)
            plantRow.reason = reader.reason(PlantText::UnclosedQuote).arg(row.line).arg(row.lastLine);
        else
            plantRow.record = reader.read(cells[r], result.settings, plantRow.curve, &plantRow.reason);
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
