#pragma once

#include "calc/taskcommand.h"
#include "mainwindow/mainwindowtext.h"
#include "platform/commandrow.h"

// The main window's commands in the order of its task pane, which Tab and the arrow keys follow.
// Windows has no standard key for Save As, nor any platform one for Setup: they get the usual ones.
namespace TaskPane {
namespace Text = MainWindowText;
inline const QList<CommandRow> Commands{
    {int(Command::New), "lblNovo", "Image1_1", "new", Text::Clear, 0, {QKeySequence::New}},
    {int(Command::Open), "lblAbrir", "Image1_6", "open", Text::Open, 0, {QKeySequence::Open}},
    {int(Command::Save), "lblSalvar", "Image1_5", "save", Text::Save, 0, {QKeySequence::Save}},
    {int(Command::SaveAs), "lblSalvarComo", "Image1_4", "saveas", Text::SaveAs, 0,
     {QKeySequence::SaveAs, Qt::CTRL | Qt::SHIFT | Qt::Key_S}},
    {int(Command::Export), "lblExport", "Image1_8", "export", Text::Export, 0,
     {{}, Qt::CTRL | Qt::Key_T}},
    {int(Command::Print), "lblImprimir", "Image1_0", "print", Text::Print, 0, {QKeySequence::Print}},
    {int(Command::Calculate), "lblCalcular", "Image1_2", "calculate", Text::Calculate, 0,
     {{}, Qt::Key_F9}},
    {int(Command::Graph), "lblGraph", "Image1_3", "graph", Text::Graph, 0, {{}, Qt::CTRL | Qt::Key_G}},
    {int(Command::Setup), "lblSetup", "Image1_7", "setup", Text::Setup, 0,
     {QKeySequence::Preferences, Qt::CTRL | Qt::Key_Comma}},
    {int(Command::Help), "lblHelp", nullptr, nullptr, Text::Help, 0, {QKeySequence::HelpContents, Qt::Key_F1}},
    {int(Command::Models), "lblModels", nullptr, nullptr, Text::Models, 0, {{}, Qt::CTRL | Qt::Key_M}},
    {int(Command::PlantSummary), "lblPlanta", "Image1_9", "plant", Text::PlantSummary, 0,
     {{}, Qt::CTRL | Qt::Key_L}},
    {int(Command::SystemCurve), "lblCurvaSistema", "Image1_10", "systemcurve", Text::SystemCurve, 0,
     {{}, Qt::CTRL | Qt::SHIFT | Qt::Key_G}},
    {int(Command::WebLink), "Label2_3", nullptr, nullptr, Text::VisitUs, 0,
     {{}, Qt::CTRL | Qt::SHIFT | Qt::Key_F1}},
    {int(Command::HelpDocument), "Label2_18", nullptr, nullptr, 0, Text::UserGuide,
     {{}, Qt::SHIFT | Qt::Key_F1}},
};
} // namespace TaskPane
