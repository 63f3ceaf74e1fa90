#include "../TestSupport.h"
#include "dialogs/DetailDlg.h"
#include "res/ToolBarImages.h"
#include "view/PeloraView.h"

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <gtest/gtest.h>

namespace {
// A dark desktop: light text on a dark button face.
class DarkPaletteTest : public testing::Test, protected DocFixture {
protected:
    const QPalette usual = QApplication::palette();
    void SetUp() override
    {
        QPalette dark = usual;
        dark.setColor(QPalette::Button, QColor(0x2b, 0x2b, 0x2b));
        dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
        dark.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xee));
        QApplication::setPalette(dark);
        Open(folder.Write("log", "97/03/20 10:00:00  OUT00:01:40    1,230 0\r\n"), 20, k1997Mar20);
    }
    void TearDown() override { QApplication::setPalette(usual); }

    static int Count(const QImage& image, const QRect& box, QRgb color)
    {
        int n = 0;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                n += image.pixel(x, y) == color;
        return n;
    }
};

const QRgb kLight = qRgb(0xee, 0xee, 0xee);

TEST_F(DarkPaletteTest, TablesAndTotalsTakeThePalettesTextColour)
{
    CDayDetailDlg dialog(*doc, nullptr);
    QImage table(dialog.size(), QImage::Format_RGB32);
    dialog.render(&table);
    EXPECT_GT(Count(table, QRect(474, 307, 60, 15), kLight), 10); // today's "1230 円 "

    CSettings settings(profile);
    CPeloraView view(*doc, settings, clock, sink);
    QImage picture(CPeloraView::kWidth, CPeloraView::kHeight, QImage::Format_RGB32);
    view.render(&picture);
    EXPECT_GT(Count(picture, QRect(5, 142, 239, 17), kLight), 20); // the day's row, black by default
    EXPECT_EQ(picture.pixel(100, 60), qRgb(255, 255, 255));        // the graph keeps its white ground
}

// Every tool-bar picture shows plainly on a dark tool bar and on a light one.
TEST_F(DarkPaletteTest, ToolBarPicturesReadOnDarkAndLight)
{
    for (int place = 1; place <= 7; ++place) {
        const QImage image = ToolBarImage(place).pixmap(16, 16).toImage();
        for (const QColor ground : {QColor(0x2b, 0x2b, 0x2b), QColor(255, 255, 255)}) {
            int plain = 0;
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) {
                    const QColor c = image.pixelColor(x, y);
                    const int seen = (c.lightness() * c.alpha() + ground.lightness() * (255 - c.alpha())) / 255;
                    plain += std::abs(seen - ground.lightness()) > 60;
                }
            EXPECT_GT(plain, 30) << "picture " << place << " on " << ground.name().toStdString();
        }
    }
}
} // namespace
