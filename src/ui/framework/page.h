#pragma once
// The editor pages' common shape: the main window hands each page the
// image and what it needs to show it, and asks it to store its edits back.

#include <QWidget>
#include <string>

#include "model/core/rom_document.h"
#include "model/core/settings.h"
#include "model/gfx/palette.h"
#include "model/text/char_table.h"
#include "ui/framework/edits.h"

namespace kivo::ui {

enum class RefreshReason {
  Opened,         // a ROM was opened: rebuild everything from the image
  TablesChanged,  // tables or palette changed: re-decode names, keep work in progress
};

struct PageContext {
  RomDocument* document = nullptr;
  SettingsBlock* settings = nullptr;
  const CharTable* standardTable = nullptr;  // of the table pair
  const CharTable* dteTable = nullptr;       // of the table pair
  const MasterPalette* palette = nullptr;
  RefreshReason reason = RefreshReason::Opened;
  // The window's history; without one (a page on its own) edits go straight
  // into the image.
  Edits* edits = nullptr;
};

class Page : public QWidget {
  Q_OBJECT
 public:
  using QWidget::QWidget;

  // Rebuilds the page from the image.
  virtual void refresh(const PageContext& context) { (void)context; }
  // Stores the page's edits into the image (never into the file).
  virtual void save() {}
  // Why the page's edits cannot be stored into the image as they are (empty
  // when they can); Save and every command that writes the file ask first.
  virtual std::string saveRefusal() { return {}; }
  // Asks what the user wants before an edit that needs a word is stored for
  // a write of the file (a text that overwrites what follows it); false
  // cancels the write. Until confirmed, save() leaves such an edit unstored
  // and on screen.
  virtual bool confirmStore() { return true; }
  // True while the page holds an edit that save() does not store yet.
  virtual bool holdsUnstoredEdit() const { return false; }
  // The program is closing.
  virtual void closePage() {}
  // The page's tab was selected or left (the Maps page shows its map window).
  virtual void setTabActive(bool active) { (void)active; }

  // The image changed by another page's edit, an undo or a redo: the page
  // shows again what `change` touched of what it shows, keeping its
  // selection, without storing anything.
  virtual void followImage(const ByteChange& change) { (void)change; }
  // Undo and Redo show where a step was made before they apply it.
  virtual void showPlace(const StepPlace& place) { (void)place; }
  // Undo (redo false) or Redo of a step of one of the page's own copies.
  virtual void applyToCopy(int copy, const ByteChange& change, bool redo) {
    (void)copy;
    (void)change;
    (void)redo;
  }
};

// Whether `change` touches `length` bytes of game data at file offset
// `offset` of the page's image (its base shift added).
bool Touches(const ByteChange& change, const PageContext& context, std::size_t offset,
             std::size_t length);

// Runs `edit` on the image as one step of the window's history, or, for a
// page without one, straight on the image. True when the image changed.
bool CommitEdit(const PageContext& context, Page* source, const StepInfo& step,
                const ImageEdit& edit);

}  // namespace kivo::ui
