#pragma once

#include <QObject>

namespace TaskPane {
Q_NAMESPACE

// The commands of the main window's task pane. WebLink is Label2(3); HelpDocument is Label2(18). The
// window runs Calculate itself and forwards the others to their owners; the case view names them when a
// command ends.
enum class Command { New, Open, Save, SaveAs, Export, Graph, Print, Setup, Help, Models, WebLink, HelpDocument,
                     PlantSummary, Calculate, SystemCurve };
Q_ENUM_NS(Command)

} // namespace TaskPane
