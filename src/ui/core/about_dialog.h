#pragma once
// Help > About: the program's name and version, a few lines about it, and a
// picture of the kind of image that is open.

#include <cstddef>
#include <optional>

#include "ui/framework/dialog.h"

class QLabel;
class QPushButton;
class QWidget;

namespace kivo::ui {

// The About box's three pictures (bitmap ids); exactly one is visible.
enum class AboutPicture { Game = 103, Gba = 101, Unknown = 105 };

// The picture for an image of `imageSize` bytes, or for no image at all.
AboutPicture AboutPictureFor(std::optional<std::size_t> imageSize);

class AboutDialog : public Dialog {
  Q_OBJECT
 public:
  explicit AboutDialog(std::optional<std::size_t> imageSize, QWidget* parent = nullptr);

  AboutPicture shownPicture() const { return shown_; }

 private:
  void CreateWidgets();
  void ConnectWidgets();
  void ShowPicture(AboutPicture picture);

  QLabel* gamePicture_ = nullptr;     // 1002, bitmap 103
  QLabel* gbaPicture_ = nullptr;      // 1003, bitmap 101
  QLabel* unknownPicture_ = nullptr;  // 1004, bitmap 105
  QPushButton* ok_ = nullptr;         // 1
  AboutPicture shown_ = AboutPicture::Unknown;
};

void ShowAbout(QWidget* owner, std::optional<std::size_t> imageSize);

}  // namespace kivo::ui
