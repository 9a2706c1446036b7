// What sets the four programs apart: how the direction is steered, whether a game controller is
// used, whether music plays during a game, and the camera's look-ahead step. Each program names
// one of these; the game reads it in the few places where the programs differ.
#pragma once

// How one input steers the direction of the player's sideways motion.
enum class SteeringRule {
    NotRead,  // the input is never read
    Toggle,   // each press and release reverses the direction
    Hold,     // held: toward -x; released: toward +x; set on every frame
};

struct GameSettings {
    const char* acProgram;
    // Controller button 0. Anything but NotRead also sets up and polls the controller and lets
    // the button start a game.
    SteeringRule eButton;
    SteeringRule eSpace;
    // Music on a voice of its own, a new track for each game, stopped when the game ends.
    bool bMusicDuringPlay;
    float fLookAheadStep;

    bool UsesController() const { return eButton != SteeringRule::NotRead; }
};

extern const GameSettings kPadToggleSettings;
extern const GameSettings kPadHoldSettings;
extern const GameSettings kKeyToggleSettings;
extern const GameSettings kKeyHoldSettings;
