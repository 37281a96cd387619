#include "app/settings/settings_dialog.h"
#include "app/settings/translucency.h"
#include "app/shell/window_placement.h"

#include "app/shell/main_window.h"

#include <QCheckBox>
#include <QFile>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

TSettings::TSettings(TForm1& form1, const QString& iniPath, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_form1(form1),
      m_file(QFile::encodeName(iniPath).toStdString())
{
    setObjectName(QStringLiteral("Settings"));
    setWindowTitle(QStringLiteral("Settings"));
    setModal(false);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    buildMainPage();
    buildScanPage();
    buildFavoritesPage();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(PageControl1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(CBGame, &QComboBox::currentIndexChanged, this, &TSettings::CBGameChange);
    connect(CBTrans, &QCheckBox::toggled, this, &TSettings::CBTransClick);
    connect(TBTrans, &QSlider::valueChanged, this, &TSettings::TBTransChange);
    connect(CBAutoUpdate, &QCheckBox::toggled, this, &TSettings::CBAutoUpdateClick);
    connect(SEUpdInterval, &QSpinBox::valueChanged, this, &TSettings::SEUpdIntervalChange);
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 0 && isVisible())
            TS1Show();
    });

    // RGClick stores the scan-port choice through this dialog, also the one
    // Load makes.
    m_form1.Settings = this;
    Load();
}

TSettings::~TSettings()
{
    SaveAtExit();
    if (m_form1.Settings == this)
        m_form1.Settings = nullptr;
}

void TSettings::showNonModal()
{
    show();
    raise();
    activateWindow();
}

void TSettings::showEvent(QShowEvent* event)
{
    if (!m_centred) {
        m_centred = true;
        centreOnScreen(*this);
    }
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TSettings::FormShow()
{
    BBSave->setEnabled(false);
    applyTranslucencyKeepingOn(*this, this);
    if (PageControl1->currentIndex() == 0)
        TS1Show();
}

void TSettings::TS1Show()
{
    TBTrans->setValue(std::clamp<int>(TransLevel, TBTrans->minimum(), TBTrans->maximum()));
}

void TSettings::CBGameChange(int index)
{
    if (index < 0 || index >= 6)
        return;
    EditExe->setText(ExePath[index]);
    EditParam->setText(Param[index]);
}

QList<QWidget*> TSettings::translucencyFollowers() const
{
    QList<QWidget*> windows;
    if (m_form1.FormAbout)
        windows.append(m_form1.FormAbout);
    for (const QPointer<QWidget>& window : m_followers)
        if (window && !windows.contains(window.data()))
            windows.append(window.data());
    return windows;
}

void TSettings::followTranslucency(QWidget* window)
{
    if (window && !m_followers.contains(window))
        m_followers.append(window);
}

// Switching on reaches only the main window and this dialog; the other
// windows take it when they are next shown. Switching off reaches every
// window that follows the switch at once.
void TSettings::CBTransClick(bool checked)
{
    Trans = checked;
    setWindowTranslucency(m_form1, checked, TransLevel);
    setWindowTranslucency(*this, checked, TransLevel);
    if (!checked)
        for (QWidget* window : translucencyFollowers())
            setWindowTranslucency(*window, false, TransLevel);
    TBTrans->setEnabled(checked);
}

// A new level reaches every translucent window that follows the switch;
// opaque ones keep it for when they turn translucent.
void TSettings::TBTransChange(int position)
{
    TransLevel = static_cast<quint8>(std::clamp(position, 0, 255));
    QList<QWidget*> windows = translucencyFollowers();
    windows.prepend(this);
    windows.prepend(&m_form1);
    for (QWidget* window : windows)
        setWindowTranslucency(*window, isWindowTranslucent(*window), TransLevel);
}

void TSettings::CBAutoUpdateClick(bool checked)
{
    if (checked) {
        // Switching on does not restart a running countdown.
        if (!m_form1.TimerFav->isActive())
            m_form1.TimerFav->start();
        m_form1.setStatusText(2, QStringLiteral(" Autoscan enabled"));
    } else {
        m_form1.TimerFav->stop();
        m_form1.setStatusText(0, QString());
        m_form1.setStatusText(2, QStringLiteral(" Autoscan disabled"));
    }
}

void TSettings::SEUpdIntervalChange(int value)
{
    // Setting the interval of a running timer restarts its countdown, so
    // only a changed interval is set.
    if (value >= 5 && m_form1.TimerFav->interval() != value * 1000)
        m_form1.TimerFav->setInterval(value * 1000);
}
