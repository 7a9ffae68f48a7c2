#ifndef MORVEL_MEMSCENE_COMPACT_H_
#define MORVEL_MEMSCENE_COMPACT_H_

#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Containers that keep a scene of a million nodes small. Most nodes leave
// most values at their defaults and hold a few short texts; a node that costs
// one allocation instead of five loads several times faster (allocation, not
// parsing, was most of the time of a big load) and in half the memory.
namespace morvel::mem {

// Asks the system to back [data, data + bytes) with huge pages, before
// anything is written to it: a big array filled from scratch then costs a
// page fault per 2 MiB instead of per 4 KiB, and its random reads (a name
// index) miss the address cache far less. Small ranges are left alone.
void AdviseHugePages(void* data, std::size_t bytes);

// A value most nodes leave at its default, kept out of line: a million
// nodes should not each carry it. Copies are deep.
template <class T>
class Lazy {
 public:
  Lazy() = default;
  Lazy(const Lazy& other)
      : value_(other.value_ ? std::make_unique<T>(*other.value_) : nullptr) {}
  Lazy(Lazy&&) noexcept = default;
  Lazy& operator=(const Lazy& other) {
    value_ = other.value_ ? std::make_unique<T>(*other.value_) : nullptr;
    return *this;
  }
  Lazy& operator=(Lazy&&) noexcept = default;

  const T& get() const { return value_ ? *value_ : Default(); }
  T& Mutable() {
    if (!value_) value_ = std::make_unique<T>();
    return *value_;
  }
  // Whether a value was ever written (it may still equal the default).
  bool Set() const { return value_ != nullptr; }
  static const T& Default() {
    static const T kDefault{};
    return kDefault;
  }

 private:
  std::unique_ptr<T> value_;
};

// A value a node may have or not (a material's maps), kept out of line.
// Copies are deep; two are equal when both are absent or both hold equal
// values.
template <class T>
class Boxed {
 public:
  Boxed() = default;
  Boxed(const Boxed& other)
      : value_(other.value_ ? std::make_unique<T>(*other.value_) : nullptr) {}
  Boxed(Boxed&&) noexcept = default;
  Boxed& operator=(const Boxed& other) {
    value_ = other.value_ ? std::make_unique<T>(*other.value_) : nullptr;
    return *this;
  }
  Boxed& operator=(Boxed&&) noexcept = default;
  Boxed& operator=(T value) {
    value_ = std::make_unique<T>(std::move(value));
    return *this;
  }

  bool has_value() const { return value_ != nullptr; }
  explicit operator bool() const { return has_value(); }
  const T& operator*() const { return *value_; }
  T& operator*() { return *value_; }
  const T* operator->() const { return value_.get(); }
  T* operator->() { return value_.get(); }
  void reset() { value_.reset(); }
  T& emplace() {
    value_ = std::make_unique<T>();
    return *value_;
  }

  friend bool operator==(const Boxed& a, const Boxed& b) {
    if (!a.value_ || !b.value_) return !a.value_ && !b.value_;
    return *a.value_ == *b.value_;
  }

 private:
  std::unique_ptr<T> value_;
};

// A list whose first element lives in place and the others out of line:
// nearly every shape has exactly one material, and a million shapes each
// allocating one cost more time than reading them. Copies are deep; the
// elements never move while the list keeps its size.
template <class T>
class FirstInPlace {
 public:
  using value_type = T;

  std::size_t size() const { return has_first_ ? 1 + Rest().size() : 0; }
  bool empty() const { return !has_first_; }
  T& operator[](std::size_t i) { return i == 0 ? first_ : rest_.Mutable()[i - 1]; }
  const T& operator[](std::size_t i) const {
    return i == 0 ? first_ : Rest()[i - 1];
  }
  T& front() { return first_; }
  const T& front() const { return first_; }

  void push_back(T value) {
    if (!has_first_) {
      first_ = std::move(value);
      has_first_ = true;
    } else {
      rest_.Mutable().push_back(std::move(value));
    }
  }
  // New elements have their default value, as a vector's do.
  void resize(std::size_t count) {
    if (count == 0) {
      first_ = T{};
      has_first_ = false;
      if (rest_.Set()) rest_.Mutable().clear();
      return;
    }
    has_first_ = true;
    if (count > 1 || rest_.Set()) rest_.Mutable().resize(count - 1);
  }

  template <class List, class Element>
  class Iter {
   public:
    Iter(List* list, std::size_t at) : list_(list), at_(at) {}
    Element& operator*() const { return (*list_)[at_]; }
    Element* operator->() const { return &(*list_)[at_]; }
    Iter& operator++() {
      ++at_;
      return *this;
    }
    bool operator==(const Iter& other) const { return at_ == other.at_; }

   private:
    List* list_;
    std::size_t at_;
  };
  using iterator = Iter<FirstInPlace, T>;
  using const_iterator = Iter<const FirstInPlace, const T>;
  iterator begin() { return {this, 0}; }
  iterator end() { return {this, size()}; }
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, size()}; }

  friend bool operator==(const FirstInPlace& a, const FirstInPlace& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
      if (!(a[i] == b[i])) return false;
    }
    return true;
  }

 private:
  const std::vector<T>& Rest() const { return rest_.get(); }

  T first_{};
  Lazy<std::vector<T>> rest_;
  bool has_first_ = false;
};

// Bytes in sixteen bytes of their own: up to 15 in place, more on the heap.
// Half a std::string, of which a million nodes would each carry several.
class SmallBytes {
 public:
  SmallBytes() { local_.size = 0; }
  SmallBytes(const SmallBytes& other) : SmallBytes() { assign(other.view()); }
  SmallBytes(SmallBytes&& other) noexcept : SmallBytes() { Take(other); }
  SmallBytes& operator=(const SmallBytes& other) {
    if (this != &other) assign(other.view());
    return *this;
  }
  SmallBytes& operator=(SmallBytes&& other) noexcept {
    if (this != &other) {
      Free();
      Take(other);
    }
    return *this;
  }
  ~SmallBytes() { Free(); }

  std::string_view view() const {
    if (OnHeap()) return {heap_.data, heap_.size};
    return {local_.data, local_.size};
  }
  bool empty() const { return local_.size == 0; }
  // `bytes` may lie within this very value.
  void assign(std::string_view bytes);

  friend bool operator==(const SmallBytes& a, const SmallBytes& b) {
    return a.view() == b.view();
  }

 private:
  static constexpr unsigned char kOnHeap = 0xFF;
  static constexpr std::size_t kInPlace = 15;
  // Both begin with the byte that tells which of them holds the bytes.
  struct InPlace {
    unsigned char size;
    char data[kInPlace];
  };
  struct OnTheHeap {
    unsigned char tag;  // kOnHeap
    std::uint32_t size;
    char* data;
  };
  bool OnHeap() const { return local_.size == kOnHeap; }
  void Free() {
    if (OnHeap()) delete[] heap_.data;
    local_.size = 0;
  }
  // Takes over what `other` holds, leaving it empty (this one is empty).
  void Take(SmallBytes& other) {
    if (other.OnHeap()) {
      heap_ = other.heap_;
    } else {
      local_ = other.local_;
    }
    other.local_.size = 0;
  }

  union {
    InPlace local_;
    OnTheHeap heap_;
  };
};

// A list of texts packed into one string: the count, then each entry's
// length and bytes (lengths as base-128 varints). A few short texts stay
// within the string's own bytes and allocate nothing.
class PackedStrings {
 public:
  PackedStrings() = default;
  explicit PackedStrings(const std::vector<std::string>& values);
  explicit PackedStrings(std::span<const std::string_view> values);

  std::size_t size() const;
  bool empty() const { return bytes_.empty(); }
  // The entry `i`; "" past the end.
  std::string_view operator[](std::size_t i) const;
  // Sets entry `i`, adding empty entries before it as needed.
  void Set(std::size_t i, std::string_view value);
  // Drops the empty entries at the end.
  void TrimEmpty();
  std::vector<std::string> ToVector() const;

  friend bool operator==(const PackedStrings&,
                         const PackedStrings&) = default;

 private:
  SmallBytes bytes_;  // empty: no entries
};

// Six texts (custom field values, map paths), "" by default. The empty
// ones at the end are not stored, so equal lists are equal bytes.
class SixStrings {
 public:
  static constexpr std::size_t kSize = 6;
  SixStrings() = default;
  explicit SixStrings(const std::vector<std::string>& values);
  // From at most six entries.
  explicit SixStrings(std::span<const std::string_view> values);

  static constexpr std::size_t size() { return kSize; }
  std::string_view operator[](std::size_t i) const { return packed_[i]; }
  void Set(std::size_t i, std::string_view value);
  bool AllEmpty() const { return packed_.empty(); }
  std::vector<std::string> ToVector() const;

  friend bool operator==(const SixStrings&, const SixStrings&) = default;

 private:
  PackedStrings packed_;
};

// A growing array whose elements never move: blocks of 16, 16, 32, 64...
// elements, so appending to a big one never copies it and never holds an
// old and a new copy at once, and a small one stays small.
template <class T>
class BlockVector {
 public:
  using value_type = T;

  BlockVector() = default;
  BlockVector(const BlockVector& other) {
    for (std::size_t i = 0; i < other.size(); ++i) emplace_back(other[i]);
  }
  BlockVector(BlockVector&& other) noexcept
      : blocks_(std::move(other.blocks_)), size_(std::exchange(other.size_, 0)) {}
  BlockVector& operator=(const BlockVector& other) {
    if (this != &other) {
      BlockVector copy(other);
      *this = std::move(copy);
    }
    return *this;
  }
  BlockVector& operator=(BlockVector&& other) noexcept {
    if (this != &other) {
      clear();
      blocks_ = std::move(other.blocks_);
      size_ = std::exchange(other.size_, 0);
    }
    return *this;
  }
  ~BlockVector() { clear(); }

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  T& operator[](std::size_t i) { return Slot(i); }
  const T& operator[](std::size_t i) const {
    return const_cast<BlockVector*>(this)->Slot(i);
  }
  T& back() { return Slot(size_ - 1); }

  template <class... A>
  T& emplace_back(A&&... args) {
    if (size_ == Capacity(blocks_.size())) {
      const std::size_t bytes = sizeof(Storage) * (kFirst << blocks_.size());
      blocks_.emplace_back(static_cast<Storage*>(
          ::operator new(bytes, std::align_val_t(alignof(Storage)))));
      AdviseHugePages(blocks_.back().get(), bytes);
    }
    T* at = new (&Slot(size_)) T(std::forward<A>(args)...);
    ++size_;
    return *at;
  }
  void pop_back() {
    --size_;
    Slot(size_).~T();
  }
  void clear() {
    while (size_ > 0) pop_back();
    blocks_.clear();
  }

 private:
  struct alignas(T) Storage {
    unsigned char bytes[sizeof(T)];
  };
  struct FreeBlock {
    void operator()(Storage* block) const {
      ::operator delete(block, std::align_val_t(alignof(Storage)));
    }
  };
  static constexpr std::size_t kFirst = 16;
  // Elements in the first `blocks` blocks.
  static std::size_t Capacity(std::size_t blocks) {
    return kFirst * ((std::size_t{1} << blocks) - 1);
  }
  T& Slot(std::size_t i) {
    const auto block = static_cast<std::size_t>(std::bit_width(i / kFirst + 1) - 1);
    return *reinterpret_cast<T*>(&blocks_[block].get()[i - Capacity(block)]);
  }

  std::vector<std::unique_ptr<Storage, FreeBlock>> blocks_;
  std::size_t size_ = 0;
};

}  // namespace morvel::mem

#endif  // MORVEL_MEMSCENE_COMPACT_H_
