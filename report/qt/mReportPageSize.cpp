#include "report/qt/mReportPageSize.h"

#include <algorithm>
#include <array>

namespace mReportPageSize {

QPageSize forLocale(const QLocale& locale) {
  // The countries where Letter is the usual office paper.
  static constexpr std::array kLetter{QLocale::UnitedStates, QLocale::Canada,      QLocale::Mexico,
                                      QLocale::Chile,        QLocale::Colombia,    QLocale::CostaRica,
                                      QLocale::Guatemala,    QLocale::Panama,      QLocale::Philippines,
                                      QLocale::PuertoRico,   QLocale::Venezuela,   QLocale::ElSalvador,
                                      QLocale::Nicaragua,    QLocale::DominicanRepublic};
  // The "C" locale has no country of its own; its paper is A4.
  if (locale.language() == QLocale::C) return QPageSize(QPageSize::A4);
  const bool letter = std::find(kLetter.begin(), kLetter.end(), locale.territory()) != kLetter.end();
  return QPageSize(letter ? QPageSize::Letter : QPageSize::A4);
}

QPageSize forSystem() { return forLocale(QLocale::system()); }

}  // namespace mReportPageSize
