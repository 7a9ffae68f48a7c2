#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "qt/pictures.h"
#include "qt/qt_testing.h"
#include "qt/views/view_base.h"
#include "qt/widget_view.h"
#include "widgets/widget.h"

namespace morvel::qt {
namespace {

using K = WidgetKind;
using ::testing::ElementsAre;

// The material frame of the panel, in twips at 15 twips a pixel: the grid
// six rows high and the in-place editor hidden in front of it.
// clang-format off
const WidgetSpec kLayout[] = {
    {.kind = K::kForm, .name = "Properties", .width = 4000, .height = 9735},
    {.kind = K::kFrame, .name = "fraMaterial", .parent = "Properties",
     .width = 50000, .height = 6000},
    {.kind = K::kLabel, .name = "Label", .index = 18, .parent = "fraMaterial",
     .left = 120, .width = 720, .height = 285, .caption = " Materials"},
    {.kind = K::kFlexGrid, .name = "msgMaterialAttributes",
     .parent = "fraMaterial", .left = 30, .top = 270, .width = 4045,
     .height = 3195},
    {.kind = K::kTextBox, .name = "txtMaterialAttributeEntry",
     .parent = "fraMaterial", .top = 270, .width = 1125, .height = 200,
     .visible = false},
};
// clang-format on

constexpr Colour kRed = 0x0000FF;

class MaterialGridViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    QImage wood(32, 32, QImage::Format_RGB32);
    wood.fill(QColor(0, 160, 0));
    ASSERT_TRUE(wood.save(folder_.filePath("wood.png")));
    tree_.Build(kLayout);
    view_ = std::make_unique<WidgetView>(tree_, *tree_.Root(), metrics_);
    view_->SetPictureFolder(folder_.path());
    view_->on_error = [this](const Error& error, const Widget*) {
      log_.push_back("error " + std::to_string(error.Number()));
    };
    ASSERT_TRUE(qt::testing::ShowActive(view_->RootWidget(), 267, 649));
  }
  void TearDown() override { view_.reset(); }

  FlexGrid& Grid() { return tree_.Get<FlexGrid>("msgMaterialAttributes"); }
  TextBox& Entry() { return tree_.Get<TextBox>("txtMaterialAttributeEntry"); }
  QTableView* Table() {
    return qobject_cast<QTableView*>(view_->Find("msgMaterialAttributes"));
  }
  // The screen rectangle of a cell (grid row and column) in the frame.
  QRect CellInFrame(Long row, Long col) {
    QTableView* table = Table();
    QRect cell = table->visualRect(table->model()->index(row - 1, col));
    return QRect(
        table->viewport()->mapTo(view_->Find("fraMaterial"), cell.topLeft()),
        cell.size());
  }

  // The header and `rows` materials, written as the material list writes
  // them: pictures 1-7 over the colour and map columns, the blend, the four
  // levels and one custom field.
  void Fill(Long rows) {
    FlexGrid& g = Grid();
    g.SetFixedCols(0);
    g.Clear();
    g.SetRedraw(false);
    g.SetRows(rows + 1);
    g.SetCols(13);
    g.SetRow(0);
    const char* texts[] = {"",         "",       "",      "%",       "",
                           "",         "",       "",      "Diffuse", "Ambient",
                           "Specular", "Trans.", "Shader"};
    int picture = 1;
    for (Long c = 0; c < 13; ++c) {
      g.SetCol(c);
      if (c <= 7 && c != 3)
        g.SetCellPicture("image:" + std::to_string(picture++));
      g.SetText(texts[c]);
      g.SetColWidth(c, c == 3 ? 390 : c < 8 ? 495 : c < 12 ? 750 : 1200);
    }
    g.SetRowHeight(0, 225);
    for (Long r = 1; r <= rows; ++r) {
      g.SetRowHeight(r, 495);
      g.SetRow(r);
      g.SetCol(0);
      g.SetCellBackColor(kRed);
      g.SetCol(1);
      g.SetCellPicture(r == 1 ? "thumbnail:wood.png:32" : "");
      g.SetTextMatrix(r, 3, "75");
      for (Long c = 8; c < 12; ++c) g.SetTextMatrix(r, c, std::to_string(r));
      g.SetTextMatrix(r, 12, "glossy");
    }
    g.SetRedraw(true);
    view_->Flush();
  }

  // What the panel does when a text cell is clicked: the editor laid over
  // the current cell, its text copied, the focus given to it.
  void ShowEditor(Long row, Long col) {
    FlexGrid& g = Grid();
    TextBox& box = Entry();
    g.SetRow(row);
    g.SetCol(col);
    box.Move(
        g.Left() + g.ColPos(col) + 60,
        g.Top() + g.RowPos(row) + g.RowHeight(row) / 2 - box.Height() / 2 + 15,
        g.ColWidth(col) - 60, box.Height());
    box.SetText(g.Text());
    box.SetVisible(true);
    tree_.SetFocus(&box);
  }
  // The panel's side of the edit: the whole text selected on focus, the
  // text taken and the editor hidden when the focus goes.
  void AnswerTheEditLikeThePanel() {
    TextBox& box = Entry();
    box.on_got_focus = [&box] {
      box.SetSelection(0, static_cast<Long>(box.Text().size()));
    };
    box.on_lost_focus = [this, &box] {
      log_.push_back("lost " + box.Text());
      box.SetVisible(false);
    };
    Grid().on_cell_clicked = [this] {
      log_.push_back("clicked " + std::to_string(Grid().Row()) + "," +
                     std::to_string(Grid().Col()));
    };
  }

  QTemporaryDir folder_;
  FixedScreenMetrics metrics_{15, 15};
  WidgetTree tree_;
  std::unique_ptr<WidgetView> view_;
  std::vector<std::string> log_;
};

TEST_F(MaterialGridViewTest, ShowsHeaderPicturesColoursAndThumbnails) {
  Fill(3);
  QTableView* table = Table();
  QHeaderView* header = table->horizontalHeader();
  // What a person sees: the colour cell in the material's colour, the map
  // cell with the map file (found beside the scene) drawn in it, and the
  // header pictures centred in their sections.
  QImage cells = table->viewport()->grab().toImage();
  auto centre = [&](Long row, Long col) {
    return cells.pixelColor(
        table->visualRect(table->model()->index(row - 1, col)).center());
  };
  EXPECT_EQ(centre(1, 0), QColor(255, 0, 0));
  EXPECT_EQ(centre(1, 1), QColor(0, 160, 0));
  EXPECT_NE(centre(2, 1), QColor(0, 160, 0));
  // A black material is black, not the grid's default white; a cell never
  // given a colour shows the default.
  Grid().SetRow(2);
  Grid().SetCol(0);
  Grid().SetCellBackColor(0);
  view_->Flush();
  cells = table->viewport()->grab().toImage();
  EXPECT_EQ(centre(2, 0), QColor(0, 0, 0));
  EXPECT_EQ(centre(2, 2), table->palette().color(QPalette::Base));
  QImage heading = header->grab().toImage();
  for (int section : {0, 1, 7}) {
    SCOPED_TRACE(section);
    int picture = section == 0 ? 1 : section == 1 ? 2 : 7;
    QColor drawn = heading.pixelColor(header->sectionViewportPosition(section) +
                                          header->sectionSize(section) / 2,
                                      heading.height() / 2);
    EXPECT_EQ(drawn, ImageListImage(picture).pixelColor(7, 7));
  }
  EXPECT_EQ(table->model()->headerData(8, Qt::Horizontal).toString(),
            "Diffuse");
  // One changed cell shows at once.
  Grid().SetTextMatrix(2, 8, "40");
  EXPECT_EQ(table->model()->data(table->model()->index(1, 8)).toString(), "40");
}

TEST(GridCellTextTest, AFigureIsNeverCutShort) {
  // The panel's font at 15 twips a pixel; the "%" column is 26 pixels wide.
  QFont font;
  font.setPixelSize(11);
  struct Case {
    const char* text;
    int width;
    bool whole;
  };
  const Case cases[] = {{"100", 26, true},
                        {"75", 26, true},
                        {"Specular", 50, true},
                        {"0.7853982", 26, false},
                        {"Glossy ceramic", 40, false}};
  for (const Case& c : cases) {
    QFont used = font;
    int margin = 0;
    QString shown = ShownCellText(used, c.text, c.width, margin);
    EXPECT_EQ(shown == c.text, c.whole) << c.text << " -> " << shown.toStdString();
    EXPECT_LE(QFontMetrics(used).horizontalAdvance(shown), c.width - 2 * margin)
        << c.text;
  }
}

TEST_F(MaterialGridViewTest, TheEditorSitsOverItsCellWhereverTheGridScrolled) {
  Fill(40);
  struct Case {
    const char* what;
    int rows_down, columns_right;
    Long row, col;
  };
  const Case cases[] = {
      {"not scrolled", 0, 0, 2, 3},
      {"both ways", 30, 6, 35, 10},
  };
  QTableView* table = Table();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    table->verticalScrollBar()->setValue(c.rows_down);
    table->horizontalScrollBar()->setValue(c.columns_right);
    // The grid knows what is in view.
    EXPECT_EQ(Grid().TopRow(), 1 + table->verticalScrollBar()->value());
    EXPECT_EQ(Grid().LeftCol(), table->horizontalScrollBar()->value());
    ShowEditor(c.row, c.col);
    QWidget* box = view_->Find("txtMaterialAttributeEntry");
    ASSERT_TRUE(box->isVisible());
    QRect cell = CellInFrame(c.row, c.col);
    ASSERT_TRUE(table->viewport()->rect().contains(
        table->visualRect(table->model()->index(c.row - 1, c.col))));
    EXPECT_TRUE(cell.contains(box->geometry().center()))
        << "cell " << cell.x() << "," << cell.y() << " box "
        << box->geometry().x() << "," << box->geometry().y();
    EXPECT_LE(box->width(), cell.width());
    EXPECT_GE(box->y(), cell.y());
    EXPECT_LE(box->geometry().bottom(), cell.bottom());
    // In front of the grid, with the keyboard.
    EXPECT_EQ(view_->Find("fraMaterial")->childAt(box->geometry().center()),
              box->findChild<QLineEdit*>());
    EXPECT_TRUE(box->findChild<QLineEdit*>()->hasFocus());
    Entry().SetVisible(false);
    tree_.SetFocus(nullptr);
  }
}

// (A click on another cell or beside the grid ending the edit is shown with
// real mouse events by the input rules and by properties_widget_test.)
TEST_F(MaterialGridViewTest, ScrollingTheGridEndsTheEditWithWhatWasTyped) {
  Fill(20);
  AnswerTheEditLikeThePanel();
  ShowEditor(2, 8);
  QLineEdit* edit =
      view_->Find("txtMaterialAttributeEntry")->findChild<QLineEdit*>();
  ASSERT_TRUE(edit->hasFocus());
  // The whole "2" is selected: typing replaces it.
  QTest::keyClicks(edit, "40");
  // Enter means nothing here; only leaving the editor ends the edit.
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_TRUE(log_.empty());
  Table()->verticalScrollBar()->triggerAction(
      QAbstractSlider::SliderSingleStepAdd);
  EXPECT_THAT(log_, ElementsAre("lost 40"));
  EXPECT_FALSE(edit->isVisible());
}

TEST_F(MaterialGridViewTest, WhileRedrawIsOffTheViewWaits) {
  Fill(2);
  QAbstractItemModel* model = Table()->model();
  Grid().SetRedraw(false);
  Grid().SetRows(6);
  view_->Flush();
  EXPECT_EQ(model->rowCount(), 2);
  Grid().SetRedraw(true);
  view_->Flush();
  EXPECT_EQ(model->rowCount(), 5);
}

TEST_F(MaterialGridViewTest,
       AHundredThousandRowsAreOneModelNotAHundredThousandWidgets) {
  Fill(100000);
  QTableView* table = Table();
  EXPECT_EQ(table->model()->rowCount(), 100000);
  QCoreApplication::processEvents();
  int children_before = table->findChildren<QWidget*>().size();
  QScrollBar* bar = table->verticalScrollBar();
  bar->setValue(bar->maximum() / 2);
  QCoreApplication::processEvents();
  EXPECT_EQ(table->findChildren<QWidget*>().size(), children_before);
  // The rows in view are the middle of the table, and the grid knows it.
  int first = table->rowAt(0);
  EXPECT_GT(first, 40000);
  EXPECT_LT(first, 60000);
  EXPECT_EQ(Grid().TopRow(), first + 1);
  // A new fill starts at the top again.
  Fill(3);
  EXPECT_EQ(bar->value(), 0);
  EXPECT_EQ(Grid().TopRow(), 1);
}

}  // namespace
}  // namespace morvel::qt
