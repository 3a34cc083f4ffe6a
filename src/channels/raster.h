#pragma once
// The channel rasters: both frequencies of a channel lie on the 5 kHz, the
// 6.25 kHz or the 8.33 kHz raster counted from the lower band limit.
#include "channels/frequency_codec.h"
#include "model/channel_info.h"

namespace velmar {

// RxRaster and TxRaster values.
enum RasterKind { kRaster5kHz = 0, kRaster6_25kHz = 1, kRaster8_33kHz = 2 };

// Puts RxFre on its raster and records the raster in RxRaster; with a shift,
// does the same for the transmit frequency (TxRaster) and rewrites Offset and
// ShiftDir to reach it. A frequency on none of the rasters moves down to the
// 5 kHz raster; 8.33 kHz steps are 0, 833, 1666 and 2499 units of 10 Hz
// within each 25 kHz block, and the last one moves up onto the next block.
// A channel without receive frequency is left as it is.
void ChRasterAlign(ChannelInfo& channel, const FreContext& fre);

} // namespace velmar
