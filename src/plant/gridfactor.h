#pragma once

#include "calc/calculator.h"

#include <QList>
#include <QString>
#include <optional>

// The carbon intensity of electricity per country: the project's table data/grid-intensity.csv, made
// by tools/make-grid-table from Our World in Data's series and compiled in as a Qt resource. Countries
// are named as in the setup window's list (upper case, as stored in cboPais); the latest year of each.

struct GridIntensity
{
    QString country;        // as the setup window writes it: "BRAZIL", "USA", "IVORY COAST"
    int year = 0;           // year of the figure
    double gramsPerKwh = 0; // g CO2 per kWh
    double kgPerKwh() const { return gramsPerKwh / 1000.0; } // the model's factor f
};

// Every row of the table, in its order (countries alphabetically).
const QList<GridIntensity> &gridIntensityTable();

// The row of a country of the setup window's list; nothing when the table has none (no data, the
// separator item, an empty or unknown name). Letter case and outer blanks are ignored.
std::optional<GridIntensity> gridIntensityFor(const QString &country);

// Where the figures come from, shown wherever a factor from the table is shown.
inline constexpr auto GridIntensitySource = "Ember; Energy Institute; Our World in Data, 2024";

// "Source: Ember; Energy Institute; Our World in Data, 2024 (BRAZIL, 2024)" in the current language for
// the table's row of a country.
QString gridFactorSourceLine(const GridIntensity &row, const TextLookup &text);
