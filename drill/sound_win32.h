// The drill's three sounds.
#pragma once

// Plays a WAV file asynchronously, cutting off a sound still playing; an empty name
// plays nothing. A file that cannot be played is not reported.
void PlayDrillSound(const char* fileName);
