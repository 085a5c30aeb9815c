#pragma once
// Stands in for an editor page that is not built yet.

#include "ui/framework/page.h"

namespace kivo::ui {

class PlaceholderPage : public Page {
  Q_OBJECT
 public:
  explicit PlaceholderPage(QWidget* parent = nullptr);
};

}  // namespace kivo::ui
