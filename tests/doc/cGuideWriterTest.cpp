// The user guide's PDF: contents that give each chapter's real page,
// pictures that must exist, and the icon drawn at the size asked for.

#include "cGuideWriter.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <QImage>
#include <gtest/gtest.h>

#include "mIconRender.h"
#include "tests/app/QtTestSupport.h"

namespace {

namespace fs = std::filesystem;

class GuideWriter : public ::testing::Test {
protected:
  void SetUp() override {
    qtTestApp();
    dir_ = fs::temp_directory_path() / ("vorn-guide-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    QImage shot(400, 200, QImage::Format_RGB32);
    shot.fill(Qt::gray);
    ASSERT_TRUE(shot.save(QString::fromStdString((dir_ / "shot.png").string())));
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string writeMarkdown(const std::string& text) {
    const fs::path path = dir_ / "guide.md";
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
  }
  std::string pdf() const { return (dir_ / "guide.pdf").string(); }
  std::string bytes(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  fs::path dir_;
};

// Title page, contents page, then each chapter on a page of its own; the
// second chapter's list is long enough to run over three pages.
std::string threeChapters() {
  std::string md = "# Title\n\nIntro.\n\n## First chapter\n\nText.\n\n### A section\n\n![shot](shot.png)\n\n*Caption*\n\n"
                   "## Second chapter\n\n";
  for (int i = 0; i < 150; ++i) md += "- An item long enough to take a whole line of the page in the guide's font\n";
  md += "\n";
  md += "### Late section\n\nText.\n\n## Third chapter\n\nEnd.\n";
  return md;
}

TEST_F(GuideWriter, ContentsGiveThePageEachChapterAndSectionStartsOn) {
  cGuideWriter guide(writeMarkdown(threeChapters()), dir_.string());
  ASSERT_TRUE(guide.write(pdf())) << guide.error();

  const auto& contents = guide.contents();
  ASSERT_EQ(contents.size(), 5u);
  EXPECT_EQ(contents[0].title, "First chapter");
  EXPECT_EQ(contents[0].level, 2);
  EXPECT_EQ(contents[0].page, 3);
  EXPECT_EQ(contents[1].title, "A section");
  EXPECT_EQ(contents[1].level, 3);
  EXPECT_EQ(contents[1].page, 3);
  EXPECT_EQ(contents[2].title, "Second chapter");
  EXPECT_EQ(contents[2].page, 4);
  EXPECT_EQ(contents[3].title, "Late section");
  EXPECT_GE(contents[3].page, 6);
  EXPECT_EQ(contents[4].title, "Third chapter");
  EXPECT_EQ(contents[4].page, contents[3].page + 1);
  EXPECT_EQ(guide.pageCount(), contents[4].page);

  const std::string file = bytes(pdf());
  EXPECT_EQ(file.substr(0, 5), "%PDF-");
  EXPECT_NE(file.find("/Count " + std::to_string(guide.pageCount())), std::string::npos);
}

TEST_F(GuideWriter, AMissingPictureFailsTheGuideAndLeavesNoFile) {
  cGuideWriter guide(writeMarkdown("# Title\n\n## Chapter\n\n![gone](gone.png)\n"), dir_.string());
  EXPECT_FALSE(guide.write(pdf()));
  EXPECT_NE(guide.error().find("gone.png"), std::string::npos) << guide.error();
  EXPECT_FALSE(fs::exists(pdf()));
}

TEST_F(GuideWriter, AMissingMarkdownFileIsReported) {
  cGuideWriter guide((dir_ / "none.md").string(), dir_.string());
  EXPECT_FALSE(guide.write(pdf()));
  EXPECT_NE(guide.error().find("none.md"), std::string::npos);
}

TEST(IconRender, DrawsTheIconAtEachSizeWithTransparentCorners) {
  qtTestApp();
  const fs::path png = fs::temp_directory_path() / "vorn-icon-test.png";
  for (int size : {16, 48, 256}) {
    std::string error;
    ASSERT_TRUE(mIconRender::renderPng(VORN_SOURCE_DIR "/packaging/icons/com.corvath.vorn.svg", png.string(), size, error))
        << error;
    const QImage image(QString::fromStdString(png.string()));
    EXPECT_EQ(image.size(), QSize(size, size));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "corner at " << size;
    EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255) << "centre at " << size;
  }
  std::string error;
  EXPECT_FALSE(mIconRender::renderPng(VORN_SOURCE_DIR "/no-such.svg", png.string(), 16, error));
  EXPECT_FALSE(error.empty());
  fs::remove(png);
}

}  // namespace
