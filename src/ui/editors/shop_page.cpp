#include "ui/editors/shop_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "model/editors/field_places.h"
#include "model/editors/shared_entries.h"
#include "model/text/labels.h"
#include "model/text/name_tables.h"
#include "model/text/text_categories.h"
#include "ui/editors/stored_value.h"
#include "ui/framework/commit_on_edit.h"
#include "ui/framework/field_info.h"
#include "ui/framework/layout_helpers.h"
#include "ui/framework/list_filter.h"
#include "ui/framework/list_helpers.h"
#include "ui/framework/numeric_edit.h"
#include "ui/framework/sharing_label.h"
#include "ui/framework/tabs.h"
#include "ui/text/label_dialog.h"

namespace kivo::ui {
namespace {

struct SlotIds {
  int item, price, toBuy, toSell;
};
// The goods' column captions, in the order of SlotIds.
constexpr std::array<const char*, 4> kColumnCaptions = {"Item:", "Price:", "To buy:", "To sell:"};
constexpr std::array<SlotIds, kShopSlotCount> kSlotIds = {{
    {1223, 1227, 1408, 1427},
    {1224, 1228, 1409, 1428},
    {1225, 1229, 1410, 1429},
    {1226, 1230, 1411, 1430},
}};

// The number an edit holds; nothing when its text starts with no number, so
// that an emptied box keeps the stored value instead of storing 0.
std::optional<int> NumberIn(const QLineEdit* edit) {
  static const QRegularExpression kNumber(QStringLiteral("^\\s*[+-]?[0-9]"));
  if (!kNumber.match(edit->text()).hasMatch())
    return std::nullopt;
  return ReadDecimal(*edit);
}

const CharTable& EmptyTable() {
  static const CharTable table{};
  return table;
}

const LabelSet& ShopLabels() {
  return GetLabelSet(LabelSetId::Shops);
}

}  // namespace

ShopPage::ShopPage(QWidget* parent) : Page(parent) {
  CreateWidgets();
  ConnectWidgets();
}

// The command goes first, so the list being torn down never updates it.
ShopPage::~ShopPage() {
  delete changeLabel_;
}

void ShopPage::CreateWidgets() {
  auto* location = new QGroupBox(tr("Location:"), this);
  shops_ = WithId(new QListWidget(location), 1221);
  changeLabel_ = WithId(new QPushButton(tr("Change label"), location), 1222);
  auto* left = new QVBoxLayout(location);
  left->addWidget(WithFilter(shops_), 1);
  left->addWidget(changeLabel_, 0, Qt::AlignLeft);

  auto* goods = new QGroupBox(tr("Goods"), this);
  auto* grid = new QGridLayout(goods);
  for (int column = 0; column < static_cast<int>(kColumnCaptions.size()); ++column)
    grid->addWidget(new QLabel(tr(kColumnCaptions[column]), goods), 0, column);
  const int digitsWidth = fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 14;
  for (int k = 0; k < kShopSlotCount; ++k) {
    const SlotIds& ids = kSlotIds[k];
    SlotWidgets& slot = slots_[k];
    slot.item = WithId(new QComboBox(goods), ids.item);
    slot.item->setMinimumContentsLength(14);
    slot.item->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    slot.price = WithId(new QComboBox(goods), ids.price);
    slot.price->setMinimumContentsLength(6);
    slot.price->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    slot.toBuy = WithId(new QLineEdit(goods), ids.toBuy);
    slot.toSell = WithId(new QLineEdit(goods), ids.toSell);
    for (QLineEdit* edit : {slot.toBuy, slot.toSell}) {
      AllowDigitsOnly(*edit);
      edit->setFixedWidth(digitsWidth);
    }
    grid->addWidget(slot.item, k + 1, 0);
    grid->addWidget(slot.price, k + 1, 1);
    grid->addWidget(slot.toBuy, k + 1, 2);
    grid->addWidget(slot.toSell, k + 1, 3);
    grid->addWidget(SharingLabel(*slot.price), k + 1, 4);
  }
  gilBox_ = WithId(new QLineEdit(goods), 1379);
  AllowDigitsOnly(*gilBox_);
  gilBox_->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000000")) + 14);
  auto* gil = new QHBoxLayout;
  gil->addWidget(new QLabel(tr("Starting gil:"), goods));
  gil->addWidget(gilBox_);
  gil->addStretch();
  grid->addLayout(gil, kShopSlotCount + 1, 0, 1, 4);
  grid->setRowStretch(kShopSlotCount + 2, 1);
  grid->setColumnStretch(0, 1);

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(location);
  layout->addWidget(goods, 1);
  SetTabOrderFromLayout(*this);
}

void ShopPage::ConnectWidgets() {
  connect(shops_, &QListWidget::currentRowChanged, this, &ShopPage::ShopSelected);
  connect(changeLabel_, &QPushButton::clicked, this, &ShopPage::ChangeLabel);
  EnableWhileSelected(*changeLabel_, *shops_);
  for (int k = 0; k < kShopSlotCount; ++k) {
    // A pick is stored at once, with the price typed for the entry left.
    connect(slots_[k].item, &QComboBox::currentIndexChanged, this, [this, k] {
      KeepTypedPrice(*slots_[k].toSell, slots_[k].sellEntry);
      ShowToSell(k);
      CommitField(slots_[k].item);
    });
    connect(slots_[k].price, &QComboBox::currentIndexChanged, this, [this, k] {
      KeepTypedPrice(*slots_[k].toBuy, slots_[k].buyEntry);
      ShowToBuy(k);
      CommitField(slots_[k].price);
    });
    connect(slots_[k].toBuy, &QLineEdit::textChanged, this, [this, k] { UpdatePriceRowText(k); });
  }
  CommitOnUserEdit(*this, [this](QWidget* field) { CommitField(field); }, {shops_});
}

std::vector<QSignalBlocker> ShopPage::BlockSignals() {
  std::vector<QSignalBlocker> blockers;
  blockers.emplace_back(shops_);
  for (const SlotWidgets& slot : slots_) {
    blockers.emplace_back(slot.item);
    blockers.emplace_back(slot.price);
  }
  return blockers;
}

void ShopPage::refresh(const PageContext& context) {
  context_ = context;
  if (!context_.document || !context_.settings)
    return;
  if (context.reason == RefreshReason::TablesChanged && loaded_ >= 0) {
    // New names only: the shown shop, its picks and its typed prices stay.
    RebuildShopList();
    RebuildItemNames();
    return;
  }
  {
    const auto blockers = BlockSignals();
    for (const SlotWidgets& slot : slots_) {
      slot.item->clear();
      slot.price->clear();
    }
  }
  RebuildShopList();
  RebuildItemNames();
  int index = context_.settings->Int(settings::kSelectedShop);
  if (!IsShopIndex(index))
    index = 0;  // never address a record outside the 28 shops
  Load(index);
}

void ShopPage::RebuildShopList() {
  const QSignalBlocker blocker(shops_);
  const int current = shops_->currentRow();
  shops_->clear();
  for (const std::string& text : RowTexts(*context_.settings, ShopLabels()))
    shops_->addItem(QString::fromStdString(text));
  shops_->setCurrentRow(current);
}

void ShopPage::RebuildItemNames() {
  const auto blockers = BlockSignals();
  const CharTable& dte = context_.dteTable ? *context_.dteTable : EmptyTable();
  const ConstRomView view = std::as_const(*context_.document).view();
  const std::size_t shift = view.baseShift();
  const PointerTable names = ItemNameRange(kAllItemIds);
  for (const SlotWidgets& slot : slots_) {
    const int current = slot.item->currentIndex();
    slot.item->clear();
    FillNameCombo(view.image(), *slot.item, names.count, 0, names.offset + shift,
                  names.textBase + shift, dte);
    slot.item->setCurrentIndex(current);
  }
}

void ShopPage::RebuildPriceRows() {
  const auto blockers = BlockSignals();
  for (const SlotWidgets& slot : slots_) {
    if (slot.price->count() != kPriceRowCount) {
      slot.price->clear();
      for (int r = 0; r < kPriceRowCount; ++r)
        slot.price->addItem(QString());
    }
    for (int r = 0; r < kPriceRowCount; ++r)
      slot.price->setItemText(r, QString::number(prices_[PriceByteOfRow(r)]));
  }
}

void ShopPage::Load(int index) {
  loaded_ = index;
  const ConstRomView view = std::as_const(*context_.document).view();
  record_ = ShopRecord::Read(view, index);
  for (int entry = 0; entry < kPriceEntryCount; ++entry)
    prices_[entry] = ReadPrice(view, static_cast<uint8_t>(entry));
  startingGil_ = ReadStartingGil(view);
  context_.settings->SetInt(settings::kSelectedShop, index);
  // Rows show the prices as stored, including those just stored from
  // another slot.
  RebuildPriceRows();
  const auto blockers = BlockSignals();
  shops_->setCurrentRow(index);
  for (int k = 0; k < kShopSlotCount; ++k) {
    const ShopSlot& stored = record_.goods[k];
    ShowStoredValue(*slots_[k].item, ItemRowOf(stored.item), stored.item);
    ShowStoredValue(*slots_[k].price, PriceRowOf(stored.priceByte), stored.priceByte);
    ShowToSell(k);
    ShowToBuy(k);
  }
  gilBox_->setText(QString::number(startingGil_));
  DescribeField(*gilBox_, {0, kMaxStartingGil}, StartingGilPlace(), context_.document->baseShift());
}

uint8_t ShopPage::ItemEntry(int k) const {
  const std::optional<int> row = PickedRow(*slots_[k].item);
  return row ? ItemOfRow(*row) : record_.goods[k].item;
}

uint8_t ShopPage::PriceEntry(int k) const {
  const std::optional<int> row = PickedRow(*slots_[k].price);
  return row ? PriceByteOfRow(*row) : record_.goods[k].priceByte;
}

void ShopPage::ShowToSell(int k) {
  slots_[k].sellEntry = ItemEntry(k);
  slots_[k].toSell->setText(QString::number(prices_[slots_[k].sellEntry]));
  DescribeField(*slots_[k].toSell, {0, kMaxPrice}, PricePlace(slots_[k].sellEntry),
                context_.document->baseShift());
}

void ShopPage::ShowToBuy(int k) {
  slots_[k].buyEntry = PriceEntry(k);
  slots_[k].toBuy->setText(QString::number(prices_[slots_[k].buyEntry]));
  DescribeField(*slots_[k].toBuy, {0, kMaxPrice}, PricePlace(slots_[k].buyEntry),
                context_.document->baseShift());
  ShowSharedPrice(k);
}

void ShopPage::ShowSharedPrice(int k) {
  if (loaded_ < 0)
    return;
  // The shop shown uses the entry its row shows, stored or not.
  std::vector<int> users =
      ShopsUsingPrice(std::as_const(*context_.document).view(), slots_[k].buyEntry);
  std::erase(users, loaded_);
  users.insert(std::lower_bound(users.begin(), users.end(), loaded_), loaded_);
  QStringList rows;
  for (int i = 0; i < shops_->count(); ++i)
    rows.append(shops_->item(i)->text());
  ShowSharing(*slots_[k].price, NamesOf(users, rows), tr("shops"));
}

void ShopPage::KeepTypedPrice(const QLineEdit& box, uint8_t entry) {
  if (!box.isModified())
    return;
  if (const std::optional<int> typed = NumberIn(&box))
    prices_[entry] = ClampPrice(*typed);
}

void ShopPage::UpdatePriceRowText(int k) {
  // A box holding no number keeps the stored price, so the row shows that.
  const std::optional<int> typed = NumberIn(slots_[k].toBuy);
  const int value = typed ? ClampPrice(*typed) : prices_[PriceEntry(k)];
  ReplaceComboEntry(*slots_[k].price, QString::number(value), -1);
}

ShopFields ShopPage::ReadFields() const {
  ShopFields fields;
  for (int k = 0; k < kShopSlotCount; ++k) {
    const SlotWidgets& slot = slots_[k];
    fields.goods[k] = {PickedRow(*slot.item), PickedRow(*slot.price), NumberIn(slot.toSell),
                       NumberIn(slot.toBuy)};
  }
  fields.startingGil = NumberIn(gilBox_);
  return fields;
}

void ShopPage::StoreLoaded() {
  // Each edit was stored as it was made: this makes a step only for values
  // no edit stored.
  if (loaded_ >= 0)
    Commit(tr("Edit %1").arg(shops_->item(loaded_)->text()));
}

void ShopPage::Commit(const QString& text, const QString& mergeKey) {
  if (loaded_ < 0 || !context_.document)
    return;
  const int index = loaded_;
  const ShopFields fields = ReadFields();
  CommitEdit(context_, this, {text, {kShopTab, index}, mergeKey}, [&](const RomView& rom) {
    // From the image as loaded: two slots on one price entry, and a box
    // emptied after its price was stored, end as one store at Save leaves them.
    for (int entry = 0; entry < kPriceEntryCount; ++entry)
      WritePrice(rom, static_cast<uint8_t>(entry), prices_[entry]);
    if (ReadStartingGil(rom) != startingGil_)
      WriteStartingGil(rom, startingGil_);
    record_.Write(rom, index);
    StoreShop(rom, index, fields);
  });
}

void ShopPage::CommitField(QWidget* field) {
  if (loaded_ < 0)
    return;
  // A slot's control is named by its column and slot: "Edit To buy 2 of ...".
  QString caption = FieldCaption(*field);
  for (int k = 0; k < kShopSlotCount; ++k) {
    const SlotWidgets& slot = slots_[k];
    const std::array<const QWidget*, kColumnCaptions.size()> columns = {slot.item, slot.price,
                                                                        slot.toBuy, slot.toSell};
    if (const auto at = std::ranges::find(columns, field); at != columns.end()) {
      const QString column = tr(kColumnCaptions[at - columns.begin()]).chopped(1);
      caption = QStringLiteral("%1 %2").arg(column).arg(k + 1);
    }
  }
  Commit(tr("Edit %1 of %2").arg(caption, shops_->item(loaded_)->text()),
         QStringLiteral("shop/%1/%2").arg(loaded_).arg(field->objectName()));
}

void ShopPage::followImage(const ByteChange& change) {
  if (loaded_ < 0 || !context_.document)
    return;
  if (TouchesText(change, context_.document->baseShift()))
    RebuildItemNames();
  if (Touches(change, context_, ShopRecordOffset(loaded_), kShopRecordSize) ||
      Touches(change, context_, kPriceTable, kPriceTableSize) ||
      Touches(change, context_, kStartingGil, kStartingGilSize))
    Load(loaded_);
}

void ShopPage::showPlace(const StepPlace& place) {
  if (IsShopIndex(place.record))
    shops_->setCurrentRow(place.record);
}

void ShopPage::save() {
  if (loaded_ < 0 || !context_.document || !context_.document->editable())
    return;
  StoreLoaded();
  Load(loaded_);
}

void ShopPage::ShopSelected(int row) {
  if (!IsShopIndex(row) || loaded_ < 0)
    return;
  StoreLoaded();
  Load(row);
}

void ShopPage::ChangeLabel() {
  if (!context_.settings)
    return;
  ChangeListLabel(this, *shops_, *context_.settings, ShopLabels());
}

}  // namespace kivo::ui
