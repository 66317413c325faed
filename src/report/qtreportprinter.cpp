#include "report/qtreportprinter.h"

#include <QDir>
#include <QFontMetricsF>
#include <QPrinter>

namespace {
constexpr int PointsPerInch = 72;
// Rules are thin but visible: the printer's default width of one dot is invisible on a fine printer.
constexpr double RuleWidth = 0.5;

// The report's text is placed by the font's design metrics. At 72 dots per inch a 7-point letter is 7 dots
// high, and a font engine that hints rounds every advance to whole dots: Windows' did, so that words came
// out up to a tenth wider than on Linux and unevenly spaced. Without hinting Qt measures with the outlines
// (DirectWrite's natural metrics on Windows, FreeType's on Linux), and both systems place every word alike.
QFont reportFont()
{
    QFont font;
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}
} // namespace

QtReportPrinter::QtReportPrinter(QPrinter &printer)
    : m_printer(printer)
    , m_font(reportFont())
{
}

QtReportPrinter::~QtReportPrinter()
{
    abortDocument();
}

bool QtReportPrinter::startDocument()
{
    abortDocument();
    m_x = 0;
    m_y = 0;
    m_font = reportFont();
    m_error = {};
    return true;
}

bool QtReportPrinter::setScaleToPoints()
{
    if (m_painter.isActive())
        return m_printer.resolution() == PointsPerInch || fail(QStringLiteral("Printer error: the scale cannot change within a page"));
    m_printer.setResolution(PointsPerInch);
    return true;
}

bool QtReportPrinter::setCurrentX(double x)
{
    m_x = x;
    return true;
}

bool QtReportPrinter::setCurrentY(double y)
{
    m_y = y;
    return true;
}

bool QtReportPrinter::setFontName(const QString &name)
{
    m_font.setFamilies({name});
    return true;
}

bool QtReportPrinter::setFontSize(double points)
{
    if (!(points > 0))
        return fail(QStringLiteral("Invalid font size"));
    m_font.setPointSizeF(points);
    return true;
}

bool QtReportPrinter::setFontBold(bool bold)
{
    m_font.setBold(bold);
    return true;
}

bool QtReportPrinter::setFontItalic(bool italic)
{
    m_font.setItalic(italic);
    return true;
}

bool QtReportPrinter::printLine(const QString &text)
{
    return drawTextLine(m_x, text, false);
}

bool QtReportPrinter::printLineEndingAt(double right, const QString &text)
{
    return drawTextLine(right, text, true);
}

bool QtReportPrinter::drawTextLine(double x, const QString &text, bool endingAtX)
{
    if (!ensurePainting())
        return false;
    m_painter.setFont(m_font);
    const QFontMetricsF metrics(m_painter.font(), &m_printer);
    if (endingAtX)
        x -= metrics.horizontalAdvance(text);
    m_painter.setPen(Qt::black);
    m_painter.drawText(QPointF(x, m_y + metrics.ascent()), text);
    m_y += metrics.height();
    return true;
}

bool QtReportPrinter::drawLine(QPointF from, QPointF to, const QColor &colour)
{
    if (!ensurePainting())
        return false;
    m_painter.setPen(QPen(colour, RuleWidth));
    m_painter.drawLine(from, to);
    return true;
}

bool QtReportPrinter::fillRectangle(QPointF corner, QPointF opposite, const QColor &colour)
{
    if (!ensurePainting())
        return false;
    m_painter.fillRect(QRectF(corner, opposite).normalized(), colour);
    return true;
}

bool QtReportPrinter::drawPicture(const QRectF &target, const QSizeF &size,
                                  const std::function<void(QPainter &)> &paint)
{
    if (!ensurePainting())
        return false;
    if (size.isEmpty())
        return fail(QStringLiteral("Printer error: a picture without a size"));
    m_painter.save();
    m_painter.translate(target.topLeft());
    m_painter.scale(target.width() / size.width(), target.height() / size.height());
    paint(m_painter);
    m_painter.restore();
    return true;
}

bool QtReportPrinter::newPage()
{
    if (!ensurePainting())
        return false;
    if (!m_printer.newPage())
        return fail(QStringLiteral("Printer error: the next page could not be started"));
    m_x = 0;
    m_y = 0;
    return true;
}

bool QtReportPrinter::endDocument()
{
    if (!ensurePainting())
        return false;
    if (!m_painter.end())
        return fail(QStringLiteral("Printer error: the page could not be sent"));
    return true;
}

void QtReportPrinter::abortDocument()
{
    if (!m_painter.isActive())
        return;
    m_printer.abort();
    m_painter.end();
}

bool QtReportPrinter::ensurePainting()
{
    if (m_painter.isActive())
        return true;
    if (m_printer.resolution() != PointsPerInch)
        m_printer.setResolution(PointsPerInch);
    if (m_painter.begin(&m_printer))
        return true;
    if (m_printer.outputFileName().isEmpty())
        return fail(QStringLiteral("Printer error: the printer \"%1\" cannot be used").arg(m_printer.printerName()));
    return fail(QStringLiteral("Printer error: \"%1\" cannot be written")
                    .arg(QDir::toNativeSeparators(m_printer.outputFileName())));
}

bool QtReportPrinter::fail(const QString &description)
{
    m_error = {PrinterErrorNumber, description};
    return false;
}

bool printToPdf(const QString &path, const std::function<bool(ReportPrinter &)> &print, QString *error)
{
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    QtReportPrinter output(printer);
    if (print(output))
        return true;
    if (error)
        *error = output.error().description;
    return false;
}
