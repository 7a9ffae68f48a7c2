#include "memscene/gltf_extras.h"

#include <assimp/scene.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <nlohmann/json.hpp>

#include "base/error.h"

namespace morvel::mem {
namespace {

using ojson = nlohmann::ordered_json;

constexpr std::uint32_t kGlbMagic = 0x46546C67;  // "glTF"
constexpr std::uint32_t kJsonChunk = 0x4E4F534A;  // "JSON"

[[noreturn]] void CannotWrite(const std::string& path, const char* why) {
  RaiseError(kErrPathFileAccess,
             "Path/File access error: cannot write " + path + ": " + why);
}

std::uint32_t Word(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  std::memcpy(&value, bytes.data() + at, 4);
  return value;
}

void PutWord(std::string& bytes, std::size_t at, std::uint32_t value) {
  std::memcpy(bytes.data() + at, &value, 4);
}

// The node of each name, by index.
int NodeNamed(const ojson& gltf, const std::string& name) {
  if (!gltf.contains("nodes")) return -1;
  const ojson& nodes = gltf["nodes"];
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    if (nodes[i].value("name", std::string()) == name) return static_cast<int>(i);
  }
  return -1;
}

void AddTo(ojson& gltf, const aiScene& scene,
           const std::vector<float>& light_ranges) {
  for (unsigned c = 0; c < scene.mNumCameras; ++c) {
    const aiCamera& camera = *scene.mCameras[c];
    int node = NodeNamed(gltf, camera.mName.C_Str());
    if (node < 0) continue;
    // The importer makes the horizontal field of view the vertical one
    // times the aspect (1 when none is given).
    const float aspect = camera.mAspect > 0 ? camera.mAspect : 1.0f;
    ojson perspective = {{"yfov", camera.mHorizontalFOV / aspect},
                         {"znear", camera.mClipPlaneNear}};
    if (camera.mClipPlaneFar > camera.mClipPlaneNear)
      perspective["zfar"] = camera.mClipPlaneFar;
    if (camera.mAspect > 0) perspective["aspectRatio"] = camera.mAspect;
    ojson& cameras = gltf["cameras"];
    gltf["nodes"][static_cast<std::size_t>(node)]["camera"] = cameras.size();
    cameras.push_back({{"type", "perspective"}, {"perspective", perspective}});
  }
  ojson lights = ojson::array();
  for (unsigned l = 0; l < scene.mNumLights; ++l) {
    const aiLight& light = *scene.mLights[l];
    const char* type = light.mType == aiLightSource_DIRECTIONAL ? "directional"
                       : light.mType == aiLightSource_SPOT      ? "spot"
                       : light.mType == aiLightSource_POINT     ? "point"
                                                                : nullptr;
    int node = NodeNamed(gltf, light.mName.C_Str());
    if (type == nullptr || node < 0) continue;
    // glTF colours run from 0 to 1; what is brighter is intensity.
    const aiColor3D& c = light.mColorDiffuse;
    const float intensity = std::max({1.0f, c.r, c.g, c.b});
    ojson out = {{"type", type},
                 {"color", {c.r / intensity, c.g / intensity, c.b / intensity}},
                 {"intensity", intensity}};
    if (light.mType != aiLightSource_DIRECTIONAL && l < light_ranges.size() &&
        light_ranges[l] > 0) {
      out["range"] = light_ranges[l];
    }
    if (light.mType == aiLightSource_SPOT) {
      out["spot"] = {{"innerConeAngle", light.mAngleInnerCone},
                     {"outerConeAngle", light.mAngleOuterCone}};
    }
    gltf["nodes"][static_cast<std::size_t>(node)]["extensions"]
        ["KHR_lights_punctual"] = {{"light", lights.size()}};
    lights.push_back(std::move(out));
  }
  if (!lights.empty()) {
    gltf["extensions"]["KHR_lights_punctual"] = {{"lights", lights}};
    ojson& used = gltf["extensionsUsed"];
    if (std::find(used.begin(), used.end(), "KHR_lights_punctual") == used.end())
      used.push_back("KHR_lights_punctual");
  }
}

}  // namespace

void AddGltfLightsAndCameras(const std::string& path, bool binary,
                             const aiScene& scene,
                             const std::vector<float>& light_ranges) {
  if (scene.mNumCameras == 0 && scene.mNumLights == 0) return;
  std::string bytes;
  {
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
    if (!in && !in.eof()) CannotWrite(path, "it cannot be read back");
  }
  // A binary file: a header, the JSON chunk, then the rest unchanged.
  std::size_t json_at = 0, json_size = bytes.size();
  if (binary) {
    if (bytes.size() < 20 || Word(bytes, 0) != kGlbMagic ||
        Word(bytes, 16) != kJsonChunk || 20 + std::size_t{Word(bytes, 12)} > bytes.size())
      CannotWrite(path, "the exporter wrote no glTF container");
    json_at = 20;
    json_size = Word(bytes, 12);
  }
  ojson gltf = ojson::parse(bytes.substr(json_at, json_size), nullptr, false);
  if (gltf.is_discarded()) CannotWrite(path, "the exporter wrote no glTF");
  AddTo(gltf, scene, light_ranges);
  std::string text = gltf.dump(binary ? -1 : 2);
  if (binary) {
    while (text.size() % 4 != 0) text += ' ';
    std::string rest = bytes.substr(json_at + json_size);
    std::string out = bytes.substr(0, 20);
    out += text;
    out += rest;
    PutWord(out, 8, static_cast<std::uint32_t>(out.size()));
    PutWord(out, 12, static_cast<std::uint32_t>(text.size()));
    text = std::move(out);
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  if (!out) CannotWrite(path, "the lights and cameras could not be added");
}

}  // namespace morvel::mem
