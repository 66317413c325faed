#pragma once

#include "plant/plantfile.h"
#include "plant/plantmodel.h"
#include "plant/plantsettings.h"

#include <QObject>
#include <QString>

// The plant as a user thinks of it: every row of its file (the cases, and the rows that could not be
// read, kept as they were), its settings (grid factor, period, rate, rise of the energy price, budget),
// the file it was opened from or saved to, that file's form and whether anything changed since. It
// opens, saves and exports, and computes the summary after every change; it never asks the user
// anything: what went wrong comes back as a reason in the current language, and the plant window owns
// every message and dialog.
class PlantDocument : public QObject
{
    Q_OBJECT
public:
    // context: the values of a new case (its currency), the regional format of the case texts, every
    // language's application names and the current language's texts.
    explicit PlantDocument(const PlantFileContext &context, QObject *parent = nullptr);

    const QList<PlantRow> &rows() const { return m_rows; }
    int rowCount() const { return int(m_rows.size()); }
    // The summary of the rows as they stand: summary().cases[i] is rows()[i]; a row that was not read
    // is left out with "Line n: why" as its message. With a budget it holds the budget's choice.
    const PlantSummary &summary() const { return m_summary; }

    void addCases(const QList<CaseRecord> &cases);
    // Adds a case computed with the system curve and these parameters.
    void addCurveCase(const CaseRecord &record, const SystemCurveParameters &parameters);
    // Puts record in place of a row, a row that could not be read included. The row keeps its
    // system-curve parameters: the motor's data change, the system it serves does not.
    void replaceRow(int row, const CaseRecord &record);
    // Removes these rows; rows outside the plant are ignored.
    void removeRows(QList<int> rows);

    const PlantSettings &settings() const { return m_settings; }
    void setSettings(const PlantSettings &settings);
    // The factor the figures use: the typed one, else the country's.
    std::optional<double> gridFactor() const;
    // The factor of the company's country, used while none is typed. Not part of the plant.
    void setCountryFactor(std::optional<double> kgPerKwh);
    // What a new plant starts with, and what a file that gives none of them opens with.
    void setDefaults(const PlantSettings &defaults) { m_defaults = defaults; }

    QString path() const { return m_path; }
    const PlantFileFormat &format() const { return m_format; }
    bool isModified() const { return m_modified; }

    // An empty plant with the defaults, no file, not modified.
    void clear();
    // Replaces the plant by the file at path; on failure nothing changes and *problem says why. The
    // rows that could not be read come back in *leftOut.
    bool open(const QString &path, QString *problem, QList<PlantLineError> *leftOut = nullptr);
    // Writes the plant to its file, in the file's own form; false without a file (the window asks for one).
    bool save(QString *problem);
    // Writes the plant to path, which becomes its file.
    bool saveAs(const QString &path, QString *problem);
    // Writes the export of the summary to path; the plant's file stays.
    bool exportTo(const QString &path, QString *problem) const;

    // The language changed: messages and application names are made again.
    void retranslate() { recompute(); }
    // The main window's currency, which the cases' messages name; not part of the plant.
    void setCurrency(const QString &currency);

signals:
    // Rows, settings or the factor changed: summary() was computed again.
    void changed();
    void modifiedChanged(bool modified);
    void pathChanged(const QString &path);

private:
    void recompute();
    void setModified(bool modified);
    void setPath(const QString &path);

    PlantFileContext m_context;
    QList<PlantRow> m_rows;
    PlantSettings m_settings;
    PlantSettings m_defaults;
    std::optional<double> m_countryFactor;
    PlantFileFormat m_format;
    QString m_path;
    bool m_modified = false;
    PlantSummary m_summary;
};
