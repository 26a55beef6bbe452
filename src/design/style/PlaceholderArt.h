#pragma once

// Deterministic abstract pictures drawn from a seed string. Every poster,
// portrait, location still and shot frame of the studio is one of these: the
// same seed always gives the same picture, so a seed stands for an image in
// the model. The parameters come from a counter-based stream (SplitMix64 over
// the seed's 64-bit FNV-1a hash); finished images are cached per seed and
// whole-point size.

#include <QColor>
#include <QImage>
#include <QList>
#include <QSizeF>
#include <QString>

#include <array>
#include <cstdint>

class QPainter;

namespace studio {

struct ArtBeam {
    double x = 0;     // fraction of the width
    double tilt = 0;  // degrees
    int width = 0;    // points
    double alpha = 0;
};

struct ArtSpeck {
    double x = 0;
    double y = 0;
    double alpha = 0;
    bool white = false;
};

struct ArtParameters {
    int paletteIndex = 0;
    std::array<QColor, 3> colors; // dark, mid, light
    int angle = 0;                // degrees, counter-clockwise from +x
    double glowX = 0;
    double glowY = 0;
    QList<ArtBeam> beams;
    QList<ArtSpeck> specks;
};

class PlaceholderArt {
public:
    // 64-bit FNV-1a of the UTF-8 bytes.
    static std::uint64_t stableHash(const QString& s);
    // Draw number k (k >= 1) of the stream for hash h.
    static std::uint64_t draw(std::uint64_t h, std::uint64_t k);
    // The ten palettes, 0xRRGGBB, in the order dark, mid, light.
    static const std::array<std::array<std::uint32_t, 3>, 10>& palettes();
    static constexpr int speckCount = 220;
    static ArtParameters parameters(const QString& seed);

    // Sizes that are not finite, not positive, or beyond what a screen could
    // show give no picture (an empty image) rather than a huge allocation.
    static constexpr double maximumSide = 8192;
    static constexpr double maximumPixels = 64.0 * 1024 * 1024;
    static bool isUsableSize(double width, double height);
    // "seed|WxH" with the sizes truncated toward zero; empty for unusable sizes.
    static QString cacheKey(const QString& seed, double width, double height);

    // The picture of seed at width x height points, rendered at the given
    // device pixel ratio. Sizes that share a cache key share one picture
    // (composed at the first size asked for).
    static QImage image(const QString& seed, double width, double height, double devicePixelRatio = 1.0);
    // The drawing procedure: paints the picture into (0, 0, size).
    static void paint(QPainter& painter, const QSizeF& size, const ArtParameters& parameters);

    static void clearCache();
};

} // namespace studio
