#include "vibration/ui/cVibrationTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "qtplatform/mCodePage.h"
#include "study/IMessageService.h"
#include "study/cStudy.h"
#include "study/mFormat.h"
#include "vibration/cVibrationSettings.h"
#include "vibration/mVibration.h"
#include "vibration/mVibrationBeside.h"
#include "vibration/mVibrationCriteria.h"
#include "vibration/mVibrationResults.h"
#include "vibration/mVibrationTable.h"
#if VORN_HAVE_GDAL
#include "vibration/gdal/cGeoPackageVibrationTable.h"
#endif

namespace {

// Tall enough for the controls, the headings and a few rows while shown.
constexpr int kShownHeight = 260;
const QColor kWorstRow(255, 255, 1);

QString text(const std::string& s) { return mCodePage::toQString(s); }

QStringList headings(std::int32_t units) {
  const QString u = units == 0 ? QStringLiteral("ft") : QStringLiteral("m");
  return {QStringLiteral("Equipment"),
          QStringLiteral("Source"),
          QStringLiteral("Distance (%1)").arg(u),
          QStringLiteral("PPV (in/s)"),
          QStringLiteral("PPV Limit"),
          QStringLiteral("PPV Exceedance"),
          QStringLiteral("Lv (VdB)"),
          QStringLiteral("Lv Limit"),
          QStringLiteral("Lv Exceedance"),
          QStringLiteral("Min Distance PPV (%1)").arg(u),
          QStringLiteral("Min Distance Lv (%1)").arg(u)};
}

}  // namespace

cVibrationTab::cVibrationTab(cStudy& study, QWidget* parent)
    : QWidget(parent),
      study_(study),
      settings_(std::make_unique<cVibrationSettings>()),
      held_(std::make_unique<cVibrationSettings>()) {
  setObjectName(QStringLiteral("tabVibration"));
  setAccessibleName(QStringLiteral("Vibration"));
  buildControls();
  study_.holdExtraState = [this] { *held_ = *settings_; };
  study_.restoreExtraState = [this] {
    *settings_ = *held_;
    refresh();
  };
}

cVibrationTab::~cVibrationTab() {
  study_.holdExtraState = nullptr;
  study_.restoreExtraState = nullptr;
}

IVibrationTable* cVibrationTab::siteTable() {
#if VORN_HAVE_GDAL
  static cGeoPackageVibrationTable table;
  return &table;
#else
  return nullptr;
#endif
}

void cVibrationTab::buildControls() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  auto* top = new QHBoxLayout();
  receptor_ = new QLabel(this);
  receptor_->setObjectName(QStringLiteral("lblVibrationReceptor"));
  top->addWidget(receptor_, 1);

  auto labelled = [&](const QString& caption, QWidget* control, const QString& name) {
    auto* label = new QLabel(caption, this);
    label->setBuddy(control);
    control->setObjectName(name);
    control->setAccessibleName(QString(caption).remove(QLatin1Char('&')).remove(QLatin1Char(':')));
    top->addWidget(label);
    top->addWidget(control);
  };
  category_ = new QComboBox(this);
  for (std::int32_t c = 1; c <= static_cast<std::int32_t>(mVibrationCriteria::categoryCount); ++c) {
    const auto& cat = mVibrationCriteria::category(c);
    category_->addItem(QStringLiteral("%1 (%2 in/s)").arg(text(cat.name), QString::fromStdString(formatFixed(cat.ppvLimit, 2))));
  }
  labelled(QStringLiteral("&Building:"), category_, QStringLiteral("cmboBuildingCategory"));
  annoyance_ = new QDoubleSpinBox(this);
  annoyance_->setRange(40.0, 120.0);
  annoyance_->setDecimals(1);
  annoyance_->setSingleStep(1.0);
  annoyance_->setSuffix(QStringLiteral(" VdB"));
  annoyance_->setKeyboardTracking(false);
  labelled(QStringLiteral("&Annoyance limit:"), annoyance_, QStringLiteral("spinAnnoyanceLimit"));
  byLandUse_ = new QCheckBox(QStringLiteral("By &land use"), this);
  byLandUse_->setObjectName(QStringLiteral("chkAnnoyanceByLandUse"));
  byLandUse_->setAccessibleName(QStringLiteral("Annoyance limit by land use"));
  top->addWidget(byLandUse_);
  exponent_ = new QDoubleSpinBox(this);
  exponent_->setRange(mVibration::lowestExponent, mVibration::highestExponent);
  exponent_->setDecimals(2);
  exponent_->setSingleStep(0.05);
  exponent_->setKeyboardTracking(false);
  exponent_->setValue(mVibration::defaultExponent);
  exponent_->setToolTip(QStringLiteral("How fast vibration fades with distance in this soil: 1.5 by default, "
                                       "down to 1.1 for hard, competent soils and rock."));
  labelled(QStringLiteral("Soil &exponent n:"), exponent_, QStringLiteral("spinSoilExponent"));
  layout->addLayout(top);

  table_ = new QTableWidget(0, columnCount, this);
  table_->setObjectName(QStringLiteral("tblVibration"));
  table_->setAccessibleName(QStringLiteral("Vibration"));
  table_->setHorizontalHeaderLabels(headings(0));
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table_->verticalHeader()->setVisible(false);
  layout->addWidget(table_, 1);

  connect(exponent_, &QDoubleSpinBox::valueChanged, this, &cVibrationTab::exponentChosen);
  connect(category_, &QComboBox::currentIndexChanged, this, &cVibrationTab::categoryChosen);
  connect(annoyance_, &QDoubleSpinBox::valueChanged, this, [this](double) { annoyanceChosen(); });
  connect(byLandUse_, &QCheckBox::toggled, this, [this](bool) { annoyanceChosen(); });
}

// ------------------------------------------------------------------ drawing

void cVibrationTab::refresh() {
  stale_ = true;
  if (isVisible()) draw();
}

void cVibrationTab::showEvent(QShowEvent* event) {
  setMinimumHeight(kShownHeight);
  if (stale_) draw();
  QWidget::showEvent(event);
}

void cVibrationTab::hideEvent(QHideEvent* event) {
  setMinimumHeight(0);
  QWidget::hideEvent(event);
}

cReceptorRecord* cVibrationTab::currentReceptor() const {
  std::shared_ptr<cReceptorRecord> r;
  return study_.receptorID() != 0 && study_.getReceptor(r, study_.receptorID()) ? r.get() : nullptr;
}

QComboBox* cVibrationTab::sourceBox(int row) const {
  return qobject_cast<QComboBox*>(table_->cellWidget(row, colSource));
}

QString cVibrationTab::cellText(int col, int row) const {
  const QTableWidgetItem* item = table_->item(row, col);
  return item ? item->text() : QString();
}

void cVibrationTab::setCell(int col, int row, const QString& value) {
  QTableWidgetItem* item = table_->item(row, col);
  if (!item) {
    item = new QTableWidgetItem();
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    table_->setItem(row, col, item);
  }
  item->setText(value);
}

// Kept from one drawing to the next, so that choosing a row in it never
// destroys the list while it reports the choice.
QComboBox* cVibrationTab::sourceBoxFor(int row) {
  if (QComboBox* box = sourceBox(row)) return box;
  auto* box = new QComboBox(table_);
  box->addItem(QStringLiteral("None"));
  for (std::size_t i = 0; i < mVibrationTable::rowCount(); ++i) box->addItem(text(mVibrationTable::row(i).name));
  box->setObjectName(QStringLiteral("cmboSource_%1").arg(row));
  box->setAccessibleName(QStringLiteral("Source"));
  connect(box, &QComboBox::currentIndexChanged, this, [this, row](int index) { sourceChosen(row, index); });
  table_->setCellWidget(row, colSource, box);
  return box;
}

void cVibrationTab::drawCriteria(const cReceptorRecord* receptor) {
  const QSignalBlocker b1(category_), b2(annoyance_), b3(byLandUse_), b4(exponent_);
  exponent_->setValue(settings_->exponent());
  category_->setEnabled(receptor != nullptr);
  byLandUse_->setEnabled(receptor != nullptr);
  if (!receptor) {
    receptor_->setText(QStringLiteral("No Receptor Selected"));
    annoyance_->setEnabled(false);
    return;
  }
  receptor_->setText(QStringLiteral("Receptor #%1: %2").arg(receptor->rowID).arg(text(receptor->description)));
  const auto c = settings_->criteriaFor(study_, *receptor);
  category_->setCurrentIndex(c.category - 1);
  annoyance_->setValue(c.lvLimit);
  byLandUse_->setChecked(c.lvFollowsLandUse);
  annoyance_->setEnabled(!c.lvFollowsLandUse);
}

void cVibrationTab::draw() {
  stale_ = false;
  drawing_ = true;
  const cReceptorRecord* receptor = currentReceptor();
  drawCriteria(receptor);
  table_->setHorizontalHeaderLabels(headings(study_.units));

  std::vector<std::shared_ptr<cEquipmentRecord>> active;
  for (const auto& e : study_.colEquipment)
    if (e->active) active.push_back(e);
  table_->setRowCount(static_cast<int>(active.size()) + 1);
  rowDescriptions_.assign(active.size() + 1, std::string());

  mVibrationResults::Receptor v;
  if (receptor) v = mVibrationResults::compute(study_, *settings_, *receptor);
  for (int col = 0; col < columnCount; ++col) {
    setCell(col, 0, QString());
    table_->item(0, col)->setBackground(kWorstRow);
  }
  setCell(colEquipment, 0, QStringLiteral("Worst"));
  if (v.worstPPV && v.worstLv) {
    const auto& a = v.pieces[*v.worstPPV];
    const auto& b = v.pieces[*v.worstLv];
    setCell(colSource, 0, QStringLiteral("PPV: %1; Lv: %2").arg(text(a.description), text(b.description)));
    setCell(colPPV, 0, text(mVibrationResults::ppvText(a.ppv)));
    setCell(colPPVExceedance, 0, text(mVibrationResults::ppvExceedanceText(a)));
    setCell(colLv, 0, text(mVibrationResults::levelText(b.lv)));
    setCell(colLvExceedance, 0, text(mVibrationResults::lvExceedanceText(b)));
  }
  if (receptor) {
    setCell(colPPVLimit, 0, QString::fromStdString(formatFixed(v.criteria.ppvLimit, 3)));
    setCell(colLvLimit, 0, QString::fromStdString(format0_0(v.criteria.lvLimit)));
  }

  for (std::size_t i = 0; i < active.size(); ++i) {
    const int row = static_cast<int>(i) + 1;
    const cEquipmentRecord& e = *active[i];
    rowDescriptions_[static_cast<std::size_t>(row)] = e.description;
    QComboBox* box = sourceBoxFor(row);
    {
      const QSignalBlocker block(box);
      box->setCurrentIndex(settings_->mapping.rowFor(e.description) + 1);
    }
    setCell(colEquipment, row, text(e.description));
    const mVibrationResults::Piece* p = nullptr;
    for (const auto& piece : v.pieces)
      if (piece.equipID == e.rowID) p = &piece;
    std::vector<QString> cells(columnCount);
    if (p) {
      cells[colDistance] = QString::fromStdString(format0_0(p->distance));
      cells[colPPV] = text(mVibrationResults::ppvText(p->ppv));
      cells[colPPVLimit] = QString::fromStdString(formatFixed(v.criteria.ppvLimit, 3));
      cells[colPPVExceedance] = text(mVibrationResults::ppvExceedanceText(*p));
      cells[colLv] = text(mVibrationResults::levelText(p->lv));
      cells[colLvLimit] = QString::fromStdString(format0_0(v.criteria.lvLimit));
      cells[colLvExceedance] = text(mVibrationResults::lvExceedanceText(*p));
      cells[colMinDistancePPV] = QString::fromStdString(format0_0(p->minDistancePPV));
      cells[colMinDistanceLv] = QString::fromStdString(format0_0(p->minDistanceLv));
    }
    for (int col = colDistance; col < columnCount; ++col) setCell(col, row, cells[static_cast<std::size_t>(col)]);
  }
  drawing_ = false;
}

// ------------------------------------------------------------------ edits

void cVibrationTab::edited() {
  study_.setCaseChanged(true);
  refresh();
}

void cVibrationTab::change(const std::function<bool(cVibrationSettings&)>& edit) {
  if (drawing_) return;
  cVibrationSettings next = *settings_;
  if (!edit(next)) {
    refresh();  // the controls show the settings as they stay
    return;
  }
  study_.holdState(3);
  *settings_ = std::move(next);
  edited();
}

void cVibrationTab::exponentChosen(double n) {
  change([n](cVibrationSettings& s) { return s.exponent() != n && s.setExponent(n); });
}

void cVibrationTab::categoryChosen(int index) {
  cReceptorRecord* r = currentReceptor();
  if (!r) return;
  change([this, r, index](cVibrationSettings& s) {
    return s.criteriaFor(study_, *r).category != index + 1 && s.setCategory(study_, *r, index + 1);
  });
}

void cVibrationTab::annoyanceChosen() {
  cReceptorRecord* r = currentReceptor();
  if (!r) return;
  const std::optional<double> limit =
      byLandUse_->isChecked() ? std::nullopt : std::optional<double>(annoyance_->value());
  change([this, r, limit](cVibrationSettings& s) {
    const auto now = s.criteriaFor(study_, *r);
    if (limit ? !now.lvFollowsLandUse && now.lvLimit == *limit : now.lvFollowsLandUse) return false;
    return s.setAnnoyanceLimit(study_, *r, limit);
  });
}

void cVibrationTab::sourceChosen(int row, int index) {
  if (row <= 0 || row >= static_cast<int>(rowDescriptions_.size())) return;
  const std::string description = rowDescriptions_[static_cast<std::size_t>(row)];
  change([&description, index](cVibrationSettings& s) {
    if (s.mapping.rowFor(description) == index - 1) return false;
    s.mapping.set(description, index - 1);
    return true;
  });
}

// ------------------------------------------------------------------ files

void cVibrationTab::caseClosed() {
  settings_->reset();
  refresh();
}

bool cVibrationTab::caseOpened(const std::string& directory, const std::string& fileName, IMessageService& messages) {
  const bool read = mVibrationBeside::open(study_, *settings_, siteTable(), directory, fileName, messages);
  refresh();
  return read;
}

bool cVibrationTab::caseSaved(const std::string& directory, const std::string& fileName, IMessageService& messages) {
  return mVibrationBeside::save(study_, *settings_, siteTable(), directory, fileName, messages);
}
