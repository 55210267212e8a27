#pragma once
// The paper a report is laid out on: Letter where the locale's country uses
// it, A4 everywhere else.

#include <QLocale>
#include <QPageSize>

namespace mReportPageSize {

QPageSize forLocale(const QLocale& locale);
// For the platform's locale.
QPageSize forSystem();

}  // namespace mReportPageSize
