#include "mainwindow/frmcalcretorno.h"

#include <QLabel>
#include <QVBoxLayout>

frmCalcRetorno::frmCalcRetorno(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmCalcRetorno"));
    setWindowTitle(QStringLiteral("Tessio"));
    resize(690, 514);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Tessio"), this));
}
