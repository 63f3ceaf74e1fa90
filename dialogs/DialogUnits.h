#pragma once
// Dialog sizes and control places are given in dialog units: a horizontal unit is a quarter of
// the dialog font's average character width, a vertical unit an eighth of its height. The dialogs'
// font is "ＭＳ Ｐゴシック" 9 point (12 pixels at 96 dpi), or a face with its metrics; converting
// with that font's own metrics keeps every control where its units put it.

#include <QFont>
#include <QRect>
#include <QSize>

class QWidget;

QFont DialogFont();

class CDialogUnits {
public:
    explicit CDialogUnits(const QFont& font);
    int X(int units) const;
    int Y(int units) const;
    QRect Rect(int x, int y, int width, int height) const;
    QSize Size(int width, int height) const;

private:
    int m_averageWidth;
    int m_height;
};

// A group box whose frame runs through the middle of its title.
class QGroupBox;
QGroupBox* MakeGroupBox(const QString& title, QWidget* parent);

// Places a child at a rectangle given in dialog units.
void PlaceControl(QWidget* control, const CDialogUnits& units, int x, int y, int width, int height);
