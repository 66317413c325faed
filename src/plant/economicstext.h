#pragma once

// Language texts of the plant's economics and its two charts: numbers 380 to 401 of data/texts.tsv.
namespace EconomicsText {
inline constexpr int SavingsChartTitle = 380;  // "Where the savings are"
inline constexpr int CashFlowChartTitle = 381; // "When it pays"
inline constexpr int Others = 382;             // "others (%1)": %1 the number of cases grouped
inline constexpr int CumulativeShare = 383;    // "Cumulative share (%)"
inline constexpr int WithinBudget = 384;       // legend of the chosen drives
inline constexpr int OutsideBudget = 385;      // legend of the others
inline constexpr int Year = 386;               // the cash flow's horizontal axis
inline constexpr int CumulativeCashFlow = 387; // the caller adds " (<currency>)"
inline constexpr int PaybackMark = 388;        // "Discounted payback: %1 years"
inline constexpr int NotPaidBack = 389;        // "Not paid back within %1 years"
inline constexpr int NothingToShow = 390;      // a chart of a plant that saves nothing
inline constexpr int Escalation = 391;         // the field: "Rise of the energy price (% a year)"
inline constexpr int Budget = 392;             // the field: the caller adds " (<currency>)"
inline constexpr int EscalationRange = 393;    // the field's message
inline constexpr int BudgetRange = 394;        // the field's message
inline constexpr int DiscountedPayback = 395;  // "Discounted payback (years)"
inline constexpr int ChoiceOne = 396;          // "Within the budget: 1 drive"
inline constexpr int ChoiceMany = 397;         // "Within the budget: %1 drives"

// Numbers 398 to 401: the plant window's two pages, and the charts described for a screen reader.
inline constexpr int CasesPage = 398;          // the page of the table
inline constexpr int ChartsPage = 399;         // the page of the two charts
inline constexpr int BarValue = 400;           // "%1: %2 (cumulative %3 %)": a bar's case, saving and share
inline constexpr int YearValue = 401;          // "year %1: %2": the cash flow after a year
} // namespace EconomicsText
