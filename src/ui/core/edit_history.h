#pragma once
// The history of one open image: every edit of every page is one command on
// one QUndoStack, holding only what the edit changed. Undo and Redo show
// where a step was made, apply it, and let every page follow the image.

#include <QObject>
#include <QUndoStack>
#include <functional>
#include <unordered_set>
#include <vector>

#include "ui/framework/edits.h"

namespace kivo {
class RomDocument;
}

namespace kivo::ui {

class EditHistory : public QObject, public Edits {
  Q_OBJECT
 public:
  explicit EditHistory(RomDocument& document, QObject* parent = nullptr);

  QUndoStack& stack() { return stack_; }

  bool Commit(Page* source, const StepInfo& step, const ImageEdit& edit) override;
  void CommitCopies(Page* source, const StepInfo& step, std::vector<CopyEdit> copies,
                    const ImageEdit& edit = {}) override;
  // A new image: no step before it.
  void Clear();
  // True while a step is being undone or redone.
  bool replaying() const { return replaying_; }

  // Told of every change of the image: `source` is the page whose edit it
  // is, null when a step is undone or redone (every page follows those).
  std::function<void(Page* source, const ByteChange& change)> imageChanged;
  // Shows where a step was made, before it is undone or redone.
  std::function<void(const StepPlace& place)> showPlace;

 private:
  friend class EditCommand;

  // Steps share the texts and keys they repeat: a history of thousands of
  // edits of a few fields holds each text once.
  const QString* Intern(const QString& text);

  struct TextHash {
    std::size_t operator()(const QString& text) const { return qHash(text); }
  };
  std::unordered_set<QString, TextHash> texts_;
  RomDocument& document_;
  QUndoStack stack_;
  bool replaying_ = false;
};

}  // namespace kivo::ui
