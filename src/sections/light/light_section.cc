#include "sections/light/light_section.h"

#include <memory>

#include "base/error.h"
#include "base/numbers.h"
#include "kit/editors.h"
#include "kit/selection.h"
#include "kit/transaction.h"
#include "sections/light/light_layout.h"

namespace morvel {
namespace {

// Entries of cboAttenuationType.
constexpr Long kConstantEntry = 0;
constexpr Long kLinearEntry = 1;
constexpr Long kQuadraticEntry = 2;

constexpr const char* kAttenuationItems[] = {"Constant", "Linear", "Quadratic"};

// What the factor field shows for a light that does not fade at all: the
// smallest factor the field offers.
constexpr const char* kNoAttenuationText = "0.001";

// The terms in the order the loader looks for one that is not zero, and the
// entry that stands for each.
struct AttenuationTerm {
  Single (Light::*get)(Single key);
  Long entry;
};
constexpr AttenuationTerm kTermsInOrder[] = {
    {&Light::ConstantAttenuation, kConstantEntry},
    {&Light::LinearAttenuation, kLinearEntry},
    {&Light::QuadraticAttenuation, kQuadraticEntry},
};

// The attenuation terms a choice in the list writes: two set to zero, then
// the chosen one set to the factor, in this order. Any entry but the first
// two (the quadratic one, or none at all) makes the light fade
// quadratically.
using SetLightValue = void (Light::*)(Single key, Single value);
struct AttenuationWrites {
  SetLightValue first_zero;
  SetLightValue second_zero;
  SetLightValue factor;
};
constexpr AttenuationWrites kConstantWrites = {&Light::SetLinearAttenuation,
                                               &Light::SetQuadraticAttenuation,
                                               &Light::SetConstantAttenuation};
constexpr AttenuationWrites kLinearWrites = {&Light::SetQuadraticAttenuation,
                                             &Light::SetConstantAttenuation,
                                             &Light::SetLinearAttenuation};
constexpr AttenuationWrites kQuadraticWrites = {
    &Light::SetLinearAttenuation, &Light::SetConstantAttenuation,
    &Light::SetQuadraticAttenuation};

const AttenuationWrites& WritesForEntry(Long entry) {
  if (entry == kConstantEntry) return kConstantWrites;
  if (entry == kLinearEntry) return kLinearWrites;
  return kQuadraticWrites;
}

}  // namespace

LightSection::LightSection(PanelContext& context)
    : ObjectSection(context, LightLayout(), "fraLightProperties",
                    &SetupArguments::LightsSelectedCount) {
  context.ShowLightColourIn(picVBColor);
  ConnectGuardedEditor(cboAttenuationType, [this] { ApplyAttenuation(); });
  ConnectValueField(txtAttenuationFactor, [this] { ApplyAttenuation(); });
  for (UpDownText* field :
       {&txtSpotlightRange, &txtSpotlightUmbra, &txtSpotlightPenumbra}) {
    ConnectValueField(*field, [this] { ApplySpotlight(); });
  }
  // The swatch holds no value a loader sets, so its click needs no guard.
  ConnectEditor(picVBColor, [this] { VBColorClick(); });
}

void LightSection::FillFixedLists() {
  // At explicit positions, as the list was designed.
  Long position = 0;
  for (const char* item : kAttenuationItems) {
    cboAttenuationType.AddItem(item, position++);
  }
}

void LightSection::Fill(const SetupArguments&) {
  // The two inner frames keep their places: a light's section is short
  // enough that nothing needs restacking when the spot frame is hidden.
  std::shared_ptr<Light> light =
      FirstSelected(context_, &SceneGraph::GetSelectedLight);
  fraLightSpot.SetVisible(light->LightType() == kLightTypeSpot);
  fraLightGeneral.SetVisible(true);
  LoadLightValues(*FirstSelected(context_, &SceneGraph::GetSelectedLight));
  context_.State().CurrentLight =
      FirstSelectedOrNull(context_, &SceneGraph::GetSelectedLight);
}

void LightSection::LoadLightValues(Light& light) {
  // The list is disabled while it is set, so its editor does not write
  // the loaded type straight back.
  SetWhileDisabled(cboAttenuationType, [&] {
    // The first term that is not zero is the one the light fades by; its
    // factor is read again for display.
    for (const AttenuationTerm& term : kTermsInOrder) {
      if ((light.*term.get)(kCurrentKey) != 0) {
        cboAttenuationType.SetListIndex(term.entry);
        txtAttenuationFactor.SetText(
            SingleToText((light.*term.get)(kCurrentKey)));
        return;
      }
    }
    cboAttenuationType.SetListIndex(kConstantEntry);
    txtAttenuationFactor.SetText(kNoAttenuationText);
  });
  // Other lights leave the spot fields as they were: their frame is
  // hidden, and their texts are not the light's.
  if (light.LightType() == kLightTypeSpot) {
    txtSpotlightRange.SetText(SingleToText(light.SpotlightRange(kCurrentKey)));
    txtSpotlightUmbra.SetText(SingleToText(light.SpotlightUmbra(kCurrentKey)));
    txtSpotlightPenumbra.SetText(
        SingleToText(light.SpotlightPenumbra(kCurrentKey)));
  }
  context_.SetlVBColor(LightColourToSwatch(light));
}

void LightSection::ApplyAttenuation() {
  SceneTransaction transaction(context_, kLayerNone);
  Light& light = *Required(context_.State().CurrentLight);
  const AttenuationWrites& writes =
      WritesForEntry(cboAttenuationType.ListIndex());
  // The order of failure is part of this editor's contract: a factor that
  // is not a number fails with the two other terms already cleared, and the
  // host is left with the prepare alone. So the factor is converted between
  // the zero writes and its own write, although converting it first would
  // read more naturally and leave the light untouched.
  (light.*writes.first_zero)(kCurrentKey, 0);
  (light.*writes.second_zero)(kCurrentKey, 0);
  Single factor = TextToSingle(txtAttenuationFactor.Text());
  (light.*writes.factor)(kCurrentKey, factor);
  transaction.Commit(false);
}

void LightSection::ApplySpotlight() {
  // All three values are written whichever field was committed, each as
  // soon as its text is read: a text that is not a number stops the edit
  // with the values before it written.
  SceneTransaction transaction(context_, kLayerNone);
  Light& light = *Required(context_.State().CurrentLight);
  light.SetSpotlightRange(kCurrentKey, TextToSingle(txtSpotlightRange.Text()));
  light.SetSpotlightUmbra(kCurrentKey, TextToSingle(txtSpotlightUmbra.Text()));
  light.SetSpotlightPenumbra(kCurrentKey,
                             TextToSingle(txtSpotlightPenumbra.Text()));
  transaction.Commit(false);
}

}  // namespace morvel
