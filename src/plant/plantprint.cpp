#include "plant/plantprint.h"

#include "plant/plantreport.h"
#include "report/printcommand.h"

bool printPlantCommand(QWidget *parent, Dialogs &dialogs, std::unique_ptr<PlantReport> &report,
                       const PlantReportInput &input, const QString &plantFile)
{
    return printThroughDialog(parent, dialogs, input.text, printJobName(QString(), plantFile),
                              [&](ReportPrinter &output) {
                                  if (!report)
                                      report = std::make_unique<PlantReport>(dialogs, parent);
                                  return report->print(output, input);
                              });
}
