#include "qtsupport/fonts.h"
#include "qtsupport/qt_text_renderer.h"
#include "support/test_support.h"

#include <QFontInfo>
#include <QStringList>

#include <gtest/gtest.h>

#include <climits>

namespace spectrane {
namespace {

// Pixels other than `background` inside and outside the box [x, x+w) x [y, y+h), and whether
// every pixel leaves the top byte clear.
struct Ink {
    int inside = 0;
    int outside = 0;
    bool topBytesClear = true;
};
Ink inkAround(const Surface& s, Color background, int x, int y, int w, int h) {
    Ink ink;
    for (int py = 0; py < s.height(); ++py) {
        for (int px = 0; px < s.width(); ++px) {
            ink.topBytesClear = ink.topBytesClear && (s.pixel(px, py) & 0xff000000u) == 0;
            if (s.pixel(px, py) != background) {
                const bool in = px >= x && px < x + w && py >= y && py < y + h;
                ++(in ? ink.inside : ink.outside);
            }
        }
    }
    return ink;
}

TextStyle courier(int height, Color color) {
    TextStyle style;
    style.face = std::string(kCourierFace);
    style.pixelHeight = height;
    style.color = color;
    return style;
}

TEST(Fonts, NamedFacesResolveToInstalledSubstitutes) {
    registerFontSubstitutes();
    const QStringList gothic{"IPAPGothic", "IPAGothic"}, serif{"Liberation Serif", "DejaVu Serif"};
    EXPECT_TRUE(gothic.contains(QFontInfo(programFont(kGothicFace, 12)).family()));
    EXPECT_EQ(QFontInfo(programFont(kCourierFace, 15)).family(), "Liberation Mono");
    EXPECT_TRUE(serif.contains(QFontInfo(programFont(kCalistoFace, 24)).family()));
}

// Ink only inside the measured cell, in the text colour itself (no anti-aliasing); an opaque
// cell is the face colour and the ink; nothing beyond the surface, however far away.
TEST(QtTextRenderer, DrawsInsideTheMeasuredCellOnly) {
    QtTextRenderer text;
    const TextStyle style = courier(16, rgb(200, 200, 200));
    const TextExtent e = text.measureText("RGB", style);
    EXPECT_GT(e.width, 15);
    EXPECT_GE(e.height, 16);
    Surface s(120, 60);
    DrawLabel(s, text, "RGB", 22, 9, style);
    const Ink ink = inkAround(s, 0, 22, 9, e.width, e.height);
    EXPECT_GT(ink.inside, 20);
    EXPECT_EQ(ink.outside, 0);
    EXPECT_TRUE(ink.topBytesClear);
    EXPECT_EQ(inkAround(s, style.color, 0, 0, 0, 0).outside, 120 * 60 - ink.inside); // 0 or it

    TextStyle gothic;
    gothic.opaque = true;
    gothic.background = rgb(212, 208, 200);
    const TextExtent je = text.measureText("長さ", gothic);
    EXPECT_GE(je.width, 20);
    Surface j(80, 40, rgb(10, 20, 30));
    DrawLabel(j, text, "長さ", 5, 6, gothic);
    EXPECT_EQ(inkAround(j, rgb(10, 20, 30), 5, 6, je.width, je.height).outside, 0);
    const int cell = je.width * je.height;
    const int dark = cell - inkAround(j, 0, 5, 6, je.width, je.height).inside;
    EXPECT_GT(dark, 15);
    EXPECT_EQ(inkAround(j, gothic.background, 5, 6, je.width, je.height).inside, dark);

    Surface edge(40, 20);
    TextStyle clipped = courier(15, rgb(255, 255, 255));
    clipped.opaque = true;
    clipped.background = rgb(0, 0, 1);
    for (const int far : {INT_MIN, INT_MIN + 1, -100000, 100000, INT_MAX - 1, INT_MAX}) {
        DrawLabel(edge, text, "[x 1599,y 255]", far, 3, clipped);
        DrawLabel(edge, text, "[x 1599,y 255]", 3, far, clipped);
        DrawLabel(edge, text, "[x 1599,y 255]", far, far, clipped);
    }
    EXPECT_EQ(inkAround(edge, 0, 0, 0, 0, 0).outside, 0);
    DrawLabel(edge, text, "[x 1599,y 255]", -20, -5, clipped); // the part on the surface
    const Ink part = inkAround(edge, 0, 0, 0, 40, 20);
    EXPECT_GT(part.inside, 0);
    EXPECT_TRUE(part.topBytesClear);
}

} // namespace
} // namespace spectrane
