#include "compute/ui/frmMitigation.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "qtplatform/mCodePage.h"
#include "compute/mResultCells.h"
#include "study/cStudy.h"
#include "study/mFormat.h"

namespace {

QString text(const std::string& s) { return mCodePage::toQString(s); }

QString amount(const std::optional<double>& value, bool whole) {
  if (!value) return {};
  return text(whole ? format0(*value) : format0_0(*value));
}

}  // namespace

frmMitigation::frmMitigation(const cStudy& study, QWidget* parent) : QDialog(parent), study_(study) {
  setObjectName(QStringLiteral("frmMitigation"));
  setWindowTitle(QStringLiteral("What Would It Take"));
  setAccessibleName(windowTitle());

  caption_ = new QLabel(this);
  caption_->setObjectName(QStringLiteral("lblMitigation"));
  caption_->setWordWrap(true);
  table_ = new QTableWidget(this);
  table_->setObjectName(QStringLiteral("tblNeeds"));
  table_->setAccessibleName(QStringLiteral("Exceeded Limits"));
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->verticalHeader()->hide();
  connect(table_, &QTableWidget::itemSelectionChanged, this, &frmMitigation::selectionChanged);

  auto* buttons = new QDialogButtonBox(this);
  const char* captions[3] = {"Apply Shielding", "Apply Usage", "Apply Distance"};
  const char* names[3] = {"cmdApplyShielding", "cmdApplyUsage", "cmdApplyDistance"};
  for (int i = 0; i < 3; ++i) {
    apply_[i] = buttons->addButton(QString::fromLatin1(captions[i]), QDialogButtonBox::ActionRole);
    apply_[i]->setObjectName(QString::fromLatin1(names[i]));
    apply_[i]->setEnabled(false);
    const auto remedy = static_cast<mMitigation::Remedy>(i);
    connect(apply_[i], &QPushButton::clicked, this, [this, remedy] { choose(remedy); });
  }
  QPushButton* close = buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
  close->setObjectName(QStringLiteral("cmdClose"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(caption_);
  layout->addWidget(table_, 1);
  layout->addWidget(buttons);
  resize(820, 360);
}

void frmMitigation::setNeeds(const std::string& receptorCaption, const std::vector<mMitigation::Need>& needs) {
  needs_ = needs;
  chosenNeed_.reset();
  const QString units = study_.units == 0 ? QStringLiteral("ft") : QStringLiteral("m");
  table_->clear();
  table_->setColumnCount(8);
  table_->setHorizontalHeaderLabels({QStringLiteral("Equipment"), QStringLiteral("Period"), QStringLiteral("Metric"),
                                     QStringLiteral("Level"), QStringLiteral("Limit"),
                                     QStringLiteral("Shielding Needed (dB)"), QStringLiteral("Max Usage (%)"),
                                     QStringLiteral("Min Distance (") + units + QLatin1Char(')')});
  table_->setRowCount(static_cast<int>(needs_.size()));
  for (int i = 0; i < static_cast<int>(needs_.size()); ++i) {
    const mMitigation::Need& n = needs_[static_cast<std::size_t>(i)];
    std::string who = "Total";
    std::shared_ptr<cEquipmentRecord> e;
    if (n.equipmentID != 0 && study_.getEquipment(e, n.equipmentID)) who = e->description;
    const QString cells[8] = {text(who),
                              QString::fromLatin1(mResultCells::periodName(n.period)),
                              QString::fromLatin1(mResultCells::metricName(n.metric)),
                              text(format0_0(n.level)),
                              text(format0_0(n.limit)),
                              amount(n.shielding, false),
                              amount(n.maxUsage, true),
                              amount(n.minDistance, false)};
    for (int c = 0; c < 8; ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      if (c >= 3) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      table_->setItem(i, c, item);
    }
  }
  table_->resizeColumnsToContents();
  QString caption = text(receptorCaption) + QStringLiteral(": ");
  caption += needs_.empty() ? QStringLiteral("every level is within its limit.")
                            : QStringLiteral("choose a line and the change to make. Usage belongs to the piece "
                                             "at every receptor; distance and shielding to this receptor alone. "
                                             "The change can be undone.");
  caption_->setText(caption);
  if (!needs_.empty()) table_->selectRow(0);
  selectionChanged();
}

const mMitigation::Need* frmMitigation::selectedNeed() const {
  const int row = table_->currentRow();
  const QList<QTableWidgetItem*> selected = table_->selectedItems();
  if (selected.isEmpty() || row < 0 || row >= static_cast<int>(needs_.size())) return nullptr;
  return &needs_[static_cast<std::size_t>(row)];
}

void frmMitigation::selectionChanged() {
  const mMitigation::Need* n = selectedNeed();
  apply_[0]->setEnabled(n && n->shielding.has_value());
  apply_[1]->setEnabled(n && n->maxUsage.has_value() && *n->maxUsage > 0.0);
  apply_[2]->setEnabled(n && n->minDistance.has_value());
}

QPushButton* frmMitigation::applyButton(mMitigation::Remedy remedy) const {
  return apply_[static_cast<int>(remedy)];
}

void frmMitigation::choose(mMitigation::Remedy remedy) {
  const mMitigation::Need* n = selectedNeed();
  if (!n) return;
  chosenNeed_ = *n;
  chosenRemedy_ = remedy;
  accept();
}
