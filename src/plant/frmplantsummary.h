#pragma once

#include "calc/calculator.h"
#include "calc/caserecord.h"
#include "plant/plantsettings.h"

#include <QLocale>
#include <QString>
#include <QWidget>

#include <memory>
#include <optional>

class CaseView;
class Dialogs;
class FileCommands;
class KeyboardAccess;
class PlantChartsPane;
class PlantDocument;
class PlantSummaryTable;
class PlantTableSort;
class QLineEdit;
class TextTable;
struct CompanyBlock;
namespace Ui {
class frmPlantSummary;
}

// Language texts of the plant window's commands and messages (the headings are PlantText's).
namespace PlantWindowText {
inline constexpr int AddCurrent = 230;
inline constexpr int AddFiles = 231;
inline constexpr int Remove = 232;
inline constexpr int OpenCase = 233;
inline constexpr int Replace = 234;
inline constexpr int NewPlant = 235;
inline constexpr int OpenPlant = 236;
inline constexpr int SavePlant = 237;
inline constexpr int ExportSummary = 238;
inline constexpr int PrintSummary = 239;
inline constexpr int Assumptions = 240;     // group of the three fields
inline constexpr int LifetimeResults = 241; // group of the results
inline constexpr int FilesLeftOut = 242;    // followed by the files, one a line
inline constexpr int TypedFactor = 246;     // source line of a typed factor
inline constexpr int NoFactor = 247;        // "%1": the country
inline constexpr int PlantNotOpened = 248;  // "%1": the file, "%2": the reason
inline constexpr int LinesLeftOut = 249;    // "%1": the file; followed by the lines, one a line
inline constexpr int SavePlantAs = 271;
inline constexpr int SaveQuestion = 272;    // followed by the file, if any, and text 266
} // namespace PlantWindowText

// What the plant window reaches outside itself: the main window only as the case it shows and the file
// commands that put a case in it, never its class. Everything outlives the window.
struct PlantWindowLinks
{
    Dialogs &dialogs;
    const TextTable &texts;      // every language's application names, for plant files
    const CompanyBlock &company; // the printed summary's header
    QLocale locale;              // regional format of the case texts and of everything shown
    CaseView &mainCase;          // the main window's case as it stands, and its language's texts
    FileCommands &fileCommands;  // puts a case in the main window as a new case (putNewCase)
};

// frmPlantSummary, the plant summary window (form frmplantsummary.ui).
//
// How data flows through it:
// - The plant is a PlantDocument: its rows, its settings, its file and whether it changed. The table
//   view shows it through a PlantSummaryTable; every change of the document shows again in the table,
//   in the lifetime figures under it and in the window title (the file's name and the changed mark).
// - Cases come from the main window (mainCase, checked as Calculate checks it), from case files
//   (ReadCaseFile) and from plant files (the document opens them); they go back to the main window
//   through fileCommands.putNewCase.
// - The table sorts by the column whose heading is clicked (PlantTableSort: the totals and the budget's
//   choice stay last, a third click gives the plant's own order back); the commands act on the cases the
//   selected rows show, and the document keeps its order. The charts page shows the plant's two charts
//   (PlantChartsPane), laid out again for every change of the plant, the language or the currency.
// - The grid factor, the period, the rate, the rise of the energy price and the budget are typed below
//   the table and go into the document's settings; a text the core refuses (readSetting) gets its message
//   and the last good value comes back; the factor and the budget may be emptied.
//   Without a typed factor the document uses the grid-intensity row of the company's country
//   (storedCountry); a typed factor is also remembered in the settings store (PlantGridFactor) as the one
//   a new plant starts with, until the field is emptied.
// - The commands are the rows of the window's command table: its buttons, their keys and tooltips
//   (KeyboardAccess); Escape closes the window.
// - Every message, question and file or print dialog goes through Dialogs; every caption is a language
//   text of the main window's current language, set again by retranslate() (the program calls it when
//   the main window's language or currency changed).
// Closing the window hides it: the plant stays until the program ends or New plant empties it.
class frmPlantSummary : public QWidget
{
    Q_OBJECT
public:
    static inline const QString PlantFileFilter = QStringLiteral("CSV (*.csv *.CSV)");
    static inline const QString GridFactorValue = QStringLiteral("PlantGridFactor");

    // The window's commands (its command table).
    enum class Command { New, Open, Save, SaveAs, Export, Print, AddCurrent, AddFiles, Remove, OpenCase, Replace,
                         Close };

    explicit frmPlantSummary(const PlantWindowLinks &links, QWidget *parent = nullptr);
    ~frmPlantSummary() override;

    // Captions, headings and the currency again from the main window; the factor of the country again.
    void retranslate();

    PlantDocument &document() { return *m_document; }
    PlantSummaryTable &table() { return *m_table; }
    QList<int> selectedCaseRows() const; // rows of the plant, ascending, without the totals and the choice
    // Before the plant is replaced or the program ends: an unsaved plant that holds rows asks Save, Don't
    // save or Cancel (the window shown). True when the plant may go: no rows or nothing changed, Don't
    // save, or Save wrote it.
    bool queryClose();

    // The commands.
    void addCurrentCase();
    void addCaseFiles();
    void removeSelected();
    void openSelected();
    void replaceSelected();
    void newPlant();
    void openPlant();
    bool savePlant();
    bool savePlantAs();
    void exportSummary();
    void printSummary();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void runCommand(Command command);
    void nameControls();
    int currentCaseRow() const;
    QString dialogFolder() const;
    QString currency() const;
    TextLookup text() const;
    void information(const QString &message);
    bool saveTo(const QString &path);

    void loadGridFactor();
    void fieldEdited(PlantSetting setting);
    void showParameters();
    void showSummary();
    void showSpans();
    void showCharts();
    void selectCaseRow(int row);
    void showTitle();
    void updateCommands();
    QString factorSourceLine() const;
    QLineEdit *lineEdit(PlantSetting setting) const;

    PlantWindowLinks m_links;
    std::unique_ptr<Ui::frmPlantSummary> m_ui;
    PlantDocument *m_document = nullptr;
    PlantSummaryTable *m_table = nullptr;
    PlantTableSort *m_sort = nullptr;
    PlantChartsPane *m_charts = nullptr;
    KeyboardAccess *m_keyboard = nullptr;
    bool m_placed = false; // the window was fitted into its screen once
};
