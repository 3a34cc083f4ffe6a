#include "link/radio_exchange.h"

#include "link/image_conversion.h"
#include "model/initial_values.h"

#include "link_loop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <memory>

namespace velmar {
namespace {

struct NumberedTexts : TextLookup {
    std::string GetText(int id) const override { return "T" + std::to_string(id); }
};

constexpr const char* KavroBand = "25.615 - 30.105 MHz"; // band code 1

template <class Action> bool Has(const LinkActions& actions) {
    return std::any_of(actions.begin(), actions.end(),
                       [](const LinkAction& a) { return std::holds_alternative<Action>(a); });
}

// The first bytes the actions send; none when they send nothing.
Bytes FirstSent(const LinkActions& actions) {
    for (const LinkAction& action : actions)
        if (const auto* send = std::get_if<SendBytes>(&action))
            return send->Data;
    return {};
}

class RadioExchangeTest : public ::testing::Test {
protected:
    RadioExchangeTest() {
        // Recognisable, different contents on each side.
        for (std::size_t i = 0; i < RadioImage::Size; ++i) {
            sim.Memory.bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
            image.bytes[i] = static_cast<std::uint8_t>(i * 13 + 5);
        }
        for (std::size_t i = 0; i < RadioInfoBlock::Size; ++i)
            sim.InfoBlock.bytes[i] = static_cast<std::uint8_t>(0x80 + i);
        sim.SetPassword("");
        link.NoEcho = true; // the simulated cable does not echo unless told to
    }

    RadioExchange Make(LinkType type, std::string model = "KAVRO", std::string band = KavroBand) {
        return RadioExchange(type, ExchangeContext{link, image, info, versions, texts,
                                                   std::move(model), std::move(band), false});
    }

    // Runs a whole exchange; true when it succeeded.
    bool Run(RadioExchange& exchange) {
        loop.Run(exchange, exchange.Start());
        return loop.result.value_or(false);
    }
    bool Run(LinkType type, std::string model = "KAVRO", std::string band = KavroBand) {
        RadioExchange exchange = Make(type, std::move(model), std::move(band));
        return Run(exchange);
    }

    std::vector<std::uint16_t> Requested(SimCommand command) const {
        std::vector<std::uint16_t> addresses;
        for (const SimRequest& r : sim.Log())
            if (r.Command == command)
                addresses.push_back(r.Address);
        return addresses;
    }

    bool EndSentLast() const { return !loop.sent.empty() && loop.sent.back() == EndFrame(); }

    // Carries the exchange's commands to the radio and its replies back
    // until the exchange waits for something other than the line (a time-out,
    // an answer, a password); every action on the way.
    LinkActions Drive(RadioExchange& exchange, LinkActions actions) {
        LinkActions all;
        std::deque<Bytes> line;
        for (;;) {
            for (LinkAction& action : actions) {
                if (const auto* send = std::get_if<SendBytes>(&action))
                    for (Bytes& piece : sim.Receive(send->Data))
                        line.push_back(std::move(piece));
                all.push_back(std::move(action));
            }
            if (line.empty())
                return all;
            actions = exchange.OnBytes(line.front());
            line.pop_front();
        }
    }

    LinkGlobals link;
    RadioImage image;
    RadioInfoBlock info;
    VersionTable versions{{{"V102", "V102"}, {"V102", "V101"}}};
    NumberedTexts texts;
    RadioSim sim;
    LinkLoop loop{sim};
};

// ---- whole read and write, with and without the cable echo ----------------

struct CableCase {
    bool cableEchoes;
    bool noEchoAtStart;
    int handshakeTimeouts; // attempts until the assumption fits the cable
};
const CableCase Cables[] = {{true, false, 0}, {true, true, 1}, {false, false, 1}, {false, true, 0}};

TEST_F(RadioExchangeTest, ReadFillsTheImageBlockByBlock) {
    for (const CableCase& c : Cables) {
        SCOPED_TRACE(testing::Message()
                     << "echo " << c.cableEchoes << " NoEcho " << c.noEchoAtStart);
        sim = RadioSim();
        sim.Memory.bytes.fill(0x5C);
        sim.Memory.bytes[0x0000] = 0x01;
        sim.Memory.bytes[0x2BFF] = 0x02;
        sim.SetEcho(c.cableEchoes);
        link.NoEcho = c.noEchoAtStart;
        loop = LinkLoop(sim);
        image.bytes.fill(0);

        ASSERT_TRUE(Run(LinkType::Read));
        EXPECT_EQ(image.bytes, sim.Memory.bytes);
        EXPECT_EQ(link.NoEcho, !c.cableEchoes);
        EXPECT_EQ(loop.timeouts, c.handshakeTimeouts);

        // The password block, then the 704 blocks in order, then the end.
        std::vector<std::uint16_t> expected = {PasswordBlockAddress};
        for (std::uint16_t a = 0; a < 0x2C00; a += 16)
            expected.push_back(a);
        EXPECT_EQ(Requested(SimCommand::ReadBlock), expected);
        EXPECT_EQ(sim.Count(SimCommand::End), 1u);
        EXPECT_TRUE(EndSentLast());
        EXPECT_EQ(loop.MessageIds(), std::vector<int>{9009});
        EXPECT_EQ(loop.progress.back(), 100);
        EXPECT_TRUE(std::is_sorted(loop.progress.begin(), loop.progress.end()));
        // A read block is answered by 22 bytes, behind 4 echoed ones.
        const auto at = std::find(loop.sent.begin(), loop.sent.end(), ReadBlockFrame(0x0010));
        EXPECT_EQ(loop.thresholds[at - loop.sent.begin()], c.cableEchoes ? 26u : 22u);
    }
}

TEST_F(RadioExchangeTest, WriteSendsTheWholeImage) {
    for (const CableCase& c : Cables) {
        SCOPED_TRACE(testing::Message()
                     << "echo " << c.cableEchoes << " NoEcho " << c.noEchoAtStart);
        sim = RadioSim();
        sim.SetEcho(c.cableEchoes);
        link.NoEcho = c.noEchoAtStart;
        loop = LinkLoop(sim);

        ASSERT_TRUE(Run(LinkType::Write));
        EXPECT_EQ(sim.Memory.bytes, image.bytes);
        EXPECT_EQ(sim.Count(SimCommand::WriteBlock), 704u);
        EXPECT_EQ(sim.Count(SimCommand::EnterWrite), 1u);
        EXPECT_EQ(loop.CountSent(EnterWriteFrame(false)), 1u);
        EXPECT_EQ(loop.MessageIds(), std::vector<int>{9010});
        EXPECT_EQ(loop.timeouts, c.handshakeTimeouts);
        const auto at =
            std::find(loop.sent.begin(), loop.sent.end(), BlockFrame(0x0010, image.Block(0x0010)));
        ASSERT_NE(at, loop.sent.end());
        EXPECT_EQ(loop.thresholds[at - loop.sent.begin()], c.cableEchoes ? 23u : 1u);
    }
}

// A write puts the radio's identification into what it sends; a restore of
// a saved memory sends the image exactly as it is.
TEST_F(RadioExchangeTest, ARestoreSendsTheImageWithoutTheRadiosIdentification) {
    const Bytes reply = IdentifyReplyFrame(RadioSimConfig{}.Identity);
    const RadioImage saved = image;
    for (bool asItIs : {false, true}) {
        SCOPED_TRACE(asItIs ? "restore" : "write");
        sim = RadioSim();
        loop = LinkLoop(sim);
        image = saved;
        RadioExchange exchange(LinkType::Write, ExchangeContext{link, image, info, versions, texts,
                                                                "KAVRO", KavroBand, false, asItIs});
        ASSERT_TRUE(Run(exchange));
        const bool identified =
            std::equal(reply.begin() + 1, reply.begin() + 8, sim.Memory.bytes.begin() + 0x29E0);
        EXPECT_EQ(identified, !asItIs);
        if (asItIs) {
            EXPECT_EQ(sim.Memory.bytes, saved.bytes);
        }
        EXPECT_EQ(exchange.IdentifyReply(), reply);
    }
}

TEST_F(RadioExchangeTest, ReadClearsTheChannelAreaAndKeepsTheIdentification) {
    sim.AddFault({SimFaultKind::GoSilent, SimCommand::ReadBlock, 0x0000, 1});
    loop.answers = {MsgAnswer::Cancel};
    EXPECT_FALSE(Run(LinkType::Read));
    EXPECT_EQ(image.bytes[0x243F], 0xFF);
    EXPECT_EQ(image.bytes[0x2440], static_cast<std::uint8_t>(0x2440 * 13 + 5));
    // Model and firmware of the identification reply, not the band code.
    const Bytes reply = IdentifyReplyFrame(RadioSimConfig{}.Identity);
    EXPECT_TRUE(std::equal(reply.begin() + 1, reply.begin() + 8, image.bytes.begin() + 0x29E0));
    EXPECT_NE(image.bytes[0x29E7], reply[8]);
    EXPECT_TRUE(std::equal(reply.begin() + 9, reply.begin() + 15, image.bytes.begin() + 0x29E8));
}

TEST_F(RadioExchangeTest, EnterWriteTellsTheProgramFamily) {
    RadioExchange exchange(LinkType::Write, ExchangeContext{link, image, info, versions, texts,
                                                            "KAVRO", KavroBand, true});
    ASSERT_TRUE(Run(exchange));
    EXPECT_EQ(loop.CountSent(Bytes{0x03, 0x00, 0x06}), 1u);
}

// ---- handshake, block and password retries --------------------------------

TEST_F(RadioExchangeTest, HandshakeGivesUpAfterFourAttempts) {
    sim.AddFault({SimFaultKind::DropReply, SimCommand::Handshake, std::nullopt, -1});
    loop.answers = {MsgAnswer::Cancel};
    EXPECT_FALSE(Run(LinkType::Read));
    EXPECT_EQ(loop.CountSent(HandshakeFrame()), 4u);
    EXPECT_EQ(loop.timeouts, 4);
    EXPECT_FALSE(link.NoEcho); // flipped three times
    ASSERT_EQ(loop.messages.size(), 1u);
    EXPECT_EQ(loop.messages[0].TextId, 9008);
    EXPECT_EQ(loop.messages[0].Buttons, MsgButtons::OkCancel);
    EXPECT_TRUE(EndSentLast()); // a failed exchange still ends the radio's programming mode
}

TEST_F(RadioExchangeTest, FailurePromptOkStartsAgainFromTheHandshake) {
    sim.AddFault({SimFaultKind::DropReply, SimCommand::ReadBlock, 0x1000, 4});
    loop.answers = {MsgAnswer::Ok};
    ASSERT_TRUE(Run(LinkType::Read));
    EXPECT_EQ(image.bytes, sim.Memory.bytes);
    EXPECT_EQ(loop.MessageIds(), (std::vector<int>{9008, 9009}));
    EXPECT_EQ(loop.CountSent(HandshakeFrame()), 2u);
    // The progress starts from 0 again, and every block is read again.
    EXPECT_NE(std::find(loop.progress.begin(), loop.progress.end(), 0), loop.progress.end());
    EXPECT_EQ(loop.CountSent(ReadBlockFrame(0x0000)), 2u);
    EXPECT_EQ(loop.CountSent(ReadBlockFrame(0x1000)), 5u);
}

TEST_F(RadioExchangeTest, BlockRetriesAfterBadOrMissingReplies) {
    struct Case {
        SimFaultKind kind;
        int times;
        bool gotThrough;
    };
    const Case cases[] = {
        {SimFaultKind::DropReply, 3, true},   {SimFaultKind::DropReply, 4, false},
        {SimFaultKind::BadChecksum, 3, true}, {SimFaultKind::BadChecksum, 4, false},
        {SimFaultKind::Garbage, 3, true},     {SimFaultKind::Garbage, 4, false},
        {SimFaultKind::SplitReply, -1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.kind) << " x" << c.times);
        sim = RadioSim();
        sim.AddFault({c.kind, SimCommand::ReadBlock, 0x0200, c.times});
        loop = LinkLoop(sim);
        loop.answers = {MsgAnswer::Cancel};
        EXPECT_EQ(Run(LinkType::Read), c.gotThrough);
        const std::size_t requests = c.times < 0 ? 1 : static_cast<std::size_t>(c.times) + 1;
        EXPECT_EQ(loop.CountSent(ReadBlockFrame(0x0200)), std::min<std::size_t>(requests, 4));
        EXPECT_EQ(loop.MessageIds(), std::vector<int>{c.gotThrough ? 9009 : 9008});
    }
}

TEST_F(RadioExchangeTest, WriteBlockTimeoutsUseTheBlockRetries) {
    sim.AddFault({SimFaultKind::DropReply, SimCommand::WriteBlock, 0x2BF0, 3});
    ASSERT_TRUE(Run(LinkType::Write));
    EXPECT_EQ(loop.timeouts, 3);
    EXPECT_EQ(sim.Memory.bytes, image.bytes);
}

TEST_F(RadioExchangeTest, ResendRequestSendsTheBlockAgainAtOnce) {
    sim.AddFault({SimFaultKind::AnswerResend, SimCommand::WriteBlock, 0x0100, 5});
    ASSERT_TRUE(Run(LinkType::Write));
    EXPECT_EQ(loop.timeouts, 0);
    EXPECT_EQ(loop.CountSent(BlockFrame(0x0100, image.Block(0x0100))), 6u);
    EXPECT_EQ(sim.Memory.bytes, image.bytes);
}

TEST_F(RadioExchangeTest, RadioThatAlwaysAsksAgainEndsInThePrompt) {
    sim.AddFault({SimFaultKind::AnswerResend, SimCommand::WriteBlock, 0x0100, -1});
    loop.answers = {MsgAnswer::Cancel};
    EXPECT_FALSE(Run(LinkType::Write));
    EXPECT_EQ(loop.CountSent(BlockFrame(0x0100, image.Block(0x0100))),
              static_cast<std::size_t>(RadioExchange::ResendRequestLimit) + 1);
    EXPECT_EQ(loop.MessageIds(), std::vector<int>{9008});
}

TEST_F(RadioExchangeTest, ResendRequestOutsideTheWriteBlocksIsNotAWrite) {
    sim.AddFault({SimFaultKind::AnswerResend, SimCommand::End, std::nullopt, 1});
    ASSERT_TRUE(Run(LinkType::Read));
    EXPECT_EQ(sim.Count(SimCommand::WriteBlock), 0u);
    EXPECT_EQ(loop.timeouts, 1);
}

TEST_F(RadioExchangeTest, SilentEndStillCompletes) {
    sim.AddFault({SimFaultKind::DropReply, SimCommand::End, std::nullopt, 1});
    EXPECT_TRUE(Run(LinkType::Read));
    EXPECT_TRUE(Run(LinkType::Write));
}

TEST_F(RadioExchangeTest, PasswordBlockIsAskedForThreeTimes) {
    for (int drops : {2, 3}) {
        SCOPED_TRACE(drops);
        sim = RadioSim();
        sim.AddFault({SimFaultKind::DropReply, SimCommand::ReadBlock, PasswordBlockAddress, drops});
        loop = LinkLoop(sim);
        loop.answers = {MsgAnswer::Cancel};
        EXPECT_EQ(Run(LinkType::Read), drops < 3);
        EXPECT_EQ(loop.CountSent(ReadBlockFrame(PasswordBlockAddress)), 3u);
    }
}

TEST_F(RadioExchangeTest, RepliesOfAnotherFormAreLeftToTheTimer) {
    link.NoEcho = false;
    RadioExchange exchange = Make(LinkType::Read);
    exchange.Start();
    EXPECT_TRUE(exchange.OnBytes(Bytes{0x5A, 0x52, 0x06, 0x00}).empty()); // echo expected: 10 bytes
    exchange.OnTimeout();                                                 // now without echo
    exchange.OnBytes(Bytes{0x5A, 0x52});
    ASSERT_EQ(exchange.Step(), LinkStep::Handshake);
    exchange.OnBytes(Bytes{0x06, 0xEE}); // the surplus byte is dropped
    ASSERT_EQ(exchange.Step(), LinkStep::Identify);
    exchange.OnBytes(IdentifyReplyFrame(RadioSimConfig{}.Identity));
    ASSERT_EQ(exchange.Step(), LinkStep::PasswordBlock);
    // Garbled bytes, and a block for another address, are no password block:
    // it is asked for again.
    EXPECT_TRUE(exchange.OnBytes(Bytes(BlockFrameLength, 0x55)).empty());
    ASSERT_EQ(exchange.Step(), LinkStep::PasswordBlock);
    EXPECT_EQ(FirstSent(exchange.OnTimeout()), ReadBlockFrame(PasswordBlockAddress));
    EXPECT_TRUE(exchange.OnBytes(BlockFrame(0x0010, Bytes(16, 0xFF))).empty());
    ASSERT_EQ(exchange.Step(), LinkStep::PasswordBlock);
    EXPECT_EQ(FirstSent(exchange.OnTimeout()), ReadBlockFrame(PasswordBlockAddress));
    exchange.OnBytes(BlockFrame(PasswordBlockAddress, Bytes(16, 0xFF)));
    ASSERT_EQ(exchange.Step(), LinkStep::DataBlocks);
    // A block for another address than requested does not count.
    EXPECT_TRUE(exchange.OnBytes(BlockFrame(0x0010, Bytes(16, 0x11))).empty());
    // Nor does anything else until the block has been asked for again.
    EXPECT_TRUE(exchange.OnBytes(BlockFrame(0x0000, Bytes(16, 0x11))).empty());
    const LinkActions again = exchange.OnTimeout();
    ASSERT_FALSE(again.empty());
    EXPECT_EQ(std::get<SendBytes>(again[0]).Data, ReadBlockFrame(0x0000));
    EXPECT_FALSE(exchange.OnBytes(BlockFrame(0x0000, Bytes(16, 0x11))).empty());
    EXPECT_EQ(image.bytes[0x0000], 0x11);
    EXPECT_NE(image.bytes[0x0010], 0x11);
}

// The radio takes the handshake and then falls silent or garbles: the
// identify command and the write-mode command are not sent again, the user
// is asked at once, and nothing is read or written.
TEST_F(RadioExchangeTest, NoAnswerAfterTheHandshakeEndsInThePrompt) {
    struct Case {
        LinkType type;
        SimCommand command;
        SimFaultKind kind;
    };
    const Case cases[] = {
        {LinkType::Read, SimCommand::Identify, SimFaultKind::DropReply},
        {LinkType::Write, SimCommand::Identify, SimFaultKind::DropReply},
        {LinkType::Read, SimCommand::Identify, SimFaultKind::Garbage},
        {LinkType::Write, SimCommand::EnterWrite, SimFaultKind::DropReply},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << static_cast<int>(c.type) << " " << SimCommandName(c.command) << " "
                     << static_cast<int>(c.kind));
        sim = RadioSim();
        sim.AddFault({c.kind, c.command, std::nullopt, -1});
        loop = LinkLoop(sim);
        loop.answers = {MsgAnswer::Cancel};
        EXPECT_FALSE(Run(c.type));
        EXPECT_EQ(sim.Count(c.command), 1u);
        EXPECT_EQ(loop.timeouts, 1);
        ASSERT_EQ(loop.MessageIds(), std::vector<int>{9008});
        EXPECT_EQ(loop.messages[0].Buttons, MsgButtons::OkCancel);
        EXPECT_EQ(sim.Count(SimCommand::ReadBlock), 0u);
        EXPECT_EQ(sim.Count(SimCommand::WriteBlock), 0u);
        EXPECT_TRUE(EndSentLast());
    }
}

// While the user is asked for the password, the exchange waits for the
// dialog alone: a stray byte, the reply timer and an answer to no question
// change nothing, however long the user takes.
TEST_F(RadioExchangeTest, ThePasswordDialogHoldsTheExchange) {
    sim.SetPassword("AB");
    RadioExchange exchange = Make(LinkType::Read);
    const LinkActions asked = Drive(exchange, exchange.Start());
    ASSERT_TRUE(Has<OpenPasswordDialog>(asked));
    EXPECT_TRUE(exchange.OnBytes(Bytes{AckByte}).empty());
    EXPECT_TRUE(exchange.OnTimeout().empty());
    EXPECT_TRUE(exchange.OnAnswer(MsgAnswer::Cancel).empty());
    EXPECT_FALSE(exchange.Done());
    EXPECT_EQ(exchange.Step(), LinkStep::PasswordBlock);
    // The right password goes on with the first block.
    EXPECT_EQ(FirstSent(exchange.OnPasswordEntered("AB")), ReadBlockFrame(0x0000));
    EXPECT_EQ(link.RadioPassword, "AB");
}

// While the failure prompt is open, a late reply and the timer are ignored,
// and so is a password that no dialog asked for; once the exchange has
// ended, nothing moves it.
TEST_F(RadioExchangeTest, TheFailurePromptHoldsTheExchange) {
    RadioExchange exchange = Make(LinkType::Read);
    exchange.Start();
    LinkActions prompt;
    for (int attempt = 0; attempt <= RadioExchange::HandshakeAttemptLimit; ++attempt)
        prompt = exchange.OnTimeout();
    ASSERT_TRUE(Has<ShowMessage>(prompt));
    const Bytes lateReply(HandshakeReply.begin(), HandshakeReply.end());
    EXPECT_TRUE(exchange.OnBytes(lateReply).empty());
    EXPECT_TRUE(exchange.OnTimeout().empty());
    EXPECT_TRUE(exchange.OnPasswordEntered("AB").empty());
    EXPECT_TRUE(exchange.OnPasswordCancelled().empty());
    EXPECT_FALSE(link.PasswordEntered);
    EXPECT_EQ(link.RadioPassword, "");
    EXPECT_EQ(exchange.Step(), LinkStep::Handshake);
    EXPECT_FALSE(exchange.Done());

    // OK: from the handshake again; then Cancel ends it.
    EXPECT_EQ(FirstSent(exchange.OnAnswer(MsgAnswer::Ok)), HandshakeFrame());
    for (int attempt = 0; attempt <= RadioExchange::HandshakeAttemptLimit; ++attempt)
        exchange.OnTimeout();
    ASSERT_TRUE(Has<Finished>(exchange.OnAnswer(MsgAnswer::Cancel)));
    EXPECT_TRUE(exchange.Done());
    EXPECT_FALSE(exchange.Succeeded());
    EXPECT_TRUE(exchange.OnBytes(lateReply).empty());
    EXPECT_TRUE(exchange.OnTimeout().empty());
    EXPECT_TRUE(exchange.OnAnswer(MsgAnswer::Ok).empty());
    EXPECT_EQ(exchange.Step(), LinkStep::Idle);
}

// ---- radio password -------------------------------------------------------

TEST_F(RadioExchangeTest, RadioPassword) {
    struct Case {
        const char* radio;
        const char* held;
        std::optional<std::string> typed; // nullopt: no dialog expected, or Cancel
        bool dialog;
        bool passes;
        const char* heldAfter;
    };
    const Case cases[] = {
        {"", "", std::nullopt, false, true, ""},
        {"AB", "AB", std::nullopt, false, true, "AB"},
        {"AB", "", "AB ", true, true, "AB"},
        {"AB", "XY", "ABC", true, false, "ABC"},
        {"AB", "XY", std::nullopt, true, false, "XY"},
        {"WXYZ", "", "WXYZ", true, true, "WXYZ"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.radio << "/" << c.held);
        sim = RadioSim();
        sim.SetPassword(c.radio);
        loop = LinkLoop(sim);
        loop.passwords = {c.typed};
        link = LinkGlobals();
        link.RadioPassword = c.held;

        EXPECT_EQ(Run(LinkType::Write), c.passes);
        EXPECT_EQ(loop.passwordDialogs, c.dialog ? 1 : 0);
        EXPECT_EQ(link.RadioPassword, c.heldAfter);
        EXPECT_EQ(link.PasswordEntered, c.dialog);
        if (!c.passes) {
            ASSERT_EQ(loop.messages.size(), 1u);
            EXPECT_EQ(loop.messages[0].Literal, "PassWord Failure!");
            EXPECT_TRUE(EndSentLast());
            EXPECT_EQ(sim.Count(SimCommand::WriteBlock), 0u);
        }
    }
}

// ---- model, band and firmware ---------------------------------------------

TEST_F(RadioExchangeTest, RadioMustSuitTheDocument) {
    struct Case {
        LinkType type;
        const char* model;
        const char* firmware;
        std::uint8_t band;
        std::optional<MsgAnswer> answer;
        bool passes;
        int textId; // 0: the firmware message
    };
    const Case cases[] = {
        {LinkType::Read, "OTHER", "V102", 1, std::nullopt, false, 9012},
        {LinkType::Write, "OTHER", "V102", 1, std::nullopt, false, 9012},
        {LinkType::Read, "KAVRO", "V100", 1, std::nullopt, false, 0},
        {LinkType::Read, "KAVRO", "V101", 2, std::nullopt, true, 9009},   // a read takes any band
        {LinkType::Write, "KAVRO", "V102", 7, MsgAnswer::Ok, true, 9014}, // same group
        {LinkType::Write, "KAVRO", "V102", 2, MsgAnswer::Cancel, false, 9014},
        {LinkType::Write, "KAVRO", "V102", 8, std::nullopt, false, 9030}, // another group
        {LinkType::Write, "KAVRO", "V102", 32, std::nullopt, false, 9030},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.model << " " << c.firmware << " band " << int(c.band));
        RadioSimConfig config;
        config.Identity = {c.model, c.band, c.firmware, {0, 0}};
        sim = RadioSim(config);
        loop = LinkLoop(sim);
        if (c.answer)
            loop.answers = {*c.answer};

        EXPECT_EQ(Run(c.type), c.passes);
        ASSERT_FALSE(loop.messages.empty());
        EXPECT_EQ(loop.messages[0].TextId, c.textId);
        if (c.textId == 0) {
            EXPECT_EQ(loop.messages[0].Literal,
                      versions.CompatMessage(ProgramVersion, c.firmware, 0, texts));
        }
        EXPECT_EQ(sim.Count(SimCommand::WriteBlock) > 0, c.passes && c.type == LinkType::Write);
        if (!c.passes) {
            EXPECT_TRUE(EndSentLast());
        }
    }
}

// ---- a radio fresh from the factory, written and read back -----------------

TEST_F(RadioExchangeTest, AFreshRadioReadsAsADocumentOfItsModel) {
    sim.FreshFromFactory();
    ASSERT_TRUE(Run(LinkType::Read));
    auto doc = std::make_unique<Document>();
    ParseImage(image, *doc);
    EXPECT_EQ(doc->ModelName, "KAVRO");
    EXPECT_EQ(doc->BandText, KavroBand);
    EXPECT_EQ(doc->Doc.ChCount, 9); // the VFO and the memory channels, without frequency
}

// Written once, then read and written back unchanged through the exchanges:
// the radio's memory is the same byte for byte.
TEST_F(RadioExchangeTest, ReadingAWrittenRadioAndWritingItBackChangesNothing) {
    sim.FreshFromFactory();
    auto doc = std::make_unique<Document>();
    InitDocValues(*doc, 5);
    doc->Doc.ChCount = 0;
    for (const int chNo : {1, 2, 45, 520, 521, 522, 525}) {
        ChannelInfo ch = NewChannelInfo(chNo);
        ch.RxFre = MakeFixStr<8>(chNo == 521 || chNo == 525 ? "FFFFFFFF" : "02761125");
        ch.RxTone = 13;
        doc->ChList[doc->Doc.ChCount++] = ch;
    }
    ASSERT_TRUE(BuildImage(*doc, image).Ok());
    ASSERT_TRUE(Run(LinkType::Write));
    const auto written = std::make_unique<RadioImage>(sim.Memory);

    loop = LinkLoop(sim);
    ASSERT_TRUE(Run(LinkType::Read));
    auto read = std::make_unique<Document>();
    InitDocValues(*read, 5);
    ParseImage(image, *read);
    ASSERT_TRUE(BuildImage(*read, image).Ok());
    loop = LinkLoop(sim);
    ASSERT_TRUE(Run(LinkType::Write));

    for (std::size_t a = 0; a < RadioImage::Size; ++a)
        ASSERT_EQ(sim.Memory.bytes[a], written->bytes[a]) << "at 0x" << std::hex << a;
}

// ---- radio information ------------------------------------------------------

TEST_F(RadioExchangeTest, RadioInformationReadsTheInfoBlock) {
    ASSERT_TRUE(Run(LinkType::RadioInfo));
    EXPECT_EQ(info.bytes, sim.InfoBlock.bytes);
    std::vector<std::uint16_t> expected;
    for (std::uint16_t a = 0x3000; a < 0x3100; a += 16)
        expected.push_back(a);
    EXPECT_EQ(Requested(SimCommand::ReadBlock), expected);
    EXPECT_TRUE(loop.messages.empty());
    EXPECT_TRUE(loop.progress.empty());
    EXPECT_EQ(sim.Count(SimCommand::EnterWrite), 0u);
}

TEST_F(RadioExchangeTest, RadioInformationOffersRetryAtOnce) {
    sim.AddFault({SimFaultKind::DropReply, SimCommand::ReadBlock, 0x3080, 1});
    loop.answers = {MsgAnswer::Retry};
    ASSERT_TRUE(Run(LinkType::RadioInfo));
    EXPECT_EQ(info.bytes, sim.InfoBlock.bytes);
    ASSERT_EQ(loop.messages.size(), 1u);
    EXPECT_EQ(loop.messages[0].Buttons, MsgButtons::RetryCancel);
    // From the first block again after the handshake.
    EXPECT_EQ(loop.CountSent(ReadBlockFrame(0x3000)), 2u);
    EXPECT_EQ(loop.CountSent(HandshakeFrame()), 2u);
}

} // namespace
} // namespace velmar
