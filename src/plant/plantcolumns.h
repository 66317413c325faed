#pragma once

#include "calc/caserecord.h"
#include "calc/systemcurve.h"
#include "plant/plantsettings.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

// The columns of a plant file, and how a file's header row names them.

// How a column's cells are read and written.
enum class PlantCellKind { Text, Number, Application, Unit, Setting, Curve };

// A column of the plant file: adding a column is adding a row to plantColumns().
struct PlantColumn
{
    const char *name;
    PlantCellKind kind;
    QString CaseRecord::*field = nullptr;       // Text and Number: the case field
    PlantSetting setting = PlantSetting::Years; // Setting: which one
    CurveParameter parameter = CurveParameter::StaticHead; // Curve: the row's system-curve parameter
    // false: a file that lacks the column gets it only once the plant uses its setting (not the setting
    // of a new plant), so that a file of before the column existed is written back as it was.
    bool addedToEveryFile = true;
};

// Every column, in the order a new file is written: the case's inputs, the row's system-curve
// parameters, then the plant's settings.
const QList<PlantColumn> &plantColumns();
// The columns an export adds after them: kwh_year, money_year, payback_months, co2_t_year, npv, irr,
// disc_payback, in_budget, message.
QStringList exportResultColumnNames();

namespace PlantColumns {
inline constexpr int None = -1;
// The index in plantColumns() of the column called name (letter case and outer blanks ignored), or None.
int named(const QString &name);
// Whether name is one of exportResultColumnNames().
bool isResult(const QString &name);
// Where each column of plantColumns() is in a header (None: not there). The first of two columns of the
// same name counts; the other is a column the program does not know.
QList<int> positionsIn(const QStringList &header);
// The names of plantColumns(), in their order.
QStringList allNames();
// The numbers of a file: a decimal comma and "." groups, or a decimal point and "," groups.
QLocale numberLocale(bool decimalComma);
} // namespace PlantColumns
