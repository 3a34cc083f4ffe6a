#pragma once
// The captions of the factory tool's window, built in, in English and Chinese.
#include "factory/factory_messages.h"

#include <array>

namespace velmar {

struct FactoryWindowTexts {
    const char* Read;     // Command1
    const char* Write;    // Command2
    const char* Exit;     // Command3
    const char* AreaCode; // Label2
    const char* ComPort;  // Label3
    // Label1(0) … Label1(13): radio type, band, then the captions of
    // Text1(1) … Text1(12).
    std::array<const char*, 14> FieldCaptions;
    const char* MachineConfiguration;          // Frame1
    const char* DealerInformation;             // Frame2
    std::array<const char*, 4> OptionCaptions; // Check1 … Check4
    const char* FactoryMode;                   // Check5
    const char* BandQuestion;
    const char* BandRefusal;
    const char* Absent; // after a chosen port whose device is missing: "COM3 (absent)"
};

// UTF-8 texts of the language chosen at start.
const FactoryWindowTexts& WindowTexts(FactoryLanguage language);

} // namespace velmar
