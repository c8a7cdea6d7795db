#pragma once

#include <functional>

// The standard system beep. Tests replace it to count beeps; an empty
// function restores the platform's beep.
void systemBeep();
void setSystemBeep(std::function<void()> beep);
