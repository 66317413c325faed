#pragma once

#include "calc/calculator.h"

class Dialogs;
class QString;
class QWidget;
class Shell;
struct CompanyBlock;

// The click targets of the main window that lead away from the calculation: the Help note, the
// models document and the two links of Label2. Texts are read through `text` at the moment of the
// click, so they follow the language picked last. Whatever the shell cannot open is ignored: no
// message is shown.

// Label2 elements that act; every other element does nothing.
namespace LinkLabel {
inline constexpr int WebLink = 3;       // caption CompanyBlock::VisitText
inline constexpr int HelpDocument = 18; // caption "<"
} // namespace LinkLabel

// Help: text 191, CR LF, text 192 with the information icon, titled `title` (the main window's
// current title).
void lblHelp_Click(Dialogs &dialogs, QWidget *parent, const QString &title, const TextLookup &text);

// Models: opens text 203 as it is (a document path or a full web address).
void lblModels_Click(Shell &shell, const TextLookup &text);

// Label2(3) opens the company block's web address; Label2(18) opens the guide named by text 191 in
// the program folder. Any other index does nothing.
void Label2_Click(int index, Shell &shell, const CompanyBlock &company, const QString &programFolder,
                  const TextLookup &text);
