#include "qtsupport/surface_image.h"

namespace spectrane {

QImage surfaceImage(Surface& surface) {
    return QImage(reinterpret_cast<uchar*>(surface.data()), surface.width(), surface.height(),
                  surface.strideBytes(), QImage::Format_RGB32);
}

QImage surfaceImage(const Surface& surface) {
    return QImage(reinterpret_cast<const uchar*>(surface.data()), surface.width(), surface.height(),
                  surface.strideBytes(), QImage::Format_RGB32);
}

void clearAlphaByte(Surface& surface, Rect r) {
    r = clipToSurface(surface, r);
    for (int y = r.top; y < r.bottom; ++y) {
        Color* row = surface.row(y);
        for (int x = r.left; x < r.right; ++x) {
            row[x] &= 0x00ffffffu;
        }
    }
}

} // namespace spectrane
