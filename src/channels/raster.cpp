#include "channels/raster.h"

#include <cstdlib>

#include "channels/offset_codec.h"
#include "shell/numbers.h"

namespace velmar {

namespace {

constexpr double kUnitsPerMHz = 100000; // 10 Hz units

struct RasterFit {
    RasterKind kind;
    long long units;
};

// A frequency (10 Hz units) on its raster counted from `low`.
RasterFit FitRaster(long long n, long long low) {
    const long long x = n - low;
    const long long r5 = x % 500;
    const long long r25 = x % 2500;
    const long long r8 = r25 % 833;
    if (r5 == 0)
        return {kRaster5kHz, n};
    if (x % 625 == 0)
        return {kRaster6_25kHz, n};
    if (r8 == 0)
        return {kRaster8_33kHz, (r25 - r8) / 833 >= 3 ? n + 1 : n};
    return {kRaster5kHz, n - r5};
}

long long ToUnits(std::string_view numericText) {
    return ScaledRound(Number(numericText), 5, HalfRounding::ToEven);
}

std::string UnitsText(long long units) {
    return NumberText(units / kUnitsPerMHz);
}

} // namespace

void ChRasterAlign(ChannelInfo& channel, const FreContext& fre) {
    const std::string storedRx = TrimFixStr(channel.RxFre);
    if (!IsStoredDigits(storedRx))
        return;
    const long long low = ScaledRound(fre.BandLow, 5, HalfRounding::ToEven);
    const RasterFit rx = FitRaster(ToUnits(FreStoreToShow(storedRx, fre)), low);
    channel.RxRaster = rx.kind;
    channel.RxFre = MakeFixStr<8>(FreShowToStore(UnitsText(rx.units), fre.BandLow));
    if (channel.ShiftDir != kShiftMinus && channel.ShiftDir != kShiftPlus) {
        channel.TxRaster = channel.RxRaster;
        return;
    }
    const std::string offText = OffsetStoreToShow(TrimFixStr(channel.Offset), channel.ShiftDir);
    const RasterFit tx = FitRaster(std::llabs(rx.units + ToUnits(offText)), low);
    channel.TxRaster = tx.kind;
    channel.Offset =
        MakeFixStr<7>(OffsetShowToStore(TrimFixStr(channel.RxFre), UnitsText(tx.units), false,
                                        TrimFixStr(channel.Offset), channel.ShiftDir, fre));
}

} // namespace velmar
