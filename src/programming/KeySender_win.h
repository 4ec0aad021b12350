// The lock-LED channel's way out: one key batch as one SendInput call.
#pragma once

#include "programming/KeyBatch.h"

// Sends the batch's records in order, all pressed or all released; a lock toggles on the
// press. The result of SendInput is not acted on: a lost batch shows as a wrong answer.
void SendKeyBatch(const KeyBatch& batch, KeyAction action);
