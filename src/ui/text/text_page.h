#pragma once
// The Text page: the game's names, battle messages, character names and
// dialogue, shown one entry at a time and written back in place.

#include <optional>

#include "model/text/codec.h"
#include "model/text/text_banks.h"
#include "model/text/text_entry_store.h"
#include "ui/framework/page.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace kivo::ui {

class TextPage : public Page {
  Q_OBJECT
 public:
  explicit TextPage(QWidget* parent = nullptr);

  // Opened: starts at "Items", row 0, discarding what the boxes hold.
  // TablesChanged: decodes again and keeps the category and entry in view.
  void refresh(const PageContext& context) override;
  // Stores the entry on screen, then shows it again as stored; a text that
  // would overwrite what follows it stays on screen until confirmed.
  void save() override;
  bool confirmStore() override;
  bool holdsUnstoredEdit() const override;
  void followImage(const ByteChange& change) override;
  // A step's place names the category and the row (PlaceOf).
  void showPlace(const StepPlace& place) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateWidgets();
  QLayout* CreateEntryFields();
  void ConnectWidgets();

  bool ready() const;
  const CharTable& standardTable() const;
  const CharTable& dteTable() const;

  void FillCategories();
  // Fills the entry list of `category` ("Prologue" and "Epilogue" fall back
  // to "Items") and selects `row` (row 0 when the category has no such row).
  void FillEntries(int category, int row = 0);
  void ShowEntry();
  // Stores the entry on screen as one step; true when the image changed.
  bool StoreEntry();
  // The entry's edit as the user finishes it (a box left, Enter pressed):
  // asked about first when it overwrites what follows.
  void CommitShown();
  static constexpr int kPlaceRowsPerCategory = 1000;
  static int PlaceOf(int category, int row);
  // Before the entry on screen is stored over what follows it: asks, and
  // says whether to write it, keep editing it (nothing is stored) or drop it.
  // Stored: Make room was chosen and has stored it with the bank repacked.
  enum class StoreAnswer { Write, KeepEditing, Discard, Stored };
  StoreAnswer AskBeforeStore();
  std::optional<EntryGrowth> PendingGrowth() const;
  // Puts the lists back on the entry on screen after a move was refused.
  void ReselectShown();
  // Before the lists move to another entry: stores the one on screen, asking
  // first when it grows; false when the user keeps editing it (the lists
  // stay on it).
  bool LeaveShownEntry();
  // The boxes as they are now; the text from the box of `category`.
  EntryBoxes ReadBoxes(int category) const;
  void UpdateByteCount();
  // "Bank free: N bytes" for the bank of the entry shown.
  void UpdateBankFree();
  // The entry's text as it would be stored, when it was edited.
  std::optional<BankTextEdit> PendingTextEdit() const;
  // Repacks the bank of the entry shown, with its edited text, as one step
  // (asking first the first time); says why when it cannot. True when done.
  bool MakeRoom();

  // text_page_find.cpp: the Find box, and going to the next or previous
  // entry that holds its text.
  QWidget* CreateFind();
  void FindEntry(bool forward);

  void CategorySelected(int row);
  void EntrySelected(int row);
  void PreferDteClicked(bool checked);
  void ChangeLabel();

  PageContext context_;
  KeywordNames keywords_{};
  int category_ = -1;                // whose entries the entry list holds
  std::optional<ShownEntry> shown_;  // what Store entry writes back
  bool growthConfirmed_ = false;     // the user chose to write over what follows
  bool committing_ = false;          // a question is up: leaving the box again commits nothing
  bool makeRoomAsked_ = false;       // the first Make room asks; later ones do not

  QListWidget* categories_ = nullptr;
  QListWidget* entries_ = nullptr;
  QLineEdit* pointer_ = nullptr;
  QLineEdit* value_ = nullptr;
  QLineEdit* location_ = nullptr;
  QCheckBox* preferDte_ = nullptr;
  QLineEdit* text_ = nullptr;
  QPlainTextEdit* dialogue_ = nullptr;
  QLineEdit* finger_ = nullptr;
  QLineEdit* find_ = nullptr;
  QPushButton* changeLabel_ = nullptr;
  QLabel* byteCount_ = nullptr;
  QLabel* bankFree_ = nullptr;
  QPushButton* makeRoom_ = nullptr;
};

}  // namespace kivo::ui
