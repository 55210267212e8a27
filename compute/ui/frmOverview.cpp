#include "compute/ui/frmOverview.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "qtplatform/mCodePage.h"
#include "compute/mResultCells.h"
#include "study/cStudy.h"
#include "study/mFormat.h"
#include "study/mMarkers.h"

namespace {

constexpr int kFirstValueColumn = 3;

QString text(const std::string& s) { return mCodePage::toQString(s); }

QString cellText(float exceedance) {
  return text(isMarker(exceedance) ? markerWord(exceedance) : format0_0(exceedance));
}

// "Backhoe: L10 72.3 dBA, limit 65.0 dBA" for the line the worst came from.
QString worstTip(const cStudy& study, const mOverview::Worst& worst, std::int32_t metric) {
  std::string who = "Total";
  std::shared_ptr<cEquipmentRecord> e;
  if (worst.equipmentID != 0 && study.getEquipment(e, worst.equipmentID)) who = e->description;
  std::string tip = who + ": " + mResultCells::metricName(metric) + " " + format0_0(worst.level) + " dBA, limit ";
  tip += isMarker(worst.limit) ? markerWord(worst.limit) : format0_0(worst.limit) + " dBA";
  return text(tip);
}

}  // namespace

frmOverview::frmOverview(const cStudy& study, QWidget* parent) : QDialog(parent), study_(study) {
  setObjectName(QStringLiteral("frmOverview"));
  setWindowTitle(QStringLiteral("Receptor Overview"));
  setAccessibleName(windowTitle());
  setModal(false);

  table_ = new QTableWidget(this);
  table_->setObjectName(QStringLiteral("tblOverview"));
  table_->setAccessibleName(QStringLiteral("Receptors"));
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->verticalHeader()->hide();
  connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    if (row >= 0 && row < static_cast<int>(receptorIDs_.size()))
      emit receptorChosen(receptorIDs_[static_cast<std::size_t>(row)]);
  });

  summary_ = new QLabel(this);
  summary_->setObjectName(QStringLiteral("lblOverview"));
  auto* legend = new QLabel(QStringLiteral("Worst exceedance of the Total and each piece of equipment against its "
                                           "own limits (dB). Over by under 5 dB, 5 to 10 dB, 10 dB or more: "
                                           "yellow, orange, red. Double-click a receptor to select it."),
                            this);
  legend->setWordWrap(true);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* refresh = buttons->addButton(QStringLiteral("Refresh"), QDialogButtonBox::ActionRole);
  refresh->setObjectName(QStringLiteral("cmdRefresh"));
  QPushButton* close = buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
  close->setObjectName(QStringLiteral("cmdClose"));
  connect(refresh, &QPushButton::clicked, this, &frmOverview::refreshRequested);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(summary_);
  layout->addWidget(table_, 1);
  layout->addWidget(legend);
  layout->addWidget(buttons);
  resize(860, 420);
}

QColor frmOverview::colorFor(float exceedance) {
  if (isMarker(exceedance) || !(exceedance > 0.0f)) return {};
  if (exceedance < 5.0f) return QColor(255, 240, 150);
  if (exceedance < 10.0f) return QColor(255, 185, 95);
  return QColor(240, 105, 95);
}

QColor frmOverview::cellColor(int row, int col) const {
  const QTableWidgetItem* item = table_->item(row, col);
  if (!item || item->background().style() == Qt::NoBrush) return {};
  return item->background().color();
}

void frmOverview::setOverview(const std::vector<mOverview::ReceptorOverview>& rows) {
  const std::int32_t metric = mResultCells::caseMetric(study_);
  const QString metricLabel = QString::fromLatin1(mResultCells::metricName(metric));
  QStringList headings{QStringLiteral("Receptor"), QStringLiteral("Description"), QStringLiteral("Land Use")};
  for (int p = 0; p < 3; ++p) {
    const QString period = QString::fromLatin1(mResultCells::periodName(p));
    headings << period + QStringLiteral(" Lmax") << period + QLatin1Char(' ') + metricLabel;
  }
  table_->clear();
  table_->clearSpans();
  table_->setColumnCount(static_cast<int>(headings.size()));
  table_->setHorizontalHeaderLabels(headings);
  table_->setRowCount(static_cast<int>(rows.size()));
  receptorIDs_.clear();

  int exceeding = 0;
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    const mOverview::ReceptorOverview& r = rows[static_cast<std::size_t>(i)];
    receptorIDs_.push_back(r.receptorID);
    std::shared_ptr<cReceptorRecord> receptor;
    study_.getReceptor(receptor, r.receptorID);
    auto put = [&](int col, const QString& value) {
      auto* item = new QTableWidgetItem(value);
      table_->setItem(i, col, item);
      return item;
    };
    put(0, QString::number(r.receptorID));
    put(1, receptor ? text(receptor->description) : QString());
    put(2, receptor ? text(receptor->landUseTxt()) : QString());
    if (!r.computed) {
      put(kFirstValueColumn, QStringLiteral("Input incomplete"));
      table_->setSpan(i, kFirstValueColumn, 1, 6);
      continue;
    }
    bool over = false;
    for (int p = 0; p < 3; ++p) {
      const mOverview::Worst* cells[2] = {&r.periods[p].lmax, &r.periods[p].metric};
      for (int m = 0; m < 2; ++m) {
        const mOverview::Worst& worst = *cells[m];
        QTableWidgetItem* item = put(kFirstValueColumn + 2 * p + m, cellText(worst.exceedance));
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        item->setToolTip(worstTip(study_, worst, m == 0 ? 0 : metric));
        const QColor color = colorFor(worst.exceedance);
        if (color.isValid()) {
          item->setBackground(color);
          item->setForeground(Qt::black);
          over = true;
        }
      }
    }
    if (over) ++exceeding;
  }
  table_->resizeColumnsToContents();
  summary_->setText(QStringLiteral("%1 of %2 receptors exceed a limit.").arg(exceeding).arg(rows.size()));
  stale_ = false;
}

void frmOverview::markStale() {
  if (stale_) return;
  stale_ = true;
  summary_->setText(summary_->text() + QStringLiteral(" The case has changed since: press Refresh."));
}

bool frmOverview::event(QEvent* event) {
  // Coming back to the list after editing the case shows the case as it is.
  if (event->type() == QEvent::WindowActivate && stale_) emit refreshRequested();
  return QDialog::event(event);
}
