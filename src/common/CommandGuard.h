#pragma once

#include "common/UserPrompts.h"

#include <functional>

// Runs one user command. Any failure is shown as an error box and the program goes on.
// Returns true when the command finished without a failure.
bool runGuarded(UserPrompts &prompts, const std::function<void()> &command);
