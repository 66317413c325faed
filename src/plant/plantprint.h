#pragma once

#include <QString>

class Dialogs;
class QWidget;
struct PlantReportInput;

// The Print command of the plant window: the same print dialog and printer layer as the case report's
// (cancelling the dialog ends the command silently; with no printer installed where the dialog cannot
// print to a file, text 260 says so). The summary is laid out when the print goes ahead. True when
// every page was sent. The print job is named after the plant file, if any ("Tessio - PLANT.csv").
bool printPlantCommand(QWidget *parent, Dialogs &dialogs, const PlantReportInput &input,
                       const QString &plantFile = QString());
