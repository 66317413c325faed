#pragma once

#include "report/savingschart.h"

#include <QWidget>

// One chart picture of the graph window: a widget of PictureSize that never changes its size and paints
// its SavingsChart, named "imgPT_0" ... "imgEN_3" after the language and application.
class SavingsPicture : public QWidget
{
    Q_OBJECT
public:
    SavingsPicture(GraphLanguage language, int application, QWidget *parent = nullptr);

    const SavingsChart &chart() const { return m_chart; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    SavingsChart m_chart;
};
