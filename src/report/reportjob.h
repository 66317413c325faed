#pragma once

#include "calc/calculator.h"
#include "report/reportprinter.h"

#include <QString>

class Dialogs;
class QWidget;
struct CompanyBlock;

// One print job on a ReportPrinter, as the case report and the printed plant summary run it: positions
// are measured from the page margins, and every printer operation is a step. When a step fails the user
// is told (a critical message with the printer's reason) and the step is tried once more; a second
// failure abandons the job (the document is dropped) and every later step is skipped. The busy cursor is
// shown for the job's life in a GUI application and taken away before any message.
class ReportJob
{
public:
    ReportJob(ReportPrinter &printer, Dialogs &dialogs, QWidget *messageParent, TextLookup text);
    ~ReportJob();
    ReportJob(const ReportJob &) = delete;
    ReportJob &operator=(const ReportJob &) = delete;

    template<typename Operation>
    bool step(Operation operation)
    {
        if (m_abandoned)
            return false;
        // One retry after the user has been told; a step that fails again ends the job instead of
        // bringing the message back for ever.
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (operation())
                return true;
            reportFailure();
        }
        m_abandoned = true;
        m_printer.abortDocument();
        return false;
    }

    bool abandoned() const { return m_abandoned; }
    ReportPrinter &printer() { return m_printer; }
    QString text(int number) const { return m_text ? m_text(number) : QString(); }

    void setFont(const QString &name, double size, bool bold, bool italic);
    // Prints `line` with the top of its line at (x, y) from the margins.
    void printAt(double x, double y, const QString &line);
    // The same with the line's right end at x: how figures line up in a column.
    void printRightAt(double x, double y, const QString &line);
    void rule(double x1, double y1, double x2, double y2);
    // A rectangle filled with colour, behind what is printed over it later.
    void fill(const QRectF &rect, const QColor &colour);
    // A picture of `size` units drawn by `paint`, scaled into `rect` (from the margins).
    void picture(const QRectF &rect, const QSizeF &size, const std::function<void(QPainter &)> &paint);

    // The company header both reports open with: the company block in `font` (its name at companySize),
    // the date line, our mark, the rule below and the report's title.
    void companyHeader(const CompanyBlock &company, const QString &font, double companySize,
                       const QString &dateLine, const QString &title);

    double topMargin = 31;
    double leftMargin = 28;

private:
    void reportFailure();
    void brandMark();

    ReportPrinter &m_printer;
    Dialogs &m_dialogs;
    QWidget *m_messageParent;
    TextLookup m_text;
    bool m_abandoned = false;
    bool m_busyCursor = false;
};
