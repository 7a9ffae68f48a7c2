#include "memscene/compact.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <span>
#include <limits>
#include <stdexcept>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace morvel::mem {

void AdviseHugePages(void* data, std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  constexpr std::uintptr_t kHuge = std::uintptr_t{2} << 20;
  if (bytes < 2 * kHuge) return;
  auto begin = reinterpret_cast<std::uintptr_t>(data);
  std::uintptr_t first = (begin + kHuge - 1) & ~(kHuge - 1);
  std::uintptr_t last = (begin + bytes) & ~(kHuge - 1);
  if (last > first) {
    // Only advice: where the system says no, the pages are small.
    madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
  }
#else
  (void)data;
  (void)bytes;
#endif
}
namespace {

std::size_t VarintSize(std::size_t value) {
  std::size_t size = 1;
  for (; value >= 0x80; value >>= 7) ++size;
  return size;
}

char* PutVarint(char* out, std::size_t value) {
  for (; value >= 0x80; value >>= 7)
    *out++ = static_cast<char>((value & 0x7F) | 0x80);
  *out++ = static_cast<char>(value);
  return out;
}

std::size_t GetVarint(std::string_view bytes, std::size_t& at) {
  std::size_t value = 0;
  for (int shift = 0; at < bytes.size(); shift += 7) {
    auto b = static_cast<unsigned char>(bytes[at++]);
    value |= static_cast<std::size_t>(b & 0x7F) << shift;
    if ((b & 0x80) == 0) break;
  }
  return value;
}

// The entries of a packed list, for rebuilding it.
std::vector<std::string_view> Entries(std::string_view bytes) {
  std::vector<std::string_view> out;
  std::size_t at = 0;
  std::size_t count = bytes.empty() ? 0 : GetVarint(bytes, at);
  out.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    std::size_t length = GetVarint(bytes, at);
    out.push_back(bytes.substr(at, length));
    at += length;
  }
  return out;
}

// Packs `entries` into `out`. A short list (the usual one) is put
// together on the stack: packing allocates only what `out` keeps.
void PackInto(SmallBytes& out, std::span<const std::string_view> entries) {
  if (entries.empty()) {
    out.assign({});
    return;
  }
  std::size_t total = VarintSize(entries.size());
  for (std::string_view e : entries) total += VarintSize(e.size()) + e.size();
  char local[64];
  std::unique_ptr<char[]> large;
  char* bytes = local;
  if (total > sizeof local) {
    large = std::make_unique<char[]>(total);
    bytes = large.get();
  }
  char* at = PutVarint(bytes, entries.size());
  for (std::string_view e : entries) {
    at = PutVarint(at, e.size());
    if (!e.empty()) std::memcpy(at, e.data(), e.size());
    at += e.size();
  }
  out.assign({bytes, total});
}

}  // namespace

void SmallBytes::assign(std::string_view bytes) {
  const std::size_t size = bytes.size();
  if (size <= kInPlace) {
    InPlace now;
    now.size = static_cast<unsigned char>(size);
    // An empty view may have no data at all.
    if (size > 0) std::memcpy(now.data, bytes.data(), size);
    Free();
    local_ = now;
    return;
  }
  if (size > std::numeric_limits<std::uint32_t>::max())
    throw std::length_error("SmallBytes: more than 4 GiB");
  char* data = new char[size];
  std::memcpy(data, bytes.data(), size);
  Free();
  heap_ = OnTheHeap{kOnHeap, static_cast<std::uint32_t>(size), data};
}

PackedStrings::PackedStrings(const std::vector<std::string>& values) {
  std::vector<std::string_view> entries(values.begin(), values.end());
  PackInto(bytes_, entries);
}

PackedStrings::PackedStrings(std::span<const std::string_view> values) {
  PackInto(bytes_, values);
}

std::size_t PackedStrings::size() const {
  std::size_t at = 0;
  return bytes_.empty() ? 0 : GetVarint(bytes_.view(), at);
}

std::string_view PackedStrings::operator[](std::size_t i) const {
  std::string_view bytes = bytes_.view();
  std::size_t at = 0;
  std::size_t count = bytes.empty() ? 0 : GetVarint(bytes, at);
  if (i >= count) return {};
  for (std::size_t k = 0;; ++k) {
    std::size_t length = GetVarint(bytes, at);
    if (k == i) return bytes.substr(at, length);
    at += length;
  }
}

void PackedStrings::Set(std::size_t i, std::string_view value) {
  // The new value may be a view into this very list: copy it first.
  const std::string copy(value);
  const std::string_view bytes = bytes_.view();
  std::size_t at = 0;
  const std::size_t count = bytes.empty() ? 0 : GetVarint(bytes, at);
  const std::size_t size = std::max(count, i + 1);
  // A caption and a detail, six custom fields: the entries of a short list
  // are gathered on the stack.
  std::string_view few[8];
  std::vector<std::string_view> many;
  std::span<std::string_view> entries(few, std::min(size, std::size(few)));
  if (size > std::size(few)) {
    many.resize(size);
    entries = many;
  }
  for (std::size_t k = 0; k < count; ++k) {
    const std::size_t length = GetVarint(bytes, at);
    entries[k] = bytes.substr(at, length);
    at += length;
  }
  entries[i] = copy;
  PackInto(bytes_, entries);
}

void PackedStrings::TrimEmpty() {
  const std::vector<std::string_view> entries = Entries(bytes_.view());
  std::size_t kept = entries.size();
  while (kept > 0 && entries[kept - 1].empty()) --kept;
  // PackInto copies the entries aside before it replaces the bytes they
  // lie in.
  if (kept < entries.size())
    PackInto(bytes_, std::span(entries).first(kept));
}

std::vector<std::string> PackedStrings::ToVector() const {
  std::vector<std::string> out;
  for (std::string_view e : Entries(bytes_.view())) out.emplace_back(e);
  return out;
}

SixStrings::SixStrings(const std::vector<std::string>& values)
    : packed_(values) {
  packed_.TrimEmpty();
}

SixStrings::SixStrings(std::span<const std::string_view> values) {
  while (!values.empty() && values.back().empty())
    values = values.first(values.size() - 1);
  packed_ = PackedStrings(values);
}

void SixStrings::Set(std::size_t i, std::string_view value) {
  packed_.Set(i, value);
  packed_.TrimEmpty();
}

std::vector<std::string> SixStrings::ToVector() const {
  std::vector<std::string> out(kSize);
  for (std::size_t i = 0; i < kSize; ++i) out[i] = std::string((*this)[i]);
  return out;
}

}  // namespace morvel::mem
