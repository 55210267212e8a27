#pragma once
// Answers whatever modal window comes up (the criteria, equation, limits,
// L10 adjustment, equipment list, export and about dialogs) as a careless
// user does: a few random clicks, texts, list choices and sheet cells, then
// OK, Cancel, Escape or the close box. Driven by a timer, one act per tick,
// so nested dialogs are answered the same way and no test waits on one.

#include <functional>
#include <string>

#include <QObject>
#include <QPointer>
#include <QWidget>

class cDice;

class cRandomModals : public QObject {
public:
  // texts gives the random text typed into a box; log records each act.
  cRandomModals(cDice& dice, std::function<QString()> texts, std::function<void(const std::string&)> log);
  // A modal window that stayed up through this many acts did not let the
  // user out: a hang, counted here.
  int hangs() const { return hangs_; }

  // Types the text key by key into whatever has the focus (or into the
  // fallback), any character the keyboard can give, as a user types.
  static void typeKeys(const QString& text, QWidget* fallback);

private:
  void scheduleTick();
  void tick();
  void act(QWidget* modal);
  void leave(QWidget* modal);

  cDice& dice_;
  std::function<QString()> texts_;
  std::function<void(const std::string&)> log_;
  QPointer<QWidget> current_;
  int acts_ = 0;
  int budget_ = 0;
  int hangs_ = 0;
};
