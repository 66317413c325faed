#include "plant/plantsummarytable.h"

#include "calc/numberformat.h"
#include "plant/plantcurve.h"
#include "plant/economicstext.h"
#include "plant/plantdocument.h"
#include "plant/planteconomics.h"
#include "plant/planttext.h"

#include <QBrush>
#include <QFont>
#include <QPalette>
#include <array>
#include <limits>

PlantSummaryTable::PlantSummaryTable(PlantDocument &document, const TextLookup &text, const QLocale &locale,
                                     QObject *parent)
    : QAbstractTableModel(parent), m_document(document), m_text(text), m_locale(locale)
{
    connect(&m_document, &PlantDocument::changed, this, &PlantSummaryTable::reload);
    reload();
}

const PlantSummary &PlantSummaryTable::summary() const
{
    return m_document.summary();
}

int PlantSummaryTable::caseCount() const
{
    return int(summary().cases.size());
}

int PlantSummaryTable::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_texts.size());
}

int PlantSummaryTable::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString PlantSummaryTable::cell(int row, int column) const
{
    const PlantCaseTexts &texts = m_texts.at(row);
    if (column == Model)
        return isSummaryRow(row) ? QString() : plantModelText(summary().cases.at(row), m_text, m_locale);
    if (isChoiceRow(row)) {
        if (column == Reference)
            return PlantEconomics::choiceLabel(*summary().choice, m_text);
    } else if (isTotalsRow(row)) {
        if (column == Reference)
            return m_text(PlantText::Total);
    } else {
        const PlantCaseResult &result = summary().cases.at(row);
        if (column == Reference)
            return PlantFormat::oneLine(result.reference);
        if (column == ApplicationName) {
            const int application = result.application;
            return application >= 0 && application < ApplicationCount
                       ? m_text(PlantText::FirstShortApplication + application)
                       : QString();
        }
        if (!result.computed) {
            if (column == Power)
                return PlantFormat::power(result.powerKw, m_locale);
            if (column == Efficiency)
                return result.record.mskRendimento;
            return column == FirstResultColumn ? PlantFormat::oneLine(result.message) : QString();
        }
    }
    const std::array<const QString *, ColumnCount> cells{nullptr,      nullptr,      &texts.power, &texts.efficiency,
                                                         &texts.kwh,   &texts.money, &texts.drive, &texts.months,
                                                         &texts.co2,   &texts.npv,   &texts.irr,   &texts.discountedPayback,
                                                         nullptr};
    return cells[column] ? *cells[column] : QString();
}

// Figures sort by their value (a case without one first), texts as they read.
QVariant PlantSummaryTable::sortValue(int row, int column) const
{
    if (column <= ApplicationName || column == Model || isSummaryRow(row))
        return cell(row, column);
    constexpr double None = std::numeric_limits<double>::lowest();
    const PlantCaseResult &result = summary().cases.at(row);
    if (column == Power)
        return result.powerKw.value_or(None);
    if (column == Efficiency)
        return NumberFormat::readNumber(cell(row, column), m_locale).value_or(None);
    if (!result.computed)
        return None;
    const PlantFigures &f = result.figures;
    const std::array<std::optional<double>, DiscountedPayback + 1 - FirstResultColumn> figures{
        f.kwh, f.money, f.drive, f.months, f.co2, f.npv, f.irr, f.discountedPayback};
    return figures[column - FirstResultColumn].value_or(None);
}

bool PlantSummaryTable::onBand(int row) const
{
    return isChoiceRow(row) || m_chosen.value(row);
}

QVariant PlantSummaryTable::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= ColumnCount)
        return {};
    const int row = index.row();
    const int column = index.column();
    const PlantCaseResult *result = isSummaryRow(row) ? nullptr : &summary().cases.at(row);
    const bool failed = result && !result->computed;
    switch (role) {
    case Qt::DisplayRole:
        return cell(row, column);
    case SortRole:
        return sortValue(row, column);
    case Qt::BackgroundRole:
        return onBand(row) ? QVariant(QBrush(ChosenBand)) : QVariant();
    case Qt::AccessibleDescriptionRole:
        return m_chosen.value(row) ? QVariant(m_text(EconomicsText::WithinBudget)) : QVariant();
    case Qt::ToolTipRole:
        if (failed)
            return result->message;
        if (result && column == Model)
            return plantModelLine(*result, m_text, m_locale);
        if (result && column == ApplicationName && result->application >= 0)
            return m_text(PlantText::FirstApplication + result->application);
        return column == Reference && result ? QVariant(result->reference) : QVariant();
    case Qt::FontRole:
        if (!result) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::ForegroundRole:
        // A row that could not be read is part of the plant, but greyed: it counts in nothing.
        if (result && result->unread)
            return QBrush(QPalette().color(QPalette::Disabled, QPalette::Text));
        return {};
    case Qt::TextAlignmentRole:
        if (column <= ApplicationName || column == Model || (failed && column >= FirstResultColumn))
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant PlantSummaryTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QAbstractTableModel::headerData(section, orientation, role);
    const QString inCurrency = QStringLiteral(" (%1)").arg(m_currency);
    const std::array<QString, ColumnCount> headings{m_text(PlantText::Reference),
                                                    m_text(PlantText::Application),
                                                    m_text(PlantText::PowerKw),
                                                    m_text(PlantText::Efficiency),
                                                    m_text(PlantText::KwhYear),
                                                    m_text(PlantText::MoneyYear) + inCurrency,
                                                    m_text(PlantText::DrivePrice) + inCurrency,
                                                    m_text(PlantText::PaybackMonths),
                                                    m_text(PlantText::Co2Year),
                                                    m_text(PlantText::Npv) + inCurrency,
                                                    m_text(PlantText::Irr),
                                                    m_text(EconomicsText::DiscountedPayback),
                                                    m_text(PlantCurveText::Model)};
    if (section < 0 || section >= ColumnCount)
        return {};
    // Two lines, as on the printed summary, so that the figures' columns stay narrow.
    return role == Qt::ToolTipRole ? headings[section] : PlantFormat::headingLines(headings[section]).join(u'\n');
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
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

QList<int> PlantSummaryTable::failedRows() const
{
    QList<int> rows;
    for (int row = 0; row < caseCount(); ++row) {
        if (!summary().cases.at(row).computed)
            rows.append(row);
    }
    return rows;
}

void PlantSummaryTable::reload()
{
    beginResetModel();
    m_texts.clear();
    for (const PlantCaseResult &result : summary().cases)
        m_texts.append(caseTexts(result, m_locale));
    m_texts.append(totalTexts(summary(), m_locale));
    if (summary().choice)
        m_texts.append(PlantEconomics::choiceTexts(*summary().choice, m_locale));
    m_chosen = summary().choice ? summary().choice->flags(caseCount()) : QList<bool>();
    endResetModel();
}

PlantTableSort::PlantTableSort(PlantSummaryTable &table, QObject *parent)
    : QSortFilterProxyModel(parent), m_table(table)
{
    setSourceModel(&table);
    setSortRole(PlantSummaryTable::SortRole);
    setSortLocaleAware(true);
    setSortCaseSensitivity(Qt::CaseInsensitive);
}

int PlantTableSort::caseRow(int viewRow) const
{
    const int row = mapToSource(index(viewRow, 0)).row();
    return row >= 0 && !m_table.isSummaryRow(row) ? row : -1;
}

int PlantTableSort::viewRow(int caseRow) const
{
    return mapFromSource(m_table.index(caseRow, 0)).row();
}

QVariant PlantTableSort::headerData(int section, Qt::Orientation orientation, int role) const
{
    const QVariant heading = QSortFilterProxyModel::headerData(section, orientation, role);
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section != sortColumn())
        return heading;
    return heading.toString() + (sortOrder() == Qt::AscendingOrder ? QStringLiteral(" \u25B2") : QStringLiteral(" \u25BC"));
}

void PlantTableSort::sort(int column, Qt::SortOrder order)
{
    QSortFilterProxyModel::sort(column, order);
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

// QSortFilterProxyModel sorts in descending order by asking lessThan(right, left): a summary row is
// "greater" in ascending order and "less" in descending order, so that it ends last either way.
bool PlantTableSort::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    const bool leftLast = m_table.isSummaryRow(left.row());
    const bool rightLast = m_table.isSummaryRow(right.row());
    const bool ascending = sortOrder() == Qt::AscendingOrder;
    if (leftLast && rightLast)
        return (left.row() < right.row()) == ascending;
    if (leftLast || rightLast)
        return rightLast == ascending;
    return QSortFilterProxyModel::lessThan(left, right);
}
