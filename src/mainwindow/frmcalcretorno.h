#pragma once

#include <QWidget>

// The calculation window.
class frmCalcRetorno : public QWidget
{
    Q_OBJECT
public:
    explicit frmCalcRetorno(QWidget *parent = nullptr);
};
