#ifndef MORVEL_WIDGETS_WIDGET_H_
#define MORVEL_WIDGETS_WIDGET_H_

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/types.h"

// The headless retained widget tree the panel is built from. It carries the
// state and the notification rules of the controls the panel was designed
// for, and nothing of any toolkit: views (the Qt adapter, the text dump)
// observe it through WidgetObserver, and a person's input arrives through
// UserInput, which refuses what a person could not reach.
namespace morvel {

class WidgetTree;

enum class WidgetKind {
  kForm,  // a top-level window: the panel itself, the warning dialog
  kFrame,
  kLabel,
  kCheckBox,  // Value 0 cleared, 1 checked, 2 grey (mixed)
  kComboBox,  // a drop-down list
  kButton,
  kPictureBox,
  kSlider,
  kUpDownText,  // the maker's numeric up-down field
  kTextField,   // the maker's text field: key filter, committed value
  kTextBox,     // a plain text box
  kFlexGrid,    // the maker's grid
  kImageList,   // pictures only, never on screen
};

// Name of a kind as the text dump and the scenario runner print it
// ("Frame", "CheckBox", ...).
std::string_view KindName(WidgetKind kind);

// What changed, for observers. Views refresh that aspect of the widget.
enum class WidgetProperty {
  kGeometry,  // Left, Top, Width, Height
  kVisible,
  kEnabled,
  kCaption,
  kToolTip,
  kValue,      // check box value, slider position, list index
  kRange,      // slider or up-down bounds, steps, decimals
  kItems,      // combo-box items
  kText,       // text of a field or text box
  kSelection,  // SelStart / SelLength of a text
  kBackColor,
  kPicture,
  kGrid,         // any grid structure or cell change (Rows, Cols, sizes, cells)
  kCurrentCell,  // the grid's Row / Col
  kRedraw,
  kFocus,
  kChildren,
};

class Widget;

class WidgetObserver {
 public:
  virtual ~WidgetObserver() = default;
  virtual void OnWidgetChanged(Widget& widget, WidgetProperty property) = 0;
};

// Common state of every widget. Positions and sizes are in twips.
class Widget {
 public:
  Widget(WidgetTree& tree, WidgetKind kind, std::string name, int index,
         Widget* parent);
  virtual ~Widget();
  Widget(const Widget&) = delete;
  Widget& operator=(const Widget&) = delete;

  WidgetKind Kind() const { return kind_; }
  const std::string& Name() const { return name_; }
  // Position in a control array, -1 for a widget that is not an element.
  int Index() const { return index_; }
  // "txtNumClones(0)" for an array element, else the name.
  std::string DisplayName() const;

  Widget* Parent() const { return parent_; }
  const std::vector<Widget*>& Children() const { return children_; }
  WidgetTree& Tree() const { return tree_; }

  Long Left() const { return left_; }
  Long Top() const { return top_; }
  Long Width() const { return width_; }
  Long Height() const { return height_; }
  void SetLeft(Long value);
  void SetTop(Long value);
  void SetWidth(Long value);   // negative raises 380
  void SetHeight(Long value);  // negative raises 380
  void Move(Long left, Long top, Long width, Long height);

  bool Visible() const { return visible_; }
  bool Enabled() const { return enabled_; }
  void SetVisible(bool value);
  void SetEnabled(bool value);
  // Visible and enabled, including every ancestor: what a person can reach.
  bool IsShown() const;
  bool IsUsable() const;

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string value);
  const std::string& ToolTip() const { return tool_tip_; }
  void SetToolTip(std::string value);

  // Generic property access by name for tools (the scenario runner's
  // `expect widget`, the text dump): "Left", "Caption", "Value", "List",
  // "ColWidth" ... `arg` is the index of an indexed property (List(I)).
  // Returns nullopt when this kind has no such property; raises 9 when the
  // index is out of range and 450 when an indexed property gets no index.
  // Names compare without regard to case, as the platform's do. Booleans
  // print "True"/"False", numbers as plain decimal text.
  virtual std::optional<std::string> Property(std::string_view name,
                                              std::optional<Long> arg) const;

  // One line of the text dump: name, kind, rectangle, state, kind values.
  std::string DumpLine() const;

  // Whether a person's click or typing moves the keyboard focus here (buttons,
  // check boxes, lists, sliders, text widgets, the grid). Labels, frames,
  // picture boxes and image lists never take the focus.
  bool CanFocus() const;

 protected:
  // Tells the tree's observers that `property` changed.
  void Notify(WidgetProperty property);
  // Kind-specific part of the dump line ("Value=1", "Text=\"2.0\"").
  virtual std::string DumpDetails() const { return {}; }

 private:
  friend class WidgetTree;
  WidgetTree& tree_;
  WidgetKind kind_;
  std::string name_;
  int index_;
  Widget* parent_;
  std::vector<Widget*> children_;
  Long left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  std::string caption_;
  std::string tool_tip_;
};

class Frame : public Widget {
 public:
  using Widget::Widget;
};

class Label : public Widget {
 public:
  using Widget::Widget;
};

// Also the top-level window (the panel, the warning dialog).
class Form : public Widget {
 public:
  using Widget::Widget;
  // The picture or icon shown by the form, as a picture description.
  const std::string& Icon() const { return icon_; }
  void SetIcon(std::string description);
  std::optional<std::string> Property(std::string_view name,
                                      std::optional<Long> arg) const override;

 protected:
  std::string DumpDetails() const override;

 private:
  std::string icon_;
};

class Button : public Widget {
 public:
  using Widget::Widget;
  std::function<void()> on_click;
  // Raises Click as a press of the button would.
  void Click();
};

class PictureBox : public Widget {
 public:
  using Widget::Widget;
  Colour BackColor() const { return back_color_; }
  void SetBackColor(Colour value);
  // A picture description: "image:N", "thumbnail:PATH:SIZE", or empty.
  const std::string& Picture() const { return picture_; }
  void SetPicture(std::string description);
  std::function<void()> on_click;
  void Click();
  std::optional<std::string> Property(std::string_view name,
                                      std::optional<Long> arg) const override;

 protected:
  std::string DumpDetails() const override;

 private:
  Colour back_color_ = 0x8000000F;  // the system's button face colour
  std::string picture_;
};

// Value 0, 1 or 2; anything else raises 380. Click is raised whenever the
// value changes, by code or by the user; never when it is set to what it
// already is.
class CheckBox : public Widget {
 public:
  using Widget::Widget;
  Integer Value() const { return value_; }
  void SetValue(Integer value);
  std::function<void()> on_click;
  std::optional<std::string> Property(std::string_view name,
                                      std::optional<Long> arg) const override;

 protected:
  std::string DumpDetails() const override;

 private:
  Integer value_ = 0;
};

// A drop-down list. ListIndex -1 means no entry; setting it outside
// -1..ListCount-1 raises 380. Click is raised whenever the index changes, by
// code or by the user.
class ComboBox : public Widget {
 public:
  using Widget::Widget;
  Long ListCount() const { return static_cast<Long>(items_.size()); }
  // Raises 9 "Subscript out of range" outside 0..ListCount-1.
  const std::string& List(Long index) const;
  const std::vector<std::string>& Items() const { return items_; }
  // Inserts at `index` (0..ListCount), or appends when none is given;
  // another index raises 5. The selected entry stays selected.
  void AddItem(std::string text, std::optional<Long> index = std::nullopt);
  // Removes entry `index` (5 outside the list). Removing the selected entry
  // leaves no entry selected (ListIndex -1), without a Click.
  void RemoveItem(Long index);
  // Empties the list; ListIndex becomes -1 without a Click.
  void Clear();
  Long ListIndex() const { return list_index_; }
  void SetListIndex(Long index);
  std::function<void()> on_click;
  std::optional<std::string> Property(std::string_view name,
                                      std::optional<Long> arg) const override;

 protected:
  std::string DumpDetails() const override;

 private:
  std::vector<std::string> items_;
  Long list_index_ = -1;
};

// Position within Min..Max (either order); a value outside raises 380.
// Change is raised whenever the position changes, also when code sets it.
class Slider : public Widget {
 public:
  using Widget::Widget;
  Long Min() const { return min_; }
  Long Max() const { return max_; }
  Long SmallChange() const { return small_change_; }
  Long LargeChange() const { return large_change_; }
  Long TickFrequency() const { return tick_frequency_; }
  Long Value() const { return value_; }
  // Sets the range; the position is brought inside it (raising Change when
  // that moves it).
  void SetRange(Long min, Long max);
  void SetSmallChange(Long value);
  void SetLargeChange(Long value);
  void SetTickFrequency(Long value);
  void SetValue(Long value);
  std::function<void()> on_change;
  std::optional<std::string> Property(std::string_view name,
                                      std::optional<Long> arg) const override;

 protected:
  std::string DumpDetails() const override;

 private:
  Long min_ = 0, max_ = 10;
  Long small_change_ = 1, large_change_ = 5, tick_frequency_ = 1;
  Long value_ = 0;
};

// The text part shared by the up-down field, the text field and the plain
// text box: the text, its selection, and the key filter.
//
// The two fields that report a committed value (the up-down field and the
// text field) never lose what a person changed: a text the person edited
// (typing, a paste or a cut, any other editing) is committed as on Enter
// when the field loses the focus, and Escape puts back the text the panel
// last set or the person last committed. A plain text box has no commit of
// its own: whoever handles its LostFocus reads it.
class TextWidget : public Widget {
 public:
  using Widget::Widget;
  const std::string& Text() const { return text_; }
  // Sets the text as code would (selection collapses to the end). Raises
  // Change when the text differs. The text set is the committed text.
  void SetText(std::string value);
  // The text the panel last set or the person last committed.
  const std::string& CommittedText() const { return committed_text_; }
  // Whether the person changed the text since it was set or committed.
  bool Edited() const { return text_ != committed_text_; }
  // Whether this kind reports a committed value (up-down and text fields).
  virtual bool Commits() const { return false; }
  // The person committed the text (Enter): the field reports its value.
  // Nothing for a plain text box.
  virtual void CommitText() {}
  // Escape: the committed text comes back (Change when it differs), with
  // the caret at its end. Nothing for a plain text box.
  void RevertText();
  // A person's edit that is no typed key (a deletion, an undo of the line
  // editor): the new text with the caret at `caret`. Raises Change when the
  // text differs.
  void EditText(std::string value, Long caret);
  // Selection in characters (not bytes of the UTF-8 text).
  Long SelStart() const { return sel_start_; }
  Long SelLength() const { return sel_length_; }
  // Clamped to the text; negative raises 380.
  void SetSelection(Long start, Long length);
  std::string SelectedText() const;
  // Replaces the selection by `text` and leaves the caret after it; raises
  // Change when the text differs.
  void SetSelectedText(std::string_view text);
  // Gets each typed character (its code, by reference) and may zero it to
  // drop the key.
  std::function<void(Integer& key_ascii)> on_key_press;
  std::function<void()> on_change;
  std::function<void()> on_got_focus;
  std::function<void()> on_lost_focus;
  std::optional<std::string> Property(std::string_view name,
                                      std::optional<Long> arg) const override;

 protected:
  std::string DumpDetails() const override;
  // The text as it stands is the committed text.
  void MarkCommitted() { committed_text_ = text_; }

 private:
  std::string text_;
  std::string committed_text_;
  Long sel_start_ = 0, sel_length_ = 0;
};

// The maker's numeric up-down field. The panel answers Activated by calling
// SelectValueText; ValueCommitted says the user committed the text.
class UpDownText : public TextWidget {
 public:
  using TextWidget::TextWidget;
  double MinValue() const { return min_value_; }
  double MaxValue() const { return max_value_; }
  double Increment() const { return increment_; }
  Long MaxDecimalPlaces() const { return max_decimal_places_; }
  double DefaultValue() const { return default_value_; }
  void SetMinValue(double value);
  void SetMaxValue(double value);
  void SetIncrement(double value);
  void SetMaxDecimalPlaces(Long value);  // 0..15, else 380
  void SetDefaultValue(double value);
  // Selects the whole text, so the next typed key replaces it.
  void SelectValueText();
  bool Commits() const override { return true; }
  // The user committed the text: a number is brought inside MinValue..MaxValue
  // and rounded to MaxDecimalPlaces (the text is rewritten only when that
  // changes it), then ValueCommitted is raised. A text that is not a number
  // is left as typed, so the editor that reads it reports the failure.
  void CommitText() override;
  // Moves the value one Increment up (+1) or down (-1) within the bounds, as
  // the step buttons do, and commits it.
  void Step(int direction);
  std::function<void()> on_value_committed;
  std::function<void()> on_activated;
  std::optional<std::string> Property(std::string_view name,
                                      std::optional<Long> arg) const override;

 private:
  double min_value_ = 0, max_value_ = 100, increment_ = 1;
  Long max_decimal_places_ = 0;
  double default_value_ = 0;
};

// The maker's text field: reports a committed value with its element index.
class TextField : public TextWidget {
 public:
  using TextWidget::TextWidget;
  bool Commits() const override { return true; }
  // The user committed the text: ValueCommitted with the element index.
  void CommitText() override;
  std::function<void(int index)> on_value_committed;
};

// A plain text box.
class TextBox : public TextWidget {
 public:
  using TextWidget::TextWidget;
};

// The maker's grid. Row 0.. and column 0..; the current cell (Row, Col)
// addresses Text, CellBackColor, CellAlignment and CellPicture. Setting Row
// or Col outside Rows/Cols, or a bad count, size or alignment, raises 380
// "Invalid property value"; an indexed property (ColWidth, RowHeight, ColPos,
// RowPos, TextMatrix and the cell readers) outside Rows/Cols raises 9
// "Subscript out of range".
class FlexGrid : public Widget {
 public:
  FlexGrid(WidgetTree& tree, WidgetKind kind, std::string name, int index,
           Widget* parent);

  Long Rows() const { return rows_; }
  Long Cols() const { return cols_; }
  void SetRows(Long rows);  // keeps the cells that remain
  void SetCols(Long cols);
  Long FixedRows() const { return fixed_rows_; }
  Long FixedCols() const { return fixed_cols_; }
  void SetFixedRows(Long value);
  void SetFixedCols(Long value);
  Long Row() const { return row_; }
  Long Col() const { return col_; }
  void SetRow(Long row);
  void SetCol(Long col);
  // Empties every cell (texts, pictures, colours, alignment); keeps Rows,
  // Cols and sizes.
  void Clear();

  // The current cell.
  const std::string& Text() const;
  void SetText(std::string value);
  Colour CellBackColor() const;  // 0 until set (the grid's default shows)
  void SetCellBackColor(Colour value);
  Integer CellAlignment() const;
  void SetCellAlignment(Integer value);
  const std::string& CellPicture() const;  // picture description
  void SetCellPicture(std::string description);

  // Any cell, for views and tools (no current-cell change).
  const std::string& TextMatrix(Long row, Long col) const;
  void SetTextMatrix(Long row, Long col, std::string value);
  Colour CellBackColorAt(Long row, Long col) const;
  // Whether the cell's colour was set: a cell set to 0 is black, one never
  // set (or cleared) shows the grid's default, though both read 0.
  bool CellBackColorSetAt(Long row, Long col) const;
  Integer CellAlignmentAt(Long row, Long col) const;
  const std::string& CellPictureAt(Long row, Long col) const;

  Long ColWidth(Long col) const;
  void SetColWidth(Long col, Long twips);
  Long RowHeight(Long row) const;
  void SetRowHeight(Long row, Long twips);
  // Left edge of a column / top edge of a row, relative to the grid's
  // corner as the grid is scrolled: what an editor laid over a cell needs.
  // A column or row scrolled out of view has a negative position.
  Long ColPos(Long col) const;
  Long RowPos(Long row) const;
  // The scroll position: the first column and row after the fixed ones
  // that are in view. A view sets them as a person scrolls (raising
  // kCurrentCell); Clear scrolls back home.
  Long LeftCol() const { return fixed_cols_ + scrolled_cols_; }
  Long TopRow() const { return fixed_rows_ + scrolled_rows_; }
  void SetLeftCol(Long col);
  void SetTopRow(Long row);

  bool Redraw() const { return redraw_; }
  void SetRedraw(bool value);

  // The cell of the latest kGrid notification, so a view can refresh one
  // cell; both -1 when the structure or every cell changed.
  Long ChangedRow() const { return changed_row_; }
  Long ChangedCol() const { return changed_col_; }

  // The user clicked a cell: the grid makes it current, then raises this.
  std::function<void()> on_cell_clicked;
  std::optional<std::string> Property(std::string_view name,
                                      std::optional<Long> arg) const override;

 protected:
  std::string DumpDetails() const override;

 private:
  // A grid holds many cells (a row per material), so a cell stays small:
  // its picture is an index into the grid's table of distinct pictures (a
  // handful: the header icons and one thumbnail per map file), 0 for none.
  struct Cell {
    std::string text;
    std::uint32_t picture = 0;
    Colour back_color = 0;
    Integer alignment = 0;
    bool back_color_set = false;
  };
  const std::string& PictureText(std::uint32_t picture) const {
    return *pictures_[picture];
  }
  std::uint32_t PictureId(std::string&& description);
  // Keeps the memory in step with the grid: a grid that shrank to a
  // fraction of what it held gives the rest back.
  void FitMemory();
  Cell& At(Long row, Long col);
  const Cell& At(Long row, Long col) const;
  void CheckRow(Long row) const;
  void CheckCol(Long col) const;
  Cell& Current();
  const Cell& Current() const;
  void NotifyCell(Long row, Long col);
  void NotifyStructure();
  void Resize(Long rows, Long cols);
  // Keeps the scroll position inside the scrollable part.
  void ClampScroll();

  Long rows_ = 2, cols_ = 2, fixed_rows_ = 1, fixed_cols_ = 1;
  Long row_ = 1, col_ = 1;
  // Non-fixed columns and rows scrolled out of view.
  Long scrolled_cols_ = 0, scrolled_rows_ = 0;
  bool redraw_ = true;
  std::vector<Cell> cells_;  // rows_ * cols_, row-major
  // The distinct pictures, by id; id 0 is no picture. The map's keys own
  // the texts; the ids point at them. Clear, which leaves no cell with a
  // picture, empties the table.
  std::unordered_map<std::string, std::uint32_t> picture_ids_;
  std::vector<const std::string*> pictures_;
  std::vector<Long> col_widths_;
  std::vector<Long> row_heights_;
  Long changed_row_ = -1, changed_col_ = -1;
};

// Pictures by 1-based index; never shown itself.
class ImageList : public Widget {
 public:
  using Widget::Widget;
  void Add(std::string description);
  Long Count() const { return static_cast<Long>(images_.size()); }
  // "image:N"; 35600 "Index out of bounds" outside 1..Count.
  const std::string& ListImage(Long index) const;
  std::optional<std::string> Property(std::string_view name,
                                      std::optional<Long> arg) const override;

 protected:
  std::string DumpDetails() const override;

 private:
  std::vector<std::string> images_;
};

// Declarative description of one widget, for the per-section layout tables.
// Unused settings keep their defaults. The tables are made from layout files
// (docs/layout-files.md) whose keys are these fields: the generator
// (cmake/MorvelLayout.cmake) reads this declaration, and WidgetKind, for the
// names, types and order, and which fields must be given (those without a
// default); it refuses a field of a type it does not know.
struct WidgetSpec {
  WidgetKind kind;
  const char* name;
  int index = -1;           // element of a control array when >= 0
  const char* parent = "";  // name of the parent (with "(i)" for elements)
  Long left = 0, top = 0, width = 0, height = 0;
  const char* caption = "";
  const char* tooltip = "";
  // Slider: Min/Max (kept at the slider's 0..10 when both are 0, otherwise
  // rounded; the position is brought inside), SmallChange/LargeChange,
  // TickFrequency (kept at 1 when 0).
  // Up-down field: MinValue/MaxValue (kept at 0..100 when both are 0),
  // Increment (small_change), decimals.
  double min = 0, max = 0;
  double small_change = 1, large_change = 1;
  Long tick = 0;
  Long decimals = 0;
  const char* text = "";  // initial text of a field
  bool enabled = true;
  bool visible = true;
  // Up-down field: DefaultValue.
  double default_value = 0;
};

// Owns every widget of one window; lookups by name and index.
class WidgetTree {
 public:
  WidgetTree();
  ~WidgetTree();
  WidgetTree(const WidgetTree&) = delete;
  WidgetTree& operator=(const WidgetTree&) = delete;

  // Creates a widget; `parent` may be null only for the root form. A second
  // widget with the same name and index raises 5.
  Widget& Create(WidgetKind kind, std::string name, int index, Widget* parent);
  template <class T>
  T& Create(WidgetKind kind, std::string name, int index, Widget* parent) {
    return static_cast<T&>(Create(kind, std::move(name), index, parent));
  }
  // Builds the widgets of a layout table, in order (parents first).
  void Build(const WidgetSpec* specs, std::size_t count);
  template <std::size_t N>
  void Build(const WidgetSpec (&specs)[N]) {
    Build(specs, N);
  }

  // Null when absent.
  Widget* Find(std::string_view name, int index = -1) const;
  // "txtNumClones(0)" or "fraGeneral".
  Widget* FindByDisplayName(std::string_view display_name) const;
  // Raises 9 when absent, 13 when the kind does not match T.
  template <class T>
  T& Get(std::string_view name, int index = -1) const {
    Widget& w = GetWidget(name, index);
    T* typed = dynamic_cast<T*>(&w);
    if (!typed) RaiseWrongKind(w);
    return *typed;
  }
  Widget& GetWidget(std::string_view name, int index = -1) const;
  // Elements of a control array, by index.
  std::vector<Widget*> Array(std::string_view name) const;

  Widget* Root() const { return root_; }
  const std::vector<std::unique_ptr<Widget>>& All() const { return widgets_; }

  // The widget with the focus (the container's focused child), or null.
  Widget* Focused() const { return focused_; }
  // Moves the focus, raising LostFocus on the old and GotFocus on the new
  // text widget (observers get kFocus on both first). A field the person
  // edited and can still reach commits its text just before its LostFocus.
  // The focus has moved before any handler runs; a handler that moves it
  // again wins, and the new widget then gets no GotFocus. A failing commit
  // leaves the focus moved and both focus handlers run, then its error
  // reaches the caller. Nothing happens when `widget` already has the focus.
  void SetFocus(Widget* widget);

  void AddObserver(WidgetObserver* observer);
  void RemoveObserver(WidgetObserver* observer);
  void Notify(Widget& widget, WidgetProperty property);

  // Text dump of `root` and its descendants, one indented line a widget.
  // With `shown_only`, only what a person would see: visible widgets whose
  // rectangle is at least partly inside the ancestors' client areas.
  std::string Dump(const Widget& root, bool shown_only = false) const;

 private:
  [[noreturn]] static void RaiseWrongKind(const Widget& widget);
  void ApplySpec(Widget& widget, const WidgetSpec& spec);

  // Lookup key: the name is a view of the widget's own name, which lives as
  // long as the widget.
  struct Key {
    std::string_view name;
    int index;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& key) const noexcept;
  };

  std::vector<std::unique_ptr<Widget>> widgets_;
  std::unordered_map<Key, Widget*, KeyHash> by_key_;
  // Whether a name is used by a control array (true) or a single widget.
  std::unordered_map<std::string_view, bool> name_is_array_;
  Widget* root_ = nullptr;
  Widget* focused_ = nullptr;
  std::vector<WidgetObserver*> observers_;
  int notify_depth_ = 0;
  bool observers_removed_ = false;
};

// Acts as a person would: refuses a widget that is hidden or disabled (itself
// or any ancestor) with error 5 and a description naming it ("cmdOK is
// disabled", "txtAngle is inside fraSmoothing, which is hidden"), and a value
// a person could not give (a slider position outside its range, no list
// entry, a grey check, a cell outside the grid or in its fixed rows and
// columns: 380). Refusals happen before anything changes. Clicking, typing
// into, moving, picking or activating a widget that can take the focus gives
// it the focus first, as the windowing system does: the widget that had it
// gets its LostFocus before the new widget's event. A handler's failure
// reaches the caller.
class UserInput {
 public:
  // Button, picture box, check box (0 -> 1, 1 -> 0, 2 -> 1); 5 for others.
  static void Click(Widget& widget);
  static void MoveSlider(Slider& slider, Long position);
  static void Pick(ComboBox& combo, Long index);
  static void Check(CheckBox& box, Integer value);
  // Types key by key; each key goes through the key filter, and a kept key
  // replaces the selection, then Change. A backspace (8) deletes the selection
  // or the character before the caret; an Escape (27) puts back the committed
  // text of a field that commits; other control keys insert nothing.
  // Typing stops when a handler disables or hides the field.
  static void Type(TextWidget& field, std::string_view text);
  // Edits the text by other means than typed keys (a deletion, the line
  // editor's own undo): the new text, the caret at `caret` characters.
  static void Edit(TextWidget& field, std::string text, Long caret);
  // Commits the edit in progress, as on Enter: the focused field, when the
  // person changed its text and can still reach it. A host calls it before
  // it acts on the whole scene (saves, undoes, sets the panel up), so that
  // the edit is part of it. Nothing when there is no such edit.
  static void CommitEdit(WidgetTree& tree);
  // Replaces the text (when given) and commits it: ValueCommitted for an
  // up-down field or text field; for a text box the focus leaves it.
  static void Commit(TextWidget& field, std::optional<std::string> text);
  static void Activate(UpDownText& field);
  // Presses the field's up (+1) or down (-1) step button.
  static void Step(UpDownText& field, int direction);
  // Gives the focus (5 for a widget that cannot take it: labels, frames,
  // picture boxes, image lists).
  static void Focus(Widget& widget);
  // Takes the focus away from `widget` if it has it. A click elsewhere never
  // touches the widget, so this is allowed even when it is hidden or disabled.
  static void Blur(Widget& widget);
  static void ClickCell(FlexGrid& grid, Long row, Long col);
};

}  // namespace morvel

#endif  // MORVEL_WIDGETS_WIDGET_H_
