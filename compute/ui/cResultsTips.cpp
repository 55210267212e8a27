#include "compute/ui/cResultsTips.h"

#include <QHelpEvent>
#include <QTableWidget>
#include <QTextDocument>
#include <QToolTip>

#include "qtplatform/cSheetGrid.h"
#include "qtplatform/mCodePage.h"
#include "compute/mExplain.h"
#include "study/cStudy.h"

cResultsTips::cResultsTips(cStudy& study, cSheetGrid& sheet) : QObject(&sheet), study_(study), sheet_(sheet) {
  sheet_.table()->viewport()->installEventFilter(this);
}

std::int32_t cResultsTips::equipmentOnRow(int row) const {
  if (row == 1) return mExplain::totalLine;
  // The rows are written as the study displays them: each active, linked
  // and computed piece in order, from row 2 on.
  int shown = 1;
  for (const auto& equipment : study_.colEquipment) {
    std::shared_ptr<cLinkRecord> link;
    if (!study_.getLink(link, study_.receptorID(), equipment->rowID) || !equipment->active) continue;
    if (!link->results.computed) continue;
    if (++shown == row) return equipment->rowID;
  }
  return -1;
}

std::string cResultsTips::tipFor(int col, int row) const {
  // A cleared sheet (input incomplete) explains nothing, though the last
  // results are still stored.
  if (col < 1 || row < 1 || sheet_.isEmpty(col, row) || study_.receptorID() == 0) return {};
  const std::int32_t equipmentID = equipmentOnRow(row);
  if (equipmentID < 0) return {};
  return mExplain::explainCell(study_, study_.receptorID(), equipmentID, col);
}

bool cResultsTips::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QObject::eventFilter(watched, event);
  auto* help = static_cast<QHelpEvent*>(event);
  QTableWidget* table = sheet_.table();
  const QModelIndex index = table->indexAt(help->pos());
  const std::string tip = index.isValid() ? tipFor(index.column() + 1, index.row() + 1) : std::string();
  if (tip.empty()) {
    QToolTip::hideText();
    return true;
  }
  QString text = mCodePage::toQString(tip);
  // Shown as written, even where a line looks like markup.
  if (Qt::mightBeRichText(text)) text = Qt::convertFromPlainText(text, Qt::WhiteSpacePre);
  QToolTip::showText(help->globalPos(), text, table->viewport(), table->visualRect(index));
  return true;
}
