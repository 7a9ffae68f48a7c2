#include "qt/widget_view.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QEnterEvent>
#include <QLabel>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/error.h"
#include "platform/headless.h"
#include "qt/qt_testing.h"
#include "qt/views/view_base.h"
#include "widgets/widget.h"

namespace morvel::qt {
namespace {

using K = WidgetKind;
using ::testing::ElementsAre;

// A small window with one widget of every kind, in twips, at 15 twips a
// pixel.
// clang-format off
const WidgetSpec kLayout[] = {
    {.kind = K::kForm, .name = "frmTest", .width = 6000, .height = 7500,
     .caption = "Test"},
    {.kind = K::kFrame, .name = "fraMain", .parent = "frmTest", .left = 0,
     .top = 0, .width = 6000, .height = 7200, .caption = "General"},
    {.kind = K::kCheckBox, .name = "chkHide", .parent = "fraMain", .left = 120,
     .top = 285, .width = 1300, .height = 280, .caption = "&Hide"},
    {.kind = K::kLabel, .name = "lblCount", .parent = "fraMain", .left = 120,
     .top = 700, .width = 900, .height = 285, .caption = "Count:"},
    {.kind = K::kUpDownText, .name = "txtCount", .parent = "fraMain",
     .left = 1100, .top = 700, .width = 1200, .height = 300, .min = 0,
     .max = 10, .small_change = 2.5, .decimals = 1, .text = "5"},
    {.kind = K::kLabel, .name = "lblLevel", .parent = "fraMain", .left = 120,
     .top = 1100, .width = 900, .height = 285, .caption = "Level"},
    {.kind = K::kSlider, .name = "sldLevel", .parent = "fraMain", .left = 1100,
     .top = 1100, .width = 3000, .height = 450, .min = 0, .max = 10,
     .small_change = 1, .large_change = 5, .tick = 1},
    {.kind = K::kComboBox, .name = "cboMode", .parent = "fraMain",
     .left = 1100, .top = 1700, .width = 2000, .height = 315,
     .tooltip = "Draw mode"},
    {.kind = K::kLabel, .name = "lblName", .parent = "fraMain", .left = 120,
     .top = 2200, .width = 900, .height = 285, .caption = "Name"},
    {.kind = K::kTextField, .name = "txtName", .index = 0, .parent = "fraMain",
     .left = 1100, .top = 2200, .width = 1000, .height = 300},
    {.kind = K::kTextField, .name = "txtName", .index = 1, .parent = "fraMain",
     .left = 2200, .top = 2200, .width = 1000, .height = 300},
    {.kind = K::kButton, .name = "cmdGo", .parent = "fraMain", .left = 120,
     .top = 2700, .width = 1200, .height = 375, .caption = "&Go"},
    {.kind = K::kPictureBox, .name = "picSwatch", .parent = "fraMain",
     .left = 1500, .top = 2700, .width = 600, .height = 375},
    {.kind = K::kLabel, .name = "lblGrid", .parent = "fraMain", .left = 120,
     .top = 3300, .width = 1200, .height = 285, .caption = " Materials"},
    {.kind = K::kFlexGrid, .name = "msgGrid", .parent = "fraMain", .left = 30,
     .top = 3600, .width = 5000, .height = 2400},
    {.kind = K::kFrame, .name = "fraParked", .parent = "frmTest",
     .left = -50000, .top = 0, .width = 50000, .height = 3000,
     .caption = "Parked"},
    {.kind = K::kImageList, .name = "ilsImages", .parent = "frmTest"},
};
// clang-format on

class WidgetViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tree_.Build(kLayout);
    view_ = std::make_unique<WidgetView>(tree_, *tree_.Root(), metrics_,
                                         nullptr, factory_);
    view_->on_error = [this](const Error& error, const Widget*) { errors_.push_back(error); };
    ASSERT_TRUE(qt::testing::ShowActive(view_->RootWidget(), 400, 500));
  }
  void TearDown() override { view_.reset(); }

  template <class T>
  T* Q(const char* name) {
    QWidget* w = view_->Find(name);
    return w ? (qobject_cast<T*>(w) ? qobject_cast<T*>(w) : w->findChild<T*>())
             : nullptr;
  }
  void Log(std::string line) { log_.push_back(std::move(line)); }

  FixedScreenMetrics metrics_{15, 15};
  WidgetView::ViewFactory factory_;
  WidgetTree tree_;
  std::unique_ptr<WidgetView> view_;
  std::vector<Error> errors_;
  std::vector<std::string> log_;
};

TEST_F(WidgetViewTest, TwipsBecomePixelsThroughTheScreenMetrics) {
  struct Case {
    const char* name;
    QRect pixels;
  };
  const Case cases[] = {
      // 120/15 = 8, 285/15 = 19, right edge (120+1300)/15 = 94.7 -> 95.
      {"chkHide", QRect(8, 19, 87, 19)},
      {"fraParked", QRect(-3333, 0, 3333, 200)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(view_->Find(c.name)->geometry(), c.pixels) << c.name;
  }
  tree_.GetWidget("chkHide").Move(150, 300, 1500, 300);
  EXPECT_EQ(view_->Find("chkHide")->geometry(), QRect(10, 20, 100, 20));
  // A parked frame is out of sight, and comes back when it is moved in.
  QWidget* parked = view_->Find("fraParked");
  EXPECT_FALSE(parked->geometry().intersects(view_->RootWidget()->rect()));
  tree_.GetWidget("fraParked").SetLeft(0);
  EXPECT_TRUE(parked->geometry().intersects(view_->RootWidget()->rect()));
}

TEST_F(WidgetViewTest, CodeSettingAValueRaisesItsEventOnceAndNeverComesBack) {
  auto& box = tree_.Get<CheckBox>("chkHide");
  auto& slider = tree_.Get<Slider>("sldLevel");
  auto& combo = tree_.Get<ComboBox>("cboMode");
  box.on_click = [&] { Log("chk " + std::to_string(box.Value())); };
  slider.on_change = [&] { Log("sld " + std::to_string(slider.Value())); };
  combo.on_click = [&] { Log("cbo " + std::to_string(combo.ListIndex())); };
  combo.AddItem("Smooth");
  combo.AddItem("Flat");
  combo.AddItem("Mixed", 1);

  box.SetValue(2);
  slider.SetValue(7);
  combo.SetListIndex(2);
  EXPECT_THAT(log_, ElementsAre("chk 2", "sld 7", "cbo 2"));
  // Grey shows as grey, not as checked.
  EXPECT_EQ(Q<QCheckBox>("chkHide")->checkState(), Qt::PartiallyChecked);
  auto* qcombo = Q<QComboBox>("cboMode");
  EXPECT_EQ(qcombo->itemText(1), "Mixed");
  EXPECT_EQ(qcombo->currentIndex(), 2);
  EXPECT_TRUE(errors_.empty());
}

TEST_F(WidgetViewTest, AModelThatRefusesLeavesTheScreenAsTheModelIs) {
  auto& box = tree_.Get<CheckBox>("chkHide");
  // The handler puts the value back, as a loader guard would.
  box.on_click = [&] {
    if (box.Value() == 1) box.SetValue(0);
  };
  QTest::mouseClick(Q<QCheckBox>("chkHide"), Qt::LeftButton);
  EXPECT_EQ(box.Value(), 0);
  EXPECT_EQ(Q<QCheckBox>("chkHide")->checkState(), Qt::Unchecked);
}

TEST_F(WidgetViewTest, HandlerErrorsReachTheErrorCallbackNotTheEventLoop) {
  auto& go = tree_.Get<Button>("cmdGo");
  go.on_click = [] { throw Error(6, "Overflow", "Properties"); };
  QTest::mouseClick(Q<QPushButton>("cmdGo"), Qt::LeftButton);
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_EQ(errors_[0].Number(), 6);
  EXPECT_EQ(errors_[0].Description(), "Overflow");
  EXPECT_EQ(errors_[0].Source(), "Properties");
  // Anything else thrown arrives as an Error too.
  go.on_click = [] { throw std::runtime_error("boom"); };
  QTest::mouseClick(Q<QPushButton>("cmdGo"), Qt::LeftButton);
  ASSERT_EQ(errors_.size(), 2u);
  EXPECT_EQ(errors_[1].Description(), "boom");
}

TEST_F(WidgetViewTest, PickingAndSlidingWithTheKeyboard) {
  auto& combo = tree_.Get<ComboBox>("cboMode");
  auto& slider = tree_.Get<Slider>("sldLevel");
  for (const char* item : {"Use View Default", "Smooth", "Flat"})
    combo.AddItem(item);
  combo.SetListIndex(0);
  combo.on_click = [&] { Log("cbo " + std::to_string(combo.ListIndex())); };
  slider.on_change = [&] { Log("sld " + std::to_string(slider.Value())); };

  auto* qcombo = Q<QComboBox>("cboMode");
  qcombo->setFocus();
  QTest::keyClick(qcombo, Qt::Key_Down);
  auto* qslider = Q<QSlider>("sldLevel");
  qslider->setFocus();
  QTest::keyClick(qslider, Qt::Key_Right);
  QTest::keyClick(qslider, Qt::Key_PageUp);
  QTest::keyClick(qslider, Qt::Key_End);
  QTest::keyClick(qslider, Qt::Key_End);  // already there: nothing
  EXPECT_THAT(log_, ElementsAre("cbo 1", "sld 1", "sld 6", "sld 10"));
  EXPECT_EQ(combo.ListIndex(), 1);
  EXPECT_EQ(slider.Value(), 10);
}

TEST_F(WidgetViewTest, ASliderOverTheWholeLongRangeKeepsItsTicksReadable) {
  auto& slider = tree_.Get<Slider>("sldLevel");
  constexpr Long kMin = std::numeric_limits<Long>::min();
  constexpr Long kMax = std::numeric_limits<Long>::max();
  slider.SetRange(kMin, kMax);
  auto* q = Q<QSlider>("sldLevel");
  EXPECT_EQ(q->minimum(), kMin);
  EXPECT_EQ(q->maximum(), kMax);
  // Four thousand million ticks on 200 pixels would be a smear.
  EXPECT_EQ(q->tickPosition(), QSlider::NoTicks);
  // Three ticks fit.
  slider.SetTickFrequency(1 << 30);
  EXPECT_EQ(q->tickPosition(), QSlider::TicksBelow);
  q->setFocus();
  QTest::keyClick(q, Qt::Key_End);
  EXPECT_EQ(slider.Value(), kMax);
  QTest::keyClick(q, Qt::Key_Home);
  EXPECT_EQ(slider.Value(), kMin);
}

TEST_F(WidgetViewTest,
       AFieldCommitsWhatThePersonChangedHoweverItIsLeftAndEscapeTakesItBack) {
  auto& name = tree_.Get<TextField>("txtName", 0);
  name.on_value_committed = [&](int index) {
    Log("commit " + std::to_string(index) + " " + name.Text());
  };
  auto* edit = Q<QLineEdit>("txtName(0)");
  auto* other = Q<QLineEdit>("txtName(1)");
  edit->setFocus(Qt::OtherFocusReason);
  QTest::keyClicks(edit, "ab");
  // Typed, then the focus moved by code (a host, a script): still committed.
  other->setFocus(Qt::OtherFocusReason);
  EXPECT_THAT(log_, ElementsAre("commit 0 ab"));
  log_.clear();
  // Escape puts back what was committed; leaving it then commits nothing.
  edit->setFocus(Qt::OtherFocusReason);
  QTest::keyClicks(edit, "c");
  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_EQ(edit->text(), "ab");
  EXPECT_EQ(name.Text(), "ab");
  QTest::keyClick(edit, Qt::Key_Tab);
  EXPECT_TRUE(log_.empty());
  // A paste is a change like typing; a click elsewhere commits it.
  QApplication::clipboard()->setText("Z");
  edit->setFocus(Qt::OtherFocusReason);
  edit->end(false);
  QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(name.Text(), "abZ");
  QTest::mouseClick(other, Qt::LeftButton);
  EXPECT_THAT(log_, ElementsAre("commit 0 abZ"));
  EXPECT_FALSE(edit->hasFocus());
}

TEST_F(WidgetViewTest, ANarrowFieldShowsTheStartOfItsNumberUntilTypedIn) {
  auto& name = tree_.Get<TextField>("txtName", 0);
  auto* edit = Q<QLineEdit>("txtName(0)");
  // What the line edit draws: where its caret would stand, after a paint.
  auto caret_x = [&] {
    edit->grab();
    return edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
  };
  name.SetText("0.785398163397448");  // code leaves the model's caret at the end
  ASSERT_EQ(name.SelStart(), 17);
  EXPECT_LT(caret_x(), 8) << "the field shows the tail of its number";
  // Given the focus, the field types where the model's caret is.
  edit->setFocus(Qt::OtherFocusReason);
  EXPECT_GT(caret_x(), edit->width() / 2);
  QTest::keyClicks(edit, "9");
  EXPECT_EQ(name.Text(), "0.7853981633974489");
  // Left, it shows the start again.
  Q<QLineEdit>("txtName(1)")->setFocus(Qt::OtherFocusReason);
  EXPECT_LT(caret_x(), 8);
}

TEST_F(WidgetViewTest, ASliderShowsItsValueWhileHoveredAndDragged) {
  auto& slider = tree_.Get<Slider>("sldLevel");
  slider.SetToolTip("Smoothing level");
  slider.SetValue(4);
  auto* q = Q<QSlider>("sldLevel");
  auto readout = [&]() -> QLabel* {
    QLabel* label = q->parentWidget()->findChild<QLabel*>("SliderReadout");
    return label && label->isVisible() ? label : nullptr;
  };
  EXPECT_EQ(readout(), nullptr);
  QEnterEvent enter(QPointF(5, 5), q->mapTo(q->window(), QPointF(5, 5)),
                    q->mapToGlobal(QPointF(5, 5)));
  QApplication::sendEvent(q, &enter);
  ASSERT_NE(readout(), nullptr);
  EXPECT_EQ(readout()->text(), "4");
  // Beside the handle: above the slider, over the handle's centre.
  QStyleOptionSlider option;
  option.initFrom(q);
  option.minimum = q->minimum();
  option.maximum = q->maximum();
  option.sliderPosition = q->value();
  option.orientation = Qt::Horizontal;
  QRect handle = q->style()->subControlRect(QStyle::CC_Slider, &option,
                                            QStyle::SC_SliderHandle, q);
  QPoint handle_centre = q->mapToParent(handle.center());
  EXPECT_LE(readout()->geometry().bottom(), q->geometry().top());
  EXPECT_NEAR(readout()->geometry().center().x(), handle_centre.x(), 1);
  // A value set by code, or by the keyboard, shows too.
  q->setFocus();
  QTest::keyClick(q, Qt::Key_Right);
  EXPECT_EQ(slider.Value(), 5);
  EXPECT_EQ(readout()->text(), "5");
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(q, &leave);
  EXPECT_EQ(readout(), nullptr);
  // Held by the handle, it shows while the mouse is elsewhere.
  q->setSliderDown(true);
  slider.SetValue(9);
  ASSERT_NE(readout(), nullptr);
  EXPECT_EQ(readout()->text(), "9");
  q->setSliderDown(false);
  EXPECT_EQ(readout(), nullptr);
  EXPECT_EQ(q->toolTip(), "Smoothing level");
}

TEST_F(WidgetViewTest, AStepButtonIsDimmedAtItsBound) {
  auto& field = tree_.Get<UpDownText>("txtCount");
  auto buttons = view_->Find("txtCount")->findChildren<QToolButton*>();
  ASSERT_EQ(buttons.size(), 2);
  QToolButton* up =
      buttons[0]->arrowType() == Qt::UpArrow ? buttons[0] : buttons[1];
  QToolButton* down = up == buttons[0] ? buttons[1] : buttons[0];
  QTest::mouseClick(up, Qt::LeftButton);
  QTest::mouseClick(up, Qt::LeftButton);  // 10 is the maximum
  EXPECT_EQ(field.Text(), "10");
  EXPECT_FALSE(up->isEnabled());
  QTest::mouseClick(down, Qt::LeftButton);
  EXPECT_TRUE(up->isEnabled());
  EXPECT_EQ(Q<QLineEdit>("txtCount")->text(), "7.5");
  field.SetText("0");
  EXPECT_FALSE(down->isEnabled());
}

// (A text field handing Copy, Cut and Paste to the host with its selection
// is shown end to end by properties_widget_test.)
TEST_F(WidgetViewTest, KeysReachTheHostFromTheFormNotFromACheckBox) {
  std::vector<std::string> keys;
  view_->on_key_down = [&](Integer code, Integer shift) {
    keys.push_back(std::to_string(code) + "/" + std::to_string(shift));
  };
  auto* box = Q<QCheckBox>("chkHide");
  box->setFocus();
  // Over a check box Ctrl+C copies nothing and must not empty the clipboard.
  QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
  EXPECT_TRUE(keys.empty());
  QWidget* form = view_->RootWidget();
  form->setFocus();
  QTest::keyClick(form, Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(form, Qt::Key_X, Qt::ShiftModifier);
  EXPECT_THAT(keys, ElementsAre("86/2", "88/1"));
}

// (Its clicks are pinned by the input rules on the Qt front end.)
TEST_F(WidgetViewTest, APictureBoxShowsItsColour) {
  auto& swatch = tree_.Get<PictureBox>("picSwatch");
  swatch.SetBackColor(0x0000FF);
  QWidget* q = view_->Find("picSwatch");
  QImage shot = q->grab().toImage();
  EXPECT_EQ(shot.pixelColor(q->width() / 2, q->height() / 2),
            QColor(255, 0, 0));
}

TEST_F(WidgetViewTest, AccessibleNamesComeFromCaptionsAndLabels) {
  struct Case {
    const char* name;
    const char* accessible;
  };
  const Case cases[] = {
      {"chkHide", "Hide"},    // caption without its mnemonic
      {"txtCount", "Count"},  // the label on its left, without the colon
      {"sldLevel", "Level"},
      {"cboMode", "Draw mode"},  // no label: its tool tip
      {"txtName(0)", "Name 1"},  // two fields beside one label
      {"txtName(1)", "Name 2"},
      {"msgGrid", "Materials"},  // the label above it
      {"picSwatch", "Swatch"},   // nothing better: its name, readable
  };
  for (const Case& c : cases) {
    EXPECT_EQ(view_->Find(c.name)->accessibleName().toStdString(), c.accessible)
        << c.name;
  }
  tree_.GetWidget("lblLevel").SetCaption("Smoothing level");
  EXPECT_EQ(view_->Find("sldLevel")->accessibleName(), "Smoothing level");
  // The line edit inside an up-down field speaks for the field.
  EXPECT_EQ(Q<QLineEdit>("txtCount")->accessibleName(), "Count");
  EXPECT_EQ(view_->ModelOf(Q<QLineEdit>("txtCount")), tree_.Find("txtCount"));
  // An image list is never on screen, even when the model says it is
  // visible.
  EXPECT_EQ(view_->ViewOf(tree_.GetWidget("ilsImages")), nullptr);
  auto* images = view_->RootWidget()->findChild<QWidget*>("ilsImages");
  ASSERT_NE(images, nullptr);
  EXPECT_FALSE(images->isVisible());
  tree_.GetWidget("ilsImages").SetVisible(true);
  view_->Flush();
  EXPECT_FALSE(images->isVisible());
  EXPECT_EQ(ReadableName(tree_.GetWidget("ilsImages")), "Images");
  EXPECT_EQ(PlainCaption("Salt && Pepper"), "Salt & Pepper");
}

TEST_F(WidgetViewTest, ACaptionTooLongForItsBoxTakesTheRoomUpToTheNextWidget) {
  auto& hide = tree_.Get<CheckBox>("chkHide");
  // Alone on its line: the caption gets all the room it needs.
  hide.SetCaption("Hide everything that is selected");
  QWidget* q = view_->Find("chkHide");
  EXPECT_GE(q->width(), q->sizeHint().width());
  // A neighbour on the same line, created later and mirrored at once, stops
  // it short of the neighbour.
  const WidgetSpec neighbour[] = {{.kind = K::kButton,
                                   .name = "cmdNext",
                                   .parent = "fraMain",
                                   .left = 1800,
                                   .top = 285,
                                   .width = 900,
                                   .height = 280,
                                   .caption = "Next"}};
  tree_.Build(neighbour);
  EXPECT_LT(q->geometry().right(), view_->Find("cmdNext")->geometry().left());
  EXPECT_GE(q->width(), 87);  // never narrower than designed
  // The neighbour gone, the room comes back.
  tree_.GetWidget("cmdNext").SetVisible(false);
  EXPECT_GE(q->width(), q->sizeHint().width());
}

// A button whose view fails on demand in each of the places the view calls
// it from: a sync, a build, a deferred refresh, the resync after input.
class FailingButtonView final : public QPushButton, public ViewBase {
 public:
  FailingButtonView(WidgetView& owner, Widget& model, QWidget* parent,
                    bool fail_build)
      : QPushButton(parent), ViewBase(owner, model), fail_sync(fail_build) {
    connect(this, &QPushButton::clicked, [this] {
      owner_.Act(model_, [this] { UserInput::Click(model_); });
    });
  }
  QWidget* Q() override { return this; }
  void Sync(WidgetProperty property) override {
    if (fail_sync) RaiseError(6);
    if (property == WidgetProperty::kCaption) owner_.ScheduleFlush(this);
    SyncCommon(property);
  }
  void Refresh() override {
    if (fail_refresh) RaiseError(7);
  }
  void Resync() override {
    if (fail_resync) RaiseError(9);
  }
  bool fail_sync = false;
  bool fail_refresh = false;
  bool fail_resync = false;
};

class FailingViewTest : public WidgetViewTest {
 protected:
  FailingViewTest() {
    factory_ = [this](WidgetView& owner, Widget& model,
                      QWidget* parent) -> ViewBase* {
      if (model.Kind() != K::kButton) return nullptr;
      auto* view = new FailingButtonView(owner, model, parent,
                                         model.Name() == "cmdLate");
      failing_[model.Name()] = view;
      return view;
    };
  }
  // Input that must still reach the model after any failure.
  void ExpectInputStillWorks() {
    auto& box = tree_.Get<CheckBox>("chkHide");
    Integer before = box.Value();
    QTest::mouseClick(Q<QCheckBox>("chkHide"), Qt::LeftButton);
    EXPECT_EQ(box.Value(), before == 1 ? 0 : 1);
  }
  std::map<std::string, FailingButtonView*> failing_;
};

TEST_F(FailingViewTest, AFailureWhileTheViewCopiesTheModelLeavesInputWorking) {
  struct Case {
    const char* what;
    std::function<void()> fail;
    Long number;
  };
  const Case cases[] = {
      {"sync",
       [&] {
         failing_["cmdGo"]->fail_sync = true;
         tree_.GetWidget("cmdGo").SetCaption("Stop");
       },
       6},
      {"build",
       [&] {
         const WidgetSpec late[] = {{.kind = K::kButton,
                                     .name = "cmdLate",
                                     .parent = "fraMain",
                                     .width = 600,
                                     .height = 300}};
         tree_.Build(late);
       },
       6},
      {"refresh",
       [&] {
         failing_["cmdGo"]->fail_sync = false;
         failing_["cmdGo"]->fail_refresh = true;
         tree_.GetWidget("cmdGo").SetCaption("Again");
         view_->Flush();
       },
       7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // The failure reaches the code that changed the model, as any failure
    // of an observer does.
    try {
      c.fail();
      ADD_FAILURE() << "no error";
    } catch (const Error& error) {
      EXPECT_EQ(error.Number(), c.number);
    }
    ExpectInputStillWorks();
  }
  EXPECT_TRUE(errors_.empty());
}

TEST_F(FailingViewTest, AFailureShowingTheResultOfInputGoesToTheErrorCallback) {
  int clicks = 0;
  tree_.Get<Button>("cmdGo").on_click = [&] { ++clicks; };
  failing_["cmdGo"]->fail_resync = true;
  QTest::mouseClick(failing_["cmdGo"], Qt::LeftButton);
  EXPECT_EQ(clicks, 1);
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_EQ(errors_[0].Number(), 9);
  ExpectInputStillWorks();
  // The failing view's own input still arrives too.
  failing_["cmdGo"]->fail_resync = false;
  QTest::mouseClick(failing_["cmdGo"], Qt::LeftButton);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(errors_.size(), 1u);
}

}  // namespace
}  // namespace morvel::qt
