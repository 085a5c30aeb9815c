#pragma once
// Help > Rom info: shows the iNES header of the open image. Its controls can
// be changed on screen, but nothing is ever written back to the image.

#include <cstddef>
#include <cstdint>
#include <span>

#include "model/core/ines_header.h"
#include "ui/framework/dialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace kivo::ui {

class RomInfoDialog : public Dialog {
  Q_OBJECT
 public:
  explicit RomInfoDialog(QWidget* parent = nullptr);

  // Fills the controls from `header`; `imageSize` is the file's length, for
  // the warning when it disagrees with the header.
  void ShowHeader(const InesHeader& header, std::size_t imageSize);

 private:
  void CreateWidgets();
  void ConnectWidgets();

  QComboBox* mapper_ = nullptr;       // 1696
  QComboBox* mirroring_ = nullptr;    // 1698
  QListWidget* region_ = nullptr;     // 1697
  QLineEdit* prgRomBanks_ = nullptr;  // 1699
  QLineEdit* chrRomBanks_ = nullptr;  // 1700
  QLineEdit* prgRamBanks_ = nullptr;  // 1703
  QCheckBox* sram_ = nullptr;         // 1701
  QCheckBox* trainer_ = nullptr;      // 1702
  QCheckBox* vs_ = nullptr;           // 1705
  QCheckBox* pc10_ = nullptr;         // 1706
  QLabel* format_ = nullptr;
  QLabel* sizeWarning_ = nullptr;
  QPushButton* ok_ = nullptr;  // 1
};

// Warns when the header lacks its magic, then shows the dialog modal. The
// image is only read, never written.
void ShowRomInformation(QWidget* owner, std::span<const uint8_t> image);

}  // namespace kivo::ui
