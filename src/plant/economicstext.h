#pragma once

// Language texts of the plant's economics and its two charts: numbers 380 to 397 of data/texts.tsv.
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
} // namespace EconomicsText
