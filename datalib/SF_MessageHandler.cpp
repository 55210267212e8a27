#include "SF_MessageHandler.h"

#include <atomic>
#include <cstdio>

namespace {
std::atomic<SF_MessageHandler*> g_handler{nullptr};
}

void SF_MessageHandler::install(SF_MessageHandler* handler) { g_handler.store(handler); }

SF_MessageHandler* SF_MessageHandler::installed() { return g_handler.load(); }

void SF_MessageHandler::report(const std::string& title, const std::string& text, SF_MessageHandler* handler) {
  if (!handler) handler = g_handler.load();
  if (handler) {
    handler->showError(title, text);
    return;
  }
  std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
}
