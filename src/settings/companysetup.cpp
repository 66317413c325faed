#include "settings/companysetup.h"

#include "settings/frmsetup.h"
#include "settings/modcadastrovarnel.h"

#include <QComboBox>

bool selectCurrency(QComboBox *cboMoedas, const QString &currency)
{
    if (!cboMoedas)
        return false;
    const int index = cboMoedas->findText(currency, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0)
        return false;
    cboMoedas->setCurrentIndex(index);
    return true;
}

void runCompanySetup(QWidget *parent, const TextLookup &text, const QString &programFolder, Dialogs &dialogs,
                     ProgressDisplay *progress, CompanyBlock &block, QComboBox *cboMoedas)
{
    {
        frmSetup setup(text, programFolder, dialogs, progress, parent);
        setup.exec();
    }
    selectCurrency(cboMoedas, LoadCompanyBlock(block));
}
