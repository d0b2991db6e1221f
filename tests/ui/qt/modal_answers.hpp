#pragma once

#include <QApplication>
#include <QObject>
#include <QWidget>
#include <deque>
#include <functional>
#include <vector>

namespace kalkora::testing {

// Answers the modal dialogs that an action opens, set up before the action: each step waits
// until the active modal widget is of its type, then acts on it (fills fields, clicks a button).
// Steps run in the order given, also when one dialog opens another over itself.
class ModalAnswers {
 public:
  template <typename Dialog>
  ModalAnswers& Then(std::function<void(Dialog&)> act) {
    steps_.push_back({[](QWidget* widget) { return dynamic_cast<Dialog*>(widget) != nullptr; },
                      [act](QWidget* widget) { act(*dynamic_cast<Dialog*>(widget)); }});
    return *this;
  }

  // Runs `action` with the steps armed; every step must have found its dialog by its end.
  // A modal dialog that stays up unanswered for two seconds fails the test and is rejected,
  // so that a failing test cannot hang.
  void Run(const std::function<void()>& action);

 private:
  struct Step {
    std::function<bool(QWidget*)> matches;
    std::function<void(QWidget*)> act;
  };

  void Arm();
  void Poll();

  std::deque<Step> steps_;
  std::vector<QWidget*> answering_;  // the dialogs whose steps are still acting
  bool running_ = false;
  QWidget* waitingOn_ = nullptr;
  int waited_ = 0;
  QObject guard_;  // pending polls die with the answers
};

}  // namespace kalkora::testing
