// The music's track switch, fade-out and loop, driven through a MusicOutput.
#include "se/music_policy.h"

#include "base/event_log.h"
#include "se/music_file_name.h"
#include "se/sound_volume.h"

namespace se {

namespace {

constexpr const char* kTag = "SE";

// The line before the fatal one says which file and why, so that Log.log tells the player what
// to mend; the fatal line itself stays the engine's fixed one.
[[noreturn]] void cannotRunMusic(const std::string& why) {
  LogMessage(kTag, why.c_str());
  LogError(kTag, "cannot run music");
}

}  // namespace

void MusicPolicy::PlayMusic(int track, float volume, bool immediately) {
  requestedTrack = track;
  requestedVolume = AttenuationOf(volume);

  if (currentTrack != -1) {
    if (!immediately) {
      const std::int32_t current = output.Volume();
      if (current > kFadeEnd) {
        output.SetVolume(current - kFadeStep);
        return;  // the switch is not done yet; Update goes on with the fade
      }
    } else {
      output.SetVolume(kSilentVolume);
    }
    output.Stop();
    output.Close();
  }

  if (track < 0) {
    currentTrack = track;
    return;
  }
  StartTrack(track);
}

void MusicPolicy::StartTrack(int track) {
  // Only a stored name can be played; a track beyond the table or without a name is treated
  // like a file that cannot be opened.
  if (static_cast<std::size_t>(track) >= files.size() || files[static_cast<std::size_t>(track)].empty()) {
    cannotRunMusic("music track " + std::to_string(track) + " has no file name");
  }
  const std::wstring& file = files[static_cast<std::size_t>(track)];
  std::string reason;
  if (!output.Open(file, reason)) {
    std::string name;
    if (!NarrowFileName(file, name)) {
      name = "(a name with no form in this locale)";
    }
    cannotRunMusic("music file \"" + name + "\" " + reason);
  }
  output.Seek(0.0);
  output.SetVolume(requestedVolume);
  output.Run();
  currentTrack = track;
}

void MusicPolicy::Update() {
  if (currentTrack >= 0) {
    const double stopTime = output.StopTime();
    const double position = output.Position();
    if (stopTime - kLoopLead < position) {
      output.Stop();
      output.Seek(0.0);
      output.Run();
    }
  }
  if (currentTrack != requestedTrack) {
    PlayMusic(requestedTrack, 1.0f, false);
  }
}

}  // namespace se
