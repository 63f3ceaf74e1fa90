#include "platform/gui/DrawContext.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

QColor ToQColor(ColorRef color)
{
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>(color >> 8 & 0xFF),
                  static_cast<int>(color >> 16 & 0xFF));
}

ColorRef GetSysColor(SysColor index)
{
    const QPalette palette = QGuiApplication::palette();
    const QPalette::ColorRole role = index == COLOR_BTNFACE        ? QPalette::Button
                                     : index == COLOR_BTNHIGHLIGHT ? QPalette::Light
                                     : index == COLOR_BTNSHADOW    ? QPalette::Dark
                                                                   : QPalette::ButtonText;
    const QColor color = palette.color(QPalette::Active, role);
    return RGB(color.red(), color.green(), color.blue());
}

QFont MakeFont(const QStringList& faces, int pixelHeight, int weight)
{
    QFont font(faces);
    font.setPixelSize(pixelHeight);
    font.setWeight(weight >= 600 ? QFont::DemiBold : weight >= 500 ? QFont::Medium : QFont::Normal);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

CDC::CDC(QPainter& painter) : m_painter(painter)
{
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, false);
    m_painter.setClipping(false);
    m_painter.resetTransform();
    m_font = m_painter.font();
}

CDC::~CDC()
{
    m_painter.restore();
}

void CDC::MoveTo(int x, int y)
{
    m_position = QPoint(x, y);
}

// Every line of this program is horizontal or vertical; those exclude their end point exactly.
void CDC::LineTo(int x, int y)
{
    const QPoint from = m_position;
    const QPoint to(x, y);
    m_position = to;
    if (from == to)
        return;
    const QPoint step((to.x() > from.x()) - (to.x() < from.x()), (to.y() > from.y()) - (to.y() < from.y()));
    m_painter.setPen(QPen(ToQColor(m_pen), 1));
    if (from.x() == to.x() || from.y() == to.y())
        m_painter.drawLine(from, to - step);
    else
        m_painter.drawLine(from, to); // a slanted line keeps its end point
}

void CDC::Rectangle(int left, int top, int right, int bottom)
{
    const int width = right - left;
    const int height = bottom - top;
    if (width <= 0 || height <= 0)
        return;
    m_painter.fillRect(QRect(left, top, width, height), ToQColor(m_pen));
    if (width > 2 && height > 2)
        m_painter.fillRect(QRect(left + 1, top + 1, width - 2, height - 2), ToQColor(m_brush));
}

QRect CDC::TextRect(const QString& text, const QRect& box, unsigned format) const
{
    const QFontMetrics metrics(m_font);
    const int width = metrics.horizontalAdvance(text);
    const int height = metrics.height();
    int x = box.left();
    if (format & DT_RIGHT)
        x = box.left() + box.width() - width;
    else if (format & DT_CENTER)
        x = box.left() + (box.width() - width) / 2;
    int y = box.top();
    if ((format & DT_VCENTER) && (format & DT_SINGLELINE))
        y = box.top() + box.height() / 2 - height / 2;
    return QRect(x, y, width, height);
}

void CDC::PaintText(const QString& text, const QRect& where, const QRect* clip)
{
    m_painter.save();
    if (clip)
        m_painter.setClipRect(*clip);
    if (m_bkMode == OPAQUE)
        m_painter.fillRect(where, ToQColor(m_bkColor));
    m_painter.setFont(m_font);
    m_painter.setPen(ToQColor(m_textColor));
    m_painter.drawText(QPoint(where.left(), where.top() + QFontMetrics(m_font).ascent()), text);
    m_painter.restore();
}

void CDC::TextOut(int x, int y, const QString& text)
{
    PaintText(text, TextRect(text, QRect(x, y, 0, 0), DT_LEFT | DT_TOP), nullptr);
}

void CDC::DrawText(const QString& text, const QRect& box, unsigned format)
{
    PaintText(text, TextRect(text, box, format), &box);
}

ColorRef CDC::SetTextColor(ColorRef color)
{
    return std::exchange(m_textColor, color);
}

int CDC::SetBkMode(int mode)
{
    return std::exchange(m_bkMode, mode);
}

CPen::CPen(CDC& dc, ColorRef color) : m_dc(dc), m_previous(std::exchange(dc.m_pen, color)) {}
CPen::~CPen() { m_dc.m_pen = m_previous; }

CBrush::CBrush(CDC& dc, ColorRef color) : m_dc(dc), m_previous(std::exchange(dc.m_brush, color)) {}
CBrush::~CBrush() { m_dc.m_brush = m_previous; }

CFont::CFont(CDC& dc, const QFont& font) : m_dc(dc), m_previous(std::exchange(dc.m_font, font)) {}
CFont::~CFont() { m_dc.m_font = m_previous; }
