#include "memscene/json_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "base/error.h"
#include "base/utf8.h"
#include "memscene/json_scan.h"
#include "memscene/state.h"

namespace morvel::mem {
namespace {

constexpr std::size_t kChunkBytes = std::size_t{1} << 18;

// How a byte the reader did not expect is named in a message.
std::string ByteText(int c) {
  if (c < 0) return "the end of the file";
  if (c >= 0x21 && c < 0x7F)
    return std::string("\"") + static_cast<char>(c) + "\"";
  static const char kHex[] = "0123456789ABCDEF";
  return std::string("byte 0x") + kHex[(c >> 4) & 0xF] + kHex[c & 0xF];
}

void AppendQuoted(std::string& out, std::string_view text) {
  out += '"';
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  out += '"';
}

}  // namespace

NumberText ConvertNumber(std::string_view text, double& value) {
  if (!IsJsonNumber(text)) return NumberText::kNotANumber;
  value = 0;
  auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), value);
  (void)end;
  // Within a hundred characters only an exponent can leave the range of a
  // Double; a negative one only underflows, to zero.
  std::size_t e = text.find_first_of("eE");
  bool underflow =
      e != std::string_view::npos && e + 1 < text.size() && text[e + 1] == '-';
  if ((error == std::errc::result_out_of_range && !underflow) ||
      !std::isfinite(value))
    return NumberText::kNotFinite;
  if (error == std::errc::result_out_of_range) value = 0;
  return NumberText::kNumber;
}

// ---- values ----------------------------------------------------------------

bool JsonValue::IsWholeText() const {
  return IsNumber() && Text().find_first_of(".eE") == std::string_view::npos;
}

double JsonValue::Number() const { return entry().number; }

std::optional<JsonValue> JsonValue::Find(std::string_view key) const {
  if (!IsObject()) return std::nullopt;
  for (auto it = begin(); it != end(); ++it) {
    if (it.Key() == key) return *it;
  }
  return std::nullopt;
}

namespace {

void AppendCompact(const JsonValue& v, std::string& out, std::size_t limit) {
  if (out.size() > limit) return;
  switch (v.type()) {
    case JsonType::kNull:
      out += "null";
      return;
    case JsonType::kTrue:
      out += "true";
      return;
    case JsonType::kFalse:
      out += "false";
      return;
    case JsonType::kNumber:
      out += v.Text();
      return;
    case JsonType::kString:
    case JsonType::kKey:
      AppendQuoted(out, v.Text().substr(0, limit + 1));
      return;
    case JsonType::kArray:
    case JsonType::kObject:
      break;
  }
  bool object = v.IsObject();
  out += object ? '{' : '[';
  bool first = true;
  for (auto it = v.begin(); it != v.end() && out.size() <= limit; ++it) {
    if (!first) out += ',';
    first = false;
    if (object) {
      AppendQuoted(out, it.Key().substr(0, limit + 1));
      out += ':';
    }
    AppendCompact(*it, out, limit);
  }
  out += object ? '}' : ']';
}

}  // namespace

std::string JsonValue::Compact(std::size_t limit) const {
  std::string out;
  AppendCompact(*this, out, limit);
  if (out.size() > limit) return Excerpt(out, limit > 3 ? limit - 3 : 0);
  return out;
}

// ---- input -----------------------------------------------------------------

struct JsonReader::Input {
  std::FILE* file = nullptr;
  std::unique_ptr<char[]> buffer;
  const char* chunk = nullptr;  // start of what is in memory
  const char* p = nullptr;
  const char* end = nullptr;
  std::uint64_t base = 0;  // offset of `chunk` in the input
  bool failed = false;

  std::uint64_t Offset() const {
    return base + static_cast<std::uint64_t>(p - chunk);
  }

  // How much of the file to read into `room` bytes at offset `at`: never
  // past the size limit in one read, so that the read which finds the file
  // too large always starts at the limit, and the message names the same
  // place however the reads before it were cut.
  static std::size_t ReadSize(std::uint64_t at, std::size_t room) {
    if (at >= kMaxJsonFile) return room;
    return static_cast<std::size_t>(
        std::min<std::uint64_t>(room, kMaxJsonFile - at));
  }

  // Makes at least one more byte available; false at the end of the input.
  bool Refill() {
    if (file == nullptr) return false;
    base += static_cast<std::uint64_t>(end - chunk);
    std::size_t n =
        std::fread(buffer.get(), 1, ReadSize(base, kChunkBytes), file);
    chunk = p = buffer.get();
    end = p + n;
    if (n == 0) {
      failed = std::ferror(file) != 0;
      file = nullptr;
      return false;
    }
    return true;
  }

  // Moves what is left of the chunk to the front of the buffer and reads
  // behind it, so that at least `want` bytes (at most a chunk) lie in
  // memory in one piece. A short read is left for Refill to judge: it is
  // the one that raises a reading error.
  void Gather(std::size_t want) {
    if (file == nullptr || static_cast<std::size_t>(end - p) >= want) return;
    const auto left = static_cast<std::size_t>(end - p);
    base += static_cast<std::uint64_t>(p - chunk);
    std::memmove(buffer.get(), p, left);
    chunk = p = buffer.get();
    end = p + left;
    const std::uint64_t at = base + left;
    end += std::fread(buffer.get() + left, 1,
                      ReadSize(at, kChunkBytes - left), file);
  }
};

JsonReader::JsonReader(std::FILE* file, std::string origin)
    : in_(std::make_unique<Input>()), origin_(std::move(origin)) {
  in_->file = file;
  in_->buffer = std::make_unique<char[]>(kChunkBytes);
  in_->chunk = in_->p = in_->end = in_->buffer.get();
  // Editors on some systems start UTF-8 files with a byte-order mark.
  // Columns count from the first byte after it, as for text in memory.
  if (PeekRaw() == 0xEF && in_->end - in_->p >= 3 &&
      std::string_view(in_->p, 3) == "\xEF\xBB\xBF") {
    in_->p += 3;
    line_start_ = 3;
  }
}

JsonReader::JsonReader(std::string_view text, std::string origin)
    : in_(std::make_unique<Input>()), origin_(std::move(origin)) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  in_->chunk = in_->p = text.data();
  in_->end = text.data() + text.size();
  if (text.size() > kMaxJsonFile) {
    Fail("the text is larger than " + std::to_string(kMaxJsonFile) + " bytes");
  }
}

JsonReader::~JsonReader() = default;

// The next byte; kept small so that the scanning loops inline it, with the
// rare refill out of line.
inline int JsonReader::PeekRaw() {
  if (in_->p != in_->end) return static_cast<unsigned char>(*in_->p);
  return PeekRefill();
}

int JsonReader::PeekRefill() {
  {
    if (!in_->Refill()) {
      if (in_->failed) {
        RaiseError(kErrPathFileAccess,
                   "Path/File access error: cannot read " + origin_);
      }
      return -1;
    }
    if (in_->base + static_cast<std::uint64_t>(in_->end - in_->chunk) >
        kMaxJsonFile) {
      Fail("the file is larger than " + std::to_string(kMaxJsonFile) +
           " bytes");
    }
  }
  return static_cast<unsigned char>(*in_->p);
}

// Between two tokens there is mostly nothing or one space: settled here,
// inline, and the rest (line ends, indentation, a refill) out of line.
inline void JsonReader::SkipBlanks() {
  const char* p = in_->p;
  if (in_->end - p >= 2) {
    if (static_cast<unsigned char>(p[0]) > ' ') return;
    if (p[0] == ' ' && static_cast<unsigned char>(p[1]) > ' ') {
      in_->p = p + 1;
      return;
    }
  }
  SkipMoreBlanks();
}

void JsonReader::SkipMoreBlanks() {
  for (;;) {
    while (in_->p < in_->end) {
      char c = *in_->p;
      if (c == ' ' || c == '\t' || c == '\r') {
        ++in_->p;
      } else if (c == '\n') {
        ++in_->p;
        ++line_;
        line_start_ = in_->Offset();
      } else {
        return;
      }
    }
    if (PeekRaw() < 0) return;
  }
}

int JsonReader::Peek() {
  SkipBlanks();
  return PeekRaw();
}

void JsonReader::Fail(const std::string& problem) const {
  FailAt(in_->Offset(), problem);
}

void JsonReader::FailAt(std::uint64_t offset,
                        const std::string& problem) const {
  std::uint64_t column = offset - line_start_ + 1;
  RaiseError(kErrInvalidFileFormat, "Invalid file format: " + origin_ +
                                        ": line " + std::to_string(line_) +
                                        ", column " + std::to_string(column) +
                                        ": " + problem);
}

void JsonReader::Unexpected(const char* expected) {
  Fail(std::string("expected ") + expected + ", found " + ByteText(PeekRaw()));
}

void JsonReader::Expect(char c, const char* what) {
  SkipBlanks();
  if (PeekRaw() != static_cast<unsigned char>(c)) Unexpected(what);
  ++in_->p;
}

void JsonReader::ReadString(std::string& out) {
  const std::size_t start = out.size();
  const std::uint64_t quote = in_->Offset();
  ++in_->p;  // the opening quote
  auto too_long = [&] {
    if (out.size() - start > kMaxJsonString) {
      FailAt(quote, "a string longer than " + std::to_string(kMaxJsonString) +
                        " bytes");
    }
  };
  for (;;) {
    if (PeekRaw() < 0) Fail("a string that does not end (no closing \")");
    const char* run = in_->p;
    // Never more than one byte past the limit, however long the string.
    const char* stop =
        in_->end - in_->p > static_cast<std::ptrdiff_t>(kMaxJsonString + 1)
            ? in_->p + kMaxJsonString + 1
            : in_->end;
    in_->p = PlainRunEnd(in_->p, stop);
    out.append(run, static_cast<std::size_t>(in_->p - run));
    too_long();
    if (in_->p == stop) continue;
    auto c = static_cast<unsigned char>(*in_->p);
    if (c == '"') {
      ++in_->p;
      return;
    }
    if (c < 0x20) {
      Fail("a control character (" + ByteText(c) +
           ") in a string; write it as an escape such as \\n");
    }
    if (c == '\\') {
      ++in_->p;
      int e = PeekRaw();
      std::uint32_t code = 0;
      switch (e) {
        case '"':
        case '\\':
        case '/':
          out += static_cast<char>(e);
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'u': {
          auto hex4 = [&]() -> std::uint32_t {
            std::uint32_t value = 0;
            for (int i = 0; i < 4; ++i) {
              ++in_->p;
              int h = PeekRaw();
              int digit = IsDigit(h)               ? h - '0'
                          : (h >= 'a' && h <= 'f') ? h - 'a' + 10
                          : (h >= 'A' && h <= 'F') ? h - 'A' + 10
                                                   : -1;
              if (digit < 0) Unexpected("four hex digits after \\u");
              value = value * 16 + static_cast<std::uint32_t>(digit);
            }
            return value;
          };
          code = hex4();
          if (code >= 0xDC00 && code <= 0xDFFF)
            Fail("a \\u escape of half a character (a lone low surrogate)");
          if (code >= 0xD800 && code <= 0xDBFF) {
            ++in_->p;
            if (PeekRaw() != '\\') Fail("a \\u escape of half a character");
            ++in_->p;
            if (PeekRaw() != 'u') Fail("a \\u escape of half a character");
            std::uint32_t low = hex4();
            if (low < 0xDC00 || low > 0xDFFF)
              Fail("a \\u escape of half a character");
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
          }
          AppendUtf8(out, code);
          break;
        }
        default:
          Unexpected("an escape (\\\" \\\\ \\/ \\b \\f \\n \\r \\t \\uXXXX)");
      }
      ++in_->p;
      continue;
    }
    // A multi-byte character: the lead byte says how many bytes follow and
    // what the first of them may be (no overlong forms, no surrogates,
    // nothing past U+10FFFF).
    Utf8Lead rule;
    if (!Utf8LeadOf(static_cast<unsigned char>(c), rule))
      Fail("invalid UTF-8 (" + ByteText(c) + ") in a string");
    unsigned char low = rule.low, high = rule.high;
    out += static_cast<char>(c);
    ++in_->p;
    for (int i = 0; i < rule.follow; ++i) {
      int next = PeekRaw();
      if (next < low || next > high)
        Fail("invalid UTF-8 (" + ByteText(next) + ") in a string");
      out += static_cast<char>(next);
      ++in_->p;
      low = 0x80;
      high = 0xBF;
    }
  }
}

double JsonReader::ReadNumber(std::string& out) {
  const std::size_t start = out.size();
  const std::uint64_t first = in_->Offset();
  // Most numbers are short decimals that lie within the chunk in memory:
  // read here in one pass, without the general conversion.
  double value = 0;
  if (const char* end = ShortDecimal(in_->p, in_->end, value)) {
    out.append(in_->p, static_cast<std::size_t>(end - in_->p));
    in_->p = end;
    return value;
  }
  // The others are taken in one piece as far as the chunk holds them.
  const char* run = in_->p;
  while (run < in_->end && run - in_->p < static_cast<std::ptrdiff_t>(
                                               kMaxJsonNumber) &&
         InNumber(static_cast<unsigned char>(*run))) {
    ++run;
  }
  out.append(in_->p, static_cast<std::size_t>(run - in_->p));
  in_->p = run;
  for (;;) {
    int c = PeekRaw();
    if (!InNumber(c)) break;
    if (out.size() - start >= kMaxJsonNumber) {
      FailAt(first, "a number longer than " + std::to_string(kMaxJsonNumber) +
                        " characters");
    }
    out += static_cast<char>(c);
    ++in_->p;
  }
  std::string_view text = std::string_view(out).substr(start);
  switch (ConvertNumber(text, value)) {
    case NumberText::kNumber:
      break;
    case NumberText::kNotANumber:
      FailAt(first, "\"" + std::string(text) + "\" is not a number");
    case NumberText::kNotFinite:
      FailAt(first, "the number " + std::string(text) + " is not finite");
  }
  return value;
}

void JsonReader::ReadLiteral(const char* word) {
  for (const char* w = word; *w != 0; ++w) {
    if (PeekRaw() != *w) Unexpected("a value");
    ++in_->p;
  }
}

void JsonReader::CountElement(std::uint32_t& count) {
  if (++count > kMaxJsonArray) {
    Fail("an array of more than " + std::to_string(kMaxJsonArray) + " entries");
  }
}

// ---- walking the outer levels -----------------------------------------------

void JsonReader::BeginObject(int depth) {
  SkipBlanks();
  if (PeekRaw() != '{') Unexpected("\"{\"");
  if (depth > kMaxJsonDepth)
    Fail("nesting deeper than " + std::to_string(kMaxJsonDepth) + " levels");
  ++in_->p;
  walk_.push_back(Open{0, true});
}

bool JsonReader::NextKey(std::string& key) {
  Open& open = walk_.back();
  SkipBlanks();
  if (PeekRaw() == '}') {
    ++in_->p;
    walk_.pop_back();
    return false;
  }
  if (open.count > 0) {
    Expect(',', "\",\" or \"}\"");
    SkipBlanks();
  }
  if (PeekRaw() != '"') Unexpected("a key in quotes");
  if (++open.count > kMaxJsonObjectKeys) {
    Fail("an object with more than " + std::to_string(kMaxJsonObjectKeys) +
         " keys");
  }
  key.clear();
  ReadString(key);
  Expect(':', "\":\"");
  return true;
}

void JsonReader::BeginArray(int depth) {
  SkipBlanks();
  if (PeekRaw() != '[') Unexpected("\"[\"");
  if (depth > kMaxJsonDepth)
    Fail("nesting deeper than " + std::to_string(kMaxJsonDepth) + " levels");
  ++in_->p;
  walk_.push_back(Open{0, false});
}

bool JsonReader::NextElement() {
  Open& open = walk_.back();
  SkipBlanks();
  if (PeekRaw() == ']') {
    ++in_->p;
    walk_.pop_back();
    return false;
  }
  if (open.count > 0) Expect(',', "\",\" or \"]\"");
  CountElement(open.count);
  return true;
}

std::uint64_t JsonReader::Offset() const { return in_->Offset(); }

std::string_view JsonReader::Ahead(std::size_t want) {
  in_->Gather(std::min(want, kChunkBytes));
  return {in_->p, static_cast<std::size_t>(in_->end - in_->p)};
}

void JsonReader::Take(std::size_t bytes, std::uint64_t lines,
                      std::size_t line_start) {
  const std::uint64_t from = in_->Offset();
  in_->p += bytes;
  if (lines > 0) {
    line_ += lines;
    line_start_ = from + line_start;
  }
}

void JsonReader::ExpectEnd() {
  SkipBlanks();
  if (PeekRaw() >= 0) Unexpected("the end of the file");
}

// ---- whole values
// -------------------------------------------------------------

void JsonReader::ReadValue(JsonTree& tree, int depth) {
  tree.Clear();
  stack_.clear();
  auto& entries = tree.entries;
  auto add = [&](JsonType type) {
    entries.push_back(JsonTree::Entry{
        type, 0, static_cast<std::uint32_t>(tree.text.size()), 0});
    return static_cast<std::uint32_t>(entries.size() - 1);
  };
  // An object's key: counted, checked against the keys before it, then ":".
  auto read_key = [&] {
    SkipBlanks();
    if (PeekRaw() != '"') Unexpected("a key in quotes");
    std::uint32_t object = stack_.back();
    const std::uint64_t at = in_->Offset();
    if (++entries[object].size > kMaxJsonObjectKeys) {
      Fail("an object with more than " + std::to_string(kMaxJsonObjectKeys) +
           " keys");
    }
    std::uint32_t key = add(JsonType::kKey);
    ReadString(tree.text);
    entries[key].size =
        static_cast<std::uint32_t>(tree.text.size()) - entries[key].text;
    entries[key].end = key + 1;
    std::string_view name(tree.text.data() + entries[key].text,
                          entries[key].size);
    // Keys of one length mostly differ in their first byte: compared
    // whole only when that matches.
    for (std::uint32_t k = object + 1; k < key; k = entries[k + 1].end) {
      if (entries[k].size == name.size() &&
          (name.empty() || tree.text[entries[k].text] == name[0]) &&
          std::string_view(tree.text.data() + entries[k].text,
                           entries[k].size) == name) {
        FailAt(at,
               "the key \"" + Excerpt(name) + "\" appears twice in one object");
      }
    }
    Expect(':', "\":\"");
  };

  for (;;) {
    // One value.
    SkipBlanks();
    int c = PeekRaw();
    if (!stack_.empty() && entries[stack_.back()].type == JsonType::kArray)
      CountElement(entries[stack_.back()].size);
    std::uint32_t index = 0;
    bool closed = true;
    switch (c) {
      case '{':
      case '[': {
        if (depth + static_cast<int>(stack_.size()) > kMaxJsonDepth) {
          Fail("nesting deeper than " + std::to_string(kMaxJsonDepth) +
               " levels");
        }
        bool object = c == '{';
        index = add(object ? JsonType::kObject : JsonType::kArray);
        ++in_->p;
        stack_.push_back(index);
        SkipBlanks();
        if (PeekRaw() == (object ? '}' : ']')) {
          ++in_->p;
          stack_.pop_back();
          break;
        }
        closed = false;
        if (object) read_key();
        break;
      }
      case '"':
        index = add(JsonType::kString);
        ReadString(tree.text);
        break;
      case 't':
        index = add(JsonType::kTrue);
        ReadLiteral("true");
        break;
      case 'f':
        index = add(JsonType::kFalse);
        ReadLiteral("false");
        break;
      case 'n':
        index = add(JsonType::kNull);
        ReadLiteral("null");
        break;
      default:
        if (c == '-' || IsDigit(c)) {
          index = add(JsonType::kNumber);
          entries[index].number = ReadNumber(tree.text);
          break;
        }
        Unexpected("a value");
    }
    if (!closed) continue;
    JsonTree::Entry& e = entries[index];
    if (e.type != JsonType::kArray && e.type != JsonType::kObject)
      e.size = static_cast<std::uint32_t>(tree.text.size()) - e.text;
    e.end = static_cast<std::uint32_t>(entries.size());

    // After a value: close what ends here, or go on to the next element.
    for (;;) {
      if (stack_.empty()) return;
      std::uint32_t open = stack_.back();
      bool object = entries[open].type == JsonType::kObject;
      SkipBlanks();
      int next = PeekRaw();
      if (next == ',') {
        ++in_->p;
        if (object) read_key();
        break;
      }
      if (next != (object ? '}' : ']'))
        Unexpected(object ? "\",\" or \"}\"" : "\",\" or \"]\"");
      ++in_->p;
      entries[open].end = static_cast<std::uint32_t>(entries.size());
      stack_.pop_back();
    }
  }
}

}  // namespace morvel::mem
