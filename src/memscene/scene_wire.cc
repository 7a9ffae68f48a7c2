#include "memscene/scene_wire.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <type_traits>

#include "base/error.h"
#include "memscene/scene_file.h"

namespace morvel::mem {
namespace {

constexpr std::string_view kMagic = "MORVEL-SCENE 1\n";

template <class T>
void Put(std::string& out, T value) {
  static_assert(std::is_trivially_copyable_v<T>);
  char bytes[sizeof(T)];
  std::memcpy(bytes, &value, sizeof(T));
  out.append(bytes, sizeof(T));
}

void PutText(std::string& out, std::string_view text) {
  Put<std::uint32_t>(out, static_cast<std::uint32_t>(text.size()));
  out.append(text);
}

template <class T>
void PutArray(std::string& out, const std::vector<T>& values) {
  Put<std::uint64_t>(out, values.size());
  out.append(reinterpret_cast<const char*>(values.data()),
             values.size() * sizeof(T));
}

// Reads a message; every failure is error 321 naming the origin.
class Input {
 public:
  Input(std::string_view bytes, const std::string& origin)
      : bytes_(bytes), origin_(origin) {}

  [[noreturn]] void Fail(const std::string& problem) const {
    RaiseError(kErrInvalidFileFormat, "Invalid file format: " + origin_ +
                                          ": the importer's answer " +
                                          problem);
  }


  template <class T>
  T Get() {
    if (Left() < sizeof(T)) Fail("ends too soon");
    T value;
    std::memcpy(&value, bytes_.data() + at_, sizeof(T));
    at_ += sizeof(T);
    return value;
  }

  std::string_view Bytes(std::uint64_t size) {
    if (size > bytes_.size() - at_) Fail("ends too soon");
    std::string_view text =
        bytes_.substr(at_, static_cast<std::size_t>(size));
    at_ += static_cast<std::size_t>(size);
    return text;
  }
  std::string_view Text() { return Bytes(Get<std::uint32_t>()); }

  // An array whose entries must be whole multiples of `group`.
  template <class T>
  std::vector<T> Array(std::size_t group) {
    auto count = Get<std::uint64_t>();
    if (count > (bytes_.size() - at_) / sizeof(T)) Fail("ends too soon");
    if (count % group != 0) Fail("has an array cut short");
    std::vector<T> values(static_cast<std::size_t>(count));
    // An empty vector's data() may be null, which memcpy may not be given
    // even for no bytes.
    if (count > 0)
      std::memcpy(values.data(), bytes_.data() + at_,
                  static_cast<std::size_t>(count) * sizeof(T));
    at_ += static_cast<std::size_t>(count) * sizeof(T);
    return values;
  }

  bool AtEnd() const { return at_ == bytes_.size(); }
  std::size_t Left() const { return bytes_.size() - at_; }

 private:
  std::string_view bytes_;
  const std::string& origin_;
  std::size_t at_ = 0;
};

void CheckFinite(Input& in, const std::vector<float>& values) {
  for (float v : values) {
    if (!std::isfinite(v)) in.Fail("has a number that is not finite");
  }
}

std::shared_ptr<const MeshData> GetMesh(Input& in) {
  auto mesh = std::make_shared<MeshData>();
  mesh->name = std::string(in.Text());
  mesh->positions = in.Array<float>(3);
  mesh->normals = in.Array<float>(3);
  mesh->uvs = in.Array<float>(2);
  mesh->triangles = in.Array<std::uint32_t>(3);
  const std::size_t vertices = mesh->VertexCount();
  CheckFinite(in, mesh->positions);
  CheckFinite(in, mesh->normals);
  CheckFinite(in, mesh->uvs);
  if (!mesh->normals.empty() && mesh->normals.size() != mesh->positions.size())
    in.Fail("has normals that do not match the vertices");
  if (!mesh->uvs.empty() && mesh->uvs.size() / 2 != vertices)
    in.Fail("has texture coordinates that do not match the vertices");
  for (std::uint32_t i : mesh->triangles) {
    if (i >= vertices) in.Fail("has a triangle with a vertex it lacks");
  }
  auto bones = in.Get<std::uint32_t>();
  for (std::uint32_t b = 0; b < bones; ++b) {
    MeshBone bone;
    bone.name = std::string(in.Text());
    for (float& v : bone.offset) v = in.Get<float>();
    auto weights = in.Get<std::uint64_t>();
    if (weights > in.Left() / 8) in.Fail("ends too soon");
    bone.weights.reserve(static_cast<std::size_t>(weights));
    for (std::uint64_t w = 0; w < weights; ++w) {
      auto vertex = in.Get<std::uint32_t>();
      auto weight = in.Get<float>();
      if (vertex >= vertices || !std::isfinite(weight))
        in.Fail("has a bone weight of a vertex the mesh lacks");
      bone.weights.emplace_back(vertex, weight);
    }
    for (float v : bone.offset) {
      if (!std::isfinite(v)) in.Fail("has a number that is not finite");
    }
    mesh->bones.push_back(std::move(bone));
  }
  return mesh;
}

}  // namespace

std::string EncodeScene(const SceneContent& content) {
  std::string out(kMagic);
  out += 'S';
  std::string text = WriteScene(content, true, MeshForm::kNone)
                         .dump(-1, ' ', false,
                               nlohmann::ordered_json::error_handler_t::replace);
  Put<std::uint64_t>(out, text.size());
  out += text;
  Put<std::uint32_t>(out, static_cast<std::uint32_t>(content.meshes.size()));
  for (const auto& mesh : content.meshes) {
    out += static_cast<char>(mesh ? 1 : 0);
    if (!mesh) continue;
    PutText(out, mesh->name);
    PutArray(out, mesh->positions);
    PutArray(out, mesh->normals);
    PutArray(out, mesh->uvs);
    PutArray(out, mesh->triangles);
    Put<std::uint32_t>(out, static_cast<std::uint32_t>(mesh->bones.size()));
    for (const MeshBone& bone : mesh->bones) {
      PutText(out, bone.name);
      for (float v : bone.offset) Put<float>(out, v);
      Put<std::uint64_t>(out, bone.weights.size());
      for (const auto& [vertex, weight] : bone.weights) {
        Put<std::uint32_t>(out, vertex);
        Put<float>(out, weight);
      }
    }
  }
  // Which shape shows which mesh.
  std::vector<std::uint32_t> pairs;
  for (std::size_t i = 0; i < content.nodes.size(); ++i) {
    const NodeData& node = content.nodes[i];
    if (node.kind != kNodeTypeShape) continue;
    std::int32_t mesh = content.shapes[static_cast<std::size_t>(node.ext)].mesh;
    if (mesh < 0) continue;
    pairs.push_back(static_cast<std::uint32_t>(i));
    pairs.push_back(static_cast<std::uint32_t>(mesh));
  }
  PutArray(out, pairs);
  return out;
}

std::string EncodeError(Long number, const std::string& description) {
  std::string out(kMagic);
  out += 'E';
  Put<std::int32_t>(out, number);
  PutText(out, description);
  return out;
}

SceneContent DecodeScene(std::string_view bytes, const std::string& origin) {
  Input in(bytes, origin);
  if (in.Bytes(std::min(kMagic.size(), bytes.size())) != kMagic)
    in.Fail("is not one");
  const char kind = in.Get<char>();
  if (kind == 'E') {
    auto number = in.Get<std::int32_t>();
    std::string description(in.Text());
    if (number <= 0) in.Fail("names no error");
    throw Error(number, description);
  }
  if (kind != 'S') in.Fail("is of an unknown kind");
  std::string_view text = in.Bytes(in.Get<std::uint64_t>());
  SceneContent content = ReadSceneText(text, origin);
  auto meshes = in.Get<std::uint32_t>();
  for (std::uint32_t m = 0; m < meshes; ++m) {
    content.meshes.push_back(in.Get<char>() != 0 ? GetMesh(in) : nullptr);
  }
  std::vector<std::uint32_t> pairs = in.Array<std::uint32_t>(2);
  for (std::size_t i = 0; i < pairs.size(); i += 2) {
    if (pairs[i] >= content.nodes.size() ||
        content.nodes[pairs[i]].kind != kNodeTypeShape ||
        pairs[i + 1] >= content.meshes.size() ||
        !content.meshes[pairs[i + 1]]) {
      in.Fail("gives a mesh to a node that is no shape");
    }
    content.shapes[static_cast<std::size_t>(content.nodes[pairs[i]].ext)]
        .mesh = static_cast<std::int32_t>(pairs[i + 1]);
  }
  if (!in.AtEnd()) in.Fail("goes on after its end");
  return content;
}

}  // namespace morvel::mem
