#include "ui/framework/prompts.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace kivo::ui {
namespace {

std::unique_ptr<Prompts>& Installed() {
  static std::unique_ptr<Prompts> installed = std::make_unique<QtPrompts>();
  return installed;
}

QString FilterString(const QList<FileFilter>& filters) {
  QStringList parts;
  for (const FileFilter& f : filters)
    parts << f.description;
  return parts.join(QStringLiteral(";;"));
}

QMessageBox::Icon QtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::Error:
      return QMessageBox::Critical;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

Prompts& prompts() {
  return *Installed();
}

std::unique_ptr<Prompts> InstallPrompts(std::unique_ptr<Prompts> replacement) {
  std::unique_ptr<Prompts> previous = std::move(Installed());
  Installed() = replacement ? std::move(replacement) : std::make_unique<QtPrompts>();
  return previous;
}

void ShowMessage(QWidget* owner, const kivo::Message& message) {
  prompts().Message(owner, QString::fromStdString(message.text), message.icon,
                    QString::fromStdString(message.caption));
}

void ShowMessages(QWidget* owner, const Messages& messages) {
  for (const kivo::Message& m : messages)
    ShowMessage(owner, m);
}

void QtPrompts::Message(QWidget* owner, const QString& text, MessageIcon icon,
                        const QString& caption) {
  QMessageBox box(QtIcon(icon), caption, text, QMessageBox::Ok, owner);
  box.exec();
}

bool QtPrompts::AskYesNo(QWidget* owner, const QString& text, const QString& caption) {
  return QMessageBox::question(owner, caption, text, QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

SaveChoice QtPrompts::AskSaveChanges(QWidget* owner, const QString& text, const QString& caption) {
  const auto answer = QMessageBox::warning(
      owner, caption, text, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
      QMessageBox::Save);
  if (answer == QMessageBox::Save)
    return SaveChoice::Save;
  if (answer == QMessageBox::Discard)
    return SaveChoice::Discard;
  return SaveChoice::Cancel;
}

QString QtPrompts::OpenFile(QWidget* owner, const QList<FileFilter>& filters) {
  return QFileDialog::getOpenFileName(owner, QString(), QString(), FilterString(filters));
}

QString QtPrompts::SaveFile(QWidget* owner, const QList<FileFilter>& filters) {
  return QFileDialog::getSaveFileName(owner, QString(), QString(), FilterString(filters));
}

int QtPrompts::RunModal(QDialog& dialog) {
  if (dialog.isVisible())
    return kDialogAlreadyOpen;
  return dialog.exec();
}

}  // namespace kivo::ui
