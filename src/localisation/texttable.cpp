#include "localisation/texttable.h"

TextTable::TextTable(int rows, int columns)
    : m_rows(qMax(rows, 0)), m_columns(qMax(columns, 0))
{
    m_entries.resize(qsizetype(m_rows) * m_columns);
}

bool TextTable::contains(int row, int column) const
{
    return row >= 0 && row < m_rows && column >= 0 && column < m_columns;
}

QString TextTable::entry(int row, int column) const
{
    return contains(row, column) ? m_entries[qsizetype(row) * m_columns + column] : QString();
}

void TextTable::setEntry(int row, int column, const QString &text)
{
    if (contains(row, column))
        m_entries[qsizetype(row) * m_columns + column] = text;
}
