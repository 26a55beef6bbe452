#pragma once

// The named values of the look: the type scale and the white / black levels
// the surfaces, hairlines and washes are drawn with. Views name these instead
// of writing numbers, so a size or a level is chosen once and read the same
// everywhere.
//
//   label->setFont(Theme::font(type::body, QFont::Medium));
//   shapes::fillCapsule(p, r, Palette::white(level::wash));

#include <QtGlobal>

namespace studio {

// Text sizes in points of the design (Theme::font converts them).
namespace type {
inline constexpr qreal micro = 7;          // badge letters, tiny counters
inline constexpr qreal caption2 = 7.5;     // secondary tracked captions
inline constexpr qreal caption = 8;        // tracked upper-case captions
inline constexpr qreal footnote2 = 8.5;    // chips, meta lines
inline constexpr qreal footnote = 9;       // small labels, hints
inline constexpr qreal label = 9.5;        // field labels, secondary lines
inline constexpr qreal small = 10;         // compact body, pills
inline constexpr qreal callout = 10.5;     // card bodies, buttons
inline constexpr qreal body = 11;          // body text
inline constexpr qreal bodyLarge = 11.5;   // editors, row titles
inline constexpr qreal control = 12;       // primary controls, list titles
inline constexpr qreal subheadline = 12.5; // card titles
inline constexpr qreal headline = 13;      // section titles
inline constexpr qreal headlineLarge = 13.5;
inline constexpr qreal title3 = 14;
inline constexpr qreal title2 = 15;
inline constexpr qreal title = 16;
inline constexpr qreal titleLarge = 17;
inline constexpr qreal display3 = 19;
inline constexpr qreal display2 = 21;
inline constexpr qreal display = 24;
inline constexpr qreal hero = 32;
} // namespace type

// Opacities of white (and black) on the dark surfaces, faintest first.
namespace level {
inline constexpr qreal none = 0;         // clear
inline constexpr qreal trace = 0.02;     // empty tiles
inline constexpr qreal whisper = 0.025;
inline constexpr qreal faint = 0.03;
inline constexpr qreal veil = 0.04;
inline constexpr qreal wash = 0.05;      // field and capsule fills
inline constexpr qreal tint = 0.06;
inline constexpr qreal fill = 0.07;      // chip fills
inline constexpr qreal hairline = 0.08;
inline constexpr qreal fillHover = 0.09;
inline constexpr qreal raised = 0.1;     // hovered fills, tracks
inline constexpr qreal track = 0.14;     // slider and switch tracks
inline constexpr qreal edge = 0.15;
inline constexpr qreal edgeStrong = 0.16;
inline constexpr qreal trackStrong = 0.18;
inline constexpr qreal shade = 0.25;
inline constexpr qreal muted = 0.3;      // inactive marks
inline constexpr qreal dim = 0.35;
inline constexpr qreal half = 0.5;
inline constexpr qreal soft = 0.55;
inline constexpr qreal medium = 0.65;
inline constexpr qreal strong = 0.7;
inline constexpr qreal bright = 0.75;
inline constexpr qreal vivid = 0.8;
inline constexpr qreal intense = 0.85;
inline constexpr qreal nearFull = 0.9;
inline constexpr qreal almost = 0.95;
inline constexpr qreal full = 1.0;
} // namespace level

} // namespace studio
