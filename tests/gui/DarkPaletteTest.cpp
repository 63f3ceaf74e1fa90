#include "../TestSupport.h"
#include "ImageChecks.h"
#include "dialogs/DetailDlg.h"
#include "view/PeloraView.h"

#include <QApplication>
#include <QPalette>
#include <gtest/gtest.h>

namespace {
// A dark desktop (light text on a dark button face): the tables and the totals' default black take
// the palette's text colour; the graph keeps its white ground.
TEST(DarkPaletteTest, TablesAndTotalsTakeThePalettesTextColour)
{
    const QPalette usual = QApplication::palette();
    QPalette dark = usual;
    for (const QPalette::ColorRole role : {QPalette::Button, QPalette::Window})
        dark.setColor(role, QColor(0x2b, 0x2b, 0x2b));
    dark.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xee));
    QApplication::setPalette(dark);
    DocFixture fixture;
    fixture.Open(fixture.folder.Write("log", "97/03/20 10:00:00  OUT00:01:40    1,230 0\r\n"), 20, k1997Mar20);
    const QRgb light = qRgb(0xee, 0xee, 0xee);

    CDayDetailDlg dialog(*fixture.doc, nullptr);
    QImage table(dialog.size(), QImage::Format_RGB32);
    dialog.render(&table);
    EXPECT_GT(CountPixels(table, QRect(474, 307, 60, 15), light), 10); // today's "1230 円 "

    CSettings settings(fixture.profile);
    CPeloraView view(*fixture.doc, settings, fixture.clock, fixture.sink);
    QImage picture(CPeloraView::kWidth, CPeloraView::kHeight, QImage::Format_RGB32);
    view.render(&picture);
    QApplication::setPalette(usual);
    EXPECT_GT(CountPixels(picture, QRect(5, 142, 239, 17), light), 20); // the day's row
    EXPECT_EQ(picture.pixel(100, 60), qRgb(255, 255, 255));
}
} // namespace
