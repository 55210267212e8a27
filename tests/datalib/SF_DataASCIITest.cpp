#include <filesystem>
#include <string>
#include <vector>
#include <csignal>
#ifndef _WIN32
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include "SF_DataASCII.h"
#include "../support/TempDir.h"

using Records = std::vector<std::vector<std::string>>;

namespace {

Records splitOne(const std::string& line, const std::string& delimiter = ",", bool quoted = false) {
  SF_DataASCII a;
  a.Delimiter(delimiter);
  a.CommentFields(quoted);
  SF_FieldTable t;
  a.splitLine(line, t);
  return t.toVectors();
}

Records readWith(const std::string& bytes, const std::string& delimiter, bool quoted) {
  TempDir dir;
  const std::string name = dir.file("in.txt");
  TempDir::write(name, bytes);
  SF_DataASCII a;
  a.Delimiter(delimiter);
  a.CommentFields(quoted);
  EXPECT_EQ(a.readFields(name), SF_DATA_OK);
  return a.Fields().toVectors();
}

}  // namespace

TEST(DataASCIISplit, UnquotedRemovesQuotesAndTrims) {
  EXPECT_EQ(splitOne("a, \"b\" ,c"), (Records{{"a", "b", "c"}}));
  EXPECT_EQ(splitOne("  x ,, y  "), (Records{{"x", "", "y"}}));
  EXPECT_EQ(splitOne("a,b,"), (Records{{"a", "b", ""}}));
  EXPECT_EQ(splitOne("1,\"2,3\",4"), (Records{{"1", "2", "3", "4"}}));
}

TEST(DataASCIISplit, QuotedKeepsDelimitersInsideQuotes) {
  EXPECT_EQ(splitOne("x, \"1,2\" ,y", ",", true), (Records{{"x", "1,2", "y"}}));
  EXPECT_EQ(splitOne("\"a,b\",c", ",", true), (Records{{"a,b", "c"}}));
  EXPECT_EQ(splitOne("1,\"Dozer, large\",YES,40", ",", true), (Records{{"1", "Dozer, large", "YES", "40"}}));
  EXPECT_EQ(splitOne("\"\",\"a,b,c\",\"\"", ",", true), (Records{{"", "a,b,c", ""}}));
  // The field that opens the line is scanned from its second character on.
  EXPECT_EQ(splitOne("\",a\",b", ",", true), (Records{{"", "a", "b"}}));
}

TEST(DataASCIISplit, QuotedLineLosesBarsOutsideQuotes) {
  EXPECT_EQ(splitOne("a|b,\"c,d\"", ",", true), (Records{{"ab", "c,d"}}));
  // Without any quote the line is left as it is, and a bar becomes the delimiter.
  EXPECT_EQ(splitOne("a|b,c", ",", true), (Records{{"a,b", "c"}}));
}

TEST(DataASCIISplit, UnterminatedQuoteDoesNotHang) {
  // No closing quote: nothing is protected.
  EXPECT_EQ(splitOne("a,\"b,c", ",", true), (Records{{"a", "b", "c"}}));
  EXPECT_EQ(splitOne("\"", ",", true), (Records{{""}}));
  EXPECT_EQ(splitOne(",\",", ",", true), (Records{{"", "", ""}}));
}

TEST(DataASCIISplit, SpaceDelimiterRunsAndBlankLines) {
  EXPECT_EQ(splitOne("  a   b c  ", " "), (Records{{"a", "b", "c"}}));
  EXPECT_EQ(splitOne("a\tb c", " "), (Records{{"a\tb", "c"}}));
  EXPECT_EQ(splitOne("    ", " "), (Records{{}}));
  EXPECT_EQ(splitOne("", " "), (Records{{}}));
  EXPECT_EQ(splitOne("   "), (Records{{""}}));
}

TEST(DataASCIISplit, PatternsKeepDelimiterInForceAtCommentFields) {
  SF_DataASCII a;
  a.CommentFields(true);  // patterns built for ","
  a.Delimiter(";");
  SF_FieldTable t;
  a.splitLine("a;\"b;c\";d", t);
  // The ";" patterns were never built, so the quoted ";" is not protected.
  EXPECT_EQ(t.toVectors(), (Records{{"a", "b", "c", "d"}}));
}

TEST(DataASCIIRead, LineEndingsOfEveryKind) {
  TempDir dir;
  const std::string name = dir.file("mixed.txt");
  TempDir::write(name, "one\r\ntwo\nthree\rfour\r\n\r\nlast");
  SF_DataASCII a;
  ASSERT_EQ(a.readLines(name), SF_DATA_OK);
  EXPECT_EQ(a.Lines(), (std::vector<std::string>{"one", "two", "three", "four", "", "last"}));
}

TEST(DataASCIIRead, EmptyFileAndBlankLine) {
  TempDir dir;
  const std::string name = dir.file("empty.txt");
  TempDir::write(name, "");
  SF_DataASCII a;
  EXPECT_EQ(a.readLines(name), SF_DATA_FILE_ERROR);
  EXPECT_TRUE(a.Lines().empty());
  EXPECT_EQ(a.readFields(name), SF_DATA_OK);
  EXPECT_TRUE(a.Fields().empty());
  EXPECT_EQ(readWith("\r\n", ",", false), (Records{{""}}));
  EXPECT_EQ(readWith("\r\n", " ", false), (Records{{}}));
}

TEST(DataASCIIRead, BytesPassThroughUnchanged) {
  const std::string odd = std::string("caf\xE9 \x80\xFF", 7) + std::string(1, '\0') + "z";
  TempDir dir;
  const std::string name = dir.file("bytes.txt");
  TempDir::write(name, odd + "\r\n");
  SF_DataASCII a;
  ASSERT_EQ(a.readLines(name), SF_DATA_OK);
  ASSERT_EQ(a.Lines().size(), 1u);
  EXPECT_EQ(a.Lines()[0], odd);
  const std::string out = dir.file("out.txt");
  ASSERT_EQ(a.writeLines(out), SF_DATA_OK);
  EXPECT_EQ(TempDir::read(out), odd + "\r\n");
}

TEST(DataASCIIRead, FailuresLeaveDataInPlace) {
  TempDir dir;
  SF_DataASCII a;
  a.Lines({"kept"});
  EXPECT_EQ(a.readLines(dir.file("missing.txt")), SF_DATA_FILE_ERROR);
  EXPECT_EQ(a.readLines(dir.path().string()), SF_DATA_FILE_ERROR);
  EXPECT_EQ(a.readFields(dir.path().string()), SF_DATA_FILE_ERROR);
  EXPECT_EQ(a.Lines(), std::vector<std::string>{"kept"});
  // A file that opens but fails to read (EIO) is an error, even for root.
  if (std::filesystem::exists("/proc/self/mem")) {
    EXPECT_EQ(a.readLines("/proc/self/mem"), SF_DATA_FILE_ERROR);
    EXPECT_EQ(a.readFields("/proc/self/mem"), SF_DATA_FILE_ERROR);
  }
#ifndef _WIN32
  if (geteuid() != 0) {
    const std::string locked = dir.file("locked.txt");
    TempDir::write(locked, "x\r\n");
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    EXPECT_EQ(a.readLines(locked), SF_DATA_FILE_ERROR);
  }
#endif
}

TEST(DataASCIIRead, HugeSingleLine) {
  TempDir dir;
  const std::string name = dir.file("long.txt");
  std::string line(80u << 20, 'a');
  line[1000] = ',';
  TempDir::write(name, line);
  SF_DataASCII a;
  ASSERT_EQ(a.readFields(name), SF_DATA_OK);
  ASSERT_EQ(a.Fields().size(), 1u);
  ASSERT_EQ(a.Fields().fieldCount(0), 2u);
  EXPECT_EQ(a.Fields().field(0, 0).size(), 1000u);
  EXPECT_EQ(a.Fields().field(0, 1).size(), line.size() - 1001);
}

TEST(DataASCIIRead, CrLfSplitAcrossReadChunks) {
  // A CR at the very end of a 1 MiB chunk with its LF in the next one is one line end.
  std::string bytes(1u << 20, 'x');
  bytes[(1u << 20) - 1] = '\r';
  bytes += "\nnext\r\n";
  TempDir dir;
  const std::string name = dir.file("chunk.txt");
  TempDir::write(name, bytes);
  SF_DataASCII a;
  ASSERT_EQ(a.readLines(name), SF_DATA_OK);
  ASSERT_EQ(a.Lines().size(), 2u);
  EXPECT_EQ(a.Lines()[1], "next");
}

TEST(DataASCIIWrite, FieldsLinesAndAppends) {
  TempDir dir;
  const std::string name = dir.file("w.txt");
  SF_DataASCII a;
  a.Fields(Records{{"a", "b,c", "\"q\""}, {}, {"z"}});
  ASSERT_EQ(a.writeFields(name), SF_DATA_OK);
  EXPECT_EQ(TempDir::read(name), "a,b,c,\"q\"\r\n\r\nz\r\n");

  SF_DataASCII quoted;
  quoted.CommentFields(true);
  quoted.Fields(Records{{"a", "b,c", "\"q\""}});
  ASSERT_EQ(quoted.appendFields(name), SF_DATA_OK);
  EXPECT_EQ(TempDir::read(name), "a,b,c,\"q\"\r\n\r\nz\r\na,\"b,c\",\"q\"\r\n");

  SF_DataASCII plain;
  plain.Fields(Records{{"b,c"}});
  ASSERT_EQ(plain.appendFields(name), SF_DATA_OK);
  EXPECT_EQ(TempDir::read(name).substr(TempDir::read(name).size() - 5), "b,c\r\n");

  SF_DataASCII lines;
  lines.Lines({"x"});
  const std::string fresh = dir.file("fresh.txt");
  ASSERT_EQ(lines.appendLines(fresh), SF_DATA_OK);
  ASSERT_EQ(lines.appendLines(fresh), SF_DATA_OK);
  EXPECT_EQ(TempDir::read(fresh), "x\r\nx\r\n");
}

TEST(DataASCIIWrite, FailedWriteKeepsPreviousFile) {
  TempDir dir;
  SF_DataASCII a;
  a.Lines({"new"});
  EXPECT_EQ(a.writeLines(dir.path().string()), SF_DATA_FILE_ERROR);
  EXPECT_EQ(a.writeLines(dir.file("no/such/dir/x.txt")), SF_DATA_FILE_ERROR);

  const std::string name = dir.file("keep.txt");
  TempDir::write(name, "old\r\n");
#ifndef _WIN32
  if (geteuid() != 0) {
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_EQ(a.writeLines(name), SF_DATA_FILE_ERROR);
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
    EXPECT_EQ(TempDir::read(name), "old\r\n");
  }
  // A file-size limit makes the write fail part-way; the old file stays whole.
  {
    struct rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 2u << 20;
    setrlimit(RLIMIT_FSIZE, &small);
    SF_DataASCII big;
    big.Lines(std::vector<std::string>(10, std::string(1 << 20, 'x')));
    const SF_DataMessage status = big.writeLines(name);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(status, SF_DATA_FILE_ERROR);
    EXPECT_EQ(TempDir::read(name), "old\r\n");
  }
#endif
  ASSERT_EQ(a.writeLines(name), SF_DATA_OK);
  EXPECT_EQ(TempDir::read(name), "new\r\n");
  for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
    EXPECT_EQ(entry.path().filename().string().find(".vorn-"), std::string::npos) << "temporary left behind";
}

TEST(DataASCIIRoundTrip, QuotedAppendReadsBack) {
  TempDir dir;
  const std::string name = dir.file("rt.csv");
  const Records records{{"Backhoe, small", "YES", "40", "80.5"}, {"plain", "", "x y", "-1"}};
  SF_DataASCII w;
  w.CommentFields(true);
  w.Fields(records);
  ASSERT_EQ(w.appendFields(name), SF_DATA_OK);
  SF_DataASCII r;
  r.CommentFields(true);
  ASSERT_EQ(r.readFields(name), SF_DATA_OK);
  EXPECT_EQ(r.Fields().toVectors(), records);
}
