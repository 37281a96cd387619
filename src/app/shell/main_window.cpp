#include "app/shell/main_window.h"

#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>

// Minimal first version; see main_window.h.
TForm1::TForm1(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Zarnek_v1.98"));
    setMinimumSize(680, 175);
    resize(680, 289);
    RG = new QButtonGroup(this);
    auto* game = new QRadioButton(QStringLiteral("G a m e"), this);
    auto* hltv = new QRadioButton(QStringLiteral("HLTV"), this);
    RG->addButton(game, 0);
    RG->addButton(hltv, 1);
    game->setChecked(true);
    connect(RG, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            RGClick();
    });
    TimerFav = new QTimer(this);
    TimerFav->setInterval(10000);
    Timer = new QTimer(this);
    Timer->setInterval(1000);
    connect(Timer, &QTimer::timeout, this, &TForm1::TimerTimer);
    for (int i = 0; i < 3; ++i)
        statusBar()->addWidget(new QLabel(this));
}

TForm1::~TForm1() = default;

int TForm1::RGIndex() const { return RG->checkedId(); }

void TForm1::setRGIndex(int index)
{
    if (index < 0) {
        RG->setExclusive(false);
        if (auto* b = RG->checkedButton())
            b->setChecked(false);
        RG->setExclusive(true);
        return;
    }
    if (auto* b = RG->button(index))
        b->setChecked(true);
}

QString TForm1::statusText(int panel) const
{
    const auto labels = statusBar()->findChildren<QLabel*>();
    return panel >= 0 && panel < labels.size() ? labels[panel]->text() : QString();
}

void TForm1::setStatusText(int panel, const QString& text)
{
    const auto labels = statusBar()->findChildren<QLabel*>();
    if (panel >= 0 && panel < labels.size())
        labels[panel]->setText(text);
}

void TForm1::RGClick() {}
