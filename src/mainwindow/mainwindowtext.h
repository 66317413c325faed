#pragma once

#include "calc/casetext.h"

// Language texts of the main window: its title, captions, command labels and application list, by their
// numbers in data/texts.tsv. The messages of its fields are named in FieldRules, those of Calculate's
// checks in CheckText; the captions of a case's fields that other writers share come from CaseText.
namespace MainWindowText {
inline constexpr int Title = 1;
inline constexpr int Application = CaseText::Application;
inline constexpr int FileTasks = 5;         // heading of the first group of commands
inline constexpr int Open = 6;
inline constexpr int Save = 7;
inline constexpr int SaveAs = 8;
inline constexpr int Export = 9;            // "Export As Text"
inline constexpr int OtherTasks = 10;       // heading of the second group of commands
inline constexpr int Calculate = 11;
inline constexpr int Graph = 12;
inline constexpr int Clear = 13;            // the New command
inline constexpr int Print = 14;
inline constexpr int Setup = 15;
inline constexpr int Currency = 16;         // caption of the currency selector
inline constexpr int Days = 17;             // "Days of operation per year:"
inline constexpr int Reference = 18;
inline constexpr int Flow = 19;             // "Flow(%)": heading of the flow columns
inline constexpr int HoursLine1 = 20;       // "Time of operation per"
inline constexpr int HoursLine2 = 21;       // "day (in hours)"
inline constexpr int FirstFlow = 22;        // 22 to 27: the flow columns, 100 down to 50 %
inline constexpr int MotorPower = 28;
inline constexpr int KwhPrice = 29;         // the caller adds " (<currency>)"
inline constexpr int DrivePrice = 30;       // the caller adds " (<currency>)"
inline constexpr int SavingKwh = CaseText::SavingKwh;
inline constexpr int SavingMoney = CaseText::SavingMoney;
inline constexpr int Payback = CaseText::Payback;
inline constexpr int HoursSumNote = 36;     // shown while the hours add up to more than 24
inline constexpr int VisitUs = 39;          // caption of the web link
inline constexpr int Language = 171;        // caption of the language selector
inline constexpr int FirstApplication = CaseText::FirstApplication;
inline constexpr int Efficiency = CaseText::Efficiency;
inline constexpr int Help = 198;
inline constexpr int WebAddress = 201;      // the web link opens "http://" followed by this text
inline constexpr int Models = 202;          // "Available models"
inline constexpr int PlantSummary = 205;    // the plant window's title, the caption of its command
inline constexpr int SystemCurve = 330;     // the system-curve window's title, the caption of its command
inline constexpr int UserGuide = 430;       // what the "<" command opens: its name and tooltip
} // namespace MainWindowText
