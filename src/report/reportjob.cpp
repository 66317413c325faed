#include "report/reportjob.h"

#include "report/printerreport.h"

#include "calc/companyblock.h"
#include "platform/dialogs.h"
#include "platform/platformerror.h"

#include <QCursor>
#include <QGuiApplication>
#include <array>

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QColor Black(0, 0, 0);
const QColor BrandBlue(0, 0, 255);
constexpr double HeaderTextSize = 8;
constexpr double ReportTitleSize = 12;

} // namespace

ReportJob::ReportJob(ReportPrinter &printer, Dialogs &dialogs, QWidget *messageParent, TextLookup text)
    : m_printer(printer)
    , m_dialogs(dialogs)
    , m_messageParent(messageParent)
    , m_text(std::move(text))
    , m_busyCursor(qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr)
{
    if (m_busyCursor)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

ReportJob::~ReportJob()
{
    if (m_busyCursor)
        QGuiApplication::restoreOverrideCursor();
}

void ReportJob::reportFailure()
{
    if (m_busyCursor) {
        QGuiApplication::restoreOverrideCursor();
        m_busyCursor = false;
    }
    const PlatformError error = m_printer.error();
    const QString message = text(ReportText::ErrorLine1) + CrLf + text(ReportText::ErrorLine2) + CrLf
                            + text(ReportText::ErrorLine3) + CrLf + CrLf + text(ReportText::ErrorLine4) + CrLf + QStringLiteral("Erro: ") + error.description;
    m_dialogs.message(m_messageParent, Dialogs::Icon::Critical, errorTitle(error.number), message);
}

void ReportJob::setFont(const QString &name, double size, bool bold, bool italic)
{
    step([&] { return m_printer.setFontName(name); });
    step([&] { return m_printer.setFontSize(size); });
    step([&] { return m_printer.setFontBold(bold); });
    step([&] { return m_printer.setFontItalic(italic); });
}

void ReportJob::printAt(double x, double y, const QString &line)
{
    step([&] { return m_printer.setCurrentX(leftMargin + x); });
    step([&] { return m_printer.setCurrentY(topMargin + y); });
    step([&] { return m_printer.printLine(line); });
}

void ReportJob::printRightAt(double x, double y, const QString &line)
{
    step([&] { return m_printer.setCurrentY(topMargin + y); });
    step([&] { return m_printer.printLineEndingAt(leftMargin + x, line); });
}

void ReportJob::rule(double x1, double y1, double x2, double y2)
{
    step([&] {
        return m_printer.drawLine({leftMargin + x1, topMargin + y1}, {leftMargin + x2, topMargin + y2}, Black);
    });
}

void ReportJob::fill(const QRectF &rect, const QColor &colour)
{
    const QRectF placed = rect.translated(leftMargin, topMargin);
    step([&] { return m_printer.fillRectangle(placed.topLeft(), placed.bottomRight(), colour); });
}

void ReportJob::picture(const QRectF &rect, const QSizeF &size, const std::function<void(QPainter &)> &paint)
{
    step([&] { return m_printer.drawPicture(rect.translated(leftMargin, topMargin), size, paint); });
}

void ReportJob::companyHeader(const CompanyBlock &company, const QString &font, double companySize,
                              const QString &dateLine, const QString &title)
{
    setFont(font, companySize, true, false);
    printAt(65, 0, company.CompanyName);
    setFont(font, HeaderTextSize, false, false);
    printAt(65, 18, company.Street);
    printAt(307, 18, company.PhoneLine);
    printAt(307, 9, dateLine);
    printAt(65, 27, company.CityLine);
    printAt(307, 27, company.FaxLine);
    brandMark();
    rule(0, 45, 547, 45);
    setFont(font, ReportTitleSize, true, true);
    printAt(72, 48, title);
}

// Our mark: four rising bars, the speeds a drive steps through, standing on a base bar; all within
// 53 by 35 points at the top-left corner of the header.
void ReportJob::brandMark()
{
    struct Box
    {
        double left, top, right, bottom;
    };
    static constexpr std::array<Box, 5> Boxes{{
        {0, 31, 53, 35},
        {2, 20, 12, 29},
        {15, 14, 25, 29},
        {28, 8, 38, 29},
        {41, 2, 51, 29},
    }};
    for (const Box &box : Boxes) {
        step([&] {
            return m_printer.fillRectangle({leftMargin + box.left, topMargin + box.top},
                                           {leftMargin + box.right, topMargin + box.bottom}, BrandBlue);
        });
    }
}
