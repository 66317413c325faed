#pragma once

#include "calc/calculator.h"
#include "calc/companyblock.h"

#include <functional>

class Dialogs;
class ProgressDisplay;
class QString;
class QWidget;

// The Setup command (lblSetup_Click): shows the setup window modally, then refreshes `block` from the
// settings store and hands the stored currency to `selectCurrency` (the main window's own currency
// selection), whether the window was saved or just closed.
void runCompanySetup(QWidget *parent, const TextLookup &text, const QString &programFolder, Dialogs &dialogs,
                     ProgressDisplay *progress, CompanyBlock &block,
                     const std::function<void(const QString &currency)> &selectCurrency);
