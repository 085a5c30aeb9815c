#include "ui/text/effect_label_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/text/labels.h"
#include "ui/framework/layout_helpers.h"
#include "ui/framework/list_helpers.h"
#include "ui/framework/numeric_edit.h"
#include "ui/framework/prompts.h"

namespace kivo::ui {
namespace {

constexpr int kFirstEffectEdit = 1431;
constexpr int kFirstTemporaryEdit = 1438;
constexpr int kFirstPermanentEdit = 1444;

// Effect list rows that show ailment boxes.
constexpr int kPermanentAilmentRow = 1;
constexpr int kTemporaryAilmentRow = 2;

const LabelSet& Effects() {
  return GetLabelSet(LabelSetId::AddedEffects);
}
const LabelSet& Permanent() {
  return GetLabelSet(LabelSetId::PermanentAilments);
}
const LabelSet& Temporary() {
  return GetLabelSet(LabelSetId::TemporaryAilments);
}

// "0x04": the bit a row stands for.
QString Hex(int bit) {
  return QStringLiteral("0x") + QString::number(bit, 16).toUpper().rightJustified(2, u'0');
}

QString Shown(const SettingsBlock& settings, const LabelSet& set, int row) {
  return QString::fromStdString(RowText(settings, set, row));
}

}  // namespace

EffectLabelDialog::EffectLabelDialog(SettingsBlock& settings, QWidget* parent)
    : Dialog(parent), settings_(settings) {
  setWindowTitle(tr("Change added effect labels"));
  CreateWidgets();
  FillEdits();
}

void EffectLabelDialog::CreateWidgets() {
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(tr("Effect list:"), this), 0, 1);
  grid->addWidget(new QLabel(tr("Temporary ailments:"), this), 0, 3);
  grid->addWidget(new QLabel(tr("Permanent ailments:"), this), 0, 5);
  grid->setColumnMinimumWidth(2, 12);

  auto makeEdit = [this](int id, const LabelSet& set) {
    auto* edit = WithId(new QLineEdit(this), id);
    LimitUtf8Bytes(*edit, static_cast<int>(set.width()) - 1);
    edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() *
                          static_cast<int>(set.width() + 2));
    return edit;
  };
  for (int row = 0; row < kEffectRows; ++row) {
    // Effect row r > 0 stands for bit 0x01 << (r - 1).
    if (row > 0)
      grid->addWidget(new QLabel(Hex(1 << (row - 1)), this), row + 1, 0);
    effects_[row] = makeEdit(kFirstEffectEdit + row, Effects());
    grid->addWidget(effects_[row], row + 1, 1);
  }
  // Temporary ailment k and permanent ailment k + 1 share a bit, so they
  // stand on one line with the bit between them.
  for (int row = 0; row < kPermanentAilmentRows; ++row) {
    const QString bit = Hex(0x02 << row);
    auto* caption = new QLabel(
        row == 0 ? bit + QStringLiteral("-->") : QStringLiteral("<--%1-->").arg(bit), this);
    caption->setAlignment(Qt::AlignCenter);
    grid->addWidget(caption, row + 1, 4);
    permanent_[row] = makeEdit(kFirstPermanentEdit + row, Permanent());
    grid->addWidget(permanent_[row], row + 1, 5);
    if (row > 0) {
      temporary_[row - 1] = makeEdit(kFirstTemporaryEdit + row - 1, Temporary());
      grid->addWidget(temporary_[row - 1], row + 1, 3);
    }
  }

  auto* buttons = new QDialogButtonBox(this);
  WithId(buttons->addButton(QDialogButtonBox::Ok), kDialogOk);
  WithId(buttons->addButton(QDialogButtonBox::Cancel), kDialogCancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &EffectLabelDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &EffectLabelDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(buttons);
  SetTabOrderFromLayout(*this);
}

void EffectLabelDialog::FillEdits() {
  for (int row = 0; row < kEffectRows; ++row)
    effects_[row]->setText(Shown(settings_, Effects(), row));
  for (int row = 0; row < kTemporaryAilmentRows; ++row)
    temporary_[row]->setText(Shown(settings_, Temporary(), row));
  for (int row = 0; row < kPermanentAilmentRows; ++row)
    permanent_[row]->setText(Shown(settings_, Permanent(), row));
}

void EffectLabelDialog::accept() {
  // Every field is written, so untouched rows now hold their default names.
  auto store = [this](const auto& edits, const LabelSet& set) {
    for (int row = 0; row < static_cast<int>(edits.size()); ++row)
      SetLabel(settings_, set, row, edits[row]->text().toStdString());
  };
  store(effects_, Effects());
  store(temporary_, Temporary());
  store(permanent_, Permanent());
  Dialog::accept();
}

void ShowEffectLabels(const SettingsBlock& settings, QListWidget& effectList,
                      std::span<QCheckBox* const> ailmentBoxes) {
  for (int row = 0; row < kEffectRows; ++row)
    ReplaceListEntry(effectList, Shown(settings, Effects(), row), row);
  const int selected = effectList.currentRow();
  const auto count = static_cast<int>(ailmentBoxes.size());
  if (selected == kPermanentAilmentRow) {
    for (int k = 0; k < kPermanentAilmentRows && k < count; ++k)
      ailmentBoxes[k]->setText(Shown(settings, Permanent(), k));
  } else if (selected == kTemporaryAilmentRow) {
    for (int k = 0; k < kTemporaryAilmentRows && k + 1 < count; ++k)
      ailmentBoxes[k + 1]->setText(Shown(settings, Temporary(), k));
  }
}

bool ChangeEffectLabels(QWidget* owner, SettingsBlock& settings, QListWidget& effectList,
                        std::span<QCheckBox* const> ailmentBoxes) {
  EffectLabelDialog dialog(settings, owner);
  if (prompts().RunModal(dialog) != kDialogOk)
    return false;
  ShowEffectLabels(settings, effectList, ailmentBoxes);
  return true;
}

}  // namespace kivo::ui
