// The sounds an engine has handed out from PlaySound and still owns: each is deleted when it has
// stopped (at Update), when its sample is replaced, or when all sounds are stopped. Every engine
// keeps its sounds this way; `Sound` is the engine's own sound class, with IsPlaying().
#pragma once

#include <cstddef>
#include <set>
#include <string>

namespace se {

template <typename Sound>
class LiveSounds {
 public:
  void Add(Sound* sound) { sounds.insert(sound); }
  std::size_t Count() const { return sounds.size(); }

  void DeleteAll() {
    DeleteWhere([](const Sound&) { return true; });
  }
  void DeleteStopped() {
    DeleteWhere([](const Sound& sound) { return !sound.IsPlaying(); });
  }
  template <typename Predicate>
  void DeleteWhere(Predicate doomed) {
    for (auto sound = sounds.begin(); sound != sounds.end();) {
      if (doomed(**sound)) {
        delete *sound;
        sound = sounds.erase(sound);
      } else {
        ++sound;
      }
    }
  }

 private:
  std::set<Sound*> sounds;
};

// The log line for a sample slot outside the engine's table, as every engine words it.
inline std::string SlotOutOfRangeMessage(const char* file, int slot, int slots) {
  return "cannot load sound " + std::string(file) + ": slot " + std::to_string(slot) + " is not one of 0 to " +
         std::to_string(slots - 1);
}

}  // namespace se
