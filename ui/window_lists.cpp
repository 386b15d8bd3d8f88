// Multi-column lists with fixed column widths, small row pictures and coloured cells.
#include "ui/window.h"

#include "ui/window_state.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTreeWidget>

namespace ui::detail {
namespace {

// Draws each cell as usual, then a light line on its right and bottom edges. A style sheet
// could draw the grid too, but it would paint over the cells' own backgrounds.
// A grid's rows are 15 pixels under a 20-pixel header, so that they line up with labels
// placed beside them at that pitch.
constexpr int gridRowHeight = 15;
constexpr int gridHeaderHeight = 20;

struct GridDelegate : QStyledItemDelegate {
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), gridRowHeight};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        const QRect cell = option.rect;
        painter->save();
        painter->setPen(QColor(0xC0, 0xC0, 0xC0));
        painter->drawLine(cell.topRight(), cell.bottomRight());
        painter->drawLine(cell.bottomLeft(), cell.bottomRight());
        painter->restore();
    }
};

QTreeWidget* listWidget(int number) {
    const auto found = controls.find(number);
    if (found == controls.end() || found->second.kind != ControlKind::List) return nullptr;
    return static_cast<QTreeWidget*>(found->second.widget);
}

// A row's picture number rides along with its icon, so that it can be read back.
constexpr int pictureRole = Qt::UserRole;

// What a cell holds; enough to move a cell into the next column.
constexpr int cellRoles[] = {Qt::DisplayRole, Qt::DecorationRole, Qt::BackgroundRole, pictureRole};

// Copies the cell left of `column` into `column`.
void shiftCell(QTreeWidgetItem* item, int column) {
    for (const int role : cellRoles)
        item->setData(column, role, item->data(column - 1, role));
}

void clearCell(QTreeWidgetItem* item, int column) {
    for (const int role : cellRoles)
        item->setData(column, role, QVariant());
}

// The cell at (row, column), or nullptr.
const QTreeWidgetItem* cellItem(int list, int row, int column) {
    const QTreeWidget* tree = listWidget(list);
    if (!tree || column < 0 || column >= tree->columnCount()) return nullptr;
    return tree->topLevelItem(row);
}

} // namespace
} // namespace ui::detail

namespace ui {

using namespace detail;

bool createList(int number, int x, int y, int width, int height, const std::string& firstTitle,
                int firstWidth, unsigned flags) {
    if (!canCreateControl(number)) return false;
    auto* list = new QTreeWidget(controlParent);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setAlternatingRowColors(false);
    list->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    list->setIconSize(QSize(16, 16));
    list->setHeaderLabels({QString::fromUtf8(firstTitle)});
    QHeaderView* header = list->header();
    header->setStretchLastSection(false);
    header->setSectionsMovable(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->resizeSection(0, firstWidth);
    if (flags & ListGridLines) {
        list->setItemDelegate(new GridDelegate(list));
        header->setFixedHeight(gridHeaderHeight);
    }
    enterControl(number, list, ControlKind::List, x, y, width, height);
    return true;
}

bool addListColumn(int list, int position, const std::string& title, int width) {
    QTreeWidget* tree = listWidget(list);
    if (!tree || position < 0) return false;
    const int columns = tree->columnCount();
    position = std::min(position, columns);
    tree->setColumnCount(columns + 1);
    QHeaderView* header = tree->header();
    header->setSectionResizeMode(QHeaderView::Fixed);
    // Everything right of the new column moves over by one: titles, widths and cells.
    for (int column = columns; column > position; --column) {
        shiftCell(tree->headerItem(), column);
        header->resizeSection(column, header->sectionSize(column - 1));
        for (int row = 0; row < tree->topLevelItemCount(); ++row)
            shiftCell(tree->topLevelItem(row), column);
    }
    for (int row = 0; row < tree->topLevelItemCount(); ++row)
        clearCell(tree->topLevelItem(row), position);
    tree->headerItem()->setText(position, QString::fromUtf8(title));
    header->resizeSection(position, width);
    return true;
}

int addListRow(int list, const std::string& text, int picture) {
    QTreeWidget* tree = listWidget(list);
    if (!tree) return -1;
    auto* row = new QTreeWidgetItem;
    const QStringList cells = QString::fromUtf8(text).split(QLatin1Char('\n'));
    const int filled = std::min(static_cast<int>(cells.size()), tree->columnCount());
    for (int column = 0; column < filled; ++column)
        row->setText(column, cells[column]);
    const QPixmap pixmap = pixmapOf(picture);
    if (!pixmap.isNull()) {
        row->setIcon(0, QIcon(pixmap));
        row->setData(0, pictureRole, picture);
    }
    tree->addTopLevelItem(row);
    return tree->indexOfTopLevelItem(row);
}

int listRowCount(int list) {
    const QTreeWidget* tree = listWidget(list);
    return tree ? tree->topLevelItemCount() : -1;
}

void setListCellColour(int list, int row, int column, std::int32_t colour) {
    QTreeWidget* tree = listWidget(list);
    if (!tree || column < 0 || column >= tree->columnCount()) return;
    QTreeWidgetItem* item = tree->topLevelItem(row);
    if (item) item->setBackground(column, colourOf(colour));
}

int listColumnCount(int list) {
    const QTreeWidget* tree = listWidget(list);
    return tree ? tree->columnCount() : -1;
}

std::string listColumnTitle(int list, int column) {
    const QTreeWidget* tree = listWidget(list);
    if (!tree || column < 0 || column >= tree->columnCount()) return {};
    return tree->headerItem()->text(column).toStdString();
}

int listColumnWidth(int list, int column) {
    const QTreeWidget* tree = listWidget(list);
    if (!tree || column < 0 || column >= tree->columnCount()) return -1;
    return tree->header()->sectionSize(column);
}

std::string listCellText(int list, int row, int column) {
    const QTreeWidgetItem* item = cellItem(list, row, column);
    return item ? item->text(column).toStdString() : std::string();
}

std::int32_t listCellColour(int list, int row, int column) {
    const QTreeWidgetItem* item = cellItem(list, row, column);
    if (!item || item->background(column).style() == Qt::NoBrush) return -1;
    const QColor c = item->background(column).color();
    return c.red() | c.green() << 8 | c.blue() << 16;
}

int listRowPicture(int list, int row) {
    const QTreeWidgetItem* item = cellItem(list, row, 0);
    const QVariant picture = item ? item->data(0, pictureRole) : QVariant();
    return picture.isValid() ? picture.toInt() : NoPicture;
}

} // namespace ui
