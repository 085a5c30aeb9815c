#pragma once
// Every question the program puts to the user goes through one Prompts
// object: message boxes, questions, file dialogs and modal runs of
// sub-dialogs. The program installs the Qt one; tests install a scripted one
// so that no test ever blocks on a modal window.

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

#include "model/core/message.h"

class QDialog;
class QWidget;

namespace kivo::ui {

// Results of a modal run, as every dialog of the program ends.
inline constexpr int kDialogOk = 1;
inline constexpr int kDialogCancel = 2;
inline constexpr int kDialogAlreadyOpen = -1;

enum class SaveChoice { Save, Discard, Cancel };

struct FileFilter {
  QString description;  // "Nintendo Entertainment System roms (*.nes)"
  QString pattern;      // "*.nes"
};

class Prompts {
 public:
  virtual ~Prompts() = default;

  // `informative` goes under the text in smaller print (a file's path and
  // the system's reason); none when empty.
  virtual void Message(QWidget* owner, const QString& text, MessageIcon icon,
                       const QString& caption = QString::fromLatin1(kDefaultCaption),
                       const QString& informative = QString()) = 0;
  // Yes/No with the question icon; true for Yes.
  virtual bool AskYesNo(QWidget* owner, const QString& text,
                        const QString& caption = QString::fromLatin1(kDefaultCaption)) = 0;
  virtual SaveChoice AskSaveChanges(
      QWidget* owner, const QString& text,
      const QString& caption = QString::fromLatin1(kDefaultCaption)) = 0;
  // A question with buttons of the program's own: the index of the button
  // chosen, or `escape` when the box is closed without one. `defaultButton`
  // is the one Return presses.
  virtual int AskChoice(QWidget* owner, const QString& text, const QStringList& buttons,
                        int defaultButton, int escape,
                        const QString& caption = QString::fromLatin1(kDefaultCaption)) = 0;
  // An existing file chosen by the user, or an empty string when cancelled.
  virtual QString OpenFile(QWidget* owner, const QList<FileFilter>& filters) = 0;
  // A file name to write to, or an empty string when cancelled.
  virtual QString SaveFile(QWidget* owner, const QList<FileFilter>& filters) = 0;
  // The same, the dialog offering `suggested` (a file name) to start with.
  virtual QString SaveFileSuggesting(QWidget* owner, const QList<FileFilter>& filters,
                                     const QString& suggested) {
    (void)suggested;
    return SaveFile(owner, filters);
  }
  // Runs `dialog` modal and returns how it ended (kDialogOk, kDialogCancel),
  // or kDialogAlreadyOpen when it is showing already.
  virtual int RunModal(QDialog& dialog) = 0;
};

// The one seam. Until something is installed, the Qt implementation is used.
Prompts& prompts();
// Installs `replacement` and returns the previous one.
std::unique_ptr<Prompts> InstallPrompts(std::unique_ptr<Prompts> replacement);

// The save-file dialog, with the extension of its first filter ("*.nes"
// gives ".nes") added to a name typed without one.
QString ChooseSaveFile(QWidget* owner, const QList<FileFilter>& filters);

// Shows messages of the data layer, in order.
void ShowMessage(QWidget* owner, const kivo::Message& message);
void ShowMessages(QWidget* owner, const Messages& messages);

class QtPrompts : public Prompts {
 public:
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
};

}  // namespace kivo::ui
