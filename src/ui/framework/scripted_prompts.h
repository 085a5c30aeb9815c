#pragma once
// A Prompts for tests and unattended runs: records every message and answers
// questions, file dialogs and modal runs from queues, so nothing blocks.

#include <QString>
#include <deque>
#include <functional>
#include <vector>

#include "ui/framework/prompts.h"

namespace kivo::ui {

struct RecordedMessage {
  QString text;
  MessageIcon icon = MessageIcon::None;
  QString caption;
  QString informative;
};

class ScriptedPrompts : public Prompts {
 public:
  // Runs while the dialog is up (shown, not exec'd); returns how it ends.
  using ModalScript = std::function<int(QDialog&)>;

  std::vector<RecordedMessage> messages;
  std::vector<QString> questions;        // Yes/No and Save/Discard/Cancel texts asked
  std::deque<bool> yesNoAnswers;         // empty: answers No
  std::deque<SaveChoice> saveAnswers;    // empty: answers Cancel
  std::deque<int> choiceAnswers;         // button indexes; empty: the escape answer
  std::deque<QString> openFiles;         // empty: the dialog is cancelled
  std::deque<QString> saveFiles;         // empty: the dialog is cancelled
  std::vector<QString> suggestedFiles;   // the names save dialogs offered
  std::deque<ModalScript> modalScripts;  // empty: the dialog is cancelled
  int openFileDialogs = 0;
  std::vector<QList<FileFilter>> fileFilters;

  void Message(QWidget* owner, const QString& text, MessageIcon icon, const QString& caption,
               const QString& informative) override;
  bool AskYesNo(QWidget* owner, const QString& text, const QString& caption) override;
  SaveChoice AskSaveChanges(QWidget* owner, const QString& text, const QString& caption) override;
  int AskChoice(QWidget* owner, const QString& text, const QStringList& buttons, int defaultButton,
                int escape, const QString& caption) override;
  QString OpenFile(QWidget* owner, const QList<FileFilter>& filters) override;
  QString SaveFile(QWidget* owner, const QList<FileFilter>& filters) override;
  QString SaveFileSuggesting(QWidget* owner, const QList<FileFilter>& filters,
                             const QString& suggested) override;
  int RunModal(QDialog& dialog) override;

  // Message texts only, for compact assertions.
  std::vector<QString> texts() const;
};

}  // namespace kivo::ui
