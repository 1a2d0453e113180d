// The refresh cycle: the interval spinner, the two timers, and the chain of
// worker steps that each tick of the auto-update timer starts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct Program;
enum class Timer : int;

// The decimal number at the start of a text, full-width ASCII folded; 0 without one.
double numberFromText(std::string_view text);
// The number formatted with "%.13g".
std::string textFromNumber(double number);
// n seconds as a timer period: n x 1000 cut toward zero, its low 32 bits.
std::int32_t periodFromSeconds(double seconds);

// Sets a timer's period: negative is 0, the same period changes nothing, otherwise
// the timer is stopped and, above 0, started anew. Window thread only.
void setTimerPeriod(Program& program, Timer timer, std::int32_t period);

// The spinner's handler: direction +1 for the up arrow, -1 for the down arrow.
void onIntervalSpin(Program& program, int direction);
// Starts a refresh chain on a worker, unless one is still running.
void onAutoUpdateTick(Program& program);
void onMemoryTick(Program& program);

// Starts one step of the chain on a new worker, counted in program.chainWorkers
// until it returns. False when the worker could not be started: the chain ends there.
bool startChainStep(Program& program, void (*step)(Program&));

// Writes the four sources' lines into their labels and starts selectNewestDraw.
void showSourceLines(Program& program);
