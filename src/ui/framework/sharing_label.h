#pragma once
// Labels that say how many records use the entry a list or box shows, so an
// edit that changes it for all of them is no surprise: "shared by 14
// monsters", the names in the tooltip (twenty, then "and N more").

#include <QString>
#include <QStringList>
#include <cstdint>
#include <span>

#include "model/core/rom_view.h"

class QLabel;
class QWidget;

namespace kivo::ui {

inline constexpr int kSharingNamesShown = 20;

// A label for `control` ("shared-<its objectName>"), to be laid out beside it.
QLabel* SharingLabel(QWidget& control);
// Shows that `names` use the entry `control` shows; `kind` names them in
// the plural ("monsters"). The label is found beside `control`.
void ShowSharing(const QWidget& control, const QStringList& names, const QString& kind);

// The weapons, spells and formations whose pictures use battle palette
// `palette`, shown beside `control` (a palette number).
void ShowPaletteSharing(const QWidget& control, const ConstRomView& view, uint8_t palette);

// The rows of `rowTexts` whose indexes are listed.
QStringList NamesOf(std::span<const int> indexes, const QStringList& rowTexts);

}  // namespace kivo::ui
