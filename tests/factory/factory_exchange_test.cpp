#include "factory/factory_exchange.h"
#include "factory/factory_sim.h"
#include "factory_samples.h"
#include "link/image_conversion.h"
#include "link/link_loop.h"
#include "link/radio_exchange.h"
#include "settings/radio_info_view.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>

namespace velmar {
namespace {

// Runs operations against a simulated radio the way the window's driver
// does: the actions in order, then the radio's answer piece by piece, and the
// reply timer when nothing more comes.
struct FactoryBench {
    LinkGlobals Link;
    FactoryInfo Info;
    FactoryImage Image;
    RadioSim Radio;
    std::vector<std::string> Messages;
    int Timeouts = 0;

    explicit FactoryBench(bool echo = false) : Radio(FactoryRadioConfig(echo)) {
        InitFactoryData(Info, March5th2026);
    }

    // True when the operation finished successfully.
    bool Run(FactoryLinkType type) {
        FactoryExchange exchange(type, {Link, Info, Image, std::string(DefaultFactoryHandshake),
                                        FactoryLanguage::English});
        Messages.clear();
        Timeouts = 0;
        std::deque<Bytes> line;
        bool timerRunning = false;
        std::optional<bool> finished;
        auto execute = [&](const LinkActions& actions) {
            for (const LinkAction& action : actions) {
                if (const auto* send = std::get_if<SendBytes>(&action)) {
                    line.clear();
                    for (Bytes& piece : Radio.Receive(send->Data))
                        line.push_back(std::move(piece));
                } else if (std::holds_alternative<StartReplyTimer>(action)) {
                    timerRunning = true;
                } else if (std::holds_alternative<StopReplyTimer>(action)) {
                    timerRunning = false;
                } else if (const auto* message = std::get_if<ShowMessage>(&action)) {
                    Messages.push_back(message->Literal);
                } else if (const auto* end = std::get_if<Finished>(&action)) {
                    finished = end->Success;
                }
            }
        };
        execute(exchange.Start());
        while (!finished) {
            if (!line.empty()) {
                const Bytes piece = std::move(line.front());
                line.pop_front();
                execute(exchange.OnBytes(piece));
            } else if (timerRunning) {
                timerRunning = false;
                ++Timeouts;
                execute(exchange.OnTimeout());
            } else {
                ADD_FAILURE() << "the operation stalled";
                return false;
            }
        }
        EXPECT_FALSE(exchange.Running());
        return *finished;
    }

    std::vector<std::uint16_t> Addresses(SimCommand command) const {
        std::vector<std::uint16_t> addresses;
        for (const SimRequest& request : Radio.Log())
            if (request.Command == command)
                addresses.push_back(request.Address);
        return addresses;
    }
};

std::vector<std::uint16_t> FactoryBlockAddresses() {
    std::vector<std::uint16_t> addresses;
    for (std::uint16_t a = 0x3010; a <= 0x30F0; a += 16)
        addresses.push_back(a);
    return addresses;
}

void ExpectSameFields(const FactoryInfo& got, const FactoryInfo& want) {
    EXPECT_EQ(got.RadioType, want.RadioType);
    EXPECT_EQ(got.BandCode, want.BandCode);
    EXPECT_EQ(got.FactoryMode, want.FactoryMode);
    for (const FactoryTextField& field : FactoryTextFields)
        EXPECT_EQ(got.*field.Text, want.*field.Text) << field.Address;
}

// ---- whole operations -------------------------------------------------------

TEST(FactoryExchangeTest, ReadsWithAndWithoutCableEcho) {
    // The cable decides, whatever the tool assumed before.
    for (const bool echo : {false, true}) {
        for (const bool assumedNoEcho : {false, true}) {
            SCOPED_TRACE(testing::Message() << "echo " << echo << ", NoEcho " << assumedNoEcho);
            FactoryBench bench(echo);
            FactoryImage stored;
            FactoryDataToImage(FilledInfo(), stored);
            LoadFactoryImage(bench.Radio, stored);
            bench.Link.NoEcho = assumedNoEcho;

            ASSERT_TRUE(bench.Run(FactoryLinkType::Read));
            EXPECT_EQ(bench.Link.NoEcho, !echo);
            EXPECT_EQ(bench.Messages, std::vector<std::string>{"Read Complete!"});
            std::vector<std::uint16_t> requested = {0x29E0};
            for (std::uint16_t a : FactoryBlockAddresses())
                requested.push_back(a);
            EXPECT_EQ(bench.Addresses(SimCommand::ReadBlock), requested);
            EXPECT_EQ(bench.Radio.Count(SimCommand::End), 1u);
            ExpectSameFields(bench.Info, FilledInfo());
        }
    }
}

TEST(FactoryExchangeTest, WriteSendsTheFactoryBlockAndAdvancesTheSerial) {
    for (const bool echo : {false, true}) {
        SCOPED_TRACE(echo);
        FactoryBench bench(echo);
        bench.Info = FilledInfo();
        bench.Info.MaintainedDescription = std::string(79, 'd') + "LOST";

        ASSERT_TRUE(bench.Run(FactoryLinkType::Write));
        EXPECT_EQ(bench.Addresses(SimCommand::WriteBlock), FactoryBlockAddresses());
        EXPECT_EQ(bench.Radio.Count(SimCommand::ReadBlock), 0u);
        EXPECT_EQ(bench.Radio.Count(SimCommand::End), 1u);
        EXPECT_EQ(bench.Messages, std::vector<std::string>{"Write Complete!"});
        EXPECT_EQ(bench.Info.SerialNumber, "2026030500000042");

        // Where the radio keeps each field: text, then 0x00 to the field's end.
        struct Field {
            std::uint16_t address;
            std::string text;
            std::size_t width;
        };
        const Field layout[] = {
            {0x3011, "0755", 4},
            {0x3020, "03-1-E-1", 8},
            {0x3030, "001A", 4},
            {0x303C, "1234", 4},
            {0x3040, "2026030500000041", 16},
            {0x3050, "2026/3/5", 16},
            {0x3060, "2026/4/1", 16},
            {0x3070, std::string(79, 'd') + "L", 80},
            {0x30C0, "D-17", 16},
            {0x30D0, "2026/3/9", 16},
            {0x30E0, "2026/3/20", 16},
            {0x30F0, "Lin", 16},
        };
        for (const Field& f : layout) {
            Bytes expected(f.text.begin(), f.text.end());
            expected.resize(f.width, 0x00);
            const auto held = bench.Radio.InfoBlock.Range(f.address, f.width);
            EXPECT_EQ(Bytes(held.begin(), held.end()), expected) << std::hex << f.address;
        }
        EXPECT_EQ(bench.Radio.InfoBlock.Range(0x3010, 1)[0], 0x00); // factory mode off
        // The model block stays as the radio had it.
        const auto model = bench.Radio.Memory.Range(0x29E0, 16);
        EXPECT_TRUE(std::all_of(model.begin(), model.end(), [](std::uint8_t b) { return b == 0; }));
    }
}

TEST(FactoryExchangeTest, ThreeRadiosGetConsecutiveSerialNumbers) {
    FactoryBench bench;
    for (const char* expected : {"2026030500000001", "2026030500000002", "2026030500000003"}) {
        bench.Radio = RadioSim(FactoryRadioConfig());
        ASSERT_TRUE(bench.Run(FactoryLinkType::Write));
        FactoryInfo written;
        ImageToFactoryData(FactoryImageOf(bench.Radio), written);
        EXPECT_EQ(written.SerialNumber, expected);
    }
    EXPECT_EQ(bench.Info.SerialNumber, "2026030500000004");
}

TEST(FactoryExchangeTest, SerialNumberAtItsLimitIsKeptAndReported) {
    FactoryBench bench;
    bench.Info.SerialNumber = "2026030599999999";
    ASSERT_TRUE(bench.Run(FactoryLinkType::Write));
    EXPECT_EQ(bench.Info.SerialNumber, "2026030599999999");
    ASSERT_EQ(bench.Messages.size(), 2u);
    EXPECT_EQ(bench.Messages[0], "Write Complete!");
    EXPECT_EQ(bench.Messages[1], MessageText(MsgSerialAtLimit, FactoryLanguage::English));
}

// The radio keeps what the factory tool writes, and the editor's
// radio-information read shows every field where the tool's window had it:
// the boxes Text1(0) … Text1(11) of both windows stand for the same fields
// (Text1(5), the firmware version, is not kept in the radio).
TEST(FactoryExchangeTest, TheEditorShowsEveryFieldTheToolWrote) {
    for (const bool echo : {false, true}) {
        SCOPED_TRACE(echo);
        FactoryBench bench(echo);
        bench.Radio.FreshFromFactory();
        bench.Info = FilledInfo();
        bench.Info.MaintainedDescription = std::string(70, 'r') + "0123456789";
        const FactoryInfo written = bench.Info;
        ASSERT_TRUE(bench.Run(FactoryLinkType::Write));

        LinkGlobals link;
        auto image = std::make_unique<RadioImage>();
        RadioInfoBlock block;
        const VersionTable versions{{{"V102", "V102"}}};
        const struct : TextLookup {
            std::string GetText(int id) const override { return std::to_string(id); }
        } texts;
        RadioExchange read(LinkType::RadioInfo, ExchangeContext{link, *image, block, versions,
                                                                texts, "KAVRO", "", false});
        LinkLoop loop(bench.Radio);
        loop.Run(read, read.Start());
        ASSERT_EQ(loop.result, std::optional<bool>(true));
        EXPECT_EQ(block.bytes, bench.Radio.InfoBlock.bytes);

        RadioInfoRecord info;
        DecodeRadioInfo(block, info);
        const RadioInfoShown shown = ShowByData(info);
        for (std::size_t box = 0; box < shown.Boxes.size(); ++box) {
            if (box == 5)
                continue;
            EXPECT_EQ(shown.Boxes[box], written.*FactoryTextFields[box].Text)
                << "Text1(" << box << ")";
        }
    }
}

// ---- faults on the line -----------------------------------------------------

TEST(FactoryExchangeTest, FaultsEndOrRepeatTheRightCommand) {
    struct Case {
        const char* name;
        FactoryLinkType type;
        SimFault fault;
        bool success;
        SimCommand counted;
        std::size_t count; // commands of that kind the radio received
    };
    const auto read = FactoryLinkType::Read;
    const auto write = FactoryLinkType::Write;
    const Case cases[] = {
        {"wrong checksum",
         read,
         {SimFaultKind::BadChecksum, SimCommand::ReadBlock, 0x3050, 1},
         false,
         SimCommand::ReadBlock,
         6},
        {"silence",
         read,
         {SimFaultKind::GoSilent, SimCommand::ReadBlock, 0x3010, 1},
         false,
         SimCommand::ReadBlock,
         2},
        {"garbage",
         write,
         {SimFaultKind::Garbage, SimCommand::WriteBlock, 0x3020, 1},
         false,
         SimCommand::WriteBlock,
         2},
        // 0x0A: the rejected command goes out again, nothing is skipped.
        {"0x0A to the handshake",
         read,
         {SimFaultKind::AnswerResend, SimCommand::Handshake, std::nullopt, 1},
         true,
         SimCommand::Handshake,
         2},
        {"0x0A to a read request",
         read,
         {SimFaultKind::AnswerResend, SimCommand::ReadBlock, 0x3010, 2},
         true,
         SimCommand::ReadBlock,
         18},
        {"0x0A to a write block",
         write,
         {SimFaultKind::AnswerResend, SimCommand::WriteBlock, 0x3040, 1},
         true,
         SimCommand::WriteBlock,
         16},
        {"0x0A to the end",
         write,
         {SimFaultKind::AnswerResend, SimCommand::End, std::nullopt, 1},
         true,
         SimCommand::End,
         2},
        {"0x0A for ever",
         write,
         {SimFaultKind::AnswerResend, SimCommand::WriteBlock, 0x3010, -1},
         false,
         SimCommand::WriteBlock,
         1 + FactoryExchange::ResendRequestLimit},
    };
    for (const bool echo : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.name << (echo ? ", echo" : ""));
            FactoryBench bench(echo);
            FactoryImage stored;
            FactoryDataToImage(FilledInfo(), stored);
            LoadFactoryImage(bench.Radio, stored);
            bench.Info = FilledInfo();
            bench.Info.Seller = "Written";
            const FactoryInfo before = bench.Info;
            bench.Radio.AddFault(c.fault);
            bench.Link.NoEcho = !echo; // known from an earlier operation

            EXPECT_EQ(bench.Run(c.type), c.success);
            EXPECT_EQ(bench.Radio.Count(c.counted), c.count);
            if (!c.success) {
                // After the 500 ms time-out, or at once when the radio keeps asking.
                EXPECT_EQ(bench.Timeouts, c.fault.Kind == SimFaultKind::AnswerResend ? 0 : 1);
                EXPECT_EQ(bench.Messages, std::vector<std::string>{"Communication Error!"});
                ExpectSameFields(bench.Info, before); // nothing taken over, no serial advance
            } else if (c.type == read) {
                ExpectSameFields(bench.Info, FilledInfo());
            } else {
                FactoryInfo written;
                ImageToFactoryData(FactoryImageOf(bench.Radio), written);
                ExpectSameFields(written, before);
            }
        }
    }
}

// ---- replies fed by hand ----------------------------------------------------

struct HandFed : testing::Test {
    LinkGlobals link;
    FactoryInfo info;
    FactoryImage image;
    FactoryExchange exchange{FactoryLinkType::Read,
                             {link, info, image, "FACTORY", FactoryLanguage::Chinese}};

    // Handshake answered without echo: the read of 0x29E0 is under way.
    void SetUp() override {
        const LinkActions start = exchange.Start();
        ASSERT_EQ(start.size(), 2u);
        EXPECT_EQ(std::get<SendBytes>(start[0]).Data, (Bytes{'F', 'A', 'C', 'T', 'O', 'R', 'Y'}));
        EXPECT_EQ(std::get<StartReplyTimer>(start[1]).Milliseconds, 500);
        ASSERT_TRUE(SendsSomething(exchange.OnBytes(Bytes{0x5A, 0x52, 0x06})));
        ASSERT_TRUE(link.NoEcho);
    }

    static bool SendsSomething(const LinkActions& actions) {
        return std::any_of(actions.begin(), actions.end(), [](const LinkAction& a) {
            return std::holds_alternative<SendBytes>(a);
        });
    }

    static bool FailsWithMessage1(const LinkActions& actions) {
        bool failed = false;
        bool message = false;
        for (const LinkAction& a : actions) {
            if (const auto* end = std::get_if<Finished>(&a))
                failed = !end->Success;
            if (const auto* shown = std::get_if<ShowMessage>(&a))
                message = shown->Literal == "通信错误！";
        }
        return failed && message;
    }
};

TEST_F(HandFed, RepliesOfTheWrongFormAreLeftToTheTimeout) {
    const Bytes data(16, 0x11);
    EXPECT_FALSE(SendsSomething(exchange.OnBytes(BlockFrame(0x3010, data)))); // other block
    EXPECT_FALSE(SendsSomething(exchange.OnBytes(Bytes{0x06})));
    EXPECT_FALSE(SendsSomething(exchange.OnBytes(Bytes{0x06})));
    EXPECT_TRUE(exchange.Running());
    EXPECT_TRUE(FailsWithMessage1(exchange.OnTimeout()));
    EXPECT_FALSE(exchange.Running());
    EXPECT_TRUE(exchange.OnTimeout().empty());
    EXPECT_TRUE(exchange.OnBytes(Bytes{0x06}).empty());
}

TEST_F(HandFed, DataEndingLikeTheHandshakeReplyIsData) {
    // Last data byte 0x5A and checksum 0x52: the frame ends 0x5A 0x52 0x06.
    Bytes data(16, 0x00);
    data[0] = 0xDF;
    data[15] = 0x5A;
    const Bytes frame = BlockFrame(0x29E0, data);
    ASSERT_EQ(frame[frame.size() - 2], 0x52);

    const LinkActions actions = exchange.OnBytes(frame);
    ASSERT_TRUE(SendsSomething(actions));
    EXPECT_EQ(std::get<SendBytes>(actions[1]).Data, ReadBlockFrame(0x3010));
    EXPECT_EQ(image.ModelBlock.Range(0x29EF, 1)[0], 0x5A);
    EXPECT_TRUE(link.NoEcho);
}

// A bare 0x06 answers a write or the end, never a read request: it is no
// block, and what follows it on the line is out of step.
TEST_F(HandFed, AnAcknowledgementIsNoBlock) {
    EXPECT_FALSE(SendsSomething(exchange.OnBytes(Bytes{AckByte})));
    EXPECT_FALSE(SendsSomething(exchange.OnBytes(BlockFrame(0x29E0, Bytes(16, 0x11)))));
    EXPECT_TRUE(exchange.Running());
    EXPECT_TRUE(FailsWithMessage1(exchange.OnTimeout()));
    EXPECT_NE(image.ModelBlock.Range(0x29E0, 1)[0], 0x11);
}

// Stray bytes in front of the handshake reply are no echo: the cable is taken
// for one that does not echo, whether there are fewer or more of them than
// the keyword has characters.
TEST(FactoryExchangeTest, NoiseBeforeTheHandshakeReplyIsNoEcho) {
    for (const std::size_t noise : {2u, 9u}) {
        SCOPED_TRACE(noise);
        LinkGlobals link;
        link.NoEcho = false;
        FactoryInfo info;
        FactoryImage image;
        FactoryExchange exchange{FactoryLinkType::Read,
                                 {link, info, image, "FACTORY", FactoryLanguage::English}};
        exchange.Start();
        Bytes line(noise, 0x55);
        line.insert(line.end(), HandshakeReply.begin(), HandshakeReply.end());
        const LinkActions request = exchange.OnBytes(line);
        ASSERT_TRUE(HandFed::SendsSomething(request));
        EXPECT_TRUE(link.NoEcho);
        EXPECT_EQ(std::get<SendBytes>(request[1]).Data, ReadBlockFrame(0x29E0));
    }
}

// On an echoing cable the line may hand over the echo and the block byte by
// byte: the block counts once the whole of it has come.
TEST(FactoryExchangeTest, AnEchoedReplyInPiecesCountsWhenWhole) {
    LinkGlobals link;
    FactoryInfo info;
    FactoryImage image;
    FactoryExchange exchange{FactoryLinkType::Read,
                             {link, info, image, "FACTORY", FactoryLanguage::English}};
    exchange.Start();
    const LinkActions request =
        exchange.OnBytes(Bytes{'F', 'A', 'C', 'T', 'O', 'R', 'Y', 0x5A, 0x52, 0x06});
    ASSERT_FALSE(link.NoEcho);
    ASSERT_TRUE(HandFed::SendsSomething(request));

    Bytes line = ReadBlockFrame(0x29E0);
    const Bytes block = BlockFrame(0x29E0, Bytes(16, 0x11));
    line.insert(line.end(), block.begin(), block.end());
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(exchange.OnBytes(Bytes{line[i]}).empty());
    }
    const LinkActions next = exchange.OnBytes(Bytes{line.back()});
    ASSERT_TRUE(HandFed::SendsSomething(next));
    EXPECT_EQ(std::get<SendBytes>(next[1]).Data, ReadBlockFrame(0x3010));
    EXPECT_EQ(image.ModelBlock.Range(0x29E0, 1)[0], 0x11);
}

TEST_F(HandFed, MoreThanTheReplyBufferFails) {
    EXPECT_FALSE(SendsSomething(exchange.OnBytes(Bytes(60, 0x55))));
    EXPECT_TRUE(FailsWithMessage1(exchange.OnBytes(Bytes(42, 0x55))));
    EXPECT_TRUE(exchange.Done());
    EXPECT_FALSE(exchange.Succeeded());
}

} // namespace
} // namespace velmar
