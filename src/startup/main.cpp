#include "mainwindow/frmcalcretorno.h"
#include "platform/qtdialogs.h"
#include "settings/companyblock.h"
#include "startup/addbackslash.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Varnel"));
    QApplication::setApplicationName(QStringLiteral("Tessio"));

    QtDialogs dialogs;
    CompanyBlock company;
    frmCalcRetorno window(dialogs, company, QLocale::system());
    // A window that could not load its texts is not shown; the error report has said why.
    if (!window.load(programFolder(), nullptr))
        return 1;
    window.show();
    return QApplication::exec();
}
