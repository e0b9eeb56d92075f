#include "framework/music_manager.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "core/console.h"
#include "core/paths.h"
#include "core/random.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "core/text.h"
#include "core/text_file.h"

MusicManager* gMusicManager = nullptr;

namespace {

// A string-base text, or its key when the base lacks it (the keys read as
// the message), so a missing base never blanks a log line.
std::wstring TextOrKey(const char* key) {
  const std::wstring& t = Txt(key);
  return t.empty() ? WidenAscii(key) : t;
}

bool IsSkipped(const std::string& line) { return line.empty() || line[0] == ';' || line[0] == '#'; }

}  // namespace

bool ParsePlaylistLine(const std::string& line, int& id, std::string& file) {
  if (IsSkipped(line)) return false;
  const size_t semi = line.find(';');
  if (semi == std::string::npos || semi == 0 || semi + 1 == line.size()) return false;
  const std::string idText = line.substr(0, semi);
  errno = 0;
  char* end = nullptr;
  const long value = std::strtol(idText.c_str(), &end, 10);
  if (end == idText.c_str() || *end != '\0' || errno == ERANGE || value < INT32_MIN || value > INT32_MAX) return false;
  id = static_cast<int>(value);
  file = line.substr(semi + 1);
  return true;
}

MusicManager::MusicManager() : MusicManager(OpenMusicDevice(), gProgramSettings.musicVolume) {}

MusicManager::MusicManager(std::unique_ptr<cMusicDevice> device, float volume, const std::string& playlistsFile)
    : device_(std::move(device)), volume_(volume) {
  ReadPlaylists(playlistsFile);
}

MusicManager::~MusicManager() {
  // Streams go before the device they play on.
  tracks_.clear();
  singleFile_.reset();
  device_.reset();
}

void MusicManager::ReadPlaylists(const std::string& playlistsFile) {
  std::FILE* f = std::fopen(NativePath(playlistsFile).c_str(), "rb");
  if (f == nullptr) {
    LogLine(TextOrKey("error:_could_not_open_file_data/music/playlists.csv"));
    return;
  }
  std::string line;
  while (ReadTextLine(f, line)) {
    int id = 0;
    std::string file;
    if (!ParsePlaylistLine(line, id, file)) continue;
    if (!playlists_.emplace(id, file).second) continue;  // a repeated id keeps its first file
    LogLine(WFormat(TextOrKey("playlist_%d:_%s").c_str(), id, Cp1252ToWide(file).c_str()));
  }
  std::fclose(f);
}

bool MusicManager::PlayPlaylist(int id) {
  auto it = playlists_.find(id);
  if (it == playlists_.end()) return false;
  if (id == currentPlaylist_) return true;
  LoadPlaylists(it->second);
  currentPlaylist_ = id;
  return true;
}

void MusicManager::LoadPlaylists(const std::string& file) {
  std::FILE* f = std::fopen(NativePath(file).c_str(), "rb");
  // The old list's tracks go in any case: a list that cannot be read plays nothing.
  tracks_.clear();
  currentTrack_ = -1;
  if (f == nullptr) {
    LogLine(L"MusicManager: could not open play list " + Cp1252ToWide(file));
    return;
  }
  std::string line;
  while (ReadTextLine(f, line)) {
    if (IsSkipped(line)) continue;
    std::unique_ptr<cMusicStream> s =
        device_ != nullptr ? device_->OpenStreamedSound(line, eMusicChannel::kTrack) : nullptr;
    if (s == nullptr) {
      LogF(L"ERROR: nie udaďż˝o siďż˝ otworzyďż˝ strumienia audiere do pliku %S", line.c_str());
      continue;
    }
    s->SetRepeat(false);
    s->SetVolume(volume_);
    tracks_.push_back(std::move(s));
  }
  std::fclose(f);
  currentTrack_ = PickNextTrackIndex(-1);
  if (currentTrack_ >= 0) tracks_[currentTrack_]->Play();
}

int MusicManager::PickNextTrackIndex(int current) const {
  const int n = static_cast<int>(tracks_.size());
  if (n == 0) return -1;
  if (n == 1) return 0;
  if (current < 0 || current >= n) return RandomIndex(n);
  // One draw among the others: uniform, and never the current one.
  const int pick = RandomIndex(n - 1);
  return pick >= current ? pick + 1 : pick;
}

void MusicManager::PlayNextTrack() {
  if (currentPlaylist_ == -2 || currentTrack_ < 0) return;
  if (tracks_[currentTrack_]->IsPlaying()) return;
  currentTrack_ = PickNextTrackIndex(currentTrack_);
  tracks_[currentTrack_]->Play();
}

void MusicManager::SetVolume(float volume) {
  volume_ = volume;
  for (auto& t : tracks_) t->SetVolume(volume_);
  if (singleFile_ != nullptr) singleFile_->SetVolume(volume_);
}

void MusicManager::PlaySpecificFile(const std::string& file, bool repeat) {
  LogLine(L"MusicManager: Open specific file");
  std::unique_ptr<cMusicStream> s =
      device_ != nullptr ? device_->OpenStreamedSound(file, eMusicChannel::kSingleFile) : nullptr;
  if (s != nullptr) {
    LogLine(L"MusicManager: Set volume");
    s->SetVolume(volume_);
    LogLine(L"MusicManager: Play specific file");
    s->SetRepeat(repeat);
    // The earlier single file stops first: both share one channel.
    singleFile_.reset();
    s->Play();
    singleFile_ = std::move(s);
  }
  LogLine(L"MusicManager: Done");
}

void MusicManager::StopSpecificFile() {
  LogLine(L"MusicManager: Stop specific file");
  if (singleFile_ != nullptr) {
    if (singleFile_->IsPlaying()) {
      LogLine(L"MusicManager: Really stop specific file");
      singleFile_->Stop();
    }
    singleFile_.reset();
  }
  LogLine(L"MusicManager: Done");
}

void LoadMusicPlaylists() {
  if (gMusicManager == nullptr) gMusicManager = new MusicManager();
}
