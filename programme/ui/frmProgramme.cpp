#include "programme/ui/frmProgramme.h"

#include <algorithm>
#include <charconv>
#include <system_error>

#include <QCloseEvent>
#include <QComboBox>
#include <QFileSystemWatcher>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "SF_FilePrompt.h"
#include "compute/ui/frmOverview.h"
#include "programme/mProgrammeCompute.h"
#include "programme/mProgrammeFile.h"
#include "programme/mProgrammeReport.h"
#include "programme/ui/cProgrammeChart.h"
#include "programme/ui/cProgrammeTimeline.h"
#include "qtplatform/mCodePage.h"
#include "study/IMessageService.h"
#include "study/cStudy.h"
#include "study/mFormat.h"
#include "study/mMarkers.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kTitle = "VORN";
constexpr const char* periodNames[3] = {"Day", "Evening", "Night"};

QString fromPath(const std::string& utf8) { return QString::fromStdString(utf8); }

fs::path pathOf(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

std::string fileNameOf(const std::string& utf8) {
  const auto u = pathOf(utf8).filename().u8string();
  return std::string(u.begin(), u.end());
}

std::string stemOf(const std::string& utf8) {
  const auto u = pathOf(utf8).stem().u8string();
  return std::string(u.begin(), u.end());
}

fs::file_time_type writeTime(const std::string& utf8) {
  std::error_code ec;
  const auto t = fs::last_write_time(pathOf(utf8), ec);
  return ec ? fs::file_time_type::min() : t;
}

const char* stateText(cPhaseCases::State state) {
  switch (state) {
    case cPhaseCases::State::available:
      return "Available";
    case cPhaseCases::State::missing:
      return "Not found";
    case cPhaseCases::State::unreadable:
      return "Unreadable";
    case cPhaseCases::State::mismatch:
      return "Receptors differ";
  }
  return "";
}

bool parseWeek(const QString& text, std::int32_t& week) {
  const std::string s = text.trimmed().toStdString();
  std::int32_t value = 0;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), value);
  if (r.ec != std::errc() || r.ptr != s.data() + s.size()) return false;
  week = value;
  return true;
}

std::string joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) out += (out.empty() ? "" : "\n") + l;
  return out;
}

QPushButton* button(const char* name, const char* caption, QWidget* parent) {
  auto* b = new QPushButton(QString::fromLatin1(caption), parent);
  b->setObjectName(QString::fromLatin1(name));
  QString accessible = QString::fromLatin1(caption);
  accessible.remove(QLatin1Char('&'));
  if (accessible.endsWith(QStringLiteral("..."))) accessible.chop(3);
  b->setAccessibleName(accessible);
  return b;
}

}  // namespace

frmProgramme::frmProgramme(SF_FilePrompt& prompt, IMessageService& messages, QWidget* parent)
    : QWidget(parent, Qt::Window), prompt_(prompt), messages_(messages) {
  setObjectName(QStringLiteral("frmProgramme"));
  setAccessibleName(QStringLiteral("Programme"));
  build();
  reload();
}

frmProgramme::~frmProgramme() = default;

void frmProgramme::build() {
  auto* layout = new QVBoxLayout(this);

  auto* top = new QFormLayout();
  description_ = new QLineEdit(this);
  description_->setObjectName(QStringLiteral("programmeDescription"));
  description_->setAccessibleName(QStringLiteral("Programme description"));
  top->addRow(QStringLiteral("&Description:"), description_);
  auto* settings = new QHBoxLayout();
  metric_ = new QComboBox(this);
  metric_->setObjectName(QStringLiteral("programmeMetric"));
  metric_->setAccessibleName(QStringLiteral("Metric"));
  metric_->addItems({QStringLiteral("As the first phase"), QStringLiteral("Leq"), QStringLiteral("L10")});
  settings->addWidget(metric_);
  criteria_ = new QLabel(this);
  criteria_->setObjectName(QStringLiteral("programmeCriteria"));
  criteria_->setAccessibleName(QStringLiteral("Criteria"));
  settings->addWidget(criteria_, 1);
  QPushButton* chooseCriteria = button("programmeCriteriaFile", "C&riteria File...", this);
  QPushButton* firstCriteria = button("programmeFirstCriteria", "&First Phase's Criteria", this);
  settings->addWidget(chooseCriteria);
  settings->addWidget(firstCriteria);
  top->addRow(QStringLiteral("&Metric:"), settings);
  layout->addLayout(top);

  phases_ = new QTableWidget(0, phaseColumns, this);
  phases_->setObjectName(QStringLiteral("programmePhases"));
  phases_->setAccessibleName(QStringLiteral("Phases"));
  phases_->setHorizontalHeaderLabels({QStringLiteral("Phase"), QStringLiteral("Case File"),
                                      QStringLiteral("First Week"), QStringLiteral("Last Week"),
                                      QStringLiteral("Day"), QStringLiteral("Evening"), QStringLiteral("Night"),
                                      QStringLiteral("Status")});
  phases_->setSelectionBehavior(QAbstractItemView::SelectRows);
  phases_->setSelectionMode(QAbstractItemView::SingleSelection);
  phases_->horizontalHeader()->setSectionResizeMode(colCase, QHeaderView::Stretch);
  phases_->verticalHeader()->setVisible(false);

  auto* phaseButtons = new QHBoxLayout();
  QPushButton* add = button("programmeAddPhase", "&Add Phase...", this);
  QPushButton* remove = button("programmeRemovePhase", "&Remove Phase", this);
  QPushButton* up = button("programmeMoveUp", "Move &Up", this);
  QPushButton* down = button("programmeMoveDown", "Move Do&wn", this);
  QPushButton* open = button("programmeOpenPhase", "&Open in Main Window", this);
  for (QPushButton* b : {add, remove, up, down, open}) phaseButtons->addWidget(b);
  phaseButtons->addStretch(1);

  timeline_ = new cProgrammeTimeline(this);
  timeline_->setProgramme(&programme_);

  exceedances_ = new QTableWidget(this);
  exceedances_->setObjectName(QStringLiteral("programmeExceedances"));
  exceedances_->setAccessibleName(QStringLiteral("Worst exceedance by receptor, period and week"));
  exceedances_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  auto* chartPage = new QWidget(this);
  auto* chartLayout = new QVBoxLayout(chartPage);
  auto* chartChoice = new QHBoxLayout();
  chartReceptor_ = new QComboBox(chartPage);
  chartReceptor_->setObjectName(QStringLiteral("programmeChartReceptor"));
  chartReceptor_->setAccessibleName(QStringLiteral("Receptor"));
  chartMetric_ = new QComboBox(chartPage);
  chartMetric_->setObjectName(QStringLiteral("programmeChartMetric"));
  chartMetric_->setAccessibleName(QStringLiteral("Level"));
  chartChoice->addWidget(new QLabel(QStringLiteral("Receptor:"), chartPage));
  chartChoice->addWidget(chartReceptor_, 1);
  chartChoice->addWidget(new QLabel(QStringLiteral("Level:"), chartPage));
  chartChoice->addWidget(chartMetric_);
  chart_ = new cProgrammeChart(chartPage);
  chartLayout->addLayout(chartChoice);
  chartLayout->addWidget(chart_, 1);
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("programmeTabs"));
  tabs_->setAccessibleName(QStringLiteral("Programme results"));
  tabs_->addTab(exceedances_, QStringLiteral("Worst &Exceedance"));
  tabs_->addTab(chartPage, QStringLiteral("&Chart"));

  auto* splitter = new QSplitter(Qt::Vertical, this);
  auto* phasePage = new QWidget(splitter);
  auto* phaseLayout = new QVBoxLayout(phasePage);
  phaseLayout->setContentsMargins(0, 0, 0, 0);
  phaseLayout->addWidget(phases_, 1);
  phaseLayout->addLayout(phaseButtons);
  splitter->addWidget(phasePage);
  splitter->addWidget(timeline_);
  splitter->addWidget(tabs_);
  splitter->setStretchFactor(2, 1);
  layout->addWidget(splitter, 1);

  auto* bottom = new QHBoxLayout();
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("programmeStatus"));
  status_->setAccessibleName(QStringLiteral("Programme status"));
  status_->setWordWrap(true);
  bottom->addWidget(status_, 1);
  QPushButton* saveButton = button("programmeSave", "&Save", this);
  QPushButton* saveAsButton = button("programmeSaveAs", "Save &As...", this);
  QPushButton* closeButton = button("programmeClose", "Close", this);
  for (QPushButton* b : {saveButton, saveAsButton, closeButton}) bottom->addWidget(b);
  layout->addLayout(bottom);

  watcher_ = new QFileSystemWatcher(this);

  connect(description_, &QLineEdit::textEdited, this, [this](const QString& text) {
    programme_.description = storableText(mCodePage::fromQString(text));
    markChanged();
  });
  connect(metric_, &QComboBox::activated, this, [this](int index) {
    programme_.noiseMetric = index;
    markChanged();
    recompute();
  });
  connect(chooseCriteria, &QPushButton::clicked, this, &frmProgramme::chooseCriteria);
  connect(firstCriteria, &QPushButton::clicked, this, &frmProgramme::useFirstPhaseCriteria);
  connect(phases_, &QTableWidget::cellChanged, this, &frmProgramme::phaseEdited);
  connect(add, &QPushButton::clicked, this, [this] { addPhase(); });
  connect(remove, &QPushButton::clicked, this, &frmProgramme::removePhase);
  connect(up, &QPushButton::clicked, this, [this] { movePhase(-1); });
  connect(down, &QPushButton::clicked, this, [this] { movePhase(1); });
  connect(open, &QPushButton::clicked, this, &frmProgramme::openSelectedPhase);
  connect(saveButton, &QPushButton::clicked, this, [this] { save(); });
  connect(saveAsButton, &QPushButton::clicked, this, [this] { saveAs(); });
  connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
  connect(chartReceptor_, &QComboBox::currentIndexChanged, this, [this] { showChart(); });
  connect(chartMetric_, &QComboBox::currentIndexChanged, this, [this] { showChart(); });
  connect(watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { reloadIfChanged(); });
  connect(watcher_, &QFileSystemWatcher::fileChanged, this, [this] { reloadIfChanged(); });
  resize(980, 760);
}

// ------------------------------------------------------------ the commands

bool frmProgramme::openFile(const std::string& path) {
  cProgramme read;
  if (!mProgrammeFile::read(path, read)) {
    say("Problem reading programme file.");
    return false;
  }
  programme_ = std::move(read);
  path_ = path;
  changed_ = false;
  reload();
  const auto problems = cases_.messages();
  if (!problems.empty()) say(joined(problems));
  return true;
}

bool frmProgramme::addPhase() {
  prompt_.OpenMode(SF_READ);
  prompt_.FilePrompt("Case File");
  prompt_.FileSuffix("cas");
  if (prompt_.getFile() != SF_FILE_OK) return false;
  return addPhaseFile(prompt_.Directory() + prompt_.FileName(1));
}

bool frmProgramme::addPhaseFile(const std::string& casePath) {
  cProgrammePhase phase;
  phase.name = storableText(stemOf(casePath));
  phase.casePath = mProgrammeFile::resolvePath(std::string(), casePath);
  // A new phase starts where the programme ends, four weeks by day.
  phase.firstWeek = std::clamp(programme_.weekCount() + 1, 1, cProgrammePhase::lastWeekAllowed);
  phase.lastWeek = std::min(phase.firstWeek + 3, cProgrammePhase::lastWeekAllowed);
  const cProgramme before = programme_;
  programme_.addPhase(phase);
  reload();
  const cPhaseCases::Phase& added = cases_.phases().back();
  if (added.state != cPhaseCases::State::available) {
    // Refused: the programme stays as it was, and the user is told why.
    const std::string why = added.state == cPhaseCases::State::mismatch ? added.message + " The phase was not added."
                                                                         : std::string("Problem reading case file.");
    programme_ = before;
    reload();
    say(why);
    return false;
  }
  markChanged();
  phases_->selectRow(static_cast<int>(programme_.phases.size()) - 1);
  return true;
}

void frmProgramme::removePhase() {
  const int row = selectedPhase();
  if (row < 0 || !programme_.removePhase(static_cast<std::size_t>(row))) return;
  markChanged();
  reload();
  if (!programme_.phases.empty()) phases_->selectRow(std::min(row, static_cast<int>(programme_.phases.size()) - 1));
}

void frmProgramme::movePhase(int direction) {
  const int row = selectedPhase();
  if (row < 0 || !programme_.movePhase(static_cast<std::size_t>(row), direction)) return;
  markChanged();
  reload();
  phases_->selectRow(row + direction);
}

void frmProgramme::openSelectedPhase() {
  const int row = selectedPhase();
  if (row < 0) {
    say("Please select a phase.");
    return;
  }
  emit openPhaseRequested(programme_.phases[static_cast<std::size_t>(row)].casePath);
}

bool frmProgramme::save() {
  if (path_.empty()) return saveAs();
  if (mProgrammeFile::write(programme_, path_) != SF_DATA_OK) {
    say("Problem writing programme file.");
    return false;
  }
  changed_ = false;
  showCaption();
  return true;
}

bool frmProgramme::saveAs() {
  prompt_.OpenMode(SF_WRITE);
  prompt_.FilePrompt("Programme File");
  prompt_.FileSuffix(mProgrammeFile::suffix);
  if (prompt_.getFile() != SF_FILE_OK) return false;
  const std::string path = prompt_.Directory() + prompt_.FileName(1);
  if (mProgrammeFile::write(programme_, path) != SF_DATA_OK) {
    say("Problem writing programme file.");
    return false;
  }
  path_ = path;
  changed_ = false;
  showCaption();
  return true;
}

void frmProgramme::chooseCriteria() {
  prompt_.OpenMode(SF_READ);
  prompt_.FilePrompt("Noise Limit Criteria File");
  prompt_.FileSuffix("cri");
  if (prompt_.getFile() != SF_FILE_OK) return;
  programme_.criteriaPath = prompt_.Directory() + prompt_.FileName(1);
  markChanged();
  reload();
  if (!cases_.criteriaMessage().empty()) say(cases_.criteriaMessage());
}

void frmProgramme::useFirstPhaseCriteria() {
  if (programme_.criteriaPath.empty()) return;
  programme_.criteriaPath.clear();
  markChanged();
  reload();
}

void frmProgramme::reloadIfChanged() {
  bool any = readTimes_.size() != programme_.phases.size();
  for (std::size_t k = 0; !any && k < programme_.phases.size(); ++k)
    any = writeTime(programme_.phases[k].casePath) != readTimes_[k];
  if (any) reload();
}

// ------------------------------------------------------------ the window

void frmProgramme::closeEvent(QCloseEvent* event) {
  if (changed_ && !askToSave()) {
    event->ignore();
    return;
  }
  event->accept();
}

bool frmProgramme::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) reloadIfChanged();
  return QWidget::event(event);
}

bool frmProgramme::askToSave() {
  const MessageAnswer answer = messages_.show("Do you want to save the changes to the programme?", kTitle,
                                              MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::Yes);
  return answer == MessageAnswer::No || save();
}

void frmProgramme::say(const std::string& text) { messages_.show(text, kTitle, MessageIcon::Critical); }

int frmProgramme::selectedPhase() const {
  const int row = phases_->currentRow();
  return row >= 0 && row < static_cast<int>(programme_.phases.size()) ? row : -1;
}

void frmProgramme::markChanged() {
  changed_ = true;
  showCaption();
}

void frmProgramme::showCaption() {
  const QString name = path_.empty() ? QStringLiteral("Untitled") : fromPath(fileNameOf(path_));
  setWindowTitle(QStringLiteral("VORN Programme - ") + name + (changed_ ? QStringLiteral(" *") : QString()));
}

void frmProgramme::phaseEdited(int row, int col) {
  if (filling_ || row < 0 || row >= static_cast<int>(programme_.phases.size())) return;
  cProgrammePhase& p = programme_.phases[static_cast<std::size_t>(row)];
  QTableWidgetItem* item = phases_->item(row, col);
  if (!item) return;
  if (col == colName) {
    p.name = storableText(mCodePage::fromQString(item->text()));
  } else if (col == colFirst || col == colLast) {
    std::int32_t week = 0;
    const bool parsed = parseWeek(item->text(), week);
    const std::int32_t first = col == colFirst ? week : p.firstWeek;
    const std::int32_t last = col == colLast ? week : p.lastWeek;
    if (!parsed || !cProgrammePhase::validWeeks(first, last)) {
      showPhases();
      say("Weeks run from 1 to 9999, and a phase's first week is not after its last.");
      return;
    }
    p.firstWeek = first;
    p.lastWeek = last;
  } else if (col >= colDay && col <= colNight) {
    p.periods[col - colDay] = item->checkState() == Qt::Checked;
  } else {
    return;
  }
  markChanged();
  recompute();
}

// ------------------------------------------------------------ filling

void frmProgramme::reload() {
  cases_.load(programme_);
  readTimes_.clear();
  for (const auto& p : programme_.phases) readTimes_.push_back(writeTime(p.casePath));
  watchPhaseFiles();
  recompute();
}

void frmProgramme::watchPhaseFiles() {
  const QStringList old = watcher_->directories() + watcher_->files();
  if (!old.isEmpty()) watcher_->removePaths(old);
  QStringList dirs;
  for (const auto& p : programme_.phases) {
    const QString dir = fromPath(mProgrammeFile::directoryOf(p.casePath));
    if (!dir.isEmpty() && !dirs.contains(dir)) dirs.push_back(dir);
  }
  // A saved case replaces its file, so the directory is what tells of it.
  for (const QString& d : dirs)
    if (fs::is_directory(pathOf(d.toStdString()))) watcher_->addPath(d);
}

void frmProgramme::recompute() {
  results_ = mProgrammeCompute::compute(programme_, cases_);
  showPhases();
  showResults();
  showCaption();
}

void frmProgramme::showPhases() {
  filling_ = true;
  if (!description_->hasFocus()) description_->setText(mCodePage::toQString(programme_.description));
  metric_->setCurrentIndex(std::clamp(programme_.noiseMetric, 0, 2));
  criteria_->setText(programme_.criteriaPath.empty()
                         ? QStringLiteral("Criteria of the first phase")
                         : QStringLiteral("Criteria: ") + fromPath(fileNameOf(programme_.criteriaPath)));
  criteria_->setToolTip(fromPath(programme_.criteriaPath));
  const int current = phases_->currentRow();
  phases_->setRowCount(static_cast<int>(programme_.phases.size()));
  for (int row = 0; row < phases_->rowCount(); ++row) {
    const cProgrammePhase& p = programme_.phases[static_cast<std::size_t>(row)];
    const cPhaseCases::Phase* c =
        static_cast<std::size_t>(row) < cases_.phases().size() ? &cases_.phases()[static_cast<std::size_t>(row)] : nullptr;
    auto set = [&](int col, const QString& text, bool editable) {
      auto* item = new QTableWidgetItem(text);
      if (!editable) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
      phases_->setItem(row, col, item);
      return item;
    };
    set(colName, mCodePage::toQString(p.name), true);
    set(colCase, fromPath(fileNameOf(p.casePath)), false)->setToolTip(fromPath(p.casePath));
    set(colFirst, QString::number(p.firstWeek), true);
    set(colLast, QString::number(p.lastWeek), true);
    for (int k = 0; k < 3; ++k) {
      auto* item = set(colDay + k, QString(), false);
      item->setFlags((item->flags() | Qt::ItemIsUserCheckable) & ~Qt::ItemIsEditable);
      item->setCheckState(p.periods[k] ? Qt::Checked : Qt::Unchecked);
      item->setData(Qt::AccessibleTextRole, QString::fromLatin1(periodNames[k]) +
                                                (p.periods[k] ? QStringLiteral(" worked") : QStringLiteral(" not worked")));
    }
    QTableWidgetItem* status = set(colStatus, QString::fromLatin1(c ? stateText(c->state) : ""), false);
    if (c && c->state != cPhaseCases::State::available) {
      status->setToolTip(mCodePage::toQString(c->message));
      status->setForeground(QColor(180, 0, 0));
    }
  }
  if (current >= 0 && current < phases_->rowCount()) phases_->setCurrentCell(current, 0);
  filling_ = false;
  timeline_->setProgramme(&programme_);
  timeline_->setMinimumHeight(timeline_->sizeHint().height());
}

QString frmProgramme::exceedanceText(const cProgrammeResults::Cell& cell) {
  switch (cell.state) {
    case cProgrammeResults::State::noPhase:
      return QString();
    case cProgrammeResults::State::incomplete:
      return QStringLiteral("N/C");
    case cProgrammeResults::State::computed:
      break;
  }
  const float worst = worstExceedance(cell);
  return QString::fromStdString(mProgrammeReport::levelText(worst));
}

float frmProgramme::worstExceedance(const cProgrammeResults::Cell& cell) {
  const bool lmaxOver = cProgrammeResults::exceeds(cell.lmaxExceedance);
  const bool metricOver = cProgrammeResults::exceeds(cell.exceedance);
  if (lmaxOver && metricOver) return std::max(cell.lmaxExceedance, cell.exceedance);
  if (lmaxOver) return cell.lmaxExceedance;
  if (metricOver) return cell.exceedance;
  // Nothing over: "None" where a limit applies, else the limit's word.
  if (isValueNone(cell.exceedance) || isValueNone(cell.lmaxExceedance)) return valueNone;
  return cell.exceedance;
}

void frmProgramme::showResults() {
  const auto& r = results_;
  const int receptors = static_cast<int>(r.receptors.size());
  exceedances_->clear();
  exceedances_->setRowCount(receptors * 3);
  exceedances_->setColumnCount(r.weekCount);
  QStringList weeks;
  for (int w = 1; w <= r.weekCount; ++w) weeks << QString::number(w);
  exceedances_->setHorizontalHeaderLabels(weeks);
  QStringList rows;
  const std::string metric = r.noiseMetric == 1 ? "Leq" : "L10";
  for (int i = 0; i < receptors; ++i) {
    const auto& rec = r.receptors[static_cast<std::size_t>(i)];
    for (int p = 0; p < 3; ++p) {
      rows << QString::number(rec.id) + QStringLiteral(": ") + mCodePage::toQString(rec.description) +
                  QStringLiteral(", ") + QString::fromLatin1(periodNames[p]);
      for (int w = 1; w <= r.weekCount; ++w) {
        const auto& c = r.cell(static_cast<std::size_t>(i), w, p);
        auto* item = new QTableWidgetItem(exceedanceText(c));
        item->setTextAlignment(Qt::AlignCenter);
        if (c.state == cProgrammeResults::State::computed) {
          const QColor color = frmOverview::colorFor(worstExceedance(c));
          if (color.isValid()) item->setBackground(color);
          item->setToolTip(mCodePage::toQString(
              "Week " + std::to_string(w) + ", " + periodNames[p] + ": Lmax " + format0_0(c.lmax) + " (limit " +
              mProgrammeReport::limitText(c.lmaxLimit) + "), " + metric + " " +
              (c.hasLevel ? format0_0(c.level) : std::string("-")) + " (limit " +
              mProgrammeReport::limitText(c.limit) + "); " + r.phasesText(w, p)));
        } else if (c.state == cProgrammeResults::State::incomplete) {
          item->setToolTip(mCodePage::toQString("Not computed: " + r.phasesText(w, p) +
                                                " cannot all be computed at this receptor."));
        }
        exceedances_->setItem(i * 3 + p, w - 1, item);
      }
    }
  }
  exceedances_->setVerticalHeaderLabels(rows);
  exceedances_->resizeColumnsToContents();

  const QSignalBlocker blockReceptor(chartReceptor_);
  const QSignalBlocker blockMetric(chartMetric_);
  const int chosen = std::max(0, chartReceptor_->currentIndex());
  const int chosenMetric = std::max(0, chartMetric_->currentIndex());
  chartReceptor_->clear();
  for (const auto& rec : r.receptors)
    chartReceptor_->addItem(QString::number(rec.id) + QStringLiteral(": ") + mCodePage::toQString(rec.description));
  chartReceptor_->setCurrentIndex(std::min(chosen, receptors - 1));
  chartMetric_->clear();
  chartMetric_->addItems({QStringLiteral("Lmax"), QString::fromStdString(metric)});
  chartMetric_->setCurrentIndex(chosenMetric);
  showChart();

  const auto problems = r.messages;
  status_->setText(problems.empty() ? QString() : mCodePage::toQString(joined(problems)));
}

void frmProgramme::showChart() {
  chart_->show(&results_, chartReceptor_->currentIndex(), chartMetric_->currentIndex());
}
