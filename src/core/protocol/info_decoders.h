#pragma once

// The three info answers, bytes to records. Reads stay within the answer;
// missing fields read as zero bytes and empty strings.

#include "core/protocol/records.h"
#include "core/protocol/requests.h"

namespace zarnek::protocol {

// A GoldSrc info answer: FF FF FF FF 'm', five strings, seven bytes, two strings.
THL1info DecodeHL1(ByteView answer);

// A Source info answer: FF FF FF FF 'I', protocol byte, four strings, the
// application id, six bytes. Nothing further is read.
TCSSinfo DecodeCSS(ByteView answer);

// The nine values of an old-protocol answer, looked up in the key/value text
// that starts at offset 23.
OldInfo ExtractOldInfo(ByteView answer);

}  // namespace zarnek::protocol
