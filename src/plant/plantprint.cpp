#include "plant/plantprint.h"

#include "plant/plantreport.h"
#include "report/printcommand.h"

bool printPlantCommand(QWidget *parent, Dialogs &dialogs, const PlantReportInput &input, const QString &plantFile)
{
    return printThroughDialog(parent, dialogs, input.text, printJobName(QString(), plantFile),
                              [&](ReportPrinter &output) { return PlantReport(dialogs, parent).print(output, input); });
}
