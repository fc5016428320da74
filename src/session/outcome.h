// What a command did, for the window that started it or for the command line.
#pragma once

#include <string>
#include <utility>

namespace rmx {

struct Outcome {
  enum class Kind {
    Done,       // finished; whatever it changed is written (the caller lists again)
    Nothing,    // no file or no sample selected: nothing asked, read or written
    Cancelled,  // a question was answered with Cancel: nothing more was done
    Stopped,    // ended early with the caution of its report
    Failed,     // refused or failed, as `message` says; the file is as it was
  };
  Kind kind = Kind::Done;
  std::string message;  // why a command failed, for the user

  static Outcome Done() { return {Kind::Done, {}}; }
  static Outcome Nothing() { return {Kind::Nothing, {}}; }
  static Outcome Cancelled() { return {Kind::Cancelled, {}}; }
  static Outcome Stopped() { return {Kind::Stopped, {}}; }
  static Outcome Failed(std::string why) { return {Kind::Failed, std::move(why)}; }
  bool Is(Kind k) const { return kind == k; }
  bool operator==(Kind k) const { return kind == k; }
};

}  // namespace rmx
