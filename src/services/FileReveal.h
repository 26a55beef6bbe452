#pragma once

#include <QString>

namespace studio {

// Shows a file or folder in the desktop's file manager with the item
// selected (freedesktop FileManager1.ShowItems over D-Bus), falling back to
// opening the folder that holds it. Returns false when neither worked.
bool revealInFileManager(const QString& path);

} // namespace studio
