#include "criteria/ui/frmEquation.h"

#include <memory>
#include <optional>
#include <vector>

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "qtplatform/mCodePage.h"
#include "study/mParseField.h"
#include "criteria/cNoiseLimits.h"
#include "study/IMessageService.h"
#include "study/cStudy.h"
#include "study/mFormat.h"

namespace {

const char* const kKinds[] = {"Exempt", "N/A", "Value", "Maximum", "Baseline+", "Conditional"};
constexpr int kKindCount = 6;

// The boxes each kind reads, in the order they are checked.
const std::vector<int>& boxesOf(int kind) {
  static const std::vector<int> none;
  static const std::vector<int> value{0}, maximum{1, 6}, baselinePlus{2}, conditional{3, 4, 5};
  switch (kind) {
    case 2: return value;
    case 3: return maximum;
    case 4: return baselinePlus;
    case 5: return conditional;
    default: return none;
  }
}

float& fieldOf(cEquationRecord& eq, int box) {
  switch (box) {
    case 0: return eq.value;
    case 1: return eq.maxCompare;
    case 2:
    case 6: return eq.basePlus;
    case 3: return eq.condLessThan;
    case 4: return eq.condThenPlus;
    default: return eq.condElsePlus;
  }
}

QLabel* label(const char* text) { return new QLabel(QString::fromLatin1(text)); }

}  // namespace

frmEquation::frmEquation(cStudy& study, int sheetIndex, std::int16_t row, std::int16_t col, QWidget* parent)
    : QDialog(parent), study_(study), row_(row), col_(col) {
  numSpreadSheet = sheetIndex;
  buildLayout();
  if (const auto eq = study_.NoiseLimits.Criteria.getEquation(sheetIndex, row, col)) {
    holdEquation.copy(*eq);
    // The kind shown is the cell's own: a "Null" cell keeps the text of its
    // last kind, which the copy would take its kind from.
    holdEquation.equationType = eq->equationType;
  }
  displayEquation(holdEquation);
  // Only the user's choices from here on count as changes.
  connect(cmboEquation_, &QComboBox::currentIndexChanged, this, [this](int index) {
    criteriaChanged = true;
    showKind(index);
  });
  for (QLineEdit* edit : txtValue_)
    connect(edit, &QLineEdit::textEdited, this, [this] { criteriaChanged = true; });
  connect(cmdOk_, &QPushButton::clicked, this, &frmEquation::acceptEquation);
  connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void frmEquation::buildLayout() {
  setObjectName(QStringLiteral("frmEquation"));
  setWindowTitle(QStringLiteral("Equation"));
  setAccessibleName(windowTitle());
  for (int i = 0; i < 7; ++i) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("txtValue%1").arg(i));
    edit->setAccessibleName(QStringLiteral("Value %1").arg(i));
    edit->setMaximumWidth(70);
    txtValue_[static_cast<std::size_t>(i)] = edit;
  }
  cmboEquation_ = new QComboBox(this);
  cmboEquation_->setObjectName(QStringLiteral("cmboEquation"));
  cmboEquation_->setAccessibleName(QStringLiteral("Equation"));
  for (const char* kind : kKinds) cmboEquation_->addItem(QString::fromLatin1(kind));

  frames_ = new QStackedWidget(this);
  frames_->setObjectName(QStringLiteral("frameEquation"));
  auto addFrame = [this](const std::vector<std::vector<QWidget*>>& lines) {
    auto* frame = new QWidget(frames_);
    frame->setObjectName(QStringLiteral("frameEquation%1").arg(frames_->count()));
    auto* column = new QVBoxLayout(frame);
    for (const auto& line : lines) {
      auto* row = new QHBoxLayout;
      for (QWidget* w : line) row->addWidget(w);
      row->addStretch();
      column->addLayout(row);
    }
    column->addStretch();
    frames_->addWidget(frame);
  };
  addFrame({{label("Value = Exempt")}});
  addFrame({{label("Value = N/A")}});
  addFrame({{label("Value ="), box(0), label("dBA")}});
  addFrame({{label("Value = Maximum of"), box(1), label("dBA"), label("or Baseline +"), box(6), label("dBA")}});
  addFrame({{label("Value = Baseline +"), box(2), label("dBA")}});
  addFrame({{label("If Baseline <"), box(3), label("dBA Then")},
            {label("    Value = Baseline +"), box(4), label("dBA")},
            {label("Else")},
            {label("    Value = Baseline +"), box(5), label("dBA")}});

  cmdOk_ = new QPushButton(QStringLiteral("Ok"), this);
  cmdOk_->setObjectName(QStringLiteral("cmdClose0"));
  cmdOk_->setDefault(true);
  cmdCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  cmdCancel_->setObjectName(QStringLiteral("cmdClose1"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdOk_);
  buttons->addWidget(cmdCancel_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(cmboEquation_);
  layout->addWidget(frames_);
  layout->addLayout(buttons);
}

void frmEquation::showKind(int kind) {
  if (kind >= 0 && kind < kKindCount) frames_->setCurrentIndex(kind);
}

void frmEquation::displayEquation(const cEquationRecord& eq) {
  // A criterion not set ("Null") opens on the first kind, Exempt.
  equationIndex = static_cast<std::int16_t>(eq.equationType >= 0 && eq.equationType < kKindCount ? eq.equationType : 0);
  cEquationRecord shown = eq;
  for (int i = 0; i < 7; ++i) box(i)->setText(QString::fromStdString(numberText(fieldOf(shown, i))));
  const QSignalBlocker quiet(cmboEquation_);
  cmboEquation_->setCurrentIndex(equationIndex);
  showKind(equationIndex);
}

void frmEquation::acceptEquation() {
  const int kind = cmboEquation_->currentIndex();
  if (kind < 0 || kind >= kKindCount) return;
  auto fresh = std::make_shared<cEquationRecord>();
  fresh->copy(holdEquation);
  fresh->setValueText(kKinds[kind]);
  for (const int i : boxesOf(kind)) {
    const std::optional<float> number = parseFloatField(box(i)->text().trimmed().toStdString());
    if (!number || !(*number > 0.0f)) {
      study_.messages().show("Please insert a number greater than 0.", "Adjustment Factor", MessageIcon::None);
      box(i)->setFocus();
      box(i)->selectAll();
      return;
    }
    fieldOf(*fresh, i) = *number;
  }
  if (criteriaChanged) study_.setCaseChanged(true);
  holdEquation.copy(*fresh);
  // A record of its own for this cell: the tables share the record they are
  // given, so a record reused for the next cell would change this one too.
  const std::int32_t table = numSpreadSheet == 1 ? study_.NoiseMetric : 0;
  study_.NoiseLimits.setCriteria(table, row_, col_, std::move(fresh));
  accept();
}
