#include "channels/tone_list.h"

namespace velmar {

namespace {

constexpr const char* kCtcssTones[] = {
    "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
    "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
    "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
    "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
    "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1",
};

constexpr const char* kDcsCodes[] = {
    "017", "023", "025", "026", "031", "032", "036", "043", "047", "050", "051", "053",
    "054", "065", "071", "072", "073", "074", "114", "115", "116", "122", "125", "131",
    "132", "134", "143", "145", "152", "155", "156", "162", "165", "172", "174", "205",
    "212", "223", "225", "226", "243", "244", "245", "246", "251", "252", "255", "261",
    "263", "265", "266", "271", "274", "306", "311", "315", "325", "331", "332", "343",
    "346", "351", "356", "364", "365", "371", "411", "412", "413", "423", "431", "432",
    "445", "446", "452", "454", "455", "462", "464", "465", "466", "503", "506", "516",
    "523", "526", "532", "546", "565", "606", "612", "624", "627", "631", "632", "645",
    "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754",
};

constexpr int kCtcssCount = kFirstDcsNormal - kFirstCtcss;
constexpr int kDcsCount = kFirstDcsInverted - kFirstDcsNormal;
static_assert(std::size(kCtcssTones) == kCtcssCount);
static_assert(std::size(kDcsCodes) == kDcsCount);
static_assert(kFirstDcsInverted + kDcsCount == kToneCount);

// First index and size of each tone family, by family number.
struct Family {
    int first;
    int count;
};
constexpr Family kFamilies[] = {{0, 1},
                                {kFirstCtcss, kCtcssCount},
                                {kFirstDcsNormal, kDcsCount},
                                {kFirstDcsInverted, kDcsCount}};

std::array<std::string, kToneCount> BuildToneList() {
    std::array<std::string, kToneCount> list;
    list[0] = "OFF";
    for (int i = 0; i < kCtcssCount; ++i)
        list[kFirstCtcss + i] = kCtcssTones[i];
    for (int i = 0; i < kDcsCount; ++i) {
        list[kFirstDcsNormal + i] = std::string("D") + kDcsCodes[i] + "N";
        list[kFirstDcsInverted + i] = std::string("D") + kDcsCodes[i] + "I";
    }
    return list;
}

} // namespace

const std::array<std::string, kToneCount>& ToneList() {
    static const auto list = BuildToneList();
    return list;
}

std::uint16_t ToneIndexToCode(int index) {
    for (int family = 1; family < 4; ++family) {
        const auto [first, count] = kFamilies[family];
        if (index >= first && index < first + count)
            return static_cast<std::uint16_t>(family << 8 | (index - first));
    }
    return 0;
}

int ToneCodeToIndex(std::uint16_t code) {
    const int family = (code >> 8) & 0x0F;
    const int position = code & 0xFF;
    if (family >= 4 || position >= kFamilies[family].count)
        return 0;
    return kFamilies[family].first + position;
}

} // namespace velmar
