#pragma once

// Info answers as servers send them, for tests that need rows in the server
// list with a chosen game, player count and lock.

#include <QByteArray>

struct GoldSrcAnswer {
    QByteArray stated = "127.0.0.1:27015";  // the address the server states
    QByteArray name = "Test server";
    QByteArray map = "de_dust2";
    QByteArray gameDir = "cstrike";
    QByteArray description = "Counter-Strike";  // "1.6"
    int players = 3;
    int max = 16;
    int protocol = 47;
    char os = 'l';
    bool password = false;
};
// A GoldSrc info answer ('m').
QByteArray goldSrcInfo(const GoldSrcAnswer& answer);

// An old-protocol info answer ("infostringresponse") with the given
// description; descriptions no game claims make a "?" row.
QByteArray oldProtocolInfo(const QByteArray& description, const QByteArray& players,
                           const QByteArray& max);
