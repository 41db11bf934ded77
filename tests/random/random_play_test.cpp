// SPDX-License-Identifier: MIT
// Randomized play of each level, a million events each by default.
//   PLODWAY_RANDOM_SEED=N      play with seed N (a failure prints its seed);
//                              "fresh" draws a new seed and prints it
//   PLODWAY_RANDOM_EVENTS=N    events per level (the soak run sets 50 million)
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <sstream>

#include "random_play.h"
#include "replay.h"

namespace {

constexpr unsigned long long kDefaultEvents = 1000000;

std::uint64_t seedFor(int level) {
    const char* env = std::getenv("PLODWAY_RANDOM_SEED");
    if (!env || !*env) return 20240700 + level;  // fixed, so the normal run is repeatable
    if (std::string(env) == "fresh") return (std::uint64_t(std::random_device{}()) << 32) ^ std::random_device{}();
    return std::strtoull(env, nullptr, 10);
}

unsigned long long eventCount() {
    const char* env = std::getenv("PLODWAY_RANDOM_EVENTS");
    return env && *env ? std::strtoull(env, nullptr, 10) : kDefaultEvents;
}

void playLevel(int level) {
    const std::uint64_t seed = seedFor(level);
    const unsigned long long events = eventCount();
    std::cout << "level " << level << ": seed " << seed << ", " << events << " events" << std::endl;

    randomplay::Play play(level, seed);
    ASSERT_TRUE(play.run(events)) << play.failure();

    const randomplay::Counts& c = play.counts();
    std::cout << "  keys " << c.keys << " (arrows " << c.arrows << ", pauses " << c.pauses
              << ", others " << c.otherKeys << "), traffic " << c.traffic << ", collisions "
              << c.collisions << ", deaths " << c.deaths << " (double hits " << c.doubleHits
              << "), restarts " << c.restarts << " (alive " << c.aliveRestarts << "), wins " << c.wins
              << ", reopens " << c.reopens << ", edge pulls left/right/bottom " << c.clampLeft << "/"
              << c.clampRight << "/" << c.clampBottom << ", longest visit " << c.longestVisit
              << " traffic ticks" << std::endl;

    // A run that never reached a situation would check it in name only.
    if (events < kDefaultEvents) return;
    EXPECT_GT(c.pauses, 0u);
    EXPECT_GT(c.otherKeys, 0u);
    EXPECT_GT(c.deaths, 0u);
    EXPECT_GT(c.restarts, 0u);
    EXPECT_GT(c.wins, 0u);
    EXPECT_GT(c.clampLeft, 0u);
    EXPECT_GT(c.clampRight, 0u);
    EXPECT_GT(c.clampBottom, 0u);
    for (std::size_t i = 0; i < c.killsBy.size(); ++i)
        EXPECT_GT(c.killsBy[i], 0u) << "no kill by traffic row " << i;
    // Every vehicle came round at least twice in one visit.
    EXPECT_GT(c.longestVisit, 100u);
    if (level == 2) {
        EXPECT_GT(c.doubleHits, 0u);  // only level 2 has a row in two lanes
    }
    if (level == 3) {
        EXPECT_GT(c.aliveRestarts, 0u);
    }
}

}  // namespace

TEST(RandomPlay, Level1) { playLevel(1); }
TEST(RandomPlay, Level2) { playLevel(2); }
TEST(RandomPlay, Level3) { playLevel(3); }

// The replay tool, given a random game's events, prints what the engine
// showed while they were played directly: the same delivery rules, the same
// boxes, the same states, up to the first win.
TEST(RandomPlay, ReplayToolAgreesWithDirectPlay) {
    for (int level = 1; level <= 3; ++level) {
        for (std::uint64_t seed = 1; seed <= 20; ++seed) {
            randomplay::Play play(level, seed);
            std::string input = "level " + std::to_string(level) + "\n";
            std::string expected = replay::stateLine(play.controls()) + "\n";
            bool won = false;
            play.onEvent = [&](const randomplay::Event& e, const std::vector<ShownBox>& boxes,
                               bool win) {
                input += randomplay::eventText(e) + "\n";
                for (const ShownBox& b : boxes) expected += replay::boxLine(b.text, b.style, b.title) + "\n";
                expected += replay::stateLine(play.controls()) + "\n";
                if (win) expected += "won\n", won = true;
            };
            for (int i = 0; i < 20000 && !won; ++i) {
                ASSERT_TRUE(play.step()) << play.failure();
                if (play.counts().reopens) break;  // the replay has no reopening
            }
            std::istringstream in(input);
            std::ostringstream out, err;
            EXPECT_EQ(replay::run(in, out, err), 0) << err.str();
            ASSERT_EQ(out.str(), expected) << "level " << level << ", seed " << seed;
        }
    }
}
