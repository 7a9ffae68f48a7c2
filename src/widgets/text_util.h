#ifndef MORVEL_WIDGETS_TEXT_UTIL_H_
#define MORVEL_WIDGETS_TEXT_UTIL_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/types.h"
#include "base/utf8.h"  // AppendUtf8

// Texts are UTF-8, but selections and typed keys count characters, as a
// person sees them. These helpers translate between the two. A malformed
// byte counts as one character, so no input can make them read past the end.
namespace morvel {

// Number of characters (code points) in `text`.
Long CharCount(std::string_view text);

// Byte offset of character `index`; the text's size when `index` is at or
// past the end.
std::size_t ByteOffset(std::string_view text, Long index);

// Decodes the character starting at `pos` and returns its byte length;
// `code_point` receives U+FFFD for a malformed sequence.
std::size_t DecodeUtf8(std::string_view text, std::size_t pos,
                       std::uint32_t& code_point);

}  // namespace morvel

#endif  // MORVEL_WIDGETS_TEXT_UTIL_H_
