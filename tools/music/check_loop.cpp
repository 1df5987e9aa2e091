// varnelle-music-check: decodes the music MP3 the way the game does (mpg123, 16-bit, gapless) and
// reports its exact length and how clean its loop point is: the sound engine restarts a track once
// its position passes the end less a tenth of a second, checked once a frame, so the restart can
// fall anywhere in the frame after that point; the jump there, and at the very end, should be tiny.
// Usage: varnelle-music-check file.mp3
#include <mpg123.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s file.mp3\n", argv[0]);
    return 2;
  }
  int error = MPG123_OK;
  mpg123_handle* decoder = mpg123_new(nullptr, &error);
  if (decoder == nullptr) {
    std::fprintf(stderr, "mpg123: %s\n", mpg123_plain_strerror(error));
    return 1;
  }
  mpg123_param(decoder, MPG123_ADD_FLAGS, MPG123_GAPLESS, 0.0);
  mpg123_format_none(decoder);
  mpg123_format(decoder, 44100, MPG123_STEREO, MPG123_ENC_SIGNED_16);
  if (mpg123_open(decoder, argv[1]) != MPG123_OK) {
    std::fprintf(stderr, "cannot open %s: %s\n", argv[1], mpg123_strerror(decoder));
    mpg123_delete(decoder);
    return 1;
  }
  mpg123_scan(decoder);
  const off_t length = mpg123_length(decoder);
  std::vector<short> samples;
  std::vector<unsigned char> chunk(65536);
  while (true) {
    std::size_t done = 0;
    const int result = mpg123_read(decoder, chunk.data(), chunk.size(), &done);
    const short* values = reinterpret_cast<const short*>(chunk.data());
    samples.insert(samples.end(), values, values + done / sizeof(short));
    if (result == MPG123_NEW_FORMAT) continue;  // the first read only announces the format
    if (result != MPG123_OK) break;
  }
  mpg123_close(decoder);
  mpg123_delete(decoder);
  const long frames = static_cast<long>(samples.size() / 2);
  std::printf("length by the Info tag: %ld frames (%.3f s); decoded: %ld frames\n", static_cast<long>(length),
              static_cast<double>(length) / 44100.0, frames);
  if (frames < 44100) {
    std::fprintf(stderr, "too short to check\n");
    return 1;
  }
  auto at = [&](long frame, int channel) { return static_cast<int>(samples[static_cast<std::size_t>(2 * frame + channel)]); };
  auto loudest = [&](long from, long to) {
    int peak = 0;
    for (long i = std::max(0L, from); i < std::min(frames, to); ++i) peak = std::max({peak, std::abs(at(i, 0)), std::abs(at(i, 1))});
    return peak;
  };
  int overallPeak = loudest(0, frames);
  std::printf("peak %d; loudest in the first 0.1 s: %d; in the last 0.4 s: %d\n", overallPeak, loudest(0, 4410),
              loudest(frames - 17640, frames));
  // The jump from the last sample played to the first one, for every restart point the engine can
  // reach: from 0.1 s before the end to one 60 Hz frame later.
  int worstRestart = 0;
  const long earliest = frames - 4410;
  for (long restart = earliest; restart <= earliest + 735 && restart < frames; ++restart) {
    for (int channel = 0; channel < 2; ++channel) worstRestart = std::max(worstRestart, std::abs(at(restart - 1, channel) - at(0, channel)));
  }
  const int atEnd = std::max(std::abs(at(frames - 1, 0) - at(0, 0)), std::abs(at(frames - 1, 1) - at(0, 1)));
  std::printf("largest step at an early restart: %d; at the very end: %d (of 32767)\n", worstRestart, atEnd);
  return 0;
}
