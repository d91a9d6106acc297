#include "platform/SdlMixer.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <atomic>
#include <cstdio>
#include <functional>
#include <mutex>

#include "platform/WavReader.h"
#include "platform/WavStream.h"

namespace morvik {

namespace {
constexpr int kRate = 44100;
// 1024 frames at 44.1 kHz is 23 ms: short enough that a step is heard with the step.
constexpr int kBufferFrames = 1024;
constexpr int kChannels = 16;
constexpr int kEffectGroup = 1;
// SDL_mixer's end-of-channel callback is a plain function; there is one mixer per program.
std::atomic<SdlMixer*> current{nullptr};
// A missing device is named once, not at every try to open it again.
std::atomic<bool> toldMissing{false};
void TellMissing(const char* why) {
  if (!toldMissing.exchange(true)) std::fprintf(stderr, "morvik: no audio device (%s); playing without sound\n", why);
}
}  // namespace

SdlMixer::SdlMixer() {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");  // Ctrl+C and the session's signals stay the program's
  SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "morvik");
  SDL_SetHint(SDL_HINT_AUDIO_DEVICE_STREAM_NAME, "game sound");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    TellMissing(SDL_GetError());
    return;
  }
  if (Mix_OpenAudio(kRate, AUDIO_S16SYS, 2, kBufferFrames) != 0) {
    TellMissing(Mix_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return;
  }
  int rate = 0, channels = 0;
  Uint16 format = 0;
  Mix_QuerySpec(&rate, &format, &channels);
  rate_ = rate;
  bufferFrames_ = kBufferFrames;
  Mix_AllocateChannels(kChannels);
  // Channel 0 stands for the music (streamed beside the channels), 1 is the waiting player's:
  // neither is lent to effects.
  Mix_ReserveChannels(2);
  Mix_GroupChannels(2, kChannels - 1, kEffectGroup);
  current = this;
  Mix_ChannelFinished(&SdlMixer::ChannelDone);
  open_ = true;
}

// The mixer opens its device by SDL's device interface, whose ids start at 2, and keeps the
// id to itself: a device of ours that still plays or pauses is one of the first few ids. SDL
// reports a device it has lost as stopped.
bool SdlMixer::Lost() const {
  if (!open_) return false;
  for (SDL_AudioDeviceID id = 2; id < 10; ++id)
    if (SDL_GetAudioDeviceStatus(id) != SDL_AUDIO_STOPPED) return false;
  return true;
}

SdlMixer::~SdlMixer() {
  if (!open_) return;
  Mix_ChannelFinished(nullptr);
  current = nullptr;
  Mix_HaltChannel(-1);
  Mix_HaltMusic();
  for (Sound& s : sounds_) {
    if (s.chunk) Mix_FreeChunk(s.chunk);
    if (s.music) Mix_FreeMusic(s.music);
  }
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
  if (sound.Streamed()) sounds_.push_back({{}, sound});
  else sounds_.push_back({sound.CanonicalFile(), std::nullopt});
  return static_cast<int>(sounds_.size()) - 1;
}

void SdlMixer::Play(int channel, int handle, bool loop) {
  if (!open_ || handle < 0 || handle >= static_cast<int>(sounds_.size())) return;
  Sound& s = sounds_[static_cast<size_t>(handle)];
  auto reader = [&s]() -> SDL_RWops* {
    if (s.streamed) return OpenWavStream(*s.streamed);
    return SDL_RWFromConstMem(s.file.constData(), static_cast<int>(s.file.size()));
  };
  if (channel == kMusicChannel) {
    // The music stream loops inside the mixer, without a gap at the join.
    SDL_RWops* source = s.music ? nullptr : reader();
    if (!s.music && !(source && (s.music = Mix_LoadMUS_RW(source, 1)))) {
      std::fprintf(stderr, "morvik: a piece of music could not be played (%s)\n", Mix_GetError());
      return;
    }
    Mix_PlayMusic(s.music, loop ? -1 : 1);
    return;
  }
  SDL_RWops* source = s.chunk ? nullptr : reader();
  if (!s.chunk && !(source && (s.chunk = Mix_LoadWAV_RW(source, 1)))) {
    std::fprintf(stderr, "morvik: a sound could not be decoded (%s)\n", Mix_GetError());
    return;
  }
  if (channel == kAnyEffectChannel && Mix_PlayChannel(-1, s.chunk, 0) >= 0) return;
  if (channel == kAnyEffectChannel) {
    // Every effect channel is busy: the oldest effect gives way to the new one.
    channel = Mix_GroupOldest(kEffectGroup);
    if (channel < 0) return;
    Mix_HaltChannel(channel);
  }
  Mix_PlayChannel(channel, s.chunk, loop ? -1 : 0);
}

void SdlMixer::OnFinished(std::function<void(int channel)> receiver) {
  const std::lock_guard<std::mutex> lock(finishedLock_);
  finished_ = std::move(receiver);
}

void SdlMixer::Halt(int channel) {
  if (!open_) return;
  if (channel == kMusicChannel) Mix_HaltMusic();
  else Mix_HaltChannel(channel);
}

}  // namespace morvik
