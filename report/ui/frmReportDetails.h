#pragma once
// Options > Report Details...: who prepares the reports, the organisation
// and the author the PDF report's title block names. Values in through the
// setter, exec(), values out through the getter; the caller keeps them in
// the settings.

#include <QDialog>

#include "report/mPdfReport.h"

class QLineEdit;

class frmReportDetails : public QDialog {
  Q_OBJECT

public:
  explicit frmReportDetails(QWidget* parent = nullptr);

  void setPreparer(const mPdfReport::Preparer& preparer);
  // The texts as typed, without surrounding spaces.
  mPdfReport::Preparer preparer() const;

  QLineEdit* organisationBox() const { return organisation_; }
  QLineEdit* authorBox() const { return author_; }

private:
  QLineEdit* organisation_ = nullptr;
  QLineEdit* author_ = nullptr;
};
