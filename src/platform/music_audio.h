#pragma once
// The music manager's own small sound layer: an output device and streamed
// sounds with play, stop, is-playing, repeat and volume. Over SDL2_mixer a
// play-list track is the mixer's one music stream, and a single file plays
// on a channel of its own from the sound device's channels, so the two sound
// together and neither takes a channel of a sound effect. Main thread only.
#include <memory>
#include <string>

// Where a stream plays: at most one stream of each kind sounds at a time.
enum class eMusicChannel {
  kTrack,       // the current play list's track
  kSingleFile,  // the single file beside it
};

class cMusicStream {
 public:
  // Releasing a stream stops it.
  virtual ~cMusicStream() = default;
  virtual void Play() = 0;
  virtual void Stop() = 0;
  virtual bool IsPlaying() = 0;
  virtual void SetRepeat(bool repeat) = 0;
  // 0.0 (silent) to 1.0 (full); values outside are clamped.
  virtual void SetVolume(float volume) = 0;
};

class cMusicDevice {
 public:
  virtual ~cMusicDevice() = default;
  // Opens a music file (the format is found from its content) as a stream
  // that plays on the given channel; null when it cannot be opened.
  virtual std::unique_ptr<cMusicStream> OpenStreamedSound(const std::string& file, eMusicChannel channel) = 0;
};

// Opens the output device over SDL2_mixer; null (with a log line) when there
// is no sound device. A device the sound effects opened is shared and left
// open; one opened here is closed with the returned object.
std::unique_ptr<cMusicDevice> OpenMusicDevice();

// The mixer's volume (0..128) for a volume of 0.0 to 1.0, rounded to the
// nearest step; outside values are clamped.
int MixerVolume(float volume);
