#pragma once

#include <QString>
#include <memory>

class Dialogs;
class PlantReport;
class QWidget;
struct PlantReportInput;

// The Print command of the plant window: the same print dialog and printer layer as the case report's
// (cancelling the dialog ends the command silently; with no printer installed where the dialog cannot
// print to a file, text 260 says so). The report writer is created at the first print
// that goes ahead and reused afterwards. True when every page was sent. The print job is named after
// the plant file, if any ("Tessio - PLANT.csv").
bool printPlantCommand(QWidget *parent, Dialogs &dialogs, std::unique_ptr<PlantReport> &report,
                       const PlantReportInput &input, const QString &plantFile = QString());

