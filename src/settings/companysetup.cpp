#include "settings/companysetup.h"

#include "settings/frmsetup.h"
#include "settings/modcadastrovarnel.h"

void runCompanySetup(QWidget *parent, const TextLookup &text, const QString &programFolder, Dialogs &dialogs,
                     ProgressDisplay *progress, CompanyBlock &block,
                     const std::function<void(const QString &currency)> &selectCurrency)
{
    {
        frmSetup setup(text, programFolder, dialogs, progress, parent);
        setup.exec();
    }
    const QString currency = LoadCompanyBlock(block);
    if (selectCurrency)
        selectCurrency(currency);
}
