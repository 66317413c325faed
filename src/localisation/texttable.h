#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A table of texts read from one of the scrambled data files: rows are text numbers (or preset
// fields), columns are languages (or presets). Every entry starts empty, and reading outside the
// table gives the empty text, so a missing text shows as an empty caption instead of failing.
class TextTable
{
public:
    TextTable() = default;
    TextTable(int rows, int columns);

    int rowCount() const { return m_rows; }
    int columnCount() const { return m_columns; }
    bool isEmpty() const { return m_rows == 0 || m_columns == 0; }

    QString entry(int row, int column) const;
    bool contains(int row, int column) const;
    void setEntry(int row, int column, const QString &text);

    // Name of the default column (line 2 of the file) and the file the table was read from.
    QString defaultColumnName;
    QString filePath;

private:
    int m_rows = 0;
    int m_columns = 0;
    // Only the values a file supplied are held: a table's size comes from counts in the file, which
    // must not decide how much memory is taken.
    QList<QStringList> m_values;
};
