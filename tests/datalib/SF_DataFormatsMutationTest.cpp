// Damaged files never crash a reader: every golden file, cut, overwritten and
// spliced at random (fixed seed), goes through the reader of its format, which
// must either read it or report SF_DATA_FILE_ERROR and hand back nothing.

#include <random>

#include <gtest/gtest.h>

#include "SF_DataGTH.h"
#include "SF_DataINI.h"
#include "SF_DataMIC.h"
#include "SF_DataMask.h"
#include "SF_DataPTH.h"
#include "SF_DataSPC.h"
#include "SF_DataSSR.h"
#include "SF_DataSTH.h"
#include "SF_DataTSPI.h"
#include "FormatTestSupport.h"

namespace {

std::string mutate(std::string bytes, std::mt19937& rng) {
  static const std::string pieces[] = {",", "**", "\r\n", "-", "99999", "-1", ".", ":", "B", "/", " ", "1e9999", "x"};
  auto pick = [&](std::size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
  const int edits = 1 + static_cast<int>(pick(4));
  for (int e = 0; e < edits && !bytes.empty(); ++e) {
    const std::size_t at = pick(bytes.size());
    switch (pick(4)) {
      case 0: bytes.resize(at); break;
      case 1: bytes[at] = static_cast<char>(pick(256)); break;
      case 2: bytes.insert(at, pieces[pick(std::size(pieces))]); break;
      default: bytes.erase(at, 1 + pick(12)); break;
    }
  }
  return bytes;
}

// The unoptimised sanitizer build reads a sample of the damaged files.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kDamagedFiles = 100;
#else
constexpr int kDamagedFiles = 300;
#endif

template <typename Read>
void survive(const std::string& goldenName, Read read) {
  TempDir dir;
  const std::string name = dir.file("damaged");
  const std::string good = golden(goldenName);
  std::mt19937 rng(20051001);
  int failed = 0;
  for (int i = 0; i < kDamagedFiles; ++i) {
    TempDir::write(name, mutate(good, rng));
    if (read(name) != SF_DATA_OK) ++failed;
  }
  EXPECT_GT(failed, 0) << goldenName;
}

}  // namespace

TEST(DataFormatsDamaged, EveryReaderFailsCleanly) {
  survive("sth_three.sth", [](const std::string& n) {
    std::shared_ptr<SF_HeaderSTH> h;
    std::shared_ptr<SF_SpectralTimeHistory> th;
    const auto r = SF_DataSTH().readFile(n, h, th);
    EXPECT_EQ(r == SF_DATA_OK, h && th);
    std::vector<std::string> raw;
    SF_DataSTH().getRawHeader(n, raw);
    return r;
  });
  survive("spc_three.spc", [](const std::string& n) {
    std::shared_ptr<SF_SpectralTimeHistory> th;
    const auto r = SF_DataSPC().readFile(n, th);
    EXPECT_EQ(r == SF_DATA_OK, th != nullptr);
    return r;
  });
  survive("pth_two.pth", [](const std::string& n) {
    std::shared_ptr<SF_HeaderPTH> h;
    std::shared_ptr<SF_PositionTimeHistory> p;
    const auto r = SF_DataPTH().readFile(n, h, p);
    EXPECT_EQ(r == SF_DATA_OK, h && p);
    std::shared_ptr<SF_PositionTimeHistory> t;
    SF_DataTSPI().readFile(n, t);
    return r;
  });
  survive("gth_two.gth", [](const std::string& n) {
    std::shared_ptr<SF_HeaderGTH> h;
    std::shared_ptr<SF_GeometryTimeHistory> g;
    const auto r = SF_DataGTH().readFile(n, h, g);
    EXPECT_EQ(r == SF_DATA_OK, h && g);
    return r;
  });
  survive("mic_one.mic", [](const std::string& n) {
    std::shared_ptr<SF_HeaderMIC> h;
    std::shared_ptr<SF_Microphone> m;
    return SF_DataMIC().readFile(n, h, m);
  });
  survive("mask_two.msk", [](const std::string& n) {
    std::shared_ptr<SF_HeaderMask> h;
    std::shared_ptr<SF_MaskMap> m;
    const auto r = SF_DataMask().readFile(n, h, m);
    EXPECT_EQ(r == SF_DATA_OK, h && m);
    return r;
  });
  survive("ssr_20_30.ssr", [](const std::string& n) {
    std::shared_ptr<SF_Spectrum> s;
    const auto r = SF_DataSSR().readFile(n, s);
    EXPECT_EQ(r == SF_DATA_OK, s != nullptr);
    return r;
  });
  survive("ini_full.ini", [](const std::string& n) { return SF_DataINI().readFile(n); });
}
