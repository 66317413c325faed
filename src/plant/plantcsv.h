#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// CSV after RFC 4180 as plant files and tessio-calc write it and spreadsheets read it. Rows are split on
// the bytes, before decoding: the quote, the separators and the line ends are ASCII and never part of a
// longer character in UTF-8 or Windows-1252, and a row that cannot be read is written back from the
// very bytes it was read from.

namespace Csv {

enum class Encoding { Utf8WithBom, Utf8, Windows1252 };

// UTF-8 (with or without a byte-order mark) when the bytes are valid UTF-8; otherwise Windows-1252,
// which a spreadsheet's plain "CSV" often is, and in which a byte-order mark's bytes are characters.
Encoding detectEncoding(const QByteArray &bytes);
QString decode(const QByteArray &bytes, Encoding encoding);
// Without the byte-order mark: encodeFile() adds it.
QByteArray encode(const QString &text, Encoding encoding);
QByteArray encodeFile(const QByteArray &content, Encoding encoding);

// ";" when the first line holds one outside quotes, else ",".
char detectSeparator(const QByteArray &bytes);
// The first line end of the bytes ("\r\n", "\n" or "\r"); "\r\n" when there is none.
QByteArray detectLineEnd(const QByteArray &bytes);

struct Row
{
    int line = 0;         // 1-based line where the row starts
    int lastLine = 0;     // line where it ends: a quoted cell may hold line ends
    qsizetype begin = 0;  // the row's bytes, without its line end (a UTF-8 byte-order mark is not part of row 1)
    qsizetype end = 0;
    QList<QByteArray> cells; // unquoted, undecoded
    bool unclosedQuote = false; // a quote that is never closed took the rest of the bytes
    bool isBlank() const;
};

// Every row; line ends are CR LF, LF or CR; a quoted cell may hold separators, doubled quotes and line
// ends. A quote inside an unquoted cell is taken as it stands, as spreadsheets do.
QList<Row> splitRows(const QByteArray &bytes, char separator, Encoding encoding);

// A cell as written: quoted when it holds the separator, a quote or a line end.
QString field(const QString &value, QChar separator);
// Cells joined by the separator, without a line end.
QString line(const QStringList &values, QChar separator);

// How many line breaks (CR LF, LF or CR) text holds.
int lineBreaks(QByteArrayView text);

} // namespace Csv
