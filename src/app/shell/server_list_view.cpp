#include "app/shell/server_list_view.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QApplication>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>
#include <climits>

namespace {

// Draws the grid lines of a report view: a line below each row and to the
// right of each cell. The icon of the narrow "A" column is drawn centred in
// its cell, as the usual margins would not leave it room.
class GridDelegate : public QStyledItemDelegate {
public:
    GridDelegate(int iconOnlyColumn, QObject* parent)
        : QStyledItemDelegate(parent), m_iconOnlyColumn(iconOnlyColumn)
    {
    }
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        if (index.column() == m_iconOnlyColumn) {
            QStyleOptionViewItem plain = option;
            initStyleOption(&plain, index);
            const QIcon icon = plain.icon;
            plain.icon = QIcon();
            plain.features &= ~QStyleOptionViewItem::HasDecoration;
            const QWidget* widget = option.widget;
            QStyle* style = widget ? widget->style() : QApplication::style();
            style->drawControl(QStyle::CE_ItemViewItem, &plain, painter, widget);
            if (!icon.isNull()) {
                const QSize size = option.decorationSize.boundedTo(option.rect.size());
                QRect target(QPoint(0, 0), size);
                target.moveCenter(option.rect.center());
                icon.paint(painter, target);
            }
        } else {
            QStyledItemDelegate::paint(painter, option, index);
        }
        painter->save();
        painter->setPen(option.palette.color(QPalette::Mid));
        const QRect r = option.rect;
        painter->drawLine(r.bottomLeft(), r.bottomRight());
        painter->drawLine(r.topRight(), r.bottomRight());
        painter->restore();
    }

private:
    int m_iconOnlyColumn;
};

}  // namespace

const ServerListView::ColumnWidth ServerListView::kWidths[ColumnCount] = {
    {60, 45, 60, false},       // Game: the icon and "CSS" need the most
    {70, 70, INT_MAX, true},   // Name
    {90, 90, 110, true},       // Address
    {45, 45, 50, false},       // Port
    {26, 10, 26, false},       // PT
    {60, 60, 100, true},       // Map
    {50, 40, 50, false},       // players: "32/32"
    {55, 16, 55, false},       // OS
    {16, 16, 16, false},       // A
};

ServerListView::ServerListView(QWidget* parent) : QTreeWidget(parent)
{
    setColumnCount(ColumnCount);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setIconSize(QSize(16, 16));
    setItemDelegate(new GridDelegate(A, this));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    QHeaderView* h = header();
    h->setSectionsClickable(false);
    h->setSectionsMovable(false);
    h->setStretchLastSection(false);
    h->setMinimumSectionSize(10);
    h->setDefaultAlignment(Qt::AlignCenter);
    for (int c = 0; c < ColumnCount; ++c) {
        h->setSectionResizeMode(c, QHeaderView::Interactive);
        setColumnWidth(c, kWidths[c].design);
    }
    connect(h, &QHeaderView::sectionResized, this, &ServerListView::keepInBounds);
}

void ServerListView::resizeEvent(QResizeEvent* event)
{
    QTreeWidget::resizeEvent(event);
    fitColumns();
}

void ServerListView::mousePressEvent(QMouseEvent* event)
{
    emit mouseDown(event->button(), event->modifiers(), event->position().toPoint());
    m_leftPressed = event->button() == Qt::LeftButton;
    QTreeWidget::mousePressEvent(event);
}

void ServerListView::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeWidget::mouseReleaseEvent(event);
    const bool click = m_leftPressed && event->button() == Qt::LeftButton
                       && viewport()->rect().contains(event->position().toPoint());
    m_leftPressed = false;
    if (click)
        emit listClicked();
}

void ServerListView::keepInBounds(int column, int, int newWidth)
{
    if (m_fitting || column < 0 || column >= ColumnCount)
        return;
    const int bounded = std::clamp(newWidth, kWidths[column].min, kWidths[column].max);
    if (bounded != newWidth)
        setColumnWidth(column, bounded);
}

void ServerListView::fitColumns()
{
    // Address and Map take the width of their widest cell (or caption) within
    // their bounds; Name takes what is left of the list's width.
    m_fitting = true;
    for (int c = 0; c < ColumnCount; ++c) {
        if (c == Name)
            continue;
        if (kWidths[c].fit) {
            const int content = std::max(sizeHintForColumn(c), header()->sectionSizeHint(c));
            setColumnWidth(c, std::clamp(content, kWidths[c].min, kWidths[c].max));
        }
    }
    m_fitting = false;
    giveNameTheRest();
}

void ServerListView::fitToRow(QTreeWidgetItem* item)
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    m_fitting = true;
    for (int c = 0; c < ColumnCount; ++c) {
        if (c == Name || !kWidths[c].fit)
            continue;
        const int content = itemDelegate()->sizeHint(option, indexFromItem(item, c)).width();
        if (content > columnWidth(c))
            setColumnWidth(c, std::clamp(content, kWidths[c].min, kWidths[c].max));
    }
    m_fitting = false;
    giveNameTheRest();
}

void ServerListView::giveNameTheRest()
{
    int others = 0;
    for (int c = 0; c < ColumnCount; ++c) {
        if (c != Name)
            others += columnWidth(c);
    }
    m_fitting = true;
    setColumnWidth(Name, std::max(kWidths[Name].min, viewport()->width() - others));
    m_fitting = false;
}
