#include <algorithm>
#include <cstring>
#include <limits>

#include "base/error.h"
#include "base/numbers.h"
#include "widgets/widget.h"
#include "widgets/widget_internal.h"

// The grid: cells, fixed rows and columns, sizes, scrolling, the current
// cell and the property printer's view of it.
namespace morvel {
namespace {

using namespace widget_internal;

// Sizes a grid starts with and returns to when a size of -1 is set, as the
// control's defaults (twips).
constexpr Long kDefaultColWidth = 960;
constexpr Long kDefaultRowHeight = 240;
// Beyond this many cells the grid refuses to grow: the panel shows at most a
// few ten thousand rows, and a runaway count must not exhaust memory.
constexpr long long kMaxGridCells = 2'000'000;
// A grid keeps the memory of this many cells however far it shrinks.
constexpr std::size_t kMinCellsKept = 4096;
const std::string kNoPicture;

}  // namespace

FlexGrid::FlexGrid(WidgetTree& tree, WidgetKind kind, std::string name,
                   int index, Widget* parent)
    : Widget(tree, kind, std::move(name), index, parent),
      cells_(static_cast<std::size_t>(rows_ * cols_)),
      pictures_{&kNoPicture},
      col_widths_(static_cast<std::size_t>(cols_), kDefaultColWidth),
      row_heights_(static_cast<std::size_t>(rows_), kDefaultRowHeight) {}

FlexGrid::Cell& FlexGrid::At(Long row, Long col) {
  return cells_[static_cast<std::size_t>(row) *
                    static_cast<std::size_t>(cols_) +
                static_cast<std::size_t>(col)];
}

const FlexGrid::Cell& FlexGrid::At(Long row, Long col) const {
  return cells_[static_cast<std::size_t>(row) *
                    static_cast<std::size_t>(cols_) +
                static_cast<std::size_t>(col)];
}

std::uint32_t FlexGrid::PictureId(std::string&& description) {
  if (description.empty()) return 0;
  auto [it, added] = picture_ids_.try_emplace(
      std::move(description), static_cast<std::uint32_t>(pictures_.size()));
  if (added) pictures_.push_back(&it->first);
  return it->second;
}

void FlexGrid::FitMemory() {
  // A quarter, so that a grid filled again to about its old size does not
  // give memory back and take it again each time.
  if (cells_.capacity() > kMinCellsKept &&
      cells_.size() < cells_.capacity() / 4) {
    cells_.shrink_to_fit();
  }
  if (row_heights_.capacity() > kMinCellsKept &&
      row_heights_.size() < row_heights_.capacity() / 4) {
    row_heights_.shrink_to_fit();
  }
}

void FlexGrid::CheckRow(Long row) const {
  if (row < 0 || row >= rows_) RaiseSubscript();
}

void FlexGrid::CheckCol(Long col) const {
  if (col < 0 || col >= cols_) RaiseSubscript();
}

FlexGrid::Cell& FlexGrid::Current() {
  CheckRow(row_);
  CheckCol(col_);
  return At(row_, col_);
}

const FlexGrid::Cell& FlexGrid::Current() const {
  CheckRow(row_);
  CheckCol(col_);
  return At(row_, col_);
}

void FlexGrid::NotifyCell(Long row, Long col) {
  changed_row_ = row;
  changed_col_ = col;
  Notify(WidgetProperty::kGrid);
}

void FlexGrid::NotifyStructure() {
  changed_row_ = -1;
  changed_col_ = -1;
  Notify(WidgetProperty::kGrid);
}

void FlexGrid::Resize(Long rows, Long cols) {
  if (rows < 0 || cols < 0) RaiseInvalidValue();
  if (static_cast<long long>(rows) * cols > kMaxGridCells) {
    RaiseError(kErrOutOfMemory);
  }
  if (rows == rows_ && cols == cols_) return;
  if (cols != cols_) {
    std::vector<Cell> moved(static_cast<std::size_t>(rows) *
                            static_cast<std::size_t>(cols));
    Long keep_rows = std::min(rows, rows_), keep_cols = std::min(cols, cols_);
    for (Long r = 0; r < keep_rows; ++r) {
      for (Long c = 0; c < keep_cols; ++c) {
        moved[static_cast<std::size_t>(r) * static_cast<std::size_t>(cols) +
              static_cast<std::size_t>(c)] = std::move(At(r, c));
      }
    }
    cells_ = std::move(moved);
    col_widths_.resize(static_cast<std::size_t>(cols), kDefaultColWidth);
  } else {
    cells_.resize(static_cast<std::size_t>(rows) *
                  static_cast<std::size_t>(cols));
  }
  row_heights_.resize(static_cast<std::size_t>(rows), kDefaultRowHeight);
  FitMemory();
  rows_ = rows;
  cols_ = cols;
  // The fixed part, the scroll position and the current cell stay inside
  // what is left.
  fixed_rows_ = std::min(fixed_rows_, rows_);
  fixed_cols_ = std::min(fixed_cols_, cols_);
  ClampScroll();
  Long row = std::clamp(row_, Long{0}, std::max(Long{0}, rows_ - 1));
  Long col = std::clamp(col_, Long{0}, std::max(Long{0}, cols_ - 1));
  NotifyStructure();
  if (row != row_ || col != col_) {
    row_ = row;
    col_ = col;
    Notify(WidgetProperty::kCurrentCell);
  }
}

void FlexGrid::SetRows(Long rows) { Resize(rows, cols_); }
void FlexGrid::SetCols(Long cols) { Resize(rows_, cols); }

void FlexGrid::SetFixedRows(Long value) {
  if (value < 0 || value > rows_) RaiseInvalidValue();
  if (value == fixed_rows_) return;
  fixed_rows_ = value;
  ClampScroll();
  NotifyStructure();
}

void FlexGrid::SetFixedCols(Long value) {
  if (value < 0 || value > cols_) RaiseInvalidValue();
  if (value == fixed_cols_) return;
  fixed_cols_ = value;
  ClampScroll();
  NotifyStructure();
}

void FlexGrid::SetRow(Long row) {
  if (row < 0 || row >= rows_) RaiseInvalidValue();
  if (row == row_) return;
  row_ = row;
  Notify(WidgetProperty::kCurrentCell);
}

void FlexGrid::SetCol(Long col) {
  if (col < 0 || col >= cols_) RaiseInvalidValue();
  if (col == col_) return;
  col_ = col;
  Notify(WidgetProperty::kCurrentCell);
}

void FlexGrid::ClampScroll() {
  scrolled_cols_ = std::clamp(scrolled_cols_, Long{0},
                              std::max(Long{0}, cols_ - fixed_cols_ - 1));
  scrolled_rows_ = std::clamp(scrolled_rows_, Long{0},
                              std::max(Long{0}, rows_ - fixed_rows_ - 1));
}

void FlexGrid::SetLeftCol(Long col) {
  if (col < fixed_cols_ || col >= cols_) RaiseInvalidValue();
  if (col == LeftCol()) return;
  scrolled_cols_ = col - fixed_cols_;
  Notify(WidgetProperty::kCurrentCell);
}

void FlexGrid::SetTopRow(Long row) {
  if (row < fixed_rows_ || row >= rows_) RaiseInvalidValue();
  if (row == TopRow()) return;
  scrolled_rows_ = row - fixed_rows_;
  Notify(WidgetProperty::kCurrentCell);
}

void FlexGrid::Clear() {
  bool scrolled = scrolled_cols_ != 0 || scrolled_rows_ != 0;
  scrolled_cols_ = scrolled_rows_ = 0;
  if (scrolled) Notify(WidgetProperty::kCurrentCell);
  bool changed = false;
  for (Cell& cell : cells_) {
    if (!cell.text.empty() || cell.picture != 0 || cell.back_color_set ||
        cell.alignment != 0) {
      cell = Cell{};
      changed = true;
    }
  }
  // No cell refers to a picture any more.
  picture_ids_.clear();
  pictures_.resize(1);
  if (changed) NotifyStructure();
}

const std::string& FlexGrid::Text() const { return Current().text; }

void FlexGrid::SetText(std::string value) {
  Cell& cell = Current();
  if (cell.text == value) return;
  cell.text = std::move(value);
  NotifyCell(row_, col_);
}

Colour FlexGrid::CellBackColor() const { return Current().back_color; }

void FlexGrid::SetCellBackColor(Colour value) {
  Cell& cell = Current();
  if (cell.back_color == value && cell.back_color_set) return;
  cell.back_color = value;
  cell.back_color_set = true;
  NotifyCell(row_, col_);
}

bool FlexGrid::CellBackColorSetAt(Long row, Long col) const {
  CheckRow(row);
  CheckCol(col);
  return At(row, col).back_color_set;
}

Integer FlexGrid::CellAlignment() const { return Current().alignment; }

void FlexGrid::SetCellAlignment(Integer value) {
  // The control's alignments: 0 left-top .. 8 right-bottom, 9 general.
  if (value < 0 || value > 9) RaiseInvalidValue();
  Cell& cell = Current();
  if (cell.alignment == value) return;
  cell.alignment = value;
  NotifyCell(row_, col_);
}

const std::string& FlexGrid::CellPicture() const {
  return PictureText(Current().picture);
}

void FlexGrid::SetCellPicture(std::string description) {
  Cell& cell = Current();
  std::uint32_t picture = PictureId(std::move(description));
  if (cell.picture == picture) return;
  cell.picture = picture;
  NotifyCell(row_, col_);
}

const std::string& FlexGrid::TextMatrix(Long row, Long col) const {
  CheckRow(row);
  CheckCol(col);
  return At(row, col).text;
}

void FlexGrid::SetTextMatrix(Long row, Long col, std::string value) {
  CheckRow(row);
  CheckCol(col);
  Cell& cell = At(row, col);
  if (cell.text == value) return;
  cell.text = std::move(value);
  NotifyCell(row, col);
}

Colour FlexGrid::CellBackColorAt(Long row, Long col) const {
  CheckRow(row);
  CheckCol(col);
  return At(row, col).back_color;
}

Integer FlexGrid::CellAlignmentAt(Long row, Long col) const {
  CheckRow(row);
  CheckCol(col);
  return At(row, col).alignment;
}

const std::string& FlexGrid::CellPictureAt(Long row, Long col) const {
  CheckRow(row);
  CheckCol(col);
  return PictureText(At(row, col).picture);
}

Long FlexGrid::ColWidth(Long col) const {
  CheckCol(col);
  return col_widths_[static_cast<std::size_t>(col)];
}

void FlexGrid::SetColWidth(Long col, Long twips) {
  CheckCol(col);
  // -1 restores the default width, as the control allows.
  if (twips == -1) twips = kDefaultColWidth;
  if (twips < 0) RaiseInvalidValue();
  Long& width = col_widths_[static_cast<std::size_t>(col)];
  if (width == twips) return;
  width = twips;
  NotifyStructure();
}

Long FlexGrid::RowHeight(Long row) const {
  CheckRow(row);
  return row_heights_[static_cast<std::size_t>(row)];
}

void FlexGrid::SetRowHeight(Long row, Long twips) {
  CheckRow(row);
  if (twips == -1) twips = kDefaultRowHeight;
  if (twips < 0) RaiseInvalidValue();
  Long& height = row_heights_[static_cast<std::size_t>(row)];
  if (height == twips) return;
  height = twips;
  NotifyStructure();
}

namespace {

// The edge of column or row `index` along one axis: the fixed ones stay in
// place, the others move back by what is scrolled out of view (`first` is
// the first one in view).
Long ScrolledPos(const std::vector<Long>& sizes, Long fixed, Long first,
                 Long index) {
  long long pos = 0;
  for (Long i = 0; i < std::min(index, fixed); ++i)
    pos += sizes[static_cast<std::size_t>(i)];
  if (index >= fixed) {
    for (Long i = first; i < index; ++i)
      pos += sizes[static_cast<std::size_t>(i)];
    for (Long i = index; i < first; ++i)
      pos -= sizes[static_cast<std::size_t>(i)];
  }
  if (pos > std::numeric_limits<Long>::max() ||
      pos < std::numeric_limits<Long>::min()) {
    RaiseError(kErrOverflow);
  }
  return static_cast<Long>(pos);
}

}  // namespace

Long FlexGrid::ColPos(Long col) const {
  CheckCol(col);
  return ScrolledPos(col_widths_, fixed_cols_, LeftCol(), col);
}

Long FlexGrid::RowPos(Long row) const {
  CheckRow(row);
  return ScrolledPos(row_heights_, fixed_rows_, TopRow(), row);
}

void FlexGrid::SetRedraw(bool value) {
  if (value == redraw_) return;
  redraw_ = value;
  Notify(WidgetProperty::kRedraw);
}

std::optional<std::string> FlexGrid::Property(std::string_view name,
                                              std::optional<Long> arg) const {
  if (NameIs(name, "Rows")) return LongToText(rows_);
  if (NameIs(name, "Cols")) return LongToText(cols_);
  if (NameIs(name, "FixedRows")) return LongToText(fixed_rows_);
  if (NameIs(name, "FixedCols")) return LongToText(fixed_cols_);
  if (NameIs(name, "Row")) return LongToText(row_);
  if (NameIs(name, "Col")) return LongToText(col_);
  if (NameIs(name, "Redraw")) return BoolText(redraw_);
  if (NameIs(name, "Text")) return Text();
  if (NameIs(name, "CellBackColor")) return LongToText(CellBackColor());
  if (NameIs(name, "CellAlignment")) return LongToText(CellAlignment());
  if (NameIs(name, "CellPicture")) return CellPicture();
  if (NameIs(name, "ColWidth")) return LongToText(ColWidth(NeedArg(name, arg)));
  if (NameIs(name, "RowHeight")) {
    return LongToText(RowHeight(NeedArg(name, arg)));
  }
  if (NameIs(name, "ColPos")) return LongToText(ColPos(NeedArg(name, arg)));
  if (NameIs(name, "RowPos")) return LongToText(RowPos(NeedArg(name, arg)));
  return Widget::Property(name, arg);
}

std::string FlexGrid::DumpDetails() const {
  std::string out = "Rows=" + LongToText(rows_) + " Cols=" + LongToText(cols_) +
                    " Row=" + LongToText(row_) + " Col=" + LongToText(col_);
  if (!redraw_) out += " Redraw=False";
  return out;
}

}  // namespace morvel
