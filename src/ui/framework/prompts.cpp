#include "ui/framework/prompts.h"

#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
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

QString ChooseSaveFile(QWidget* owner, const QList<FileFilter>& filters) {
  QString path = prompts().SaveFile(owner, filters);
  if (path.isEmpty() || filters.isEmpty() || !QFileInfo(path).suffix().isEmpty())
    return path;
  const QString& pattern = filters.front().pattern;  // "*.nes"
  if (pattern.startsWith(QStringLiteral("*.")) && !pattern.contains(QLatin1Char(';')))
    path += pattern.mid(1);
  return path;
}

void ShowMessage(QWidget* owner, const kivo::Message& message) {
  prompts().Message(owner, QString::fromStdString(message.text), message.icon,
                    QString::fromStdString(message.caption), QString::fromStdString(message.detail));
}

void ShowMessages(QWidget* owner, const Messages& messages) {
  for (const kivo::Message& m : messages)
    ShowMessage(owner, m);
}

void QtPrompts::Message(QWidget* owner, const QString& text, MessageIcon icon,
                        const QString& caption, const QString& informative) {
  QMessageBox box(QtIcon(icon), caption, text, QMessageBox::Ok, owner);
  box.setInformativeText(informative);
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

int QtPrompts::AskChoice(QWidget* owner, const QString& text, const QStringList& buttons,
                         int defaultButton, int escape, const QString& caption) {
  QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, owner);
  QList<QPushButton*> pushed;
  for (const QString& label : buttons)
    pushed.push_back(box.addButton(label, QMessageBox::ActionRole));
  if (defaultButton >= 0 && defaultButton < pushed.size())
    box.setDefaultButton(pushed[defaultButton]);
  if (escape >= 0 && escape < pushed.size())
    box.setEscapeButton(pushed[escape]);
  box.exec();
  const int chosen = pushed.indexOf(qobject_cast<QPushButton*>(box.clickedButton()));
  return chosen >= 0 ? chosen : escape;
}

QString QtPrompts::OpenFile(QWidget* owner, const QList<FileFilter>& filters) {
  return QFileDialog::getOpenFileName(owner, QString(), QString(), FilterString(filters));
}

QString QtPrompts::SaveFile(QWidget* owner, const QList<FileFilter>& filters) {
  QString selected;
  QString path =
      QFileDialog::getSaveFileName(owner, QString(), QString(), FilterString(filters), &selected);
  // A name typed without an extension takes the one of the filter chosen.
  for (const FileFilter& filter : filters) {
    const QString& pattern = filter.pattern;
    if (filter.description == selected && !path.isEmpty() && QFileInfo(path).suffix().isEmpty() &&
        pattern.startsWith(QStringLiteral("*.")) && !pattern.contains(QLatin1Char(' ')) &&
        !pattern.contains(QLatin1Char(';')))
      path += pattern.mid(1);
  }
  return path;
}

QString QtPrompts::SaveFileSuggesting(QWidget* owner, const QList<FileFilter>& filters,
                                      const QString& suggested) {
  return QFileDialog::getSaveFileName(owner, QString(), suggested, FilterString(filters));
}

int QtPrompts::RunModal(QDialog& dialog) {
  if (dialog.isVisible())
    return kDialogAlreadyOpen;
  return dialog.exec();
}

}  // namespace kivo::ui
