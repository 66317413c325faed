#include "plant/plantprint.h"

#include "plant/plantreport.h"
#include "platform/dialogs.h"
#include "report/printcommand.h"
#include "report/qtreportprinter.h"

#include <QCoreApplication>
#include <QPrinter>

bool printPlantCommand(QWidget *parent, Dialogs &dialogs, std::unique_ptr<PlantReport> &report,
                       const PlantReportInput &input)
{
    if (!printDestinationOrMessage(parent, dialogs, input.text))
        return false;
    QPrinter printer;
    if (!dialogs.choosePrinter(parent, printer))
        return false;
    QCoreApplication::processEvents();
    if (!report)
        report = std::make_unique<PlantReport>(dialogs, parent);
    QtReportPrinter output(printer);
    return report->print(output, input);
}
