#include "plant/plantsummarytable.h"

#include "plant/plantcurve.h"
#include "plant/plantdocument.h"
#include "plant/planttext.h"

#include <QBrush>
#include <QFont>
#include <QPalette>
#include <array>

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
    return parent.isValid() ? 0 : caseCount() + 1;
}

int PlantSummaryTable::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString PlantSummaryTable::cell(int row, int column) const
{
    const PlantCaseTexts &texts = m_texts.at(row);
    if (column == Model)
        return isTotalsRow(row) ? QString() : plantModelText(summary().cases.at(row), m_text, m_locale);
    if (isTotalsRow(row)) {
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
    const std::array<const QString *, ColumnCount> cells{nullptr, nullptr, &texts.power, &texts.efficiency,
                                                         &texts.kwh, &texts.money, &texts.drive, &texts.months,
                                                         &texts.co2, nullptr};
    return cells[column] ? *cells[column] : QString();
}

QVariant PlantSummaryTable::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= ColumnCount)
        return {};
    const int row = index.row();
    const int column = index.column();
    const PlantCaseResult *result = isTotalsRow(row) ? nullptr : &summary().cases.at(row);
    const bool failed = result && !result->computed;
    switch (role) {
    case Qt::DisplayRole:
        return cell(row, column);
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
    endResetModel();
}
