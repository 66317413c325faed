#pragma once

// Language texts that name a case's inputs and results: the main window shows them as captions, and
// what writes cases without the window uses them for its headings.
namespace CaseText {
inline constexpr int Application = 2;        // caption of the application selector
inline constexpr int SavingKwh = 33;         // "Annual Savings (kWh):"
inline constexpr int SavingMoney = 34;       // "Annual Savings": the caller adds the currency
inline constexpr int Payback = 35;           // "Payback (months):"
inline constexpr int FirstApplication = 193; // 193 to 196: the applications in their list order
inline constexpr int Efficiency = 197;       // "Efficiency (100%)"
} // namespace CaseText
