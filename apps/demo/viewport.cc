#include "viewport.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace morvel::demo {
namespace {

Vec3 Add(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 Sub(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 Mul(Vec3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 Cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vec3 Unit(Vec3 a) {
  double length = std::sqrt(Dot(a, a));
  return length > 0 ? Mul(a, 1 / length) : a;
}
bool Finite(QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

constexpr double kRadians = std::numbers::pi / 180;
// Where the light comes from, in view terms (right, up, away from the
// viewer): over the viewer's left shoulder.
const Vec3 kLight = Unit({-0.45, 0.65, -0.6});
// A shape less than this many pixels across is drawn as a dot.
constexpr double kDotRadius = 2.5;
// A shape larger than this on screen gets the fine mesh.
constexpr double kFineRadius = 24;
constexpr double kIconSize = 22;

const QColor kSelected(0xff, 0xe0, 0x66);
const QColor kSelectedOthers(0xff, 0x9a, 0x1f);
const QColor kPoints(0xff, 0xee, 0x58);
const QColor kNormals(0x4d, 0xd0, 0xe1);

enum class Mode { kSmooth, kWire, kFlat, kOutline, kCartoon };

// The draw modes are single bits of DrawStyle; 0 is the view's default,
// which here is smooth, and so is anything this view does not know.
Mode ModeOf(Long draw_style) {
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

QColor Shade(const QColor& base, double light, double alpha) {
  return QColor::fromRgbF(
      static_cast<float>(std::min(1.0, base.redF() * light)),
      static_cast<float>(std::min(1.0, base.greenF() * light)),
      static_cast<float>(std::min(1.0, base.blueF() * light)),
      static_cast<float>(alpha));
}

// A one-pixel line whatever the zoom: the painter's quickest pen.
QPen Hairline(const QColor& colour) {
  QPen pen(colour, 1);
  pen.setCosmetic(true);
  return pen;
}

// Three tones, as cel shading has them.
double Toon(double light) { return light < 0.5 ? 0.5 : light < 0.8 ? 0.78 : 1; }

double Cross2(QPointF o, QPointF a, QPointF b) {
  return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
}

// The convex hull of the points (monotone chain), for clicks.
QPolygonF Hull(std::vector<QPointF> points) {
  std::sort(points.begin(), points.end(), [](QPointF a, QPointF b) {
    return a.x() != b.x() ? a.x() < b.x() : a.y() < b.y();
  });
  if (points.size() < 3)
    return QPolygonF(QList<QPointF>(points.begin(), points.end()));
  std::vector<QPointF> hull(2 * points.size());
  std::size_t k = 0;
  for (const QPointF& p : points) {
    while (k >= 2 && Cross2(hull[k - 2], hull[k - 1], p) <= 0) --k;
    hull[k++] = p;
  }
  for (std::size_t i = points.size() - 1, t = k + 1; i-- > 0;) {
    while (k >= t && Cross2(hull[k - 2], hull[k - 1], points[i]) <= 0) --k;
    hull[k++] = points[i];
  }
  hull.resize(k - 1);
  return QPolygonF(QList<QPointF>(hull.begin(), hull.end()));
}

QColor ColourOf(const SceneItem& item) {
  return QColor::fromRgbF(item.colour.Red, item.colour.Green, item.colour.Blue);
}

}  // namespace

// The projection of the moment: a parallel view along `forward`, `scale`
// pixels per scene unit, `target` at the widget's centre.
struct Viewport::Camera {
  Vec3 right, up, forward, target;
  double scale = 1;
  QPointF centre;

  QPointF Screen(Vec3 p) const {
    Vec3 d = Sub(p, target);
    return {centre.x() + scale * Dot(d, right),
            centre.y() - scale * Dot(d, up)};
  }
  double Depth(Vec3 p) const { return Dot(Sub(p, target), forward); }
  // A world direction in view terms (right, up, away).
  Vec3 View(Vec3 d) const {
    return {Dot(d, right), Dot(d, up), Dot(d, forward)};
  }
};

Viewport::Viewport(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::ClickFocus);
  setMouseTracking(false);
  setMinimumSize(160, 120);
  setAccessibleName("Viewport");
}

void Viewport::SetScene(std::shared_ptr<MemSceneGraph> scene) {
  scene_ = std::move(scene);
  auto_frame_ = true;
  needs_frame_ = true;
  update();
}

void Viewport::Frame() {
  needs_frame_ = true;
  update();
}

Viewport::Camera Viewport::MakeCamera(QSize size) const {
  Camera camera;
  double yaw = yaw_ * kRadians, pitch = pitch_ * kRadians;
  // The viewer stands at (yaw, pitch) around the target and looks at it.
  Vec3 eye{std::cos(pitch) * std::sin(yaw), std::sin(pitch),
           std::cos(pitch) * std::cos(yaw)};
  camera.forward = Mul(eye, -1);
  camera.right = Unit(Cross(camera.forward, {0, 1, 0}));
  camera.up = Cross(camera.right, camera.forward);
  camera.target = target_;
  camera.scale = scale_;
  camera.centre = QPointF(size.width() / 2.0, size.height() / 2.0);
  return camera;
}

void Viewport::FitTo(const std::vector<SceneItem>& items, QSize size) {
  // The extent of what is drawn across the view, and its middle in depth.
  Camera camera = MakeCamera(size);
  camera.target = {};
  double lo_x = 1e300, hi_x = -1e300, lo_y = 1e300, hi_y = -1e300;
  double depth = 0;
  std::size_t counted = 0;
  auto take = [&](Vec3 v, double radius) {
    // Something thrown a million units away is left out of the frame, or
    // the rest of the scene would shrink to a dot.
    constexpr double kFar = 1e6;
    if (!(std::abs(v.x) < kFar && std::abs(v.y) < kFar && std::abs(v.z) < kFar))
      return;
    lo_x = std::min(lo_x, v.x - radius);
    hi_x = std::max(hi_x, v.x + radius);
    lo_y = std::min(lo_y, v.y - radius);
    hi_y = std::max(hi_y, v.y + radius);
    depth += v.z;
    ++counted;
  };
  for (const SceneItem& item : items) {
    if (item.kind != ItemKind::kShape) {
      take(camera.View({item.world.origin[0], item.world.origin[1],
                        item.world.origin[2]}),
           0.2);
      continue;
    }
    // A shape by the corners of its box: a floor seen at a slant is much
    // lower than it is wide.
    const Mesh& mesh = MeshOf(item.primitive, false);
    for (int corner = 0; corner < 8; ++corner) {
      take(camera.View(
               Apply(item.world, {corner & 1 ? mesh.max.x : mesh.min.x,
                                  corner & 2 ? mesh.max.y : mesh.min.y,
                                  corner & 4 ? mesh.max.z : mesh.min.z})),
           0);
    }
  }
  if (counted == 0) {
    target_ = {};
    scale_ = 100;
    return;
  }
  depth /= static_cast<double>(counted);
  target_ = Add(Add(Mul(camera.right, (lo_x + hi_x) / 2),
                    Mul(camera.up, (lo_y + hi_y) / 2)),
                Mul(camera.forward, depth));
  // Room at the edges for the icons.
  constexpr double kMargin = 24;
  double room_x = std::max(20.0, size.width() - 2 * kMargin);
  double room_y = std::max(20.0, size.height() - 2 * kMargin);
  scale_ = std::clamp(std::min(room_x / std::max(1e-9, hi_x - lo_x),
                               room_y / std::max(1e-9, hi_y - lo_y)),
                      1e-6, 1e6);
}

// ------------------------------------------------------------------ paint

void Viewport::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Render(painter, size());
}

void Viewport::Render(QPainter& painter, QSize size) {
  ++renders_;
  drawn_.clear();
  outlines_.clear();
  outline_of_.clear();
  QRectF area(QPointF(0, 0), size);
  area_ = area;

  QLinearGradient sky(0, 0, 0, size.height());
  sky.setColorAt(0, QColor(0x5a, 0x62, 0x6e));
  sky.setColorAt(1, QColor(0x2c, 0x30, 0x36));
  painter.fillRect(area, sky);
  painter.setRenderHint(QPainter::Antialiasing, false);
  if (!scene_) {
    painter.setPen(QColor(0xd0, 0xd4, 0xda));
    painter.drawText(area, Qt::AlignCenter, "No scene");
    return;
  }

  std::vector<SceneItem> items = CollectSceneItems(scene_->state().content);
  if (needs_frame_) {
    FitTo(items, size);
    needs_frame_ = false;
  }
  Camera camera = MakeCamera(size);
  DrawGround(painter, camera, items);

  // Far to near: shapes first, then the icons and the skeleton over them,
  // as a modelling view shows its helpers.
  item_order_.clear();
  for (std::size_t i = 0; i < items.size(); ++i) {
    const SceneItem& item = items[i];
    Vec3 at{item.world.origin[0], item.world.origin[1], item.world.origin[2]};
    if (item.kind == ItemKind::kShape) {
      const Mesh& mesh = MeshOf(item.primitive, false);
      at = Apply(item.world, Mul(Add(mesh.min, mesh.max), 0.5));
    }
    double depth = camera.Depth(at);
    if (item.kind != ItemKind::kShape) depth -= 1e12;  // over every shape
    item_order_.push_back({depth, static_cast<int>(i)});
  }
  std::stable_sort(
      item_order_.begin(), item_order_.end(),
      [](const auto& a, const auto& b) { return a.first > b.first; });

  const SceneItem* active = nullptr;
  for (const auto& [depth, index] : item_order_) {
    const SceneItem& item = items[static_cast<std::size_t>(index)];
    std::size_t before = drawn_.size();
    switch (item.kind) {
      case ItemKind::kShape:
        DrawShape(painter, camera, item);
        break;
      case ItemKind::kBone:
        DrawBone(painter, camera, item);
        break;
      case ItemKind::kLight:
      case ItemKind::kCamera: {
        QPointF at = camera.Screen(
            {item.world.origin[0], item.world.origin[1], item.world.origin[2]});
        if (!Finite(at) ||
            !area.adjusted(-kIconSize, -kIconSize, kIconSize, kIconSize)
                 .contains(at)) {
          break;
        }
        if (item.kind == ItemKind::kLight) {
          DrawLight(painter, at, item);
        } else {
          DrawCamera(painter, at, item);
        }
        break;
      }
    }
    if (drawn_.size() > before && item.active && item.copy == 0) active = &item;
  }

  // The name of the object the panel shows, beside it.
  if (active) {
    QRectF bounds;
    for (const DrawnObject& d : drawn_) {
      if (d.node == active->node && d.copy == 0) bounds = d.bounds;
    }
    const std::string& name =
        scene_->state()
            .content.nodes[static_cast<std::size_t>(active->node)]
            .name;
    QString text = QString::fromStdString(name.substr(0, 80));
    painter.save();
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    QPointF at(bounds.center().x() -
                   painter.fontMetrics().horizontalAdvance(text) / 2.0,
               bounds.top() - 6);
    at.setY(std::max(at.y(), 14.0));
    painter.setPen(QColor(0, 0, 0, 160));
    painter.drawText(at + QPointF(1, 1), text);
    painter.setPen(Qt::white);
    painter.drawText(at, text);
    painter.restore();
  }

  painter.setPen(QColor(0xc8, 0xcc, 0xd2, 170));
  painter.drawText(area.adjusted(8, 0, -8, -6), Qt::AlignLeft | Qt::AlignBottom,
                   "Click selects - drag turns - wheel zooms - F frames");
}

void Viewport::DrawGround(QPainter& painter, const Camera& camera,
                          const std::vector<SceneItem>& items) {
  double lo_x = -1, hi_x = 1, lo_z = -1, hi_z = 1;
  for (const SceneItem& item : items) {
    double x = item.world.origin[0], z = item.world.origin[2];
    if (!std::isfinite(x) || !std::isfinite(z)) continue;
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
  painter.setRenderHint(QPainter::Antialiasing, true);
  QPen line(QColor(255, 255, 255, 26), 0);
  for (double x = lo_x; x <= hi_x + step / 2; x += step) {
    line.setColor(std::abs(x) < step / 2 ? QColor(0x70, 0x90, 0xff, 110)
                                         : QColor(255, 255, 255, 26));
    painter.setPen(line);
    painter.drawLine(camera.Screen({x, 0, lo_z}), camera.Screen({x, 0, hi_z}));
  }
  for (double z = lo_z; z <= hi_z + step / 2; z += step) {
    line.setColor(std::abs(z) < step / 2 ? QColor(0xff, 0x70, 0x70, 110)
                                         : QColor(255, 255, 255, 26));
    painter.setPen(line);
    painter.drawLine(camera.Screen({lo_x, 0, z}), camera.Screen({hi_x, 0, z}));
  }
}

void Viewport::DrawShape(QPainter& painter, const Camera& camera,
                         const SceneItem& item) {
  const Mesh& coarse = MeshOf(item.primitive, false);
  Vec3 middle = Mul(Add(coarse.min, coarse.max), 0.5);
  QPointF centre = camera.Screen(Apply(item.world, middle));
  double radius = coarse.radius * camera.scale;
  if (!Finite(centre) || !std::isfinite(radius) ||
      !area_.adjusted(-radius, -radius, radius, radius).contains(centre)) {
    return;
  }

  DrawnObject drawn;
  drawn.node = item.node;
  drawn.copy = item.copy;
  drawn.kind = ItemKind::kShape;
  drawn.primitive = item.primitive;
  drawn.colour = ColourOf(item);
  drawn.draw_style = item.draw_style;
  drawn.as_box = item.as_box;
  drawn.points = item.points;
  drawn.normals = item.normals;
  drawn.translucent = item.translucent;
  drawn.selected = item.selected;
  const QColor base = drawn.colour;

  if (radius < kDotRadius) {
    // Too small for a mesh to show anything: a dot of its colour.
    double half = std::max(1.0, radius);
    drawn.bounds =
        QRectF(centre.x() - half, centre.y() - half, 2 * half, 2 * half);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(drawn.bounds, item.selected ? kSelected : base);
    drawn_.push_back(drawn);
    outline_of_.push_back(-1);
    return;
  }
  drawn.detailed = true;
  painter.setRenderHint(QPainter::Antialiasing, true);

  const Mode mode = ModeOf(item.draw_style);
  const bool fine = mode != Mode::kFlat && radius > kFineRadius;
  const Mesh& shape = MeshOf(item.primitive, fine);
  // Display as Box: the shape's bounding box stands in for it.
  const Mesh& mesh = item.as_box ? UnitBox() : shape;
  Vec3 box_size = Sub(shape.max, shape.min);

  points_.resize(mesh.vertices.size());
  depths_.resize(mesh.vertices.size());
  for (std::size_t i = 0; i < mesh.vertices.size(); ++i) {
    Vec3 v = mesh.vertices[i];
    if (item.as_box) {
      v = {shape.min.x + v.x * box_size.x, shape.min.y + v.y * box_size.y,
           shape.min.z + v.z * box_size.z};
    }
    Vec3 world = Apply(item.world, v);
    points_[i] = camera.Screen(world);
    depths_[i] = camera.Depth(world);
  }

  // The material's own transparency, and Draw Translucent on top of it;
  // never so faint that the shape is lost.
  double alpha = std::max(0.25, static_cast<double>(item.colour.Alpha));
  if (item.translucent) alpha = std::min(alpha, 0.5);
  const bool see_through = alpha < 0.99;

  QPointF polygon[4];
  auto corners = [&](const Face& face) {
    for (int k = 0; k < face.count; ++k)
      polygon[k] = points_[static_cast<std::size_t>(
          face.v[static_cast<std::size_t>(k)])];
  };

  if (item.as_box) {
    // A box drawn as its edges over a faint fill.
    painter.setPen(QPen(item.selected ? kSelected : base.lighter(140),
                        item.selected ? 2 : 1.5));
    painter.setBrush(Shade(base, 1, 0.15));
    for (const Face& face : mesh.faces) {
      corners(face);
      painter.drawPolygon(polygon, face.count);
    }
  } else {
    // The faces to draw, far to near. A closed opaque mesh shows only the
    // faces turned to the viewer; an open one (a cup) or one seen through
    // shows its inside too, and the wireframe shows every edge.
    order_.clear();
    for (std::size_t f = 0; f < mesh.faces.size(); ++f) {
      const Face& face = mesh.faces[f];
      double z = camera.View(Rotate(item.world, face.normal)).z;
      bool front = z < 0;
      if (!front && !mesh.open && !see_through && mode != Mode::kWire) continue;
      double depth = 0;
      for (int k = 0; k < face.count; ++k)
        depth += depths_[static_cast<std::size_t>(
            face.v[static_cast<std::size_t>(k)])];
      order_.push_back({depth / face.count, front ? static_cast<int>(f)
                                                  : -1 - static_cast<int>(f)});
    }
    std::sort(order_.begin(), order_.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    auto face_of = [&](int code) -> const Face& {
      return mesh.faces[static_cast<std::size_t>(code >= 0 ? code : -1 - code)];
    };
    auto light_of = [&](int code) {
      Vec3 n = camera.View(Rotate(item.world, face_of(code).normal));
      if (code >= 0) return 0.32 + 0.68 * std::max(0.0, Dot(n, kLight));
      return 0.18 + 0.35 * std::max(0.0, -Dot(n, kLight));  // an inside
    };

    if (mode == Mode::kWire) {
      QColor front = item.selected ? kSelected : base.lighter(125);
      QColor back = front;
      back.setAlpha(70);
      painter.setBrush(Qt::NoBrush);
      for (const auto& [depth, code] : order_) {
        painter.setPen(Hairline(code >= 0 ? front : back));
        corners(face_of(code));
        painter.drawPolygon(polygon, face_of(code).count);
      }
    } else {
      // A thick outline first, under the faces: the selection's halo, or
      // the black ink line of the cartoon mode.
      if (item.selected || mode == Mode::kCartoon) {
        QColor ink = item.selected ? (item.active ? kSelected : kSelectedOthers)
                                   : QColor(0x10, 0x10, 0x10);
        // Bevelled joins: round ones cost a curve at every corner of
        // every face.
        painter.setPen(QPen(ink, item.selected ? 5 : 3.5, Qt::SolidLine,
                            Qt::FlatCap, Qt::BevelJoin));
        painter.setBrush(ink);
        for (const auto& [depth, code] : order_) {
          if (code < 0 && !mesh.open) continue;
          corners(face_of(code));
          painter.drawPolygon(polygon, face_of(code).count);
        }
      }
      for (const auto& [depth, code] : order_) {
        double light = light_of(code);
        if (mode == Mode::kCartoon) light = Toon(light);
        QColor fill = Shade(base, light, alpha);
        painter.setBrush(fill);
        if (mode == Mode::kOutline) {
          painter.setPen(Hairline(base.darker(300)));
        } else if (see_through) {
          painter.setPen(Qt::NoPen);
        } else {
          // The fill's own colour closes the hairline seams between faces.
          painter.setPen(Hairline(fill));
        }
        corners(face_of(code));
        painter.drawPolygon(polygon, face_of(code).count);
      }
    }

    if (item.normals) {
      painter.setPen(Hairline(kNormals));
      double length = 0.12 * shape.radius;
      for (const auto& [depth, code] : order_) {
        if (code < 0) continue;
        const Face& face = face_of(code);
        Vec3 from = Apply(item.world, face.centre);
        Vec3 to = Add(from, Mul(Rotate(item.world, face.normal), length));
        painter.drawLine(camera.Screen(from), camera.Screen(to));
      }
    }
  }

  if (item.points) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(kPoints);
    for (const QPointF& p : points_) {
      painter.drawRect(QRectF(p.x() - 1.25, p.y() - 1.25, 2.5, 2.5));
    }
  }

  QPolygonF outline = Hull(points_);
  if (see_through && !item.as_box && mode != Mode::kWire && !item.selected) {
    // A glass-like shape keeps its form by a light rim.
    QColor rim = base.lighter(160);
    rim.setAlpha(150);
    painter.setPen(QPen(rim, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(outline);
  }
  drawn.bounds = outline.boundingRect();
  drawn_.push_back(drawn);
  outline_of_.push_back(static_cast<int>(outlines_.size()));
  outlines_.push_back(std::move(outline));
}

void Viewport::DrawLight(QPainter& painter, QPointF at, const SceneItem& item) {
  painter.setRenderHint(QPainter::Antialiasing, true);
  QColor colour = ColourOf(item);
  QColor ink(0x25, 0x25, 0x28);
  const double r = kIconSize / 2;
  painter.setPen(QPen(ink, 1.2));
  switch (item.light_type) {
    case kLightTypeAmbient: {  // a soft glow
      QRadialGradient glow(at, r);
      glow.setColorAt(0, colour);
      QColor edge = colour;
      edge.setAlpha(0);
      glow.setColorAt(1, edge);
      painter.setPen(Qt::NoPen);
      painter.setBrush(glow);
      painter.drawEllipse(at, r, r);
      painter.setPen(QPen(ink, 1.2, Qt::DotLine));
      painter.setBrush(Qt::NoBrush);
      painter.drawEllipse(at, r * 0.55, r * 0.55);
      break;
    }
    case kLightTypeDirectional: {  // a sun
      painter.setBrush(colour);
      for (int i = 0; i < 8; ++i) {
        double a = i * std::numbers::pi / 4;
        QPointF d(std::cos(a), std::sin(a));
        painter.drawLine(at + d * (r * 0.6), at + d * r);
      }
      painter.drawEllipse(at, r * 0.45, r * 0.45);
      break;
    }
    case kLightTypeSpot: {  // a lamp head and its cone of light
      QColor beam = colour;
      beam.setAlpha(110);
      QPolygonF cone({at + QPointF(-3, -r * 0.35), at + QPointF(3, -r * 0.35),
                      at + QPointF(r, r), at + QPointF(-r, r)});
      painter.setBrush(beam);
      painter.drawPolygon(cone);
      painter.setBrush(colour);
      painter.drawRoundedRect(QRectF(at.x() - 4, at.y() - r, 8, r * 0.7), 2, 2);
      break;
    }
    default: {  // a bulb
      painter.setBrush(colour);
      painter.drawEllipse(at + QPointF(0, -2), r * 0.55, r * 0.55);
      painter.setBrush(QColor(0x90, 0x90, 0x98));
      painter.drawRect(QRectF(at.x() - 3, at.y() + r * 0.45, 6, 4));
      break;
    }
  }
  if (item.selected) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(item.active ? kSelected : kSelectedOthers, 2));
    painter.drawEllipse(at, r + 3, r + 3);
  }
  DrawnObject drawn;
  drawn.node = item.node;
  drawn.kind = ItemKind::kLight;
  drawn.colour = colour;
  drawn.selected = item.selected;
  drawn.detailed = true;
  drawn.bounds = QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r);
  drawn_.push_back(drawn);
  outline_of_.push_back(-1);
}

void Viewport::DrawCamera(QPainter& painter, QPointF at,
                          const SceneItem& item) {
  painter.setRenderHint(QPainter::Antialiasing, true);
  const double r = kIconSize / 2;
  QColor body(0xa4, 0xaa, 0xb2);
  painter.setPen(QPen(QColor(0x25, 0x25, 0x28), 1.2));
  painter.setBrush(body);
  painter.drawEllipse(at + QPointF(-5, -r * 0.55), 3.5, 3.5);  // the reels
  painter.drawEllipse(at + QPointF(3, -r * 0.55), 3.5, 3.5);
  painter.drawRoundedRect(QRectF(at.x() - r, at.y() - 3, r * 1.4, 10), 2, 2);
  painter.drawPolygon(
      QPolygonF({at + QPointF(r * 0.4, 0), at + QPointF(r, -3),
                 at + QPointF(r, 9), at + QPointF(r * 0.4, 6)}));
  if (item.selected) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(item.active ? kSelected : kSelectedOthers, 2));
    painter.drawEllipse(at, r + 3, r + 3);
  }
  DrawnObject drawn;
  drawn.node = item.node;
  drawn.kind = ItemKind::kCamera;
  drawn.colour = body;
  drawn.selected = item.selected;
  drawn.detailed = true;
  drawn.bounds = QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r);
  drawn_.push_back(drawn);
  outline_of_.push_back(-1);
}

void Viewport::DrawBone(QPainter& painter, const Camera& camera,
                        const SceneItem& item) {
  QPointF joint = camera.Screen(
      {item.world.origin[0], item.world.origin[1], item.world.origin[2]});
  if (!Finite(joint)) return;
  painter.setRenderHint(QPainter::Antialiasing, true);
  QColor bone = item.selected ? (item.active ? kSelected : kSelectedOthers)
                              : QColor(0xee, 0xe4, 0xc8);
  QPointF from = joint;
  if (item.has_parent_bone) {
    from = camera.Screen(item.parent_joint);
    if (Finite(from)) {
      // A tapering bone from the parent's joint to this one.
      QPointF d = joint - from;
      double length = std::hypot(d.x(), d.y());
      if (length > 1) {
        QPointF side(-d.y() / length * 3.5, d.x() / length * 3.5);
        QPointF neck = from + d * 0.2;
        painter.setPen(QPen(QColor(0x30, 0x2c, 0x24), 1));
        painter.setBrush(bone);
        painter.drawPolygon(QPolygonF({from, neck + side, joint, neck - side}));
      }
    }
  }
  painter.setPen(QPen(QColor(0x30, 0x2c, 0x24), 1));
  painter.setBrush(bone);
  painter.drawEllipse(joint, 3.5, 3.5);
  DrawnObject drawn;
  drawn.node = item.node;
  drawn.kind = ItemKind::kBone;
  drawn.colour = bone;
  drawn.selected = item.selected;
  drawn.detailed = true;
  drawn.bounds = QRectF(joint.x() - 6, joint.y() - 6, 12, 12);
  drawn_.push_back(drawn);
  outline_of_.push_back(-1);
}

// ------------------------------------------------------------------ input

std::int32_t Viewport::NodeAt(QPointF point) const {
  for (std::size_t i = drawn_.size(); i-- > 0;) {
    int outline = outline_of_[i];
    bool hit = outline >= 0
                   ? outlines_[static_cast<std::size_t>(outline)].containsPoint(
                         point, Qt::OddEvenFill)
                   : drawn_[i].bounds.contains(point);
    if (hit) return drawn_[i].node;
  }
  return -1;
}

void Viewport::Click(QPointF at, Qt::KeyboardModifiers modifiers) {
  if (!scene_ || !on_select) return;
  std::int32_t node = NodeAt(at);
  std::vector<std::string> names = scene_->SelectedNames();
  bool toggle = modifiers & Qt::ControlModifier;
  bool add = modifiers & Qt::ShiftModifier;
  if (node < 0) {
    if (toggle || add) return;
    names.clear();
  } else {
    const std::string& name =
        scene_->state().content.nodes[static_cast<std::size_t>(node)].name;
    auto it = std::find(names.begin(), names.end(), name);
    if (toggle && it != names.end()) {
      names.erase(it);
    } else if (toggle || add) {
      if (it == names.end()) names.push_back(name);
    } else {
      names = {name};
    }
  }
  on_select(names);
}

void Viewport::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button();
  press_at_ = last_at_ = event->position();
  dragging_ = false;
}

void Viewport::mouseMoveEvent(QMouseEvent* event) {
  if (pressed_ == Qt::NoButton) return;
  QPointF at = event->position();
  if (!dragging_ && (at - press_at_).manhattanLength() < 5) return;
  dragging_ = true;
  QPointF d = at - last_at_;
  last_at_ = at;
  auto_frame_ = false;
  if (pressed_ == Qt::LeftButton) {
    yaw_ -= d.x() * 0.5;
    pitch_ = std::clamp(pitch_ + d.y() * 0.5, -89.0, 89.0);
  } else {
    Camera camera = MakeCamera(size());
    target_ = Add(target_, Add(Mul(camera.right, -d.x() / scale_),
                               Mul(camera.up, d.y() / scale_)));
  }
  update();
}

void Viewport::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != pressed_) return;
  bool click = !dragging_ && pressed_ == Qt::LeftButton;
  pressed_ = Qt::NoButton;
  dragging_ = false;
  if (click) Click(event->position(), event->modifiers());
}

void Viewport::wheelEvent(QWheelEvent* event) {
  double factor = std::pow(1.0015, event->angleDelta().y());
  if (!std::isfinite(factor) || factor <= 0) return;
  // Zoom about the point under the mouse: it stays where it is.
  Camera camera = MakeCamera(size());
  QPointF off = event->position() - camera.centre;
  double new_scale = std::clamp(scale_ * factor, 1e-6, 1e6);
  double shift = 1 / scale_ - 1 / new_scale;
  target_ = Add(target_, Add(Mul(camera.right, off.x() * shift),
                             Mul(camera.up, -off.y() * shift)));
  scale_ = new_scale;
  auto_frame_ = false;
  update();
}

void Viewport::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F) {
    auto_frame_ = true;
    Frame();
    return;
  }
  QWidget::keyPressEvent(event);
}

void Viewport::resizeEvent(QResizeEvent* event) {
  if (auto_frame_) needs_frame_ = true;
  QWidget::resizeEvent(event);
}

bool Viewport::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip && scene_) {
    auto* help = static_cast<QHelpEvent*>(event);
    std::int32_t node = NodeAt(help->pos());
    if (node >= 0) {
      QToolTip::showText(help->globalPos(),
                         QString::fromStdString(
                             scene_->state()
                                 .content.nodes[static_cast<std::size_t>(node)]
                                 .name),
                         this);
    } else {
      QToolTip::hideText();
      event->ignore();
    }
    return true;
  }
  return QWidget::event(event);
}

}  // namespace morvel::demo
