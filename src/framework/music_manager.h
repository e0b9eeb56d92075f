#pragma once
// The music: numbered play lists read from "data/Music/playlists.csv", each
// a file listing music files of which one plays at a time, the next chosen
// at random when it ends; and one single file (the menus' intro and credits
// music) beside them. Main thread only; reached through gMusicManager,
// which callers test for null.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/music_audio.h"

class MusicManager {
 public:
  // Opens the sound device and reads the play lists (volume from the
  // "Audio/MusicVolume" setting).
  MusicManager();
  // The same over a given device (null: nothing can be opened) and
  // play-lists file.
  MusicManager(std::unique_ptr<cMusicDevice> device, float volume,
               const std::string& playlistsFile = "data/Music/playlists.csv");
  ~MusicManager();
  MusicManager(const MusicManager&) = delete;
  MusicManager& operator=(const MusicManager&) = delete;

  // Starts the play list of the id (a country id, -1 the default one); true
  // when the id is known. The current play list is left as it plays.
  bool PlayPlaylist(int id);
  // Opens the tracks of one play-list file and starts a random one.
  void LoadPlaylists(const std::string& file);
  // Called every frame: when the current track has ended, starts another.
  void PlayNextTrack();
  // A track index other than current, every other track equally likely; 0
  // with one track, -1 with none.
  int PickNextTrackIndex(int current) const;
  void SetVolume(float volume);
  void PlaySpecificFile(const std::string& file, bool repeat);
  void StopSpecificFile();

  // State, for the callers and the tests.
  int CurrentTrack() const { return currentTrack_; }
  int CurrentPlaylist() const { return currentPlaylist_; }
  float Volume() const { return volume_; }
  size_t TrackCount() const { return tracks_.size(); }
  const std::map<int, std::string>& Playlists() const { return playlists_; }
  bool HasSingleFile() const { return singleFile_ != nullptr; }

 private:
  void ReadPlaylists(const std::string& playlistsFile);

  std::unique_ptr<cMusicDevice> device_;
  std::vector<std::unique_ptr<cMusicStream>> tracks_;
  int currentTrack_ = -1;
  float volume_ = 1.0f;
  std::map<int, std::string> playlists_;
  int currentPlaylist_ = -2;
  std::unique_ptr<cMusicStream> singleFile_;
};

// The one music manager of the program; null when none was made.
extern MusicManager* gMusicManager;

// Makes the program's music manager (WinMain, after the sound effects).
void LoadMusicPlaylists();

// One line of "data/Music/playlists.csv": true with its id and file when it
// is taken (a ";" that is neither first nor last, an integer before it).
bool ParsePlaylistLine(const std::string& line, int& id, std::string& file);
