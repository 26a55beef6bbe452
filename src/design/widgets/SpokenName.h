#pragma once

// A name as assistive technology reads it: short. A reader speaks an object's
// name whenever it lands on it, so a name holds at most a sentence's worth of
// the text it comes from, cut at a character boundary and ended with "…";
// the whole text stays with the object's text interface, where a reader asks
// for it piece by piece.

#include <QString>

class QWidget;

namespace studio {

QString spokenName(const QString& text);

// Names the widget by the text as spoken. Only a name that differs is set:
// a reader announces every name set, and the text a control shows is often
// set again unchanged.
void setSpokenName(QWidget* widget, const QString& text);

} // namespace studio
