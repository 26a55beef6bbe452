#pragma once

// What the program keeps of the pictures it has drawn, so that drawing one
// again is a copy: 256 MB at most, for the whole process, however many tabs
// and screens are open and whatever the size of the productions. Every kept
// picture lives in one of the caches named here; each is shared by the whole
// process, counts the bytes of its pixels, and holds no more than its share
// below, and the shares add up to `total`. (Outside it are only the buffers a
// widget paints from while it is shown — the backdrop's mesh, a cross-fade's
// snapshot — one each, the size of the widget, gone with it.) Counted in
// kilobytes, as the QCaches count cost.
//
// The shares follow what scrolling redraws: the finished cards and tiles of
// the long lists (shot cards, timeline tiles, posters) take the most, enough
// for a scene of 500 shots or a timeline of 2,000 clips at a pixel ratio of
// 1, so scrolling back over them copies pictures; the placeholder
// compositions and framed copies the cards are drawn from come next, as
// they are needed only when a card is drawn anew; small pieces the rest.

namespace studio::pictureBudget {

constexpr int kilobytes(int megabytes)
{
    return megabytes * 1024;
}

constexpr int total = kilobytes(256);

// design/: placeholder compositions by seed, size and pixel ratio
// (PlaceholderArt), framed copies of them (ArtThumb), the nine-cut pieces of
// rounded shapes (Shapes), blurred shadows (SoftShadow), and Qt's own pixmap
// cache, which holds the symbols and the style's pieces.
constexpr int placeholderArt = kilobytes(48);
constexpr int framedArt = kilobytes(16);
constexpr int shapes = kilobytes(12);
constexpr int softShadows = kilobytes(8);
constexpr int qtPixmaps = kilobytes(8);

// views/: finished cards and tiles.
constexpr int posterCards = kilobytes(32);
constexpr int shotCards = kilobytes(56);
constexpr int galleryCards = kilobytes(16);
constexpr int clipFaces = kilobytes(48);
constexpr int styleCards = kilobytes(6);
constexpr int lensCards = kilobytes(4);
constexpr int badgeDiscs = kilobytes(2);

static_assert(placeholderArt + framedArt + shapes + softShadows + qtPixmaps + posterCards + shotCards + galleryCards
                      + clipFaces + styleCards + lensCards + badgeDiscs
                  == total,
              "the caches' shares add up to the stated total");

// The cost of a picture of `bytes` in a cache above: whole kilobytes, at least 1.
constexpr long long cost(long long bytes)
{
    return bytes < 1024 ? 1 : bytes / 1024;
}

} // namespace studio::pictureBudget
