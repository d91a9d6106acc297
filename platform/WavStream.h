#pragma once
// A sound only checked, read as the mixer's decoders read a file: the plain header of its
// format, then its samples fetched from the file where they lie, as the decoder asks for
// them. The decoder never sees the file's own chunks, and a piece of music is never held in
// memory whole.
struct SDL_RWops;

namespace morvik {

struct WavSound;

// A source that its user closes (which frees it); nullptr, with SDL's error set, when the
// file can no longer be opened as a regular file.
SDL_RWops* OpenWavStream(const WavSound& sound);

}  // namespace morvik
