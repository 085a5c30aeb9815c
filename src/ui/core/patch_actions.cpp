#include "ui/core/patch_actions.h"

#include <QFileInfo>

#include "model/core/file_io.h"
#include "model/core/rom_document.h"
#include "model/patch/patch.h"
#include "ui/framework/edits.h"
#include "ui/framework/prompts.h"

namespace kivo::ui {
namespace {

const QList<FileFilter> kOriginalFilters = {
    {QStringLiteral("Nintendo Entertainment System roms (*.nes)"), QStringLiteral("*.nes")},
    {QStringLiteral("All files (*)"), QStringLiteral("*")},
};
const QList<FileFilter> kSavePatchFilters = {
    {QStringLiteral("BPS patches (*.bps)"), QStringLiteral("*.bps")},
    {QStringLiteral("IPS patches (*.ips)"), QStringLiteral("*.ips")},
};
const QList<FileFilter> kOpenPatchFilters = {
    {QStringLiteral("Patches (*.bps *.ips)"), QStringLiteral("*.bps *.ips")},
    {QStringLiteral("All files (*)"), QStringLiteral("*")},
};

void Refuse(QWidget* owner, const QString& text, const QString& path,
            const std::string& reason = {}) {
  prompts().Message(owner, text, MessageIcon::Warning, QString::fromLatin1(kDefaultCaption),
                    reason.empty() ? path
                                   : QString::fromStdString(FileProblem(path.toStdString(), reason)));
}

// Writes the differing spans only: the step's recorder then sees a few
// bytes, not every byte of the image.
void WriteDifferences(const RomView& view, std::span<const uint8_t> before,
                      const std::vector<uint8_t>& after) {
  const RomView image = view.Unshifted();
  std::size_t i = 0;
  while (i < after.size()) {
    if (before[i] == after[i]) {
      ++i;
      continue;
    }
    std::size_t end = i + 1;
    while (end < after.size() && before[end] != after[end])
      ++end;
    image.SetBytes(i, std::span<const uint8_t>(after).subspan(i, end - i));
    i = end;
  }
}

}  // namespace

bool IsPatchFile(const QString& path) {
  return PatchFormatOfPath(path.toStdString()).has_value();
}

QString CreatePatchOfImage(QWidget* owner, const RomDocument& document) {
  const QString originalPath = prompts().OpenFile(owner, kOriginalFilters);
  if (originalPath.isEmpty())
    return {};
  const FileBytes original = ReadWholeFile(originalPath.toStdString());
  if (!original) {
    Refuse(owner, QObject::tr("The original ROM could not be read."), originalPath,
           original.reason);
    return {};
  }
  const QString patchPath = ChooseSaveFile(owner, kSavePatchFilters);
  if (patchPath.isEmpty())
    return {};
  const std::optional<PatchFormat> format = PatchFormatOfPath(patchPath.toStdString());
  if (!format) {
    Refuse(owner, QObject::tr("A patch is saved as a .bps or an .ips file."), patchPath);
    return {};
  }
  const auto patch = CreatePatch(*format, original.bytes, document.image());
  if (!patch) {
    Refuse(owner, QString::fromStdString(patch.error), patchPath);
    return {};
  }
  if (const std::string failed = SafeWriteFile(patchPath.toStdString(), patch.value);
      !failed.empty()) {
    Refuse(owner, QObject::tr("The patch could not be written."), patchPath, failed);
    return {};
  }
  return QFileInfo(patchPath).fileName();
}

QString ApplyPatchToImage(QWidget* owner, const RomDocument& document, Edits& edits,
                          QString path) {
  if (path.isEmpty())
    path = prompts().OpenFile(owner, kOpenPatchFilters);
  if (path.isEmpty())
    return {};
  const FileBytes patch = ReadWholeFile(path.toStdString());
  if (!patch) {
    Refuse(owner, QObject::tr("The patch could not be read."), path, patch.reason);
    return {};
  }
  const std::span<const uint8_t> image = document.image();
  const auto result = ApplyPatch(image, patch.bytes);
  if (!result) {
    Refuse(owner, QString::fromStdString(result.error), path);
    return {};
  }
  if (result.value.size() != image.size()) {
    Refuse(owner,
           QObject::tr("This patch makes the file %1 bytes long; the open image has %2. Kivo "
                       "keeps the size of an open image: apply it with kivo-cli patch apply.")
               .arg(result.value.size())
               .arg(image.size()),
           path);
    return {};
  }
  const QString name = QFileInfo(path).fileName();
  const StepInfo step{QObject::tr("Apply patch %1").arg(name), {}, {}};
  const bool changed = edits.Commit(nullptr, step, [&](const RomView& view) {
    WriteDifferences(view, image, result.value);
  });
  if (!changed) {
    prompts().Message(owner, QObject::tr("The patch changes nothing in this image."),
                      MessageIcon::None, QString::fromLatin1(kDefaultCaption), path);
    return {};
  }
  return name;
}

}  // namespace kivo::ui
