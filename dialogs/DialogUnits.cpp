#include "dialogs/DialogUnits.h"

#include "view/DrawHelpers.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QWidget>

namespace {
// a × b ÷ c, rounded to the nearest integer.
int MulDiv(int a, int b, int c)
{
    return (a * b + c / 2) / c;
}
} // namespace

QFont DialogFont()
{
    QFont font(PGothicFaces());
    font.setPixelSize(12);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// The average character width: the 52 Latin letters' width, halved and rounded.
CDialogUnits::CDialogUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int letters =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_averageWidth = (letters / 26 + 1) / 2;
    m_height = metrics.height();
}

int CDialogUnits::X(int units) const { return MulDiv(units, m_averageWidth, 4); }
int CDialogUnits::Y(int units) const { return MulDiv(units, m_height, 8); }

QRect CDialogUnits::Rect(int x, int y, int width, int height) const
{
    return QRect(X(x), Y(y), X(width), Y(height));
}

QSize CDialogUnits::Size(int width, int height) const
{
    return QSize(X(width), Y(height));
}

QGroupBox* MakeGroupBox(const QString& title, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    box->setStyleSheet(QStringLiteral("QGroupBox { border: 1px solid palette(mid); border-radius: 2px;"
                                      " margin-top: 0.5em; }"
                                      "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
    return box;
}

void PlaceControl(QWidget* control, const CDialogUnits& units, int x, int y, int width, int height)
{
    control->setGeometry(units.Rect(x, y, width, height));
}
