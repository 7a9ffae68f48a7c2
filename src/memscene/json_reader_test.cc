#include "memscene/json_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace morvel::mem {
namespace {

// Numbers as files write them, read to exactly the Double the C library's
// own conversion makes of the same text, sign of zero included: short
// decimals of either sign, the longest that are read directly and the
// shortest that are not, exponents of either case and sign, and fractions
// that no Double holds exactly.
TEST(JsonNumberTest, ReadsEveryTextToTheNearestDouble) {
  const std::vector<std::string> texts = {
      "0", "-0", "7", "-3", "0.75", "-0.75", "0.5", "-0.0", "12.5",
      "0.1", "0.3", "-0.000001", "2147483647", "-2147483648",
      "123456789012345", "-12345678.9012345", "0.123456789012345",
      "1234567890123456", "9007199254740993", "0.1234567890123456789",
      "1e2", "1E2", "-2.5e-3", "2.5E+3", "1e-400", "6.02214076e23",
      "3.4028235e38", "100000000000000000000000"};
  std::string array = "[";
  for (const std::string& t : texts) array += (array.size() > 1 ? ", " : "") + t;
  array += "]";
  JsonReader in(array, "numbers.json");
  JsonTree tree;
  in.ReadValue(tree, 1);
  JsonValue list(tree, 0);
  ASSERT_EQ(list.Size(), texts.size());
  std::size_t i = 0;
  for (JsonValue v : list) {
    const std::string& t = texts[i++];
    const double expected = std::strtod(t.c_str(), nullptr);
    EXPECT_EQ(v.Number(), expected) << t;
    EXPECT_EQ(std::signbit(v.Number()), std::signbit(expected)) << t;
    EXPECT_EQ(v.Text(), t);
  }
}

}  // namespace
}  // namespace morvel::mem
