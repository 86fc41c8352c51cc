#include "programs/common/version.h"

namespace programs {

std::string_view GameVersion() { return QUELMO_VERSION; }

}  // namespace programs
