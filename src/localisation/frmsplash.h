#pragma once

#include "localisation/progressdisplay.h"

#include <QWidget>

class QProgressBar;

// The progress window shown while a data file is decoded: a small frameless window holding only the
// progress bar ProgressBar1.
//
// Data flow: Descramble calls start() with half the data length, setValue() once a display frame's time
// has passed and after the last character, and finish() at its end; the window only mirrors those numbers. It is a tooltip-type window: never
// activated, never given the focus and not subject to modality, so showing it cannot disturb or be
// refused by an open modal window (the setup window loads its presets while it is modal). Values
// outside the range are clamped; nothing here fails or blocks.
class frmSplash : public QWidget, public ProgressDisplay
{
    Q_OBJECT
public:
    explicit frmSplash(QWidget *parent = nullptr);

    void start(double maximum) override;
    void setValue(int value) override;
    void finish() override;

    QProgressBar *progressBar() const { return m_progressBar; }
    // The last value reported; the bar itself shows it to within a visible step.
    int value() const { return m_value; }

private:
    QProgressBar *m_progressBar;
    int m_value = 0;
    int m_shown = 0;
    int m_step = 1;
};
