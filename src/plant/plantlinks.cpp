#include "plant/plantlinks.h"

#include "files/filecommands.h"
#include "mainwindow/frmcalcretorno.h"

PlantWindowLinks plantWindowLinks(frmCalcRetorno &window, FileCommands &fileCommands, Dialogs &dialogs,
                                  const CompanyBlock &company, const QString &programFolder)
{
    return PlantWindowLinks{dialogs,
                            window.languageTexts(),
                            company,
                            window.locale(),
                            programFolder,
                            window.textLookup(),
                            [&window] { return window.caseRecord(); },
                            [&window, &fileCommands](const CaseRecord &record) {
                                fileCommands.lblNovo_Click();
                                window.applyCaseRecord(record, true);
                                window.emptyResults();
                                window.calculate();
                            }};
}
