#ifndef MORVEL_APPS_DEMO_VIEWPORT_H_
#define MORVEL_APPS_DEMO_VIEWPORT_H_

#include <QColor>
#include <QPolygonF>
#include <QRectF>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "demo/scene_painter.h"
#include "demo/viewport_scene.h"
#include "memscene/mem_scene_graph.h"

// The demo's view of the scene: every shape as a small mesh of what it is
// (a teapot, a box, a cup...) in its first material's colour and its draw
// mode, its clones beside it, lights and cameras as icons, bones as a
// skeleton, and the selection outlined. It is painted with QPainter, so it
// shows offscreen and in screenshots alike.
//
// A click selects what is under the mouse (Ctrl toggles, Shift adds, a
// click on nothing clears); dragging turns the view, the wheel zooms, F
// frames the whole scene again.
namespace morvel::demo {

class Viewport final : public QWidget {
 public:
  explicit Viewport(QWidget* parent = nullptr);

  // Shows `scene` (may be null), framed whole.
  void SetScene(std::shared_ptr<MemSceneGraph> scene);
  // The scene changed: it is drawn again with the next frame.
  void SceneChanged() { update(); }
  // Fits the whole scene into the view from the current direction.
  void Frame();

  // Asked for a new selection (names in order) when the user clicks.
  std::function<void(const std::vector<std::string>& names)> on_select;

  // Draws the scene on `painter` over `size` pixels and records what it
  // drew: the widget's own paint, and anyone who wants the picture.
  void Render(QPainter& painter, QSize size);
  const std::vector<DrawnObject>& Drawn() const { return drawn_; }
  // How many times Render ran.
  std::uint64_t RenderCount() const { return renders_; }
  // The node drawn nearest at `point` in the last paint, or -1.
  std::int32_t NodeAt(QPointF point) const;

  QSize sizeHint() const override { return {420, 360}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;

 private:
  ViewCamera MakeCamera(QSize size) const;
  void FitTo(const std::vector<SceneItem>& items, QSize size);
  // The name of the object the panel shows, over it.
  void Label(QPainter& painter, const SceneItem& active);
  void Click(QPointF at, Qt::KeyboardModifiers modifiers);

  std::shared_ptr<MemSceneGraph> scene_;
  // The view: its direction (degrees), its zoom (pixels per scene unit)
  // and the point of the scene it turns about, shown at the centre.
  double yaw_ = 35;
  double pitch_ = 24;
  double scale_ = 100;
  Vec3 target_;
  // Framed anew whenever the widget changes size, until the user turns,
  // zooms or pans the view.
  bool auto_frame_ = true;
  bool needs_frame_ = true;

  std::vector<DrawnObject> drawn_;
  std::vector<QPolygonF> outlines_;  // of detailed shapes, for clicks
  std::vector<int> outline_of_;      // per drawn object, -1 for none
  std::uint64_t renders_ = 0;

  // Mouse gesture under way.
  QPointF press_at_;
  QPointF last_at_;
  Qt::MouseButton pressed_ = Qt::NoButton;
  bool dragging_ = false;

  // Scratch space, kept between paints.
  std::vector<std::pair<double, int>> order_;
};

}  // namespace morvel::demo

#endif  // MORVEL_APPS_DEMO_VIEWPORT_H_
