#pragma once
// The L10 adjustment dialog ("L10 = Leq +"): the adjustment in through
// setters, exec(), and out through changed() and adjustment(); the caller
// applies it to the study. OK and Default both count as a change; Default
// keeps the dialog open, and a Cancel after it keeps the default.

#include <QDialog>

class IMessageService;
class QLineEdit;
class QPushButton;

class frmL10Adjust : public QDialog {
  Q_OBJECT

public:
  explicit frmL10Adjust(IMessageService& messages, QWidget* parent = nullptr);

  void setAdjustment(float value);
  void setDefaultAdjustment(float value);

  // Whether OK or Default set an adjustment, and the one they set.
  bool changed() const { return changed_; }
  float adjustment() const { return adjustment_; }

  QLineEdit* adjustmentBox() const { return txtAdjustment_; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

private:
  // The box's value when it holds a finite number of at least 0; otherwise
  // the message, the focus back in the box, and false.
  bool validateBox(float& value);
  void onOk();
  void onDefault();

  IMessageService& messages_;
  QLineEdit* txtAdjustment_ = nullptr;
  QPushButton* cmdOk_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
  QPushButton* cmdDefault_ = nullptr;
  float shown_ = 3.0f;
  float default_ = 3.0f;
  float adjustment_ = 3.0f;
  bool changed_ = false;
  bool validating_ = false;
};
