#include "GameSettings.h"

// The four programs side by side.
//                                  program             button 0               Space                  music  look-ahead
const GameSettings kPadToggleSettings{"brask-pad-toggle", SteeringRule::Toggle,  SteeringRule::Toggle, false, 5.0f};
const GameSettings kPadHoldSettings{  "brask-pad-hold",   SteeringRule::Hold,    SteeringRule::Toggle, false, 5.0f};
const GameSettings kKeyToggleSettings{"brask-key-toggle", SteeringRule::NotRead, SteeringRule::Toggle, true,  3.0f};
const GameSettings kKeyHoldSettings{  "brask-key-hold",   SteeringRule::NotRead, SteeringRule::Hold,   true,  3.0f};
