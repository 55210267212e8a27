#pragma once
// The about box: the program's title, version and the organizations behind
// it. The key "A" (or "a") opens the acknowledgments box.

#include <functional>

#include <QDialog>

class frmAbout : public QDialog {
  Q_OBJECT

public:
  explicit frmAbout(QWidget* parent = nullptr);

  // Runs the acknowledgments box; by default a modal frmCredits. Tests
  // replace it to see that it was asked for.
  std::function<void(QWidget* parent)> showCredits;

protected:
  void keyPressEvent(QKeyEvent* event) override;
};
