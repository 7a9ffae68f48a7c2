#ifndef MORVEL_BASE_NUMBERS_TESTING_H_
#define MORVEL_BASE_NUMBERS_TESTING_H_

// For tests only: the machines we build on carry the C locale alone, and
// generating another locale is not something a test may do. Tests that need a
// comma (or any other) decimal separator set it here instead; parsing and
// formatting then behave exactly as under a locale with that separator.
namespace morvel {

class ScopedDecimalSeparatorForTesting {
 public:
  // While this object lives, DecimalSeparator() returns `separator`.
  explicit ScopedDecimalSeparatorForTesting(char separator);
  ~ScopedDecimalSeparatorForTesting();

  ScopedDecimalSeparatorForTesting(const ScopedDecimalSeparatorForTesting&) =
      delete;
  ScopedDecimalSeparatorForTesting& operator=(
      const ScopedDecimalSeparatorForTesting&) = delete;

 private:
  char previous_;
};

}  // namespace morvel

#endif  // MORVEL_BASE_NUMBERS_TESTING_H_
