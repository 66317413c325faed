#pragma once

// Language texts of the plant summary: headings, labels and messages shared by the plant window, the
// printed summary, plant files and tessio-calc. Numbers 205 to 229, 243 to 245, 270 and 273 to 289 of
// data/texts.tsv.
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
inline constexpr int TooFewColumns = 228;  // reason: "%1 columns; %2 are needed" (%1 the count, 2 or more)
inline constexpr int NotSaved = 229;       // "The file %1 could not be saved: %2"
inline constexpr int GivenFactor = 270;    // printed source line of a factor the user typed or gave
inline constexpr int BadFactor = 243;      // the factor's range
inline constexpr int BadYears = 244;       // the period's range
inline constexpr int BadRate = 245;        // the rate's range
inline constexpr int FirstShortApplication = 273; // 273 to 276: the applications in a few words
inline constexpr int UseDecimalSeparator = 277;   // "... decimals are written with "%1" (for example %2)"
inline constexpr int UnclosedQuote = 278;  // reason: the quote is not closed, lines %1 to %2 read as one row
inline constexpr int OneColumn = 279;      // reason: "1 column; %1 are needed"
inline constexpr int FileMissing = 280;    // why a file could not be read or written, 280 to 286
inline constexpr int IsAFolder = 281;
inline constexpr int NoReadPermission = 282;
inline constexpr int ReadFailed = 283;
inline constexpr int FolderMissing = 284;
inline constexpr int NoWritePermission = 285;
inline constexpr int WriteFailed = 286;
inline constexpr int FolderNotCreated = 287;  // tessio-calc: "the folder %1 could not be created"
inline constexpr int ReportNotPrinted = 288;  // tessio-calc: "%1: the report could not be printed: %2"
inline constexpr int SummaryNotPrinted = 289; // tessio-calc: "%1: the summary could not be printed: %2"

// Texts of the program reused by the summary.
inline constexpr int Application = 2;
inline constexpr int Efficiency = 197;     // "Efficiency (100%)"
inline constexpr int DatePrefix = 129;     // "Date: "
inline constexpr int FirstApplication = 193; // 193 to 196: the applications in their list order
} // namespace PlantText
