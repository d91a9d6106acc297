// Turns a parsed Song into samples.
#pragma once

#include "tools/soundbuild/Song.h"

#include <cstdint>
#include <vector>

namespace morvik::sound {

constexpr int kSampleRate = 22050;

// Adds one note, as its voice shapes it, to `out` from the note's start sample on; the share
// of it meant for the echo goes to `send` as well. Both grow as far as the note's release needs.
void RenderNote(const Note& note, const Voice& voice, double secondsPerTick, int sampleRate,
                std::vector<float>& out, std::vector<float>& send);

// Mixes every note of the song, with its echo, into one mono signal, not yet scaled.
// A loop comes back exactly as long as its bars, with whatever sounds on past its end (the
// releases and echoes of the last bars) laid over its start, as it is heard when the loop
// plays again; its average is taken out. A sound played once runs until its last note and
// echo have died away.
std::vector<float> RenderSong(const Song& song, int sampleRate = kSampleRate);

// Scales the signal so that its highest peak sits at `levelDb` dBFS, and rounds it to 16 bits.
std::vector<int16_t> Normalise(const std::vector<float>& signal, double levelDb);

// The samples of a note's whole life: held time plus release.
int NoteSamples(const Note& note, const Voice& voice, double secondsPerTick, int sampleRate);

} // namespace morvik::sound
