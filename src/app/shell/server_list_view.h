#pragma once

// The server list: a report-style list with grid lines, whole-row selection,
// no editing and no sorting. Its columns keep their widths within bounds; the
// columns marked to fit share the free width of the list.

#include <QTreeWidget>

class ServerListView : public QTreeWidget {
    Q_OBJECT
public:
    enum Column { Game, Name, Address, Port, PT, Map, Players, OS, A, ColumnCount };

    explicit ServerListView(QWidget* parent = nullptr);

    struct ColumnWidth {
        int design;
        int min;
        int max;
        bool fit;  // shares the free width of the list
    };
    static const ColumnWidth kWidths[ColumnCount];

    // Fits the columns that size to their content; run after rows change.
    void fitColumns();
    // Widens the fitting columns for one new row only: a scan adds hundreds of
    // rows inside its loop, and measuring every row each time grows with the list.
    void fitToRow(QTreeWidgetItem* item);

signals:
    // A button went down over the list, before the list acted on it: the
    // selection is still the one the user saw when pressing.
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& at);
    // A left click, on a row or on empty space, after the list acted on it.
    void listClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void keepInBounds(int column, int oldWidth, int newWidth);
    void giveNameTheRest();
    bool m_fitting = false;
    bool m_leftPressed = false;
};
