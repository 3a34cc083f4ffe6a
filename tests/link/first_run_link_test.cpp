#include "link/first_run_link.h"

#include "link_loop.h"

#include <gtest/gtest.h>

namespace velmar {
namespace {

TEST(FirstRunLinkTest, FindsTheCableKind) {
    struct Case {
        bool cableEchoes;
        bool noEchoAtStart;
        int attempts;
    };
    const Case cases[] = {{true, false, 1}, {false, false, 2}, {false, true, 1}, {true, true, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "echo " << c.cableEchoes << " NoEcho " << c.noEchoAtStart);
        RadioSim sim;
        sim.SetEcho(c.cableEchoes);
        LinkGlobals link;
        link.NoEcho = c.noEchoAtStart;
        FirstRunLink firstRun(link);
        LinkLoop loop(sim);
        loop.Run(firstRun, firstRun.Start());

        EXPECT_EQ(loop.result, true);
        EXPECT_TRUE(firstRun.Linked());
        EXPECT_EQ(link.NoEcho, !c.cableEchoes);
        EXPECT_EQ(loop.CountSent(HandshakeFrame()), static_cast<std::size_t>(c.attempts));
        EXPECT_EQ(loop.thresholds.front(), c.noEchoAtStart ? 3u : 10u);
        EXPECT_TRUE(loop.messages.empty());
    }
}

TEST(FirstRunLinkTest, GivesUpAfterFourAttemptsAndMayStartAgain) {
    RadioSim sim;
    sim.AddFault({SimFaultKind::DropReply, SimCommand::Handshake, std::nullopt, 4});
    LinkGlobals link;
    link.NoEcho = true;
    FirstRunLink firstRun(link);
    LinkLoop loop(sim);
    loop.Run(firstRun, firstRun.Start());

    EXPECT_EQ(loop.result, false);
    EXPECT_EQ(loop.CountSent(HandshakeFrame()), 4u);
    EXPECT_EQ(loop.timeouts, 4);
    ASSERT_EQ(loop.messages.size(), 1u);
    EXPECT_EQ(loop.messages[0].Literal, "Communication Error!");
    EXPECT_EQ(firstRun.LinkAttempts(), 0);
    EXPECT_FALSE(firstRun.Linked());
    EXPECT_TRUE(firstRun.OnTimeout().empty()); // nothing more is sent

    // OK again: the radio answers now.
    LinkLoop again(sim);
    again.Run(firstRun, firstRun.Start());
    EXPECT_EQ(again.result, true);
    EXPECT_TRUE(link.NoEcho);
}

TEST(FirstRunLinkTest, OtherRepliesAreLeftToTheTimer) {
    LinkGlobals link;
    link.NoEcho = true;
    FirstRunLink firstRun(link);
    firstRun.Start();
    EXPECT_TRUE(firstRun.OnBytes(Bytes{0x5A, 0x52, 0x0A}).empty());
    EXPECT_TRUE(firstRun.OnBytes(Bytes{0x5A, 0x52, 0x06}).empty()); // too late for this attempt
    firstRun.OnTimeout();
    firstRun.OnTimeout(); // back to no echo
    const LinkActions done = firstRun.OnBytes(Bytes{0x00, 0x5A, 0x52, 0x06});
    ASSERT_FALSE(done.empty());
    EXPECT_TRUE(std::get<Finished>(done.back()).Success);
}

} // namespace
} // namespace velmar
