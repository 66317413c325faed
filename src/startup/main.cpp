#include "mainwindow/frmcalcretorno.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Varnel"));
    QApplication::setApplicationName(QStringLiteral("Tessio"));
    frmCalcRetorno window;
    window.move(0, 0);
    window.show();
    return QApplication::exec();
}
