#include "demo/viewport.h"

#include "demo/model_meshes.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace morvel::demo {

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

ViewCamera Viewport::MakeCamera(QSize size) const {
  return ViewCamera::Looking(yaw_, pitch_, target_, scale_,
                             QPointF(size.width() / 2.0, size.height() / 2.0));
}

void Viewport::FitTo(const std::vector<SceneItem>& items, QSize size) {
  // The extent of what is drawn across the view, and its middle in depth.
  ViewCamera camera = MakeCamera(size);
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
    const Mesh& mesh = ShapeMesh(item, false);
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
  target_ = camera.right * ((lo_x + hi_x) / 2) +
            camera.up * ((lo_y + hi_y) / 2) + camera.forward * depth;
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
  const QRectF area(QPointF(0, 0), size);

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
  // The imported meshes share the frame's faces.
  std::size_t models = 0;
  for (const SceneItem& item : items) models += item.geometry ? 1 : 0;
  for (SceneItem& item : items) {
    if (item.geometry)
      item.face_cap = std::max<std::size_t>(64, kFrameFaces / models);
  }
  if (needs_frame_) {
    FitTo(items, size);
    needs_frame_ = false;
  }
  const ViewCamera camera = MakeCamera(size);
  ScenePainter draw(painter, camera, area);
  draw.Ground(items);

  // Far to near: shapes first, then the icons and the skeleton over them,
  // as a modelling view shows its helpers.
  order_.clear();
  for (std::size_t i = 0; i < items.size(); ++i) {
    const SceneItem& item = items[i];
    double depth =
        item.kind == ItemKind::kShape
            ? camera.Depth(MiddleOf(item))
            : camera.Depth({item.world.origin[0], item.world.origin[1],
                            item.world.origin[2]}) -
                  1e12;  // over every shape
    order_.push_back({depth, static_cast<int>(i)});
  }
  std::stable_sort(
      order_.begin(), order_.end(),
      [](const auto& a, const auto& b) { return a.first > b.first; });

  const SceneItem* active = nullptr;
  QPolygonF outline;
  for (const auto& [depth, index] : order_) {
    const SceneItem& item = items[static_cast<std::size_t>(index)];
    outline.clear();
    std::optional<DrawnObject> drawn;
    switch (item.kind) {
      case ItemKind::kShape:
        drawn = draw.Shape(item, outline);
        break;
      case ItemKind::kLight:
        drawn = draw.Light(item);
        break;
      case ItemKind::kCamera:
        drawn = draw.Camera(item);
        break;
      case ItemKind::kBone:
        drawn = draw.Bone(item);
        break;
    }
    if (!drawn) continue;
    drawn_.push_back(*drawn);
    if (outline.isEmpty()) {
      outline_of_.push_back(-1);
    } else {
      outline_of_.push_back(static_cast<int>(outlines_.size()));
      outlines_.push_back(outline);
    }
    if (item.active && item.copy == 0) active = &item;
  }
  if (active) Label(painter, *active);

  painter.setPen(QColor(0xc8, 0xcc, 0xd2, 170));
  painter.drawText(area.adjusted(8, 0, -8, -6), Qt::AlignLeft | Qt::AlignBottom,
                   "Click selects - drag turns - wheel zooms - F frames");
}

void Viewport::Label(QPainter& painter, const SceneItem& active) {
  QRectF bounds;
  for (const DrawnObject& d : drawn_) {
    if (d.node == active.node && d.copy == 0) bounds = d.bounds;
  }
  const std::string& name =
      scene_->state().content.nodes[static_cast<std::size_t>(active.node)].name;
  QString text = QString::fromStdString(name.substr(0, 80));
  painter.save();
  QFont font = painter.font();
  font.setBold(true);
  painter.setFont(font);
  QPointF at(
      bounds.center().x() - painter.fontMetrics().horizontalAdvance(text) / 2.0,
      std::max(bounds.top() - 6, 14.0));
  painter.setPen(QColor(0, 0, 0, 160));
  painter.drawText(at + QPointF(1, 1), text);
  painter.setPen(Qt::white);
  painter.drawText(at, text);
  painter.restore();
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
    ViewCamera camera = MakeCamera(size());
    target_ = target_ + camera.right * (-d.x() / scale_) +
              camera.up * (d.y() / scale_);
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
  ViewCamera camera = MakeCamera(size());
  QPointF off = event->position() - camera.centre;
  double new_scale = std::clamp(scale_ * factor, 1e-6, 1e6);
  double shift = 1 / scale_ - 1 / new_scale;
  target_ = target_ + camera.right * (off.x() * shift) +
            camera.up * (-off.y() * shift);
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
