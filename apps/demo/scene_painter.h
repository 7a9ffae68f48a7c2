#ifndef MORVEL_APPS_DEMO_SCENE_PAINTER_H_
#define MORVEL_APPS_DEMO_SCENE_PAINTER_H_

#include <QColor>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "demo/meshes.h"
#include "demo/viewport_scene.h"

class QPainter;

// How the viewport draws each thing it shows, one item at a time: the view
// it is seen through, and the painting of shapes, icons, bones and the
// ground.
namespace morvel::demo {

// One thing a paint drew, as the viewport reports it.
struct DrawnObject {
  std::int32_t node = -1;
  int copy = 0;
  ItemKind kind = ItemKind::kShape;
  Primitive primitive = Primitive::kSphere;
  QRectF bounds;  // on the widget
  QColor colour;  // before shading
  Long draw_style = 0;
  bool as_box = false;
  bool points = false;
  bool normals = false;
  bool translucent = false;
  bool selected = false;
  // Drawn as its mesh; a shape a few pixels across is only a dot.
  bool detailed = false;
};

// A parallel view: the viewer looks along `forward`, `scale` pixels to a
// scene unit, with `target` at `centre` of the picture.
struct ViewCamera {
  Vec3 right, up, forward, target;
  double scale = 1;
  QPointF centre;

  // Looking at `target` from the direction `yaw` degrees about the
  // vertical and `pitch` degrees above the ground.
  static ViewCamera Looking(double yaw, double pitch, Vec3 target, double scale,
                            QPointF centre);
  QPointF Screen(Vec3 p) const {
    Vec3 d = p - target;
    return {centre.x() + scale * Dot(d, right),
            centre.y() - scale * Dot(d, up)};
  }
  // Distance from the viewer, relative to the target.
  double Depth(Vec3 p) const { return Dot(p - target, forward); }
  // A world direction in view terms (right, up, away).
  Vec3 View(Vec3 d) const {
    return {Dot(d, right), Dot(d, up), Dot(d, forward)};
  }
};

// Where a shape's middle is, in the world.
Vec3 MiddleOf(const SceneItem& shape);
// The mesh a shape is drawn with: its own (at most `most_faces` faces), or
// the primitive its caption names (fine or coarse).
const Mesh& ShapeMesh(const SceneItem& shape, bool fine,
                      std::size_t most_faces = 64);

// Paints the items of one picture onto `painter`, within `area`. Each
// drawing routine says what it drew, or nothing when the item was out of
// sight.
class ScenePainter {
 public:
  ScenePainter(QPainter& painter, const ViewCamera& camera, QRectF area)
      : painter_(painter), camera_(camera), area_(area) {}

  // A grid on the ground under everything, with the X (red) and Z (blue)
  // axes.
  void Ground(const std::vector<SceneItem>& items);
  // `outline` gets the outline of a shape drawn as a mesh (empty for a
  // dot): what a click must hit.
  std::optional<DrawnObject> Shape(const SceneItem& item, QPolygonF& outline);
  std::optional<DrawnObject> Light(const SceneItem& item);
  std::optional<DrawnObject> Camera(const SceneItem& item);
  std::optional<DrawnObject> Bone(const SceneItem& item);

 private:
  enum class Mode { kSmooth, kWire, kFlat, kOutline, kCartoon };
  static Mode ModeOf(Long draw_style);

  // The mesh's corners on screen and their depths, into points_ and
  // depths_; `box` puts the shape's bounding box in its place.
  void Project(const Mesh& mesh, const SceneItem& item, const Mesh* box);
  // The faces to draw, far to near, into order_: the index of a face
  // turned to the viewer, -1 - index of one turned away.
  void OrderFaces(const Mesh& mesh, const SceneItem& item, bool both_sides);
  const Face& FaceOf(const Mesh& mesh, int code) const;
  void DrawFace(const Face& face);
  void FillFaces(const Mesh& mesh, const SceneItem& item, Mode mode,
                 double alpha);
  void WireFaces(const Mesh& mesh, const SceneItem& item);
  void BoxEdges(const Mesh& box, const SceneItem& item);
  void Normals(const Mesh& mesh, const SceneItem& item);
  void Points();
  std::optional<QPointF> IconPlace(const SceneItem& item) const;
  void IconSelection(const SceneItem& item, QPointF at);

  QPainter& painter_;
  const ViewCamera& camera_;
  QRectF area_;
  std::vector<QPointF> points_;
  std::vector<double> depths_;
  std::vector<std::pair<double, int>> order_;
};

}  // namespace morvel::demo

#endif  // MORVEL_APPS_DEMO_SCENE_PAINTER_H_
