#include "ui/framework/scripted_prompts.h"

#include <QDialog>

namespace kivo::ui {

void ScriptedPrompts::Message(QWidget*, const QString& text, MessageIcon icon,
                              const QString& caption, const QString& informative) {
  messages.push_back({text, icon, caption, informative});
}

bool ScriptedPrompts::AskYesNo(QWidget*, const QString& text, const QString&) {
  questions.push_back(text);
  if (yesNoAnswers.empty())
    return false;
  const bool answer = yesNoAnswers.front();
  yesNoAnswers.pop_front();
  return answer;
}

SaveChoice ScriptedPrompts::AskSaveChanges(QWidget*, const QString& text, const QString&) {
  questions.push_back(text);
  if (saveAnswers.empty())
    return SaveChoice::Cancel;
  const SaveChoice answer = saveAnswers.front();
  saveAnswers.pop_front();
  return answer;
}

int ScriptedPrompts::AskChoice(QWidget*, const QString& text, const QStringList&, int, int escape,
                               const QString&) {
  questions.push_back(text);
  if (choiceAnswers.empty())
    return escape;
  const int answer = choiceAnswers.front();
  choiceAnswers.pop_front();
  return answer;
}

QString ScriptedPrompts::OpenFile(QWidget*, const QList<FileFilter>& filters) {
  ++openFileDialogs;
  fileFilters.push_back(filters);
  if (openFiles.empty())
    return {};
  QString file = openFiles.front();
  openFiles.pop_front();
  return file;
}

QString ScriptedPrompts::SaveFile(QWidget*, const QList<FileFilter>& filters) {
  fileFilters.push_back(filters);
  if (saveFiles.empty())
    return {};
  QString file = saveFiles.front();
  saveFiles.pop_front();
  return file;
}

QString ScriptedPrompts::SaveFileSuggesting(QWidget* owner, const QList<FileFilter>& filters,
                                            const QString& suggested) {
  suggestedFiles.push_back(suggested);
  return SaveFile(owner, filters);
}

int ScriptedPrompts::RunModal(QDialog& dialog) {
  if (dialog.isVisible())
    return kDialogAlreadyOpen;
  int result = kDialogCancel;
  dialog.show();
  if (!modalScripts.empty()) {
    ModalScript script = std::move(modalScripts.front());
    modalScripts.pop_front();
    result = script(dialog);
  }
  // A script may have ended the dialog itself (OK pressed); its result wins.
  if (dialog.isVisible()) {
    dialog.done(result);
  } else {
    result = dialog.result();
  }
  return result;
}

std::vector<QString> ScriptedPrompts::texts() const {
  std::vector<QString> out;
  for (const RecordedMessage& m : messages)
    out.push_back(m.text);
  return out;
}

}  // namespace kivo::ui
