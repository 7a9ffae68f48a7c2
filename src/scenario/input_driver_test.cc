#include "scenario/input_driver.h"

#include "scenario/input_driver_testing.h"

namespace morvel::testing {
namespace {

// The headless front end: the model's own UserInput, no window.
class ModelFrontEnd {
 public:
  ModelFrontEnd() { BuildInputRulesTree(tree_); }
  WidgetTree& Tree() { return tree_; }
  scenario::InputDriver& Driver() { return driver_; }

 private:
  WidgetTree tree_;
  scenario::ModelInputDriver driver_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Model, InputRulesTest, ModelFrontEnd);

}  // namespace
}  // namespace morvel::testing
