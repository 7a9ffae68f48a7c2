#include "memscene/model_export.h"

#include <assimp/Exporter.hpp>
#include <assimp/material.h>
#include <assimp/scene.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "base/error.h"
#include "memscene/gltf_extras.h"
#include "memscene/model_transform.h"

namespace morvel::mem {
namespace {

constexpr double kHalfTurn = 3.141593;

struct Format {
  const char* extension;
  const char* id;
};
constexpr Format kFormats[] = {
    {"gltf", "gltf2"}, {"glb", "glb2"}, {"obj", "obj"}, {"dae", "collada"},
    {"fbx", "fbxa"},   {"ply", "ply"},  {"stl", "stl"},
};

aiMatrix4x4 ToAssimp(const SourceMatrix& m) {
  return aiMatrix4x4(m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8],
                     m[9], m[10], m[11], m[12], m[13], m[14], m[15]);
}

aiVector3D ToAssimp(const SingleVector3& v) { return {v.X, v.Y, v.Z}; }
aiColor3D Rgb(const ColourValue& c) { return {c.Red, c.Green, c.Blue}; }
aiColor3D Scaled(const ColourValue& c, double by) {
  return aiColor3D(static_cast<float>(c.Red * by), static_cast<float>(c.Green * by),
                   static_cast<float>(c.Blue * by));
}

// Arrays Assimp owns once handed over (it frees them with delete[]).
template <class T>
T** OwnedArray(std::vector<T*>& items, unsigned& count) {
  count = static_cast<unsigned>(items.size());
  if (items.empty()) return nullptr;
  T** array = new T*[items.size()];
  std::copy(items.begin(), items.end(), array);
  items.clear();
  return array;
}

class Builder {
 public:
  Builder(const SceneContent& content,
          const std::function<std::string(std::string_view)>& map_path)
      : content_(content), map_path_(map_path) {}

  // The panel's range of each light of the scene built, in order: the
  // glTF lights carry it, Assimp's light record does not.
  const std::vector<float>& light_ranges() const { return light_ranges_; }

  std::unique_ptr<aiScene> Build() {
    auto scene = std::make_unique<aiScene>();
    children_.resize(content_.nodes.size());
    for (std::size_t i = 0; i < content_.nodes.size(); ++i) {
      std::int32_t parent = content_.nodes[i].parent;
      (parent < 0 ? top_ : children_[static_cast<std::size_t>(parent)])
          .push_back(static_cast<std::int32_t>(i));
    }
    // A scene of one top group is that group; any other gets a root.
    if (top_.size() == 1 && IsGroup(top_[0])) {
      scene->mRootNode = MakeNode(top_[0], nullptr);
    } else {
      scene->mRootNode = new aiNode("Scene");
      Fill(scene->mRootNode, top_);
    }
    if (materials_.empty()) materials_.push_back(DefaultMaterial());
    scene->mMeshes = OwnedArray(meshes_, scene->mNumMeshes);
    scene->mMaterials = OwnedArray(materials_, scene->mNumMaterials);
    scene->mLights = OwnedArray(lights_, scene->mNumLights);
    scene->mCameras = OwnedArray(cameras_, scene->mNumCameras);
    return scene;
  }

 private:
  bool IsGroup(std::int32_t i) const {
    Long kind = content_.nodes[static_cast<std::size_t>(i)].kind;
    return kind == kNodeTypeGroup || kind == kNodeTypeBone;
  }

  aiNode* MakeNode(std::int32_t index, aiNode* parent) {
    const NodeData& node = content_.nodes[static_cast<std::size_t>(index)];
    auto* out = new aiNode(node.name);
    out->mParent = parent;
    out->mTransformation = ToAssimp(
        MatrixOf(content_.groups[static_cast<std::size_t>(node.ext)]));
    Fill(out, children_[static_cast<std::size_t>(index)]);
    return out;
  }

  // The children of a node: groups as nodes, shapes as its meshes, lights
  // and cameras by name.
  void Fill(aiNode* out, const std::vector<std::int32_t>& members) {
    std::vector<aiNode*> nodes;
    std::vector<unsigned> meshes;
    bool claimed = false;  // a light or camera took this node's name
    for (std::int32_t i : members) {
      const NodeData& node = content_.nodes[static_cast<std::size_t>(i)];
      const auto ext = static_cast<std::size_t>(node.ext);
      switch (node.kind) {
        case kNodeTypeGroup:
        case kNodeTypeBone:
          nodes.push_back(MakeNode(i, out));
          break;
        case kNodeTypeShape:
          if (int mesh = Mesh(content_.shapes[ext]); mesh >= 0)
            meshes.push_back(static_cast<unsigned>(mesh));
          break;
        case kNodeTypeLight: {
          const LightData& l = content_.lights[ext];
          // An imported light stood at its group's node; another gets its
          // own.
          std::string holder = HolderName(out, node, l.placement.Set(), claimed,
                                          nodes);
          lights_.push_back(Light(l, holder));
          light_ranges_.push_back(l.spotlight_range);
          break;
        }
        case kNodeTypeCamera: {
          const CameraData& c = content_.cameras[ext];
          std::string holder =
              HolderName(out, node, c.lens.Set(), claimed, nodes);
          cameras_.push_back(Camera(c, holder));
          break;
        }
      }
    }
    out->mChildren = OwnedArray(nodes, out->mNumChildren);
    out->mNumMeshes = static_cast<unsigned>(meshes.size());
    if (!meshes.empty()) {
      out->mMeshes = new unsigned[meshes.size()];
      std::copy(meshes.begin(), meshes.end(), out->mMeshes);
    }
  }

  std::string HolderName(aiNode* out, const NodeData& node, bool imported,
                         bool& claimed, std::vector<aiNode*>& nodes) {
    if (imported && !claimed && out->mName.length > 0) {
      claimed = true;
      return out->mName.C_Str();
    }
    auto* own = new aiNode(node.name);
    own->mParent = out;
    nodes.push_back(own);
    return node.name;
  }

  int Mesh(const ShapeData& shape) {
    if (shape.mesh < 0 || static_cast<std::size_t>(shape.mesh) >= content_.meshes.size())
      return -1;
    const MeshData* data = content_.meshes[static_cast<std::size_t>(shape.mesh)].get();
    if (data == nullptr || data->positions.empty()) return -1;
    auto* mesh = new aiMesh;
    mesh->mName = data->name;
    mesh->mPrimitiveTypes = aiPrimitiveType_TRIANGLE;
    const auto vertices = static_cast<unsigned>(data->VertexCount());
    mesh->mNumVertices = vertices;
    mesh->mVertices = new aiVector3D[vertices];
    for (unsigned v = 0; v < vertices; ++v) {
      mesh->mVertices[v] = {data->positions[3 * v], data->positions[3 * v + 1],
                            data->positions[3 * v + 2]};
    }
    if (!data->normals.empty()) {
      mesh->mNormals = new aiVector3D[vertices];
      for (unsigned v = 0; v < vertices; ++v) {
        mesh->mNormals[v] = {data->normals[3 * v], data->normals[3 * v + 1],
                             data->normals[3 * v + 2]};
      }
    }
    if (!data->uvs.empty()) {
      mesh->mTextureCoords[0] = new aiVector3D[vertices];
      mesh->mNumUVComponents[0] = 2;
      for (unsigned v = 0; v < vertices; ++v)
        mesh->mTextureCoords[0][v] = {data->uvs[2 * v], data->uvs[2 * v + 1], 0};
    }
    mesh->mNumFaces = static_cast<unsigned>(data->TriangleCount());
    mesh->mFaces = new aiFace[mesh->mNumFaces];
    for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
      aiFace& face = mesh->mFaces[f];
      face.mNumIndices = 3;
      face.mIndices = new unsigned[3];
      std::copy_n(&data->triangles[3 * f], 3, face.mIndices);
    }
    std::vector<aiBone*> bones;
    for (const MeshBone& bone : data->bones) {
      auto* out = new aiBone;
      out->mName = bone.name;
      const auto& o = bone.offset;
      out->mOffsetMatrix = aiMatrix4x4(o[0], o[1], o[2], o[3], o[4], o[5], o[6],
                                       o[7], o[8], o[9], o[10], o[11], o[12],
                                       o[13], o[14], o[15]);
      out->mNumWeights = static_cast<unsigned>(bone.weights.size());
      out->mWeights = out->mNumWeights ? new aiVertexWeight[out->mNumWeights] : nullptr;
      for (unsigned w = 0; w < out->mNumWeights; ++w)
        out->mWeights[w] = aiVertexWeight(bone.weights[w].first, bone.weights[w].second);
      bones.push_back(out);
    }
    mesh->mBones = OwnedArray(bones, mesh->mNumBones);
    mesh->mMaterialIndex = shape.materials.empty()
                               ? MaterialIndex(nullptr)
                               : MaterialIndex(&shape.materials.front());
    meshes_.push_back(mesh);
    return static_cast<int>(meshes_.size() - 1);
  }

  // Equal materials are written once.
  unsigned MaterialIndex(const MaterialData* material) {
    static const MaterialData kNone;
    const MaterialData& m = material ? *material : kNone;
    for (std::size_t i = 0; i < written_.size(); ++i) {
      if (written_[i] == m) return static_cast<unsigned>(i);
    }
    written_.push_back(m);
    materials_.push_back(Material(m, written_.size() - 1));
    return static_cast<unsigned>(materials_.size() - 1);
  }

  aiMaterial* DefaultMaterial() { return Material(MaterialData(), 0); }

  aiMaterial* Material(const MaterialData& m, std::size_t index) {
    auto* out = new aiMaterial;
    aiString name(content_.material_field_names.empty() ||
                          content_.material_field_names[0] != "Material" ||
                          m.fields[0].empty()
                      ? "Material " + std::to_string(index)
                      : std::string(m.fields[0]));
    out->AddProperty(&name, AI_MATKEY_NAME);
    const MaterialSource& source = m.source.get();
    aiColor3D diffuse = Scaled(m.colour, m.diffuse / 100.0);
    out->AddProperty(&diffuse, 1, AI_MATKEY_COLOR_DIFFUSE);
    aiColor4D base(diffuse.r, diffuse.g, diffuse.b, m.colour.Alpha);
    out->AddProperty(&base, 1, AI_MATKEY_BASE_COLOR);
    float opacity = m.colour.Alpha;
    out->AddProperty(&opacity, 1, AI_MATKEY_OPACITY);
    // The file's own ambient and specular colours while their levels are
    // unchanged; else grey at the level set.
    aiColor3D ambient = m.ambient == source.ambient_level
                            ? Rgb(source.ambient)
                            : Scaled({1, 1, 1, 1}, m.ambient / 100.0);
    out->AddProperty(&ambient, 1, AI_MATKEY_COLOR_AMBIENT);
    aiColor3D specular = m.specular == source.specular_level
                             ? Rgb(source.specular)
                             : Scaled({1, 1, 1, 1}, m.specular / 100.0);
    out->AddProperty(&specular, 1, AI_MATKEY_COLOR_SPECULAR);
    aiColor3D emissive = Rgb(source.emissive);
    out->AddProperty(&emissive, 1, AI_MATKEY_COLOR_EMISSIVE);
    float shininess = source.shininess;
    out->AddProperty(&shininess, 1, AI_MATKEY_SHININESS);
    int two_sided = source.two_sided ? 1 : 0;
    out->AddProperty(&two_sided, 1, AI_MATKEY_TWOSIDED);
    if (m.maps) Textures(*m.maps, out);
    return out;
  }

  void Textures(const MapsData& maps, aiMaterial* out) {
    static constexpr aiTextureType kSlots[6] = {
        aiTextureType_DIFFUSE, aiTextureType_SPECULAR, aiTextureType_OPACITY,
        aiTextureType_NORMALS, aiTextureType_EMISSIVE, aiTextureType_REFLECTION};
    for (std::size_t slot = 0; slot < 6; ++slot) {
      if (maps.paths[slot].empty()) continue;
      aiString path(map_path_(maps.paths[slot]));
      const aiTextureType type = kSlots[slot];
      out->AddProperty(&path, AI_MATKEY_TEXTURE(type, 0));
      if (slot == 0) out->AddProperty(&path, AI_MATKEY_TEXTURE(aiTextureType_BASE_COLOR, 0));
      int mapping = maps.setting_a;
      out->AddProperty(&mapping, 1, AI_MATKEY_MAPPING(type, 0));
      int mode = maps.setting_b == 1   ? aiTextureMapMode_Wrap
                 : maps.setting_b == 2 ? aiTextureMapMode_Mirror
                 : maps.setting_b == 3 ? aiTextureMapMode_Decal
                                       : aiTextureMapMode_Clamp;
      out->AddProperty(&mode, 1, AI_MATKEY_MAPPINGMODE_U(type, 0));
      out->AddProperty(&mode, 1, AI_MATKEY_MAPPINGMODE_V(type, 0));
      float blend = maps.blend;
      out->AddProperty(&blend, 1, AI_MATKEY_TEXBLEND(type, 0));
    }
  }

  static aiLight* Light(const LightData& l, const std::string& holder) {
    auto* out = new aiLight;
    out->mName = holder;
    switch (l.light_type) {
      case kLightTypeAmbient:
        out->mType = aiLightSource_AMBIENT;
        break;
      case kLightTypeDirectional:
        out->mType = aiLightSource_DIRECTIONAL;
        break;
      case kLightTypeSpot:
        out->mType = aiLightSource_SPOT;
        break;
      default:
        out->mType = aiLightSource_POINT;
        break;
    }
    const LightPlacement& p = l.placement.get();
    out->mPosition = ToAssimp(p.position);
    out->mDirection = ToAssimp(p.direction);
    out->mUp = ToAssimp(p.up);
    out->mColorDiffuse = Rgb(l.colour);
    out->mColorAmbient = Rgb(p.ambient);
    out->mColorSpecular = Rgb(p.specular);
    out->mAttenuationConstant = l.constant_attenuation;
    out->mAttenuationLinear = l.linear_attenuation;
    out->mAttenuationQuadratic = l.quadratic_attenuation;
    out->mAngleInnerCone = static_cast<float>(l.spotlight_umbra * kHalfTurn);
    out->mAngleOuterCone = static_cast<float>(l.spotlight_penumbra * kHalfTurn);
    return out;
  }

  static aiCamera* Camera(const CameraData& c, const std::string& holder) {
    auto* out = new aiCamera;
    out->mName = holder;
    const CameraLens& lens = c.lens.get();
    out->mPosition = ToAssimp(lens.position);
    out->mLookAt = ToAssimp(lens.look_at);
    out->mUp = ToAssimp(lens.up);
    out->mHorizontalFOV = static_cast<float>(c.field_of_view * kHalfTurn);
    out->mClipPlaneNear = lens.near_plane;
    out->mClipPlaneFar = lens.far_plane;
    out->mAspect = lens.aspect;
    return out;
  }

  const SceneContent& content_;
  const std::function<std::string(std::string_view)>& map_path_;
  std::vector<std::vector<std::int32_t>> children_;
  std::vector<std::int32_t> top_;
  std::vector<aiMesh*> meshes_;
  std::vector<aiMaterial*> materials_;
  std::vector<MaterialData> written_;
  std::vector<aiLight*> lights_;
  std::vector<float> light_ranges_;
  std::vector<aiCamera*> cameras_;
};

}  // namespace

std::string ExportFormatOf(std::string_view extension) {
  for (const Format& f : kFormats) {
    if (extension == f.extension) return f.id;
  }
  return {};
}

void ExportModel(const SceneContent& content, const std::string& path,
                 const std::string& format,
                 const std::function<std::string(std::string_view)>& map_path) {
  Builder builder(content, map_path);
  std::unique_ptr<aiScene> scene = builder.Build();
  Assimp::Exporter exporter;
  if (exporter.Export(scene.get(), format, path) != AI_SUCCESS) {
    RaiseError(kErrPathFileAccess, "Path/File access error: cannot write " +
                                       path + ": " + exporter.GetErrorString());
  }
  if (format == "gltf2" || format == "glb2") {
    AddGltfLightsAndCameras(path, format == "glb2", *scene,
                            builder.light_ranges());
  }
}

}  // namespace morvel::mem
