#include "plant/plantcsv.h"

#include "files/codepage.h"

#include <QStringDecoder>
#include <algorithm>

namespace Csv {

namespace {

const QByteArray Bom("\xEF\xBB\xBF");

qsizetype lineEndSize(const QByteArray &bytes, qsizetype i)
{
    if (bytes[i] == '\r')
        return i + 1 < bytes.size() && bytes[i + 1] == '\n' ? 2 : 1;
    return bytes[i] == '\n' ? 1 : 0;
}

} // namespace

Encoding detectEncoding(const QByteArray &bytes)
{
    // Stateless: a sequence cut off by the end of the file is an error too.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString decoded = utf8.decode(bytes); // the decoder finds errors only while it decodes
    Q_UNUSED(decoded);
    if (utf8.hasError())
        return Encoding::Windows1252; // where the first three bytes of a byte-order mark are characters
    return bytes.startsWith(Bom) ? Encoding::Utf8WithBom : Encoding::Utf8;
}

QString decode(const QByteArray &bytes, Encoding encoding)
{
    return encoding == Encoding::Windows1252 ? CodePage::decode(bytes) : QString::fromUtf8(bytes);
}

QByteArray encode(const QString &text, Encoding encoding)
{
    return encoding == Encoding::Windows1252 ? CodePage::encode(text) : text.toUtf8();
}

QByteArray encodeFile(const QByteArray &content, Encoding encoding)
{
    return encoding == Encoding::Utf8WithBom ? Bom + content : content;
}

char detectSeparator(const QByteArray &bytes)
{
    // The quotes as splitRows() takes them: a quote opens a quoted cell only at the cell's start.
    bool quoted = false;
    bool cellStart = true;
    for (qsizetype i = bytes.startsWith(Bom) ? Bom.size() : 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (quoted) {
            if (c == '"' && i + 1 < bytes.size() && bytes[i + 1] == '"')
                ++i;
            else if (c == '"')
                quoted = false;
            continue;
        }
        if (c == ';')
            return ';';
        if (c == '\r' || c == '\n')
            break;
        quoted = c == '"' && cellStart;
        cellStart = c == ',';
    }
    return ',';
}

QByteArray detectLineEnd(const QByteArray &bytes)
{
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (const qsizetype size = lineEndSize(bytes, i))
            return bytes.mid(i, size);
    }
    return QByteArrayLiteral("\r\n");
}

bool Row::isBlank() const
{
    return std::all_of(cells.cbegin(), cells.cend(), [](const QByteArray &c) { return c.trimmed().isEmpty(); });
}

QList<Row> splitRows(const QByteArray &bytes, char separator, Encoding encoding)
{
    QList<Row> rows;
    const qsizetype start = encoding == Encoding::Utf8WithBom ? Bom.size() : 0;
    const qsizetype n = bytes.size();
    Row row{1, 1, start, start, {}, false};
    QByteArray cell;
    int line = 1;
    bool quoted = false;
    bool cellStarted = false;
    for (qsizetype i = start; i < n; ++i) {
        const char c = bytes[i];
        if (quoted) {
            if (c == '"' && i + 1 < n && bytes[i + 1] == '"') {
                cell += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                const qsizetype size = lineEndSize(bytes, i);
                line += size > 0 ? 1 : 0;
                cell += bytes.mid(i, qMax<qsizetype>(size, 1));
                i += qMax<qsizetype>(size, 1) - 1;
            }
        } else if (c == '"' && !cellStarted) {
            quoted = true;
            cellStarted = true;
        } else if (c == separator) {
            row.cells << cell;
            cell.clear();
            cellStarted = false;
        } else if (const qsizetype size = lineEndSize(bytes, i)) {
            row.cells << cell;
            row.end = i;
            row.lastLine = line;
            rows << row;
            i += size - 1;
            ++line;
            row = Row{line, line, i + 1, i + 1, {}, false};
            cell.clear();
            cellStarted = false;
        } else {
            cell += c;
            cellStarted = true;
        }
    }
    if (cellStarted || !row.cells.isEmpty() || !cell.isEmpty()) {
        row.cells << cell;
        // A line end that closes the file inside an unclosed quote starts no further line.
        QByteArrayView taken(bytes.constData() + row.begin, n - row.begin);
        while (!taken.isEmpty() && (taken.back() == '\r' || taken.back() == '\n'))
            taken.chop(1);
        row.end = row.begin + taken.size();
        row.lastLine = row.line + lineBreaks(taken);
        row.unclosedQuote = quoted;
        rows << row;
    }
    return rows;
}

QString field(const QString &value, QChar separator)
{
    if (!value.contains(separator) && !value.contains(u'"') && !value.contains(u'\r') && !value.contains(u'\n'))
        return value;
    return u'"' + QString(value).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

QString line(const QStringList &values, QChar separator)
{
    QStringList fields;
    fields.reserve(values.size());
    for (const QString &value : values)
        fields << field(value, separator);
    return fields.join(separator);
}

int lineBreaks(QByteArrayView text)
{
    int breaks = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && !(i + 1 < text.size() && text[i + 1] == '\n')))
            ++breaks;
    }
    return breaks;
}

} // namespace Csv
