// The Text page's Find box: F3 and Shift+F3 go to the next and the previous
// entry, of any category, whose text holds what it holds.

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QShortcut>
#include <QVBoxLayout>

#include "model/text/text_search.h"
#include "ui/framework/commit_on_edit.h"
#include "ui/framework/field_info.h"
#include "ui/text/text_page.h"

namespace kivo::ui {

QWidget* TextPage::CreateFind() {
  auto* holder = new QWidget(this);
  find_ = new QLineEdit(holder);
  find_->setObjectName(QStringLiteral("textFind"));
  find_->setPlaceholderText(tr("Find"));
  find_->setClearButtonEnabled(true);
  find_->setProperty(kNotAField, true);
  find_->setToolTip(tr("F3 finds the next entry holding this text, Shift+F3 the previous one"));
  auto* layout = new QVBoxLayout(holder);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(new QLabel(tr("Find:"), holder));
  layout->addWidget(find_);

  connect(find_, &QLineEdit::returnPressed, this, [this] { FindEntry(true); });
  auto* next = new QShortcut(QKeySequence(Qt::Key_F3), this);
  auto* previous = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), this);
  connect(next, &QShortcut::activated, this, [this] { FindEntry(true); });
  connect(previous, &QShortcut::activated, this, [this] { FindEntry(false); });
  return holder;
}

void TextPage::FindEntry(bool forward) {
  const QString needle = find_->text();
  if (!ready() || needle.isEmpty())
    return;
  const RomDocument& document = *context_.document;
  const std::optional<EntryAt> found =
      FindTextEntry(document.image(), document.baseShift(), {category_, entries_->currentRow()},
                    needle.toStdString(), forward, dteTable(), keywords_);
  if (!found) {
    ShowStatus(*this, tr("No entry holds \"%1\".").arg(needle), kStatusMessageMs);
    return;
  }
  // Through the lists, as a click would: the entry on screen is stored first.
  if (found->category != category_)
    categories_->setCurrentRow(found->category);
  if (category_ == found->category)
    entries_->setCurrentRow(found->row);
}

}  // namespace kivo::ui
