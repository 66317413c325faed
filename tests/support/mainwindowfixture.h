#pragma once

#include "calc/companyblock.h"
#include "files/filecommands.h"
#include "mainwindow/frmcalcretorno.h"
#include "mainwindow/maskededit.h"
#include "support/fakedialogs.h"
#include "support/modalwatchdog.h"
#include "support/settingsfolder.h"

#include <QLocale>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// What the suites of the main window share.

// A Config.ini whose text N reads "<PT|ES|EN> N", so that every caption and message shows its number
// and its language; `worded` gives the captions words of the length the three languages need.
void writeConfig(const QString &folder, const QString &defaultName, bool worded = false);

// One loaded and shown main window per test function, with its file commands (the window's commands
// reach them), fake dialogs, a modal watchdog and a fresh settings store, over that Config.ini; and the
// moves of a user. A suite derives from it and calls initFixture, initWindow and cleanupWindow from
// initTestCase, init and cleanup; initWindow may run again in a test for another locale or company.
class MainWindowFixture
{
protected:
    void initFixture();
    void initWindow(const QLocale &locale = QLocale(QLocale::English, QLocale::UnitedStates),
                    const CompanyBlock &company = CompanyBlock());
    void cleanupWindow();

    MaskedEdit *field(const char *name) const { return m_window->field(QLatin1String(name)); }
    MaskedEdit *field(const QString &name) const { return m_window->field(name); }
    void click(TaskPane::Command command); // clicks the command's label
    void showWindow();
    void focus(QWidget *widget);
    void typeInto(const char *name, const QString &text); // enters, replaces the text by typing
    void tab();
    void fillValidCase(); // the worked example, calculated
    bool resultsEmpty() const;

    QTemporaryDir m_folder; // the program folder
    std::unique_ptr<SettingsFolder> m_settings;
    FakeDialogs m_dialogs;
    CompanyBlock m_company;
    std::unique_ptr<frmCalcRetorno> m_window;
    std::unique_ptr<FileCommands> m_commands;
    std::unique_ptr<ModalWatchdog> m_watchdog;
};
