#include <algorithm>
#include <charconv>
#include <exception>
#include <functional>
#include <limits>

#include "base/error.h"
#include "base/numbers.h"
#include "widgets/widget.h"

namespace morvel {
namespace {

std::unique_ptr<Widget> MakeWidget(WidgetTree& tree, WidgetKind kind,
                                   std::string name, int index,
                                   Widget* parent) {
  switch (kind) {
    case WidgetKind::kForm:
      return std::make_unique<Form>(tree, kind, std::move(name), index, parent);
    case WidgetKind::kFrame:
      return std::make_unique<Frame>(tree, kind, std::move(name), index,
                                     parent);
    case WidgetKind::kLabel:
      return std::make_unique<Label>(tree, kind, std::move(name), index,
                                     parent);
    case WidgetKind::kCheckBox:
      return std::make_unique<CheckBox>(tree, kind, std::move(name), index,
                                        parent);
    case WidgetKind::kComboBox:
      return std::make_unique<ComboBox>(tree, kind, std::move(name), index,
                                        parent);
    case WidgetKind::kButton:
      return std::make_unique<Button>(tree, kind, std::move(name), index,
                                      parent);
    case WidgetKind::kPictureBox:
      return std::make_unique<PictureBox>(tree, kind, std::move(name), index,
                                          parent);
    case WidgetKind::kSlider:
      return std::make_unique<Slider>(tree, kind, std::move(name), index,
                                      parent);
    case WidgetKind::kUpDownText:
      return std::make_unique<UpDownText>(tree, kind, std::move(name), index,
                                          parent);
    case WidgetKind::kTextField:
      return std::make_unique<TextField>(tree, kind, std::move(name), index,
                                         parent);
    case WidgetKind::kTextBox:
      return std::make_unique<TextBox>(tree, kind, std::move(name), index,
                                       parent);
    case WidgetKind::kFlexGrid:
      return std::make_unique<FlexGrid>(tree, kind, std::move(name), index,
                                        parent);
    case WidgetKind::kImageList:
      return std::make_unique<ImageList>(tree, kind, std::move(name), index,
                                         parent);
  }
  RaiseError(kErrInvalidProcedureCall, "Unknown widget kind");
}

std::string DisplayNameOf(std::string_view name, int index) {
  std::string out(name);
  if (index >= 0) out += "(" + std::to_string(index) + ")";
  return out;
}

// A rectangle in the coordinates of the dumped window, for deciding what a
// person can see.
struct Rect {
  long long left, top, right, bottom;
  bool Empty() const { return right <= left || bottom <= top; }
  Rect Intersect(const Rect& o) const {
    return {std::max(left, o.left), std::max(top, o.top),
            std::min(right, o.right), std::min(bottom, o.bottom)};
  }
};

}  // namespace

std::size_t WidgetTree::KeyHash::operator()(const Key& key) const noexcept {
  return std::hash<std::string_view>()(key.name) ^
         (static_cast<std::size_t>(key.index + 1) * 0x9E3779B97F4A7C15ull);
}

WidgetTree::WidgetTree() = default;
WidgetTree::~WidgetTree() = default;

Widget& WidgetTree::Create(WidgetKind kind, std::string name, int index,
                           Widget* parent) {
  if (name.empty()) {
    RaiseError(kErrInvalidProcedureCall, "A widget needs a name");
  }
  if (index < -1) {
    RaiseError(kErrInvalidProcedureCall, "Invalid control array index " +
                                             std::to_string(index) + " for " +
                                             name);
  }
  if (!parent && root_) {
    RaiseError(kErrInvalidProcedureCall,
               name + " needs a parent: the window already has its root " +
                   root_->DisplayName());
  }
  if (parent && &parent->tree_ != this) {
    RaiseError(kErrInvalidProcedureCall,
               "The parent of " + name + " belongs to another window");
  }
  if (by_key_.count(Key{name, index})) {
    RaiseError(
        kErrInvalidProcedureCall,
        "A widget named " + DisplayNameOf(name, index) + " already exists");
  }
  auto used = name_is_array_.find(name);
  if (used != name_is_array_.end() && used->second != (index >= 0)) {
    RaiseError(kErrInvalidProcedureCall,
               used->second ? name + " is a control array: give an index"
                            : name + " is not a control array");
  }

  std::unique_ptr<Widget> made =
      MakeWidget(*this, kind, std::move(name), index, parent);
  Widget& widget = *made;
  widgets_.reserve(widgets_.size() + 1);
  if (parent) parent->children_.reserve(parent->children_.size() + 1);
  // Nothing below can fail, so a refused widget leaves no trace.
  by_key_.emplace(Key{widget.name_, index}, &widget);
  name_is_array_.emplace(widget.name_, index >= 0);
  widgets_.push_back(std::move(made));
  if (parent) {
    parent->children_.push_back(&widget);
    Notify(*parent, WidgetProperty::kChildren);
  } else {
    root_ = &widget;
  }
  return widget;
}

void WidgetTree::ApplySpec(Widget& widget, const WidgetSpec& spec) {
  widget.Move(spec.left, spec.top, spec.width, spec.height);
  if (spec.caption && *spec.caption) widget.SetCaption(spec.caption);
  if (spec.tooltip && *spec.tooltip) widget.SetToolTip(spec.tooltip);
  switch (spec.kind) {
    case WidgetKind::kSlider: {
      auto& slider = static_cast<Slider&>(widget);
      // A table that names no range keeps the slider's own (0 to 10).
      if (spec.min != 0 || spec.max != 0) {
        slider.SetRange(RoundToLong(spec.min), RoundToLong(spec.max));
      }
      slider.SetSmallChange(RoundToLong(spec.small_change));
      slider.SetLargeChange(RoundToLong(spec.large_change));
      if (spec.tick != 0) slider.SetTickFrequency(spec.tick);
      break;
    }
    case WidgetKind::kUpDownText: {
      auto& field = static_cast<UpDownText&>(widget);
      if (spec.min != 0 || spec.max != 0) {
        field.SetMinValue(spec.min);
        field.SetMaxValue(spec.max);
      }
      field.SetIncrement(spec.small_change);
      field.SetMaxDecimalPlaces(spec.decimals);
      field.SetDefaultValue(spec.default_value);
      break;
    }
    default:
      break;
  }
  if (auto* text = dynamic_cast<TextWidget*>(&widget)) {
    if (spec.text && *spec.text) text->SetText(spec.text);
  }
  widget.SetEnabled(spec.enabled);
  widget.SetVisible(spec.visible);
}

void WidgetTree::Build(const WidgetSpec* specs, std::size_t count) {
  // Most tables are a few dozen widgets; growing once keeps building cheap.
  widgets_.reserve(widgets_.size() + count);
  by_key_.reserve(by_key_.size() + count);
  for (std::size_t i = 0; i < count; ++i) {
    const WidgetSpec& spec = specs[i];
    if (!spec.name)
      RaiseError(kErrInvalidProcedureCall, "A widget needs a name");
    Widget* parent = nullptr;
    std::string_view parent_name = spec.parent ? spec.parent : "";
    if (!parent_name.empty()) {
      parent = FindByDisplayName(parent_name);
      if (!parent) {
        RaiseError(kErrInvalidProcedureCall,
                   "The container " + std::string(parent_name) + " of " +
                       DisplayNameOf(spec.name, spec.index) +
                       " does not exist");
      }
    } else {
      parent = root_;
    }
    Widget& widget = Create(spec.kind, spec.name, spec.index, parent);
    ApplySpec(widget, spec);
  }
}

Widget* WidgetTree::Find(std::string_view name, int index) const {
  auto it = by_key_.find(Key{name, index});
  return it == by_key_.end() ? nullptr : it->second;
}

Widget* WidgetTree::FindByDisplayName(std::string_view display_name) const {
  if (!display_name.empty() && display_name.back() == ')') {
    std::size_t open = display_name.rfind('(');
    if (open != std::string_view::npos && open > 0) {
      std::string_view digits =
          display_name.substr(open + 1, display_name.size() - open - 2);
      int index = 0;
      auto [end, ec] =
          std::from_chars(digits.data(), digits.data() + digits.size(), index);
      if (ec != std::errc() || end != digits.data() + digits.size() ||
          digits.empty() || index < 0) {
        return nullptr;
      }
      return Find(display_name.substr(0, open), index);
    }
  }
  return Find(display_name, -1);
}

Widget& WidgetTree::GetWidget(std::string_view name, int index) const {
  Widget* widget = Find(name, index);
  if (!widget) {
    RaiseError(kErrSubscriptOutOfRange,
               "No widget named " + DisplayNameOf(name, index));
  }
  return *widget;
}

void WidgetTree::RaiseWrongKind(const Widget& widget) {
  RaiseError(kErrTypeMismatch, "Type mismatch: " + widget.DisplayName() +
                                   " is a " +
                                   std::string(KindName(widget.Kind())));
}

std::vector<Widget*> WidgetTree::Array(std::string_view name) const {
  std::vector<Widget*> elements;
  for (const auto& widget : widgets_) {
    if (widget->index_ >= 0 && widget->name_ == name) {
      elements.push_back(widget.get());
    }
  }
  std::sort(
      elements.begin(), elements.end(),
      [](const Widget* a, const Widget* b) { return a->index_ < b->index_; });
  return elements;
}

void WidgetTree::SetFocus(Widget* widget) {
  if (widget == focused_) return;
  if (widget && &widget->tree_ != this) {
    RaiseError(kErrInvalidProcedureCall,
               widget->DisplayName() + " belongs to another window");
  }
  Widget* previous = focused_;
  // The focus has moved before any handler runs, so a handler that moves
  // it again (or hides the widget it is leaving) sees the new state.
  focused_ = widget;
  std::exception_ptr commit_failure;
  if (previous) {
    Notify(*previous, WidgetProperty::kFocus);
    if (auto* text = dynamic_cast<TextWidget*>(previous)) {
      // Leaving a field is as good as Enter: what the person changed is
      // reported, never silently dropped. A field the panel has hidden or
      // disabled meanwhile is no longer the person's to leave.
      if (text->Commits() && text->Edited() && text->IsUsable()) {
        try {
          text->CommitText();
        } catch (...) {
          commit_failure = std::current_exception();
        }
      }
      if (text->on_lost_focus) text->on_lost_focus();
    }
  }
  if (widget && focused_ == widget) {
    Notify(*widget, WidgetProperty::kFocus);
    if (auto* text = dynamic_cast<TextWidget*>(widget);
        text && text->on_got_focus) {
      text->on_got_focus();
    }
  }
  if (commit_failure) std::rethrow_exception(commit_failure);
}

void WidgetTree::AddObserver(WidgetObserver* observer) {
  if (!observer) RaiseError(kErrObjectNotSet);
  if (std::find(observers_.begin(), observers_.end(), observer) ==
      observers_.end()) {
    observers_.push_back(observer);
  }
}

void WidgetTree::RemoveObserver(WidgetObserver* observer) {
  auto it = std::find(observers_.begin(), observers_.end(), observer);
  if (it == observers_.end()) return;
  if (notify_depth_ > 0) {
    // Removing while notifying would shift the entries being walked; blank
    // the entry and compact once the outermost notification is done.
    *it = nullptr;
    observers_removed_ = true;
  } else {
    observers_.erase(it);
  }
}

void WidgetTree::Notify(Widget& widget, WidgetProperty property) {
  if (observers_.empty()) return;
  ++notify_depth_;
  try {
    for (std::size_t i = 0; i < observers_.size(); ++i) {
      if (WidgetObserver* observer = observers_[i]) {
        observer->OnWidgetChanged(widget, property);
      }
    }
  } catch (...) {
    --notify_depth_;
    throw;
  }
  if (--notify_depth_ == 0 && observers_removed_) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), nullptr),
                     observers_.end());
    observers_removed_ = false;
  }
}

std::string WidgetTree::Dump(const Widget& root, bool shown_only) const {
  std::string out;
  // Where the dumped widget's parent area begins and what of it is seen.
  long long origin_x = 0, origin_y = 0;
  Rect clip{std::numeric_limits<long long>::min() / 4,
            std::numeric_limits<long long>::min() / 4,
            std::numeric_limits<long long>::max() / 4,
            std::numeric_limits<long long>::max() / 4};
  if (shown_only) {
    std::vector<const Widget*> chain;
    for (const Widget* w = root.parent_; w; w = w->parent_) chain.push_back(w);
    std::reverse(chain.begin(), chain.end());
    for (std::size_t i = 0; i < chain.size(); ++i) {
      const Widget* w = chain[i];
      if (!w->visible_) return out;
      if (i > 0) {
        Rect rect{origin_x + w->left_, origin_y + w->top_,
                  origin_x + w->left_ + w->width_,
                  origin_y + w->top_ + w->height_};
        clip = clip.Intersect(rect);
        if (clip.Empty()) return out;
        origin_x = rect.left;
        origin_y = rect.top;
      } else {
        // The window itself: its Left and Top are on the screen, its area
        // is what the children are placed in.
        clip = Rect{0, 0, w->width_, w->height_};
      }
    }
  }

  std::function<void(const Widget&, int, long long, long long, Rect, bool)>
      walk = [&](const Widget& w, int depth, long long ox, long long oy,
                 Rect area, bool is_top) {
        long long left = ox, top = oy;
        Rect inner = area;
        if (shown_only) {
          if (!w.visible_ || w.kind_ == WidgetKind::kImageList) return;
          if (is_top && !w.parent_) {
            inner = Rect{0, 0, w.width_, w.height_};
            left = top = 0;
          } else {
            Rect rect{ox + w.left_, oy + w.top_, ox + w.left_ + w.width_,
                      oy + w.top_ + w.height_};
            inner = area.Intersect(rect);
            if (inner.Empty()) return;
            left = rect.left;
            top = rect.top;
          }
        }
        out.append(static_cast<std::size_t>(depth) * 2, ' ');
        out += w.DumpLine();
        out += '\n';
        for (const Widget* child : w.children_) {
          walk(*child, depth + 1, left, top, inner, false);
        }
      };
  walk(root, 0, origin_x, origin_y, clip, true);
  return out;
}

}  // namespace morvel
