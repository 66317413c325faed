#pragma once

#include "calc/calculator.h"
#include "calc/systemcurve.h"

#include <QLocale>
#include <QString>
#include <QWidget>

#include <array>
#include <memory>

class CaseView;
class Dialogs;
class QLabel;
class QLineEdit;
namespace Ui {
class frmSystemCurve;
}

// What the system-curve window reaches outside itself: the main window only as the case it shows and
// the texts of its language, never its class. Everything outlives the window.
struct SystemCurveWindowLinks
{
    Dialogs &dialogs;
    QLocale locale;     // regional format of the case texts and of everything shown
    CaseView &mainCase; // the main window's case as it stands, and its language's texts
};

// frmSystemCurve, the system-curve window (form frmsystemcurve.ui).
//
// How data flows through it:
// - The case is the main window's, read through links.mainCase by caseChanged(), which the window
//   runs whenever it is shown or activated (and the main window when its case changes). Both models
//   run on it (compareModels): the results by the fixed table and by the system curve stand side by
//   side with their difference, the warnings under them, and the chart at the right. A case the
//   checks refuse shows the check's message instead, and nothing can be printed.
// - The four parameters are typed in their fields. A text that is no number in its range is refused
//   with a message and the last good value comes back. The static head, the drive's efficiency and its
//   minimum speed are remembered in the settings store (CurveStore) for the next window; a measured
//   input power stays only while the main window shows the same motor (application, power and unit; an
//   efficiency typed or filled in later does not change the motor): a measurement belongs to the one
//   motor it was made on.
// - Every caption is a language text of the main window's current language, set again by
//   retranslate(), which the main window runs when its language or currency changes.
// - Print prints the page (SystemCurveReport) through the print dialog; Add to plant hands the case and
//   the parameters to whoever keeps the plant (addToPlant); Escape closes the window.
class frmSystemCurve : public QWidget
{
    Q_OBJECT
public:
    explicit frmSystemCurve(const SystemCurveWindowLinks &links, QWidget *parent = nullptr);
    ~frmSystemCurve() override;

    const SystemCurveParameters &parameters() const { return m_parameters; }
    const ModelComparison &comparison() const { return m_comparison; }

public slots:
    // Captions and the currency again from the main window, and the results in its language.
    void retranslate();
    // Reads the main window's case again and runs both models on it.
    void caseChanged();
    // Prints the page through the print dialog.
    void printPage();
    // Hands the case and the parameters to the plant (addToPlant), when the case computes.
    void addCaseToPlant();

signals:
    // Add to plant: the main window's case, as typed, to be computed in the plant with these parameters.
    void addToPlant(const CaseRecord &record, const SystemCurveParameters &parameters);

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    struct Motor
    {
        int application = -1;
        int unit = -1;
        QString power;
        bool operator==(const Motor &) const = default;
    };

    TextLookup text() const;
    QLineEdit *lineEdit(CurveParameter parameter) const;
    void parameterEdited(CurveParameter parameter);
    void showParameters();
    void showResults();
    void setResultAccessibleNames();

    SystemCurveWindowLinks m_links;
    std::unique_ptr<Ui::frmSystemCurve> m_ui;
    SystemCurveParameters m_parameters;
    CaseRecord m_case;
    Motor m_motor;
    ModelComparison m_comparison;
    std::array<QString, 4> m_shown; // the texts the four fields were given last
};
