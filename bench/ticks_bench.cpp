// SPDX-License-Identifier: MIT
// The two rules of every level that run most, on their own: the traffic tick
// (moveTraffic) and the collision and goal check (checkCollisions), with the
// turtle alive where the level loads it and the traffic driving.
#include <benchmark/benchmark.h>

#include "fake_host.h"
#include "rules/handlers.h"
#include "rules/levels/levels.h"

namespace {

using rules::LevelControls;

bool alive(const LevelControls& controls) { return controls.collisionChecksOn; }

// The traffic keeps wrapping round for as long as the loop runs, so every
// move, wrap and re-entry of the level's cycle is in the average.
void BM_TrafficTick(benchmark::State& state, int level) {
    LevelControls controls(levels::byNumber(level));
    for (auto _ : state) {
        rules::moveTraffic(controls);
        benchmark::ClobberMemory();
    }
}

// The turtle at its load position, which no vehicle reaches: every hazard is
// tested, none hits, the goal and edge tests find nothing to do. The traffic
// stands where one of its ticks left it.
void BM_CollisionCheck(benchmark::State& state, int level) {
    LevelControls controls(levels::byNumber(level));
    FakeHost host;
    rules::moveTraffic(controls);
    for (auto _ : state) {
        rules::checkCollisions(controls, host);
        benchmark::ClobberMemory();
    }
    if (!alive(controls) || !host.boxes.empty()) state.SkipWithError("the turtle did not stay alive");
}

// One traffic tick as the level window handles it: the collision check
// before the vehicles move and the one after, so the hazards stand
// somewhere new in every round.
void BM_TrafficEvent(benchmark::State& state, int level) {
    LevelControls controls(levels::byNumber(level));
    FakeHost host;
    for (auto _ : state) {
        rules::checkCollisions(controls, host);
        rules::moveTraffic(controls);
        rules::checkCollisions(controls, host);
        benchmark::ClobberMemory();
    }
    if (!alive(controls) || !host.boxes.empty()) state.SkipWithError("the turtle did not stay alive");
}

}  // namespace

BENCHMARK_CAPTURE(BM_TrafficTick, level1, 1);
BENCHMARK_CAPTURE(BM_TrafficTick, level2, 2);
BENCHMARK_CAPTURE(BM_TrafficTick, level3, 3);
BENCHMARK_CAPTURE(BM_CollisionCheck, level1, 1);
BENCHMARK_CAPTURE(BM_CollisionCheck, level2, 2);
BENCHMARK_CAPTURE(BM_CollisionCheck, level3, 3);
BENCHMARK_CAPTURE(BM_TrafficEvent, level1, 1);
BENCHMARK_CAPTURE(BM_TrafficEvent, level2, 2);
BENCHMARK_CAPTURE(BM_TrafficEvent, level3, 3);

BENCHMARK_MAIN();
