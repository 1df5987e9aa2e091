// The music player of the OpenAL sound engine: mpg123 decoding into a streamed OpenAL source.
#include "se/music_stream_openal.h"

#include <AL/al.h>
#include <AL/alext.h>
#include <mpg123.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <type_traits>

#include "se/music_file_name.h"
#include "se/sound_volume.h"

namespace se {

// The header keeps OpenAL's names and sample format in plain types.
static_assert(std::is_same_v<ALuint, unsigned> && std::is_same_v<ALenum, int>);

namespace {

// Twelve blocks of an eighth of a second each: 1.5 s of music queued ahead at any sample rate.
constexpr int kQueuedBlocks = 12;
constexpr int kBlocksPerSecond = 8;
constexpr std::int64_t kSmallestBlockFrames = 1024;
// How often the streaming thread looks at the queue; a block lasts 125 ms, so this is far
// quicker than the queue can run dry.
constexpr std::chrono::milliseconds kRefillPeriod{20};
// A start or a seek on the game thread decodes only this much (a quarter of a second) before it
// returns; the streaming thread decodes the rest of the queue moments later.
constexpr int kBlocksOnStart = 2;

// The longest MPEG audio frame, in samples: a track may come up this much short of the length
// its header gives without being taken for a cut-short file.
constexpr off_t kLongestFrameSamples = 1152;

// What keeps a file from being read as music before the decoder looks at it, in words that
// follow its name; empty when nothing does.
std::string fileProblem(const std::string& file) {
  struct stat status {};
  if (stat(file.c_str(), &status) != 0) {
    return std::string("cannot be opened: ") + std::strerror(errno);
  }
  if (S_ISDIR(status.st_mode)) {
    return "is a folder, not a file";
  }
  std::FILE* opened = std::fopen(file.c_str(), "rb");
  if (opened == nullptr) {
    return std::string("cannot be opened: ") + std::strerror(errno);
  }
  std::fclose(opened);
  if (status.st_size == 0) {
    return "is empty";
  }
  return "";
}

std::string secondsText(off_t frames, long rate) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f s", static_cast<double>(frames) / static_cast<double>(rate));
  return text;
}

// Signed 16-bit samples at the file's own rate, mono or stereo; gapless, so that the encoder's
// delay and padding are cut and the track loops on its exact length.
void askForPlayableFormat(mpg123_handle* handle) {
  mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0.0);
  mpg123_format_none(handle);
  const long* rates = nullptr;
  std::size_t rateCount = 0;
  mpg123_rates(&rates, &rateCount);
  for (std::size_t index = 0; index < rateCount; ++index) {
    mpg123_format(handle, rates[index], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
  }
}

// Reads the opened file to its end; empty when it is whole, else why it cannot be played.
std::string scanProblem(mpg123_handle* handle, long rate) {
  // lame's Info tag (present when the encoder's delay is known) gives the exact length; a file
  // holding less than that has lost its end.
  long encoderDelay = -1;
  double unused = 0.0;
  mpg123_getstate(handle, MPG123_ENC_DELAY, &encoderDelay, &unused);
  const off_t promised = mpg123_length(handle);
  if (mpg123_scan(handle) != MPG123_OK) {
    return std::string("cannot be scanned to its end (") + mpg123_strerror(handle) + ")";
  }
  const off_t found = mpg123_length(handle);
  if (found <= 0) {
    return "holds no samples";
  }
  if (encoderDelay >= 0 && found + kLongestFrameSamples <= promised) {
    return "is cut short: its header gives " + secondsText(promised, rate) + ", only " +
           secondsText(found, rate) + " are there";
  }
  if (mpg123_seek(handle, 0, SEEK_SET) < 0) {
    return std::string("cannot be rewound (") + mpg123_strerror(handle) + ")";
  }
  return "";
}

}  // namespace

MusicStreamOpenAL::~MusicStreamOpenAL() {
  {
    std::lock_guard<std::mutex> lock(mutex);
    quitting = true;
  }
  wakeUp.notify_all();
  if (streamer.joinable()) {
    streamer.join();
  }
  CloseLocked();  // the streaming thread is gone: nothing else touches the stream now
  if (source != 0) {
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, 0);
    alDeleteSources(1, &source);
  }
  if (!allBuffers.empty()) {
    alDeleteBuffers(static_cast<ALsizei>(allBuffers.size()), allBuffers.data());
  }
}

bool MusicStreamOpenAL::Start() {
  alGetError();
  alGenSources(1, &source);
  if (alGetError() != AL_NO_ERROR) {
    source = 0;
    return false;
  }
  allBuffers.assign(kQueuedBlocks, 0);
  alGenBuffers(kQueuedBlocks, allBuffers.data());
  if (alGetError() != AL_NO_ERROR) {
    allBuffers.clear();
    return false;
  }
  freeBuffers = allBuffers;
  // Music is not placed in space: it sounds at the listener, whatever the listener does.
  alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
  alSource3f(source, AL_POSITION, 0.0f, 0.0f, 0.0f);
  alSourcef(source, AL_ROLLOFF_FACTOR, 0.0f);
  if (alIsExtensionPresent("AL_SOFT_direct_channels")) {
    // Stereo music goes to the left and right outputs as it is, without virtual speakers.
    alSourcei(source, AL_DIRECT_CHANNELS_SOFT, AL_TRUE);
  }
  alSourcef(source, AL_GAIN, GainOf(volume));
  if (alGetError() != AL_NO_ERROR) {
    return false;
  }
  streamer = std::thread(&MusicStreamOpenAL::StreamingThread, this);
  return true;
}

bool MusicStreamOpenAL::Open(const std::wstring& wideFile, std::string& reason) {
  std::lock_guard<std::mutex> lock(mutex);
  CloseLocked();

  std::string file;
  if (!NarrowFileName(wideFile, file)) {
    reason = "has a name with no form in this locale";
    return false;
  }
  reason = fileProblem(file);
  if (!reason.empty()) {
    return false;
  }
  int error = MPG123_OK;
  mpg123_handle* handle = mpg123_new(nullptr, &error);
  if (handle == nullptr) {
    reason = std::string("cannot be decoded: ") + mpg123_plain_strerror(error);
    return false;
  }
  askForPlayableFormat(handle);

  long rate = 0;
  int channelCount = 0;
  int encoding = 0;
  if (mpg123_open(handle, file.c_str()) != MPG123_OK) {
    reason = std::string("cannot be opened (") + mpg123_strerror(handle) + ")";
  } else if (mpg123_getformat(handle, &rate, &channelCount, &encoding) != MPG123_OK) {
    reason = "holds no MPEG audio";
  } else if (encoding != MPG123_ENC_SIGNED_16 || (channelCount != 1 && channelCount != 2) || rate <= 0) {
    reason = "has a sample format that cannot be played";
  } else {
    reason = scanProblem(handle, rate);
  }
  if (!reason.empty()) {
    mpg123_delete(handle);
    return false;
  }

  decoder = handle;
  sampleRate = rate;
  channels = channelCount;
  format = channelCount == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16;
  lengthFrames = mpg123_length(handle);
  blockFrames = std::max<std::int64_t>(kSmallestBlockFrames, rate / kBlocksPerSecond);
  decodeBuffer.assign(static_cast<std::size_t>(blockFrames * channels * 2), 0);
  decoderDone = false;
  running = false;
  seekFrame = 0;
  unqueuedFrames = 0;
  return true;
}

void MusicStreamOpenAL::Close() {
  std::lock_guard<std::mutex> lock(mutex);
  CloseLocked();
}

void MusicStreamOpenAL::CloseLocked() {
  running = false;
  if (decoder == nullptr) {
    return;
  }
  DetachAllBuffersLocked();
  mpg123_delete(decoder);
  decoder = nullptr;
  lengthFrames = 0;
  sampleRate = 0;
  seekFrame = 0;
  unqueuedFrames = 0;
}

void MusicStreamOpenAL::DetachAllBuffersLocked() {
  // Rewind rather than stop: a rewound source is "initial", which the refill does not mistake
  // for a source that ran dry.
  alSourceRewind(source);
  alSourcei(source, AL_BUFFER, 0);
  for (const QueuedBlock& block : queuedBlocks) {
    freeBuffers.push_back(block.buffer);
  }
  queuedBlocks.clear();
}

void MusicStreamOpenAL::Run() {
  std::lock_guard<std::mutex> lock(mutex);
  if (decoder == nullptr) {
    return;
  }
  running = true;
  RefillLocked(kBlocksOnStart);  // also starts the source
}

void MusicStreamOpenAL::Stop() {
  std::lock_guard<std::mutex> lock(mutex);
  running = false;
  alSourcePause(source);
}

void MusicStreamOpenAL::Seek(double seconds) {
  std::lock_guard<std::mutex> lock(mutex);
  if (decoder == nullptr) {
    return;
  }
  double frame = seconds * static_cast<double>(sampleRate);
  if (!(frame > 0.0)) {
    frame = 0.0;  // also NaN
  }
  const auto target = static_cast<off_t>(std::min<double>(frame, static_cast<double>(lengthFrames)));
  DetachAllBuffersLocked();
  const off_t reached = mpg123_seek(decoder, target, SEEK_SET);
  seekFrame = reached >= 0 ? reached : 0;
  unqueuedFrames = 0;
  decoderDone = false;
  RefillLocked(kBlocksOnStart);
}

double MusicStreamOpenAL::Position() {
  std::lock_guard<std::mutex> lock(mutex);
  if (decoder == nullptr) {
    return 0.0;
  }
  return static_cast<double>(FramesPlayedLocked()) / static_cast<double>(sampleRate);
}

std::int64_t MusicStreamOpenAL::FramesPlayedLocked() {
  // The offset first, then the state: a source found stopped has played its whole queue, and one
  // that is not stopped now was not stopped when the offset was read either (only this class
  // starts it again, under the same lock).
  ALint offset = 0;
  alGetSourcei(source, AL_SAMPLE_OFFSET, &offset);
  ALint state = AL_INITIAL;
  alGetSourcei(source, AL_SOURCE_STATE, &state);
  std::int64_t played = seekFrame + unqueuedFrames;
  if (state == AL_STOPPED) {
    for (const QueuedBlock& block : queuedBlocks) {
      played += block.frames;
    }
  } else {
    played += offset;
  }
  return std::min(played, lengthFrames);
}

double MusicStreamOpenAL::StopTime() {
  std::lock_guard<std::mutex> lock(mutex);
  if (decoder == nullptr) {
    return 0.0;
  }
  return static_cast<double>(lengthFrames) / static_cast<double>(sampleRate);
}

void MusicStreamOpenAL::SetVolume(std::int32_t hundredths) {
  if (!IsAttenuationInRange(hundredths)) {
    return;
  }
  std::lock_guard<std::mutex> lock(mutex);
  volume = hundredths;
  alSourcef(source, AL_GAIN, GainOf(hundredths));
}

std::int32_t MusicStreamOpenAL::Volume() {
  std::lock_guard<std::mutex> lock(mutex);
  return volume;
}

void MusicStreamOpenAL::Refill() {
  std::lock_guard<std::mutex> lock(mutex);
  RefillLocked(kQueuedBlocks);
}

int MusicStreamOpenAL::Underruns() {
  std::lock_guard<std::mutex> lock(mutex);
  return underruns;
}

void MusicStreamOpenAL::RefillLocked(int mostBlocks) {
  if (decoder == nullptr) {
    return;
  }
  ALint processed = 0;
  alGetSourcei(source, AL_BUFFERS_PROCESSED, &processed);
  for (; processed > 0 && !queuedBlocks.empty(); --processed) {
    ALuint buffer = 0;
    alSourceUnqueueBuffers(source, 1, &buffer);
    freeBuffers.push_back(buffer);
    unqueuedFrames += queuedBlocks.front().frames;
    queuedBlocks.pop_front();
  }
  for (int decoded = 0; decoded < mostBlocks && !freeBuffers.empty() && !decoderDone; ++decoded) {
    const std::int64_t frames = DecodeBlockLocked();
    if (frames == 0) {
      break;
    }
    const ALuint buffer = freeBuffers.back();
    freeBuffers.pop_back();
    alBufferData(buffer, format, decodeBuffer.data(),
                 static_cast<ALsizei>(frames * channels * 2), static_cast<ALsizei>(sampleRate));
    alSourceQueueBuffers(source, 1, &buffer);
    queuedBlocks.push_back({buffer, frames});
  }
  if (running && !queuedBlocks.empty()) {
    ALint state = AL_INITIAL;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    if (state != AL_PLAYING) {
      // Stopped while running, with music still to come: the queue ran dry before this refill.
      if (state == AL_STOPPED) {
        ++underruns;
      }
      alSourcePlay(source);
    }
  }
}

std::int64_t MusicStreamOpenAL::DecodeBlockLocked() {
  const std::size_t frameBytes = static_cast<std::size_t>(channels) * 2;
  const std::size_t wanted = decodeBuffer.size();
  std::size_t filled = 0;
  while (filled < wanted && !decoderDone) {
    std::size_t done = 0;
    const int result = mpg123_read(decoder, decodeBuffer.data() + filled, wanted - filled, &done);
    filled += done;
    if (result == MPG123_NEW_FORMAT) {
      long rate = 0;
      int channelCount = 0;
      int encoding = 0;
      mpg123_getformat(decoder, &rate, &channelCount, &encoding);
      if (rate != sampleRate || channelCount != channels || encoding != MPG123_ENC_SIGNED_16) {
        decoderDone = true;  // a track that changes its format midway ends there
      }
    } else if (result != MPG123_OK || done == 0) {
      // The end of the track, or a broken stream that mpg123 cannot go on with: the track ends
      // there and the engine's loop starts it again.
      decoderDone = true;
    }
  }
  return static_cast<std::int64_t>(filled / frameBytes);
}

void MusicStreamOpenAL::StreamingThread() {
  std::unique_lock<std::mutex> lock(mutex);
  while (!quitting) {
    RefillLocked(kQueuedBlocks);
    wakeUp.wait_for(lock, kRefillPeriod, [this] { return quitting; });
  }
}

}  // namespace se
