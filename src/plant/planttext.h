#pragma once

// Language texts of the plant summary: headings, labels and messages shared by the plant window, the
// printed summary, plant files and tessio-calc. Numbers 205 to 229 and 270 of data/texts.tsv.
namespace PlantText {
inline constexpr int Title = 205;          // "Plant summary"
inline constexpr int Reference = 206;      // column heading
inline constexpr int PowerKw = 207;        // "Power (kW)"
inline constexpr int KwhYear = 208;        // "kWh a year"
inline constexpr int MoneyYear = 209;      // "Saving a year": the caller adds " (<currency>)"
inline constexpr int DrivePrice = 210;     // "Drive price": the caller adds " (<currency>)"
inline constexpr int PaybackMonths = 211;  // "Payback (months)"
inline constexpr int Co2Year = 212;        // "CO2 (t a year)"
inline constexpr int Total = 213;          // the totals row
inline constexpr int Npv = 214;            // "Net present value": the caller adds " (<currency>)"
inline constexpr int Irr = 215;            // "Internal rate of return (%)"
inline constexpr int LifetimeSaving = 216; // "Lifetime saving": the caller adds " (<currency>)"
inline constexpr int LifetimeCo2 = 217;    // "Lifetime CO2 avoided (t)"
inline constexpr int Years = 218;          // "Period (years)"
inline constexpr int Rate = 219;           // "Discount rate (% a year)"
inline constexpr int GridFactor = 220;     // "Grid emission factor (kg CO2/kWh)"
inline constexpr int Source = 221;         // "Source: %1": %1 the source line and year
inline constexpr int PageOf = 222;         // "Page %1 of %2"
inline constexpr int CasesLeftOut = 223;   // "Cases left out: %1"
inline constexpr int LineError = 224;      // "Line %1: %2": a plant-file row that was skipped
inline constexpr int UnknownApplication = 225; // reason: the application cell names none
inline constexpr int UnknownUnit = 226;    // reason: the unit is neither kW nor HP
inline constexpr int NotANumber = 227;     // reason: "\"%1\" is not a number (column %2)"
inline constexpr int TooFewColumns = 228;  // reason: "%1 columns; a row needs 14" (%1 the count)
inline constexpr int NotSaved = 229;       // "The file %1 could not be saved: %2"
inline constexpr int GivenFactor = 270;    // printed source line of a factor the user typed or gave

// Texts of the program reused by the summary.
inline constexpr int Application = 2;
inline constexpr int Efficiency = 197;     // "Efficiency (100%)"
inline constexpr int DatePrefix = 129;     // "Date: "
inline constexpr int FirstApplication = 193; // 193 to 196: the applications in their list order
} // namespace PlantText
