#include "link/build_fault_text.h"

namespace velmar {

std::string ImageBuildFaultText(const ImageBuildResult& result) {
    const std::string channel = std::to_string(result.ChNo);
    switch (result.Fault) {
    case ImageBuildFault::ChannelNumber:
        return "The data cannot be written to the radio: a channel has the number " + channel +
               ", outside 1 … 529.";
    case ImageBuildFault::Frequency:
        return "The data cannot be written to the radio: the receive frequency of channel " +
               channel + " is not valid.";
    case ImageBuildFault::None:
        break;
    }
    return {};
}

} // namespace velmar
