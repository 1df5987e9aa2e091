// The music output on DirectShow: one filter graph that plays a music file through whatever
// decoder and audio renderer the system offers, under the shared music policy.
//
// Supports: any file DirectShow can render (the game's MP3; under Wine through GStreamer), its
// position and stop time in seconds, seek, run and stop, the volume through IBasicAudio, and the
// graph's completion event: a track that reached its end reads as being at its stop time, so the
// policy's loop starts it again even when no poll came near enough to the end before it.
// Does not: create COM's apartment (the engine does that on its thread), report a file that opens
// but cannot be decoded other than with a message (the music is then silent).
#pragma once

#include <cstdint>
#include <string>

#include "se/music_output.h"

// DirectShow's interfaces, kept out of this header.
struct IGraphBuilder;
struct IMediaControl;
struct IMediaPosition;
struct IBasicAudio;
struct IMediaEvent;

namespace se {

class MusicOutputDShow final : public MusicOutput {
 public:
  MusicOutputDShow() = default;
  MusicOutputDShow(const MusicOutputDShow&) = delete;
  MusicOutputDShow& operator=(const MusicOutputDShow&) = delete;
  // Stops the graph and releases it.
  ~MusicOutputDShow();

  // Creates the filter graph and asks it for its controls, on a thread where COM is initialised.
  // False when one is missing, with `reason` naming it and DirectShow's error code.
  bool Create(std::string& reason);

  bool Open(const std::wstring& file, std::string& reason) override;
  // Removes the track's source filter from the graph.
  void Close() override;

  void Run() override;
  void Stop() override;
  void Seek(double seconds) override;

  double Position() override;
  double StopTime() override;

  void SetVolume(std::int32_t hundredths) override;
  std::int32_t Volume() override;

  // Whether the graph said it played the track to its end since the track was last sought.
  bool Completed();

 private:
  void ReadEvents();

  IGraphBuilder* graph = nullptr;
  IMediaControl* mediaControl = nullptr;
  IMediaPosition* mediaPosition = nullptr;
  IBasicAudio* basicAudio = nullptr;
  IMediaEvent* mediaEvent = nullptr;
  std::wstring openFile;  // also the name of its source filter in the graph; empty: none open
  bool completed = false;
};

}  // namespace se
