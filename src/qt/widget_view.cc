#include "qt/widget_view.h"

#include <QFont>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

#include "qt/views/view_factory.h"

namespace morvel::qt {
namespace {

// Sets `slot` to `value` for the length of a scope and puts the old value
// back however the scope is left, an exception included: an error in a sync
// or a handler must never leave the view deaf to input.
template <class T>
class ScopedValue {
 public:
  ScopedValue(T& slot, T value) : slot_(slot), saved_(slot) { slot_ = value; }
  ~ScopedValue() { slot_ = saved_; }
  ScopedValue(const ScopedValue&) = delete;
  ScopedValue& operator=(const ScopedValue&) = delete;

 private:
  T& slot_;
  T saved_;
};

}  // namespace

// ------------------------------------------------------------------ WidgetView

WidgetView::WidgetView(WidgetTree& tree, Widget& root,
                       const ScreenMetrics& metrics, QWidget* parent,
                       ViewFactory factory)
    : tree_(tree),
      root_(root),
      metrics_(metrics),
      factory_(std::move(factory)),
      state_(std::make_shared<State>()) {
  Build(root_, parent);
  root_view_ = views_.at(&root_)->Q();
  // The panel's layout was made for an 8 point font; the same size on this
  // screen keeps the captions in the room they were given.
  QFont font = root_view_->font();
  font.setPixelSize(
      std::max(9, static_cast<int>(std::lround(
                      160.0 / std::max<Long>(1, metrics_.TwipsPerPixelY())))));
  root_view_->setFont(font);
  for (auto& [widget, view] : views_) {
    if (widget->Kind() == WidgetKind::kLabel ||
        widget->Kind() == WidgetKind::kCheckBox) {
      view->Sync(WidgetProperty::kGeometry);
    }
  }
  tree_.AddObserver(this);
  Flush();
}

WidgetView::~WidgetView() {
  state_->alive = false;
  tree_.RemoveObserver(this);
  // The Qt widgets call back into this view: they go with it.
  QPointer<QWidget> root = root_view_;
  views_.clear();
  delete root.data();
}

QWidget* WidgetView::RootWidget() const { return root_view_; }

void WidgetView::SetFollowRootSize(bool on) {
  follow_root_size_ = on;
  if (on && root_view_) {
    root_view_->resize(ToPixelsX(root_.Width()), ToPixelsY(root_.Height()));
  }
}

QWidget* WidgetView::ViewOf(const Widget& widget) const {
  auto it = views_.find(&widget);
  if (it == views_.end() || widget.Kind() == WidgetKind::kImageList)
    return nullptr;
  return it->second->Q();
}

Widget* WidgetView::ModelOf(const QWidget* view) const {
  for (const QWidget* w = view; w; w = w->parentWidget()) {
    if (auto* base = dynamic_cast<const ViewBase*>(w)) {
      // Only views of this tree count.
      auto it = views_.find(&base->Model());
      if (it != views_.end() && it->second == base) return &base->Model();
      return nullptr;
    }
  }
  return nullptr;
}

QWidget* WidgetView::Find(std::string_view display_name) const {
  Widget* widget = tree_.FindByDisplayName(display_name);
  return widget ? ViewOf(*widget) : nullptr;
}

int WidgetView::ToPixelsX(Long twips) const {
  Long tpp = std::max<Long>(1, metrics_.TwipsPerPixelX());
  return static_cast<int>(std::lround(static_cast<double>(twips) / tpp));
}

int WidgetView::ToPixelsY(Long twips) const {
  Long tpp = std::max<Long>(1, metrics_.TwipsPerPixelY());
  return static_cast<int>(std::lround(static_cast<double>(twips) / tpp));
}

Long WidgetView::RightLimit(const Widget& widget) const {
  const Widget* parent = widget.Parent();
  long long limit = parent ? parent->Width() : std::numeric_limits<Long>::max();
  const long long left = widget.Left();
  const long long top = widget.Top();
  const long long bottom = top + widget.Height();
  if (parent) {
    for (const Widget* sibling : parent->Children()) {
      if (sibling == &widget || !sibling->Visible() ||
          sibling->Kind() == WidgetKind::kImageList) {
        continue;
      }
      const long long s_top = sibling->Top();
      const long long s_bottom = s_top + sibling->Height();
      if (s_top >= bottom || s_bottom <= top || sibling->Left() <= left)
        continue;
      // A little air between a caption and the next widget.
      limit = std::min<long long>(limit, sibling->Left() - 45);
    }
  }
  return static_cast<Long>(
      std::clamp<long long>(limit, left, std::numeric_limits<Long>::max()));
}

void WidgetView::SetPictureFolder(const QString& folder) {
  picture_folder_ = folder.toStdString();
  if (root_view_) root_view_->update();
}

void WidgetView::Build(Widget& widget, QWidget* parent_view) {
  ViewBase* view = factory_ ? factory_(*this, widget, parent_view) : nullptr;
  if (!view) view = MakeView(*this, widget, parent_view);
  views_[&widget] = view;
  view->Q()->setObjectName(ToQ(widget.DisplayName()));
  if (&widget == &root_) root_view_ = view->Q();
  SyncAll(*view);
  for (Widget* child : widget.Children()) {
    if (!views_.count(child)) Build(*child, view->Q());
  }
  if (widget.Kind() == WidgetKind::kLabel && widget.Parent()) {
    RefreshAccessibleNames(*widget.Parent());
  }
}

void WidgetView::SyncAll(ViewBase& view) {
  ScopedValue syncing(state_->syncing, state_->syncing + 1);
  for (WidgetProperty property :
       {WidgetProperty::kGeometry, WidgetProperty::kCaption,
        WidgetProperty::kToolTip, WidgetProperty::kRange,
        WidgetProperty::kItems, WidgetProperty::kValue, WidgetProperty::kText,
        WidgetProperty::kSelection, WidgetProperty::kBackColor,
        WidgetProperty::kPicture, WidgetProperty::kGrid,
        WidgetProperty::kRedraw, WidgetProperty::kEnabled,
        WidgetProperty::kVisible}) {
    view.Sync(property);
  }
  view.SetAccessibleName(ToQ(AccessibleNameOf(view.Model())));
}

void WidgetView::OnWidgetChanged(Widget& widget, WidgetProperty property) {
  auto it = views_.find(&widget);
  if (it == views_.end()) {
    // A widget created after the view was built: mirror it when it belongs
    // under this view's root.
    Widget* parent = widget.Parent();
    if (!parent) return;
    auto parent_view = views_.find(parent);
    if (parent_view == views_.end()) return;
    ScopedValue syncing(state_->syncing, state_->syncing + 1);
    Build(widget, parent_view->second->Q());
    return;
  }
  ScopedValue syncing(state_->syncing, state_->syncing + 1);
  ViewBase& view = *it->second;
  if (property == WidgetProperty::kChildren) {
    for (Widget* child : widget.Children()) {
      if (!views_.count(child)) Build(*child, view.Q());
    }
  }
  if (&widget == &root_ && follow_root_size_ &&
      property == WidgetProperty::kGeometry) {
    root_view_->resize(ToPixelsX(root_.Width()), ToPixelsY(root_.Height()));
  }
  view.Sync(property);
  if ((property == WidgetProperty::kGeometry ||
       property == WidgetProperty::kVisible) &&
      widget.Parent()) {
    // A sibling that moved or appeared may take or give room to a caption.
    for (Widget* sibling : widget.Parent()->Children()) {
      if (sibling == &widget) continue;
      if (sibling->Kind() != WidgetKind::kLabel &&
          sibling->Kind() != WidgetKind::kCheckBox)
        continue;
      if (auto found = views_.find(sibling); found != views_.end()) {
        found->second->Sync(WidgetProperty::kGeometry);
      }
    }
  }
  switch (property) {
    case WidgetProperty::kCaption:
    case WidgetProperty::kToolTip:
      if (widget.Kind() == WidgetKind::kLabel && widget.Parent()) {
        RefreshAccessibleNames(*widget.Parent());
      } else {
        view.SetAccessibleName(ToQ(AccessibleNameOf(widget)));
      }
      break;
    case WidgetProperty::kGeometry:
      if (widget.Kind() == WidgetKind::kLabel && widget.Parent()) {
        RefreshAccessibleNames(*widget.Parent());
      }
      break;
    default:
      break;
  }
}

void WidgetView::RefreshAccessibleNames(Widget& parent) {
  for (Widget* child : parent.Children()) {
    auto it = views_.find(child);
    if (it == views_.end()) continue;
    it->second->SetAccessibleName(ToQ(AccessibleNameOf(*child)));
  }
}

std::string WidgetView::AccessibleNameOf(const Widget& widget) const {
  std::string caption = PlainCaption(widget.Caption());
  while (!caption.empty() && caption.front() == ' ') caption.erase(0, 1);
  if (!caption.empty()) return caption;
  // The label that names a field stands on its left, on the same line; a
  // grid or a list may have its label just above it instead.
  if (Widget* parent = widget.Parent()) {
    const Widget* best = nullptr;
    long long best_distance = 0;
    const long long top = widget.Top();
    const long long bottom = top + widget.Height();
    const long long left = widget.Left();
    const long long right = left + widget.Width();
    const long long middle = (top + bottom) / 2;
    for (Widget* sibling : parent->Children()) {
      if (sibling == &widget || sibling->Kind() != WidgetKind::kLabel) continue;
      if (PlainCaption(sibling->Caption()).find_first_not_of(' ') ==
          std::string::npos) {
        continue;
      }
      const long long s_top = sibling->Top();
      const long long s_bottom = s_top + sibling->Height();
      const long long s_left = sibling->Left();
      const long long s_right = s_left + sibling->Width();
      const long long s_middle = (s_top + s_bottom) / 2;
      std::optional<long long> distance;
      bool same_line = (middle >= s_top && middle <= s_bottom) ||
                       (s_middle >= top && s_middle <= bottom);
      // Beside it: starting on its left, ending before its middle (a label
      // may reach a little under the field it names).
      if (same_line && s_left < left && s_right < (left + right) / 2) {
        distance = std::max(0LL, left - s_right);
      } else if (s_bottom <= top + 60 && top - s_bottom <= 400 &&
                 s_left < right && s_right > left) {
        distance =
            100000 +
            std::max(0LL, top - s_bottom);  // above: only when none beside
      }
      if (distance && (!best || *distance < best_distance)) {
        best = sibling;
        best_distance = *distance;
      }
    }
    if (best) {
      std::string name = PlainCaption(best->Caption());
      name.erase(0, name.find_first_not_of(' '));
      while (!name.empty() && (name.back() == ':' || name.back() == ' '))
        name.pop_back();
      if (widget.Index() >= 0) {
        // Elements of an array beside one label: "Count 1", "Count 2"...
        std::size_t count = 0;
        for (Widget* element : widget.Tree().Array(widget.Name())) {
          if (element->Parent() == parent && element->Top() == widget.Top())
            ++count;
        }
        if (count > 1) name += " " + std::to_string(widget.Index() + 1);
      }
      return name;
    }
  }
  // A section frame is named by its heading.
  for (const Widget* child : widget.Children()) {
    if (IsHeading(*child)) {
      std::string name = PlainCaption(child->Caption());
      name.erase(0, name.find_first_not_of(' '));
      if (!name.empty()) return name;
    }
  }
  if (!widget.ToolTip().empty()) return widget.ToolTip();
  return ReadableName(widget);
}

std::string WidgetView::FieldNameOf(const Widget& widget) const {
  std::string name = AccessibleNameOf(widget);
  if (!PlainCaption(widget.Caption()).empty() || name == widget.ToolTip()) {
    return name;
  }
  for (const Widget* frame = widget.Parent(); frame; frame = frame->Parent()) {
    for (const Widget* child : frame->Children()) {
      if (!IsHeading(*child) || child == &widget) continue;
      std::string heading = PlainCaption(child->Caption());
      heading.erase(0, heading.find_first_not_of(' '));
      while (!heading.empty() && heading.back() == ' ') heading.pop_back();
      if (heading.empty() || name.find(heading) != std::string::npos) {
        return name;
      }
      return heading + " " + name;
    }
  }
  return name;
}

std::string ReadableName(const Widget& widget) {
  // "fraShapeProperties" -> "Shape Properties": the kind prefix goes, the
  // words come apart.
  const std::string& name = widget.Name();
  std::size_t start = 0;
  while (start < name.size() &&
         std::islower(static_cast<unsigned char>(name[start])))
    ++start;
  if (start == name.size() || start > 3) start = 0;
  std::string out;
  for (std::size_t i = start; i < name.size(); ++i) {
    char c = name[i];
    if (i > start && std::isupper(static_cast<unsigned char>(c)) &&
        std::islower(static_cast<unsigned char>(name[i - 1]))) {
      out += ' ';
    }
    out += c;
  }
  if (widget.Index() >= 0) out += " " + std::to_string(widget.Index() + 1);
  return out;
}

void WidgetView::Act(Widget& widget, const std::function<void()>& action) {
  // Nothing reaches the model while the view copies it, or once the view is
  // going (Qt's farewell focus events are not a person's input).
  if (state_->syncing > 0 || !state_->alive) return;
  // Held by this call: the handler may destroy the view.
  std::shared_ptr<State> state = state_;
  {
    ScopedValue acting(state->acting, &widget);
    Guarded(action);
    if (!state->alive) return;
    // The Qt widget shows the model again, whatever the handler did (or
    // failed to do); a failure here is the host's to hear about too.
    auto it = views_.find(&widget);
    if (it != views_.end()) {
      ViewBase* view = it->second;
      Guarded([&] {
        ScopedValue syncing(state->syncing, state->syncing + 1);
        view->Resync();
      });
    }
  }
  if (!state->acting) {
    Guarded([this] { Flush(); });
    if (!state->alive) return;
    if (after_input) Guarded(after_input);
  }
}

void WidgetView::Guarded(const std::function<void()>& step) {
  std::shared_ptr<State> state = state_;
  try {
    step();
  } catch (const Error& error) {
    if (state->alive) {
      Report(error);
    } else {
      std::fprintf(stderr, "%s\n", error.ToString().c_str());
    }
  } catch (...) {
    Error error = CurrentAsError("");
    if (state->alive) {
      Report(error);
    } else {
      std::fprintf(stderr, "%s\n", error.ToString().c_str());
    }
  }
}

void WidgetView::ContainerKeyDown(Integer key_code, Integer shift) {
  if (!on_key_down) return;
  Act(root_, [this, key_code, shift] { on_key_down(key_code, shift); });
}

void WidgetView::Report(const Error& error) {
  if (on_error) {
    Widget* source = state_->acting;
    on_error(error, source == &root_ ? nullptr : source);
  } else {
    std::fprintf(stderr, "%s\n", error.ToString().c_str());
  }
}

void WidgetView::ScheduleFlush(ViewBase* view) {
  pending_.insert(view);
  if (flush_scheduled_ || !root_view_) return;
  flush_scheduled_ = true;
  std::shared_ptr<State> state = state_;
  // Posted to the event loop, which no exception may reach.
  QTimer::singleShot(0, root_view_, [this, state] {
    if (state->alive) Guarded([this] { Flush(); });
  });
}

void WidgetView::Flush() {
  flush_scheduled_ = false;
  if (pending_.empty()) return;
  std::unordered_set<ViewBase*> pending;
  pending.swap(pending_);
  ScopedValue syncing(state_->syncing, state_->syncing + 1);
  for (ViewBase* view : pending) view->Refresh();
}

void WidgetView::Resized() {
  // Called from Qt's resize event, which no exception may reach.
  if (on_resize && state_->syncing == 0) Guarded(on_resize);
}

std::string PlainCaption(std::string_view caption) {
  std::string out;
  out.reserve(caption.size());
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += caption[i];
  }
  return out;
}

}  // namespace morvel::qt
