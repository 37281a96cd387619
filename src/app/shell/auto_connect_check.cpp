// The auto-connect check that follows every row added. Armed only through the
// auto-connect dialog; until that dialog exists no comparison is chosen, so the
// check notes the target's answer but never fires.
#include "display/display_text.h"
#include "app/shell/main_window.h"
#include "core/protocol/server_row.h"

#include <QPushButton>

void TForm1::CheckAutoConnect(const QString& senderAddress, std::optional<int> playerCount,
                              const QString&)
{
    const QString comparison;  // the dialog's comparison box
    const auto decision = zarnek::protocol::CheckAutoConnect(
        AutoConnectOn, wireText(AutoTarget), wireText(comparison), AutoNeed,
        wireText(senderAddress), playerCount);
    if (decision == zarnek::protocol::AutoConnectDecision::Nothing)
        return;
    AutoMissed = 0;
    SBPlay->setEnabled(false);
}
