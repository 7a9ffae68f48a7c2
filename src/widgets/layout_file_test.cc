#include <gtest/gtest.h>

#include <cstdio>
#include <iterator>
#include <span>
#include <string>

#include "widgets/widget.h"

namespace morvel {

// Generated from layout_file_test.layout.json.
std::span<const WidgetSpec> LayoutFileFixture();

namespace {

std::string Quoted(const char* text) {
  std::string out = "\"";
  for (const char* c = text; *c; ++c) {
    const auto byte = static_cast<unsigned char>(*c);
    if (byte < 0x20 || *c == '"' || *c == '\\') {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
      out += escaped;
    } else {
      out += *c;
    }
  }
  return out + "\"";
}

// Every field of a spec, named, so that a mismatch says which one differs.
// A field added to WidgetSpec belongs here too.
std::string Fields(const WidgetSpec& spec) {
  char numbers[512];
  std::snprintf(numbers, sizeof numbers,
                "kind=%d index=%d left=%ld top=%ld width=%ld height=%ld "
                "min=%.17g max=%.17g small_change=%.17g large_change=%.17g "
                "tick=%ld decimals=%ld enabled=%d visible=%d "
                "default_value=%.17g",
                static_cast<int>(spec.kind), spec.index,
                static_cast<long>(spec.left), static_cast<long>(spec.top),
                static_cast<long>(spec.width), static_cast<long>(spec.height),
                spec.min, spec.max, spec.small_change, spec.large_change,
                static_cast<long>(spec.tick), static_cast<long>(spec.decimals),
                spec.enabled, spec.visible, spec.default_value);
  return "name=" + Quoted(spec.name) + " parent=" + Quoted(spec.parent) +
         " caption=" + Quoted(spec.caption) + " tooltip=" +
         Quoted(spec.tooltip) + " text=" + Quoted(spec.text) + " " + numbers;
}

using K = WidgetKind;

TEST(LayoutFileTest, TheGeneratedTableHoldsWhatTheFileSays) {
  const WidgetSpec expected[] = {
      {.kind = K::kUpDownText, .name = "txtAll", .index = 7,
       .parent = "fraAll(2)", .left = -30, .top = -2147483647 - 1,
       .width = 2147483647, .height = 315, .caption = "C:\\temp\\new",
       .tooltip = "Say \"hi\"; then [go] to ${HOME}, @ONLY@ and \\n",
       .min = -999999, .max = 1000, .small_change = 0.1, .large_change = 10,
       .tick = 25, .decimals = 3, .text = "0.05", .enabled = false,
       .visible = false, .default_value = 0.05},
      {.kind = K::kLabel, .name = "lblZero", .index = 0, .parent = "",
       .left = 0, .top = 0,
       .caption = "Ünïcode «x»\nline two\ttab\x01" "7 \x1f",
       .small_change = 0, .large_change = 0, .enabled = true,
       .visible = true},
      {.kind = K::kForm, .name = "frmDefaults"},
      {.kind = K::kFrame, .name = "fra"},
      {.kind = K::kCheckBox, .name = "chk"},
      {.kind = K::kComboBox, .name = "cbo"},
      {.kind = K::kButton, .name = "cmd"},
      {.kind = K::kPictureBox, .name = "pic"},
      {.kind = K::kSlider, .name = "sld"},
      {.kind = K::kTextField, .name = "txf"},
      {.kind = K::kTextBox, .name = "txt"},
      {.kind = K::kFlexGrid, .name = "msg"},
      {.kind = K::kImageList, .name = "ils"},
  };
  const std::span<const WidgetSpec> table = LayoutFileFixture();
  ASSERT_EQ(table.size(), std::size(expected));
  for (std::size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(Fields(table[i]), Fields(expected[i])) << "widget " << i;
  }
}

}  // namespace
}  // namespace morvel
