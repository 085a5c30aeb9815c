#include "ui/core/placeholder_page.h"

#include <QLabel>
#include <QVBoxLayout>

namespace kivo::ui {

PlaceholderPage::PlaceholderPage(QWidget* parent) : Page(parent) {
  auto* label = new QLabel(tr("This editor is not built yet"), this);
  label->setAlignment(Qt::AlignCenter);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
}

}  // namespace kivo::ui
