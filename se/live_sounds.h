// The sounds an engine has handed out from PlaySound and still owns: each is deleted when it has
// stopped (at Update), when its sample is replaced, or when all sounds are stopped. Every engine
// keeps its sounds this way; `Sound` is the engine's own sound class, with IsPlaying().
#pragma once

#include <cstddef>
#include <set>

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

}  // namespace se
