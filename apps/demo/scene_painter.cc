#include "demo/scene_painter.h"

#include "demo/model_meshes.h"

#include <QPainter>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace morvel::demo {
namespace {

// How much a frame stretches lengths, at most: an imported group's scale.
double Stretch(const mem::Transform& t) {
  double most = 0;
  for (int c = 0; c < 3; ++c) {
    double length = 0;
    for (int r = 0; r < 3; ++r) length += t.rotation.m[r][c] * t.rotation.m[r][c];
    most = std::max(most, std::sqrt(length));
  }
  return std::isfinite(most) && most > 0 ? most : 1;
}

// Where the light comes from, in view terms (right, up, away from the
// viewer): over the viewer's left shoulder.
const Vec3 kLight = Normalised({-0.45, 0.65, -0.6});
// A shape less than this many pixels across is drawn as a dot.
constexpr double kDotRadius = 2.5;
// A shape larger than this on screen gets the fine mesh.
constexpr double kFineRadius = 24;
constexpr double kIconSize = 22;

const QColor kActive(0xff, 0xe0, 0x66);    // the object the panel shows
const QColor kSelected(0xff, 0x9a, 0x1f);  // the others selected
const QColor kPoints(0xff, 0xee, 0x58);
const QColor kNormals(0x4d, 0xd0, 0xe1);
const QColor kInk(0x25, 0x25, 0x28);

bool Finite(QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

QColor Shade(const QColor& base, double light, double alpha) {
  auto channel = [light](float c) {
    return static_cast<float>(std::min(1.0, c * light));
  };
  return QColor::fromRgbF(channel(base.redF()), channel(base.greenF()),
                          channel(base.blueF()), static_cast<float>(alpha));
}

// A one-pixel line whatever the zoom: the painter's quickest pen.
QPen Hairline(const QColor& colour) {
  QPen pen(colour, 1);
  pen.setCosmetic(true);
  return pen;
}

// Three tones, as cel shading has them.
double Toon(double light) { return light < 0.5 ? 0.5 : light < 0.8 ? 0.78 : 1; }

double Turn(QPointF o, QPointF a, QPointF b) {
  return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
}

// The convex hull of the points (monotone chain).
QPolygonF Hull(std::vector<QPointF> points) {
  std::sort(points.begin(), points.end(), [](QPointF a, QPointF b) {
    return a.x() != b.x() ? a.x() < b.x() : a.y() < b.y();
  });
  if (points.size() < 3)
    return QPolygonF(QList<QPointF>(points.begin(), points.end()));
  std::vector<QPointF> hull(2 * points.size());
  std::size_t k = 0;
  for (const QPointF& p : points) {
    while (k >= 2 && Turn(hull[k - 2], hull[k - 1], p) <= 0) --k;
    hull[k++] = p;
  }
  for (std::size_t i = points.size() - 1, t = k + 1; i-- > 0;) {
    while (k >= t && Turn(hull[k - 2], hull[k - 1], points[i]) <= 0) --k;
    hull[k++] = points[i];
  }
  hull.resize(k - 1);
  return QPolygonF(QList<QPointF>(hull.begin(), hull.end()));
}

QColor ColourOf(const SceneItem& item) {
  return QColor::fromRgbF(item.colour.Red, item.colour.Green, item.colour.Blue);
}

QColor SelectionColour(const SceneItem& item) {
  return item.active ? kActive : kSelected;
}

Vec3 Origin(const SceneItem& item) {
  return {item.world.origin[0], item.world.origin[1], item.world.origin[2]};
}

DrawnObject Describe(const SceneItem& item, QColor colour, QRectF bounds) {
  DrawnObject drawn;
  drawn.node = item.node;
  drawn.copy = item.copy;
  drawn.kind = item.kind;
  drawn.primitive = item.primitive;
  drawn.colour = colour;
  drawn.bounds = bounds;
  drawn.draw_style = item.draw_style;
  drawn.as_box = item.as_box;
  drawn.points = item.points;
  drawn.normals = item.normals;
  drawn.translucent = item.translucent;
  drawn.selected = item.selected;
  drawn.detailed = true;
  return drawn;
}

}  // namespace

ViewCamera ViewCamera::Looking(double yaw, double pitch, Vec3 target,
                               double scale, QPointF centre) {
  constexpr double kRadians = std::numbers::pi / 180;
  yaw *= kRadians;
  pitch *= kRadians;
  ViewCamera camera;
  // The viewer stands at (yaw, pitch) around the target and looks at it.
  camera.forward = Vec3{std::cos(pitch) * std::sin(yaw), std::sin(pitch),
                        std::cos(pitch) * std::cos(yaw)} *
                   -1;
  camera.right = Normalised(Cross(camera.forward, {0, 1, 0}));
  camera.up = Cross(camera.right, camera.forward);
  camera.target = target;
  camera.scale = scale;
  camera.centre = centre;
  return camera;
}

const Mesh& ShapeMesh(const SceneItem& shape, bool fine,
                      std::size_t most_faces) {
  if (shape.geometry) return ModelMesh(shape.geometry, most_faces);
  return MeshOf(shape.primitive, fine);
}

Vec3 MiddleOf(const SceneItem& shape) {
  const Mesh& mesh = ShapeMesh(shape, false);
  return Apply(shape.world, (mesh.min + mesh.max) * 0.5);
}

// ------------------------------------------------------------------ shapes

ScenePainter::Mode ScenePainter::ModeOf(Long draw_style) {
  // The draw modes are single bits of DrawStyle; 0 is the view's default,
  // which here is smooth, and so is anything this view does not know.
  switch (draw_style) {
    case 1:
      return Mode::kWire;
    case 4:
      return Mode::kFlat;
    case 8:
      return Mode::kOutline;
    case 16:
      return Mode::kCartoon;
    default:
      return Mode::kSmooth;
  }
}

std::optional<DrawnObject> ScenePainter::Shape(const SceneItem& item,
                                               QPolygonF& outline) {
  outline.clear();
  QPointF centre = camera_.Screen(MiddleOf(item));
  double radius = ShapeMesh(item, false).radius * camera_.scale *
                  Stretch(item.world);
  if (!Finite(centre) || !std::isfinite(radius) ||
      !area_.adjusted(-radius, -radius, radius, radius).contains(centre)) {
    return std::nullopt;
  }
  const QColor base = ColourOf(item);
  if (radius < kDotRadius) {
    // Too small for a mesh to show anything: a dot of its colour.
    double half = std::max(1.0, radius);
    QRectF dot(centre.x() - half, centre.y() - half, 2 * half, 2 * half);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.fillRect(dot, item.selected ? SelectionColour(item) : base);
    DrawnObject drawn = Describe(item, base, dot);
    drawn.detailed = false;
    return drawn;
  }
  const Mode mode = ModeOf(item.draw_style);
  // An imported mesh: as many faces as its share of the frame allows, and
  // no more than its size on screen can show.
  const std::size_t faces = static_cast<std::size_t>(
      std::clamp(radius * radius, 64.0, static_cast<double>(item.face_cap)));
  const Mesh& shape =
      ShapeMesh(item, mode != Mode::kFlat && radius > kFineRadius, faces);
  // Smoothed edges cost more than thousands of small faces need.
  painter_.setRenderHint(QPainter::Antialiasing, shape.faces.size() < 2000);
  // The material's own transparency, and Draw Translucent on top of it;
  // never so faint that the shape is lost.
  double alpha = std::max(0.25, static_cast<double>(item.colour.Alpha));
  if (item.translucent) alpha = std::min(alpha, 0.5);
  const bool see_through = alpha < 0.99;

  if (item.as_box) {
    // Display as Box: the shape's bounding box stands in for it.
    Project(UnitBox(), item, &shape);
    BoxEdges(UnitBox(), item);
  } else {
    Project(shape, item, nullptr);
    // A closed opaque mesh shows only the faces turned to the viewer; an
    // open one (a cup) or one seen through shows its inside too, and the
    // wireframe every edge.
    OrderFaces(shape, item, shape.open || see_through || mode == Mode::kWire);
    if (mode == Mode::kWire) {
      WireFaces(shape, item);
    } else {
      FillFaces(shape, item, mode, alpha);
    }
    if (item.normals) Normals(shape, item);
  }
  if (item.points) Points();

  outline = Hull(points_);
  if (see_through && !item.as_box && mode != Mode::kWire && !item.selected) {
    // A glass-like shape keeps its form by a light rim.
    QColor rim = base.lighter(160);
    rim.setAlpha(150);
    painter_.setPen(Hairline(rim));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawPolygon(outline);
  }
  return Describe(item, base, outline.boundingRect());
}

void ScenePainter::Project(const Mesh& mesh, const SceneItem& item,
                           const Mesh* box) {
  points_.resize(mesh.vertices.size());
  depths_.resize(mesh.vertices.size());
  for (std::size_t i = 0; i < mesh.vertices.size(); ++i) {
    Vec3 v = mesh.vertices[i];
    if (box) {
      Vec3 size = box->max - box->min;
      v = {box->min.x + v.x * size.x, box->min.y + v.y * size.y,
           box->min.z + v.z * size.z};
    }
    Vec3 world = Apply(item.world, v);
    points_[i] = camera_.Screen(world);
    depths_[i] = camera_.Depth(world);
  }
}

void ScenePainter::OrderFaces(const Mesh& mesh, const SceneItem& item,
                              bool both_sides) {
  order_.clear();
  for (std::size_t f = 0; f < mesh.faces.size(); ++f) {
    const Face& face = mesh.faces[f];
    bool front = camera_.View(Rotate(item.world, face.normal)).z < 0;
    if (!front && !both_sides) continue;
    double depth = 0;
    for (int k = 0; k < face.count; ++k)
      depth += depths_[static_cast<std::size_t>(
          face.v[static_cast<std::size_t>(k)])];
    int index = static_cast<int>(f);
    order_.push_back({depth / face.count, front ? index : -1 - index});
  }
  std::sort(order_.begin(), order_.end(),
            [](const auto& a, const auto& b) { return a.first > b.first; });
}

const Face& ScenePainter::FaceOf(const Mesh& mesh, int code) const {
  return mesh.faces[static_cast<std::size_t>(code >= 0 ? code : -1 - code)];
}

void ScenePainter::DrawFace(const Face& face) {
  QPointF corners[4];
  for (int k = 0; k < face.count; ++k)
    corners[k] =
        points_[static_cast<std::size_t>(face.v[static_cast<std::size_t>(k)])];
  painter_.drawPolygon(corners, face.count);
}

void ScenePainter::FillFaces(const Mesh& mesh, const SceneItem& item, Mode mode,
                             double alpha) {
  const QColor base = ColourOf(item);
  // A thick outline first, under the faces: the selection's halo, or the
  // black ink line of the cartoon mode. Bevelled joins: round ones cost a
  // curve at every corner of every face.
  if (item.selected || mode == Mode::kCartoon) {
    QColor ink =
        item.selected ? SelectionColour(item) : QColor(0x10, 0x10, 0x10);
    painter_.setPen(QPen(ink, item.selected ? 5 : 3.5, Qt::SolidLine,
                         Qt::FlatCap, Qt::BevelJoin));
    painter_.setBrush(ink);
    for (const auto& [depth, code] : order_) {
      if (code >= 0 || mesh.open) DrawFace(FaceOf(mesh, code));
    }
  }
  for (const auto& [depth, code] : order_) {
    Vec3 n = camera_.View(Rotate(item.world, FaceOf(mesh, code).normal));
    double light = code >= 0 ? 0.32 + 0.68 * std::max(0.0, Dot(n, kLight))
                             // an inside, seen through the opening
                             : 0.18 + 0.35 * std::max(0.0, -Dot(n, kLight));
    if (mode == Mode::kCartoon) light = Toon(light);
    QColor fill = Shade(base, light, alpha);
    painter_.setBrush(fill);
    if (mode == Mode::kOutline) {
      painter_.setPen(Hairline(base.darker(300)));
    } else if (alpha < 0.99) {
      painter_.setPen(Qt::NoPen);
    } else {
      // The fill's own colour closes the hairline seams between faces.
      painter_.setPen(Hairline(fill));
    }
    DrawFace(FaceOf(mesh, code));
  }
}

void ScenePainter::WireFaces(const Mesh& mesh, const SceneItem& item) {
  QColor front =
      item.selected ? SelectionColour(item) : ColourOf(item).lighter(125);
  QColor back = front;
  back.setAlpha(70);
  painter_.setBrush(Qt::NoBrush);
  for (const auto& [depth, code] : order_) {
    painter_.setPen(Hairline(code >= 0 ? front : back));
    DrawFace(FaceOf(mesh, code));
  }
}

void ScenePainter::BoxEdges(const Mesh& box, const SceneItem& item) {
  const QColor base = ColourOf(item);
  painter_.setPen(
      QPen(item.selected ? SelectionColour(item) : base.lighter(140),
           item.selected ? 2 : 1.5));
  painter_.setBrush(Shade(base, 1, 0.15));
  for (const Face& face : box.faces) DrawFace(face);
}

void ScenePainter::Normals(const Mesh& mesh, const SceneItem& item) {
  painter_.setPen(Hairline(kNormals));
  double length = 0.12 * mesh.radius;
  for (const auto& [depth, code] : order_) {
    if (code < 0) continue;
    const Face& face = FaceOf(mesh, code);
    Vec3 from = Apply(item.world, face.centre);
    Vec3 to = from + Rotate(item.world, face.normal) * length;
    painter_.drawLine(camera_.Screen(from), camera_.Screen(to));
  }
}

void ScenePainter::Points() {
  painter_.setPen(Qt::NoPen);
  painter_.setBrush(kPoints);
  for (const QPointF& p : points_)
    painter_.drawRect(QRectF(p.x() - 1.25, p.y() - 1.25, 2.5, 2.5));
}

// ------------------------------------------------------------------ helpers

std::optional<QPointF> ScenePainter::IconPlace(const SceneItem& item) const {
  QPointF at = camera_.Screen(Origin(item));
  if (!Finite(at) ||
      !area_.adjusted(-kIconSize, -kIconSize, kIconSize, kIconSize)
           .contains(at))
    return std::nullopt;
  painter_.setRenderHint(QPainter::Antialiasing, true);
  return at;
}

void ScenePainter::IconSelection(const SceneItem& item, QPointF at) {
  if (!item.selected) return;
  painter_.setBrush(Qt::NoBrush);
  painter_.setPen(QPen(SelectionColour(item), 2));
  painter_.drawEllipse(at, kIconSize / 2 + 3, kIconSize / 2 + 3);
}

std::optional<DrawnObject> ScenePainter::Light(const SceneItem& item) {
  std::optional<QPointF> place = IconPlace(item);
  if (!place) return std::nullopt;
  const QPointF at = *place;
  const QColor colour = ColourOf(item);
  const double r = kIconSize / 2;
  painter_.setPen(QPen(kInk, 1.2));
  switch (item.light_type) {
    case kLightTypeAmbient: {  // a soft glow
      QRadialGradient glow(at, r);
      glow.setColorAt(0, colour);
      QColor edge = colour;
      edge.setAlpha(0);
      glow.setColorAt(1, edge);
      painter_.setPen(Qt::NoPen);
      painter_.setBrush(glow);
      painter_.drawEllipse(at, r, r);
      painter_.setPen(QPen(kInk, 1.2, Qt::DotLine));
      painter_.setBrush(Qt::NoBrush);
      painter_.drawEllipse(at, r * 0.55, r * 0.55);
      break;
    }
    case kLightTypeDirectional:  // a sun
      painter_.setBrush(colour);
      for (int i = 0; i < 8; ++i) {
        double a = i * std::numbers::pi / 4;
        QPointF d(std::cos(a), std::sin(a));
        painter_.drawLine(at + d * (r * 0.6), at + d * r);
      }
      painter_.drawEllipse(at, r * 0.45, r * 0.45);
      break;
    case kLightTypeSpot: {  // a lamp head and its cone of light
      QColor beam = colour;
      beam.setAlpha(110);
      painter_.setBrush(beam);
      painter_.drawPolygon(
          QPolygonF({at + QPointF(-3, -r * 0.35), at + QPointF(3, -r * 0.35),
                     at + QPointF(r, r), at + QPointF(-r, r)}));
      painter_.setBrush(colour);
      painter_.drawRoundedRect(QRectF(at.x() - 4, at.y() - r, 8, r * 0.7), 2,
                               2);
      break;
    }
    default:  // a bulb
      painter_.setBrush(colour);
      painter_.drawEllipse(at + QPointF(0, -2), r * 0.55, r * 0.55);
      painter_.setBrush(QColor(0x90, 0x90, 0x98));
      painter_.drawRect(QRectF(at.x() - 3, at.y() + r * 0.45, 6, 4));
      break;
  }
  IconSelection(item, at);
  return Describe(item, colour, QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r));
}

std::optional<DrawnObject> ScenePainter::Camera(const SceneItem& item) {
  std::optional<QPointF> place = IconPlace(item);
  if (!place) return std::nullopt;
  const QPointF at = *place;
  const double r = kIconSize / 2;
  const QColor body(0xa4, 0xaa, 0xb2);
  painter_.setPen(QPen(kInk, 1.2));
  painter_.setBrush(body);
  painter_.drawEllipse(at + QPointF(-5, -r * 0.55), 3.5, 3.5);  // the reels
  painter_.drawEllipse(at + QPointF(3, -r * 0.55), 3.5, 3.5);
  painter_.drawRoundedRect(QRectF(at.x() - r, at.y() - 3, r * 1.4, 10), 2, 2);
  painter_.drawPolygon(
      QPolygonF({at + QPointF(r * 0.4, 0), at + QPointF(r, -3),
                 at + QPointF(r, 9), at + QPointF(r * 0.4, 6)}));
  IconSelection(item, at);
  return Describe(item, body, QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r));
}

std::optional<DrawnObject> ScenePainter::Bone(const SceneItem& item) {
  QPointF joint = camera_.Screen(Origin(item));
  if (!Finite(joint)) return std::nullopt;
  painter_.setRenderHint(QPainter::Antialiasing, true);
  const QColor bone =
      item.selected ? SelectionColour(item) : QColor(0xee, 0xe4, 0xc8);
  painter_.setPen(Hairline(QColor(0x30, 0x2c, 0x24)));
  painter_.setBrush(bone);
  if (item.has_parent_bone) {
    // A tapering bone from the parent's joint to this one.
    QPointF from = camera_.Screen(item.parent_joint);
    QPointF d = joint - from;
    double length = std::hypot(d.x(), d.y());
    if (Finite(from) && length > 1) {
      QPointF side(-d.y() / length * 3.5, d.x() / length * 3.5);
      QPointF neck = from + d * 0.2;
      painter_.drawPolygon(QPolygonF({from, neck + side, joint, neck - side}));
    }
  }
  painter_.drawEllipse(joint, 3.5, 3.5);
  return Describe(item, bone, QRectF(joint.x() - 6, joint.y() - 6, 12, 12));
}

void ScenePainter::Ground(const std::vector<SceneItem>& items) {
  double lo_x = -1, hi_x = 1, lo_z = -1, hi_z = 1;
  for (const SceneItem& item : items) {
    double x = item.world.origin[0], z = item.world.origin[2];
    // What lies a million units away widens the grid no further.
    if (!(std::abs(x) < 1e6 && std::abs(z) < 1e6)) continue;
    lo_x = std::min(lo_x, x);
    hi_x = std::max(hi_x, x);
    lo_z = std::min(lo_z, z);
    hi_z = std::max(hi_z, z);
  }
  double step = 0.5;
  while ((hi_x - lo_x) / step > 60 || (hi_z - lo_z) / step > 60) step *= 2;
  lo_x = std::floor(lo_x / step - 1) * step;
  hi_x = std::ceil(hi_x / step + 1) * step;
  lo_z = std::floor(lo_z / step - 1) * step;
  hi_z = std::ceil(hi_z / step + 1) * step;
  painter_.setRenderHint(QPainter::Antialiasing, true);
  const QColor line(255, 255, 255, 26);
  for (double x = lo_x; x <= hi_x + step / 2; x += step) {
    painter_.setPen(Hairline(
        std::abs(x) < step / 2 ? QColor(0x70, 0x90, 0xff, 110) : line));
    painter_.drawLine(camera_.Screen({x, 0, lo_z}),
                      camera_.Screen({x, 0, hi_z}));
  }
  for (double z = lo_z; z <= hi_z + step / 2; z += step) {
    painter_.setPen(Hairline(
        std::abs(z) < step / 2 ? QColor(0xff, 0x70, 0x70, 110) : line));
    painter_.drawLine(camera_.Screen({lo_x, 0, z}),
                      camera_.Screen({hi_x, 0, z}));
  }
}

}  // namespace morvel::demo
