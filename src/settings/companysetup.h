#pragma once

#include "calc/calculator.h"
#include "settings/companyblock.h"

class Dialogs;
class ProgressDisplay;
class QComboBox;
class QString;
class QWidget;

// Selects the item of the main window's currency selector whose text is `currency` (exact match).
// A currency that is not an item keeps the current item. True when it was found.
bool selectCurrency(QComboBox *cboMoedas, const QString &currency);

// The Setup command (lblSetup_Click): shows the setup window modally, then refreshes `block` from the
// settings store and selects the stored currency in `cboMoedas` (which may be null), whether the
// window was saved or just closed.
void runCompanySetup(QWidget *parent, const TextLookup &text, const QString &programFolder, Dialogs &dialogs,
                     ProgressDisplay *progress, CompanyBlock &block, QComboBox *cboMoedas);
