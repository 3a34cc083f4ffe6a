#pragma once
#include "link/image_conversion.h"

#include <string>

namespace velmar {

// Why a document cannot be written to the radio, for the user; empty when
// the build succeeded.
std::string ImageBuildFaultText(const ImageBuildResult& result);

} // namespace velmar
