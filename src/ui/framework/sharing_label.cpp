#include "ui/framework/sharing_label.h"

#include <QLabel>

#include "model/editors/shared_entries.h"

namespace kivo::ui {
namespace {

QString LabelName(const QWidget& control) {
  return QStringLiteral("shared-") + control.objectName();
}

}  // namespace

QLabel* SharingLabel(QWidget& control) {
  auto* label = new QLabel(control.parentWidget());
  label->setObjectName(LabelName(control));
  return label;
}

void ShowSharing(const QWidget& control, const QStringList& names, const QString& kind) {
  const QWidget* parent = control.parentWidget();
  auto* label = parent != nullptr ? parent->findChild<QLabel*>(LabelName(control)) : nullptr;
  if (label == nullptr)
    return;
  if (names.isEmpty()) {  // no entry shown
    label->clear();
    label->setToolTip(QString());
    return;
  }
  if (names.size() < 2) {
    label->setText(QObject::tr("not shared"));
    label->setToolTip(names.join(QString()));
    return;
  }
  label->setText(QObject::tr("shared by %1 %2").arg(names.size()).arg(kind));
  QStringList shown = names.mid(0, kSharingNamesShown);
  if (names.size() > kSharingNamesShown)
    shown.append(QObject::tr("and %1 more").arg(names.size() - kSharingNamesShown));
  label->setToolTip(shown.join(QLatin1Char('\n')));
}

void ShowPaletteSharing(const QWidget& control, const ConstRomView& view, uint8_t palette) {
  const PaletteUsers users = PaletteUsersOf(view, palette);
  QStringList names;
  for (int w : users.weapons)
    names.append(QObject::tr("Weapon %1").arg(w));
  for (int s : users.spells)
    names.append(QObject::tr("Spell %1").arg(s));
  for (int f : users.formations)
    names.append(QObject::tr("Formation %1").arg(f));
  ShowSharing(control, names, QObject::tr("pictures"));
}

QStringList NamesOf(std::span<const int> indexes, const QStringList& rowTexts) {
  QStringList names;
  for (int i : indexes)
    names.append(i >= 0 && i < rowTexts.size() ? rowTexts[i] : QString::number(i));
  return names;
}

}  // namespace kivo::ui
