// The main window's status bar: the ROM open and its kind at the right, and
// for a few seconds after a write, what was written.

#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>

#include "ui/core/main_window.h"
#include "ui/framework/field_info.h"

namespace kivo::ui {

void MainWindow::ShowRomStatus() {
  if (romStatus_ == nullptr) {
    romStatus_ = new QLabel(statusBar());
    romStatus_->setObjectName(QStringLiteral("romStatus"));
    statusBar()->addPermanentWidget(romStatus_);
  }
  const RomDocument& document = state_.document;
  if (!document.held() || document.currentPath().empty()) {
    romStatus_->setText(tr("No ROM open"));
    return;
  }
  romStatus_->setText(tr("%1 \u00B7 %2 image")
                          .arg(QString::fromStdString(document.currentPath()),
                               QString::fromLatin1(ImageKindName(document.kind()).data(),
                                                   ImageKindName(document.kind()).size())));
}

void MainWindow::ShowSaved(const QString& fileName) {
  ShowRomStatus();
  statusBar()->showMessage(tr("Saved %1").arg(QFileInfo(fileName).fileName()), kStatusMessageMs);
}

}  // namespace kivo::ui
