#pragma once
// How the Edit menu names the channel changes: the value of one channel, the
// channel commands, and the group controls of the channel grid.
#include "channels/clipboard.h"
#include "model/step_label.h"

namespace velmar {

// "receive frequency of channel 130": field `code` (channels/channel_values.h)
// of channel `chNo`.
StepLabel ChannelValueLabel(int code, int chNo);

// "paste to channel 130" and the like (a copy changes no document).
StepLabel ChEditLabel(ChEditCommand command, int chNo);

// "name of group 3", "valid flag of group 3", and the emergency channels of
// the group (`mode`: their AM/FM choice).
StepLabel GroupNameLabel(int group);
StepLabel GroupValidLabel(int group);
StepLabel EmergencyChannelLabel(int group, bool mode);

} // namespace velmar
