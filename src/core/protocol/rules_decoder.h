#pragma once

// Rules answers (type 'E') to rule records.

#include <vector>

#include "core/protocol/records.h"
#include "core/protocol/requests.h"

namespace zarnek::protocol {

// The rules of one whole answer (single datagram or reassembled), in its
// order. The 16-bit count at offset 5 bounds the walk and so does the
// answer's end: a count larger than the pairs present lists only those, and
// nothing outside this answer is ever read.
std::vector<TRules> AddRules(ByteView answer);

}  // namespace zarnek::protocol
