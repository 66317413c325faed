#include "tools/datafile.h"

#include "files/codepage.h"
#include "localisation/scrambledfile.h"

#include <QRegularExpression>

namespace DataFile {

namespace {

const QString Separator = QStringLiteral("\",\"");

QString describeChar(QChar c)
{
    return QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
}

QString where(const SourceTable &table, int row, int column)
{
    const int line = table.lines.value(row);
    const QString place = QStringLiteral("row %1, column \"%2\"").arg(row).arg(table.columnName(column));
    return line > 0 ? QStringLiteral("line %1 (%2)").arg(line).arg(place) : place;
}

bool encodable(const QString &text)
{
    return CodePage::encodable(text);
}

} // namespace

SourceTable parseSource(const QString &text, QStringList &errors)
{
    SourceTable table;
    QString body = text;
    if (body.startsWith(QChar(0xFEFF)))
        body.remove(0, 1);
    const QStringList lines = body.split(QLatin1Char('\n'));
    bool haveHeader = false;
    int previousRow = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int lineNumber = int(i + 1);
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        QStringList cells = line.split(QLatin1Char('\t'));
        if (line.trimmed().isEmpty() || cells[0].startsWith(QLatin1Char('#')))
            continue;
        if (!haveHeader) {
            haveHeader = true;
            if (cells[0] != QLatin1String("n"))
                errors.append(QStringLiteral("line %1: the header must start with the cell \"n\"").arg(lineNumber));
            cells.removeFirst();
            if (cells.isEmpty())
                errors.append(QStringLiteral("line %1: the header names no columns").arg(lineNumber));
            table.rows.append(cells);
            table.lines.append(lineNumber);
            continue;
        }
        bool ok = false;
        const int row = cells[0].trimmed().toInt(&ok);
        if (!ok || row <= 0) {
            errors.append(QStringLiteral("line %1: \"%2\" is not a row number above 0").arg(lineNumber).arg(cells[0]));
            continue;
        }
        if (row <= previousRow) {
            errors.append(QStringLiteral("line %1: row %2 follows row %3; rows must ascend")
                              .arg(lineNumber)
                              .arg(row)
                              .arg(previousRow));
            continue;
        }
        previousRow = row;
        cells.removeFirst();
        const int columns = table.columnCount();
        if (cells.size() > columns) {
            errors.append(QStringLiteral("line %1: row %2 has %3 values for %4 columns")
                              .arg(lineNumber)
                              .arg(row)
                              .arg(cells.size())
                              .arg(columns));
            cells.resize(columns);
        }
        cells.resize(columns);
        while (table.rows.size() < row) {
            table.rows.append(QStringList(columns, QString()));
            table.lines.append(0);
        }
        table.rows.append(cells);
        table.lines.append(lineNumber);
    }
    if (!haveHeader)
        errors.append(QStringLiteral("the source has no header line"));
    return table;
}

QList<Requirement> parseRequirements(const QString &text, QStringList &errors)
{
    static const QRegularExpression entry(QStringLiteral("^(\\d+)(?:-(\\d+))?((?:\\s+[a-z-]+)*)$"));
    QList<Requirement> result;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].section(QLatin1Char('#'), 0, 0).trimmed();
        if (line.isEmpty())
            continue;
        const auto match = entry.match(line);
        if (!match.hasMatch()) {
            errors.append(QStringLiteral("requirements line %1: \"%2\" is not a row, a range or a known flag")
                              .arg(i + 1)
                              .arg(line));
            continue;
        }
        const int first = match.captured(1).toInt();
        const int last = match.captured(2).isEmpty() ? first : match.captured(2).toInt();
        Requirement requirement;
        const QStringList flags = match.captured(3).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        bool flagsOk = true;
        for (const QString &flag : flags) {
            if (flag == QLatin1String("blank-before"))
                requirement.blankBefore = true;
            else if (flag == QLatin1String("blank-after"))
                requirement.blankAfter = true;
            else
                flagsOk = false;
        }
        if (!flagsOk || last < first) {
            errors.append(QStringLiteral("requirements line %1: \"%2\" is not a row, a range or a known flag")
                              .arg(i + 1)
                              .arg(line));
            continue;
        }
        for (int row = first; row <= last; ++row) {
            requirement.row = row;
            result.append(requirement);
        }
    }
    return result;
}

void checkTable(const SourceTable &table, const QList<Requirement> &required, const QString &defaultName,
                QStringList &errors)
{
    const int columns = table.columnCount();
    if (columns == 0) {
        errors.append(QStringLiteral("the source names no columns"));
        return;
    }
    for (int c = 0; c < columns; ++c) {
        for (int other = 0; other < c; ++other) {
            if (table.columnName(c) == table.columnName(other))
                errors.append(QStringLiteral("two columns are named \"%1\"").arg(table.columnName(c)));
        }
    }
    if (!table.rows[0].contains(defaultName))
        errors.append(QStringLiteral("the default column \"%1\" is none of the column names").arg(defaultName));

    QList<QList<bool>> reported(table.rows.size(), QList<bool>(columns, false));
    for (int r = 0; r < int(table.rows.size()); ++r) {
        for (int c = 0; c < columns; ++c) {
            const QString &value = table.rows[r][c];
            auto fail = [&](const QString &why) {
                errors.append(QStringLiteral("%1: %2").arg(where(table, r, c), why));
                reported[r][c] = true;
            };
            if (value.contains(Separator)) {
                fail(QStringLiteral("the value contains \",\", which the data file cannot hold"));
                continue;
            }
            for (const QChar ch : value) {
                if (ch.unicode() < 0x20 || ch.unicode() == 0x7F) {
                    fail(QStringLiteral("the value contains the control character %1").arg(describeChar(ch)));
                    break;
                }
                if (!encodable(QString(ch))) {
                    fail(QStringLiteral("the character \"%1\" (%2) is not in Windows-1252").arg(ch).arg(describeChar(ch)));
                    break;
                }
            }
        }
    }

    // Read the layout back as the program does: cells the loader would cut differently (quotes and
    // commas at a value's edge can form a separator with their neighbours) are reported.
    const TextTable readBack = parsePlainTable(composePlainTable(columns, defaultName, table.rows));
    for (int r = 0; r < int(table.rows.size()); ++r) {
        // A `","` already reported shifts every later cell of its row; one message is enough.
        if (std::any_of(table.rows[r].cbegin(), table.rows[r].cend(), [](const QString &v) { return v.contains(Separator); }))
            continue;
        for (int c = 0; c < columns; ++c) {
            if (!reported[r][c] && readBack.entry(r, c) != table.rows[r][c]) {
                errors.append(QStringLiteral("%1: the program would read this value as \"%2\"; change the quotes "
                                             "or commas at its edges")
                                  .arg(where(table, r, c), readBack.entry(r, c)));
            }
        }
    }

    for (const Requirement &requirement : required) {
        for (int c = 0; c < columns; ++c) {
            const QString value = table.rows.value(requirement.row).value(c);
            const QString place = QStringLiteral("row %1, column \"%2\"").arg(requirement.row).arg(table.columnName(c));
            if (value.isEmpty()) {
                errors.append(QStringLiteral("%1: the program uses this row, but it has no value").arg(place));
                continue;
            }
            if (requirement.blankBefore && !value.startsWith(QLatin1Char(' ')))
                errors.append(QStringLiteral("%1: the value must start with a blank").arg(place));
            if (requirement.blankAfter && !value.endsWith(QLatin1Char(' ')))
                errors.append(QStringLiteral("%1: the value must end with a blank").arg(place));
        }
    }
}

QByteArray encodeTable(const SourceTable &table, const QString &defaultName, QStringList &errors)
{
    const QString plain = composePlainTable(table.columnCount(), defaultName, table.rows);
    if (!CodePage::encodable(plain)) {
        errors.append(QStringLiteral("the table holds characters outside Windows-1252"));
        return QByteArray();
    }
    const QByteArray bytes = CodePage::encode(plain);
    return Scramble(QString::fromLatin1(ScrambleKey), bytes);
}

QString sourceFromTable(const TextTable &table, QStringList &errors)
{
    QStringList lines;
    auto rowCells = [&](int row) {
        QStringList cells;
        for (int c = 0; c < table.columnCount(); ++c) {
            const QString value = table.entry(row, c);
            if (value.contains(QLatin1Char('\t')) || value.contains(QLatin1Char('\n')))
                errors.append(QStringLiteral("row %1, column %2: the value holds a tab or line feed").arg(row).arg(c));
            cells.append(value);
        }
        return cells;
    };
    lines.append(QStringLiteral("n\t") + rowCells(0).join(QLatin1Char('\t')));
    for (int r = 1; r < table.rowCount(); ++r) {
        const QStringList cells = rowCells(r);
        if (std::all_of(cells.cbegin(), cells.cend(), [](const QString &v) { return v.isEmpty(); }))
            continue;
        lines.append(QString::number(r) + QLatin1Char('\t') + cells.join(QLatin1Char('\t')));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace DataFile
