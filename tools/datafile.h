#pragma once

#include "localisation/texttable.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Readable sources of the scrambled data files, and the checks the build makes on them.
//
// A source is UTF-8 text, one row per line, cells separated by tabs. The first row names the columns:
// its first cell is "n", the others become row 0 of the table (language or preset names). Every other
// row starts with its row number (ascending; rows left out stay empty), followed by one value per
// column. Lines that are empty or whose first cell starts with "#" are comments.
namespace DataFile {

struct SourceTable
{
    // rows[r][c]: row r of column c; rows[0] holds the column names.
    QList<QStringList> rows;
    // Source line of each row, for messages (0 for rows the source leaves out).
    QList<int> lines;
    int columnCount() const { return rows.isEmpty() ? 0 : int(rows[0].size()); }
    QString columnName(int column) const { return rows.isEmpty() ? QString() : rows[0].value(column); }
};

// A row that every column must fill; the flags ask for a blank at the start or end, for texts that
// the program joins directly to a number or a value.
struct Requirement
{
    int row = 0;
    bool blankBefore = false;
    bool blankAfter = false;
};

// Each function appends what it finds wrong to `errors`, one complete sentence per problem.
SourceTable parseSource(const QString &text, QStringList &errors);

// Lines of row numbers or ranges ("53-61"), optionally followed by "blank-before" / "blank-after";
// "#" starts a comment.
QList<Requirement> parseRequirements(const QString &text, QStringList &errors);

// Values that the plain layout cannot carry (a `","`, a character outside Windows-1252, a control
// character, a cell the loader would split differently), required rows a column lacks, and a default
// name that is no column name.
void checkTable(const SourceTable &table, const QList<Requirement> &required, const QString &defaultName,
                QStringList &errors);

// The stored form of a checked table: plain layout, Windows-1252, scrambled with the program's key.
// Empty when `errors` gained anything.
QByteArray encodeTable(const SourceTable &table, const QString &defaultName, QStringList &errors);

// The readable source of a table read back from a stored file (for maintainers). Rows without any value
// are left out; a value holding a tab cannot be written and is reported.
QString sourceFromTable(const TextTable &table, QStringList &errors);

} // namespace DataFile
