#pragma once

#include "calc/calculator.h"
#include "platform/platformerror.h"

class Dialogs;
class QWidget;

// The general error report: three language texts on separate lines, then "Erro: " and the error's
// description; titled "Erro <n> ( <hex> )", with the critical icon. `firstText` is the first of the
// three texts (100 at start-up). It is shown with the normal mouse pointer.
QString generalErrorText(const TextLookup &text, const PlatformError &error, int firstText = 100);
void showGeneralErrorReport(Dialogs &dialogs, QWidget *parent, const TextLookup &text,
                            const PlatformError &error, int firstText = 100);
