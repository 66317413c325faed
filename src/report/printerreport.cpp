#include "report/printerreport.h"

#include "calc/numberformat.h"
#include "platform/dialogs.h"
#include "platform/platformerror.h"
#include "report/reportprinter.h"

#include <QCursor>
#include <QGuiApplication>
#include <array>

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QColor Black(0, 0, 0);
const QColor BrandBlue(0, 0, 255);

constexpr double HeaderTextSize = 8;
constexpr double ReportTitleSize = 12;
constexpr qint32 NoteWidth = 110;

struct Row
{
    double y;
    int label;
    QString CaseRecord::*field;
};

// The hours table, 100 % flow down to 50 %.
const std::array<Row, 6> HourRows{{
    {119, ReportText::Flow100, &CaseRecord::mskVazao100},
    {128, ReportText::Flow100 + 2, &CaseRecord::mskVazao90},
    {137, ReportText::Flow100 + 4, &CaseRecord::mskVazao80},
    {146, ReportText::Flow100 + 6, &CaseRecord::mskVazao70},
    {155, ReportText::Flow100 + 8, &CaseRecord::mskVazao60},
    {164, ReportText::Flow100 + 10, &CaseRecord::mskVazao50},
}};

bool hasGuiCursor()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
}

} // namespace

PrinterReport::PrinterReport(Dialogs &dialogs, QWidget *messageParent)
    : m_dialogs(dialogs)
    , m_messageParent(messageParent)
{
}

bool PrinterReport::cmdPrint_Click(ReportPrinter &printer, const ReportInput &input)
{
    m_printer = &printer;
    m_input = &input;
    m_abandoned = false;
    m_busyCursor = hasGuiCursor();
    if (m_busyCursor)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);

    step([&] { return printer.startDocument(); });
    step([&] { return printer.setScaleToPoints(); });
    Printer_Header();
    Printer_Body();
    const bool sent = step([&] { return printer.endDocument(); });

    if (m_busyCursor)
        QGuiApplication::restoreOverrideCursor();
    m_busyCursor = false;
    m_printer = nullptr;
    m_input = nullptr;
    return sent;
}

void PrinterReport::Printer_Header()
{
    const CompanyBlock &company = m_input->company;
    setFont(HeaderFont, TitleSize, true, false);
    printAt(65, 0, company.CompanyName);
    setFont(HeaderFont, HeaderTextSize, false, false);
    printAt(65, 18, company.Street);
    printAt(307, 18, company.PhoneLine);
    const QDate date = m_input->shownDate();
    printAt(307, 9, text(ReportText::DatePrefix) + NumberFormat::formatDate(date, m_input->locale));
    printAt(65, 27, company.CityLine);
    printAt(307, 27, company.FaxLine);
    brandMark();
    rule(0, 45, 547, 45);
    setFont(HeaderFont, ReportTitleSize, true, true);
    printAt(72, 48, text(ReportText::Title));
}

void PrinterReport::Printer_Body()
{
    const CaseRecord &record = m_input->record;
    const QString currency = m_input->record.cboMoedas;
    setFont(BodyFont, BodySize, false, false);

    // Application band.
    for (double y : {73, 84, 92})
        rule(0, y, 350, y);
    for (double x : {0, 45, 350})
        rule(x, 73, x, 92);
    printAt(8, 74, text(ReportText::Application));
    printAt(48, 74, m_input->applicationText);
    printAt(8, 84, text(ReportText::ReferencePrefix) + record.mskReferencia);
    printAt(0, 183, text(ReportText::DaysPrefix) + record.mskDiaAno);

    // Hours per flow level.
    for (double y : {100, 118})
        rule(0, y, 128, y);
    for (double x : {0, 45, 128})
        rule(x, 100, x, 129);
    printAt(8, 101, text(ReportText::FlowHeading));
    printAt(48, 101, text(ReportText::HoursHeading1));
    printAt(48, 110, text(ReportText::HoursHeading2));
    for (double y : {127, 136, 145, 154, 163, 173})
        rule(0, y, 128, y);
    for (double x : {0, 45, 128})
        rule(x, 119, x, 173);
    for (const Row &row : HourRows) {
        printAt(15, row.y, text(row.label));
        printAt(75, row.y, number(record.*row.field, u"#,##0.00"));
    }

    // Motor and prices.
    for (double y : {100, 109, 118, 127, 136})
        rule(138, y, 350, y);
    for (double x : {138, 283, 350})
        rule(x, 100, x, 136);
    // The labels end in the blank the export joins them by; here " (" brings its own.
    const auto withCurrency = [&](int label) {
        QString caption = text(label);
        while (caption.endsWith(u' '))
            caption.chop(1);
        return caption + QStringLiteral(" (") + currency + QStringLiteral("):");
    };
    printAt(146, 101, text(ReportText::Power));
    printAt(285, 101, number(record.mskPotencia, u"#,##0.00")
                          + text(record.isKw() ? ReportText::UnitKw : ReportText::UnitHp));
    printAt(146, 110, text(ReportText::Efficiency) + QStringLiteral(":"));
    printAt(285, 110, number(record.mskRendimento, u"#,##0"));
    printAt(146, 119, withCurrency(ReportText::KwhPrice));
    printAt(285, 119, number(record.mskValorkWh, u"#,##0.00"));
    printAt(146, 128, withCurrency(ReportText::DrivePrice));
    printAt(285, 128, number(record.mskInversor, u"#,##0.00"));

    // Results. The kWh saving is shown as a whole number with ".00" appended; a result that was never
    // calculated stays empty instead of showing a bare ".00".
    for (double y : {145, 154, 163, 172})
        rule(138, y, 350, y);
    for (double x : {138, 283, 350})
        rule(x, 145, x, 172);
    QString kwh = number(record.mskEconomiakW, u"#,##0");
    if (!kwh.isEmpty())
        kwh += NumberFormat::format(0, u"#.00", m_input->locale);
    printAt(146, 146, text(ReportText::SavingKwh));
    printAt(285, 146, kwh);
    printAt(146, 155, withCurrency(ReportText::SavingMoney));
    printAt(285, 155, number(record.mskEconomiaReais, u"#,##0.00"));
    printAt(146, 164, text(ReportText::Payback));
    printAt(285, 164, number(record.mskRetorno, u"#,##0"));

    // Closing note.
    step([&] { return m_printer->setCurrentX(LeftMargin); });
    step([&] { return m_printer->setCurrentY(TopMargin + 210); });
    if (!m_abandoned)
        Printer_BreakEach(*m_printer, text(ReportText::Note1) + CrLf + text(ReportText::Note2), NoteWidth);
}

void PrinterReport::Printer_BreakEach(ReportPrinter &printer, QString StrFonte, qint32 StrPosition)
{
    const double lineStart = printer.currentX();
    if (StrPosition <= 0)
        return;
    const qsizetype width = StrPosition;
    const auto printPart = [&](qsizetype length, qsizetype consumed) {
        printer.setCurrentX(lineStart);
        printer.printLine(StrFonte.left(length));
        StrFonte.remove(0, consumed);
    };
    while (!StrFonte.isEmpty()) {
        const qsizetype lineEnd = StrFonte.indexOf(CrLf);
        if (lineEnd >= 0 && lineEnd < width) {
            printPart(lineEnd, lineEnd + 2);
            continue;
        }
        if (StrFonte.size() < width) {
            printPart(StrFonte.size(), StrFonte.size());
            break;
        }
        const qsizetype blank = StrFonte.lastIndexOf(u' ', width - 1);
        // A cut of width - 1 characters would never advance at a width of 1: take one at least.
        const qsizetype length = blank >= 0 ? blank + 1 : std::max<qsizetype>(width - 1, 1);
        printPart(length, length);
    }
}

template<typename Operation>
bool PrinterReport::step(Operation operation)
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
    m_printer->abortDocument();
    return false;
}

void PrinterReport::reportFailure()
{
    if (m_busyCursor) {
        QGuiApplication::restoreOverrideCursor();
        m_busyCursor = false;
    }
    const PlatformError error = m_printer->error();
    const QString message = text(ReportText::ErrorLine1) + CrLf + text(ReportText::ErrorLine2) + CrLf
                            + text(ReportText::ErrorLine3) + CrLf + CrLf + text(ReportText::ErrorLine4) + CrLf
                            + QStringLiteral("Erro: ") + error.description;
    m_dialogs.message(m_messageParent, Dialogs::Icon::Critical, errorTitle(error.number), message);
}

void PrinterReport::setFont(const QString &name, double size, bool bold, bool italic)
{
    step([&] { return m_printer->setFontName(name); });
    step([&] { return m_printer->setFontSize(size); });
    step([&] { return m_printer->setFontBold(bold); });
    step([&] { return m_printer->setFontItalic(italic); });
}

void PrinterReport::printAt(double x, double y, const QString &line)
{
    step([&] { return m_printer->setCurrentX(LeftMargin + x); });
    step([&] { return m_printer->setCurrentY(TopMargin + y); });
    step([&] { return m_printer->printLine(line); });
}

void PrinterReport::rule(double x1, double y1, double x2, double y2)
{
    step([&] {
        return m_printer->drawLine({LeftMargin + x1, TopMargin + y1}, {LeftMargin + x2, TopMargin + y2}, Black);
    });
}

// Our mark: four rising bars, the speeds a drive steps through, standing on a base bar; all within
// 53 by 35 points at the top-left corner of the header.
void PrinterReport::brandMark()
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
            return m_printer->fillRectangle({LeftMargin + box.left, TopMargin + box.top},
                                            {LeftMargin + box.right, TopMargin + box.bottom}, BrandBlue);
        });
    }
}

QString PrinterReport::text(int number) const
{
    return m_input->text ? m_input->text(number) : QString();
}

QString PrinterReport::number(const QString &field, QStringView pattern) const
{
    return NumberFormat::formatText(field, pattern, m_input->locale);
}
