#pragma once
// The one ROM image the program edits: the whole .nes file, header included,
// its classification by size, the base shift and the choice of table pair.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/core/byte_change.h"
#include "model/core/message.h"
#include "model/core/rom_view.h"

namespace kivo {

inline constexpr std::size_t kHeaderSize = 0x10;
inline constexpr std::size_t kStandaloneSize = 0x40010;
inline constexpr std::size_t kCombinationSize = 0x80010;
inline constexpr std::size_t kGbaSize = 0x1000000;
inline constexpr uint32_t kCombinationShift = 0x40000;

// The title signature: 16 bytes at this file offset plus the base shift.
inline constexpr std::size_t kTitleOffset = 0x3FFF0;
inline constexpr std::size_t kTitleSize = 16;
inline constexpr std::string_view kPrototypeTitle = " FINAL FANTASY 2";

enum class ImageKind { Standalone, Combination, Gba, Unrecognised, TooSmall };

// Which of the Main page's three pictures an image shows (bitmap ids).
enum class MainPicture { Game = 104, Gba = 102, Unknown = 105 };

struct ImageClass {
  ImageKind kind = ImageKind::TooSmall;
  uint32_t baseShift = 0;
  bool editable = false;
  MainPicture picture = MainPicture::Unknown;
};

ImageClass ClassifyImage(std::size_t size);
std::string_view ImageKindName(ImageKind kind);

enum class TablePair { None, Standard, Prototype };
std::string_view TablePairName(TablePair pair);

inline constexpr const char* kOpenFailedText = "Failed to open a rom. That's bad.";
inline constexpr const char* kTooLargeText =
    "This file is too large to open: there is not enough memory to hold it.";
inline constexpr const char* kSaveFailedText = "Cannot open rom for saving!";
inline constexpr const char* kReopenedText =
    "ROM has been reopened, all changes since last save have been discarded.";

struct OpenOutcome {
  bool ok = false;
  Messages messages;  // what to show, in order
};

class RomDocument {
 public:
  // Releases what is held, then reads the file whole. On failure no ROM is
  // held and the message says why.
  OpenOutcome Open(const std::string& path);
  // Opens the current ROM path again, discarding every edit since the last save.
  OpenOutcome Reopen();
  // Holds `bytes` as if read from `path` (the demo image and tests use this).
  void Adopt(std::vector<uint8_t> bytes, std::string path);
  void Release();

  // Writes the whole image to `path` through the safe write; on failure the
  // file is untouched and the message is returned.
  Messages Save(const std::string& path) const;

  bool held() const { return held_; }
  bool editable() const { return held_ && class_.editable; }
  ImageKind kind() const { return class_.kind; }
  MainPicture picture() const { return class_.picture; }
  uint32_t baseShift() const { return class_.baseShift; }
  bool prototypeTitle() const { return prototypeTitle_; }
  TablePair tablePair() const;

  // The one way the image changes: runs `edit` against a view that records
  // what it writes and returns the change (empty when no byte changed). The
  // image keeps its size.
  ByteChange Apply(const std::function<void(const RomView&)>& edit);
  // Puts a change's new bytes (Redo) or old bytes (Undo) back.
  void Redo(const ByteChange& change) { change.Redo(image_); }
  void Undo(const ByteChange& change) { change.Undo(image_); }

  std::size_t size() const { return image_.size(); }
  // Reading only: the image changes through Apply, Undo and Redo.
  std::span<const uint8_t> image() const { return image_; }
  ConstRomView view() const { return ConstRomView(image_, class_.baseShift); }

  const std::string& currentPath() const { return currentPath_; }
  void setCurrentPath(std::string path) { currentPath_ = std::move(path); }

 private:
  void Classify();

  std::vector<uint8_t> image_;
  bool held_ = false;
  ImageClass class_;
  bool prototypeTitle_ = false;
  std::string currentPath_;
};

}  // namespace kivo
