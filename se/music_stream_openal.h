// The music player of the OpenAL sound engine: mpg123 decodes an MP3 file into signed 16-bit
// samples and a thread of the stream keeps one OpenAL source's buffer queue about 1.5 seconds
// ahead, so the music neither stops nor stutters when the game's frames are late.
//
// It is the engine's music output (se/music_output.h): open and close a file, run and stop, the
// position and the length in seconds, seek, and a volume in hundredths of a decibel that reads
// back exactly as it was set. Every call may come from the game thread while the streaming
// thread refills the queue; one mutex keeps them apart.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "se/music_output.h"

struct mpg123_handle_struct;

namespace se {

class MusicStreamOpenAL final : public MusicOutput {
 public:
  MusicStreamOpenAL() = default;
  MusicStreamOpenAL(const MusicStreamOpenAL&) = delete;
  MusicStreamOpenAL& operator=(const MusicStreamOpenAL&) = delete;
  ~MusicStreamOpenAL();

  // Creates the source, its buffers and the streaming thread; the engine's OpenAL context must
  // be current. False when OpenAL refuses the source or the buffers.
  bool Start();

  // Opens a music file for decoding (closing any open one); the stream is then stopped at the
  // start of the track. False when the file is missing, not a file, empty, holds no MPEG audio
  // or is shorter than its own header says (cut short), with the reason.
  bool Open(const std::wstring& file, std::string& reason) override;
  void Close() override;

  void Run() override;
  void Stop() override;
  // Restarts decoding from the given point (seconds from the start of the track).
  void Seek(double seconds) override;

  // Seconds played since the start of the track: samples played / sample rate.
  double Position() override;
  // The length of the track in seconds: its sample count / sample rate; 0 with no track open.
  double StopTime() override;

  // Values outside kSilentVolume..kFullVolume are refused and the volume stays as it was.
  void SetVolume(std::int32_t hundredths) override;
  std::int32_t Volume() override;

  // Tops up the buffer queue at once; the streaming thread does this by itself every few
  // milliseconds. A loopback output calls it before it renders.
  void Refill();

  // How often the queue ran dry while the music was running (the streaming thread was late).
  int Underruns();

 private:
  struct QueuedBlock {
    unsigned buffer;  // OpenAL buffer name
    std::int64_t frames;
  };

  void StreamingThread();
  // Takes played blocks off the queue and decodes at most `mostBlocks` new ones.
  void RefillLocked(int mostBlocks);
  void DetachAllBuffersLocked();
  void CloseLocked();
  std::int64_t DecodeBlockLocked();
  std::int64_t FramesPlayedLocked();

  std::mutex mutex;
  std::condition_variable wakeUp;
  std::thread streamer;
  bool quitting = false;

  // OpenAL names (ALuint) and the sample format (ALenum), kept in plain types so that this
  // header needs no OpenAL header.
  unsigned source = 0;
  std::vector<unsigned> allBuffers;
  std::vector<unsigned> freeBuffers;
  std::deque<QueuedBlock> queuedBlocks;

  mpg123_handle_struct* decoder = nullptr;
  int format = 0;
  long sampleRate = 0;
  int channels = 0;
  std::int64_t lengthFrames = 0;
  std::int64_t blockFrames = 0;
  std::vector<unsigned char> decodeBuffer;
  bool decoderDone = false;

  bool running = false;
  std::int64_t seekFrame = 0;        // where decoding restarted last
  std::int64_t unqueuedFrames = 0;   // frames of blocks played and taken off the queue since then
  std::int32_t volume = 0;
  int underruns = 0;
};

}  // namespace se
