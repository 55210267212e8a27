#pragma once
// The acknowledgments box: who designed, programmed and tested the program,
// by role, in a read-only text.

#include <QDialog>

class QPlainTextEdit;

class frmCredits : public QDialog {
  Q_OBJECT

public:
  explicit frmCredits(QWidget* parent = nullptr);

  QPlainTextEdit* creditsText() const { return text_; }

private:
  QPlainTextEdit* text_ = nullptr;
};
