#pragma once
// The Main tab: the open file's path, a picture of what kind of image it is,
// and an Exit button.

#include <QString>

#include "model/core/rom_document.h"
#include "ui/framework/page.h"

class QLabel;
class QPushButton;

namespace kivo::ui {

class ElidedLabel;

class MainPage : public Page {
  Q_OBJECT
 public:
  explicit MainPage(QWidget* parent = nullptr);

  void ShowPath(const QString& path);
  // Shows exactly one of the three pictures.
  void ShowPicture(MainPicture picture);
  MainPicture shownPicture() const { return shown_; }
  QString shownPath() const;

 signals:
  void exitRequested();

 private:
  void CreateWidgets();
  void ConnectWidgets();

  QPushButton* exit_ = nullptr;
  ElidedLabel* path_ = nullptr;
  QLabel* gamePicture_ = nullptr;     // 1284, bitmap 104
  QLabel* gbaPicture_ = nullptr;      // 1285, bitmap 102
  QLabel* unknownPicture_ = nullptr;  // 1286, bitmap 105
  MainPicture shown_ = MainPicture::Unknown;
};

// A one-line label that shortens its text with an ellipsis when it does not fit.
class ElidedLabel : public QWidget {
  Q_OBJECT
 public:
  explicit ElidedLabel(QWidget* parent = nullptr);
  void setFullText(const QString& text);
  const QString& fullText() const { return text_; }
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
};

}  // namespace kivo::ui
