#include "core/program.h"

namespace zarnek {

const char* const kProgramTitle = "Zarnek_v1.98";

}  // namespace zarnek
