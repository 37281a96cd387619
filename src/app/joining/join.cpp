// The join: every way into a game (Play, the pop-up's "Play", a double click,
// the password prompt's OK, auto-connect) ends here. It starts the game of the
// selected row with the arguments that connect it to that server, then hides
// the main window to the tray.
#include "app/joining/password_prompt.h"
#include "app/settings/settings_dialog.h"
#include "display/display_text.h"
#include "app/shell/main_window.h"
#include "core/joining/join_text.h"
#include "core/protocol/server_row.h"
#include "platform/game_launcher.h"

#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

namespace joining = zarnek::joining;
namespace icon = zarnek::protocol::icon;

void TForm1::SBPlayClick()
{
    // Without a selected row there is nothing to join: the list may just have
    // been emptied by a poll or a scan. Nothing changes, auto-connect included.
    if (LWItemIndex() < 0)
        return;

    setTrayCycling(false);
    QString address;
    if (AutoConnectOn) {
        address = AutoTarget;
        TimerAuto->stop();
        SBScanAll->setEnabled(true);
        AutoConnectOn = false;
        setAutoButtonArmed(false);
        setStatusText(2, QStringLiteral(" Autoconnect disabled."));
    } else {
        address = displayText(m_rows[static_cast<std::size_t>(LWItemIndex())].address);
    }

    const auto isFull = [this](int row) {
        return m_rows[static_cast<std::size_t>(row)].availabilityIcon == icon::Full;
    };
    if (isFull(LWItemIndex())) {
        const auto answer = QMessageBox::question(this, QStringLiteral("Confirm"),
                                                  QStringLiteral("Server is full.  Connect now ?"),
                                                  QMessageBox::Yes | QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return;
    }
    // The question let every event run: from here on the join acts on the row
    // selected now, and on none if the list was emptied meanwhile.
    const int row = LWItemIndex();
    if (row < 0)
        return;
    const zarnek::protocol::ServerRow server = m_rows[static_cast<std::size_t>(row)];

    if (server.availabilityIcon == icon::Locked && !PassGiven) {
        if (FormPass)
            FormPass->showPrompt();
        return;
    }

    if (const auto game = joining::GameIndexOf(server.game); game && Settings) {
        const QString exePath = Settings->ExePath[*game];
        if (exePath.isEmpty()) {
            PassGiven = false;
            QMessageBox::critical(this, QStringLiteral("Error"),
                                  displayText(joining::MissingPathMessage(*game)),
                                  QMessageBox::Ok);
            return;
        }
        const joining::JoinCommandLine line = joining::BuildJoinCommandLine(
            wireText(Settings->Param[*game]), wireText(address), server.port, wireText(PassArg));
        QStringList arguments = QProcess::splitCommand(QString::fromStdString(line.standingPart));
        if (line.password)
            arguments << QStringLiteral("+password") << QString::fromStdString(*line.password);
        launcher()->launch(exePath, arguments, QString::fromStdString(line.parameterText));
    }

    hide();
    PassGiven = false;
}

void TForm1::PlayClick() { SBPlayClick(); }

void TForm1::LWDblClick()
{
    if (LWItemIndex() >= 0 && Settings && Settings->CBDclick->isChecked())
        SBPlayClick();
}
