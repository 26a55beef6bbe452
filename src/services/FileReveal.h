#pragma once

#include <QString>

namespace studio {

// Shows a file or folder in the desktop's file manager with the item
// selected (freedesktop FileManager1.ShowItems over D-Bus), falling back to
// opening the folder that holds it when no file manager answers. Returns at
// once: a slow or hung file manager never blocks the interface.
void revealInFileManager(const QString& path);

// The item as the file manager is asked for it: a file URI with every byte
// outside the URI alphabet percent-encoded (spaces, non-ASCII letters, '#').
QString fileManagerItemURI(const QString& path);

} // namespace studio
