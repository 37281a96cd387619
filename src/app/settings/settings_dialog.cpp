#include "app/settings/settings_dialog.h"
#include "app/settings/translucency.h"
#include "app/shell/window_placement.h"

#include "app/shell/main_window.h"

#include <QApplication>
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

    beep = [] { QApplication::beep(); };
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    TS1 = new SettingsMainPage(*this, PageControl1);
    TS2 = new SettingsScanPage(*this, PageControl1);
    TS3 = new SettingsFavoritesPage(*this, form1, PageControl1);
    PageControl1->addTab(TS1, QStringLiteral("Main"));
    PageControl1->addTab(TS2, QStringLiteral("Scan settings"));
    PageControl1->addTab(TS3, QStringLiteral("Favorites"));
    CBGame = TS1->CBGame;
    EditExe = TS1->EditExe;
    EditParam = TS1->EditParam;
    CBParams = TS1->CBParams;
    BBSave = TS1->BBSave;
    CBDclick = TS1->CBDclick;
    CBTrans = TS1->CBTrans;
    TBTrans = TS1->TBTrans;
    CBBroadcast = TS2->CBBroadcast;
    CBOld = TS2->CBOld;
    LWranges = TS2->LWranges;
    CSport = TS2->CSport;
    HLTVport = TS2->HLTVport;
    SEDelay = TS2->SEDelay;
    LVFav = TS3->LVFav;
    CBAutoUpdate = TS3->CBAutoUpdate;
    SEUpdInterval = TS3->SEUpdInterval;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(PageControl1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
        if (!isVisible())
            return;
        if (index == 0)
            TS1->TS1Show();
        else if (index == 1)
            TS2->TS2Show();
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
    showInFront(*this);
}

void TSettings::showEvent(QShowEvent* event)
{
    centreOnFirstShow(*this, m_centred);
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TSettings::FormShow()
{
    BBSave->setEnabled(false);
    applyTranslucencyKeepingOn(*this, this);
    if (PageControl1->currentIndex() == 0)
        TS1->TS1Show();
    else if (PageControl1->currentIndex() == 1)
        TS2->TS2Show();
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
void TSettings::switchTranslucency(bool on)
{
    Trans = on;
    setWindowTranslucency(m_form1, on, TransLevel);
    setWindowTranslucency(*this, on, TransLevel);
    if (!on)
        for (QWidget* window : translucencyFollowers())
            setWindowTranslucency(*window, false, TransLevel);
}

// A new level reaches every translucent window that follows the switch;
// opaque ones keep it for when they turn translucent.
void TSettings::setTranslucencyLevel(int level)
{
    TransLevel = static_cast<quint8>(std::clamp(level, 0, 255));
    QList<QWidget*> windows = translucencyFollowers();
    windows.prepend(this);
    windows.prepend(&m_form1);
    for (QWidget* window : windows)
        setWindowTranslucency(*window, isWindowTranslucent(*window), TransLevel);
}
