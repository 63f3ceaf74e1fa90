#pragma once
// A drawing context with exact pixel rules, on top of a QPainter (no antialiasing):
//   a line covers its start point but not its end point;
//   a rectangle (left, top, right, bottom) covers columns left..right-1 and rows top..bottom-1,
//   its one-pixel outline in the pen's colour and its interior in the brush's;
//   text is placed by its top-left corner, or aligned in a box and clipped to it.
// A CDC is a fresh context state on a painter: black pen, white brush, opaque white text
// background, black text, whatever the painter held before; the painter gets its state back when
// the CDC ends. CPen, CBrush and CFont are selected for as long as they live, then the previous
// object is put back, so no drawing object outlives its drawing step.

#include "platform/core/ColorRef.h"

#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>
#include <cstdint>

class QPainter;

QColor ToQColor(ColorRef color);

// The box (left, top, right, bottom) as a QRect: columns left..right-1, rows top..bottom-1.
inline QRect BoxOf(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QSize(right - left, bottom - top));
}

// System colours, read afresh at every call.
enum SysColor { COLOR_BTNFACE, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, COLOR_BTNTEXT };
ColorRef GetSysColor(SysColor index);

// DrawText formats.
enum : unsigned {
    DT_LEFT = 0x0,
    DT_TOP = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_SINGLELINE = 0x20,
};
enum BkMode { TRANSPARENT = 1, OPAQUE = 2 };

// A font by face names in order of preference, a character height in pixels and a weight (400
// normal, 500 medium, 600 semi-bold), hinted so small text stays sharp.
QFont MakeFont(const QStringList& faces, int pixelHeight, int weight);

class CDC {
public:
    explicit CDC(QPainter& painter);
    ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    QPainter& Painter() { return m_painter; }

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Rectangle(int left, int top, int right, int bottom);
    void TextOut(int x, int y, const QString& text);
    void DrawText(const QString& text, const QRect& box, unsigned format);

    ColorRef SetTextColor(ColorRef color);
    int SetBkMode(int mode);
    // Where text of this font would go in a box: for tests and for the texts' own placement.
    QRect TextRect(const QString& text, const QRect& box, unsigned format) const;

private:
    friend class CPen;
    friend class CBrush;
    friend class CFont;
    void PaintText(const QString& text, const QRect& where, const QRect* clip);

    QPainter& m_painter;
    QPoint m_position;
    ColorRef m_pen = RGB(0, 0, 0);
    ColorRef m_brush = RGB(255, 255, 255);
    ColorRef m_textColor = RGB(0, 0, 0);
    ColorRef m_bkColor = RGB(255, 255, 255);
    int m_bkMode = OPAQUE;
    QFont m_font;
};

// A solid pen one pixel wide, selected into dc while it lives.
class CPen {
public:
    CPen(CDC& dc, ColorRef color);
    ~CPen();
    CPen(const CPen&) = delete;
    CPen& operator=(const CPen&) = delete;

private:
    CDC& m_dc;
    ColorRef m_previous;
};

// A solid brush, selected into dc while it lives.
class CBrush {
public:
    CBrush(CDC& dc, ColorRef color);
    ~CBrush();
    CBrush(const CBrush&) = delete;
    CBrush& operator=(const CBrush&) = delete;

private:
    CDC& m_dc;
    ColorRef m_previous;
};

// A font, selected into dc while it lives.
class CFont {
public:
    CFont(CDC& dc, const QFont& font);
    ~CFont();
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;

private:
    CDC& m_dc;
    QFont m_previous;
};
