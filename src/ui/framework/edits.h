#pragma once
// How a page changes the image: every edit is one step of the window's
// history, made through the ROM document's Apply, so it can be undone and
// every other page can follow it.

#include <QString>
#include <functional>

#include "model/core/byte_change.h"
#include "model/core/rom_view.h"

namespace kivo {
class RomDocument;
}

namespace kivo::ui {

class Page;

using ImageEdit = std::function<void(const RomView&)>;

// Where a step was made, so that Undo and Redo can show it.
struct StepPlace {
  int tab = -1;
  int record = -1;  // the row of the page's record list, or another place of the page
  int cellX = -1;   // a world map cell
  int cellY = -1;
};

struct StepInfo {
  QString text;  // "Edit HP of Goblin"
  StepPlace place;
  // Consecutive steps with one non-empty key (a field of a record) merge.
  QString mergeKey;
};

// A page's own copy of something that is not the image (the decoded world
// map grid, the Maps page's tiles): its steps are changes of that copy,
// which the owning page applies both ways.
struct CopyEdit {
  Page* owner = nullptr;
  int copy = 0;  // which copy of the owner
  ByteChange change;
};

class Edits {
 public:
  virtual ~Edits() = default;
  // Runs `edit` on the image as one step from `source`; makes no step when
  // no byte changes. True when the image changed.
  virtual bool Commit(Page* source, const StepInfo& step, const ImageEdit& edit) = 0;
  // A step the page already made in its copies (and, through `edit`, the
  // image, which may be empty).
  virtual void CommitCopies(Page* source, const StepInfo& step, std::vector<CopyEdit> copies,
                            const ImageEdit& edit = {}) = 0;
};

}  // namespace kivo::ui
