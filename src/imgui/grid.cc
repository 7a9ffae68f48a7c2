#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "imgui/view_internal.h"

// The grid: only the rows and columns in view are looked at, so a shape
// with 100,000 materials costs a frame what one with 100 costs. The scroll
// position is the model's (TopRow, LeftCol): the panel lays its cell editor
// over the cell it computes from it, so the screen scrolls only through the
// model.
namespace morvel::imgui::internal {
namespace {

using Layout = WidgetView::GridLayout;
using Part = WidgetView::Press::Part;

constexpr float kMinThumb = 12.0f;

float Bar() { return std::max(10.0f, ImGui::GetStyle().ScrollbarSize); }

float RowPx(const WidgetView& view, const FlexGrid& grid, Long row) {
  return std::max(1.0f, view.ToPixelsY(grid.RowHeight(row)));
}
float ColPx(const WidgetView& view, const FlexGrid& grid, Long col) {
  return std::max(1.0f, view.ToPixelsX(grid.ColWidth(col)));
}

// The furthest first scrolled row (column) that still fills `room` pixels
// to the end: walked back from the last, so it costs the rows in view.
template <class Size>
Long MaxFirst(Long fixed, Long count, float room, Size size) {
  float used = 0;
  Long first = count;
  while (first > fixed) {
    float next = size(first - 1);
    if (used + next > room && first < count) break;
    used += next;
    --first;
  }
  return std::max(fixed, std::min(first, count - 1));
}

Layout Compute(const WidgetView& view, const FlexGrid& grid, const Rect& full) {
  Layout layout;
  Rect inner{ImVec2(full.min.x + 1, full.min.y + 1),
             ImVec2(full.max.x - 1, full.max.y - 1)};
  float fixed_h = 0, fixed_w = 0;
  for (Long r = 0; r < grid.FixedRows() && r < grid.Rows(); ++r)
    fixed_h += RowPx(view, grid, r);
  for (Long c = 0; c < grid.FixedCols() && c < grid.Cols(); ++c)
    fixed_w += ColPx(view, grid, c);
  auto row_px = [&](Long r) { return RowPx(view, grid, r); };
  auto col_px = [&](Long c) { return ColPx(view, grid, c); };
  bool vbar = false, hbar = false;
  // A bar takes room from the other direction, which may then need one too.
  for (int pass = 0; pass < 2; ++pass) {
    float height = inner.max.y - inner.min.y - (hbar ? Bar() : 0) - fixed_h;
    float width = inner.max.x - inner.min.x - (vbar ? Bar() : 0) - fixed_w;
    layout.max_top = grid.Rows() > grid.FixedRows()
                         ? MaxFirst(grid.FixedRows(), grid.Rows(), height, row_px)
                         : grid.FixedRows();
    layout.max_left = grid.Cols() > grid.FixedCols()
                          ? MaxFirst(grid.FixedCols(), grid.Cols(), width, col_px)
                          : grid.FixedCols();
    vbar = layout.max_top > grid.FixedRows();
    hbar = layout.max_left > grid.FixedCols();
  }
  layout.cells = {inner.min, ImVec2(inner.max.x - (vbar ? Bar() : 0),
                                    inner.max.y - (hbar ? Bar() : 0))};
  if (vbar)
    layout.vbar = {ImVec2(layout.cells.max.x, inner.min.y),
                   ImVec2(inner.max.x, layout.cells.max.y)};
  if (hbar)
    layout.hbar = {ImVec2(inner.min.x, layout.cells.max.y),
                   ImVec2(layout.cells.max.x, inner.max.y)};
  auto visible = [](Long fixed, Long first, Long count, float from, float to,
                    auto size, std::vector<std::pair<Long, Rect>>& out,
                    bool rows, const Rect& cells) {
    float at = from;
    auto add = [&](Long i) {
      float s = size(i);
      Rect r = rows ? Rect{ImVec2(cells.min.x, at), ImVec2(cells.max.x, at + s)}
                    : Rect{ImVec2(at, cells.min.y), ImVec2(at + s, cells.max.y)};
      out.emplace_back(i, r);
      at += s;
    };
    for (Long i = 0; i < fixed && i < count && at < to; ++i) add(i);
    for (Long i = std::max(first, fixed); i < count && at < to; ++i) add(i);
  };
  visible(grid.FixedRows(), grid.TopRow(), grid.Rows(), layout.cells.min.y,
          layout.cells.max.y, row_px, layout.rows, true, layout.cells);
  visible(grid.FixedCols(), grid.LeftCol(), grid.Cols(), layout.cells.min.x,
          layout.cells.max.x, col_px, layout.cols, false, layout.cells);
  return layout;
}

// The thumb of a bar: where it is and how long, for the scroll position.
Rect Thumb(const Rect& bar, bool vertical, Long fixed, Long first, Long max,
           Long count, std::size_t in_view) {
  float track = vertical ? bar.max.y - bar.min.y : bar.max.x - bar.min.x;
  double scrollable = std::max<Long>(1, count - fixed);
  float length = std::clamp(
      static_cast<float>(track * std::min(1.0, in_view / scrollable)),
      std::min(kMinThumb, track), track);
  float t = max > fixed ? static_cast<float>(first - fixed) / (max - fixed) : 0;
  float at = (track - length) * std::clamp(t, 0.0f, 1.0f);
  if (vertical)
    return {ImVec2(bar.min.x + 2, bar.min.y + at),
            ImVec2(bar.max.x - 2, bar.min.y + at + length)};
  return {ImVec2(bar.min.x + at, bar.min.y + 2),
          ImVec2(bar.min.x + at + length, bar.max.y - 2)};
}

Rect VerticalThumb(const FlexGrid& grid, const Layout& l) {
  return Thumb(l.vbar, true, grid.FixedRows(), grid.TopRow(), l.max_top,
               grid.Rows(), l.rows.size());
}
Rect HorizontalThumb(const FlexGrid& grid, const Layout& l) {
  return Thumb(l.hbar, false, grid.FixedCols(), grid.LeftCol(), l.max_left,
               grid.Cols(), l.cols.size());
}

// Alignment codes: 0-2 left, 3-5 centre, 6-8 right (top, centre, bottom
// within each); 9 general (numbers right, text left); 0 is centred
// vertically like the rest.
ImVec2 Aligned(Integer code, const std::string& text, const Rect& cell,
               float width, float height) {
  int v = code >= 1 && code <= 8 ? code % 3 : 1;
  float y = v == 0   ? cell.min.y + 1
            : v == 2 ? cell.max.y - height - 1
                     : (cell.min.y + cell.max.y - height) / 2;
  bool right = code >= 6 && code <= 8;
  bool centre = code >= 3 && code <= 5;
  if (code == 9) {
    char* end = nullptr;
    std::strtod(text.c_str(), &end);
    right = !text.empty() && end && *end == '\0';
  }
  float x = right    ? cell.max.x - width - 4
            : centre ? (cell.min.x + cell.max.x - width) / 2
                     : cell.min.x + 4;
  return ImVec2(x, y);
}

void PaintCell(WidgetView& view, const FlexGrid& grid, Long row, Long col,
               const Rect& cell, bool usable, ImDrawList& draw) {
  Colour back = grid.CellBackColorAt(row, col);
  bool fixed = row < grid.FixedRows() || col < grid.FixedCols();
  ImU32 fill = back != 0 ? ColourOf(back)
               : fixed   ? StyleColour(ImGuiCol_TableHeaderBg)
                         : StyleColour(ImGuiCol_FrameBg);
  draw.AddRectFilled(cell.min, cell.max, fill);
  const std::string& picture = grid.CellPictureAt(row, col);
  if (!picture.empty()) {
    const PictureCache::Texture& t = view.Pictures().Get(picture);
    float room_w = cell.max.x - cell.min.x - 1, room_h = cell.max.y - cell.min.y - 1;
    float scale = std::min({1.0f, room_w / std::max(1.0f, t.size.x),
                            room_h / std::max(1.0f, t.size.y)});
    ImVec2 size(t.size.x * scale, t.size.y * scale);
    ImVec2 at((cell.min.x + cell.max.x - size.x) / 2,
              (cell.min.y + cell.max.y - size.y) / 2);
    ImVec2 end(at.x + size.x, at.y + size.y);
    if (!t.empty) {
      draw.AddImage(t.id, at, end);
    } else if (t.size.x > 0) {
      draw.AddRectFilled(at, end, t.swatch);
    }
  }
  const std::string& text = grid.TextMatrix(row, col);
  if (!text.empty()) {
    ImVec2 size = ImGui::CalcTextSize(text.c_str());
    ImVec2 at = fixed && row < grid.FixedRows()
                    ? ImVec2((cell.min.x + cell.max.x - size.x) / 2,
                             (cell.min.y + cell.max.y - size.y) / 2)
                    : Aligned(grid.CellAlignmentAt(row, col), text, cell,
                              size.x, size.y);
    DrawTextIn(draw, cell, at,
               StyleColour(usable ? ImGuiCol_Text : ImGuiCol_TextDisabled),
               text);
  }
  draw.AddRect(cell.min, ImVec2(cell.max.x + 1, cell.max.y + 1),
               StyleColour(ImGuiCol_TableBorderLight));
}

// A person scrolling the grid: the model learns the first row (column) in
// view, so an editor the panel lays over a cell lands on that cell.
void SetScroll(WidgetView& view, FlexGrid& grid, bool vertical, Long to) {
  const Layout& l = view.Grids()[&grid];
  Long fixed = vertical ? grid.FixedRows() : grid.FixedCols();
  to = std::clamp(to, fixed, vertical ? l.max_top : l.max_left);
  if (to == (vertical ? grid.TopRow() : grid.LeftCol())) return;
  FlexGrid* g = &grid;
  view.Act([g, vertical, to] {
    // The grid may have been refilled meanwhile.
    Long count = vertical ? g->Rows() : g->Cols();
    Long first = vertical ? g->FixedRows() : g->FixedCols();
    if (to < first || to >= count) return;
    vertical ? g->SetTopRow(to) : g->SetLeftCol(to);
  });
}

}  // namespace

void PaintGrid(WidgetView& view, FlexGrid& grid, const Placed& placed,
               ImDrawList& draw) {
  const Rect& r = placed.full;
  draw.AddRectFilled(r.min, r.max, StyleColour(ImGuiCol_FrameBg, 0.6f));
  Layout& layout = view.Grids()[&grid] = Compute(view, grid, r);
  draw.PushClipRect(layout.cells.min, layout.cells.max, true);
  for (const auto& [row, row_rect] : layout.rows) {
    for (const auto& [col, col_rect] : layout.cols) {
      Rect cell{ImVec2(col_rect.min.x, row_rect.min.y),
                ImVec2(col_rect.max.x, row_rect.max.y)};
      PaintCell(view, grid, row, col, cell, placed.usable, draw);
    }
  }
  draw.PopClipRect();
  auto bar = [&](const Rect& track, const Rect& thumb) {
    if (track.Empty()) return;
    draw.AddRectFilled(track.min, track.max, StyleColour(ImGuiCol_ScrollbarBg));
    draw.AddRectFilled(thumb.min, thumb.max,
                       StyleColour(ImGuiCol_ScrollbarGrab),
                       ImGui::GetStyle().ScrollbarRounding);
  };
  bar(layout.vbar, VerticalThumb(grid, layout));
  bar(layout.hbar, HorizontalThumb(grid, layout));
  draw.AddRect(r.min, r.max, StyleColour(ImGuiCol_Border));
}

WidgetView::Press GridPartAt(const WidgetView& view, const FlexGrid& grid,
                             ImVec2 at) {
  WidgetView::Press press;
  auto it = view.Grids().find(&grid);
  if (it == view.Grids().end()) return press;
  const Layout& l = it->second;
  if (l.vbar.Contains(at)) {
    press.part = Part::kVerticalBar;
    press.scroll_at_press = grid.TopRow();
    return press;
  }
  if (l.hbar.Contains(at)) {
    press.part = Part::kHorizontalBar;
    press.scroll_at_press = grid.LeftCol();
    return press;
  }
  if (!l.cells.Contains(at)) return press;
  for (const auto& [row, rr] : l.rows) {
    if (at.y < rr.min.y || at.y >= rr.max.y) continue;
    for (const auto& [col, cr] : l.cols) {
      if (at.x < cr.min.x || at.x >= cr.max.x) continue;
      press.part = Part::kCell;
      press.row = row;
      press.col = col;
      return press;
    }
  }
  return press;
}

void PageGrid(WidgetView& view, FlexGrid& grid, const WidgetView::Press& press) {
  const Layout& l = view.Grids()[&grid];
  bool vertical = press.part == Part::kVerticalBar;
  Rect thumb = vertical ? VerticalThumb(grid, l) : HorizontalThumb(grid, l);
  if (thumb.Contains(press.at)) return;  // a drag of the thumb begins
  Long page = static_cast<Long>(
      std::max<std::size_t>(1, (vertical ? l.rows.size() : l.cols.size()) -
                                   (vertical ? grid.FixedRows()
                                             : grid.FixedCols())));
  bool forward = vertical ? press.at.y > thumb.max.y : press.at.x > thumb.max.x;
  Long from = vertical ? grid.TopRow() : grid.LeftCol();
  SetScroll(view, grid, vertical, forward ? from + page : from - page);
}

void DragGridBar(WidgetView& view, FlexGrid& grid, ImVec2 mouse) {
  const WidgetView::Press& press = view.CurrentPress();
  const Layout& l = view.Grids()[&grid];
  bool vertical = press.part == Part::kVerticalBar;
  Rect thumb = vertical ? VerticalThumb(grid, l) : HorizontalThumb(grid, l);
  const Rect& track = vertical ? l.vbar : l.hbar;
  float room = vertical ? (track.max.y - track.min.y) - (thumb.max.y - thumb.min.y)
                        : (track.max.x - track.min.x) - (thumb.max.x - thumb.min.x);
  if (room <= 0) return;
  float moved = vertical ? mouse.y - press.at.y : mouse.x - press.at.x;
  Long fixed = vertical ? grid.FixedRows() : grid.FixedCols();
  Long max = vertical ? l.max_top : l.max_left;
  // Where the thumb was at the press, plus the drag.
  float t0 = max > fixed ? static_cast<float>(press.scroll_at_press - fixed) /
                               (max - fixed)
                         : 0;
  float t = std::clamp(t0 + moved / room, 0.0f, 1.0f);
  SetScroll(view, grid, vertical,
            fixed + static_cast<Long>(std::lround(t * (max - fixed))));
}

void ScrollGrid(WidgetView& view, FlexGrid& grid, float down, float sideways) {
  Long rows = static_cast<Long>(std::lround(-down * 3));
  Long cols = static_cast<Long>(std::lround(-sideways));
  if (rows != 0) SetScroll(view, grid, true, grid.TopRow() + rows);
  if (cols != 0) SetScroll(view, grid, false, grid.LeftCol() + cols);
}

}  // namespace morvel::imgui::internal

namespace morvel::imgui {

std::optional<Rect> WidgetView::CellRect(const FlexGrid& grid, Long row,
                                         Long col) const {
  auto it = grids_.find(&grid);
  const Placed* p = Find(grid);
  if (it == grids_.end() || !p) return std::nullopt;
  const GridLayout& l = it->second;
  for (const auto& [r, rr] : l.rows) {
    if (r != row) continue;
    for (const auto& [c, cr] : l.cols) {
      if (c != col) continue;
      Rect cell = Rect{ImVec2(cr.min.x, rr.min.y), ImVec2(cr.max.x, rr.max.y)}
                      .Intersect(l.cells)
                      .Intersect(p->visible);
      if (cell.Empty()) return std::nullopt;
      return cell;
    }
  }
  return std::nullopt;
}

}  // namespace morvel::imgui
