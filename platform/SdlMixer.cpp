#include "platform/SdlMixer.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <atomic>
#include <cstdio>
#include <functional>
#include <mutex>

#include "platform/WavReader.h"

namespace morvik {

namespace {
constexpr int kRate = 44100;
// 1024 frames at 44.1 kHz is 23 ms: short enough that a step is heard with the step.
constexpr int kBufferFrames = 1024;
constexpr int kChannels = 16;
constexpr int kEffectGroup = 1;
// SDL_mixer's end-of-channel callback is a plain function; there is one mixer per program.
std::atomic<SdlMixer*> current{nullptr};
}  // namespace

SdlMixer::SdlMixer() {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");  // Ctrl+C and the session's signals stay the program's
  SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "morvik");
  SDL_SetHint(SDL_HINT_AUDIO_DEVICE_STREAM_NAME, "game sound");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    std::fprintf(stderr, "morvik: no audio device (%s); playing without sound\n", SDL_GetError());
    return;
  }
  if (Mix_OpenAudio(kRate, AUDIO_S16SYS, 2, kBufferFrames) != 0) {
    std::fprintf(stderr, "morvik: no audio device (%s); playing without sound\n", Mix_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return;
  }
  int rate = 0, channels = 0;
  Uint16 format = 0;
  Mix_QuerySpec(&rate, &format, &channels);
  rate_ = rate;
  bufferFrames_ = kBufferFrames;
  Mix_AllocateChannels(kChannels);
  Mix_ReserveChannels(2);  // music and the waiting player never lend their channels to effects
  Mix_GroupChannels(2, kChannels - 1, kEffectGroup);
  current = this;
  Mix_ChannelFinished(&SdlMixer::ChannelDone);
  open_ = true;
}

SdlMixer::~SdlMixer() {
  if (!open_) return;
  Mix_ChannelFinished(nullptr);
  current = nullptr;
  Mix_HaltChannel(-1);
  for (Mix_Chunk* c : chunks_) Mix_FreeChunk(c);
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlMixer::ChannelDone(int channel) {
  // Runs on the mixer's thread, or inside Halt on the caller's.
  SdlMixer* m = current.load();
  if (!m) return;
  const std::lock_guard<std::mutex> lock(m->finishedLock_);
  if (m->finished_) m->finished_(channel);
}

int SdlMixer::Load(const WavSound& sound) {
  if (!open_) return -1;
  const QByteArray file = sound.CanonicalFile();
  Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(file.constData(), static_cast<int>(file.size())), 1);
  if (!chunk) {
    std::fprintf(stderr, "morvik: a sound could not be decoded (%s)\n", Mix_GetError());
    return -1;
  }
  chunks_.push_back(chunk);
  return static_cast<int>(chunks_.size()) - 1;
}

void SdlMixer::Play(int channel, int handle, bool loop) {
  if (!open_ || handle < 0 || handle >= static_cast<int>(chunks_.size())) return;
  Mix_Chunk* chunk = chunks_[static_cast<size_t>(handle)];
  if (channel == kAnyEffectChannel && Mix_PlayChannel(-1, chunk, 0) >= 0) return;
  if (channel == kAnyEffectChannel) {
    // Every effect channel is busy: the oldest effect gives way to the new one.
    channel = Mix_GroupOldest(kEffectGroup);
    if (channel < 0) return;
    Mix_HaltChannel(channel);
  }
  Mix_PlayChannel(channel, chunk, loop ? -1 : 0);
}

void SdlMixer::OnFinished(std::function<void(int channel)> receiver) {
  const std::lock_guard<std::mutex> lock(finishedLock_);
  finished_ = std::move(receiver);
}

void SdlMixer::Halt(int channel) {
  if (open_) Mix_HaltChannel(channel);
}

}  // namespace morvik
