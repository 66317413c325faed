#include "plant/plantsummarytable.h"

#include "calc/numberformat.h"
#include "plant/planttext.h"

#include <QFont>
#include <algorithm>
#include <cmath>

PlantSummaryTable::PlantSummaryTable(const TextLookup &text, const QLocale &locale, QObject *parent)
    : QAbstractTableModel(parent), m_text(text), m_locale(locale)
{
    recompute();
}

int PlantSummaryTable::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : caseCount() + 1;
}

int PlantSummaryTable::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString PlantSummaryTable::cell(int row, int column) const
{
    const PlantCaseTexts &texts = m_texts.at(row);
    if (isTotalsRow(row)) {
        if (column == Reference)
            return m_text(PlantText::Total);
        if (column == ApplicationName || column == Power || column == Efficiency)
            return QString();
    } else {
        const PlantCaseResult &result = m_summary.cases.at(row);
        switch (column) {
        case Reference:
            return result.reference;
        case ApplicationName:
            return result.application >= 0 && result.application < ApplicationCount
                       ? m_text(PlantText::FirstApplication + result.application)
                       : QString();
        default:
            break;
        }
        if (!result.computed) {
            if (column == Power)
                return PlantFormat::power(result.powerKw, m_locale);
            if (column == Efficiency)
                return result.record.mskRendimento;
            return column == FirstResultColumn ? result.message : QString();
        }
    }
    switch (column) {
    case Power:
        return texts.power;
    case Efficiency:
        return texts.efficiency;
    case Kwh:
        return texts.kwh;
    case Money:
        return texts.money;
    case Drive:
        return texts.drive;
    case Months:
        return texts.months;
    case Co2:
        return texts.co2;
    default:
        return QString();
    }
}

QVariant PlantSummaryTable::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= ColumnCount)
        return {};
    const int row = index.row();
    const int column = index.column();
    const bool failed = !isTotalsRow(row) && !m_summary.cases.at(row).computed;
    switch (role) {
    case Qt::DisplayRole:
        return cell(row, column);
    case Qt::ToolTipRole:
        if (failed)
            return m_summary.cases.at(row).message;
        return column == ApplicationName ? QVariant(cell(row, column)) : QVariant();
    case Qt::FontRole:
        if (isTotalsRow(row)) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::TextAlignmentRole:
        if (column <= ApplicationName || (failed && column >= FirstResultColumn))
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant PlantSummaryTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    const QString inCurrency = QStringLiteral(" (%1)").arg(m_currency);
    switch (section) {
    case Reference:
        return m_text(PlantText::Reference);
    case ApplicationName:
        return m_text(PlantText::Application);
    case Power:
        return m_text(PlantText::PowerKw);
    case Efficiency:
        return m_text(PlantText::Efficiency);
    case Kwh:
        return m_text(PlantText::KwhYear);
    case Money:
        return m_text(PlantText::MoneyYear) + inCurrency;
    case Drive:
        return m_text(PlantText::DrivePrice) + inCurrency;
    case Months:
        return m_text(PlantText::PaybackMonths);
    case Co2:
        return m_text(PlantText::Co2Year);
    default:
        return {};
    }
}

void PlantSummaryTable::setCases(const QList<CaseRecord> &cases)
{
    m_cases = cases;
    recompute();
}

void PlantSummaryTable::addCases(const QList<CaseRecord> &cases)
{
    m_cases.append(cases);
    recompute();
}

void PlantSummaryTable::replaceCase(int row, const CaseRecord &record)
{
    if (row < 0 || row >= caseCount())
        return;
    m_cases[row] = record;
    recompute();
}

void PlantSummaryTable::removeCases(QList<int> rows)
{
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (int row : rows) {
        if (row >= 0 && row < caseCount())
            m_cases.removeAt(row);
    }
    recompute();
}

void PlantSummaryTable::setGridFactor(std::optional<double> kgPerKwh)
{
    m_gridFactor = kgPerKwh;
    recompute();
}

void PlantSummaryTable::setLifetime(const PlantLifetime &lifetime)
{
    m_lifetime = lifetime;
    recompute();
}

void PlantSummaryTable::setCurrency(const QString &currency)
{
    if (currency == m_currency)
        return;
    m_currency = currency;
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

void PlantSummaryTable::retranslate()
{
    recompute();
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

QList<int> PlantSummaryTable::failedRows() const
{
    QList<int> rows;
    for (int row = 0; row < caseCount(); ++row) {
        if (!m_summary.cases.at(row).computed)
            rows.append(row);
    }
    return rows;
}

void PlantSummaryTable::recompute()
{
    beginResetModel();
    PlantInput input;
    input.cases = m_cases;
    input.gridFactor = m_gridFactor;
    input.lifetime = m_lifetime;
    input.locale = m_locale;
    input.text = m_text;
    m_summary = computeSummary(input);
    m_texts.clear();
    for (const PlantCaseResult &result : std::as_const(m_summary.cases))
        m_texts.append(caseTexts(result, m_locale));
    m_texts.append(totalTexts(m_summary, m_locale));
    endResetModel();
    emit summaryChanged();
}

namespace PlantFields {

namespace {
std::optional<double> inRange(const QString &text, const QLocale &locale, double low, double high)
{
    const std::optional<double> value = NumberFormat::readNumber(text, locale);
    if (!value || *value < low || *value > high)
        return std::nullopt;
    return value;
}
} // namespace

std::optional<double> readGridFactor(const QString &text, const QLocale &locale)
{
    return inRange(text, locale, 0, MaxGridFactor);
}

std::optional<int> readYears(const QString &text, const QLocale &locale)
{
    const std::optional<double> value = inRange(text, locale, MinYears, MaxYears);
    if (!value || *value != std::floor(*value))
        return std::nullopt;
    return int(*value);
}

std::optional<double> readRate(const QString &text, const QLocale &locale)
{
    return inRange(text, locale, 0, MaxRate);
}

} // namespace PlantFields
