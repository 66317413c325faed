#pragma once

#include "calc/caserecord.h"
#include "calc/numberformat.h"
#include "mainwindow/fieldrules.h"

#include <array>

// The masked fields of the main window as one table. Each row binds a field (its control name) to its
// text in CaseRecord, its display pattern, how many characters a user may type into it, its key filter,
// what Enter and leaving it do, and the caption that names it for a screen reader. Reading the case from
// the window, writing it back, the fields' behaviour and their accessible names all iterate it.
namespace CaseFields {

enum class Enter { None, Next, Calculate }; // Next moves on as Tab does
enum class Leave { None, Changed, Power, Efficiency, Days, Hours };

struct Binding
{
    const char *name; // the control's name, also the name of its text in CaseRecord
    QString CaseRecord::*text;
    const char *pattern; // shown while the field has no focus ("": the text as it is)
    int maxTyped;
    FieldRules::KeyFilter filter;
    Enter enter;
    bool entryHandling; // entering selects the text and remembers it
    Leave leave;
    const char *caption; // the label beside it; an hour field is named by its column's heading too
    // Shown while the field has no focus instead of the pattern, when the text decides the format.
    QString (*display)(const QString &text, const QLocale &locale) = nullptr;
};

inline constexpr int InputCount = 12;
inline constexpr int ResultCount = 3;

// The twelve typed inputs in their tab order (the efficiency after all the others), then the results,
// which the window shows read-only.
using KeyFilter = FieldRules::KeyFilter;
inline constexpr std::array<Binding, InputCount + ResultCount> Bindings{{
    {"mskValorkWh", &CaseRecord::mskValorkWh, FieldPattern::Money, 7, KeyFilter::Numeric, Enter::Next, true,
     Leave::Changed, "Label2_11", &NumberFormat::formatKwhPrice},
    {"mskPotencia", &CaseRecord::mskPotencia, FieldPattern::Power, 6, KeyFilter::Numeric, Enter::Next, true,
     Leave::Power, "Label2_10"},
    {"mskInversor", &CaseRecord::mskInversor, FieldPattern::Money, 13, KeyFilter::Numeric, Enter::Calculate,
     true, Leave::Changed, "Label2_12"},
    {"mskDiaAno", &CaseRecord::mskDiaAno, FieldPattern::Days, 3, KeyFilter::Numeric, Enter::Next, true,
     Leave::Days, "Label1_7"},
    {"mskVazao100", &CaseRecord::mskVazao100, FieldPattern::Hours, 2, KeyFilter::Hours, Enter::Next, true,
     Leave::Hours, "Label2_4"},
    {"mskVazao90", &CaseRecord::mskVazao90, FieldPattern::Hours, 2, KeyFilter::Hours, Enter::Next, true,
     Leave::Hours, "Label2_5"},
    {"mskVazao80", &CaseRecord::mskVazao80, FieldPattern::Hours, 2, KeyFilter::Hours, Enter::Next, true,
     Leave::Hours, "Label2_6"},
    {"mskVazao70", &CaseRecord::mskVazao70, FieldPattern::Hours, 2, KeyFilter::Hours, Enter::Next, true,
     Leave::Hours, "Label2_7"},
    {"mskVazao60", &CaseRecord::mskVazao60, FieldPattern::Hours, 2, KeyFilter::Hours, Enter::Next, true,
     Leave::Hours, "Label2_8"},
    {"mskVazao50", &CaseRecord::mskVazao50, FieldPattern::Hours, 2, KeyFilter::Hours, Enter::Next, true,
     Leave::Hours, "Label2_9"},
    {"mskReferencia", &CaseRecord::mskReferencia, "", 64, KeyFilter::Text, Enter::Next, true, Leave::Changed,
     "Label2_1"},
    {"mskRendimento", &CaseRecord::mskRendimento, FieldPattern::Efficiency, 7, KeyFilter::None, Enter::None, true,
     Leave::Efficiency, "Label2_17"},
    {"mskEconomiakW", &CaseRecord::mskEconomiakW, FieldPattern::Efficiency, 64, KeyFilter::Numeric, Enter::Next,
     true, Leave::Changed, "Label2_13"},
    {"mskEconomiaReais", &CaseRecord::mskEconomiaReais, FieldPattern::Money, 64, KeyFilter::Numeric, Enter::Next,
     false, Leave::None, "Label2_14"},
    {"mskRetorno", &CaseRecord::mskRetorno, FieldPattern::Efficiency, 64, KeyFilter::Numeric, Enter::Next, true,
     Leave::Changed, "Label2_15"},
}};

inline constexpr bool isResult(std::size_t row)
{
    return row >= InputCount;
}

} // namespace CaseFields
