#include "design/style/MeshGradient.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace studio {

namespace {
constexpr int gridSize = 3;
// Subdivisions of each cell into small quads for rasterising.
constexpr int subdivisions = 10;

struct Vec {
    double v[5] = {0, 0, 0, 0, 0}; // x, y, r, g, b
    Vec operator+(const Vec& o) const
    {
        Vec r;
        for (int i = 0; i < 5; ++i)
            r.v[i] = v[i] + o.v[i];
        return r;
    }
    Vec operator-(const Vec& o) const
    {
        Vec r;
        for (int i = 0; i < 5; ++i)
            r.v[i] = v[i] - o.v[i];
        return r;
    }
    Vec operator*(double k) const
    {
        Vec r;
        for (int i = 0; i < 5; ++i)
            r.v[i] = v[i] * k;
        return r;
    }
};

Vec node(const MeshGradient& m, int row, int col)
{
    const MeshPoint& p = m.points[std::size_t(row * gridSize + col)];
    const QColor& c = m.colors[std::size_t(row * gridSize + col)];
    Vec out;
    out.v[0] = p.x;
    out.v[1] = p.y;
    out.v[2] = c.redF();
    out.v[3] = c.greenF();
    out.v[4] = c.blueF();
    return out;
}

// Tangent along the columns (u) or rows (v) at a node: the central
// difference inside, the one-sided difference at the border.
Vec tangentU(const MeshGradient& m, int row, int col)
{
    if (col == 0)
        return node(m, row, 1) - node(m, row, 0);
    if (col == gridSize - 1)
        return node(m, row, col) - node(m, row, col - 1);
    return (node(m, row, col + 1) - node(m, row, col - 1)) * 0.5;
}

Vec tangentV(const MeshGradient& m, int row, int col)
{
    if (row == 0)
        return node(m, 1, col) - node(m, 0, col);
    if (row == gridSize - 1)
        return node(m, row, col) - node(m, row - 1, col);
    return (node(m, row + 1, col) - node(m, row - 1, col)) * 0.5;
}

void hermite(double t, double h[4])
{
    const double t2 = t * t, t3 = t2 * t;
    h[0] = 2 * t3 - 3 * t2 + 1;
    h[1] = -2 * t3 + 3 * t2;
    h[2] = t3 - 2 * t2 + t;
    h[3] = t3 - t2;
}

Vec surface(const MeshGradient& m, double u, double v)
{
    u = std::clamp(u, 0.0, double(gridSize - 1));
    v = std::clamp(v, 0.0, double(gridSize - 1));
    const int col = std::min(int(u), gridSize - 2);
    const int row = std::min(int(v), gridSize - 2);
    const double s = u - col, t = v - row;
    // Ferguson patch: corners, tangents along u and v, zero twist.
    const Vec grid[4][4] = {
        {node(m, row, col), node(m, row, col + 1), tangentU(m, row, col), tangentU(m, row, col + 1)},
        {node(m, row + 1, col), node(m, row + 1, col + 1), tangentU(m, row + 1, col), tangentU(m, row + 1, col + 1)},
        {tangentV(m, row, col), tangentV(m, row, col + 1), Vec(), Vec()},
        {tangentV(m, row + 1, col), tangentV(m, row + 1, col + 1), Vec(), Vec()},
    };
    double hs[4], ht[4];
    hermite(s, hs);
    hermite(t, ht);
    Vec out;
    for (int a = 0; a < 4; ++a)
        for (int b = 0; b < 4; ++b)
            out = out + grid[a][b] * (ht[a] * hs[b]);
    return out;
}

struct Vertex {
    double x, y;
    double c[3];
};

void fillTriangle(QImage& img, const Vertex& a, const Vertex& b, const Vertex& c)
{
    const double area = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
    if (std::abs(area) < 1e-12)
        return;
    const int w = img.width(), h = img.height();
    const int x0 = std::max(0, int(std::floor(std::min({a.x, b.x, c.x}))));
    const int x1 = std::min(w - 1, int(std::ceil(std::max({a.x, b.x, c.x}))));
    const int y0 = std::max(0, int(std::floor(std::min({a.y, b.y, c.y}))));
    const int y1 = std::min(h - 1, int(std::ceil(std::max({a.y, b.y, c.y}))));
    // A little tolerance so shared edges leave no unpainted pixel.
    const double eps = -1e-7;
    for (int y = y0; y <= y1; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        const double py = y + 0.5;
        for (int x = x0; x <= x1; ++x) {
            const double px = x + 0.5;
            const double w0 = ((b.x - px) * (c.y - py) - (c.x - px) * (b.y - py)) / area;
            const double w1 = ((c.x - px) * (a.y - py) - (a.x - px) * (c.y - py)) / area;
            const double w2 = 1.0 - w0 - w1;
            if (w0 < eps || w1 < eps || w2 < eps)
                continue;
            int rgb[3];
            for (int k = 0; k < 3; ++k) {
                const double v = w0 * a.c[k] + w1 * b.c[k] + w2 * c.c[k];
                rgb[k] = std::clamp(int(std::lround(v * 255.0)), 0, 255);
            }
            line[x] = qRgb(rgb[0], rgb[1], rgb[2]);
        }
    }
}
} // namespace

void MeshGradient::render(QImage& image) const
{
    if (image.isNull())
        return;
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32
        && image.format() != QImage::Format_ARGB32_Premultiplied)
        image = image.convertToFormat(QImage::Format_RGB32);
    const int n = (gridSize - 1) * subdivisions;
    const double W = image.width(), H = image.height();
    std::vector<Vertex> vertices(std::size_t((n + 1) * (n + 1)));
    for (int j = 0; j <= n; ++j) {
        for (int i = 0; i <= n; ++i) {
            const Vec s = surface(*this, double(i) / subdivisions, double(j) / subdivisions);
            Vertex& vx = vertices[std::size_t(j * (n + 1) + i)];
            vx.x = s.v[0] * W;
            vx.y = s.v[1] * H;
            for (int k = 0; k < 3; ++k)
                vx.c[k] = std::clamp(s.v[2 + k], 0.0, 1.0);
        }
    }
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
            const Vertex& a = vertices[std::size_t(j * (n + 1) + i)];
            const Vertex& b = vertices[std::size_t(j * (n + 1) + i + 1)];
            const Vertex& c = vertices[std::size_t((j + 1) * (n + 1) + i)];
            const Vertex& d = vertices[std::size_t((j + 1) * (n + 1) + i + 1)];
            fillTriangle(image, a, b, d);
            fillTriangle(image, a, d, c);
        }
    }
}

} // namespace studio
