#pragma once
// The factory information of one radio as the factory tool holds it while it
// runs: model and band, factory mode, serial number, production and repair
// data, dealer data and the programming password.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "link/info_block_layout.h"

namespace velmar {

// Texts are bytes in the ANSI code page, as they travel to and from the radio;
// the window converts them for display.
struct FactoryInfo {
    std::string RadioType = "KAVRO";
    int BandCode = 1;
    bool FactoryMode = true;
    std::string AreaCode;
    std::string SerialNumber;
    std::string ProducedDate;
    std::string MaintainedDate;
    std::string MaintainedDescription;
    std::string FirmwareVersion = "V1.00"; // shown only; not part of the radio's blocks
    std::string ManufactureCode;
    std::string UserCode = "001A";
    std::string DealerCode;
    std::string StockDate;
    std::string SellDate;
    std::string Seller;
    std::string ProgramPassword;
    // DTMF, scramble, stun, kill: kept for the window's hidden check boxes,
    // never read from or written to a radio.
    std::array<std::uint16_t, 4> OptionFlags{1, 1, 0, 0};
};

// Today as the defaults need it. The caller reads the clock and the system's
// short date format, so that the defaults can be reproduced.
struct TodayDate {
    int Year = 2000;
    int Month = 1;
    int Day = 1;
    std::string ShortDate; // today in the system's short date format
};

// Every field back to its value at start: the serial number is today's date
// (yyyymmdd) followed by "00000001", the produced date is today, the
// manufacture code is the month (two digits) followed by "-1-E-1".
void InitFactoryData(FactoryInfo& info, const TodayDate& today);

// One text field: where it lies in the radio's memory and how many bytes it
// takes there (and so how many characters its edit box accepts).
struct FactoryTextField {
    std::string FactoryInfo::*Text;
    std::uint16_t Address; // 0: not kept in the radio
    std::size_t Width;
};

// A field of the information block (link/info_block_layout.h).
constexpr FactoryTextField InBlock(std::string FactoryInfo::*text, info_block::Field field) {
    return {text, field.Address, field.Width};
}

// The text fields in the order of the window's edit boxes Text1(0) … Text1(12).
inline constexpr std::array<FactoryTextField, 13> FactoryTextFields{{
    InBlock(&FactoryInfo::AreaCode, info_block::AreaCode),
    InBlock(&FactoryInfo::SerialNumber, info_block::SerialNumber),
    InBlock(&FactoryInfo::ProducedDate, info_block::ProducedDate),
    InBlock(&FactoryInfo::MaintainedDate, info_block::MaintainedDate),
    InBlock(&FactoryInfo::MaintainedDescription, info_block::MaintainedDescription),
    {&FactoryInfo::FirmwareVersion, 0, 16},
    InBlock(&FactoryInfo::ManufactureCode, info_block::ManufactureCode),
    InBlock(&FactoryInfo::UserCode, info_block::UserCode),
    InBlock(&FactoryInfo::DealerCode, info_block::DealerCode),
    InBlock(&FactoryInfo::StockDate, info_block::StockDate),
    InBlock(&FactoryInfo::SellDate, info_block::SellDate),
    InBlock(&FactoryInfo::Seller, info_block::Seller),
    InBlock(&FactoryInfo::ProgramPassword, info_block::ProgramPassword),
}};

// The model text lies in front of the band code in the radio.
inline constexpr std::uint16_t RadioTypeAddress = 0x29E0;
inline constexpr std::size_t RadioTypeWidth = 7;
inline constexpr std::uint16_t BandCodeAddress = 0x29E7;
inline constexpr std::uint16_t FactoryModeAddress = info_block::FactoryModeAddress;

// The band text of every code of the band table; "" for other codes.
std::string FactoryBandText(int bandCode);

// Whether a radio of band `oldCode` may be given band `newCode`: both in the
// same group of eight codes, and that group one of the first four (codes 1 … 7
// among themselves, 8 … 14 among themselves, 16 only with itself, 32 never).
bool SameBandFamily(int newCode, int oldCode);

} // namespace velmar
