#include "cli/qt/mBatchQt.h"

#include <cstdio>
#include <memory>

#include <QGuiApplication>

#include "cli/mBatch.h"
#include "cli/mBatchPdf.h"
#include "qtplatform/cQtSettingsStore.h"
#include "report/qt/cPdfReportWriter.h"
#include "report/qt/cPreparerSettings.h"
#include "report/qt/mReportPageSize.h"
#include "report/qt/mReportPlaces.h"

namespace mBatchQt {

namespace {

// The tool's standard error is for its own messages; Qt's notes about the
// platform it runs on (no display, no runtime directory) are left out.
void onlyQtFailures(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

int main(int argc, char** argv, const std::vector<std::string>& args, const std::string& programDir,
         std::ostream& out, std::ostream& err, ISettingsStore* settings) {
  if (!mBatchPdf::requested(args)) return mBatch::main(args, programDir, out, err);
  // Laying text out needs a Qt application, never a display.
  std::unique_ptr<QGuiApplication> app;
  if (!QGuiApplication::instance()) {
    qInstallMessageHandler(onlyQtFailures);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app = std::make_unique<QGuiApplication>(argc, argv);
  }
  std::unique_ptr<cQtSettingsStore> userSettings;
  if (!settings) {
    userSettings = std::make_unique<cQtSettingsStore>();
    settings = userSettings.get();
  }
  cPdfReportWriter writer(mReportPageSize::forSystem(), cPdfReportWriter::PathText::utf8);
  mBatchPdf::provide({&writer, cPreparerSettings(*settings).read(), &mReportPlaces::fill});
  const int status = mBatch::main(args, programDir, out, err);
  mBatchPdf::provide({});
  return status;
}

}  // namespace mBatchQt
