#pragma once
// What the widget tests share: one QApplication for the test program, and a
// driver that answers modal dialogs from a script so no test waits on one.

#include <chrono>
#include <deque>
#include <functional>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

inline QApplication& qtTestApp() {
  static int argc = 1;
  static char name[] = "vorn-test";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

// Each step is offered the modal widget on top until it returns true. A modal
// widget that no step wants is rejected after a grace period, and so the test
// fails instead of hanging.
class ModalDriver {
public:
  using Step = std::function<bool(QWidget* modal)>;

  ModalDriver() {
    qtTestApp();
    idle_.start();
    scheduleTick();
  }
  void then(Step step) { steps_.push_back(std::move(step)); }
  bool allStepsTaken() const { return steps_.empty(); }
  int rejectedUnexpected() const { return rejected_; }

private:
  // A fresh single-shot timer for every tick: a step may open a nested modal
  // loop (accepting a dialog that then asks a question), and a timer does not
  // fire again while its own slot is still running.
  void scheduleTick() { QTimer::singleShot(10, &context_, [this] { tick(); }); }

  void tick() {
    scheduleTick();
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    if (!steps_.empty()) {
      // Taken off first: acting may open a nested loop where later steps run.
      Step step = std::move(steps_.front());
      steps_.pop_front();
      idle_.restart();
      if (step(modal)) return;
      steps_.push_front(std::move(step));
    }
    if (idle_.elapsed() > 3000) {
      if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
      else modal->close();
      ++rejected_;
      idle_.restart();
    }
  }

  QObject context_;
  QElapsedTimer idle_;
  std::deque<Step> steps_;
  int rejected_ = 0;
};
