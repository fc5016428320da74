// The questions and messages of the commands, behind a small interface: the windows
// answer with Qt dialogs, the tests and the command line with scripted answers.
#pragma once

#include <deque>
#include <string>
#include <vector>

namespace rmx {

enum class MessageIcon { None, Information, Warning, Critical, Question };

// Texts are ISO 8859-1 (core text); CR LF in prompts and messages are line breaks.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A modal input box. Returns the answer; Cancel gives the empty answer.
  virtual std::string InputBox(const std::string& prompt, const std::string& title,
                               const std::string& defaultAnswer = {}) = 0;
  // A message box with an OK button. An empty title shows the program's name.
  virtual void MessageBox(const std::string& text, const std::string& title = {},
                          MessageIcon icon = MessageIcon::None) = 0;
  // A yes/no question; true for Yes.
  virtual bool YesNo(const std::string& text, const std::string& title = {}) = 0;
  // The printer dialog: the number of copies chosen, or 0 when it was cancelled.
  virtual int ChoosePrinter() = 0;
};

// Answers taken from a script, recorded for inspection. When the script runs out,
// input boxes answer empty (Cancel), yes/no answers No and the printer is cancelled.
class ScriptedDialogs : public Dialogs {
 public:
  struct Message {
    std::string text, title;
    MessageIcon icon;
  };
  struct Question {
    std::string prompt, title, defaultAnswer;
  };

  std::deque<std::string> answers;   // input boxes, in order
  std::deque<bool> yesNo;            // yes/no questions, in order
  std::deque<int> printerCopies;     // printer dialogs, in order (0 = Cancel)

  std::vector<Question> questions;   // every input box shown
  std::vector<Message> messages;     // every message box shown
  std::vector<std::string> yesNoAsked;
  int printerDialogs = 0;

  std::string InputBox(const std::string& prompt, const std::string& title,
                       const std::string& defaultAnswer = {}) override;
  void MessageBox(const std::string& text, const std::string& title = {},
                  MessageIcon icon = MessageIcon::None) override;
  bool YesNo(const std::string& text, const std::string& title = {}) override;
  int ChoosePrinter() override;
};

}  // namespace rmx
