#ifndef MORVEL_MEMSCENE_SCENE_WIRE_H_
#define MORVEL_MEMSCENE_SCENE_WIRE_H_

#include <string>
#include <string_view>

#include "base/types.h"
#include "memscene/state.h"

// What the importer process hands back through its pipe: the scene it made
// of a model file, or the error it met. The scene travels as our own scene
// file text, read back with every check a file gets, followed by the
// geometry as raw arrays (text would cost more than the import itself for a
// big model). Nothing in a message is trusted: every count is checked
// against the bytes that follow it and every index against what it indexes.
namespace morvel::mem {

std::string EncodeScene(const SceneContent& content);
std::string EncodeError(Long number, const std::string& description);

// The scene of a message, or the error it carries raised as it was sent
// (with its own number). Bytes that are not a whole message are error 321
// naming `origin`.
SceneContent DecodeScene(std::string_view bytes, const std::string& origin);

}  // namespace morvel::mem

#endif  // MORVEL_MEMSCENE_SCENE_WIRE_H_
