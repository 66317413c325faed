#include "recordingprinter.h"

bool RecordingPrinter::attempt(Operation operation)
{
    ++m_calls[operation];
    int &failures = m_failures[operation];
    if (failures > 0) {
        --failures;
        return false;
    }
    return true;
}

bool RecordingPrinter::startDocument()
{
    if (!attempt(Operation::StartDocument))
        return false;
    ++started;
    texts.clear();
    lines.clear();
    rectangles.clear();
    pictures.clear();
    scaleInPoints = false;
    page = 0;
    m_x = m_y = 0;
    return true;
}

bool RecordingPrinter::setScaleToPoints()
{
    if (!attempt(Operation::SetScale))
        return false;
    scaleInPoints = true;
    return true;
}

bool RecordingPrinter::setCurrentX(double x)
{
    if (!attempt(Operation::SetX))
        return false;
    m_x = x;
    return true;
}

bool RecordingPrinter::setCurrentY(double y)
{
    if (!attempt(Operation::SetY))
        return false;
    m_y = y;
    return true;
}

bool RecordingPrinter::setFontName(const QString &name)
{
    if (!attempt(Operation::FontName))
        return false;
    m_font = name;
    return true;
}

bool RecordingPrinter::setFontSize(double points)
{
    if (!attempt(Operation::FontSize))
        return false;
    m_size = points;
    return true;
}

bool RecordingPrinter::setFontBold(bool bold)
{
    if (!attempt(Operation::FontBold))
        return false;
    m_bold = bold;
    return true;
}

bool RecordingPrinter::setFontItalic(bool italic)
{
    if (!attempt(Operation::FontItalic))
        return false;
    m_italic = italic;
    return true;
}

bool RecordingPrinter::printLine(const QString &text)
{
    if (!attempt(Operation::PrintLine))
        return false;
    texts.append({text, m_x, m_y, m_font, m_size, m_bold, m_italic, page});
    m_y += m_size * LineFactor;
    return true;
}

bool RecordingPrinter::printLineEndingAt(double right, const QString &text)
{
    if (!attempt(Operation::PrintLineEndingAt))
        return false;
    texts.append({text, right, m_y, m_font, m_size, m_bold, m_italic, page, true});
    m_y += m_size * LineFactor;
    return true;
}

bool RecordingPrinter::drawLine(QPointF from, QPointF to, const QColor &colour)
{
    if (!attempt(Operation::DrawLine))
        return false;
    lines.append({from, to, colour});
    return true;
}

bool RecordingPrinter::fillRectangle(QPointF corner, QPointF opposite, const QColor &colour)
{
    if (!attempt(Operation::FillRectangle))
        return false;
    rectangles.append({QRectF(corner, opposite).normalized(), colour});
    return true;
}

bool RecordingPrinter::drawPicture(const QRectF &target, const QSizeF &size, const std::function<void(QPainter &)> &)
{
    if (!attempt(Operation::DrawPicture))
        return false;
    pictures.append({target, size, page});
    return true;
}

bool RecordingPrinter::newPage()
{
    if (!attempt(Operation::NewPage))
        return false;
    ++page;
    m_x = m_y = 0;
    return true;
}

bool RecordingPrinter::endDocument()
{
    if (!attempt(Operation::EndDocument))
        return false;
    ++sent;
    return true;
}

void RecordingPrinter::abortDocument()
{
    ++aborted;
}

QList<RecordingPrinter::Text> RecordingPrinter::find(const QString &text) const
{
    QList<Text> found;
    for (const Text &t : texts) {
        if (t.text == text)
            found.append(t);
    }
    return found;
}
