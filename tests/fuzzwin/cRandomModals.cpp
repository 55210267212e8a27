#include "tests/fuzzwin/cRandomModals.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "qtplatform/cSheetGrid.h"
#include "tests/fuzzwin/cDice.h"

namespace {

template <typename T>
QList<T*> usable(QWidget* modal) {
  QList<T*> found;
  for (T* w : modal->findChildren<T*>()) {
    if (w->isVisible() && w->isEnabled() && w->window() == modal) found.push_back(w);
  }
  return found;
}

QString name(const QObject* o) {
  return o->objectName().isEmpty() ? QString::fromLatin1(o->metaObject()->className()) : o->objectName();
}

}  // namespace

cRandomModals::cRandomModals(cDice& dice, std::function<QString()> texts, std::function<void(const std::string&)> log)
    : dice_(dice), texts_(std::move(texts)), log_(std::move(log)) {
  scheduleTick();
}

// A fresh single-shot timer each tick: an act may open a nested modal loop,
// and a timer does not fire again while its own slot runs.
void cRandomModals::scheduleTick() { QTimer::singleShot(0, this, [this] { tick(); }); }

void cRandomModals::tick() {
  scheduleTick();
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal) return;
  if (modal != current_) {
    current_ = modal;
    acts_ = 0;
    budget_ = dice_.below(8);
  }
  ++acts_;
  if (acts_ > 200) {
    ++hangs_;
    log_("modal " + name(modal).toStdString() + " would not close");
    modal->hide();
    return;
  }
  if (acts_ <= budget_) act(modal);
  else leave(modal);
}

void cRandomModals::act(QWidget* modal) {
  const auto buttons = usable<QAbstractButton>(modal);
  const auto boxes = usable<QLineEdit>(modal);
  const auto lists = usable<QComboBox>(modal);
  const auto sheets = usable<cSheetGrid>(modal);
  switch (dice_.below(5)) {
    case 0:
      if (!buttons.isEmpty()) {
        QAbstractButton* b = buttons[dice_.below(static_cast<int>(buttons.size()))];
        log_("  click " + name(b).toStdString() + " '" + b->text().toStdString() + "'");
        b->click();
      }
      break;
    case 1:
      if (!boxes.isEmpty()) {
        QLineEdit* box = boxes[dice_.below(static_cast<int>(boxes.size()))];
        const QString text = texts_();
        log_("  type '" + text.left(40).toStdString() + "' in " + name(box).toStdString());
        box->setFocus();
        box->selectAll();
        typeKeys(text, box);
        if (dice_.chance(50)) QTest::keyClick(box, Qt::Key_Tab);
      }
      break;
    case 2:
      if (!lists.isEmpty()) {
        QComboBox* list = lists[dice_.below(static_cast<int>(lists.size()))];
        list->setFocus();
        QTest::keyClick(list, dice_.chance(50) ? Qt::Key_Down : Qt::Key_Up);
        log_("  list " + name(list).toStdString() + " -> " + list->currentText().toStdString());
      }
      break;
    case 3:
      if (!sheets.isEmpty()) {
        cSheetGrid* sheet = sheets[dice_.below(static_cast<int>(sheets.size()))];
        const int col = dice_.between(1, sheet->maxCols());
        const int row = dice_.between(1, std::max(1, std::min(sheet->maxRows(), 6)));
        QTableWidget* table = sheet->table();
        const QModelIndex index = table->model()->index(row - 1, col - 1);
        table->scrollTo(index);
        log_("  cell " + std::to_string(col) + "," + std::to_string(row) + " of " + name(sheet).toStdString());
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(index).center());
        if (dice_.chance(40) && QApplication::activeModalWidget() == modal) {
          typeKeys(texts_(), table);
          QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : table, Qt::Key_Return);
        }
      }
      break;
    default:
      log_("  key A");
      QTest::keyClick(modal, Qt::Key_A);
      break;
  }
}

void cRandomModals::typeKeys(const QString& text, QWidget* fallback) {
  for (const QChar c : text) {
    QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : fallback;
    const int code = c.toUpper().unicode();
    const auto key = code >= 0x20 && code < 0x7F ? static_cast<Qt::Key>(code) : Qt::Key_unknown;
    QTest::sendKeyEvent(QTest::Click, focus, key, QString(c), Qt::NoModifier);
  }
}

void cRandomModals::leave(QWidget* modal) {
  // A user leaves by a closing button, Escape or the close box.
  const auto buttons = usable<QAbstractButton>(modal);
  QList<QAbstractButton*> closing;
  for (QAbstractButton* b : buttons) {
    const QString t = b->text().remove('&').toLower();
    if (t == "ok" || t == "cancel" || t == "close") closing.push_back(b);
  }
  const int way = dice_.below(4);
  if (way < 2 && !closing.isEmpty()) {
    QAbstractButton* b = closing[dice_.below(static_cast<int>(closing.size()))];
    log_("  leave by '" + b->text().toStdString() + "'");
    b->click();
  } else if (way == 2 || acts_ > budget_ + 20) {
    log_("  leave by the close box");
    modal->close();
  } else {
    log_("  leave by Escape");
    QTest::keyClick(modal, Qt::Key_Escape);
  }
}
