#pragma once

#include "calc/calculator.h"
#include "plant/plantmodel.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QList>
#include <QLocale>
#include <QSortFilterProxyModel>

class PlantDocument;

// The plant window's table over a PlantDocument: one row per row of the plant, then the totals row and,
// with a budget, the row of the budget's choice, as the document's summary has them. A case that failed
// a check, and a row of the plant file that could not be read (greyed), have only their message, in the
// first result column; failedRows() tells a view which rows to span. The application shows in a few
// words, its full name in the tooltip. The cases the budget chooses, and its row, lie on ChosenBand and
// are described as within the budget to a screen reader. SortRole gives each cell's value to sort by. The
// last column says which model a row's figures come from (the fixed table, or the system curve with its
// static head), its tooltip every parameter.
class PlantSummaryTable : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Reference, ApplicationName, Power, Efficiency, Kwh, Money, Drive, Months, Co2, Npv, Irr,
                  DiscountedPayback, Model, ColumnCount };
    static constexpr int FirstResultColumn = Kwh;
    static constexpr int SortRole = Qt::UserRole;
    static inline const QColor ChosenBand{214, 236, 214};

    // `locale` is the regional format of everything shown; document outlives the table.
    PlantSummaryTable(PlantDocument &document, const TextLookup &text, const QLocale &locale, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    PlantDocument &document() { return m_document; }
    const PlantSummary &summary() const;
    int caseCount() const; // rows of the plant, without the totals row
    bool isTotalsRow(int row) const { return row == caseCount(); }
    bool isChoiceRow(int row) const { return row == caseCount() + 1; }
    // The totals or the choice: rows that stay last however the view is sorted.
    bool isSummaryRow(int row) const { return row >= caseCount(); }
    QList<int> failedRows() const;

    // The currency of the money headings (the main window's).
    void setCurrency(const QString &currency);
    // The language changed: headings are read again (the document makes the rows again).
    void retranslate();

private:
    void reload();
    QString cell(int row, int column) const;
    QVariant sortValue(int row, int column) const;
    bool onBand(int row) const;

    PlantDocument &m_document;
    TextLookup m_text;
    QLocale m_locale;
    QString m_currency;
    QList<PlantCaseTexts> m_texts; // per row, then the totals and the choice
    QList<bool> m_chosen;          // per row: the budget's choice takes it
};

// The table as the view shows it: sorted by the column whose heading was clicked, the totals and the
// choice staying last; unsorted (column -1) it is the plant's own order, which the file keeps.
class PlantTableSort : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    explicit PlantTableSort(PlantSummaryTable &table, QObject *parent = nullptr);
    // The row of the plant a row of the view shows, -1 for the totals or the choice.
    int caseRow(int viewRow) const;
    int viewRow(int caseRow) const;

    // The sorted column's heading ends in an arrow up or down: the view draws no sort indicator, which
    // would widen every column by a heading's height.
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    PlantSummaryTable &m_table;
};
