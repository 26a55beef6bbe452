#pragma once

// A 3 by 3 mesh gradient painted in software: nine control points in unit
// coordinates (row by row from the top left) with one colour each. The
// surface between the points is a smooth bicubic (Hermite) patch per cell,
// tangents taken from the neighbouring points, and colours are interpolated
// the same way, so no creases show where cells meet. Colours blend in the
// device's colour space. Meant to be rendered small and scaled up smoothly.

#include <QColor>
#include <QImage>

#include <array>

namespace studio {

struct MeshPoint {
    float x = 0;
    float y = 0;
};

struct MeshGradient {
    std::array<MeshPoint, 9> points;
    std::array<QColor, 9> colors;

    // Renders the mesh over the whole image (opaque; pixels the mesh does
    // not cover keep the image's content).
    void render(QImage& image) const;
};

} // namespace studio
