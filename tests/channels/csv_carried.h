#pragma once
// What the CSV layout carries of a channel, as the grid and the editor show
// it: the tests compare channels by this before and after an exchange.
#include <ostream>
#include <string>

#include "channels/csv_row.h"
#include "channels/offset_codec.h"
#include "channels/stored_fre_text.h"
#include "model/channel_info.h"
#include "model/fixed_text.h"

namespace velmar::test {

struct Carried {
    std::string Rx;
    std::string Offset; // signed
    int RxTone, TxTone, AmFm, Power, ScanSkip;
    friend bool operator==(const Carried&, const Carried&) = default;
};

inline void PrintTo(const Carried& c, std::ostream* os) {
    *os << c.Rx << " " << c.Offset << " tones " << c.RxTone << "/" << c.TxTone << " AmFm " << c.AmFm
        << " power " << c.Power << " skip " << c.ScanSkip;
}

inline Carried CarriedOf(const ChannelInfo& ch) {
    return {StoredFreText(ch.RxFre).value_or("-"),
            OffsetStoreToShow(TrimFixStr(ch.Offset), ch.ShiftDir),
            ch.RxTone,
            ch.TxTone,
            ch.AmFm,
            PowerValueOf(ch),
            ch.ScanSkip};
}

} // namespace velmar::test
