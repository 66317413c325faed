#pragma once

#include "calc/casedocument.h"
#include "calc/caserecord.h"
#include "calc/taskcommand.h"

#include <QString>

#include <optional>

class QWidget;

// The case as a window shows it, for the commands that read, replace or save it (the file commands)
// without knowing the window. The main window implements it; tests use a small fake.
class CaseView
{
public:
    virtual ~CaseView() = default;

    // The case as it stands: every field, both selections and the currency text.
    virtual CaseRecord caseRecord() const = 0;
    // The case as the export and the report show it, dated today.
    virtual CaseDocument caseDocument() const = 0;

    // The field being edited runs its leaving rule now, as when the user leaves it.
    virtual void leaveField() = 0;
    // Puts the application, the unit and the twelve input texts of record in place (not the currency),
    // as the texts at focus, so that leaving a field unchanged is no change; the results are emptied.
    virtual void putCase(const CaseRecord &record) = 0;
    // Runs the checks and the model on the case in place; a failed check shows its message. True when
    // the results were written.
    virtual bool calculate() = 0;
    // The case as typed, without results, when the checks and the model accept it as Calculate would;
    // else Calculate's message about it is shown over messageParent. Nothing in the view changes.
    virtual std::optional<CaseRecord> checkedCase(QWidget *messageParent) = 0;
    // Every field empty but the kWh price, the days (365) and the hours (0); then currency is selected
    // when it is in the list (its change runs, as a pick by the user does), else the current one stays.
    virtual void startNewCase(double kwhPrice, const QString &currency) = 0;

    // Text n of the current language ("" outside the table).
    virtual QString text(int n) const = 0;
    // The parent of the dialogs a command opens.
    virtual QWidget *dialogParent() = 0;
    // A command has ended, whatever its outcome (the window shows it on the command's label).
    virtual void commandEnded(TaskPane::Command command) = 0;
};
