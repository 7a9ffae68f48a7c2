#include "kit/section.h"

#include "base/error.h"

namespace morvel {

void Park(Widget& frame) {
  frame.SetLeft(kParkedLeft);
  frame.SetEnabled(false);
}

void ObjectSection::PrepareForRunTime() {
  frame_.SetLeft(kParkedLeft);
  frame_.SetWidth(kRunTimeFrameWidth);
  for (Widget* child : frame_.Children()) {
    if (child->Kind() == WidgetKind::kFrame) {
      child->SetWidth(kRunTimeFrameWidth);
    }
  }
}

bool ObjectSection::OneOfItsKind(const SetupView& view) const {
  return view.arguments.*count_ == 1 && view.total <= 1;
}

bool ObjectSection::InView(const SetupView& view) const {
  return view.Tab() != kCommonTab && OneOfItsKind(view);
}

void ObjectSection::Park(const SetupView& view) {
  if (!InView(view)) morvel::Park(frame_);
}

bool ObjectSection::Loads(const SetupView& view) const {
  return view.Tab() == kObjectTab && view.total == 1 &&
         view.arguments.*count_ == 1;
}

void ObjectSection::Load(const SetupArguments& arguments) {
  WithPropertiesSource([&] {
    const Long height = FrameHeight();
    frame_.SetEnabled(true);
    frame_.SetLeft(0);
    frame_.SetTop(0);
    frame_.SetHeight(height);
    Fill(arguments);
  });
}

}  // namespace morvel
