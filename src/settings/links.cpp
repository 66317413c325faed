#include "settings/links.h"

#include "calc/companyblock.h"
#include "platform/addbackslash.h"
#include "platform/dialogs.h"
#include "platform/shell.h"

namespace {
constexpr int HelpGuideText = 191;
constexpr int HelpNoteText = 192;
constexpr int ModelsText = 203;
} // namespace

void lblHelp_Click(Dialogs &dialogs, QWidget *parent, const QString &title, const TextLookup &text)
{
    dialogs.message(parent, Dialogs::Icon::Information, title,
                    text(HelpGuideText) + QStringLiteral("\r\n") + text(HelpNoteText));
}

void lblModels_Click(Shell &shell, const TextLookup &text)
{
    shell.open(text(ModelsText));
}

void Label2_Click(int index, Shell &shell, const CompanyBlock &company, const QString &programFolder,
                  const TextLookup &text)
{
    switch (index) {
    case LinkLabel::WebLink:
        shell.open(company.WebAddress);
        break;
    case LinkLabel::HelpDocument:
        shell.open(AddBackslash(programFolder) + text(HelpGuideText));
        break;
    default:
        break;
    }
}
