#pragma once

#include "calc/calculator.h"
#include "calc/caserecord.h"
#include "plant/plantsummarytable.h"

#include <QLocale>
#include <QString>
#include <QWidget>

#include <memory>
#include <optional>

class CaseView;
class Dialogs;
class FileCommands;
class PlantReport;
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
inline constexpr int BadFactor = 243;
inline constexpr int BadYears = 244;
inline constexpr int BadRate = 245;
inline constexpr int TypedFactor = 246;     // source line of a typed factor
inline constexpr int NoFactor = 247;        // "%1": the country
inline constexpr int PlantNotOpened = 248;  // "%1": the file, "%2": the reason
inline constexpr int LinesLeftOut = 249;    // "%1": the file; followed by the lines, one a line
inline constexpr int DiscardChanges = 250;
} // namespace PlantWindowText

// What the plant window reaches outside itself: the main window only as the case it shows and the file
// commands that put a case in it, never its class. Everything outlives the window.
struct PlantWindowLinks
{
    Dialogs &dialogs;
    const TextTable &texts;      // every language's application names, for plant files
    const CompanyBlock &company; // the printed summary's header
    QLocale locale;              // regional format of the case texts and of everything shown
    QString programFolder;       // where the file dialogs start before a plant file was used
    CaseView &mainCase;          // the main window's case as it stands, and its language's texts
    FileCommands &fileCommands;  // puts a case in the main window as a new case (putNewCase)
};

// frmPlantSummary, the plant summary window (form frmplantsummary.ui).
//
// How data flows through it:
// - The plant is the list of cases in a PlantSummaryTable, which the table view shows and which
//   recomputes the summary (computeSummary) after every change; the window writes the lifetime
//   figures under the table from the table's summary.
// - Cases come from the main window (links.currentCase), from case files (ReadCaseFile) and from
//   plant files (readPlantFile); they go back to the main window through links.openCase.
// - The grid factor, the period and the rate are typed below the table. A text that is no number in
//   its range is refused with a message and the last good value comes back. The factor defaults to
//   the grid-intensity row of the company's country (setup's cboPais); a typed factor is remembered in
//   the settings store (PlantGridFactor) until the field is emptied.
// - Every message, question and file or print dialog goes through Dialogs; every caption is a language
//   text of the main window's current language, set again by retranslate().
// Closing the window hides it: the plant stays until the program ends or New plant empties it.
class frmPlantSummary : public QWidget
{
    Q_OBJECT
public:
    static inline const QString PlantFileFilter = QStringLiteral("CSV (*.csv *.CSV)");
    static inline const QString GridFactorValue = QStringLiteral("PlantGridFactor");

    explicit frmPlantSummary(const PlantWindowLinks &links, QWidget *parent = nullptr);
    ~frmPlantSummary() override;

    // Captions, headings and the currency again from the main window; the factor of the country again.
    void retranslate();

    PlantSummaryTable &table() { return *m_table; }
    QString plantFile() const { return m_plantFile; }
    bool isModified() const { return m_modified; }
    QList<int> selectedCaseRows() const; // ascending, without the totals row
    // True when nothing unsaved would be lost, or the user agrees to lose it (asked with the window shown).
    bool askToDiscard();

    // The commands.
    void addCurrentCase();
    void addCaseFiles();
    void removeSelected();
    void openSelected();
    void replaceSelected();
    void newPlant();
    void openPlant();
    void savePlant();
    void exportSummary();
    void printSummary();

private:
    enum class Field { Factor, Years, Rate };

    void setModified(bool modified);
    std::optional<CaseRecord> checkedCurrentCase();
    QString dialogFolder() const;
    QString currency() const;
    TextLookup text() const;
    void information(const QString &message);

    void loadGridFactor();
    void fieldEdited(Field field);
    void showParameters();
    void showSummary();
    void updateCommands();
    QString factorSourceLine() const;
    QString countryName() const;
    QLineEdit *lineEdit(Field field) const;

    PlantWindowLinks m_links;
    std::unique_ptr<Ui::frmPlantSummary> m_ui;
    PlantSummaryTable *m_table = nullptr;
    std::unique_ptr<PlantReport> m_report; // created at the first print
    QString m_plantFile;
    bool m_modified = false;
    bool m_factorTyped = false;       // the factor is the user's, not the country's
    QString m_shown[3];               // the texts the three fields were given last
};
