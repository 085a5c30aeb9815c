#pragma once
// File > Create Patch... and Apply Patch...: the open image as an IPS or BPS
// patch of the original game, and a patch applied to the open image as one
// step of its history.

#include <QString>

class QWidget;

namespace kivo {
class RomDocument;
}

namespace kivo::ui {

class Edits;

// Asks for the original ROM and the patch file and writes the patch that
// turns the original into `document`'s image. The name of the patch written,
// or an empty string when nothing was written.
QString CreatePatchOfImage(QWidget* owner, const RomDocument& document);

// Applies the patch at `path` (asked for when empty) to the image, as one
// step. Every check of the patch is made first; a failure says why and
// changes nothing. The name of the patch applied, or an empty string when
// the image did not change.
QString ApplyPatchToImage(QWidget* owner, const RomDocument& document, Edits& edits,
                       QString path = QString());

// True for a file name a patch is saved under (.bps, .ips).
bool IsPatchFile(const QString& path);

}  // namespace kivo::ui
