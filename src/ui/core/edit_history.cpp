#include "ui/core/edit_history.h"

#include <QUndoCommand>
#include <memory>

#include "model/core/rom_document.h"
#include "ui/framework/page.h"

namespace kivo::ui {

// One step both ways. The edit was made before the command is pushed, so
// the first redo has nothing to do. Steps of one field of one record merge.
class EditCommand : public QUndoCommand {
 public:
  static constexpr int kMergingId = 1;

  EditCommand(EditHistory& history, const StepInfo& step, ByteChange image,
              std::vector<CopyEdit> copies)
      : history_(history),
        place_(Pack(step.place)),
        mergeKey_(step.mergeKey.isEmpty() ? nullptr : history.Intern(step.mergeKey)),
        image_(std::move(image)) {
    setText(*history.Intern(step.text));
    if (!copies.empty())
      copies_ = std::make_unique<std::vector<CopyEdit>>(std::move(copies));
  }

  int id() const override { return mergeKey_ == nullptr ? -1 : kMergingId; }

  bool mergeWith(const QUndoCommand* other) override {
    const auto* later = static_cast<const EditCommand*>(other);
    if (later->mergeKey_ != mergeKey_ || later->copies_ || copies_)
      return false;
    image_ = image_.Then(later->image_);
    setObsolete(image_.empty());  // typed back to what it was: no step at all
    return true;
  }

  void undo() override { Replay(false); }
  void redo() override {
    if (!place_.done) {
      place_.done = true;
      return;
    }
    Replay(true);
  }

 private:
  // The place in 8 bytes: the history holds one a step.
  struct Place {
    int32_t record;
    int8_t tab;
    uint8_t cellX, cellY;
    bool hasCell : 1;
    bool done : 1;  // made before it was pushed: the first redo has nothing to do
  };
  static Place Pack(const StepPlace& place) {
    const bool cell = place.cellX >= 0 && place.cellY >= 0;
    return {place.record, static_cast<int8_t>(place.tab), static_cast<uint8_t>(place.cellX),
            static_cast<uint8_t>(place.cellY), cell, false};
  }
  StepPlace Unpack() const {
    return {place_.tab, place_.record, place_.hasCell ? place_.cellX : -1,
            place_.hasCell ? place_.cellY : -1};
  }

  void Replay(bool redo) {
    history_.replaying_ = true;
    if (history_.showPlace)
      history_.showPlace(Unpack());
    if (copies_) {
      for (const CopyEdit& copy : *copies_)
        copy.owner->applyToCopy(copy.copy, copy.change, redo);
    }
    if (!image_.empty()) {
      if (redo)
        history_.document_.Redo(image_);
      else
        history_.document_.Undo(image_);
      if (history_.imageChanged)
        history_.imageChanged(nullptr, image_);
    }
    history_.replaying_ = false;
  }

  EditHistory& history_;
  Place place_;
  const QString* mergeKey_;  // interned: equal keys are one pointer
  ByteChange image_;
  std::unique_ptr<std::vector<CopyEdit>> copies_;  // rare: none for most steps
};

EditHistory::EditHistory(RomDocument& document, QObject* parent)
    : QObject(parent), document_(document) {}

bool EditHistory::Commit(Page* source, const StepInfo& step, const ImageEdit& edit) {
  // A page that stores while a step is shown again changes nothing: its
  // edits were committed as they were made.
  if (replaying_ || !document_.editable())
    return false;
  ByteChange change = document_.Apply(edit);
  if (change.empty())
    return false;
  if (imageChanged)
    imageChanged(source, change);
  stack_.push(new EditCommand(*this, step, std::move(change), {}));
  return true;
}

void EditHistory::CommitCopies(Page* source, const StepInfo& step, std::vector<CopyEdit> copies,
                               const ImageEdit& edit) {
  if (replaying_)
    return;
  ByteChange change;
  if (edit && document_.editable())
    change = document_.Apply(edit);
  std::erase_if(copies, [](const CopyEdit& c) { return c.change.empty(); });
  if (copies.empty() && change.empty())
    return;
  if (!change.empty() && imageChanged)
    imageChanged(source, change);
  stack_.push(new EditCommand(*this, step, std::move(change), std::move(copies)));
}

void EditHistory::Clear() {
  stack_.clear();
  texts_.clear();
}

const QString* EditHistory::Intern(const QString& text) {
  return &*texts_.insert(text).first;
}

}  // namespace kivo::ui
