#include "ui/gfx/custom_colours_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "model/core/settings.h"
#include "ui/framework/layout_helpers.h"
#include "ui/framework/list_helpers.h"
#include "ui/framework/prompts.h"

namespace kivo::ui {
namespace {

constexpr int kEntryListId = 1526;
constexpr std::array<int, 3> kSliderIds = {1523, 1524, 1525};
constexpr std::array<int, 3> kNumberIds = {1528, 1529, 1530};
constexpr std::array<const char*, 3> kSliderCaptions = {"Red:", "Green:", "Blue:"};
constexpr std::array<const char*, settings::kCustomColourCount> kEntryNames = {
    "Left click", "Right click", "Viewing area", "Grid"};
constexpr int kSliderWidth = 256;

}  // namespace

CustomColoursDialog::CustomColoursDialog(SettingsBlock& settings, QWidget* parent)
    : Dialog(parent), settings_(settings) {
  setWindowTitle(tr("Customizing colors"));
  CreateWidgets();
  {
    const QSignalBlocker blocker(entries_);
    entries_->setCurrentRow(0);
  }
  LoadSliders(0);
  ConnectWidgets();
}

void CustomColoursDialog::CreateWidgets() {
  entries_ = WithId(new QListWidget(this), kEntryListId);
  for (const char* name : kEntryNames)
    entries_->addItem(tr(name));
  entries_->setFixedHeight(entries_->sizeHintForRow(0) * entries_->count() +
                           2 * entries_->frameWidth());
  entries_->setFixedWidth(entries_->sizeHintForColumn(0) + 2 * entries_->frameWidth() + 16);

  auto* sliders = new QGridLayout;
  auto* scale = new QHBoxLayout;
  scale->addWidget(new QLabel(QStringLiteral("0"), this));
  scale->addStretch();
  scale->addWidget(new QLabel(QStringLiteral("255"), this));
  sliders->addLayout(scale, 0, 1);
  for (std::size_t c = 0; c < sliders_.size(); ++c) {
    sliders_[c] = WithId(new QSlider(Qt::Horizontal, this), kSliderIds[c]);
    sliders_[c]->setRange(0, 255);
    sliders_[c]->setPageStep(16);
    sliders_[c]->setMinimumWidth(kSliderWidth);
    numbers_[c] = WithId(new QLineEdit(this), kNumberIds[c]);
    numbers_[c]->setReadOnly(true);
    numbers_[c]->setFixedWidth(
        numbers_[c]->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    const int row = static_cast<int>(c) + 1;
    sliders->addWidget(new QLabel(tr(kSliderCaptions[c]), this), row, 0);
    sliders->addWidget(sliders_[c], row, 1);
    sliders->addWidget(numbers_[c], row, 2);
  }

  auto* top = new QHBoxLayout;
  top->addWidget(entries_, 0, Qt::AlignTop);
  top->addSpacing(8);
  top->addLayout(sliders, 1);

  auto* buttons = new QDialogButtonBox(this);
  WithId(buttons->addButton(QDialogButtonBox::Ok), kDialogOk)->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &CustomColoursDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  SetTabOrderFromLayout(*this);
}

void CustomColoursDialog::ConnectWidgets() {
  connect(entries_, &QListWidget::currentRowChanged, this, &CustomColoursDialog::SelectEntry);
}

void CustomColoursDialog::SelectEntry(int entry) {
  if (entry < 0 || entry >= settings::kCustomColourCount)
    return;
  StoreSliders();
  LoadSliders(entry);
}

void CustomColoursDialog::LoadSliders(int entry) {
  edited_ = entry;
  const Rgb colour = settings_.CustomColour(entry);
  const std::array<uint8_t, 3> values = {colour.red, colour.green, colour.blue};
  for (std::size_t c = 0; c < sliders_.size(); ++c) {
    const QSignalBlocker blocker(sliders_[c]);
    sliders_[c]->setValue(values[c]);
  }
}

void CustomColoursDialog::StoreSliders() {
  const auto value = [this](int c) { return static_cast<uint8_t>(sliders_[c]->value()); };
  settings_.SetCustomColour(edited_, Rgb{value(0), value(1), value(2)});
}

void CustomColoursDialog::accept() {
  StoreSliders();
  Dialog::accept();
}

bool CustomiseColours(QWidget* owner, SettingsBlock& settings) {
  CustomColoursDialog dialog(settings, owner);
  return prompts().RunModal(dialog) == kDialogOk;
}

}  // namespace kivo::ui
