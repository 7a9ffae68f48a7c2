#include "demo_window.h"

#include <gtest/gtest.h>

namespace morvel::demo {
namespace {

TEST(DemoWindowTest, Placeholder) {}

}  // namespace
}  // namespace morvel::demo
