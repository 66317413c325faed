#include "localisation/texttable.h"

TextTable::TextTable(int rows, int columns)
    : m_rows(qMax(rows, 0)), m_columns(qMax(columns, 0))
{
}

bool TextTable::contains(int row, int column) const
{
    return row >= 0 && row < m_rows && column >= 0 && column < m_columns;
}

QString TextTable::entry(int row, int column) const
{
    if (!contains(row, column) || row >= m_values.size() || column >= m_values[row].size())
        return QString();
    return m_values[row][column];
}

void TextTable::setEntry(int row, int column, const QString &text)
{
    if (!contains(row, column))
        return;
    if (m_values.size() <= row)
        m_values.resize(row + 1);
    QStringList &values = m_values[row];
    if (values.size() <= column)
        values.resize(column + 1);
    values[column] = text;
}
