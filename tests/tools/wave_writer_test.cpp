// The output WAV: plain below 4 GiB of data, RF64 past it; into a pipe the
// header is written once, with the final sizes when the length is known.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tools/slewmeter/audio_stream.h"

namespace {

uint64_t Little(const uint8_t* at, int bytes) {
  uint64_t value = 0;
  for (int b = bytes - 1; b >= 0; --b)
    value = value << 8 | at[b];
  return value;
}

// Writes `frames` frames of silence through a pipe; gives the header and the byte count.
uint64_t WriteThroughPipe(const AudioFormat& format, uint64_t frames, uint8_t (&header)[80]) {
  int ends[2];
  EXPECT_EQ(pipe(ends), 0);
  std::thread writing([&] {
    auto writer = AudioWriter::into(ends[1], format);
    const std::vector<double> silence(kStreamChunkFrames);
    for (uint64_t done = 0; done < frames;) {
      const size_t count = std::min<uint64_t>(kStreamChunkFrames, frames - done);
      if (!writer->write(silence.data(), silence.data(), count)) break;
      done += count;
    }
    std::string error;
    EXPECT_TRUE(writer->commit(error)) << error;
    close(ends[1]);
  });
  std::vector<uint8_t> buffer(1 << 20);
  uint64_t total = 0;
  for (ssize_t got; (got = read(ends[0], buffer.data(), buffer.size())) > 0;) {
    if (total < sizeof header) {
      std::copy_n(buffer.begin(), std::min<size_t>(sizeof header - total, got), header + total);
    }
    total += static_cast<uint64_t>(got);
  }
  writing.join();
  close(ends[0]);
  return total;
}

// A folder of this process's own, gone with it whatever the test's end.
class ScratchFolder {
 public:
  ScratchFolder()
      : folder(std::filesystem::temp_directory_path() /
               ("slewmeter_wave_writer_" + std::to_string(getpid()))) {
    std::filesystem::create_directories(folder);
  }
  ~ScratchFolder() { std::filesystem::remove_all(folder); }
  std::string path(const char* name) const { return (folder / name).string(); }

 private:
  std::filesystem::path folder;
};

}  // namespace

TEST(WaveWriter, PastFourGiBIntoAPipeWritesRf64WithTheFinalSizes) {
  const uint64_t frames = (uint64_t{4} << 30) / 16 + 1000;  // 64-bit float stereo
  const AudioFormat format{48000, 2, static_cast<int64_t>(frames), {8, true, false, false}};
  uint8_t header[80];
  const uint64_t total = WriteThroughPipe(format, frames, header);
  EXPECT_EQ(total, 80 + frames * 16);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(header), 4), "RF64");
  EXPECT_EQ(std::string(reinterpret_cast<char*>(header + 12), 4), "ds64");
  EXPECT_EQ(Little(header + 20, 8), total - 8);    // the RIFF size
  EXPECT_EQ(Little(header + 28, 8), frames * 16);  // the data size
  EXPECT_EQ(Little(header + 36, 8), frames);       // the frames
  EXPECT_EQ(Little(header + 76, 4), 0xFFFFFFFFu);  // see ds64
}

TEST(WaveWriter, AnUnknownLengthIsAPlaceholderInAPipeAndExactInAFile) {
  const AudioFormat format{48000, 1, -1, {3, false, false, false}};
  uint8_t header[80];
  EXPECT_EQ(WriteThroughPipe(format, 1001, header), 80 + 3003 + 1);  // and a pad byte
  EXPECT_EQ(std::string(reinterpret_cast<char*>(header), 4), "RIFF");
  EXPECT_EQ(Little(header + 4, 4), 0xFFFFFFFFu);
  EXPECT_EQ(Little(header + 76, 4), 0xFFFFFFFFu);

  const ScratchFolder dir;
  const std::string path = dir.path("out.wav");
  std::string error;
  auto writer = AudioWriter::create(path, format, error);
  ASSERT_TRUE(writer) << error;
  const std::vector<double> ramp{0.25, -0.5, 0.125};
  ASSERT_TRUE(writer->write(ramp.data(), ramp.data(), ramp.size()));
  ASSERT_TRUE(writer->commit(error)) << error;
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
  std::vector<double> back(4);
  EXPECT_EQ(sf_readf_double(file, back.data(), 4), 3);
  sf_close(file);
  EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_24);
  EXPECT_EQ(std::vector<double>(back.begin(), back.begin() + 3), ramp);
}

// Standard output sent to a file after some text, or appended to one.
TEST(WaveWriter, WritesItsHeaderAgainOnlyWhereItBegan) {
  const ScratchFolder dir;
  const std::string path = dir.path("after.wav");
  for (const int append : {0, O_APPEND}) {
    const int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | append, 0644);
    ASSERT_EQ(write(descriptor, "words", 5), 5);
    auto writer = AudioWriter::into(descriptor, {48000, 1, -1, {2, false, false, false}});
    const std::vector<double> ramp{0.25, -0.5, 0.125};
    ASSERT_TRUE(writer->write(ramp.data(), ramp.data(), ramp.size()));
    std::string error;
    ASSERT_TRUE(writer->commit(error)) << error;
    close(descriptor);
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    ASSERT_EQ(bytes.size(), 5 + 80 + 6u);
    EXPECT_EQ(bytes.substr(0, 9), "wordsRIFF");
    // Appending, the streaming placeholder stays; else the sizes are exact.
    const auto* header = reinterpret_cast<const uint8_t*>(bytes.data() + 5);
    EXPECT_EQ(Little(header + 76, 4), append ? 0xFFFFFFFFu : 6u);
  }
}
