#pragma once

#include "mainwindow/frmcalcretorno.h"
#include "mainwindow/maskededit.h"
#include "settings/companyblock.h"
#include "support/fakedialogs.h"
#include "support/modalwatchdog.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

// What the suites of the main window share.

// A Config.ini whose text N reads "<PT|ES|EN> N", so that every caption and message shows its number
// and its language; `worded` gives the captions words of the length the three languages need.
void writeConfig(const QString &folder, const QString &defaultName, bool worded = false);

// One loaded and shown window per test function, with fake dialogs and a modal watchdog, in English
// (US) with that Config.ini; and the moves of a user. A suite derives from it and calls initFixture,
// initWindow and cleanupWindow from initTestCase, init and cleanup.
class MainWindowFixture
{
protected:
    void initFixture();
    void initWindow();
    void cleanupWindow();

    MaskedEdit *field(const char *name) const { return m_window->field(QLatin1String(name)); }
    void showWindow();
    void focus(QWidget *widget);
    void typeInto(const char *name, const QString &text); // enters, replaces the text by typing
    void tab();
    void fillValidCase();
    bool resultsEmpty() const;

    QTemporaryDir m_folder;
    FakeDialogs m_dialogs;
    CompanyBlock m_company;
    std::unique_ptr<frmCalcRetorno> m_window;
    std::unique_ptr<ModalWatchdog> m_watchdog;
};
