#pragma once

#include "platform/platformerror.h"

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <functional>

class QPainter;

// The printer operations the report uses. Units are points (1/72 inch) once the scale is set, measured
// from the top-left corner of the printable area. A text is placed with the top of its line at the
// current position. Every operation answers whether it worked; error() then says what went wrong.
// QtReportPrinter draws on a QPrinter; tests use a recording implementation.
class ReportPrinter
{
public:
    virtual ~ReportPrinter() = default;

    // Starts a fresh document on its first page; anything unfinished from an earlier job is discarded.
    virtual bool startDocument() = 0;
    // Makes one unit one point.
    virtual bool setScaleToPoints() = 0;

    virtual double currentX() const = 0;
    virtual double currentY() const = 0;
    virtual bool setCurrentX(double x) = 0;
    virtual bool setCurrentY(double y) = 0;

    virtual bool setFontName(const QString &name) = 0;
    virtual bool setFontSize(double points) = 0;
    virtual bool setFontBold(bool bold) = 0;
    virtual bool setFontItalic(bool italic) = 0;

    // Prints `text` at the current position in the current font and colour black, then moves the
    // current y down by one line of that font.
    virtual bool printLine(const QString &text) = 0;
    // The same with the text's right end at `right` instead of starting at the current x, which stays.
    virtual bool printLineEndingAt(double right, const QString &text) = 0;
    virtual bool drawLine(QPointF from, QPointF to, const QColor &colour) = 0;
    // A filled rectangle between two opposite corners.
    virtual bool fillRectangle(QPointF corner, QPointF opposite, const QColor &colour) = 0;
    // A picture `size` units large, drawn by `paint` with the origin at its top-left corner, scaled into
    // `target` (a chart on the page).
    virtual bool drawPicture(const QRectF &target, const QSizeF &size, const std::function<void(QPainter &)> &paint) = 0;
    // Ends the current page and starts the next one; the current position goes back to the top-left
    // corner, the font stays.
    virtual bool newPage() = 0;
    // Sends the document.
    virtual bool endDocument() = 0;
    // Drops the unfinished document of an abandoned job; nothing is printed.
    virtual void abortDocument() = 0;

    virtual PlatformError error() const = 0;
};

// The error number printer failures carry.
inline constexpr int PrinterErrorNumber = 482;
