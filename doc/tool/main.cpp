// vorn-docgen: builds the pictures and documents that ship with VORN from
// their sources at build time, so they never go stale.
//   vorn-docgen icon SVG PNG SIZE
//   vorn-docgen guide MARKDOWN IMAGEDIR PDF [PREVIEWDIR]
//   vorn-docgen screenshots PROGRAMDIR CASE OUTDIR

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include <QApplication>

#include "cGuideWriter.h"
#include "mIconRender.h"
#ifdef VORN_DOCGEN_SCREENSHOTS
#include "mScreenshots.h"
#endif

namespace {

int usage() {
  std::cerr << "usage: vorn-docgen icon SVG PNG SIZE\n"
               "       vorn-docgen guide MARKDOWN IMAGEDIR PDF [PREVIEWDIR]\n"
               "       vorn-docgen screenshots PROGRAMDIR CASE OUTDIR\n";
  return 2;
}

int renderIcon(const std::vector<std::string>& args) {
  if (args.size() != 3) return usage();
  const int size = std::atoi(args[2].c_str());
  if (size <= 0) return usage();
  std::string error;
  if (!mIconRender::renderPng(args[0], args[1], size, error)) {
    std::cerr << "vorn-docgen: " << error << '\n';
    return 1;
  }
  return 0;
}

int writeGuide(const std::vector<std::string>& args) {
  if (args.size() != 3 && args.size() != 4) return usage();
  cGuideWriter guide(args[0], args[1]);
  if (args.size() == 4) guide.setPreviewDir(args[3]);
  if (!guide.write(args[2])) {
    std::cerr << "vorn-docgen: " << guide.error() << '\n';
    return 1;
  }
  return 0;
}

#ifdef VORN_DOCGEN_SCREENSHOTS
int takeScreenshots(std::vector<std::string> args) {
  if (args.size() != 3) return usage();
  if (!args[0].empty() && args[0].back() != '/') args[0] += '/';
  std::string error;
  if (!mScreenshots::take(args[0], args[1], args[2], error)) {
    std::cerr << "vorn-docgen: " << error << '\n';
    return 1;
  }
  return 0;
}
#endif

}  // namespace

int main(int argc, char* argv[]) {
  // Pictures are drawn without a display, on the build machine.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc < 2) return usage();
  const std::string command = argv[1];
  const std::vector<std::string> args(argv + 2, argv + argc);
  if (command == "icon") return renderIcon(args);
  if (command == "guide") return writeGuide(args);
#ifdef VORN_DOCGEN_SCREENSHOTS
  if (command == "screenshots") return takeScreenshots(args);
#endif
  return usage();
}
