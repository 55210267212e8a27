#include "SF_DataASCII.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>

#include "platform/SF_FileAccess.h"

namespace {

constexpr char kQuote = '"';
constexpr std::size_t kChunk = 1 << 20;

std::string_view trimSpaces(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && s[b] == ' ') ++b;
  while (e > b && s[e - 1] == ' ') --e;
  return s.substr(b, e - b);
}

struct FileCloser {
  void operator()(std::FILE* f) const { if (f) std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

FilePtr openForReading(const std::string& name, std::uint64_t maxBytes, std::uint64_t& size) {
  return FilePtr(SF_FileAccess::openForReading(name, maxBytes, size));
}

// Calls onLine for every line of the file. Lines end at CR LF, LF or a lone
// CR; a last line without a terminator still counts. False on a read error,
// and when the file turns out longer than maxBytes (files of /proc and files
// still growing give no size in advance).
bool forEachLine(std::FILE* f, std::uint64_t maxBytes, const std::function<void(std::string_view)>& onLine) {
  std::string carry;
  std::vector<char> buf(kChunk);
  bool pendingCR = false;  // the previous chunk ended with CR: skip a leading LF
  bool any = false;
  std::uint64_t total = 0;
  for (;;) {
    const std::size_t n = std::fread(buf.data(), 1, buf.size(), f);
    if (n == 0) break;
    total += n;
    if (total > maxBytes) return false;
    const char* p = buf.data();
    const char* end = p + n;
    if (pendingCR && *p == '\n') ++p;
    pendingCR = false;
    while (p < end) {
      const void* hitCR = std::memchr(p, '\r', static_cast<std::size_t>(end - p));
      const void* hitLF = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
      const char* stop = static_cast<const char*>(hitCR);
      if (!stop || (hitLF && static_cast<const char*>(hitLF) < stop)) stop = static_cast<const char*>(hitLF);
      if (!stop) {
        carry.append(p, end);
        any = true;
        break;
      }
      if (carry.empty()) {
        onLine(std::string_view(p, static_cast<std::size_t>(stop - p)));
      } else {
        carry.append(p, stop);
        onLine(carry);
        carry.clear();
      }
      any = false;
      p = stop + 1;
      if (*stop == '\r') {
        if (p < end) {
          if (*p == '\n') ++p;
        } else {
          pendingCR = true;
        }
      }
    }
  }
  if (std::ferror(f)) return false;
  if (any) onLine(carry);
  return true;
}

// Writes a file beside the target and renames it over the target once it is
// complete, so a failure never leaves a half-written file in its place.
class ReplacingWriter {
public:
  explicit ReplacingWriter(const std::string& target) : target_(target) {}
  ~ReplacingWriter() {
    if (file_) std::fclose(file_);
    if (!tempName_.empty()) SF_FileAccess::remove(tempName_);
  }

  bool open(bool keepExisting) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path path = SF_FileAccess::pathOf(target_);
    if (fs::is_symlink(fs::symlink_status(path, ec))) {
      path = fs::weakly_canonical(path, ec);
      if (ec) return false;
    }
    // Only a regular file is replaced: renaming over a device or a pipe
    // would take its place for every other program.
    const fs::file_status target = fs::status(path, ec);
    const bool exists = fs::exists(target);
    if (exists && !fs::is_regular_file(target)) return false;
    finalName_ = SF_FileAccess::nameOf(path);
    if (exists && !SF_FileAccess::writable(finalName_)) return false;  // the target is read-only
    file_ = SF_FileAccess::createBeside(finalName_, tempName_);
    if (!file_) return false;
    return !exists || !keepExisting || copyExisting();
  }

  bool write(std::string_view text) {
    return std::fwrite(text.data(), 1, text.size(), file_) == text.size();
  }

  bool commit() {
    const bool saved = SF_FileAccess::flushAndClose(file_);
    file_ = nullptr;
    if (!saved || !SF_FileAccess::replace(tempName_, finalName_)) return false;
    tempName_.clear();
    return true;
  }

private:
  bool copyExisting() {
    std::uint64_t size = 0;
    FilePtr in = openForReading(finalName_, UINT64_MAX, size);
    if (!in) return false;
    std::vector<char> buf(kChunk);
    std::size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), in.get())) > 0)
      if (std::fwrite(buf.data(), 1, n, file_) != n) return false;
    return !std::ferror(in.get());
  }

  std::string target_;
  std::string finalName_;
  std::string tempName_;
  std::FILE* file_ = nullptr;
};

SF_DataMessage writeAll(const std::string& name, bool append, std::size_t count,
                        const std::function<void(std::size_t, std::string&)>& lineAt) try {
  ReplacingWriter writer(name);
  if (!writer.open(append)) return SF_DATA_FILE_ERROR;
  std::string block;
  std::string line;
  for (std::size_t i = 0; i < count; ++i) {
    line.clear();
    lineAt(i, line);
    block += line;
    block += "\r\n";
    if (block.size() >= kChunk) {
      if (!writer.write(block)) return SF_DATA_FILE_ERROR;
      block.clear();
    }
  }
  if (!writer.write(block)) return SF_DATA_FILE_ERROR;
  return writer.commit() ? SF_DATA_OK : SF_DATA_FILE_ERROR;
} catch (const std::exception&) {
  // Out of memory while building the lines: the writer has removed its
  // scratch file and the target is as it was.
  return SF_DATA_FILE_ERROR;
}

std::atomic<std::uint64_t> defaultMaxFileBytes{SF_DataASCII::kWeekOfMeasurements};

}  // namespace

void SF_DataASCII::CommentFields(bool quoted) {
  quotedFields_ = quoted;
  openPattern_ = delimiter_ + kQuote;
  closePattern_ = std::string(1, kQuote) + delimiter_;
}

std::uint64_t SF_DataASCII::DefaultMaxFileBytes() { return defaultMaxFileBytes.load(); }

void SF_DataASCII::DefaultMaxFileBytes(std::uint64_t bytes) { defaultMaxFileBytes.store(bytes); }

SF_DataMessage SF_DataASCII::readLines(const std::string& sFileName) try {
  std::uint64_t size = 0;
  FilePtr f = openForReading(sFileName, maxFileBytes_, size);
  if (!f) return SF_DATA_FILE_ERROR;
  std::vector<std::string> lines;
  if (!forEachLine(f.get(), maxFileBytes_, [&](std::string_view line) { lines.emplace_back(line); }))
    return SF_DATA_FILE_ERROR;
  lines_ = std::move(lines);
  fields_.clear();
  return lines_.empty() ? SF_DATA_FILE_ERROR : SF_DATA_OK;
} catch (const std::exception&) {
  return SF_DATA_FILE_ERROR;  // out of memory: what was read is dropped, the object is unchanged
}

SF_DataMessage SF_DataASCII::readFields(const std::string& sFileName) try {
  std::uint64_t size = 0;
  FilePtr f = openForReading(sFileName, maxFileBytes_, size);
  if (!f) return SF_DATA_FILE_ERROR;
  SF_FieldTable table;
  table.reserveBytes(static_cast<std::size_t>(size));
  if (!forEachLine(f.get(), maxFileBytes_, [&](std::string_view line) { splitLine(line, table); }))
    return SF_DATA_FILE_ERROR;
  fields_ = std::move(table);
  lines_.clear();
  return SF_DATA_OK;
} catch (const std::exception&) {
  return SF_DATA_FILE_ERROR;  // out of memory: what was read is dropped, the object is unchanged
}

void SF_DataASCII::addPiece(std::string_view piece, bool restoreMarkers, SF_FieldTable& table) const {
  const bool plain = piece.find(kQuote) == std::string_view::npos &&
                     (!restoreMarkers || piece.find(marker_) == std::string_view::npos);
  if (plain) {
    table.addField(trimSpaces(piece));
    return;
  }
  std::string cleaned;
  cleaned.reserve(piece.size());
  for (char c : piece) {
    if (c == kQuote) continue;
    if (restoreMarkers && c == marker_)
      cleaned += delimiter_;
    else
      cleaned += c;
  }
  table.addField(trimSpaces(cleaned));
}

void SF_DataASCII::splitLine(std::string_view line, SF_FieldTable& table) const {
  table.beginRecord();
  std::string_view rest = trimSpaces(line);
  if (delimiter_ == " ") {
    while (!rest.empty()) {
      const std::size_t sp = rest.find(' ');
      if (sp == std::string_view::npos) {
        table.addField(rest);
        break;
      }
      table.addField(rest.substr(0, sp));
      rest = trimSpaces(rest.substr(sp + 1));
    }
    return;
  }
  if (rest.empty()) {
    table.addField({});
    return;
  }
  std::string protectedLine;
  const bool quoted = quotedFields_ && rest.find(kQuote) != std::string_view::npos;
  if (quoted) {
    protectedLine = protectQuotedDelimiters(rest);
    rest = protectedLine;
  }
  if (delimiter_.empty()) {
    addPiece(rest, quotedFields_, table);
    return;
  }
  std::size_t from = 0;
  for (;;) {
    const std::size_t at = rest.find(delimiter_, from);
    if (at == std::string_view::npos) {
      addPiece(rest.substr(from), quotedFields_, table);
      break;
    }
    addPiece(rest.substr(from, at - from), quotedFields_, table);
    from = at + delimiter_.size();
  }
}

std::string SF_DataASCII::protectQuotedDelimiters(std::string_view source) const {
  std::string line(source);
  const std::size_t len = line.size();
  auto delimiterEndsAt = [&](std::size_t last) {
    const std::size_t d = delimiter_.size();
    return d > 0 && last + 1 >= d && line.compare(last + 1 - d, d, delimiter_) == 0;
  };
  auto delimiterStartsAt = [&](std::size_t first) {
    return !delimiter_.empty() && line.compare(first, delimiter_.size(), delimiter_) == 0;
  };

  // Close up the spaces between delimiters and quotes.
  for (std::size_t q = 0; q < len; ++q) {
    if (line[q] != kQuote) continue;
    std::size_t l = q;
    while (l > 0 && line[l - 1] == ' ') --l;
    if (l > 0 && l < q && delimiterEndsAt(l - 1))
      for (std::size_t i = l; i < q; ++i) line[i] = marker_;
    std::size_t r = q + 1;
    while (r < len && line[r] == ' ') ++r;
    if (r < len && r > q + 1 && delimiterStartsAt(r))
      for (std::size_t i = q + 1; i < r; ++i) line[i] = marker_;
  }
  std::erase(line, marker_);

  // Hide the delimiters inside quoted fields behind the marker. Positions
  // below are 1-based as the search rules are stated; 0 means "from the start".
  const std::size_t n = line.size();
  auto find1 = [&](std::size_t from1, std::string_view what) -> std::size_t {
    const std::size_t at = line.find(what, from1 == 0 ? 0 : from1 - 1);
    return at == std::string::npos ? 0 : at + 1;
  };
  std::size_t pos = (!line.empty() && line[0] == kQuote) ? 1 : 0;
  while (pos <= n) {
    const std::size_t start = pos == 1 ? 1 : find1(pos, openPattern_);
    if (start == 0) break;
    std::size_t end = find1(start, closePattern_);
    if (end == 0) end = find1(start + 2, std::string_view(&kQuote, 1));
    for (std::size_t i = start + 2; i + 1 <= end; ++i)
      if (delimiter_.size() == 1 && line[i - 1] == delimiter_[0]) line[i - 1] = marker_;
    pos = std::max(start + 2, end);
  }
  return line;
}

std::string SF_DataASCII::joinRecord(std::size_t record, bool quoteDelimited) const {
  std::string out;
  const std::size_t n = fields_.fieldCount(record);
  for (std::size_t i = 0; i < n; ++i) {
    if (i > 0) out += delimiter_;
    const std::string_view f = fields_.field(record, i);
    const bool quote = quoteDelimited && !delimiter_.empty() && f.find(delimiter_) != std::string_view::npos;
    if (quote) out += kQuote;
    out += f;
    if (quote) out += kQuote;
  }
  return out;
}

SF_DataMessage SF_DataASCII::writeFieldLines(const std::string& sFileName, bool append, bool quote) const {
  return writeAll(sFileName, append, fields_.size(),
                  [&](std::size_t i, std::string& line) { line = joinRecord(i, quote); });
}

SF_DataMessage SF_DataASCII::writeLines(const std::string& sFileName) const {
  return writeAll(sFileName, false, lines_.size(), [&](std::size_t i, std::string& line) { line = lines_[i]; });
}

SF_DataMessage SF_DataASCII::appendLines(const std::string& sFileName) const {
  return writeAll(sFileName, true, lines_.size(), [&](std::size_t i, std::string& line) { line = lines_[i]; });
}

SF_DataMessage SF_DataASCII::writeFields(const std::string& sFileName) const {
  return writeFieldLines(sFileName, false, false);
}

SF_DataMessage SF_DataASCII::appendFields(const std::string& sFileName) const {
  return writeFieldLines(sFileName, true, quotedFields_);
}
