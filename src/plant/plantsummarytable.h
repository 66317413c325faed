#pragma once

#include "calc/calculator.h"
#include "plant/plantmodel.h"

#include <QAbstractTableModel>
#include <QList>
#include <QLocale>

class PlantDocument;

// The plant window's table over a PlantDocument: one row per row of the plant, then the totals row, as
// the document's summary has them. A case that failed a check, and a row of the plant file that could not
// be read (greyed), have only their message, in the first result column; failedRows() tells a view which
// rows to span. The application shows in a few words, its full name in the tooltip. The last column says
// which model a row's figures come from (the fixed table, or the system curve with its static head), its
// tooltip every parameter.
class PlantSummaryTable : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Reference, ApplicationName, Power, Efficiency, Kwh, Money, Drive, Months, Co2, Model, ColumnCount };
    static constexpr int FirstResultColumn = Kwh;

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
    QList<int> failedRows() const;

    // The currency of the money headings (the main window's).
    void setCurrency(const QString &currency);
    // The language changed: headings are read again (the document makes the rows again).
    void retranslate();

private:
    void reload();
    QString cell(int row, int column) const;

    PlantDocument &m_document;
    TextLookup m_text;
    QLocale m_locale;
    QString m_currency;
    QList<PlantCaseTexts> m_texts; // per row, then the totals
};
