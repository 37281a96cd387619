#pragma once

// Small pieces the three settings pages build their controls from.

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QLabel;
class QLineEdit;
class QSpinBox;
class QTreeWidget;
class QWidget;

namespace settings_pages {

template <typename W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// A label that names its control, for the keyboard and for screen readers.
QLabel* labelFor(QWidget* control, const QString& text);

// Values change only with the arrows (buttons or keys), never by typing.
void arrowsOnly(QSpinBox* spin);

// Keeps a column's width within its bounds when the user drags its edge.
void boundColumn(QTreeWidget* list, int column, int minWidth, int maxWidth);

// A read-only list of whole-row selection with grid-like rows.
QTreeWidget* makeList(QWidget* parent, const char* name, const QStringList& columns);

// An edit for a port: at most five characters, typed characters other than
// digits refused with a beep, a pasted text reduced to its digits.
QLineEdit* portEdit(QWidget* parent, const char* name, const std::function<void()>& beep);

// Shows an error in a box captioned "Error" with one OK button.
void showError(QWidget* parent, const QString& text);

}  // namespace settings_pages
