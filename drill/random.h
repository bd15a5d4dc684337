// The program's one pseudo-random generator, shared by question selection and hints.
#pragma once

#include <cstdint>

// Sets the generator's 32-bit state (the program seeds it once at start-up).
void SeedRandom(std::uint32_t seed);

// Next value, 0 to 32767: state = state * 214013 + 2531011, value = bits 16-30 of it.
int NextRandom();

// The current state, so that a caller can tell whether a value was drawn.
std::uint32_t RandomState();

// A value from low to high, both included: low + (next value mod (high - low + 1)).
// When low is not below high it returns low and draws nothing.
int RandomRange(int low, int high);
