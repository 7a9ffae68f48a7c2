#ifndef MORVEL_RANDOM_USER_HOSTILE_TEXT_H_
#define MORVEL_RANDOM_USER_HOSTILE_TEXT_H_

#include <string>

#include "random_user/choices.h"
#include "widgets/widget.h"

// What people type and paste: mostly values the field takes, otherwise
// anything at all. Empty text, garbage, huge and tiny numbers, negatives,
// numbers in other locales' formats, values that overflow a Long, an Integer
// or a Single, spellings of NaN and infinity, the refused "|", invalid
// UTF-8, and texts of 10,000 characters.
namespace morvel::random_user {

// The longest text the random user types: longer than any field expects,
// short enough to type key by key many times in a run.
inline constexpr std::size_t kHugeTextLength = 10000;

// A text for `field`: half the time a value it takes (within an up-down
// field's bounds, written with the current decimal separator), else one of
// the hostile texts.
std::string TextFor(Choices& choices, const TextWidget& field);

// One of the hostile texts alone.
std::string HostileText(Choices& choices);

// A path the map-file chooser answers with: a plain file name, nothing
// (cancelled), or a hostile text.
std::string ChosenPath(Choices& choices);

}  // namespace morvel::random_user

#endif  // MORVEL_RANDOM_USER_HOSTILE_TEXT_H_
