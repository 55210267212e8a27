#include "tests/fuzzwin/cRandomUser.h"

#include <QClipboard>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include "qtplatform/mCodePage.h"
#include "study/cEquipment.h"
#include "tests/fuzzwin/cRandomModals.h"
#include "tests/fuzzwin/mWindowInvariants.h"

namespace {

constexpr std::size_t kLogLines = 40;

std::string show(const QString& text) {
  std::string s = mCodePage::fromQString(text.left(60));
  for (char& c : s)
    if (c == '\t') c = '>';
    else if (c == '\n') c = '/';
  return "'" + s + (text.size() > 60 ? "...'" : "'");
}

std::string at(int col, int row) { return std::to_string(col) + "," + std::to_string(row); }

}  // namespace

cRandomUser::cRandomUser(std::uint64_t seed)
    : seed_(seed), dice_(seed), messages_(dice_), dialog_(dice_, folder_.path()) {
  qtTestApp();
  preparePrograms();
  messages_.log = [this](const std::string& line) { log(line); };
  dialog_.log = [this](const std::string& line) { log(line); };
}

cRandomUser::~cRandomUser() {
  modals_.reset();
  program_.reset();
}

// The program's directory is a copy, so that nothing the user saves can
// reach the build's own files; beside it, a case to open and a junk file.
void cRandomUser::preparePrograms() {
  namespace fs = std::filesystem;
  const fs::path program = folder_.path() / "program";
  fs::create_directories(program);
  for (const char* name : {"VORN Equipment List.equ", "default criteria.cri", "zoom_in.cur", "zoom_out.cur"}) {
    std::error_code ec;
    fs::copy_file(fs::path(VORN_BIN_DIR) / name, program / name, ec);
  }
  programDir_ = program.string() + "/";
  dialog_.example = fs::path(VORN_SOURCE_DIR) / "examples" / "Night Paving.cas";
  std::string junk = "Vornhall - Version 1.0\r\n";
  for (int i = 0; i < 300; ++i) junk += static_cast<char>(dice_.below(256));
  TempDir::write(folder_.file("junk.cas"), junk);
}

bool cRandomUser::start() {
  cStartupServices services{messages_, dialog_, settings_, opener_, programDir_, [this] { ++quits_; }};
  program_ = mMain::startup(services);
  if (!program_) return false;
  window().activateWindow();
  if (!QTest::qWaitForWindowActive(&window())) return false;
  modals_ = std::make_unique<cRandomModals>(
      dice_, [this] { return randomText(); }, [this](const std::string& line) { log(line); });
  return true;
}

void cRandomUser::log(const std::string& line) {
  log_.push_back(line);
  if (log_.size() > kLogLines) log_.pop_front();
  if (qEnvironmentVariableIsSet("VORN_FUZZ_VERBOSE")) fprintf(stderr, "%s\n", line.c_str());
}

std::string cRandomUser::run(int count) {
  const std::vector<Action> all = actions();
  int total = 0;
  for (const Action& a : all) total += a.weight;
  for (int i = 1; i <= count; ++i) {
    int roll = dice_.below(total);
    std::size_t chosen = 0;
    while (roll >= all[chosen].weight) roll -= all[chosen++].weight;
    all[chosen].take();
    QApplication::processEvents();
    if (std::string failure = checkAfter(i); !failure.empty()) {
      std::string report = "seed " + std::to_string(seed_) + ", action " + std::to_string(i) + ": " + failure +
                           "\nreplay: VORN_FUZZ_SEED=" + std::to_string(seed_) +
                           " VORN_FUZZ_ACTIONS=" + std::to_string(i) + "\nlast actions:\n";
      for (const std::string& line : log_) report += "  " + line + "\n";
      return report;
    }
  }
  fprintf(stderr, "window fuzz: seed %llu clean after %d actions; results on show after %d, %d saved cases opened by vorn-batch, %d messages\n",
          static_cast<unsigned long long>(seed_), count, resultsShown_, casesBatched_, messages_.shown);
  return {};
}

std::string cRandomUser::checkAfter(int index) {
  if (modals_->hangs() > 0) return "a dialog did not let the user out";
  if (QApplication::activeModalWidget()) return "a dialog is still open after the action";
  cStudy& s = study();
  for (std::string failure : {mWindowInvariants::finiteEverywhere(s), mWindowInvariants::numberedAndLinked(s),
                              mWindowInvariants::resultsAsTheCaseStands(s, *window().results().grid()),
                              mWindowInvariants::savedCaseMatches(s)}) {
    if (!failure.empty()) return failure;
  }
  // Every case the user saved is one the batch tool opens.
  if (s.caseFile.bCaseOpen) {
    const std::string path = s.caseFile.caseDirectory() + s.caseFile.caseFileName();
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec)) {
      const std::string bytes = TempDir::read(path);
      if (bytes != batchChecked_) {
        batchChecked_ = bytes;
        ++casesBatched_;
        if (std::string failure = mWindowInvariants::batchOpens(path, programDir_); !failure.empty()) return failure;
      }
    }
  }
  (void)index;
  if (!window().results().grid()->text(2, 1).empty()) ++resultsShown_;
  if (qEnvironmentVariableIsSet("VORN_FUZZ_VERBOSE"))
    log("  = receptor " + std::to_string(s.receptorID()) + " of " + std::to_string(s.colReceptors.size()) + ", " +
        std::to_string(s.colEquipment.size()) + " equipment" + (s.caseChanged() ? ", changed" : "") + ", metric " + std::to_string(s.NoiseMetric) + ", results " +
        (window().results().grid()->text(2, 1).empty() ? "empty" : "shown"));
  return {};
}

// ------------------------------------------------------------------ texts

// What a careless user types or pastes: levels and distances, nonsense,
// numbers beyond single precision or below its smallest step, blanks, list
// texts in any case, long texts, and the upper half of the code page.
QString cRandomUser::randomText() {
  switch (dice_.below(14)) {
    case 0: return QString::number(dice_.between(-20, 130));
    case 1: return QString::number(dice_.between(0, 1200) / 10.0, 'f', 1);
    case 2: return QStringLiteral("0");
    case 3: return QString(dice_.between(30, 60), '9');
    case 4: return QStringLiteral("0.") + QString(dice_.between(38, 50), '0') + QStringLiteral("1");
    case 5: return dice_.chance(50) ? QStringLiteral("n/a") : QStringLiteral("N/A");
    case 6: return dice_.chance(50) ? QString() : QStringLiteral(" ");
    case 7: {
      const std::vector<QString> words = {"abc", "-0", "1e39", "40%", "-5", "Residential", "commercial",
                                          "Industrial", "Exempt", "a \"b, c", "\t", "1,5"};
      return dice_.pick(words);
    }
    case 8: {
      const auto& list = program_->equipmentManager.colList;
      if (list.empty()) return QStringLiteral("Backhoe");
      return mCodePage::toQString(list[static_cast<std::size_t>(dice_.below(static_cast<int>(list.size())))]->description);
    }
    case 9: {
      QString text;
      const int n = dice_.between(100, 300);
      for (int i = 0; i < n; ++i) text += QChar(dice_.between(32, 126));
      return text;
    }
    case 10: {
      std::string bytes;
      const int n = dice_.between(1, 20);
      for (int i = 0; i < n; ++i) bytes += static_cast<char>(dice_.between(0x80, 0xFF));
      return mCodePage::toQString(bytes);
    }
    case 11: return QString::fromUtf8("\xe6\xbc\xa2\xf0\x9f\x94\x8a");  // outside the code page
    case 12: return QString::number(dice_.between(1, 100000) / 1000.0, 'f', 3);
    default: return QString::number(dice_.between(30, 95));
  }
}

// Mostly what the column asks for, as a user means to type; otherwise
// anything at all.
QString cRandomUser::textFor(cSheetGrid* sheet, int col) {
  if (dice_.chance(25)) return randomText();
  const bool receptors = sheet == window().receptors().grid();
  if (receptors) {
    if (col == 1) return QStringLiteral("House %1").arg(dice_.between(1, 99));
    if (col == 2) return dice_.pick(std::vector<QString>{"Residential", "Commercial", "Industrial"});
    return QString::number(dice_.between(350, 750) / 10.0, 'f', 1);
  }
  switch (col) {
    case 9: return QString::number(dice_.between(10, 1000));
    case 10: return QString::number(dice_.between(0, 15));
    case 6: case 8: return QString::number(dice_.between(600, 950) / 10.0, 'f', 1);
    case 4: return QString::number(dice_.between(5, 100));
    default: return randomText();
  }
}

// Tab-separated text as a spreadsheet puts it on the clipboard, sometimes
// larger than either sheet.
QString cRandomUser::outsideTable() {
  const int rows = dice_.chance(20) ? dice_.between(20, 110) : dice_.between(1, 5);
  const int cols = dice_.between(1, 12);
  QString text;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      if (c) text += '\t';
      QString cell = dice_.chance(50) ? randomText() : textFor(randomSheet(), c + 1);
      cell.replace('\t', ' ');
      text += cell.left(40);
    }
    text += dice_.chance(50) ? QStringLiteral("\r\n") : QStringLiteral("\n");
  }
  return text;
}

// ----------------------------------------------------------------- pieces

cSheetGrid* cRandomUser::randomSheet() {
  return dice_.chance(45) ? window().receptors().grid() : window().equipmentSheet().grid();
}

// Mostly rows that hold data, sometimes the next ones, anywhere, or the last.
int cRandomUser::randomRow(cSheetGrid* sheet) {
  const bool receptors = sheet == window().receptors().grid();
  const int used = static_cast<int>(receptors ? study().colReceptors.size() : study().colEquipment.size());
  const int max = sheet->maxRows();
  const int roll = dice_.below(20);
  if (roll < 14 && used > 0) return dice_.between(1, std::min(max, used));
  if (roll < 17) return std::min(max, used + dice_.between(1, 2));
  if (roll < 19) return dice_.between(1, max);
  return dice_.between(std::max(1, max - 2), max);
}

void cRandomUser::typeKeys(const QString& text) { cRandomModals::typeKeys(text, &window()); }

// Opens the list of a row's column 2 and picks an item (or Escape).
void cRandomUser::chooseItem(cSheetGrid* sheet, int row, int index) {
  const char* name = sheet == window().receptors().grid() ? "receptors" : "equipment";
  cSheetDriver driver(sheet);
  driver.click(2, row);
  if (!sheet->table()->viewport()->findChild<QComboBox*>()) driver.key(Qt::Key_F4);
  QComboBox* combo = sheet->table()->viewport()->findChild<QComboBox*>();
  if (!combo) {
    log(std::string("no list at ") + name + " 2," + std::to_string(row));
    return;
  }
  index = index % std::max(1, combo->count());
  const bool escape = dice_.chance(10);
  log(std::string("choose item ") + std::to_string(index) + " in " + name + " 2," + std::to_string(row) +
      (escape ? " then Escape" : ""));
  QAbstractItemView* view = combo->view();
  QTest::keyClick(view, Qt::Key_Home);
  for (int i = 0; i < index; ++i) QTest::keyClick(view, Qt::Key_Down);
  QTest::keyClick(view, escape ? Qt::Key_Escape : Qt::Key_Return);
}

void cRandomUser::typeInto(cSheetGrid* sheet, int col, int row, const QString& text) {
  cSheetDriver driver(sheet);
  driver.click(col, row);
  typeKeys(text);
  // Then the user ends the edit somehow, or leaves it open for what comes next.
  switch (dice_.below(6)) {
    case 0: case 1: log("  Enter"); driver.key(Qt::Key_Return); break;
    case 2: log("  Tab"); driver.key(Qt::Key_Tab); break;
    case 3: log("  Escape"); driver.key(Qt::Key_Escape); break;
    case 4: log("  click elsewhere"); driver.click(dice_.between(1, sheet->maxCols()), randomRow(sheet)); break;
    default: log("  left open"); break;
  }
}

bool cRandomUser::menu(const char* name) {
  QAction* action = window().menuItem(QString::fromLatin1(name));
  if (!action || !action->isEnabled() || !action->isVisible()) {
    log(std::string("menu ") + name + " (disabled)");
    return false;
  }
  log(std::string("menu ") + name + " " + action->text().toStdString());
  action->trigger();
  QApplication::processEvents();
  return true;
}

void cRandomUser::button(int index) {
  QPushButton* b = window().command(index);
  if (!b->isVisible() || !b->isEnabled()) {
    log("button " + std::to_string(index) + " (hidden or disabled)");
    return;
  }
  log("button '" + b->text().toStdString() + "'");
  QTest::mouseClick(b, Qt::LeftButton);
  QApplication::processEvents();
}

// ---------------------------------------------------------------- actions

std::vector<cRandomUser::Action> cRandomUser::actions() {
  auto sheetName = [this](cSheetGrid* s) { return s == window().receptors().grid() ? "receptors" : "equipment"; };
  return {
      {24, [=, this] {
         cSheetGrid* sheet = randomSheet();
         const int col = dice_.between(1, sheet->maxCols());
         const int row = randomRow(sheet);
         const QString text = textFor(sheet, col);
         log(std::string("type ") + show(text) + " in " + sheetName(sheet) + " " + at(col, row));
         typeInto(sheet, col, row, text);
       }},
      {8, [=, this] {
         cSheetGrid* sheet = randomSheet();
         chooseItem(sheet, randomRow(sheet), dice_.below(60));
       }},
      {4, [=, this] {
         // A receptor filled in as meant, row by row.
         cSheetGrid* sheet = window().receptors().grid();
         const int row = dice_.between(1, static_cast<int>(study().colReceptors.size()) + 1);
         log("complete receptor " + std::to_string(row));
         typeInto(sheet, 1, row, textFor(sheet, 1));
         chooseItem(sheet, row, dice_.below(3));
         for (int col = 3; col <= 5; ++col) typeInto(sheet, col, row, textFor(sheet, col));
       }},
      {4, [=, this] {
         // A piece of equipment from the list, with its distance.
         cSheetGrid* sheet = window().equipmentSheet().grid();
         const int row = dice_.between(1, static_cast<int>(study().colEquipment.size()) + 1);
         log("complete equipment " + std::to_string(row));
         chooseItem(sheet, row, dice_.below(60));
         typeInto(sheet, 9, row, textFor(sheet, 9));
       }},
      {10, [=, this] {
         cSheetGrid* sheet = window().equipmentSheet().grid();
         const int cols[] = {1, 3, 5, 7, 1, 5, 7};
         const int col = cols[dice_.below(7)];
         const int row = randomRow(sheet);
         cSheetDriver driver(sheet);
         log("check box equipment " + at(col, row));
         driver.click(col, row);
         if (dice_.chance(30)) driver.key(Qt::Key_Space);
       }},
      {8, [=, this] {
         cSheetGrid* sheet = randomSheet();
         const int col = dice_.between(1, sheet->maxCols());
         const int row = randomRow(sheet);
         log(std::string("click ") + sheetName(sheet) + " " + at(col, row));
         cSheetDriver(sheet).click(col, row);
       }},
      {6, [=, this] {
         cSheetGrid* sheet = randomSheet();
         const int c1 = dice_.between(1, sheet->maxCols()), c2 = dice_.between(1, sheet->maxCols());
         const int r1 = randomRow(sheet), r2 = randomRow(sheet);
         log(std::string("select ") + sheetName(sheet) + " " + at(c1, r1) + " to " + at(c2, r2));
         cSheetDriver driver(sheet);
         driver.click(c1, r1);
         driver.shiftClick(c2, r2);
       }},
      {6, [=, this] {
         cSheetGrid* sheet = randomSheet();
         const int r1 = randomRow(sheet), r2 = dice_.chance(60) ? r1 : randomRow(sheet);
         log(std::string("select rows ") + sheetName(sheet) + " " + std::to_string(r1) + " to " + std::to_string(r2));
         cSheetDriver(sheet).selectRows(r1, r2);
       }},
      {5, [=, this] {
         if (dice_.chance(50)) {
           menu("mEdit_0");
         } else {
           log("Ctrl+C");
           cSheetDriver(randomSheet()).key(Qt::Key_C, Qt::ControlModifier);
         }
       }},
      {5, [=, this] {
         if (dice_.chance(50)) {
           menu("mEdit_1");
         } else {
           log("Ctrl+V");
           cSheetDriver(randomSheet()).key(Qt::Key_V, Qt::ControlModifier);
         }
       }},
      {4, [=, this] {
         // Text copied from a spreadsheet elsewhere, pasted on a sheet.
         const QString text = outsideTable();
         QApplication::clipboard()->setText(text);
         cSheetGrid* sheet = randomSheet();
         const int col = dice_.between(1, sheet->maxCols());
         const int row = randomRow(sheet);
         log(std::string("paste from outside ") + show(text) + " at " + sheetName(sheet) + " " + at(col, row));
         cSheetDriver driver(sheet);
         driver.click(col, row);
         if (dice_.chance(50)) menu("mEdit_1");
         else driver.key(Qt::Key_V, Qt::ControlModifier);
       }},
      {4, [=, this] {
         log("Delete key");
         cSheetDriver(randomSheet()).key(Qt::Key_Delete);
       }},
      {4, [=, this] { menu("mEdit_2"); }},
      {5, [=, this] { menu("mEdit_3"); }},
      {3, [=, this] { menu(dice_.chance(50) ? "mUnits_0" : "mUnits_1"); }},
      {3, [=, this] {
         QComboBox* metric = window().cmboMetric();
         metric->setFocus();
         QTest::keyClick(metric, dice_.chance(50) ? Qt::Key_Down : Qt::Key_Up);
         log("metric " + metric->currentText().toStdString());
       }},
      {3, [=, this] {
         if (dice_.chance(60)) menu(dice_.chance(50) ? "mZoom_1" : "mZoom_2");
         QGroupBox* frame = dice_.chance(50) ? window().frameInput() : window().frameResult();
         log("click frame " + frame->title().toStdString());
         QTest::mouseClick(frame, Qt::LeftButton, {}, QPoint(3, 3));
       }},
      {2, [=, this] { button(1); }},
      {3, [=, this] { button(0); }},
      {2, [=, this] { button(2); }},
      {3, [=, this] { button(3); }},
      {2, [=, this] { menu("mOptions_0"); }},
      {1, [=, this] { menu(dice_.chance(50) ? "mHelp_1" : "mHelp_0"); }},
      {1, [=, this] { menu("mFile_0"); }},
      {5, [=, this] { menu("mFile_1"); }},
      {3, [=, this] { menu("mFile_2"); }},
      {3, [=, this] { menu("mFile_3"); }},
      {3, [=, this] { menu(dice_.chance(50) ? "mExport_0" : "mExport_1"); }},
      {2, [=, this] {
         if (dice_.chance(50)) {
           menu("mFile_6");
         } else {
           log("close box");
           window().close();
         }
       }},
      {3, [=, this] {
         QLineEdit* box = window().txtCase();
         const QString text = randomText();
         log("case description " + show(text));
         QTest::mouseClick(box, Qt::LeftButton);
         if (dice_.chance(50)) box->selectAll();
         typeKeys(text);
         if (dice_.chance(50)) QTest::keyClick(box, Qt::Key_Tab);
       }},
  };
}
