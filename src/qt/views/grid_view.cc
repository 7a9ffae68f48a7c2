#include <QAbstractTableModel>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>
#include <QTableView>
#include <algorithm>

#include "qt/pictures.h"
#include "qt/qt_platform.h"
#include "qt/views/view_factory.h"

namespace morvel::qt {
namespace {

// Alignment codes of the grid: 0-2 left, 3-5 centre, 6-8 right (top, centre,
// bottom within each); 9 general (numbers right, text left). Code 0, the
// default of every cell, is shown centred vertically like the rest.
Qt::Alignment GridAlignment(Integer code, const QString& text) {
  Qt::Alignment vertical = Qt::AlignVCenter;
  if (code >= 1 && code <= 8) {
    int v = code % 3;
    vertical = v == 0   ? Qt::AlignTop
               : v == 1 ? Qt::AlignVCenter
                        : Qt::AlignBottom;
  }
  if (code == 0) vertical = Qt::AlignVCenter;
  Qt::Alignment horizontal = Qt::AlignLeft;
  if (code >= 3 && code <= 5) horizontal = Qt::AlignHCenter;
  if (code >= 6 && code <= 8) horizontal = Qt::AlignRight;
  if (code == 9) {
    bool number = false;
    text.toDouble(&number);
    horizontal = number ? Qt::AlignRight : Qt::AlignLeft;
  }
  return horizontal | vertical;
}

}  // namespace

QString ShownCellText(QFont& font, const QString& text, int cell_width,
                      int& margin) {
  // A figure cut short reads as another figure ("1..." for 100): a cell
  // too narrow for its text first gives up its margins, then sets the text
  // tighter and smaller.
  margin = 4;
  if (QFontMetrics(font).horizontalAdvance(text) <= cell_width - 2 * margin) {
    return text;
  }
  margin = 1;
  const int room = std::max(0, cell_width - 2 * margin);
  font = FittedFont(font, text, room);
  QFontMetrics metrics(font);
  if (metrics.horizontalAdvance(text) <= room) return text;
  return metrics.elidedText(text, Qt::ElideRight, room);
}

namespace {

class GridModel final : public QAbstractTableModel {
 public:
  GridModel(WidgetView& owner, FlexGrid& grid, QObject* parent)
      : QAbstractTableModel(parent), owner_(owner), grid_(grid) {
    Capture();
  }
  int rowCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : std::max(0, rows_ - header_rows_);
  }
  int columnCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : cols_;
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    return Cell(index.row() + header_rows_, index.column(), role);
  }
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role) const override {
    if (orientation != Qt::Horizontal || header_rows_ == 0) return {};
    return Cell(0, section, role);
  }
  int HeaderRows() const { return header_rows_; }
  // Whether the grid's shape moved away from the model's.
  bool Stale() const {
    int header = grid_.FixedRows() > 0 && grid_.Rows() > 0 ? 1 : 0;
    return grid_.Rows() != rows_ || grid_.Cols() != cols_ ||
           header != header_rows_;
  }
  void CellChanged(Long row, Long col) {
    if (row < header_rows_) {
      emit headerDataChanged(Qt::Horizontal, col, col);
    } else {
      QModelIndex at = index(row - header_rows_, col);
      emit dataChanged(at, at);
    }
  }
  // Brings the model's shape up to the grid's; true when it changed.
  bool Reshape() {
    int rows = grid_.Rows(), cols = grid_.Cols();
    int header = grid_.FixedRows() > 0 && rows > 0 ? 1 : 0;
    if (rows == rows_ && cols == cols_ && header == header_rows_) {
      if (rowCount() > 0 && cols_ > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, cols_ - 1));
      }
      if (cols_ > 0) emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
      return false;
    }
    beginResetModel();
    Capture();
    endResetModel();
    return true;
  }

 private:
  void Capture() {
    rows_ = grid_.Rows();
    cols_ = grid_.Cols();
    header_rows_ = grid_.FixedRows() > 0 && rows_ > 0 ? 1 : 0;
  }
  QVariant Cell(int row, int col, int role) const {
    if (row < 0 || row >= grid_.Rows() || col < 0 || col >= grid_.Cols())
      return {};
    switch (role) {
      case Qt::DisplayRole:
        return ToQ(grid_.TextMatrix(row, col));
      case Qt::DecorationRole: {
        QPixmap pixmap = PictureFor(grid_.CellPictureAt(row, col),
                                    ToQ(owner_.PictureFolder()));
        if (pixmap.isNull()) return {};
        return pixmap;
      }
      case Qt::BackgroundRole: {
        // A colour set to 0 is black (a black material), not the default.
        if (grid_.CellBackColorSetAt(row, col)) {
          return ToQColor(grid_.CellBackColorAt(row, col));
        }
        if (col < grid_.FixedCols())
          return ToQColor(static_cast<Colour>(0x8000000F));
        return {};
      }
      case Qt::TextAlignmentRole:
        return static_cast<int>(GridAlignment(grid_.CellAlignmentAt(row, col),
                                              ToQ(grid_.TextMatrix(row, col))));
      case Qt::ToolTipRole:
      case Qt::AccessibleTextRole: {
        const std::string& picture = grid_.CellPictureAt(row, col);
        QString text = ToQ(grid_.TextMatrix(row, col));
        if (row == 0 && picture.rfind("image:", 0) == 0) {
          return ImageListMeaning(ToQ(picture.substr(6)).toInt());
        }
        if (!text.isEmpty()) return text;
        if (!picture.empty()) {
          std::string path;
          int size = 0;
          if (ParseThumbnail(picture, &path, &size)) return ToQ(path);
        }
        if (role == Qt::AccessibleTextRole &&
            grid_.CellBackColorSetAt(row, col)) {
          return QColor::fromRgba(ColourToRgb(grid_.CellBackColorAt(row, col)))
              .name();
        }
        return {};
      }
      default:
        return {};
    }
  }

  WidgetView& owner_;
  FlexGrid& grid_;
  int rows_ = 0, cols_ = 0, header_rows_ = 0;
};

// Cells: the colour, the picture centred, the text as the cell aligns it.
class GridDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* p, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QVariant background = index.data(Qt::BackgroundRole);
    if (background.isValid())
      p->fillRect(option.rect, background.value<QColor>());
    QVariant decoration = index.data(Qt::DecorationRole);
    if (decoration.isValid()) {
      QPixmap pixmap = decoration.value<QPixmap>();
      QSize fit = pixmap.size().boundedTo(option.rect.size() - QSize(1, 1));
      if (fit != pixmap.size()) {
        pixmap =
            pixmap.scaled(fit, Qt::KeepAspectRatio, Qt::SmoothTransformation);
      }
      QPoint at(option.rect.x() + (option.rect.width() - pixmap.width()) / 2,
                option.rect.y() + (option.rect.height() - pixmap.height()) / 2);
      p->drawPixmap(at, pixmap);
    }
    QString text = index.data(Qt::DisplayRole).toString();
    if (!text.isEmpty()) {
      auto alignment =
          static_cast<Qt::Alignment>(index.data(Qt::TextAlignmentRole).toInt());
      QFont font = option.font;
      int margin = 0;
      QString shown = ShownCellText(font, text, option.rect.width(), margin);
      p->setPen(option.palette.color(QPalette::Text));
      p->setFont(font);
      p->drawText(option.rect.adjusted(margin, 0, -margin, 0), alignment,
                  shown);
    }
  }
};

// The fixed header row: pictures centred, captions centred.
class GridHeader final : public QHeaderView {
 public:
  explicit GridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

 protected:
  void paintSection(QPainter* p, const QRect& rect,
                    int section) const override {
    if (!rect.isValid()) return;
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.rect = rect;
    option.section = section;
    option.text.clear();
    option.icon = QIcon();
    option.sortIndicator = QStyleOptionHeader::None;
    style()->drawControl(QStyle::CE_HeaderSection, &option, p, this);
    QAbstractItemModel* m = model();
    if (!m) return;
    QVariant decoration =
        m->headerData(section, Qt::Horizontal, Qt::DecorationRole);
    if (decoration.isValid()) {
      QPixmap pixmap = decoration.value<QPixmap>();
      p->drawPixmap(rect.x() + (rect.width() - pixmap.width()) / 2,
                    rect.y() + (rect.height() - pixmap.height()) / 2, pixmap);
    }
    QString text =
        m->headerData(section, Qt::Horizontal, Qt::DisplayRole).toString();
    if (!text.isEmpty()) {
      p->setPen(palette().color(QPalette::ButtonText));
      p->drawText(
          rect.adjusted(2, 0, -2, 0), Qt::AlignCenter,
          fontMetrics().elidedText(text, Qt::ElideRight, rect.width() - 4));
    }
  }
};

class GridView final : public View<QTableView, FlexGrid> {
 public:
  GridView(WidgetView& owner, Widget& model, QWidget* parent)
      : View(owner, model, parent),
        grid_(Model()),
        model_(new GridModel(owner, grid_, this)) {
    setHorizontalHeader(new GridHeader(this));
    setModel(model_);
    setItemDelegate(new GridDelegate(this));
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    // A click on a cell half in view does not scroll it: the grid scrolls
    // only when a person scrolls it, so the cell stays where the panel
    // placed its editor.
    setAutoScroll(false);
    // Whole rows and columns, as the grid's scroll position counts them.
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    QObject::connect(this, &QTableView::clicked,
                     [this](const QModelIndex& index) {
                       if (owner_.Syncing() || !index.isValid()) return;
                       Long row = index.row() + model_->HeaderRows();
                       Long col = index.column();
                       owner_.Act(grid_, [this, row, col] {
                         UserInput::ClickCell(grid_, row, col);
                       });
                     });
    for (QScrollBar* bar : {verticalScrollBar(), horizontalScrollBar()}) {
      QObject::connect(bar, &QScrollBar::valueChanged,
                       [this](int) { Scrolled(); });
      // A person scrolling (the bar, the wheel, the keys) ends an edit laid
      // over the grid, as a click on the grid's scroll bar does: the grid
      // takes the focus.
      QObject::connect(bar, &QScrollBar::actionTriggered, [this](int) {
        if (!owner_.Syncing() && !hasFocus()) setFocus(Qt::MouseFocusReason);
      });
    }
  }
  void Sync(WidgetProperty property) override {
    switch (property) {
      case WidgetProperty::kGrid:
        // One cell: repaint it now. Structure (counts, sizes, everything at
        // once): rebuild once the burst of changes is over.
        if (grid_.Redraw() && grid_.ChangedRow() >= 0 && !model_->Stale()) {
          model_->CellChanged(grid_.ChangedRow(), grid_.ChangedCol());
        } else {
          owner_.ScheduleFlush(this);
        }
        break;
      case WidgetProperty::kCurrentCell:
        if (grid_.Redraw() && !model_->Stale()) ShowScroll();
        break;
      case WidgetProperty::kRedraw:
        // While the grid is being filled nothing is painted; the fill is
        // shown in one piece when drawing is switched on again.
        viewport()->setUpdatesEnabled(grid_.Redraw());
        if (grid_.Redraw()) owner_.ScheduleFlush(this);
        break;
      default:
        break;
    }
    SyncCommon(property);
  }
  void Refresh() override {
    if (!grid_.Redraw()) return;
    model_->Reshape();
    QHeaderView* columns = horizontalHeader();
    for (Long c = 0; c < grid_.Cols(); ++c) {
      int width = owner_.ToPixelsX(grid_.ColWidth(c));
      if (columns->sectionSize(c) != width) columns->resizeSection(c, width);
    }
    int header_rows = model_->HeaderRows();
    columns->setVisible(header_rows > 0);
    if (header_rows > 0) {
      int designed = owner_.ToPixelsY(grid_.RowHeight(0));
      // The header keeps its designed height unless the captions would not
      // fit in it.
      int needed = fontMetrics().height() + 4;
      columns->setFixedHeight(std::max(designed, needed));
    }
    // Rows share one height almost always: that height becomes the
    // default, and only the rows that differ get their own.
    QHeaderView* rows = verticalHeader();
    Long count = grid_.Rows() - header_rows;
    if (count > 0) {
      int common = std::max(1, owner_.ToPixelsY(grid_.RowHeight(header_rows)));
      if (rows->defaultSectionSize() != common)
        rows->setDefaultSectionSize(common);
      for (Long r = 0; r < count; ++r) {
        int height =
            std::max(1, owner_.ToPixelsY(grid_.RowHeight(r + header_rows)));
        if (rows->sectionSize(r) != height) rows->resizeSection(r, height);
      }
    }
    ShowScroll();
    viewport()->update();
  }

 private:
  // The model's scroll position on screen (as near as the view can scroll).
  void ShowScroll() {
    verticalScrollBar()->setValue(grid_.TopRow() - model_->HeaderRows());
    horizontalScrollBar()->setValue(grid_.LeftCol());
  }
  // The screen scrolled (a person, or the window resized): the model learns
  // the first row and column in view, so an editor it lays over a cell
  // lands on that cell.
  void Scrolled() {
    if (owner_.Syncing() || model_->Stale()) return;
    Long top = std::max(grid_.FixedRows(),
                        verticalScrollBar()->value() + model_->HeaderRows());
    Long left = std::max(grid_.FixedCols(), horizontalScrollBar()->value());
    if (top == grid_.TopRow() && left == grid_.LeftCol()) return;
    owner_.Act(grid_, [this, top, left] {
      if (top < grid_.Rows()) grid_.SetTopRow(top);
      if (left < grid_.Cols()) grid_.SetLeftCol(left);
    });
  }

  FlexGrid& grid_;
  GridModel* model_;
};

}  // namespace

const ViewMaker kGridView = MakerOf<GridView>;

}  // namespace morvel::qt
