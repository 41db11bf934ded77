// SPDX-License-Identifier: MIT
// plodway-replay's reading of events and printing of states, and how a
// whole input is played: errors, comments, the end at a win.
#include <gtest/gtest.h>

#include <sstream>

#include "replay.h"
#include "rules/art/art.h"
#include "rules/levels/levels.h"

using replay::Event;

namespace {

struct Played {
    int code;
    std::string out, err;
};

Played play(const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int code = replay::run(in, out, err);
    return {code, out.str(), err.str()};
}

int lineCount(const std::string& text) {
    int n = 0;
    for (char c : text) n += c == '\n';
    return n;
}

}  // namespace

TEST(ReplayNumbers, WholeNumbersWithoutFractionOthersShortestExact) {
    EXPECT_EQ(replay::formatNumber(3540), "3540");
    EXPECT_EQ(replay::formatNumber(-1500), "-1500");
    EXPECT_EQ(replay::formatNumber(0.0f), "0");
    EXPECT_EQ(replay::formatNumber(-0.0f), "0");
    EXPECT_EQ(replay::formatNumber(3540.25f), "3540.25");
    EXPECT_EQ(replay::formatNumber(-0.5f), "-0.5");
    // 0.1 is not a float; the shortest text that reads back as the same float is.
    EXPECT_EQ(replay::formatNumber(0.1f), "0.1");
    EXPECT_EQ(replay::formatNumber(16777217.0f), "16777216");
    EXPECT_EQ(std::stof(replay::formatNumber(1e20f)), 1e20f);
}

TEST(ReplayEvents, EveryEventReadsAndPrintsBackTheSame) {
    const char* lines[] = {"level 1", "level 3", "key 38", "key -1", "key 0", "key 32767",
                           "key -32768", "traffic", "collision", "restart"};
    for (const char* line : lines) {
        const auto e = replay::parseLine(line);
        ASSERT_TRUE(e) << line;
        EXPECT_EQ(replay::eventText(*e), line);
    }
    const auto key = replay::parseLine("  key\t40  \r");
    ASSERT_TRUE(key);
    EXPECT_EQ(key->kind, Event::Kind::Key);
    EXPECT_EQ(key->number, 40);
}

TEST(ReplayEvents, BlankLinesAndCommentsAreNoEvents) {
    for (const char* line : {"", "   ", "\t", "# level 1", "  # traffic", "#"})
        EXPECT_FALSE(replay::parseLine(line)) << '"' << line << '"';
}

TEST(ReplayEvents, MalformedLinesAreRejected) {
    const char* bad[] = {"level", "level 0", "level 4", "level -1", "level 1 2", "level one",
                         "key", "key 38 1", "key 3.5", "key 0x26", "key +38", "key 32768",
                         "key -32769", "key 38abc", "traffic 1", "collision now", "restart 3",
                         "Traffic", "tick", "level1"};
    for (const char* line : bad)
        EXPECT_THROW(replay::parseLine(line), replay::ParseError) << line;
}

TEST(ReplayRun, AnErrorNamesTheLineAndItsTextAfterTheTraceSoFar) {
    Played p = play("# level 2 is not read\nlevel 2\n\ntraffic\nkey 38 38\ntraffic\n");
    EXPECT_EQ(p.code, 1);
    EXPECT_EQ(lineCount(p.out), 2);  // the level and the traffic tick before the bad line
    EXPECT_NE(p.err.find("line 5 (\"key 38 38\")"), std::string::npos) << p.err;
    EXPECT_EQ(lineCount(p.err), 1) << p.err;

    p = play("level 1\nlevel 2\n");
    EXPECT_EQ(p.code, 1);
    EXPECT_NE(p.err.find("line 2 (\"level 2\"): \"level\" may only be the first event"),
              std::string::npos)
        << p.err;

    p = play("\n# nothing\n");
    EXPECT_EQ(p.code, 1);
    EXPECT_EQ(p.out, "");
    EXPECT_NE(p.err.find("must start with \"level N\""), std::string::npos) << p.err;
}

TEST(ReplayRun, WindowsLineEndsAndAMissingLastNewlineAreAccepted) {
    const Played lf = play("level 1\ntraffic\nkey 38\n");
    const Played dos = play("level 1\r\ntraffic\r\nkey 38");
    EXPECT_EQ(lf.code, 0);
    EXPECT_EQ(dos.code, 0) << dos.err;
    EXPECT_EQ(dos.out, lf.out);
    EXPECT_EQ(lineCount(lf.out), 3);
}

TEST(ReplayRun, TheWinEndsTheInputEvenBeforeBadLines) {
    std::string input = "level 3\n";
    for (int i = 0; i < 10; ++i) input += "key 38\n";
    input += "collision\nno such event\nlevel 9\n";
    const Played p = play(input);
    EXPECT_EQ(p.code, 0) << p.err;
    EXPECT_EQ(p.err, "");
    const std::string tail = "box text=\"Winner!\" style=0 title=\"\"\n";
    const auto box = p.out.find(tail);
    ASSERT_NE(box, std::string::npos) << p.out;
    const std::string after = p.out.substr(box + tail.size());
    EXPECT_EQ(after.substr(0, 16), "turtle=3420,-80 ");
    EXPECT_EQ(after.substr(after.size() - 4), "won\n");
    EXPECT_EQ(lineCount(after), 2);
}

TEST(ReplayState, LineNamesEveryVehicleInTrafficOrder) {
    rules::LevelControls controls{levels::level2()};
    EXPECT_EQ(replay::stateLine(controls),
              "turtle=3480,4860 picture=live tread=hidden timer2=1 field=1 restart=0 "
              "imgBus0=5280 imgBus1=2520 imgCar0=2820 imgCar1=4620 imgSportsCar0=240 "
              "imgSportsCar1=2280");
}

TEST(ReplayState, FractionsTreadAndAnUnexpectedPictureShow) {
    rules::LevelControls controls{levels::level3()};
    controls.turtle.move(10.5f, -0.25f);
    controls.treadMark.setVisible(true);
    controls.treadMark.move(-720, 660);
    controls.turtle.setPicture(&art::picCactus);
    controls.collisionChecksOn = false;
    controls.field.setEnabled(false);
    controls.restartButton.setEnabled(false);
    EXPECT_EQ(replay::stateLine(controls),
              "turtle=10.5,-0.25 picture=" + std::string(art::picCactus.name) +
                  " tread=-720,660 timer2=0 field=0 restart=0 imgTruckBoat=5220 imgSemi=3540 "
                  "imgSportsCar=2220 imgCar=540");
}

TEST(ReplayState, BoxLineQuotesTextAndTitle) {
    EXPECT_EQ(replay::boxLine("Paused", 64, std::string("Plodway")),
              "box text=\"Paused\" style=64 title=\"Plodway\"");
    EXPECT_EQ(replay::boxLine("Winner!", 0, std::nullopt), "box text=\"Winner!\" style=0 title=\"\"");
    EXPECT_EQ(replay::boxLine("a \"b\" \\", 0, std::nullopt),
              "box text=\"a \\\"b\\\" \\\\\" style=0 title=\"\"");
}
