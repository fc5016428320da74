#include "session/dialogs.h"

namespace rmx {

std::string ScriptedDialogs::InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultAnswer) {
  questions.push_back({prompt, title, defaultAnswer});
  if (answers.empty()) return {};
  std::string a = answers.front();
  answers.pop_front();
  return a;
}

void ScriptedDialogs::MessageBox(const std::string& text, const std::string& title, MessageIcon icon) {
  messages.push_back({text, title, icon});
}

bool ScriptedDialogs::YesNo(const std::string& text, const std::string&) {
  yesNoAsked.push_back(text);
  if (yesNo.empty()) return false;
  const bool a = yesNo.front();
  yesNo.pop_front();
  return a;
}

int ScriptedDialogs::ChoosePrinter() {
  ++printerDialogs;
  if (printerCopies.empty()) return 0;
  const int c = printerCopies.front();
  printerCopies.pop_front();
  return c;
}

}  // namespace rmx
