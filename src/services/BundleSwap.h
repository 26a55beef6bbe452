#pragma once

// Replaces the running bundle with a new one without ever leaving its place
// empty for longer than one rename, and without leaving a half-copied bundle
// there: the new bundle is first copied into a hidden directory beside the old
// one (the same file system, so renames are atomic), then the two are swapped
// by rename, with the first rename undone when the second fails. The old bundle
// then goes to the Trash, its entry naming the place it was installed at; when
// that fails the swap is undone too, so a failure always leaves the old bundle
// in place.
//
// Every step throws UpdateError. The hidden directory is removed when the
// object goes away, unless it still holds the only copy of a bundle.

#include <QString>

namespace studio {

class BundleSwap {
public:
    // `target`: the bundle to replace.
    explicit BundleSwap(QString target);
    ~BundleSwap();
    BundleSwap(const BundleSwap&) = delete;
    BundleSwap& operator=(const BundleSwap&) = delete;

    // Copies `newBundle` (links, permissions and all) next to the target.
    void stage(const QString& newBundle);
    // Puts the staged bundle at the target's place and the old one in the Trash.
    void replace();

    // Copies a directory tree; symbolic links are copied as links with their
    // target text unchanged. Throws UpdateError.
    static void copyTree(const QString& from, const QString& to);
    // Removes a directory tree, also where an archive made folders read-only.
    static bool removeTree(const QString& path);

private:
    void undoSwap();

    QString m_target;
    QString m_scratch; // hidden sibling of the target
    QString m_staged;  // the new bundle inside m_scratch
    QString m_aside;   // the old bundle inside m_scratch, between the renames
    bool m_keepScratch = false;
};

} // namespace studio
