#pragma once
// Changing one value of one channel, with the rules that tie the fields of a
// channel together. The grid's column numbers and the detail editor's rows
// name the field by these codes.
#include <string>
#include <string_view>

#include "channels/channel_list.h"

namespace velmar {

namespace ChField {
inline constexpr int RxFre = 1;
inline constexpr int TxFre = 2; // offset and shift direction, from a transmit entry
inline constexpr int RxTone = 4;
inline constexpr int TxTone = 5;
inline constexpr int ScanSkip = 7;
inline constexpr int OptSignal = 8;
inline constexpr int ChSpacing = 9;
inline constexpr int PttId = 10;
inline constexpr int BusyLock = 11;
inline constexpr int RevTalkaround = 12;
inline constexpr int BotMemCode = 13;
inline constexpr int Scrambler = 14;
inline constexpr int TxInhibit = 15;
inline constexpr int Talkaround = 16;
inline constexpr int Reverse = 17;
inline constexpr int Whisper = 18;
inline constexpr int Compander = 19;
inline constexpr int SignalRelation = 21;
inline constexpr int EotMemCode = 22;
inline constexpr int RbTone = 23;
inline constexpr int SqlMode = 24;
inline constexpr int AmFm = 25;
inline constexpr int AmPower = 26;
inline constexpr int FmPower = 27;
inline constexpr int CallMemCode = 28;
inline constexpr int Rep = 29;
inline constexpr int Tsq = 30;
inline constexpr int ExtraChoice = 31;
inline constexpr int RxExpand = 37;
inline constexpr int TxCompress = 38;
inline constexpr int NbAnl = 39;
inline constexpr int Att = 40;
inline constexpr int HiCut = 41;
inline constexpr int AmFmLock = 42;
inline constexpr int AmPowerLock = 43;
inline constexpr int FmPowerLock = 44;
inline constexpr int FmPowerLock2 = 46;
inline constexpr int AmPower4W = 47;
inline constexpr int AmPower15W = 48;
inline constexpr int FmPower4W = 49;
inline constexpr int FmPower15W = 50;
inline constexpr int FmPower50W = 51;
inline constexpr int RepLock = 52;
inline constexpr int RbLock = 53;
} // namespace ChField
// Every other code (3, 6, 20, 32-36, 45, above 53) is accepted and stores
// nothing: the detail editor sends them for controls this radio does not
// keep per channel.

// Channels 1 … 120 keep the receive frequency they were created with.
inline constexpr int kLastFixedChannel = 120;

// Stores `value` into the field of `code`, with the coupling rules:
// - RxFre: channels above 120 only;
// - TxFre: offset and direction from the entry (an offset when showTxOffset is
//   set, else a transmit frequency), then ChRasterAlign;
// - RxTone: a first decode tone is copied to an empty encode tone; no decode
//   tone turns busy lockout 2 (needs a tone) into 1;
// - TxTone: a first encode tone is copied to an empty decode tone;
// - OptSignal: without decode tone, busy lockout above 1 becomes 1.
// Other codes take the value as a whole number; a value that is not one in
// the 16-bit range, or a tone outside ToneList, stores nothing.
void SetChField(ChannelInfo& channel, int code, std::string_view value, bool showTxOffset,
                const FreContext& fre);

// The single entry for changing one value of the channel at position `pos` of
// `group`:
// 1. a receive frequency, and a transmit frequency while ShowTxOffset is off,
//    is checked first (FreCheckText with CurGroup: clamped, aligned, warned
//    about); `value` then holds what was stored;
// 2. no channel at that position: a receive frequency creates it, anything
//    else is ignored;
// 3. an empty receive frequency deletes the channel, except the last used
//    channel and the VFO channel, which stay without a message;
// 4. an entry equal to what is shown changes nothing; else SetChField;
// 5. a receive-frequency change repairs the group's emergency channels; the
//    grid row and the detail editor are then refreshed.
// A value made of blanks counts as empty. A group or position outside the
// channel numbering is ignored.
void SetChValue(Document& document, const ChannelEnv& env, int group, int pos, int code,
                std::string& value);
void SetChValue(Document& document, const ChannelEnv& env, int group, int pos, int code, int value);

// The busy-lockout rule of channel `chNo`: choice 2 needs a reference tone
// (TxTone when Reverse is set, else RxTone) and falls back to 1 without one.
// With the detail editor open its list is refilled (texts 15030, 15031, and
// 15032 only with a reference tone) and a choice outside it becomes 0.
void ShowBusyLockChoices(Document& document, const ChannelEnv& env, int chNo);

} // namespace velmar
