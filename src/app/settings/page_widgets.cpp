#include "app/settings/page_widgets.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSpinBox>
#include <QTreeWidget>
#include <algorithm>

namespace settings_pages {

namespace {

QString digitsOf(const QString& text)
{
    QString digits;
    for (QChar c : text)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits.append(c);
    return digits;
}

// Refuses typed characters other than digits. Control keys (Backspace,
// Enter, the copy and paste shortcuts) pass; what a paste brings in is
// reduced to its digits by the edit's own handler.
class DigitFilter : public QObject {
public:
    DigitFilter(QObject* parent, std::function<void()> beep) : QObject(parent), m_beep(std::move(beep)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        // A paste brings in the digits only, before the five-character
        // limit cuts it: "27a015" gives 27015.
        auto* edit = qobject_cast<QLineEdit*>(watched);
        if (edit && key->matches(QKeySequence::Paste)) {
            edit->insert(digitsOf(QGuiApplication::clipboard()->text()));
            return true;
        }
        const QString typed = key->text();
        const bool printable = !typed.isEmpty() && typed[0].isPrint() &&
                               !(key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
        if (!printable)
            return false;
        const bool digit = typed.size() == 1 && typed[0] >= QLatin1Char('0') && typed[0] <= QLatin1Char('9');
        if (digit)
            return false;
        if (m_beep)
            m_beep();
        return true;
    }

private:
    std::function<void()> m_beep;
};

}  // namespace

QLabel* labelFor(QWidget* control, const QString& text)
{
    auto* label = new QLabel(text, control->parentWidget());
    label->setBuddy(control);
    return label;
}

void arrowsOnly(QSpinBox* spin)
{
    if (auto* edit = spin->findChild<QLineEdit*>())
        edit->setReadOnly(true);
}

void boundColumn(QTreeWidget* list, int column, int minWidth, int maxWidth)
{
    QHeaderView* header = list->header();
    QObject::connect(header, &QHeaderView::sectionResized, list,
                     [header, column, minWidth, maxWidth](int index, int, int size) {
                         if (index != column)
                             return;
                         const int bounded = std::clamp(size, minWidth, maxWidth);
                         if (bounded != size)
                             header->resizeSection(column, bounded);
                     });
}

QTreeWidget* makeList(QWidget* parent, const char* name, const QStringList& columns)
{
    auto* list = named(new QTreeWidget(parent), name);
    list->setColumnCount(static_cast<int>(columns.size()));
    list->setHeaderLabels(columns);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAlternatingRowColors(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionResizeMode(QHeaderView::Interactive);
    return list;
}

QLineEdit* portEdit(QWidget* parent, const char* name, const std::function<void()>& beep)
{
    auto* edit = named(new QLineEdit(parent), name);
    edit->setMaxLength(5);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);
    edit->installEventFilter(new DigitFilter(edit, beep));
    // Whatever else reaches the edit (the context menu's paste, a drop)
    // keeps only its digits.
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        const QString digits = digitsOf(text);
        if (digits != text)
            edit->setText(digits);
    });
    return edit;
}

void showError(QWidget* parent, const QString& text)
{
    QMessageBox::critical(parent, QStringLiteral("Error"), text, QMessageBox::Ok);
}

}  // namespace settings_pages
