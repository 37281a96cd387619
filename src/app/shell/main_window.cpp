// The main window's life: creation with the single-instance check and the hot
// key, showing, the close request and the end.
#include "app/shell/main_window.h"
#include "app/shell/window_placement.h"

#include "app/settings/settings_dialog.h"
#include "app/settings/translucency.h"
#include "app/shell/server_list_view.h"
#include "platform/event_pump.h"
#include "platform/game_launcher.h"
#include "platform/hot_key.h"
#include "platform/local_address.h"
#include "platform/qt_udp_endpoint.h"
#include "platform/single_instance.h"
#include "platform/system_platform.h"
#include "platform/udp_endpoint.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QSystemTrayIcon>
#include <QTimer>


namespace {
const QString kTitle = QStringLiteral("Zarnek_v1.98");
}

TForm1Platform::TForm1Platform() = default;
TForm1Platform::TForm1Platform(TForm1Platform&&) noexcept = default;
TForm1Platform& TForm1Platform::operator=(TForm1Platform&&) noexcept = default;
TForm1Platform::~TForm1Platform() = default;

TForm1Platform TForm1Platform::system()
{
    TForm1Platform p;
    p.udp = std::make_unique<QtUdpEndpoint>(27005);
    p.pump = std::make_unique<QtEventPump>();
    p.hotKey = makeSystemHotKey();
    QString desktop = qEnvironmentVariable("DISPLAY");
    if (desktop.isEmpty())
        desktop = qEnvironmentVariable("WAYLAND_DISPLAY");
    p.instance = std::make_unique<LocalSocketInstance>(kTitle, desktop);
    p.localAddress = std::make_unique<SystemLocalAddress>();
    p.launcher = std::make_unique<ProcessGameLauncher>();
    return p;
}

TForm1::TForm1(QWidget* parent) : TForm1(TForm1Platform(), parent) {}

TForm1::TForm1(TForm1Platform platform, QWidget* parent)
    : QMainWindow(parent), m_platform(std::move(platform))
{
    if (!m_platform.udp)
        m_platform.udp = std::make_unique<InertUdpEndpoint>();
    if (!m_platform.pump)
        m_platform.pump = std::make_unique<QtEventPump>();
    if (!m_platform.localAddress)
        m_platform.localAddress = std::make_unique<SystemLocalAddress>();
    if (!m_platform.launcher)
        m_platform.launcher = std::make_unique<InertGameLauncher>();

    buildViews();
    FormCreate();
}

TForm1::~TForm1() { FormDestroy(); }

void TForm1::FormCreate()
{
    // 1. Single instance. The tray icon is not shown yet, so a second
    // instance leaves none behind.
    if (m_platform.instance) {
        if (m_platform.instance->handOverToRunning()) {
            m_secondInstance = true;
            delete TrayIcon;
            TrayIcon = nullptr;
            return;
        }
        connect(m_platform.instance.get(), &SingleInstance::restoreRequested, this,
                &TForm1::RestoreRequested);
        m_platform.instance->serve();
    }

    // 2. The request datagrams are built with the protocol dispatcher.
    UdpEndpoint* endpoint = m_platform.udp.get();
    connect(endpoint, &UdpEndpoint::dataReceived, this, &TForm1::UDPDataReceived);
    connect(endpoint, &UdpEndpoint::bufferInvalid, this, &TForm1::UDPBufferInvalid);
    connect(endpoint, &UdpEndpoint::invalidHost, this, &TForm1::UDPInvalidHost);

    // 3. Centred on the screen when first shown: see showEvent.

    TrayIcon->show();
    watchSessionEnd();

    // 4. The global hot key.
    if (GlobalHotKey* key = m_platform.hotKey.get()) {
        connect(key, &GlobalHotKey::pressed, this, &TForm1::HotKeyPressed);
        m_hotKeyRegistered =
            key->registerKey(kHotKeyId, QKeyCombination(Qt::ShiftModifier | Qt::AltModifier, Qt::Key_S));
        if (!m_hotKeyRegistered)
            QMessageBox::information(
                this, kTitle,
                QStringLiteral("The hot key Shift+Alt+S is not available: another program holds "
                               "it, or this desktop has no global hot keys.\n\nUse the tray icon "
                               "or the File menu to hide and show the window."),
                QMessageBox::Ok);
    }
}

void TForm1::showEvent(QShowEvent* event)
{
    centreOnFirstShow(*this, m_centred);
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TForm1::FormShow()
{
    if (!Settings)
        return;
    if (Settings->CBAutoUpdate->isChecked())
        TimerFav->start();
    applyTranslucencyKeepingOn(*this, Settings);
}

void TForm1::hideEvent(QHideEvent* event)
{
    QMainWindow::hideEvent(event);
    if (!event->spontaneous())
        FormHide();
}

void TForm1::FormHide()
{
    // The favourites auto-scan runs only while the window is shown; the
    // interval stays, so showing the window again resumes where it was.
    TimerFav->stop();
}

bool TForm1::FormCloseQuery()
{
    if (ScanInProgress && !m_forceClose) {
        SBStopClick();
        return false;
    }
    return true;
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (m_closed) {
        event->accept();
        return;
    }
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TForm1::FormClose()
{
    m_closed = true;
    // The endpoint object stays (closed) so that a loop still inside its pump
    // sees isClosed() and ends without sending.
    m_platform.udp->close();
    if (m_hotKeyRegistered && m_platform.hotKey)
        m_platform.hotKey->unregisterKey(kHotKeyId);
    m_hotKeyRegistered = false;
    emit programEnded();
}

void TForm1::FormDestroy()
{
    // The lists die with the widget tree, after this object's members.
    disconnect(LW->model(), nullptr, this, nullptr);
    if (m_platform.udp)
        m_platform.udp->close();
    if (m_hotKeyRegistered && m_platform.hotKey)
        m_platform.hotKey->unregisterKey(kHotKeyId);
}

void TForm1::TerminationRequested()
{
    if (m_closed)
        return;
    if (ScanInProgress)
        SBStopClick();
    m_forceClose = true;
    close();
    // A hidden window may not get its close event; end the same way then.
    if (!m_closed) {
        FormClose();
    }
}

void TForm1::Exit1Click() { close(); }

void TForm1::Options1Click()
{
    if (Settings)
        Settings->showNonModal();
}

void TForm1::About1Click()
{
    if (FormAbout) {
        FormAbout->show();
        FormAbout->raise();
        FormAbout->activateWindow();
    }
}

void TForm1::RGClick()
{
    if (Settings)
        Settings->storeGameType(RGIndex());
}

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

void TForm1::setRGEnabled(bool enabled) { RGBox->setEnabled(enabled); }

QString TForm1::statusText(int panel) const
{
    return panel >= 0 && panel < 3 ? m_panels[panel]->text() : QString();
}

void TForm1::setStatusText(int panel, const QString& text)
{
    if (panel >= 0 && panel < 3)
        m_panels[panel]->setText(text);
}
