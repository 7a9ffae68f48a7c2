#ifndef MORVEL_RANDOM_USER_CHOICES_H_
#define MORVEL_RANDOM_USER_CHOICES_H_

#include <cstddef>
#include <cstdint>

// Where the random user's decisions come from: a seeded generator for long
// runs and tests, or the bytes of a fuzz input, so that the fuzzer's
// mutations of the bytes become mutations of the action sequence.
namespace morvel::random_user {

class Choices {
 public:
  virtual ~Choices() = default;
  // A number from 0 to n - 1 (0 when n is 0 or 1).
  virtual std::uint32_t Below(std::uint32_t n) = 0;
  // False once a finite source has nothing more to give.
  virtual bool More() const = 0;

  bool OneIn(std::uint32_t n) { return Below(n) == 0; }
  // lo to hi, both included.
  std::int64_t Between(std::int64_t lo, std::int64_t hi) {
    const auto span = static_cast<std::uint64_t>(hi - lo) + 1;
    if (span > 0xFFFFFFFFull) {
      const std::uint64_t high = Below(0xFFFFFFFFu);
      const std::uint64_t value = (high << 32) | Below(0xFFFFFFFFu);
      return lo + static_cast<std::int64_t>(value % span);
    }
    return lo + Below(static_cast<std::uint32_t>(span));
  }
  template <class T, std::size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Below(static_cast<std::uint32_t>(N))];
  }
};

// SplitMix64: tiny, fast and the same on every platform, so a seed names
// the same run everywhere.
class SeededChoices final : public Choices {
 public:
  explicit SeededChoices(std::uint64_t seed) : state_(seed) {}
  std::uint32_t Below(std::uint32_t n) override {
    if (n <= 1) return 0;
    return static_cast<std::uint32_t>(Next() % n);
  }
  bool More() const override { return true; }

 private:
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  std::uint64_t state_;
};

// Reads each choice from as few bytes as its range needs (one byte up to
// 256 choices), so a byte the fuzzer flips changes one decision. Past the
// end every choice is 0 and More() turns false.
class ByteChoices final : public Choices {
 public:
  ByteChoices(const std::uint8_t* data, std::size_t size)
      : data_(data), size_(size) {}
  std::uint32_t Below(std::uint32_t n) override {
    if (n <= 1) return 0;
    const int bytes = n <= 0x100 ? 1 : n <= 0x10000 ? 2 : 4;
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) {
      value = (value << 8) | (at_ < size_ ? data_[at_] : 0);
      ++at_;
    }
    return value % n;
  }
  bool More() const override { return at_ < size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

}  // namespace morvel::random_user

#endif  // MORVEL_RANDOM_USER_CHOICES_H_
