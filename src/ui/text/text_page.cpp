#include "ui/text/text_page.h"

#include <QCheckBox>
#include <QEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStringList>
#include <QVBoxLayout>
#include <QValidator>
#include <utility>

#include "model/core/settings.h"
#include "model/text/labels.h"
#include "model/text/name_tables.h"
#include "model/text/text_categories.h"
#include "ui/framework/field_info.h"
#include "ui/framework/layout_helpers.h"
#include "ui/framework/list_filter.h"
#include "ui/framework/list_helpers.h"
#include "ui/framework/prompts.h"
#include "ui/framework/tabs.h"
#include "ui/text/label_dialog.h"

namespace kivo::ui {
namespace {

constexpr int kItemsCategory = 0;

// Hexadecimal boxes show and take upper-case letters.
class UpperCase : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& position) const override {
    (void)position;
    input = input.toUpper();
    return Acceptable;
  }
};

QLineEdit* HexBox(QWidget* parent, int id, bool readOnly) {
  auto* box = WithId(new QLineEdit(parent), id);
  box->setValidator(new UpperCase(box));
  box->setReadOnly(readOnly);
  box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("000000000")) + 14);
  return box;
}

QString FromUtf8(const std::string& text) {
  return QString::fromStdString(text);
}

bool EqualAdvances(const QFont& font) {
  const QFontMetrics metrics(font);
  return metrics.horizontalAdvance(QStringLiteral("iiii")) ==
         metrics.horizontalAdvance(QStringLiteral("MMMM"));
}

// The system's fixed-pitch font, or when the system names a proportional
// one, whatever font of equal advances the font matcher finds.
QFont FixedPitchFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  if (EqualAdvances(font))
    return font;
  for (const QString& family : {QStringLiteral("monospace"), QStringLiteral("DejaVu Sans Mono"),
                                QStringLiteral("Liberation Mono"), QStringLiteral("Courier")}) {
    QFont candidate(family, font.pointSize());
    candidate.setStyleHint(QFont::TypeWriter);
    candidate.setFixedPitch(true);
    if (EqualAdvances(candidate))
      return candidate;
  }
  return font;
}

const CharTable& EmptyTable() {
  static const CharTable table{};
  return table;
}

}  // namespace

TextPage::TextPage(QWidget* parent) : Page(parent) {
  CreateWidgets();
  ConnectWidgets();
}

void TextPage::CreateWidgets() {
  categories_ = WithId(new QListWidget(this), 1209);
  FillCategories();
  // All sixteen rows without scrolling, and no wider than the longest.
  categories_->setFixedHeight(categories_->sizeHintForRow(0) * kTextCategoryCount +
                              2 * categories_->frameWidth());
  categories_->setFixedWidth(categories_->sizeHintForColumn(0) + 2 * categories_->frameWidth() +
                             categories_->fontMetrics().averageCharWidth() * 2);
  categories_->clear();  // the page has content only after the first refresh

  entries_ = WithId(new QListWidget(this), 1210);
  entries_->setMinimumWidth(entries_->fontMetrics().averageCharWidth() * 24);

  auto* left = new QVBoxLayout;
  left->addWidget(categories_);
  left->addWidget(CreateFind());
  left->addStretch(1);

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left);
  layout->addWidget(WithFilter(entries_), 1);
  layout->addLayout(CreateEntryFields(), 2);
  SetTabOrderFromLayout(*this);
}

QLayout* TextPage::CreateEntryFields() {
  pointer_ = HexBox(this, 1211, true);
  value_ = HexBox(this, 1212, false);
  location_ = HexBox(this, 1213, true);
  finger_ = HexBox(this, 1215, false);
  preferDte_ = WithId(new QCheckBox(tr("Prefer DTE"), this), 1214);
  changeLabel_ = WithId(new QPushButton(tr("Change label"), this), 1476);

  const QFont fixed = FixedPitchFont();
  text_ = WithId(new QLineEdit(this), 1217);
  text_->setFont(fixed);
  dialogue_ = WithId(new QPlainTextEdit(this), 1216);
  dialogue_->setFont(fixed);
  dialogue_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  dialogue_->setTabChangesFocus(true);
  byteCount_ = new QLabel(this);
  byteCount_->setObjectName(QStringLiteral("byteCount"));
  bankFree_ = new QLabel(this);
  bankFree_->setObjectName(QStringLiteral("bankFree"));
  makeRoom_ = new QPushButton(tr("Make room"), this);
  makeRoom_->setObjectName(QStringLiteral("makeRoom"));
  makeRoom_->setToolTip(tr("Moves the texts of this entry's bank together, the edited text "
                           "included, so that a longer text fits"));

  auto* numbers = new QGridLayout;
  numbers->addWidget(new QLabel(tr("Pointer:"), this), 0, 0);
  numbers->addWidget(pointer_, 0, 1);
  numbers->addWidget(new QLabel(tr("Value:"), this), 1, 0);
  numbers->addWidget(value_, 1, 1);
  numbers->addWidget(new QLabel(tr("Location:"), this), 2, 0);
  numbers->addWidget(location_, 2, 1);
  numbers->addWidget(new QLabel(tr("Finger:"), this), 3, 0);
  numbers->addWidget(finger_, 3, 1);
  numbers->setColumnStretch(2, 1);

  auto* commands = new QHBoxLayout;
  commands->addWidget(preferDte_);
  commands->addStretch(1);
  commands->addWidget(bankFree_);
  commands->addWidget(makeRoom_);
  commands->addWidget(changeLabel_);

  auto* caption = new QHBoxLayout;
  caption->addWidget(new QLabel(tr("Text:"), this));
  caption->addStretch(1);
  caption->addWidget(byteCount_);

  auto* fields = new QVBoxLayout;
  fields->addLayout(numbers);
  fields->addLayout(commands);
  fields->addSpacing(8);
  fields->addLayout(caption);
  // The two text boxes share one place; only one shows at a time.
  fields->addWidget(text_);
  fields->addWidget(dialogue_, 1);
  fields->addStretch(0);
  return fields;
}

void TextPage::ConnectWidgets() {
  connect(categories_, &QListWidget::currentRowChanged, this, &TextPage::CategorySelected);
  connect(entries_, &QListWidget::currentRowChanged, this, &TextPage::EntrySelected);
  connect(preferDte_, &QCheckBox::clicked, this, &TextPage::PreferDteClicked);
  connect(changeLabel_, &QPushButton::clicked, this, &TextPage::ChangeLabel);
  connect(makeRoom_, &QPushButton::clicked, this, [this] {
    if (!committing_)
      MakeRoom();
  });
  connect(text_, &QLineEdit::textChanged, this, &TextPage::UpdateByteCount);
  connect(dialogue_, &QPlainTextEdit::textChanged, this, &TextPage::UpdateByteCount);
  connect(finger_, &QLineEdit::textChanged, this, &TextPage::UpdateByteCount);
  // An entry's edit is committed when a box is left or Enter pressed in it.
  for (QLineEdit* box : {text_, value_, finger_})
    connect(box, &QLineEdit::editingFinished, this, &TextPage::CommitShown);
  dialogue_->installEventFilter(this);
  // Until the first refresh only the dialogue box is out of the way.
  dialogue_->hide();
  changeLabel_->hide();
}

bool TextPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == dialogue_ && event->type() == QEvent::FocusOut)
    CommitShown();
  return Page::eventFilter(watched, event);
}

bool TextPage::ready() const {
  return context_.document && context_.settings && context_.document->editable();
}

const CharTable& TextPage::standardTable() const {
  return context_.standardTable ? *context_.standardTable : EmptyTable();
}

const CharTable& TextPage::dteTable() const {
  return context_.dteTable ? *context_.dteTable : EmptyTable();
}

void TextPage::refresh(const PageContext& context) {
  // A refresh never stores: the main window has had every page store first
  // when that is wanted.
  const int keptCategory = category_;
  const int keptRow = entries_->currentRow();
  const bool keep = context.reason == RefreshReason::TablesChanged && keptCategory >= 0;
  // An edit the user chose to keep editing rather than write stays on screen.
  const std::optional<EntryBoxes> unstored =
      keep && holdsUnstoredEdit() ? std::optional(ReadBoxes(category_)) : std::nullopt;
  context_ = context;
  shown_.reset();
  if (!ready())
    return;
  const RomDocument& document = *context_.document;
  BuildKeywordNames(document.image(), document.baseShift(), dteTable(), *context_.settings);
  keywords_ = ReadKeywordNames(*context_.settings);

  FillCategories();
  FillEntries(keep ? keptCategory : kItemsCategory, keep ? keptRow : 0);
  ShowEntry();
  if (unstored) {
    value_->setText(FromUtf8(unstored->value));
    finger_->setText(FromUtf8(unstored->finger));
    if (IsDialogueCategory(category_))
      dialogue_->setPlainText(FromUtf8(unstored->text));
    else
      text_->setText(FromUtf8(unstored->text));
  }
}

void TextPage::save() {
  if (!ready() || !shown_ || holdsUnstoredEdit())
    return;
  StoreEntry();
  ShowEntry();
}

bool TextPage::confirmStore() {
  switch (AskBeforeStore()) {
    case StoreAnswer::Write:
      return true;
    case StoreAnswer::KeepEditing:
      return false;
    case StoreAnswer::Discard:
      ShowEntry();
      return true;
    case StoreAnswer::Stored:
      return true;
  }
  return true;
}

bool TextPage::holdsUnstoredEdit() const {
  return !growthConfirmed_ && PendingGrowth().has_value();
}

std::optional<EntryGrowth> TextPage::PendingGrowth() const {
  if (!ready() || !shown_)
    return std::nullopt;
  const CharTable& table =
      StoreTable(*context_.settings, shown_->category, standardTable(), dteTable());
  return GrowthOf(context_.document->size(), *shown_, ReadBoxes(shown_->category), table,
                  keywords_);
}

TextPage::StoreAnswer TextPage::AskBeforeStore() {
  const std::optional<EntryGrowth> growth = growthConfirmed_ ? std::nullopt : PendingGrowth();
  if (!growth)
    return StoreAnswer::Write;
  const RomDocument& document = *context_.document;
  const std::size_t at = shown_->location.textLocation;
  const std::string what = TextStartingIn(document.image(), document.baseShift(), at + growth->had,
                                          at + growth->needs, dteTable(), keywords_);
  const std::string question = GrowthQuestion(ReadBoxes(shown_->category).text, *growth, what);
  enum { kWrite, kKeep, kDiscard, kMakeRoom };
  const int answer = prompts().AskChoice(
      this, FromUtf8(question),
      {tr("Write anyway"), tr("Keep editing"), tr("Discard change"), tr("Make room")}, kKeep,
      kKeep);
  if (answer == kMakeRoom)
    return MakeRoom() ? StoreAnswer::Stored : StoreAnswer::KeepEditing;
  if (answer == kWrite) {
    growthConfirmed_ = true;
    return StoreAnswer::Write;
  }
  return answer == kDiscard ? StoreAnswer::Discard : StoreAnswer::KeepEditing;
}

void TextPage::ReselectShown() {
  const QSignalBlocker categoryBlocker(categories_);
  const QSignalBlocker entryBlocker(entries_);
  categories_->setCurrentRow(category_);
  entries_->setCurrentRow(shown_ ? shown_->row : 0);
}

void TextPage::FillCategories() {
  const QSignalBlocker blocker(categories_);
  categories_->clear();
  for (const TextCategory& category : TextCategories())
    categories_->addItem(FromUtf8(std::string(category.rowText)));
}

void TextPage::FillEntries(int category, int row) {
  if (!IsEditableCategory(category))
    category = kItemsCategory;
  const RomDocument& document = *context_.document;
  const std::vector<std::string> rows = EntryRowTexts(document.image(), document.baseShift(),
                                                      category, dteTable(), *context_.settings);
  {
    const QSignalBlocker categoryBlocker(categories_);
    const QSignalBlocker entryBlocker(entries_);
    categories_->setCurrentRow(category);
    entries_->clear();
    for (const std::string& text : rows)
      entries_->addItem(FromUtf8(text));
    if (row < 0 || row >= entries_->count())
      row = 0;
    entries_->setCurrentRow(row);
  }
  category_ = category;
  const bool dialogue = IsDialogueCategory(category);
  text_->setVisible(!dialogue);
  dialogue_->setVisible(dialogue);
  changeLabel_->setVisible(dialogue);
  finger_->setEnabled(dialogue);
  value_->setReadOnly(GetTextCategory(category).kind == CategoryKind::Characters);
  preferDte_->setChecked(context_.settings->PreferDte(category));
}

void TextPage::ShowEntry() {
  const int row = entries_->currentRow();
  // Change label renames the row on screen; without one it has nothing to do.
  changeLabel_->setEnabled(ready() && row >= 0);
  if (!ready() || row < 0) {
    shown_.reset();
    return;
  }
  const RomDocument& document = *context_.document;
  ShownEntry shown =
      ShowTextEntry(document.image(), document.baseShift(), category_, row, dteTable(), keywords_);
  {
    const QSignalBlocker blockText(text_);
    const QSignalBlocker blockDialogue(dialogue_);
    const QSignalBlocker blockFinger(finger_);
    pointer_->setText(FromUtf8(shown.pointerBox));
    value_->setText(FromUtf8(shown.boxes.value));
    location_->setText(FromUtf8(shown.locationBox));
    finger_->setText(FromUtf8(shown.boxes.finger));
    // The locations are image indexes: the base shift is in them already.
    if (shown.location.hasPointer)
      DescribeField(*value_, {0, 0xFFFF, true}, {shown.location.pointerLocation, 2, "pointer"}, 0);
    else
      DescribeField(*value_, {0, 0xFFFF, true});
    DescribeField(*finger_, {0, 0xFF, true});
    if (IsDialogueCategory(category_)) {
      text_->clear();
      dialogue_->setPlainText(FromUtf8(shown.boxes.text));
    } else {
      dialogue_->clear();
      text_->setText(FromUtf8(shown.boxes.text));
      // The row shows the name as it is now stored.
      entries_->item(row)->setText(FromUtf8(shown.boxes.text));
    }
  }
  // Compared with what the widgets hold, so what they change on the way in
  // (line breaks) is not taken for an edit.
  shown.boxes = ReadBoxes(category_);
  shown_ = std::move(shown);
  growthConfirmed_ = false;
  UpdateByteCount();
  UpdateBankFree();
}

EntryBoxes TextPage::ReadBoxes(int category) const {
  EntryBoxes boxes;
  boxes.text = IsDialogueCategory(category) ? dialogue_->toPlainText().toStdString()
                                            : text_->text().toStdString();
  boxes.value = value_->text().toStdString();
  boxes.finger = finger_->text().toStdString();
  return boxes;
}

bool TextPage::StoreEntry() {
  if (!ready() || !shown_ || holdsUnstoredEdit())
    return false;
  const CharTable& table =
      StoreTable(*context_.settings, shown_->category, standardTable(), dteTable());
  const ShownEntry shown = *shown_;
  const EntryBoxes boxes = ReadBoxes(shown.category);
  const StepInfo step{tr("Edit text %1 %2")
                          .arg(FromUtf8(std::string(GetTextCategory(shown.category).rowText)))
                          .arg(shown.row),
                      {kTextTab, PlaceOf(shown.category, shown.row)},
                      QStringLiteral("text/%1/%2").arg(shown.category).arg(shown.row)};
  return CommitEdit(context_, this, step, [&](const RomView& rom) {
    StoreTextEntry(rom.Unshifted(), shown, boxes, table, keywords_);
  });
}

void TextPage::CommitShown() {
  if (committing_ || !ready() || !shown_)
    return;
  committing_ = true;
  const StoreAnswer answer = AskBeforeStore();
  if (answer == StoreAnswer::Discard) {
    ShowEntry();
  } else if (answer == StoreAnswer::Write && StoreEntry()) {
    // What was stored is what the next edit is measured against; the boxes
    // keep what was typed until the entry is shown again.
    const RomDocument& document = *context_.document;
    const EntryBoxes typed = ReadBoxes(shown_->category);
    ShownEntry stored = ShowTextEntry(document.image(), document.baseShift(), shown_->category,
                                      shown_->row, dteTable(), keywords_);
    if (!IsDialogueCategory(shown_->category))
      entries_->item(shown_->row)->setText(FromUtf8(stored.boxes.text));
    stored.boxes = typed;
    shown_ = std::move(stored);
    growthConfirmed_ = false;
    UpdateByteCount();
  }
  committing_ = false;
}

int TextPage::PlaceOf(int category, int row) {
  return category * kPlaceRowsPerCategory + row;
}

void TextPage::followImage(const ByteChange& change) {
  if (!ready() || category_ < 0 || !TouchesText(change, context_.document->baseShift()))
    return;
  // Keyword names, the rows and the entry shown may all have changed.
  const RomDocument& document = *context_.document;
  BuildKeywordNames(document.image(), document.baseShift(), dteTable(), *context_.settings);
  keywords_ = ReadKeywordNames(*context_.settings);
  FillEntries(category_, entries_->currentRow());
  ShowEntry();
}

void TextPage::showPlace(const StepPlace& place) {
  if (!ready() || place.record < 0)
    return;
  const int category = place.record / kPlaceRowsPerCategory;
  const int row = place.record % kPlaceRowsPerCategory;
  if (category != category_)
    categories_->setCurrentRow(category);
  entries_->setCurrentRow(row);
}

void TextPage::UpdateByteCount() {
  if (!ready() || !shown_) {
    byteCount_->clear();
    return;
  }
  const CharTable& table =
      StoreTable(*context_.settings, shown_->category, standardTable(), dteTable());
  const EntryByteCount count = CountEntryBytes(context_.document->size(), *shown_,
                                               ReadBoxes(shown_->category), table, keywords_);
  QString text = tr("%1 bytes, was %2").arg(count.bytes).arg(count.was);
  if (count.cut)
    text += tr(", cut to fit");
  if (!count.dropped.empty()) {
    QStringList dropped;
    for (const std::string& character : count.dropped)
      dropped << FromUtf8(character);
    text += tr(", cannot be written: %1").arg(dropped.join(QLatin1Char(' ')));
  }
  const bool marked = count.longer || count.cut || !count.dropped.empty();
  byteCount_->setText(text);
  byteCount_->setProperty("marked", marked);
  byteCount_->setStyleSheet(marked ? QStringLiteral("color: #c0392b; font-weight: bold;")
                                   : QString());
  byteCount_->setToolTip(count.longer ? tr("The new text is longer than the old one: it "
                                           "overwrites whatever follows it.")
                         : count.cut  ? tr("The text does not fit and is cut.")
                         : marked     ? tr("The tables have no code for these characters; "
                                               "they are left out when the text is stored.")
                                      : QString());
}

bool TextPage::LeaveShownEntry() {
  const StoreAnswer answer = AskBeforeStore();
  if (answer == StoreAnswer::KeepEditing) {
    ReselectShown();
    return false;
  }
  if (answer == StoreAnswer::Write)
    StoreEntry();
  return true;
}

void TextPage::CategorySelected(int row) {
  if (!ready() || row < 0 || !LeaveShownEntry())
    return;
  FillEntries(row);
  ShowEntry();
}

void TextPage::EntrySelected(int row) {
  if (!ready() || row < 0 || !LeaveShownEntry())
    return;
  ShowEntry();
}

void TextPage::PreferDteClicked(bool checked) {
  if (!ready())
    return;
  context_.settings->SetPreferDte(categories_->currentRow(), checked);
  UpdateByteCount();
}

void TextPage::ChangeLabel() {
  const std::optional<LabelSetId> set = DialogueLabelSet(category_);
  if (!ready() || !set)
    return;
  // Renaming a row replaces it; that is not a move to another entry.
  const QSignalBlocker blocker(entries_);
  ChangeListLabel(this, *entries_, *context_.settings, GetLabelSet(*set));
}

}  // namespace kivo::ui
