// Make room: the Text page's repack of a text bank, and its free bytes.

#include <QLabel>
#include <QPushButton>

#include "model/core/rom_document.h"
#include "ui/framework/prompts.h"
#include "ui/framework/tabs.h"
#include "ui/text/text_page.h"

namespace kivo::ui {

void TextPage::UpdateBankFree() {
  const int bank = ready() ? TextBankOf(category_) : -1;
  bankFree_->setVisible(bank >= 0);
  makeRoom_->setEnabled(bank >= 0 && shown_.has_value());
  if (bank < 0)
    return;
  const RomDocument& document = *context_.document;
  const BankRepack plan = PlanTextBankRepack(document.image(), document.baseShift(), bank);
  bankFree_->setText(tr("Bank free: %1 bytes").arg(plan.measure.free()));
  bankFree_->setToolTip(tr("Bank %1: its texts take %2 of the %3 bytes they occupy now, each "
                           "text once")
                            .arg(QString::fromStdString(TextBankName(bank)))
                            .arg(plan.measure.used)
                            .arg(plan.measure.space));
}

std::optional<BankTextEdit> TextPage::PendingTextEdit() const {
  if (!ready() || !shown_)
    return std::nullopt;
  const EntryBoxes now = ReadBoxes(shown_->category);
  if (now.text == shown_->boxes.text && now.finger == shown_->boxes.finger)
    return std::nullopt;
  const CharTable& table =
      StoreTable(*context_.settings, shown_->category, standardTable(), dteTable());
  EntryWrite write = PlanEntryWrite(context_.document->size(), *shown_, now, table, keywords_);
  if (!write.text)
    return std::nullopt;
  return BankTextEdit{shown_->category, shown_->row, std::move(*write.text)};
}

bool TextPage::MakeRoom() {
  const int bank = ready() && shown_ ? TextBankOf(shown_->category) : -1;
  if (bank < 0)
    return false;
  const RomDocument& document = *context_.document;
  const std::optional<BankTextEdit> edit = PendingTextEdit();
  const BankRepack plan =
      PlanTextBankRepack(document.image(), document.baseShift(), bank,
                         edit ? std::span<const BankTextEdit>(&*edit, 1)
                              : std::span<const BankTextEdit>());
  const QString name = QString::fromStdString(TextBankName(bank));
  if (!plan.refusal.empty() || !plan.fits()) {
    const std::string why = plan.refusal.empty() ? BankTooSmallText(bank, plan.excess)
                                                  : plan.refusal;
    prompts().Message(this, QString::fromStdString(why), MessageIcon::Warning);
    return false;
  }
  if (!makeRoomAsked_) {
    const int answer = prompts().AskChoice(
        this,
        tr("Make room moves the texts of bank %1 and rewrites their %2 pointers. A text that the "
           "game reaches through a pointer outside the text tables would be damaged; Edit > Undo "
           "takes it back.")
            .arg(name)
            .arg(plan.measure.pointers),
        {tr("Make room"), tr("Cancel")}, 0, 1);
    if (answer != 0)
      return false;
    makeRoomAsked_ = true;
  }
  // No source page: this page follows the step as every other does, and
  // shows the entry as it is now stored.
  const StepInfo step{tr("Make room in bank %1").arg(name),
                      {kTextTab, PlaceOf(shown_->category, shown_->row)},
                      {}};
  return CommitEdit(context_, nullptr, step,
                    [&](const RomView& rom) { ApplyTextBankRepack(rom.Unshifted(), plan); });
}

}  // namespace kivo::ui
