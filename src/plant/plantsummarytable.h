#pragma once

#include "calc/calculator.h"
#include "calc/caserecord.h"
#include "plant/plantmodel.h"

#include <QAbstractTableModel>
#include <QList>
#include <QLocale>
#include <optional>

// The plant window's table: one row per case of the plant, then the totals row. It holds the cases
// and the figures the summary is computed with (grid factor, period, rate) and recomputes the summary
// (computeSummary) after every change, so that what a view shows is always the model's answer for
// the cases as they stand. A case that failed a check has only its message, in the first result
// column; failedRows() tells a view which rows to span.
class PlantSummaryTable : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Reference, ApplicationName, Power, Efficiency, Kwh, Money, Drive, Months, Co2, ColumnCount };
    static constexpr int FirstResultColumn = Kwh;

    // `locale` is the regional format of the case texts and of everything shown.
    PlantSummaryTable(const TextLookup &text, const QLocale &locale, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The cases, in plant order.
    const QList<CaseRecord> &cases() const { return m_cases; }
    int caseCount() const { return int(m_cases.size()); }
    bool isTotalsRow(int row) const { return row == caseCount(); }
    void setCases(const QList<CaseRecord> &cases);
    void addCases(const QList<CaseRecord> &cases);
    void replaceCase(int row, const CaseRecord &record);
    // Removes the cases of these rows (the totals row and rows outside the table are ignored).
    void removeCases(QList<int> rows);

    void setGridFactor(std::optional<double> kgPerKwh);
    void setLifetime(const PlantLifetime &lifetime);
    std::optional<double> gridFactor() const { return m_gridFactor; }
    PlantLifetime lifetime() const { return m_lifetime; }

    // The currency of the money headings (the main window's).
    void setCurrency(const QString &currency);
    QString currency() const { return m_currency; }
    // The language changed: headings, application names and check messages are read again.
    void retranslate();

    const PlantSummary &summary() const { return m_summary; }
    QList<int> failedRows() const;

signals:
    // After every recomputation (cases, factor or lifetime changed).
    void summaryChanged();

private:
    void recompute();
    QString cell(int row, int column) const;

    TextLookup m_text;
    QLocale m_locale;
    QString m_currency;
    QList<CaseRecord> m_cases;
    std::optional<double> m_gridFactor;
    PlantLifetime m_lifetime;
    PlantSummary m_summary;
    QList<PlantCaseTexts> m_texts; // per case, then the totals
};

// The three figures typed under the table, read in the regional format. Nothing when the text is
// not a number in the allowed range: factor 0 to 2 kg CO2/kWh, period a whole number of years from
// 1 to 50, rate 0 to 100 %.
namespace PlantFields {
inline constexpr double MaxGridFactor = 2;
inline constexpr int MinYears = 1;
inline constexpr int MaxYears = 50;
inline constexpr double MaxRate = 100;
std::optional<double> readGridFactor(const QString &text, const QLocale &locale);
std::optional<int> readYears(const QString &text, const QLocale &locale);
std::optional<double> readRate(const QString &text, const QLocale &locale);
} // namespace PlantFields
