#include "model/core/rom_document.h"

#include <algorithm>

#include "model/core/file_io.h"

namespace kivo {

ImageClass ClassifyImage(std::size_t size) {
  if (size == kStandaloneSize)
    return {ImageKind::Standalone, 0, true, MainPicture::Game};
  if (size == kCombinationSize) {
    return {ImageKind::Combination, kCombinationShift, true, MainPicture::Game};
  }
  if (size == kGbaSize)
    return {ImageKind::Gba, 0, false, MainPicture::Gba};
  if (size >= kStandaloneSize)
    return {ImageKind::Unrecognised, 0, true, MainPicture::Unknown};
  return {ImageKind::TooSmall, 0, false, MainPicture::Unknown};
}

std::string_view ImageKindName(ImageKind kind) {
  switch (kind) {
    case ImageKind::Standalone:
      return "standalone";
    case ImageKind::Combination:
      return "combination";
    case ImageKind::Gba:
      return "gba";
    case ImageKind::Unrecognised:
      return "unrecognised";
    case ImageKind::TooSmall:
      return "too-small";
  }
  return "too-small";
}

std::string_view TablePairName(TablePair pair) {
  switch (pair) {
    case TablePair::Standard:
      return "standard";
    case TablePair::Prototype:
      return "prototype";
    case TablePair::None:
      return "none";
  }
  return "none";
}

OpenOutcome RomDocument::Open(const std::string& path) {
  Release();
  currentPath_ = path;  // kept on failure too, so Re-open tries the same file again
  FileBytes file = ReadWholeFile(path);
  if (!file) {
    const char* text = file.error == ReadError::TooLarge ? kTooLargeText : kOpenFailedText;
    return {false, {Message{text, MessageIcon::Warning, kDefaultCaption,
                            FileProblem(path, file.reason)}}};
  }
  Adopt(std::move(file.bytes), path);
  return {true, {}};
}

OpenOutcome RomDocument::Reopen() {
  const std::string path = currentPath_;
  OpenOutcome outcome = Open(path);
  if (outcome.ok)
    outcome.messages.push_back(Message{kReopenedText, MessageIcon::None});
  return outcome;
}

void RomDocument::Adopt(std::vector<uint8_t> bytes, std::string path) {
  image_ = std::move(bytes);
  held_ = true;
  currentPath_ = std::move(path);
  Classify();
}

void RomDocument::Release() {
  image_.clear();
  image_.shrink_to_fit();
  held_ = false;
  class_ = ImageClass{};
  prototypeTitle_ = false;
}

void RomDocument::Classify() {
  class_ = ClassifyImage(image_.size());
  prototypeTitle_ = false;
  if (!class_.editable)
    return;
  const std::vector<uint8_t> title = view().Bytes(kTitleOffset, kTitleSize);
  prototypeTitle_ =
      std::equal(title.begin(), title.end(), kPrototypeTitle.begin(), kPrototypeTitle.end(),
                 [](uint8_t byte, char c) { return byte == static_cast<uint8_t>(c); });
}

TablePair RomDocument::tablePair() const {
  if (!editable())
    return TablePair::None;
  return prototypeTitle_ ? TablePair::Prototype : TablePair::Standard;
}

ByteChange RomDocument::Apply(const std::function<void(const RomView&)>& edit) {
  ChangeRecorder recorder(image_);
  edit(RomView(image_, class_.baseShift, &recorder));
  return recorder.Finish();
}

Messages RomDocument::Save(const std::string& path) const {
  const std::string failure = held_ ? SafeWriteFile(path, image_) : "no image is open";
  if (!failure.empty())
    return {Message{kSaveFailedText, MessageIcon::Warning, kDefaultCaption, FileProblem(path, failure)}};
  return {};
}

}  // namespace kivo
