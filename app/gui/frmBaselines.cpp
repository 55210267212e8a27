#include "app/gui/frmBaselines.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "qtplatform/mCodePage.h"
#include "study/mFormat.h"

namespace {

constexpr const char* kPeriodCaptions[3] = {"Daytime Baseline:", "Evening Baseline:", "Nighttime Baseline:"};
constexpr SF_BASELINE_STATISTIC kStatistics[3] = {SF_BASELINE_LEQ, SF_BASELINE_L90, SF_BASELINE_L50};

}  // namespace

frmBaselines::frmBaselines(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmBaselines"));
  setWindowTitle(QStringLiteral("Baselines from a Measurement"));
  setAccessibleName(windowTitle());

  caption_ = new QLabel(this);
  caption_->setObjectName(QStringLiteral("lblBaselineReceptor"));
  cmboStatistic_ = new QComboBox(this);
  cmboStatistic_->setObjectName(QStringLiteral("cmboStatistic"));
  cmboStatistic_->setAccessibleName(QStringLiteral("Statistic:"));
  for (SF_BASELINE_STATISTIC s : kStatistics)
    cmboStatistic_->addItem(QString::fromLatin1(SF_MeasuredBaselines::StatisticName(s).data(),
                                                static_cast<int>(SF_MeasuredBaselines::StatisticName(s).size())));

  auto* form = new QFormLayout();
  form->addRow(QStringLiteral("Statistic:"), cmboStatistic_);
  for (int p = 0; p < 3; ++p) {
    values_[p] = new QLabel(this);
    values_[p]->setObjectName(QStringLiteral("lblBaseline_%1").arg(p));
    values_[p]->setAccessibleName(QString::fromLatin1(kPeriodCaptions[p]));
    form->addRow(QString::fromLatin1(kPeriodCaptions[p]), values_[p]);
  }
  message_ = new QPlainTextEdit(this);
  message_->setObjectName(QStringLiteral("txtBaselineMessage"));
  message_->setAccessibleName(QStringLiteral("Measurement"));
  message_->setReadOnly(true);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  ok_->setObjectName(QStringLiteral("cmdOK"));
  buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(cmboStatistic_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index >= 0 && index < 3) showStatistic(kStatistics[index]);
  });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(caption_);
  layout->addLayout(form);
  layout->addWidget(message_, 1);
  layout->addWidget(buttons);
  resize(520, 340);
}

void frmBaselines::setReceptor(const std::string& caption, float day, float evening, float night) {
  caption_->setText(mCodePage::toQString(caption));
  present_[0] = day;
  present_[1] = evening;
  present_[2] = night;
}

bool frmBaselines::setMeasurement(Reader reader) {
  reader_ = std::move(reader);
  read_.clear();
  const QSignalBlocker quiet(cmboStatistic_);
  cmboStatistic_->setCurrentIndex(0);
  return showStatistic(SF_BASELINE_LEQ);
}

bool frmBaselines::showStatistic(SF_BASELINE_STATISTIC statistic) {
  statistic_ = statistic;
  auto found = read_.find(statistic);
  bool readable = true;
  if (found == read_.end()) {
    SF_MeasuredBaselines measured;
    readable = reader_ && reader_(statistic, measured);
    found = read_.emplace(statistic, measured).first;
  }
  const SF_MeasuredBaselines& m = found->second;
  bool any = false;
  for (int p = 0; p < 3; ++p) {
    QString line;
    if (m.Has(p)) {
      any = true;
      line = mCodePage::toQString(format0_0(m.Value(p)) + " dBA (now " + format0_0(present_[p]) + ")");
    } else {
      line = mCodePage::toQString("no record; stays " + format0_0(present_[p]));
    }
    values_[p]->setText(line);
  }
  message_->setPlainText(mCodePage::toQString(m.Message()));
  ok_->setEnabled(readable && any);
  return readable;
}

std::optional<float> frmBaselines::baseline(int period) const {
  const auto found = read_.find(statistic_);
  if (period < 0 || period > 2 || found == read_.end() || !found->second.Has(period)) return std::nullopt;
  return static_cast<float>(found->second.Value(period));
}

std::string frmBaselines::message() const {
  const auto found = read_.find(statistic_);
  return found == read_.end() ? std::string() : found->second.Message();
}
