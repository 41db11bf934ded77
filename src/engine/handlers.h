// The level window's event handlers, shared by all three levels. Each reads
// the controls afresh and writes back at once; none keeps state of its own.
#pragma once

#include <cstdint>

#include "engine/level_form.h"
#include "engine/level_host.h"

namespace engine {

// The platform's virtual key codes.
enum KeyCode : std::int16_t {
    vbKeyPause = 19,
    vbKeyLeft = 37,
    vbKeyUp = 38,
    vbKeyRight = 39,
    vbKeyDown = 40,
    vbKeyP = 80,
};

inline constexpr int vbOKOnly = 0;
inline constexpr int vbInformation = 64;
inline constexpr const char* kProgramTitle = "Plodway";

void Picture1_KeyDown(LevelForm& f, LevelHost& host, std::int16_t KeyCode, std::int16_t Shift);
void cmdNewGame_Click(LevelForm& f);
void Timer1_Timer(LevelForm& f);
void Timer2_Timer(LevelForm& f, LevelHost& host);

}  // namespace engine
