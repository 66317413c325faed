#include "plant/plantdocument.h"

#include "plant/planttext.h"

#include <QFileInfo>
#include <algorithm>

PlantDocument::PlantDocument(const PlantFileContext &context, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_format(newPlantFileFormat(context.locale))
{
    recompute();
}

void PlantDocument::addCases(const QList<CaseRecord> &cases)
{
    if (cases.isEmpty())
        return;
    m_rows.append(plantRowsOf(cases));
    setModified(true);
    recompute();
}

void PlantDocument::addCurveCase(const CaseRecord &record, const SystemCurveParameters &parameters)
{
    PlantRow row = plantRowsOf({record}).first();
    row.curve = PlantCurveCells::of(parameters);
    m_rows.append(row);
    setModified(true);
    recompute();
}

void PlantDocument::replaceRow(int row, const CaseRecord &record)
{
    if (row < 0 || row >= rowCount())
        return;
    const PlantCurveCells curve = m_rows[row].curve;
    m_rows[row] = plantRowsOf({record}).first();
    m_rows[row].curve = curve;
    setModified(true);
    recompute();
}

void PlantDocument::removeRows(QList<int> rows)
{
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    bool removed = false;
    for (int row : rows) {
        if (row >= 0 && row < rowCount()) {
            m_rows.removeAt(row);
            removed = true;
        }
    }
    if (!removed)
        return;
    setModified(true);
    recompute();
}

void PlantDocument::setSettings(const PlantSettings &settings)
{
    if (settings == m_settings)
        return;
    m_settings = settings;
    setModified(true);
    recompute();
}

std::optional<double> PlantDocument::gridFactor() const
{
    return m_settings.typedFactor ? m_settings.typedFactor : m_countryFactor;
}

void PlantDocument::setCountryFactor(std::optional<double> kgPerKwh)
{
    if (kgPerKwh == m_countryFactor)
        return;
    m_countryFactor = kgPerKwh;
    if (!m_settings.typedFactor)
        recompute();
}

void PlantDocument::setCurrency(const QString &currency)
{
    if (currency == m_context.start.cboMoedas)
        return;
    m_context.start.cboMoedas = currency;
    for (PlantRow &row : m_rows) {
        if (row.isRead())
            row.record->cboMoedas = currency;
    }
    recompute();
}

void PlantDocument::clear()
{
    m_rows.clear();
    m_settings = m_defaults;
    m_format = newPlantFileFormat(m_context.locale);
    setPath(QString());
    setModified(false);
    recompute();
}

bool PlantDocument::open(const QString &path, QString *problem, QList<PlantLineError> *leftOut)
{
    const PlantReadResult read = readPlantFile(path, m_context);
    if (!read.ok()) {
        if (problem)
            *problem = read.fileError;
        return false;
    }
    m_rows = read.rows;
    m_settings = read.settingsOver(m_defaults);
    m_format = read.format;
    if (leftOut)
        *leftOut = read.errors();
    setPath(path);
    setModified(false);
    recompute();
    return true;
}

bool PlantDocument::save(QString *problem)
{
    return !m_path.isEmpty() && saveAs(m_path, problem);
}

bool PlantDocument::saveAs(const QString &path, QString *problem)
{
    QList<int> lines;
    const QByteArray bytes = plantFileBytes(m_rows, m_settings, m_format, m_context.locale, m_context.text, &lines);
    if (!savePlantBytes(path, bytes, m_context.text, problem))
        return false;
    // Rows are found again by their lines in the file as it is now.
    for (qsizetype r = 0; r < m_rows.size(); ++r)
        m_rows[r].line = lines[r];
    setPath(path);
    setModified(false);
    recompute();
    return true;
}

bool PlantDocument::exportTo(const QString &path, QString *problem) const
{
    return savePlantBytes(path, plantExportBytes(m_rows, m_summary, m_format, m_context.locale, m_context.text),
                          m_context.text, problem);
}

void PlantDocument::recompute()
{
    PlantAccumulator plant(gridFactor(), m_settings.lifetime, m_context.locale, m_context.text, m_settings.budget);
    QList<PlantCaseResult> cases;
    cases.reserve(m_rows.size());
    for (const PlantRow &row : std::as_const(m_rows)) {
        if (row.isRead()) {
            cases << plant.add(*row.record, row.curve.parameters());
        } else {
            const QString where = m_context.text(PlantText::LineError).arg(row.line).arg(row.reason);
            cases << plant.addUnread(plantRowReference(row, m_format), where);
        }
    }
    m_summary = plant.summary();
    m_summary.cases = std::move(cases);
    emit changed();
}

void PlantDocument::setModified(bool modified)
{
    if (modified == m_modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

void PlantDocument::setPath(const QString &path)
{
    if (path == m_path)
        return;
    m_path = path;
    emit pathChanged(path);
}
