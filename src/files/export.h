#pragma once

#include "calc/casedocument.h"
#include "platform/platformerror.h"

#include <QString>
#include <QStringList>

class Dialogs;
class QWidget;

// What the text export shows.
using ExportInput = CaseDocument;

// Language texts of the export.
namespace ExportText {
inline constexpr int ErrorLine1 = 90;
inline constexpr int ErrorLine2 = 91;
inline constexpr int ErrorLine3 = 92;
inline constexpr int Payback = 122;
inline constexpr int Title = 131;
inline constexpr int Reference = 134;
inline constexpr int FlowHeading = 135;
inline constexpr int HoursHeading = 136;
inline constexpr int HoursHeadingEnd = 138;
inline constexpr int Flow100 = 139; // then 141, 143, 145, 147, 149 for 90 % to 50 %
inline constexpr int Power = 151;
inline constexpr int KwhPrice = 155;
inline constexpr int DrivePrice = 157;
inline constexpr int SavingKwh = 158;
inline constexpr int SavingMoney = 159;
inline constexpr int Days = 165;
inline constexpr int Note1 = 166; // 166 to 168, then 169 and 170
} // namespace ExportText

// The 34 lines of the export, without line ends. Characters outside Windows-1252 already appear as
// "?", so every length in the layout is a length in the file.
QStringList exportLines(const ExportInput &input);

// The export writer: appends the report of one case to a text file.
class Export
{
public:
    explicit Export(Dialogs &dialogs, QWidget *parent = nullptr);

    // Appends the lines of input to FileOutput (Windows-1252, CR LF), creating the file when missing.
    // An empty FileOutput returns at once and touches nothing. A failing step (opening, writing a line)
    // is reported in a critical message and tried once more; when it fails again the export ends there.
    // Lines written before a failure stay in the file. Returns true when every line was written.
    bool cmdPrint_Click(const QString &FileOutput, const ExportInput &input);

private:
    // Reports error for this step; returns true when the step is to be tried again.
    bool reportFailure(const ExportInput &input, const PlatformError &error, bool retried);

    Dialogs &m_dialogs;
    QWidget *m_parent;
};
