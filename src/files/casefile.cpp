#include "files/casefile.h"

#include "calc/numberformat.h"
#include "files/codepage.h"

#include <QFile>
#include <QLocale>
#include <QSaveFile>
#include <QStringList>
#include <array>

namespace {

constexpr int ApplicationField = 1;
constexpr int UnitField = 11;

// The text fields by file position (index 0 is field 1); field 1 and field 11 have none.
using TextMember = QString CaseRecord::*;
constexpr std::array<TextMember, CaseFileFieldCount> TextFields{
    nullptr,
    &CaseRecord::mskReferencia,
    &CaseRecord::mskDiaAno,
    &CaseRecord::mskVazao100,
    &CaseRecord::mskVazao90,
    &CaseRecord::mskVazao80,
    &CaseRecord::mskVazao70,
    &CaseRecord::mskVazao60,
    &CaseRecord::mskVazao50,
    &CaseRecord::mskPotencia,
    nullptr,
    &CaseRecord::mskValorkWh,
    &CaseRecord::mskInversor,
    &CaseRecord::mskRendimento,
};

// Case files are one short line; reading stops here so that a wrongly chosen huge file is not
// loaded whole.
constexpr qint64 ReadLimit = 1 << 20;

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isSeparator(QChar c)
{
    return c == u',' || c == u'\r' || c == u'\n';
}

QString trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin).toString();
}

// The first `count` fields of content. A field that begins with a double quote runs to the next
// double quote, and whatever follows it up to the next comma or line end is skipped; any other
// field is taken without the blanks around it. CR LF counts as one line end.
QStringList splitFields(const QString &content, int count)
{
    QStringList fields;
    const qsizetype n = content.size();
    qsizetype pos = 0;
    while (fields.size() < count && pos < n) {
        qsizetype p = pos;
        while (p < n && isBlank(content[p]))
            ++p;
        if (p < n && content[p] == u'"') {
            const qsizetype close = content.indexOf(u'"', p + 1);
            const qsizetype end = close < 0 ? n : close;
            fields.append(content.mid(p + 1, end - p - 1));
            p = close < 0 ? n : close + 1;
            while (p < n && !isSeparator(content[p]))
                ++p;
        } else {
            const qsizetype start = pos;
            while (p < n && !isSeparator(content[p]))
                ++p;
            fields.append(trimBlanks(QStringView(content).mid(start, p - start)));
        }
        if (p < n) {
            if (content[p] == u'\r' && p + 1 < n && content[p + 1] == u'\n')
                ++p;
            ++p;
        }
        pos = p;
    }
    return fields;
}

// Field 1: the application position; empty (a missing field) is 0.
std::optional<int> readApplication(const QString &field)
{
    const QString text = field.trimmed();
    if (text.isEmpty())
        return 0;
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0 || value >= ApplicationCount)
        return std::nullopt;
    return value;
}

// Field 11: "#TRUE#"/"#FALSE#" or the words without the marks, any case; a number is true unless it
// is 0; empty (a missing field) is false.
std::optional<bool> readTruth(const QString &field)
{
    QString text = field.trimmed();
    if (text.isEmpty())
        return false;
    if (text.size() > 2 && text.startsWith(u'#') && text.endsWith(u'#'))
        text = text.mid(1, text.size() - 2);
    if (text.compare(u"true", Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(u"false", Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    if (!ok)
        return std::nullopt;
    return value != 0.0;
}

QByteArray quoted(const QString &text)
{
    QString stored = text;
    stored.replace(u'"', u'\'');
    return '"' + CodePage::encode(stored) + '"';
}

} // namespace

QByteArray caseFileBytes(const CaseRecord &record)
{
    QByteArrayList fields;
    const int application =
        record.cboAplicacao >= 0 && record.cboAplicacao < ApplicationCount ? record.cboAplicacao : 0;
    for (int field = 1; field <= CaseFileFieldCount; ++field) {
        if (field == ApplicationField)
            fields.append(QByteArray::number(application));
        else if (field == UnitField)
            fields.append(record.isKw() ? "#TRUE#" : "#FALSE#");
        else
            fields.append(quoted(record.*TextFields[field - 1]));
    }
    return fields.join(',') + "\r\n";
}

CaseFileResult parseCaseFile(const QByteArray &bytes, const CaseRecord &current)
{
    CaseFileResult result;
    result.record = current;
    QStringList fields = splitFields(CodePage::decode(bytes), CaseFileFieldCount);
    result.fieldsInFile = int(fields.size());
    while (fields.size() < CaseFileFieldCount)
        fields.append(QString());

    for (int field = 1; field <= CaseFileFieldCount; ++field) {
        const QString &value = fields[field - 1];
        if (field == ApplicationField) {
            const auto application = readApplication(value);
            if (!application) {
                result.error = PlatformError{ErrorNumber::TypeMismatch,
                                             QStringLiteral("Field 1 is not an application number: \"%1\"")
                                                 .arg(value)};
                break;
            }
            result.record.cboAplicacao = *application;
        } else if (field == UnitField) {
            const auto kw = readTruth(value);
            if (!kw) {
                result.error = PlatformError{ErrorNumber::TypeMismatch,
                                             QStringLiteral("Field 11 is not a truth value: \"%1\"").arg(value)};
                break;
            }
            result.record.optUnPotencia = *kw ? UnitKw : UnitHp;
        } else {
            result.record.*TextFields[field - 1] = value;
        }
        result.fieldsApplied = field;
    }
    if (result.fieldsApplied > 0)
        result.record.clearResults();
    return result;
}

bool WriteCaseFile(const QString &path, const CaseRecord &record, PlatformError *error)
{
    // Written to a temporary file and put in place only when complete, so that a failing save never
    // destroys the case it was meant to replace.
    QSaveFile file(path);
    const QByteArray bytes = caseFileBytes(record);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (error) {
        *error = fileError(file);
        if (error->description.isEmpty() || file.error() == QFileDevice::UnspecifiedError)
            error->description = QStringLiteral("The file could not be written: %1").arg(path);
    }
    file.cancelWriting();
    return false;
}

CaseFileResult ReadCaseFile(const QString &path, const CaseRecord &current)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        CaseFileResult result;
        result.record = current;
        result.error = fileError(file);
        return result;
    }
    const QByteArray bytes = file.read(ReadLimit);
    if (file.error() != QFileDevice::NoError) {
        CaseFileResult result;
        result.record = current;
        result.error = fileError(file);
        return result;
    }
    file.close();
    return parseCaseFile(bytes, current);
}

namespace {

// The fields of a case that hold numbers.
constexpr std::array<QString CaseRecord::*, 11> NumberFields{
    &CaseRecord::mskPotencia, &CaseRecord::mskRendimento, &CaseRecord::mskValorkWh, &CaseRecord::mskInversor,
    &CaseRecord::mskDiaAno,   &CaseRecord::mskVazao100,   &CaseRecord::mskVazao90,  &CaseRecord::mskVazao80,
    &CaseRecord::mskVazao70,  &CaseRecord::mskVazao60,    &CaseRecord::mskVazao50};

QLocale otherConvention(const QLocale &locale)
{
    return locale.decimalPoint() == QStringLiteral(",") ? QLocale(QLocale::English, QLocale::UnitedStates)
                                                         : QLocale(QLocale::Portuguese, QLocale::Brazil);
}

} // namespace

std::optional<CaseRecord> numbersInOtherConvention(const CaseRecord &record, const QLocale &locale)
{
    const QLocale other = otherConvention(locale);
    CaseRecord converted = record;
    bool unreadHere = false;
    for (QString CaseRecord::*field : NumberFields) {
        const QString &text = record.*field;
        if (text.trimmed().isEmpty())
            continue;
        unreadHere = unreadHere || !NumberFormat::readNumber(text, locale);
        const std::optional<double> value = NumberFormat::readNumber(text, other);
        if (!value)
            return std::nullopt;
        converted.*field = NumberFormat::shortestText(*value, locale);
    }
    return unreadHere ? std::optional<CaseRecord>(converted) : std::nullopt;
}

QString otherConventionMessage(const CaseRecord &record, const QLocale &locale, const TextLookup &text)
{
    if (!numbersInOtherConvention(record, locale))
        return QString();
    const bool hereComma = locale.decimalPoint() == QStringLiteral(",");
    return text(hereComma ? CaseFileText::WrittenWithPoint : CaseFileText::WrittenWithComma);
}
