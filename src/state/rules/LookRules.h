#pragma once

// What The Look shows that needs no widgets: membership toggles of
// the lens and lighting chips, the colour a swatch string names, the outline
// drawn on each aspect card, and which style presets the gallery shows.

#include "model/Look.h"
#include "model/LookCatalogs.h"

#include <QColor>
#include <QList>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <optional>

namespace studio::rules {

// Removes the first entry equal to text, or appends text when there is none.
// Every other entry stays where it is, including ones no chip offers.
QStringList toggledFirst(const QStringList& list, const QString& text);

// The colour a swatch string names: the whole string read as a hexadecimal
// number (digits only, either case; nothing else, no more than 64 bits), its
// low 24 bits as red, green and blue. An empty or unreadable string gives the
// gold of "D8C49A".
QColor swatchColor(const QString& hex);

// The outline drawn on an aspect ratio's card, in points: 54 wide and as tall
// as the ratio makes it, except the vertical frame, which stands 24 by 40.
QSizeF aspectShapeSize(AspectRatio aspect);

// The category of the stored style, when it names a preset.
std::optional<StyleCategory> categoryOfStyle(const std::optional<QString>& styleID);

// The presets of one category, in catalog order.
QList<const StylePreset*> presetsIn(StyleCategory category);

// The gallery's subtitle: the size of the whole catalog and its tag line.
QString librarySubtitle();

} // namespace studio::rules
