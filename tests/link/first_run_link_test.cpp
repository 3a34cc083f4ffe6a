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
    // An echo that comes while none is expected is no reply, but the reply
    // behind it is: the first attempt links and the echo sets NoEcho.
    const Case cases[] = {{true, false, 1}, {false, false, 2}, {false, true, 1}, {true, true, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "echo " << c.cableEchoes << " NoEcho " << c.noEchoAtStart);
        RadioSim sim;
        sim.SetEcho(c.cableEchoes);
        LinkGlobals link;
        link.NoEcho = c.noEchoAtStart;
        FirstRunLink firstRun(link);
        LinkLoop loop(sim);
        LinkActions start = firstRun.Start();
        EXPECT_EQ(firstRun.ReplyThreshold(), c.noEchoAtStart ? 3u : 10u);
        loop.Run(firstRun, std::move(start));

        EXPECT_EQ(loop.result, true);
        EXPECT_TRUE(firstRun.Linked());
        EXPECT_EQ(link.NoEcho, !c.cableEchoes);
        EXPECT_EQ(loop.CountSent(HandshakeFrame()), static_cast<std::size_t>(c.attempts));
        // The port hands over every byte; the attempt counts them itself.
        EXPECT_EQ(loop.thresholds.front(), 1u);
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
    // A reply that comes after the dialog gave up does not link: the user
    // has been told there was none.
    const Bytes late(HandshakeReply.begin(), HandshakeReply.end());
    EXPECT_TRUE(firstRun.OnBytes(late).empty());
    EXPECT_FALSE(firstRun.Linked());

    // OK again: the radio answers now.
    LinkLoop again(sim);
    again.Run(firstRun, firstRun.Start());
    EXPECT_EQ(again.result, true);
    EXPECT_TRUE(link.NoEcho);
}

// What arrives in one attempt, piece by piece as the line delivers it, is
// judged as a whole once the bytes the attempt waits for have come.
TEST(FirstRunLinkTest, AReplyLinksWhateverCameBeforeItInTheSameAttempt) {
    struct Case {
        const char* name;
        bool noEcho;
        std::vector<Bytes> pieces;
        bool links;
        bool noEchoAfter;
    };
    const Bytes reply{0x5A, 0x52, 0x06};
    const Bytes echo(HandshakeCommand.begin(), HandshakeCommand.end());
    const Bytes noise{0x55, 0x55, 0x55};
    const Case cases[] = {
        {"reply alone", true, {reply}, true, true},
        {"stray byte, the reply split", true, {{0x00, 0x5A, 0x52}, {0x06}}, true, true},
        {"line noise, then the reply", true, {noise, reply}, true, true},
        {"echo, noise, then the reply", false, {echo, noise, reply}, true, false},
        {"noise, echo, then the reply", false, {noise, echo, reply}, true, false},
        {"an echo where none is expected", true, {echo, reply}, true, false},
        {"a wrong reply, then the right one", true, {{0x5A, 0x52, 0x0A}, reply}, true, true},
        {"a wrong reply only", true, {{0x5A, 0x52, 0x0A}}, false, true},
        // A two-wire cable while an echo is expected: too few bytes.
        {"reply without the echo expected", false, {reply}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LinkGlobals link;
        link.NoEcho = c.noEcho;
        FirstRunLink firstRun(link);
        firstRun.Start();
        bool linked = false;
        for (const Bytes& piece : c.pieces) {
            const LinkActions actions = firstRun.OnBytes(piece);
            if (!actions.empty())
                linked = std::get<Finished>(actions.back()).Success;
        }
        EXPECT_EQ(linked, c.links);
        EXPECT_EQ(firstRun.Linked(), c.links);
        EXPECT_EQ(link.NoEcho, c.noEchoAfter);
    }
}

// Bytes of an attempt that timed out do not count for the next one.
TEST(FirstRunLinkTest, EachAttemptStartsWithNothingReceived) {
    LinkGlobals link;
    FirstRunLink firstRun(link);
    firstRun.Start(); // an echo is expected: ten bytes
    EXPECT_TRUE(
        firstRun.OnBytes(Bytes{0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D, 0x5A, 0x52}).empty());
    firstRun.OnTimeout(); // now three bytes, without an echo
    EXPECT_TRUE(firstRun.OnBytes(Bytes{0x06}).empty());
    EXPECT_FALSE(firstRun.Linked());
    const LinkActions done = firstRun.OnBytes(Bytes{0x5A, 0x52, 0x06});
    ASSERT_FALSE(done.empty());
    EXPECT_TRUE(std::get<Finished>(done.back()).Success);
}

} // namespace
} // namespace velmar
