#pragma once
// The program's way to make a sound: free functions over the one
// process-wide sound system. While no sound system exists each does nothing
// and returns 0, so callers never need to know whether sound is on.
#include <cstdint>

#include "platform/Window.h"
#include "render/Math.h"

// The show calls this once, after the renderer is set up, only when sounds
// are enabled. Creates the system and opens the audio device; 0 when there is
// no device, and the show then stays silent.
int InitSoundSystem(HWindow window);
// Releases the system and everything it plays. The show calls it on every way out.
int ShutdownSoundSystem();
// The listener's place and facing; placed sounds beyond maxDistance are silent.
int SetSoundListener(const SVector3& position, const SVector3& forward, const SVector3& up, float maxDistance);
// 0..1 over every voice.
int SetSoundMasterVolume(float volume);
// Brings the playing voices up to date; once a frame, after drawing.
int UpdateSounds();
// While the show draws nothing because nothing of it can be seen: the sounds
// stop where they are and the output device is let go. Called each time the
// show finds itself unseen; only the first call after a resume does anything.
int RestSounds();
// When the show is seen again: the ambient loop goes on where it stopped.
// The sounds played once that the rest cut off belong to a moment gone by and
// stay stopped. Called before each frame; does nothing unless resting.
int ResumeSounds();

// Plays a pack WAV entry on a voice. owner and key identify the requester (a
// voice with the same pair is re-targeted; key -1 is never taken over); flags
// bit 0 loops, bit 1 places the sound at position, bit 2 keeps a placed sound
// centred. volume is a linear gain 0..1, pan -1 (left) .. 1 (right), pitch a
// playback-rate factor. Returns 1 when handled, 0 otherwise.
int PlaySample(const char* name, const void* owner, int32_t key, uint32_t flags, float volume, float pan, float pitch,
               const SVector3& position, const SVector3& velocity);
