#pragma once

#include "report/reportprinter.h"

#include <QHash>
#include <QList>
#include <QRectF>

// A ReportPrinter that records what is drawn, for tests: texts with their font and position, lines
// and filled rectangles, in points. Any operation can be made to fail a number of times in a row.
class RecordingPrinter : public ReportPrinter
{
public:
    enum class Operation {
        StartDocument, SetScale, SetX, SetY, FontName, FontSize, FontBold, FontItalic,
        PrintLine, PrintLineEndingAt, DrawLine, FillRectangle, DrawPicture, NewPage, EndDocument
    };

    struct Text
    {
        QString text;
        double x;
        double y;
        QString font;
        double size;
        bool bold;
        bool italic;
        int page = 0; // 0 for the first page
        bool endsAtX = false; // printed with its right end at x
        bool operator==(const Text &) const = default;
    };
    struct Line
    {
        QPointF from;
        QPointF to;
        QColor colour;
        bool operator==(const Line &) const = default;
    };
    struct Rectangle
    {
        QRectF rect;
        QColor colour;
        bool operator==(const Rectangle &) const = default;
    };

    struct Picture
    {
        QRectF target;
        QSizeF size;
        int page = 0;
    };

    // A line of text is this many times the font size tall (Arial's line spacing).
    static constexpr double LineFactor = 1.15;

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
    // Records where the picture goes; its painting is not run.
    bool drawPicture(const QRectF &target, const QSizeF &size, const std::function<void(QPainter &)> &paint) override;
    bool newPage() override;
    bool endDocument() override;
    void abortDocument() override;
    PlatformError error() const override { return {PrinterErrorNumber, QStringLiteral("Printer error: test failure")}; }

    // The next `times` calls of `operation` fail.
    void failNext(Operation operation, int times) { m_failures[operation] = times; }
    int calls(Operation operation) const { return m_calls.value(operation); }

    // The document being drawn (startDocument clears it).
    QList<Text> texts;
    QList<Line> lines;
    QList<Rectangle> rectangles;
    QList<Picture> pictures;
    bool scaleInPoints = false;
    int started = 0;
    int sent = 0;
    int aborted = 0;
    int page = 0; // the page being drawn, 0 for the first

    // Texts whose content is `text`.
    QList<Text> find(const QString &text) const;

private:
    bool attempt(Operation operation);

    QHash<Operation, int> m_failures;
    QHash<Operation, int> m_calls;
    double m_x = 0;
    double m_y = 0;
    QString m_font;
    double m_size = 10;
    bool m_bold = false;
    bool m_italic = false;
};
