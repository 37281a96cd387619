#include "tests/support/info_answers.h"

QByteArray goldSrcInfo(const GoldSrcAnswer& a)
{
    QByteArray d("\xff\xff\xff\xffm", 5);
    for (const QByteArray& s : {a.stated, a.name, a.map, a.gameDir, a.description}) {
        d.append(s);
        d.append('\0');
    }
    d += static_cast<char>(a.players);
    d += static_cast<char>(a.max);
    d += static_cast<char>(a.protocol);
    d += 'd';
    d += a.os;
    d += a.password ? '\x01' : '\x00';
    d += '\0';  // not a mod
    d += '\0';  // secure
    d += '\0';  // bots
    return d;
}

QByteArray oldProtocolInfo(const QByteArray& description, const QByteArray& players,
                           const QByteArray& max)
{
    QByteArray d("\xff\xff\xff\xffinfostringresponse", 22);
    d.append('\0');
    d.append("\\protocol\\47\\address\\127.0.0.1:27015\\players\\").append(players);
    d.append("\\max\\").append(max);
    d.append("\\hostname\\Old server\\map\\crossfire\\gamedir\\valve\\description\\");
    d.append(description).append("\\os\\l\\password\\0\\proxy\\0\\");
    d.append('\0');
    return d;
}
