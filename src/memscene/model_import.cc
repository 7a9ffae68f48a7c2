#include "memscene/model_import.h"

#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <unordered_map>
#include <unordered_set>

#include "base/error.h"
#include "base/utf8.h"
#include "memscene/model_transform.h"

namespace morvel::mem {
namespace {

namespace fs = std::filesystem;

// Half a turn as the panel's Singles have it: cone angles and fields of
// view are kept as fractions of it.
constexpr double kHalfTurn = 3.141593;
// Nesting beyond this is cut off: no real file comes near it, and a file
// that goes on has nothing to show there.
constexpr int kMaxDepth = 1000;
// An embedded texture larger than this is not written out.
constexpr std::uint64_t kMaxTextureBytes = std::uint64_t{256} << 20;

Single Finite(float value, Single fallback) {
  return std::isfinite(value) ? value : fallback;
}

SingleVector3 Vector(const aiVector3D& v, SingleVector3 fallback) {
  if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z))
    return fallback;
  return {v.x, v.y, v.z};
}

ColourValue Colour(const aiColor3D& c, ColourValue fallback) {
  if (!std::isfinite(c.r) || !std::isfinite(c.g) || !std::isfinite(c.b))
    return fallback;
  return {c.r, c.g, c.b, 1};
}

std::string_view View(const aiString& s) {
  return std::string_view(s.data, std::min<std::size_t>(s.length, MAXLEN - 1));
}

Long Percent(double value) {
  if (!std::isfinite(value)) return 0;
  return static_cast<Long>(std::nearbyint(std::clamp(value, -1e6, 1e6) * 100));
}

std::uint64_t Fnv(const unsigned char* data, std::size_t size) {
  std::uint64_t h = 1469598103934665603ull;
  for (std::size_t i = 0; i < size; ++i) h = (h ^ data[i]) * 1099511628211ull;
  return h;
}

// Builds the scene: every name made visible and unique as it is added.
class Converter {
 public:
  Converter(const aiScene& scene, const ImportSettings& settings)
      : scene_(scene), settings_(settings) {
    file_name_ = VisibleName(fs::path(settings.file).filename().string());
    folder_ = fs::path(settings.file).parent_path();
  }

  SceneContent Run() {
    content_.material_field_names = {"Material"};
    CollectBoneNames();
    content_.meshes.resize(Count(scene_.mNumMeshes, scene_.mMeshes));
    if (scene_.mRootNode != nullptr) {
      Walk(*scene_.mRootNode);
    } else {
      // A file with meshes but no node graph: one group holds them all.
      std::int32_t group = Add("Scene", "Scene", kNodeTypeGroup, -1);
      for (unsigned m = 0; m < content_.meshes.size(); ++m) AddShape(m, group, "Scene");
    }
    AddLights();
    AddCameras();
    for (std::size_t i = 0; i < content_.nodes.size(); ++i) {
      if (content_.nodes[i].kind == kNodeTypeShape) {
        content_.selection.push_back(static_cast<std::int32_t>(i));
        break;
      }
    }
    return std::move(content_);
  }

 private:
  // How many entries a count/array pair really has: none when the array is
  // missing.
  template <class T>
  static std::size_t Count(unsigned count, T* const* array) {
    return array == nullptr ? 0 : count;
  }

  void CollectBoneNames() {
    for (std::size_t m = 0; m < Count(scene_.mNumMeshes, scene_.mMeshes); ++m) {
      const aiMesh* mesh = scene_.mMeshes[m];
      if (mesh == nullptr) continue;
      for (std::size_t b = 0; b < Count(mesh->mNumBones, mesh->mBones); ++b) {
        if (mesh->mBones[b] != nullptr)
          bone_names_.insert(std::string(View(mesh->mBones[b]->mName)));
      }
    }
  }

  // Adds a node named after `raw` (or `fallback` when it has no name). A
  // name in use gets what the node is ("Cube (mesh)" beside the group
  // "Cube" whose mesh it is), then a number: " (2)", " (3)"...
  std::int32_t Add(std::string_view raw, const std::string& fallback,
                   Long kind, std::int32_t parent) {
    std::string base = VisibleName(raw);
    if (base.empty()) base = fallback;
    const char* what = kind == kNodeTypeShape    ? "mesh"
                       : kind == kNodeTypeLight  ? "light"
                       : kind == kNodeTypeCamera ? "camera"
                                                 : nullptr;
    std::string name = base;
    for (int n = 1;; ++n) {
      std::int32_t taken = -1;
      std::int32_t index = content_.AddNode(name, kind, parent, &taken);
      if (index >= 0) return index;
      std::string tail = what != nullptr ? std::string(what) : std::string();
      if (n > 1 || what == nullptr)
        tail += (tail.empty() ? "" : " ") + std::to_string(what ? n : n + 1);
      name = base + " (" + tail + ")";
    }
  }

  void Walk(const aiNode& root) {
    struct Pending {
      const aiNode* node;
      std::int32_t parent;
      int depth;
    };
    std::vector<Pending> stack{{&root, -1, 0}};
    std::unordered_set<const aiNode*> seen;
    while (!stack.empty()) {
      Pending at = stack.back();
      stack.pop_back();
      // A node met twice (a file whose graph loops back) is shown once.
      if (!seen.insert(at.node).second || at.depth > kMaxDepth) continue;
      const aiNode& node = *at.node;
      std::string raw(View(node.mName));
      Long kind = bone_names_.count(raw) ? kNodeTypeBone : kNodeTypeGroup;
      std::int32_t index = Add(raw, "Node " + std::to_string(content_.nodes.size()),
                               kind, at.parent);
      node_of_name_.emplace(raw, index);
      ai_node_of_name_.emplace(raw, &node);
      Place(node, index);
      // A copy: adding the shapes below may move the node array.
      const std::string name = content_.nodes[static_cast<std::size_t>(index)].name;
      for (std::size_t m = 0; m < Count(node.mNumMeshes, &node.mMeshes); ++m) {
        if (node.mMeshes != nullptr && node.mMeshes[m] < content_.meshes.size())
          AddShape(node.mMeshes[m], index, name);
      }
      // Children in their order: pushed last first.
      for (std::size_t c = Count(node.mNumChildren, node.mChildren); c-- > 0;) {
        if (node.mChildren[c] != nullptr)
          stack.push_back({node.mChildren[c], index, at.depth + 1});
      }
    }
  }

  void Place(const aiNode& node, std::int32_t index) {
    const aiMatrix4x4& t = node.mTransformation;
    SourceMatrix m = {t.a1, t.a2, t.a3, t.a4, t.b1, t.b2, t.b3, t.b4,
                      t.c1, t.c2, t.c3, t.c4, t.d1, t.d2, t.d3, t.d4};
    GroupData& g = content_.groups[static_cast<std::size_t>(
        content_.nodes[static_cast<std::size_t>(index)].ext)];
    Placement p = Decompose(m);
    g.position = p.position;
    g.orientation = p.orientation;
    g.scale = p.scale;
    const bool finite = std::all_of(m.begin(), m.end(),
                                    [](Single v) { return std::isfinite(v); });
    if (finite && !t.IsIdentity()) g.matrix.Mutable() = m;
  }

  void AddShape(unsigned mesh_index, std::int32_t parent,
                const std::string& node_name) {
    const aiMesh* mesh = scene_.mMeshes[mesh_index];
    if (mesh == nullptr) return;
    std::string caption = VisibleName(View(mesh->mName));
    if (caption.empty()) caption = "Mesh " + std::to_string(mesh_index);
    std::int32_t index =
        Add(View(mesh->mName), node_name + " mesh", kNodeTypeShape, parent);
    ShapeData& shape = content_.shapes[static_cast<std::size_t>(
        content_.nodes[static_cast<std::size_t>(index)].ext)];
    shape.source.SetCaption(caption);
    shape.source.SetDetail(file_name_ + ", mesh " + std::to_string(mesh_index));
    if (!content_.meshes[mesh_index]) content_.meshes[mesh_index] = Geometry(*mesh);
    shape.mesh = static_cast<std::int32_t>(mesh_index);
    if (scene_.mMaterials != nullptr && mesh->mMaterialIndex < scene_.mNumMaterials &&
        scene_.mMaterials[mesh->mMaterialIndex] != nullptr) {
      shape.materials.push_back(
          MaterialOf(*scene_.mMaterials[mesh->mMaterialIndex],
                     mesh->mMaterialIndex));
    }
  }

  static std::shared_ptr<const MeshData> Geometry(const aiMesh& mesh) {
    auto out = std::make_shared<MeshData>();
    out->name = VisibleName(View(mesh.mName));
    const std::size_t vertices = mesh.mVertices != nullptr ? mesh.mNumVertices : 0;
    auto put = [](std::vector<float>& to, float v) {
      to.push_back(std::isfinite(v) ? v : 0.0f);
    };
    out->positions.reserve(vertices * 3);
    for (std::size_t v = 0; v < vertices; ++v) {
      put(out->positions, mesh.mVertices[v].x);
      put(out->positions, mesh.mVertices[v].y);
      put(out->positions, mesh.mVertices[v].z);
    }
    if (mesh.mNormals != nullptr) {
      out->normals.reserve(vertices * 3);
      for (std::size_t v = 0; v < vertices; ++v) {
        put(out->normals, mesh.mNormals[v].x);
        put(out->normals, mesh.mNormals[v].y);
        put(out->normals, mesh.mNormals[v].z);
      }
    }
    if (mesh.mTextureCoords[0] != nullptr) {
      out->uvs.reserve(vertices * 2);
      for (std::size_t v = 0; v < vertices; ++v) {
        put(out->uvs, mesh.mTextureCoords[0][v].x);
        put(out->uvs, mesh.mTextureCoords[0][v].y);
      }
    }
    if (mesh.mFaces != nullptr) {
      out->triangles.reserve(static_cast<std::size_t>(mesh.mNumFaces) * 3);
      for (std::size_t f = 0; f < mesh.mNumFaces; ++f) {
        const aiFace& face = mesh.mFaces[f];
        // Points and lines have nothing to fill.
        if (face.mNumIndices != 3 || face.mIndices == nullptr) continue;
        if (face.mIndices[0] >= vertices || face.mIndices[1] >= vertices ||
            face.mIndices[2] >= vertices)
          continue;
        out->triangles.insert(out->triangles.end(), face.mIndices,
                              face.mIndices + 3);
      }
    }
    for (std::size_t b = 0; b < Count(mesh.mNumBones, mesh.mBones); ++b) {
      const aiBone* bone = mesh.mBones[b];
      if (bone == nullptr) continue;
      MeshBone kept;
      kept.name = std::string(View(bone->mName));
      const aiMatrix4x4& o = bone->mOffsetMatrix;
      kept.offset = {o.a1, o.a2, o.a3, o.a4, o.b1, o.b2, o.b3, o.b4,
                     o.c1, o.c2, o.c3, o.c4, o.d1, o.d2, o.d3, o.d4};
      for (float& v : kept.offset) v = std::isfinite(v) ? v : 0.0f;
      if (bone->mWeights != nullptr) {
        for (std::size_t w = 0; w < bone->mNumWeights; ++w) {
          const aiVertexWeight& weight = bone->mWeights[w];
          if (weight.mVertexId < vertices && std::isfinite(weight.mWeight))
            kept.weights.emplace_back(weight.mVertexId, weight.mWeight);
        }
      }
      out->bones.push_back(std::move(kept));
    }
    return out;
  }

  MaterialData MaterialOf(const aiMaterial& material, unsigned index) {
    MaterialData m;
    aiColor4D base;
    aiColor3D c;
    ColourValue colour{1, 1, 1, 1};
    if (material.Get(AI_MATKEY_BASE_COLOR, base) == AI_SUCCESS) {
      colour = Colour(aiColor3D(base.r, base.g, base.b), colour);
      colour.Alpha = Finite(base.a, 1);
    } else if (material.Get(AI_MATKEY_COLOR_DIFFUSE, c) == AI_SUCCESS) {
      colour = Colour(c, colour);
    }
    float opacity = 1;
    if (material.Get(AI_MATKEY_OPACITY, opacity) == AI_SUCCESS)
      colour.Alpha = Finite(opacity, colour.Alpha);
    m.colour = colour;
    // The file's colour is the diffuse colour at full strength.
    m.diffuse = 100;
    MaterialSource& source = m.source.Mutable();
    m.ambient = 0;
    m.specular = 0;
    if (material.Get(AI_MATKEY_COLOR_AMBIENT, c) == AI_SUCCESS) {
      source.ambient = Colour(c, source.ambient);
      m.ambient = Percent(std::max({source.ambient.Red, source.ambient.Green,
                                    source.ambient.Blue}));
      source.ambient_level = m.ambient;
    }
    if (material.Get(AI_MATKEY_COLOR_SPECULAR, c) == AI_SUCCESS) {
      source.specular = Colour(c, source.specular);
      float strength = 1;
      material.Get(AI_MATKEY_SHININESS_STRENGTH, strength);
      m.specular = Percent(static_cast<double>(Finite(strength, 1)) *
                           std::max({source.specular.Red,
                                     source.specular.Green,
                                     source.specular.Blue}));
      source.specular_level = m.specular;
    }
    if (material.Get(AI_MATKEY_COLOR_EMISSIVE, c) == AI_SUCCESS)
      source.emissive = Colour(c, source.emissive);
    float shininess = 0;
    if (material.Get(AI_MATKEY_SHININESS, shininess) == AI_SUCCESS)
      source.shininess = Finite(shininess, 0);
    int two_sided = 0;
    if (material.Get(AI_MATKEY_TWOSIDED, two_sided) == AI_SUCCESS)
      source.two_sided = two_sided != 0;

    aiString name;
    std::string shown;
    if (material.Get(AI_MATKEY_NAME, name) == AI_SUCCESS) shown = VisibleName(View(name));
    if (shown.empty()) shown = "Material " + std::to_string(index);
    m.fields.Set(0, shown);
    Maps(material, m);
    return m;
  }

  // The six map columns: colour, specular, transparency, bump, glow and
  // reflection textures.
  void Maps(const aiMaterial& material, MaterialData& m) {
    static constexpr aiTextureType kSlots[6][2] = {
        {aiTextureType_DIFFUSE, aiTextureType_BASE_COLOR},
        {aiTextureType_SPECULAR, aiTextureType_SPECULAR},
        {aiTextureType_OPACITY, aiTextureType_OPACITY},
        {aiTextureType_NORMALS, aiTextureType_HEIGHT},
        {aiTextureType_EMISSIVE, aiTextureType_EMISSION_COLOR},
        {aiTextureType_REFLECTION, aiTextureType_REFLECTION},
    };
    MapsData maps;
    bool any = false, first = true;
    for (std::size_t slot = 0; slot < 6; ++slot) {
      for (aiTextureType type : kSlots[slot]) {
        aiString path;
        aiTextureMapping mapping = aiTextureMapping_UV;
        ai_real blend = 1;
        aiTextureMapMode modes[3] = {aiTextureMapMode_Wrap, aiTextureMapMode_Wrap,
                                     aiTextureMapMode_Wrap};
        if (material.GetTexture(type, 0, &path, &mapping, nullptr, &blend,
                                nullptr, modes) != AI_SUCCESS)
          continue;
        std::string file = TexturePath(View(path));
        if (file.empty()) continue;
        maps.paths.Set(slot, file);
        if (first) {
          first = false;
          maps.setting_a = static_cast<Long>(mapping);
          maps.setting_b = modes[0] == aiTextureMapMode_Wrap     ? 1
                           : modes[0] == aiTextureMapMode_Mirror ? 2
                           : modes[0] == aiTextureMapMode_Decal  ? 3
                                                                 : 0;
          maps.blend = Finite(blend, 1);
        }
        any = true;
        break;
      }
    }
    if (any) m.maps = std::move(maps);
  }

  // A texture as a path the scene can show: an embedded one written out, a
  // path with Windows separators turned around; "" for one to leave out (a
  // device or a folder, which no picture reader should be pointed at).
  std::string TexturePath(std::string_view raw) {
    if (raw.empty()) return {};
    if (const aiTexture* embedded = Embedded(raw)) return WriteTexture(*embedded);
    std::string path = VisibleName(raw);
    std::replace(path.begin(), path.end(), '\\', '/');
    std::error_code error;
    fs::path full = fs::path(path).is_absolute() ? fs::path(path) : folder_ / path;
    fs::file_status status = fs::status(full, error);
    if (!error && fs::exists(status) && !fs::is_regular_file(status)) return {};
    return path;
  }

  const aiTexture* Embedded(std::string_view path) const {
    const std::size_t count = Count(scene_.mNumTextures, scene_.mTextures);
    if (path.size() > 1 && path[0] == '*') {
      std::size_t index = 0;
      for (char ch : path.substr(1)) {
        if (ch < '0' || ch > '9' || index > count) return nullptr;
        index = index * 10 + static_cast<std::size_t>(ch - '0');
      }
      return index < count ? scene_.mTextures[index] : nullptr;
    }
    for (std::size_t t = 0; t < count; ++t) {
      const aiTexture* texture = scene_.mTextures[t];
      if (texture != nullptr && texture->mFilename.length > 0 &&
          View(texture->mFilename) == path)
        return texture;
    }
    return nullptr;
  }

  // Writes an embedded texture into the texture folder under a name made of
  // its bytes (the same picture is written once), and returns its path.
  std::string WriteTexture(const aiTexture& texture) {
    if (settings_.texture_folder.empty() || texture.pcData == nullptr) return {};
    std::string bytes;
    std::string extension;
    if (texture.mHeight == 0) {
      if (texture.mWidth == 0 || texture.mWidth > kMaxTextureBytes) return {};
      bytes.assign(reinterpret_cast<const char*>(texture.pcData), texture.mWidth);
      for (char ch : std::string_view(texture.achFormatHint,
                                      strnlen(texture.achFormatHint, HINTMAXTEXTURELEN))) {
        if (std::isalnum(static_cast<unsigned char>(ch)))
          extension += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
      }
      if (extension.empty()) extension = "img";
    } else {
      // Raw texels (blue, green, red, alpha): a TGA file holds them as
      // they are.
      const std::uint64_t pixels = std::uint64_t{texture.mWidth} * texture.mHeight;
      if (texture.mWidth > 65535 || texture.mHeight > 65535 ||
          pixels * 4 > kMaxTextureBytes)
        return {};
      unsigned char header[18] = {};
      header[2] = 2;  // uncompressed true colour
      header[12] = static_cast<unsigned char>(texture.mWidth & 0xFF);
      header[13] = static_cast<unsigned char>(texture.mWidth >> 8);
      header[14] = static_cast<unsigned char>(texture.mHeight & 0xFF);
      header[15] = static_cast<unsigned char>(texture.mHeight >> 8);
      header[16] = 32;
      header[17] = 0x28;  // first row at the top, 8 bits of alpha
      bytes.assign(reinterpret_cast<const char*>(header), sizeof header);
      bytes.append(reinterpret_cast<const char*>(texture.pcData),
                   static_cast<std::size_t>(pixels * 4));
      extension = "tga";
    }
    char name[32];
    std::snprintf(name, sizeof name, "%016llx",
                  static_cast<unsigned long long>(Fnv(
                      reinterpret_cast<const unsigned char*>(bytes.data()),
                      bytes.size())));
    std::error_code error;
    fs::path folder(settings_.texture_folder);
    fs::create_directories(folder, error);
    fs::path target = folder / (std::string(name) + "." + extension);
    if (fs::file_size(target, error) != bytes.size() || error) {
      fs::path temporary = target;
      temporary += ".part";
      std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
      out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      out.close();
      if (!out) return {};
      fs::rename(temporary, target, error);
      if (error) return {};
    }
    return target.string();
  }

  // The group a light or camera of that name belongs to: the node of the
  // same name, else the top.
  std::int32_t HolderOf(std::string_view name) const {
    auto it = node_of_name_.find(std::string(name));
    if (it != node_of_name_.end()) return it->second;
    for (std::size_t i = 0; i < content_.nodes.size(); ++i) {
      Long kind = content_.nodes[i].kind;
      if (kind == kNodeTypeGroup || kind == kNodeTypeBone)
        return static_cast<std::int32_t>(i);
    }
    return -1;
  }

  // Adds a light or camera under the node of its name (HolderOf); the
  // index of its kind's data.
  std::size_t AddHeld(std::string_view raw, const std::string& fallback,
                      Long kind) {
    const std::int32_t index = Add(raw, fallback, kind, HolderOf(raw));
    return static_cast<std::size_t>(
        content_.nodes[static_cast<std::size_t>(index)].ext);
  }

  void AddLights() {
    for (std::size_t l = 0; l < Count(scene_.mNumLights, scene_.mLights); ++l) {
      const aiLight* light = scene_.mLights[l];
      if (light == nullptr) continue;
      LightData& out = content_.lights[AddHeld(
          View(light->mName), "Light " + std::to_string(l), kNodeTypeLight)];
      switch (light->mType) {
        case aiLightSource_DIRECTIONAL:
          out.light_type = kLightTypeDirectional;
          break;
        case aiLightSource_SPOT:
          out.light_type = kLightTypeSpot;
          break;
        case aiLightSource_AMBIENT:
          out.light_type = kLightTypeAmbient;
          break;
        default:
          out.light_type = kLightTypePoint;
          break;
      }
      out.colour = Colour(light->mColorDiffuse, out.colour);
      out.constant_attenuation = Finite(light->mAttenuationConstant, 1);
      out.linear_attenuation = Finite(light->mAttenuationLinear, 0);
      out.quadratic_attenuation = Finite(light->mAttenuationQuadratic, 0);
      out.spotlight_range = RangeOf(out);
      // glTF gives a light's range itself; Assimp keeps it on the node.
      if (auto it = ai_node_of_name_.find(std::string(View(light->mName)));
          it != ai_node_of_name_.end() && it->second->mMetaData != nullptr) {
        float range = 0;
        double wide = 0;
        if (it->second->mMetaData->Get("PBR_LightRange", range) &&
            std::isfinite(range) && range > 0) {
          out.spotlight_range = range;
        } else if (it->second->mMetaData->Get("PBR_LightRange", wide) &&
                   std::isfinite(wide) && wide > 0 && wide < 3e38) {
          out.spotlight_range = static_cast<Single>(wide);
        }
      }
      out.spotlight_umbra = static_cast<Single>(
          Finite(light->mAngleInnerCone, 0.4f * kHalfTurn) / kHalfTurn);
      out.spotlight_penumbra = static_cast<Single>(
          Finite(light->mAngleOuterCone, 0.5f * kHalfTurn) / kHalfTurn);
      LightPlacement& p = out.placement.Mutable();
      p.position = Vector(light->mPosition, p.position);
      p.direction = Vector(light->mDirection, p.direction);
      p.up = Vector(light->mUp, p.up);
      p.ambient = Colour(light->mColorAmbient, p.ambient);
      p.specular = Colour(light->mColorSpecular, p.specular);
    }
  }

  // The distance at which the light has faded to 1/256 of itself (one step
  // of an 8-bit colour), within the panel's 1 to 9999; 9999 for a light
  // that never fades.
  static Single RangeOf(const LightData& l) {
    const double c = l.constant_attenuation, a = l.linear_attenuation,
                 q = l.quadratic_attenuation;
    double d = 9999;
    if (q > 0) {
      d = (-a + std::sqrt(a * a - 4 * q * (c - 256))) / (2 * q);
    } else if (a > 0) {
      d = (256 - c) / a;
    }
    if (!std::isfinite(d)) d = 9999;
    return static_cast<Single>(std::clamp(d, 1.0, 9999.0));
  }

  void AddCameras() {
    for (std::size_t c = 0; c < Count(scene_.mNumCameras, scene_.mCameras); ++c) {
      const aiCamera* camera = scene_.mCameras[c];
      if (camera == nullptr) continue;
      CameraData& out = content_.cameras[AddHeld(
          View(camera->mName), "Camera " + std::to_string(c), kNodeTypeCamera)];
      out.field_of_view = static_cast<Single>(
          Finite(camera->mHorizontalFOV, 0.25f * kHalfTurn) / kHalfTurn);
      CameraLens& lens = out.lens.Mutable();
      lens.position = Vector(camera->mPosition, lens.position);
      lens.look_at = Vector(camera->mLookAt, lens.look_at);
      lens.up = Vector(camera->mUp, lens.up);
      lens.near_plane = Finite(camera->mClipPlaneNear, lens.near_plane);
      lens.far_plane = Finite(camera->mClipPlaneFar, lens.far_plane);
      lens.aspect = Finite(camera->mAspect, lens.aspect);
    }
  }

  const aiScene& scene_;
  const ImportSettings& settings_;
  std::string file_name_;
  fs::path folder_;
  SceneContent content_;
  std::unordered_set<std::string> bone_names_;
  std::unordered_map<std::string, std::int32_t> node_of_name_;
  std::unordered_map<std::string, const aiNode*> ai_node_of_name_;
};

}  // namespace

unsigned ImportFlags() { return aiProcess_Triangulate; }

SceneContent ConvertModel(const aiScene& scene, const ImportSettings& settings) {
  return Converter(scene, settings).Run();
}

std::string VisibleName(std::string_view raw) {
  constexpr std::size_t kMaxBytes = 255;
  std::string out;
  std::size_t i = 0;
  while (i < raw.size() && out.size() < kMaxBytes) {
    auto c = static_cast<unsigned char>(raw[i]);
    if (c < 0x20 || c == 0x7F) {
      AppendUtf8(out, c == 0x7F ? 0x2421 : 0x2400 + c);  // the control pictures
      ++i;
      continue;
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
      ++i;
      continue;
    }
    Utf8Lead rule;
    bool ok = Utf8LeadOf(c, rule);
    if (ok) {
      unsigned char low = rule.low, high = rule.high;
      for (int k = 1; k <= rule.follow; ++k) {
        if (i + static_cast<std::size_t>(k) >= raw.size()) {
          ok = false;
          break;
        }
        auto next = static_cast<unsigned char>(raw[i + static_cast<std::size_t>(k)]);
        if (next < low || next > high) {
          ok = false;
          break;
        }
        low = 0x80;
        high = 0xBF;
      }
    }
    if (!ok) {
      AppendUtf8(out, 0xFFFD);
      ++i;
      continue;
    }
    out.append(raw.substr(i, static_cast<std::size_t>(rule.follow) + 1));
    i += static_cast<std::size_t>(rule.follow) + 1;
  }
  return out;
}

}  // namespace morvel::mem
