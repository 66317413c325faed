#include "plant/plantfile.h"

#include "calc/numberformat.h"
#include "files/codepage.h"
#include "localisation/texttable.h"
#include "plant/planttext.h"

#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <cmath>

#include <QDir>
#include <QSaveFile>

QStringList plantColumnNames()
{
    return {QStringLiteral("reference"), QStringLiteral("application"), QStringLiteral("power"),
            QStringLiteral("unit"),      QStringLiteral("efficiency"),  QStringLiteral("kwh_price"),
            QStringLiteral("drive_price"), QStringLiteral("days"),      QStringLiteral("h100"),
            QStringLiteral("h90"),       QStringLiteral("h80"),         QStringLiteral("h70"),
            QStringLiteral("h60"),       QStringLiteral("h50")};
}

QStringList plantExportColumnNames()
{
    return plantColumnNames()
           << QStringLiteral("kwh_year") << QStringLiteral("money_year") << QStringLiteral("payback_months")
           << QStringLiteral("co2_t_year") << QStringLiteral("message");
}

namespace {

const QByteArray Bom("\xEF\xBB\xBF");
const QString RowEnd = QStringLiteral("\r\n");

enum Column { Reference, ApplicationColumn, Power, Unit, EfficiencyColumn, KwhPrice, DrivePrice, Days,
              H100, H90, H80, H70, H60, H50 };

// The number convention that goes with a list separator: ";" decimal comma, "," decimal point.
QLocale conventionLocale(QChar separator)
{
    return separator == u';' ? QLocale(QLocale::Portuguese, QLocale::Brazil)
                             : QLocale(QLocale::English, QLocale::UnitedStates);
}

QChar separatorFor(const QLocale &locale)
{
    return locale.decimalPoint() == QStringLiteral(",") ? QChar(u';') : QChar(u',');
}

struct CsvRow
{
    int line = 0; // where the row starts
    QStringList fields;
};

// RFC 4180 rows; line ends CR LF, LF or CR; quoted fields may hold separators, quotes ("") and line
// ends. A quote inside an unquoted field is taken as it stands, as spreadsheets do.
QList<CsvRow> splitRows(const QString &text, QChar separator)
{
    QList<CsvRow> rows;
    CsvRow row{1, {}};
    QString field;
    int line = 1;
    bool quoted = false;
    bool fieldStarted = false;
    const qsizetype n = text.size();
    const auto endRow = [&] {
        row.fields << field;
        rows << row;
        row = CsvRow{line, {}};
        field.clear();
        fieldStarted = false;
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < n && text[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == u'\n' || (c == u'\r' && !(i + 1 < n && text[i + 1] == u'\n')))
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == u'"' && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
        } else if (c == separator) {
            row.fields << field;
            field.clear();
            fieldStarted = false;
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                ++i;
            ++line;
            endRow();
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (fieldStarted || !row.fields.isEmpty() || !field.isEmpty())
        endRow();
    return rows;
}

// ";" when the first line holds one outside quotes, else ",".
QChar detectSeparator(const QString &text)
{
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && (c == u'\r' || c == u'\n'))
            break;
        else if (!quoted && c == u';')
            return u';';
    }
    return u',';
}

QString decodeText(QByteArray bytes)
{
    if (bytes.startsWith(Bom))
        return QString::fromUtf8(bytes.constData() + Bom.size(), bytes.size() - Bom.size());
    // A spreadsheet's plain "CSV" is often in the Windows code page rather than UTF-8.
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return CodePage::decode(bytes);
}

bool isBlank(const QStringList &fields)
{
    return std::all_of(fields.cbegin(), fields.cend(), [](const QString &f) { return f.trimmed().isEmpty(); });
}

bool matchesText(const QString &cell, int number, const PlantFileContext &context)
{
    const QString wanted = cell.trimmed();
    if (context.texts) {
        for (int c = 0; c < context.texts->columnCount(); ++c) {
            const QString name = context.texts->entry(number, c).trimmed();
            if (!name.isEmpty() && name.compare(wanted, Qt::CaseInsensitive) == 0)
                return true;
        }
    }
    return context.text && !context.text(number).trimmed().isEmpty()
           && context.text(number).trimmed().compare(wanted, Qt::CaseInsensitive) == 0;
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

struct RowReader
{
    const PlantFileContext &context;
    QLocale convention;

    QString reason(int number) const { return context.text ? context.text(number) : QString(); }

    // The text of a number cell in the program's regional format; empty stays empty.
    std::optional<QString> number(const QStringList &fields, int column, QString *why) const
    {
        const QString cell = fields[column].trimmed();
        if (cell.isEmpty())
            return QString();
        bool ok = false;
        const double value = convention.toDouble(cell, &ok);
        if (!ok || !std::isfinite(value)) {
            *why = reason(PlantText::NotANumber).arg(cell, plantColumnNames()[column]);
            return std::nullopt;
        }
        return NumberFormat::shortestText(value, context.locale);
    }

    std::optional<CaseRecord> read(const QStringList &fields, QString *why) const
    {
        if (fields.size() < PlantColumnCount) {
            *why = reason(PlantText::TooFewColumns).arg(fields.size());
            return std::nullopt;
        }
        CaseRecord record = context.start;
        record.clearResults();
        record.mskReferencia = fields[Reference].trimmed();
        const auto application = readApplication(fields[ApplicationColumn], context);
        if (!application) {
            *why = reason(PlantText::UnknownApplication);
            return std::nullopt;
        }
        record.cboAplicacao = *application;
        const QString unit = fields[Unit].trimmed();
        if (unit.compare(QLatin1String("kW"), Qt::CaseInsensitive) == 0)
            record.optUnPotencia = UnitKw;
        else if (unit.compare(QLatin1String("HP"), Qt::CaseInsensitive) == 0)
            record.optUnPotencia = UnitHp;
        else {
            *why = reason(PlantText::UnknownUnit);
            return std::nullopt;
        }
        const std::array<std::pair<int, QString CaseRecord::*>, 11> numbers{{
            {Power, &CaseRecord::mskPotencia},       {EfficiencyColumn, &CaseRecord::mskRendimento},
            {KwhPrice, &CaseRecord::mskValorkWh},    {DrivePrice, &CaseRecord::mskInversor},
            {Days, &CaseRecord::mskDiaAno},          {H100, &CaseRecord::mskVazao100},
            {H90, &CaseRecord::mskVazao90},          {H80, &CaseRecord::mskVazao80},
            {H70, &CaseRecord::mskVazao70},          {H60, &CaseRecord::mskVazao60},
            {H50, &CaseRecord::mskVazao50},
        }};
        for (const auto &[column, field] : numbers) {
            const auto value = number(fields, column, why);
            if (!value)
                return std::nullopt;
            record.*field = *value;
        }
        return record;
    }

    // The export's last row: "Total" in any language with no application and no power.
    bool isTotals(const QStringList &fields) const
    {
        return fields.size() > Power && fields[ApplicationColumn].trimmed().isEmpty()
               && fields[Power].trimmed().isEmpty() && matchesText(fields[Reference], PlantText::Total, context);
    }
};

// A number in the convention of the file, without group separators.
QString fileNumber(double value, const QLocale &convention)
{
    return NumberFormat::shortestText(value, convention);
}

QString fileNumberText(const QString &field, const QLocale &locale, const QLocale &convention)
{
    const auto value = NumberFormat::readNumber(field, locale);
    return value ? fileNumber(*value, convention) : field.trimmed();
}

QString csvField(const QString &value, QChar separator)
{
    if (!value.contains(separator) && !value.contains(u'"') && !value.contains(u'\r') && !value.contains(u'\n'))
        return value;
    return u'"' + QString(value).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

QString csvLine(const QStringList &values, QChar separator)
{
    QStringList fields;
    fields.reserve(values.size());
    for (const QString &value : values)
        fields << csvField(value, separator);
    return fields.join(separator) + RowEnd;
}

QStringList inputFields(const CaseRecord &record, const QLocale &locale, const QLocale &convention,
                        const TextLookup &text)
{
    const int app = record.cboAplicacao;
    QString application = app >= 0 && app < ApplicationCount && text ? text(PlantText::FirstApplication + app)
                                                                     : QString();
    if (application.trimmed().isEmpty())
        application = QString::number(std::clamp(app, 0, ApplicationCount - 1));
    const auto n = [&](const QString &field) { return fileNumberText(field, locale, convention); };
    return {record.mskReferencia,
            application,
            n(record.mskPotencia),
            record.isKw() ? QStringLiteral("kW") : QStringLiteral("HP"),
            n(record.mskRendimento),
            n(record.mskValorkWh),
            n(record.mskInversor),
            n(record.mskDiaAno),
            n(record.mskVazao100),
            n(record.mskVazao90),
            n(record.mskVazao80),
            n(record.mskVazao70),
            n(record.mskVazao60),
            n(record.mskVazao50)};
}

QString optionalNumber(std::optional<double> value, QStringView pattern, const QLocale &convention)
{
    return value ? NumberFormat::format(*value, pattern, convention) : NoSaving.toString();
}

QStringList resultFields(const PlantFigures &f, bool saves, const QLocale &convention)
{
    const QString none = NoSaving.toString();
    return {saves ? NumberFormat::format(f.kwh, u"0", convention) : none,
            saves ? NumberFormat::format(f.money, u"0.00", convention) : none,
            saves && f.months ? NumberFormat::format(NumberFormat::roundHalfEven(*f.months), u"0", convention) : none,
            optionalNumber(f.co2, u"0.0", convention)};
}

QString oneLine(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(u'\r', u' ').replace(u'\n', u' ');
}

} // namespace

PlantReadResult parsePlantFile(const QByteArray &bytes, const PlantFileContext &context)
{
    PlantReadResult result;
    const QString text = decodeText(bytes);
    const QChar separator = detectSeparator(text);
    const RowReader reader{context, conventionLocale(separator)};
    bool first = true;
    for (const CsvRow &row : splitRows(text, separator)) {
        if (isBlank(row.fields))
            continue;
        if (first) {
            first = false;
            if (row.fields.first().trimmed().compare(QLatin1String("reference"), Qt::CaseInsensitive) == 0)
                continue;
        }
        if (reader.isTotals(row.fields))
            continue;
        QString why;
        if (const auto record = reader.read(row.fields, &why)) {
            result.cases << *record;
            result.lines << row.line;
        } else {
            result.errors << PlantLineError{row.line, why};
        }
    }
    return result;
}

PlantReadResult readPlantFile(const QString &path, const PlantFileContext &context)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        PlantReadResult result;
        result.fileError = file.errorString();
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        PlantReadResult result;
        result.fileError = file.errorString();
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

QByteArray plantFileBytes(const QList<CaseRecord> &cases, const QLocale &locale, const TextLookup &text)
{
    const QChar separator = separatorFor(locale);
    const QLocale convention = conventionLocale(separator);
    QString out = csvLine(plantColumnNames(), separator);
    for (const CaseRecord &record : cases)
        out += csvLine(inputFields(record, locale, convention, text), separator);
    return Bom + out.toUtf8();
}

QByteArray plantExportBytes(const PlantSummary &summary, const QLocale &locale, const TextLookup &text)
{
    const QChar separator = separatorFor(locale);
    const QLocale convention = conventionLocale(separator);
    QString out = csvLine(plantExportColumnNames(), separator);
    for (const PlantCaseResult &result : summary.cases) {
        QStringList fields = inputFields(result.record, locale, convention, text);
        if (result.computed)
            fields << resultFields(result.figures, result.figures.kwh != 0.0, convention) << QString();
        else
            fields << QString() << QString() << QString() << QString() << oneLine(result.message);
        out += csvLine(fields, separator);
    }
    QStringList totals{text ? text(PlantText::Total) : QStringLiteral("Total")};
    for (int c = 1; c < PlantColumnCount; ++c)
        totals << QString();
    totals << resultFields(summary.totals, true, convention)
           << (summary.leftOutCount > 0 && text ? text(PlantText::CasesLeftOut).arg(summary.leftOutCount) : QString());
    out += csvLine(totals, separator);
    return Bom + out.toUtf8();
}

bool savePlantBytes(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

bool writePlantFile(const QString &path, const QList<CaseRecord> &cases, const QLocale &locale,
                    const TextLookup &text, QString *error)
{
    return savePlantBytes(path, plantFileBytes(cases, locale, text), error);
}

bool writePlantExport(const QString &path, const PlantSummary &summary, const QLocale &locale,
                      const TextLookup &text, QString *error)
{
    return savePlantBytes(path, plantExportBytes(summary, locale, text), error);
}

QString saveFailedMessage(const QString &path, const QString &reason, const TextLookup &text)
{
    return text(PlantText::NotSaved).arg(QDir::toNativeSeparators(path), reason);
}
