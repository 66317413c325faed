#pragma once

#include "calc/caserecord.h"
#include "calc/companyblock.h"
#include "plant/plantmodel.h"

#include <QMetaType>

// The cases and the company that the suites start from.
namespace SampleCases {

// PumpValve, 10 kW, 90 %, 0.10 a kWh, a drive of 1000, 365 days, 8 h at 90, 80 and 70 % flow:
// 29,200 kWh and 2,920.00 a year, paid back in 4 months.
CaseRecord workedExample();

// record with one field changed, for data rows: variant(workedExample(), &CaseRecord::mskPotencia, "15").
inline CaseRecord variant(CaseRecord record, QString CaseRecord::*field, const QString &value)
{
    record.*field = value;
    return record;
}

// A company with a name and an address, as the export and the report head their pages.
CompanyBlock company();

// A case of a plant given by its figures alone: its drive price and money saving a year (kWh at 0.10 a
// kWh); not computed for a case that failed a check.
struct FigureCase
{
    double drive;
    double money;
    QString reference = QString();
    bool computed = true;
};
// The summary of such cases, the totals summed over the computed ones, without running the model.
PlantSummary plantOf(const QList<FigureCase> &cases);

} // namespace SampleCases

Q_DECLARE_METATYPE(CaseRecord)

// Lets QCOMPARE print records field by field, so that a failure shows which field differs (found by
// argument-dependent lookup, as QTest asks of a type's own toString).
char *toString(const CaseRecord &record);
