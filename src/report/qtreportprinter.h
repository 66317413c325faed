#pragma once

#include "report/reportprinter.h"

#include <QFont>
#include <QPainter>

#include <functional>

class QPrinter;

// ReportPrinter on a QPrinter (a real printer or a PDF file). The printer's resolution is set to 72
// dots per inch, so that device units are points and point-size fonts come out at their size without
// scaling the painter. The document begins at the first drawing operation.
class QtReportPrinter : public ReportPrinter
{
public:
    explicit QtReportPrinter(QPrinter &printer);
    ~QtReportPrinter() override;

    bool startDocument() override;
    bool setScaleToPoints() override;
    double currentX() const override { return m_x; }
    double currentY() const override { return m_y; }
    bool setCurrentX(double x) override;
    bool setCurrentY(double y) override;
    bool setFontName(const QString &name) override;
    bool setFontSize(double points) override;
    bool setFontBold(bool bold) override;
    bool setFontItalic(bool italic) override;
    bool printLine(const QString &text) override;
    bool printLineEndingAt(double right, const QString &text) override;
    bool drawLine(QPointF from, QPointF to, const QColor &colour) override;
    bool fillRectangle(QPointF corner, QPointF opposite, const QColor &colour) override;
    bool drawPicture(const QRectF &target, const QSizeF &size, const std::function<void(QPainter &)> &paint) override;
    bool newPage() override;
    bool endDocument() override;
    void abortDocument() override;
    PlatformError error() const override { return m_error; }

private:
    bool ensurePainting();
    bool drawTextLine(double x, const QString &text, bool endingAtX);
    bool fail(const QString &description);

    QPrinter &m_printer;
    QPainter m_painter;
    QFont m_font;
    double m_x = 0;
    double m_y = 0;
    PlatformError m_error;
};

// Runs `print` on a PDF printer that writes the file at path on its default page (tessio-calc --pdf).
// False with the printer's reason in *error when the document was not written; the report writer has
// then reported the failing step itself.
bool printToPdf(const QString &path, const std::function<bool(ReportPrinter &)> &print, QString *error);
