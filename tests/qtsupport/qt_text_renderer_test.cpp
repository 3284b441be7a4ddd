#include "qtsupport/fonts.h"
#include "qtsupport/qt_text_renderer.h"
#include "qtsupport/surface_image.h"
#include "views/graph_painter.h"
#include "views/previews.h"

#include <QFontInfo>
#include <QStringList>

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <thread>

namespace spectrane {
namespace {

struct InkBox {
    int count = 0;
    int outside = 0;
};

// Pixels that differ from the background, inside and outside the box [x, x+w) x [y, y+h).
InkBox inkAround(const Surface& s, Color background, int x, int y, int w, int h) {
    InkBox ink;
    for (int py = 0; py < s.height(); ++py) {
        for (int px = 0; px < s.width(); ++px) {
            if (s.pixel(px, py) == background) {
                continue;
            }
            const bool inside = px >= x && px < x + w && py >= y && py < y + h;
            (inside ? ink.count : ink.outside) += 1;
        }
    }
    return ink;
}

bool topBytesClear(const Surface& s) {
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            if ((s.pixel(x, y) & 0xff000000u) != 0) {
                return false;
            }
        }
    }
    return true;
}

TEST(Fonts, NamedFacesResolveToInstalledSubstitutes) {
    registerFontSubstitutes();
    const QFontInfo gothic(programFont(kGothicFace, 12));
    EXPECT_TRUE(QStringList({"IPAPGothic", "IPAGothic"}).contains(gothic.family()))
        << gothic.family().toStdString();
    EXPECT_EQ(gothic.pixelSize(), 12);
    const QFontInfo courier(programFont(kCourierFace, 15));
    EXPECT_EQ(courier.family(), "Liberation Mono");
    EXPECT_EQ(courier.pixelSize(), 15);
    EXPECT_TRUE(courier.fixedPitch());
    const QFontInfo calisto(programFont(kCalistoFace, 24));
    EXPECT_TRUE(QStringList({"Liberation Serif", "DejaVu Serif"}).contains(calisto.family()))
        << calisto.family().toStdString();
    EXPECT_EQ(calisto.pixelSize(), 24);
}

TEST(QtTextRenderer, DrawsInsideTheMeasuredCellOnly) {
    QtTextRenderer text;
    TextStyle style;
    style.face = std::string(kCourierFace);
    style.pixelHeight = 16;
    style.color = rgb(200, 200, 200);
    const TextExtent e = text.measureText("RGB", style);
    EXPECT_GT(e.width, 15);
    EXPECT_GE(e.height, 16);

    Surface s(120, 60);
    DrawLabel(s, text, "RGB", 22, 9, style);
    const InkBox ink = inkAround(s, 0, 22, 9, e.width, e.height);
    EXPECT_GT(ink.count, 20);
    EXPECT_EQ(ink.outside, 0);
    EXPECT_TRUE(topBytesClear(s));
    // Without anti-aliasing every text pixel is the text colour itself.
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            const Color c = s.pixel(x, y);
            ASSERT_TRUE(c == 0 || c == style.color) << x << "," << y;
        }
    }

    // Japanese label on an opaque face-coloured cell.
    TextStyle gothic;
    gothic.pixelHeight = 12;
    gothic.opaque = true;
    gothic.background = kDialogFaceColor;
    const TextExtent je = text.measureText("長さ", gothic);
    EXPECT_GE(je.width, 20);
    Surface j(80, 40, rgb(10, 20, 30));
    DrawLabel(j, text, "長さ", 5, 6, gothic);
    int face = 0;
    int dark = 0;
    for (int y = 0; y < j.height(); ++y) {
        for (int x = 0; x < j.width(); ++x) {
            const bool inside = x >= 5 && x < 5 + je.width && y >= 6 && y < 6 + je.height;
            const Color c = j.pixel(x, y);
            if (!inside) {
                ASSERT_EQ(c, rgb(10, 20, 30)) << x << "," << y;
            } else {
                face += c == kDialogFaceColor ? 1 : 0;
                dark += c == 0 ? 1 : 0;
            }
        }
    }
    EXPECT_GT(dark, 15);
    EXPECT_EQ(face + dark, je.width * je.height);
    EXPECT_TRUE(topBytesClear(j));
}

TEST(QtTextRenderer, ClipsTextAtAndFarBeyondTheEdges) {
    QtTextRenderer text;
    TextStyle style;
    style.face = std::string(kCourierFace);
    style.pixelHeight = 15;
    style.color = rgb(255, 255, 255);
    style.opaque = true;
    style.background = rgb(0, 0, 1);
    Surface s(40, 20);
    for (const int far : {INT_MIN, INT_MIN + 1, -100000, 100000, INT_MAX - 1, INT_MAX}) {
        DrawLabel(s, text, "[x 1599,y 255]", far, 3, style);
        DrawLabel(s, text, "[x 1599,y 255]", 3, far, style);
        DrawLabel(s, text, "[x 1599,y 255]", far, far, style);
    }
    EXPECT_EQ(inkAround(s, 0, 0, 0, 0, 0).outside, 0);

    // Partly outside: only the part on the surface is drawn.
    DrawLabel(s, text, "[x 1599,y 255]", -20, -5, style);
    EXPECT_GT(inkAround(s, 0, 0, 0, 40, 20).count, 0);
    EXPECT_TRUE(topBytesClear(s));
}

TEST(QtTextRenderer, DrawsTheSameFromASecondThread) {
    QtTextRenderer text;
    TextStyle style;
    style.face = std::string(kCourierFace);
    style.pixelHeight = 15;
    style.color = rgb(200, 200, 200);
    Surface reference(200, 30);
    DrawLabel(reference, text, "[x 12,y 200]", 4, 4, style);

    Surface mine(200, 30);
    Surface theirs(200, 30);
    std::thread worker([&] {
        for (int i = 0; i < 200; ++i) {
            theirs.fill(0);
            DrawLabel(theirs, text, "[x 12,y 200]", 4, 4, style);
        }
    });
    for (int i = 0; i < 200; ++i) {
        mine.fill(0);
        DrawLabel(mine, text, "[x 12,y 200]", 4, 4, style);
        (void)text.measureText("RGB", style);
    }
    worker.join();
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 200; ++x) {
            ASSERT_EQ(mine.pixel(x, y), reference.pixel(x, y));
            ASSERT_EQ(theirs.pixel(x, y), reference.pixel(x, y));
        }
    }
}

TEST(QtTextRenderer, MainFrameLabelsAndPreviewLabelsAreVisible) {
    QtTextRenderer text;
    auto buffers = std::make_unique<GraphBuffers>();
    DrawMainFrame(*buffers, 512, true, text);
    TextStyle courier;
    courier.face = std::string(kCourierFace);
    courier.pixelHeight = 16;
    const TextExtent cmy = text.measureText("CMY", courier);
    int labelInk = 0;
    for (int y = 369; y < 369 + cmy.height; ++y) {
        for (int x = 22; x < 22 + cmy.width; ++x) {
            labelInk += buffers->mainBuffer.pixel(x, y) == kLabelColor ? 1 : 0;
        }
    }
    EXPECT_GT(labelInk, 20);

    DrawPreviewSheet(buffers->previewSheet);
    PreparePreviewCanvas(buffers->previewCanvas, buffers->previewSheet);
    DrawWidthPreview(buffers->previewCanvas, buffers->previewSheet, 0, text);
    // "幅" at (7, 90), left of the width bracket.
    int black = 0;
    for (int y = 88; y < 106; ++y) {
        for (int x = 5; x < 22; ++x) {
            black += buffers->previewCanvas.pixel(x, y) == 0 ? 1 : 0;
        }
    }
    EXPECT_GT(black, 10);
    EXPECT_TRUE(topBytesClear(buffers->previewCanvas));
}

TEST(SurfaceImage, SharesTheSurfaceMemory) {
    Surface s(3, 2, rgb(1, 2, 3));
    QImage view = surfaceImage(s);
    EXPECT_EQ(view.constBits(), reinterpret_cast<const uchar*>(s.data()));
    EXPECT_EQ(view.pixel(2, 1) & 0xffffffu, rgb(1, 2, 3));
    s.setPixel(0, 0, rgb(9, 8, 7));
    EXPECT_EQ(view.pixel(0, 0) & 0xffffffu, rgb(9, 8, 7));
}

} // namespace
} // namespace spectrane
