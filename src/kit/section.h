#ifndef MORVEL_KIT_SECTION_H_
#define MORVEL_KIT_SECTION_H_

#include <span>
#include <string_view>
#include <vector>

#include "base/types.h"
#include "host/host_interface.h"
#include "kit/panel_context.h"
#include "kit/section_widgets.h"
#include "widgets/widget.h"

// The contract every section of the panel implements, and the panel's calls
// that reach it. The panel (panel/section_list.cc) keeps one ordered list of
// sections and walks it for each of its own steps; a section never learns
// of the others.
namespace morvel {

// The tabs SetupPropertiesPanel tells apart.
inline constexpr Long kCommonTab = 2;
inline constexpr Long kObjectTab = 3;

// Frames out of sight sit this far to the left; at run time every section
// frame is this wide and the panel clips it at its right edge.
inline constexpr Long kParkedLeft = -50000;
inline constexpr Long kRunTimeFrameWidth = 50000;

// Takes `frame` out of sight: Left -50000, Enabled False.
void Park(Widget& frame);

// What SetupPropertiesPanel hands each section: the host's arguments, the
// total they count (already checked for overflow) and the active scene's
// EditMode, which the panel reads once, before any loader, and only when
// one object is selected on the object tab (0 otherwise).
struct SetupView {
  const SetupArguments& arguments;
  Long total = 0;
  Long edit_mode = 0;

  Long Tab() const { return arguments.SelectedTab; }
};

class Section {
 public:
  Section() = default;
  Section(const Section&) = delete;
  Section& operator=(const Section&) = delete;
  virtual ~Section() = default;

  // The section's top-level frames, in the order the panel's Enabled
  // property switches them.
  virtual std::vector<Frame*> Frames() = 0;

  // The container's read-properties notification, in the host rather than
  // in a form designer: make the frames ready for run time.
  virtual void PrepareForRunTime() {}

  // Once, when the panel first gets a scene graph: fill the combo boxes
  // whose items never change.
  virtual void FillFixedLists() {}

  // SetupPropertiesPanel, first step, for every section in turn: park what
  // these arguments take out of view. A frame that is not parked stays
  // where it is; its loader places it.
  virtual void Park(const SetupView& view) = 0;

  // SetupPropertiesPanel, second step: whether this section's loader is the
  // one to run. The panel runs the loader of the first section in its list
  // that says so, and no other.
  virtual bool Loads(const SetupView& view) const = 0;
  virtual void Load(const SetupArguments& arguments) = 0;

  // The container's resize notification; `width` in twips.
  virtual void Resize(Long width) { (void)width; }

  // Termination: let go of the objects the section holds. The panel calls
  // this after it has released the objects its loaders remember
  // (CurrentShapeNode, CurrentGroup, CurrentLight, CurrentCamera) and
  // before its picture utility and scene graph.
  virtual void Release() {}
};

// A section of the object tab: one frame that shows one selected object of
// its kind. The frame starts parked; the loader brings it to the panel's top
// left. It stays in view while the tab is not the common tab and the
// selection is one object of this kind; the loader runs on the object tab
// when exactly one object, of this kind, is selected.
//
// The section's widgets are built first, from its layout table, before the
// derived section's members, which take their typed references from
// `widgets_`.
class ObjectSection : public Section {
 public:
  std::vector<Frame*> Frames() override { return {&frame_}; }
  // Parks the frame and makes it, and each frame directly inside it, as
  // wide as any panel could be: the panel clips them at its right edge.
  void PrepareForRunTime() override;
  void Park(const SetupView& view) override;
  bool Loads(const SetupView& view) const override;
  // Brings the frame to the panel's top left, enabled and FrameHeight()
  // high, then fills the section. Failures leave as errors with the panel
  // as their source; what was done before stays.
  void Load(const SetupArguments& arguments) final;

 protected:
  // Builds `layout` into the context's tree; `frame` names the section's
  // top-level frame in it, and `count` is the argument that counts this
  // section's kind of object.
  ObjectSection(PanelContext& context, std::span<const WidgetSpec> layout,
                std::string_view frame, const Long SetupArguments::*count)
      : context_(context),
        widgets_(context.Widgets(), layout),
        frame_(widgets_.Get<Frame>(frame)),
        count_(count) {}

  // Whether the frame stays in view: by default, not on the common tab, and
  // for a selection of one object of this kind.
  virtual bool InView(const SetupView& view) const;
  // The selection is one object, of this kind.
  bool OneOfItsKind(const SetupView& view) const;

  // The height the section takes from the panel when it comes into view:
  // the inner height (the client area's), unless the section says otherwise.
  virtual Long FrameHeight() const {
    return context_.Container().InnerHeight();
  }
  // The rest of the loader, once the frame is in view: lay the section out,
  // fill it from the scene and remember the object it shows.
  virtual void Fill(const SetupArguments& arguments) = 0;

  PanelContext& context_;
  SectionWidgets widgets_;
  Frame& frame_;

 private:
  const Long SetupArguments::*count_;
};

}  // namespace morvel

#endif  // MORVEL_KIT_SECTION_H_
