#pragma once

#include "plant/frmplantsummary.h"

class FileCommands;
class frmCalcRetorno;

// The plant window's links to the main window and its file commands: the case as it stands, the texts
// of the current language, and a case put in place as after New (no current file name), calculated.
PlantWindowLinks plantWindowLinks(frmCalcRetorno &window, FileCommands &fileCommands, Dialogs &dialogs,
                                  const CompanyBlock &company, const QString &programFolder);
