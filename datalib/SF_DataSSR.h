#pragma once
// Saves one spectrum as a "Spectrum Record" file (a short keyword header, the
// band labels and one line of levels) and reads it back. The spectrum's time,
// overall level and metrics are not stored.

#include <memory>
#include <string>

#include "SF_DataMessage.h"
#include "SF_HeaderSSR.h"
#include "SF_Spectrum.h"

class SF_DataSSR {
public:
  // Keeps sfHeader and sets its sFileName, even when the write fails. A
  // spectrum without bands, with a band outside 2 to 50 (which have no
  // label) or with a band missing inside its range is not written.
  SF_DataMessage writeFile(const std::string& sFileName, const std::shared_ptr<SF_HeaderSSR>& sfHeader,
                           const SF_Spectrum& spectrum);
  // New spectrum (and header, when asked for) on success; on failure both
  // are left as they were.
  SF_DataMessage readFile(const std::string& sFileName, std::shared_ptr<SF_Spectrum>& specNew,
                          std::shared_ptr<SF_HeaderSSR>* ssrHeader = nullptr);

  std::shared_ptr<SF_HeaderSSR> Header() const { return header_; }

private:
  std::shared_ptr<SF_HeaderSSR> header_;
};
