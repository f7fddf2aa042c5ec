// Audio in and out of the program. --out keeps the input's samples and their
// format, and every sample is metered exactly. Inputs as slewmeter opens them: whether one is whole
// is decided from its data's declared size against the bytes there, in every container, from a file
// or a pipe; a streaming writer's placeholder size promises nothing, and a stream is read to its
// end. What cannot be metered is refused in our words.
#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "program_run.h"

namespace {

namespace fs = std::filesystem;

// `command` runs in a shell with SLEWMETER standing for the program.
ProgramRun Shell(const std::string& command) {
  return RunCommand("SLEWMETER=" SLEWMETER_PATH "; " + command + " 2>&1");
}

std::string Little(uint64_t value, int bytes) {
  std::string out;
  for (int b = 0; b < bytes; ++b)
    out += static_cast<char>(value >> (8 * b));
  return out;
}

// A WAV header for 16-bit stereo at 48 kHz as some writers leave it.
std::string WavHeader(uint32_t riffSize, uint32_t dataSize, uint16_t blockAlign = 4) {
  return "RIFF" + Little(riffSize, 4) + "WAVEfmt " + Little(16, 4) + Little(1, 2) + Little(2, 2) +
         Little(48000, 4) + Little(192000, 4) + Little(blockAlign, 2) + Little(16, 2) + "data" +
         Little(dataSize, 4);
}

// Samples that step by 0.25 between frames 1000 and 1001, then rest.
std::string Pcm16(size_t frames) {
  std::string data;
  for (size_t i = 0; i < frames; ++i) {
    const std::string sample = Little(i > 1000 ? 8192 : 0, 2);
    data += sample + sample;
  }
  return data;
}

class SlewmeterInput : public ::testing::Test {
 protected:
  SlewmeterInput()
      : dir(fs::temp_directory_path() / ("slewmeter_audio_io_" + std::to_string(getpid()))) {
    fs::create_directories(dir);
  }
  ~SlewmeterInput() override { fs::remove_all(dir); }
  std::string Path(const std::string& name) const { return (dir / name).string(); }
  std::string Save(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
    return Path(name);
  }
  // Stereo, with a step of 0.25 after frame 1000 unless `samples` are given.
  std::string Write(const std::string& name, int format, size_t frames,
                    std::vector<double> samples = {}) const {
    SF_INFO info{};
    info.samplerate = 48000;
    info.channels = 2;
    info.format = format;
    SNDFILE* file = sf_open(Path(name).c_str(), SFM_WRITE, &info);
    if (samples.empty()) {
      samples.resize(2 * frames);
      for (size_t i = 0; i < frames; ++i)
        samples[2 * i] = samples[2 * i + 1] = i > 1000 ? 0.25 : 0;
    }
    sf_writef_double(file, samples.data(), static_cast<sf_count_t>(frames));
    sf_close(file);
    return Path(name);
  }
  // Stereo noise a second at a time, Vorbis at its best: long inputs without
  // their samples at once, a compressed one long in bytes too.
  std::string WriteSeconds(const std::string& name, int format, int seconds) const {
    SF_INFO info{};
    info.samplerate = 48000;
    info.channels = 2;
    info.format = format;
    SNDFILE* file = sf_open(Path(name).c_str(), SFM_WRITE, &info);
    double quality = 1;
    sf_command(file, SFC_SET_VBR_ENCODING_QUALITY, &quality, sizeof quality);
    std::vector<double> second(2 * 48000);
    uint32_t noise = 1;
    for (int s = 0; s < seconds; ++s) {
      for (double& sample : second) {
        noise = noise * 1103515245u + 12345u;
        sample = (noise >> 16) / 65536.0 - 0.5;
      }
      sf_writef_double(file, second.data(), 48000);
    }
    sf_close(file);
    return Path(name);
  }

  fs::path dir;
};

TEST_F(SlewmeterInput, WholeInputsWithHeaderQuirksFromFilesAndPipesAreWhole) {
  const std::string pcm = Pcm16(4800);
  const std::string wav = WavHeader(36 + 19200, 19200) + pcm;
  // 8-bit mono with an odd count of frames, its pad byte missing.
  const std::string odd = "RIFF" + Little(36 + 1001, 4) + "WAVEfmt " + Little(16, 4) +
                          Little(1, 2) + Little(1, 2) + Little(48000, 4) + Little(48000, 4) +
                          Little(1, 2) + Little(8, 2) + "data" + Little(1001, 4) +
                          std::string(1001, '\x80');
  struct Case {
    std::string name, path;
    int frames;
  };
  const std::string aiff = Write("a.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 4800);
  for (const Case& c : {
           Case{"block align 0", Save("align.wav", WavHeader(36 + 19200, 19200, 0) + pcm), 4800},
           Case{"RIFF size 8 over", Save("riff.wav", WavHeader(44 + 19200, 19200) + pcm), 4800},
           Case{"RIFF size 8 under", Save("under.wav", WavHeader(28 + 19200, 19200) + pcm), 4800},
           Case{"no pad byte", Save("odd.wav", odd), 1001},
           Case{"AIFF", aiff, 4800},
           Case{"AIFF and bytes after", Save("tail.aiff", ReadFile(aiff) + std::string(77, 'x')),
                4800},
           Case{"AIFC", Write("c.aifc", SF_FORMAT_AIFF | SF_FORMAT_FLOAT, 4800), 4800},
           Case{"W64", Write("w.w64", SF_FORMAT_W64 | SF_FORMAT_PCM_24, 4800), 4800},
           Case{"RF64", Write("r.wav", SF_FORMAT_RF64 | SF_FORMAT_PCM_32, 4800), 4800},
       }) {
    for (const std::string& input : {c.path, "- < " + c.path, std::string("-")}) {
      const ProgramRun run =
          Shell((input == "-" ? "cat " + c.path + " | " : "") + "$SLEWMETER " + input + " --csv -");
      EXPECT_EQ(run.exitCode, 0) << c.name << ": " << input << "\n" << run.out;
      EXPECT_NE(run.out.find("," + std::to_string(c.frames) + ","), std::string::npos)
          << c.name << ": " << input << "\n"
          << run.out;
    }
  }
}

// Formats slewmeter leaves to libsndfile, some of which go back into their
// header while it is read, from a pipe too.
TEST_F(SlewmeterInput, FormatsForLibsndfileAreWholeFromAPipe) {
  for (const std::string& path : {Write("ms.wav", SF_FORMAT_WAV | SF_FORMAT_MS_ADPCM, 4800),
                                  Write("a.caf", SF_FORMAT_CAF | SF_FORMAT_PCM_16, 4800),
                                  Write("a.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 4800),
                                  Write("a.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 4800)}) {
    const ProgramRun file = Shell("$SLEWMETER " + path + " --csv - 2>/dev/null | tail -1");
    const ProgramRun pipe = Shell("cat " + path + " | $SLEWMETER - --csv - 2>/dev/null | tail -1");
    EXPECT_EQ(pipe.exitCode, 0) << path;
    const std::string frames = "," + std::to_string(ReadAudio(path).info.frames) + ",";
    ASSERT_NE(file.out.find(frames), std::string::npos) << path << "\n" << file.out;
    EXPECT_EQ(pipe.out.substr(pipe.out.find(',')), file.out.substr(file.out.find(','))) << path;
  }
}

// Found by audio_input_fuzzer: from a pipe, libsndfile's ADPCM decoder made up
// silence to the header's data size after the stream ended (here 1.6 G frames).
// The stream is longer than slewmeter keeps of a pipe (16 MiB) to learn its length.
TEST_F(SlewmeterInput, AnAdpcmStreamEndsWithItsBytes) {
  std::string ima =
      ReadFile(WriteSeconds("ima.wav", SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM, 400));  // 18 MiB
  ima.replace(ima.find("data") + 4, 4, Little(0x60000000, 4));
  const ProgramRun run = Shell("cat " + Save("long.wav", ima) + " | timeout 60 $SLEWMETER -");
  EXPECT_EQ(run.exitCode, 1) << run.out;
  EXPECT_NE(run.out.find("standard input: truncated: metered the "), std::string::npos) << run.out;
}

// Found by audio_input_fuzzer: a W64 chunk of size all ones sent the reader
// back to its own header, round and round.
TEST_F(SlewmeterInput, AChunkOfAnySizeEndsTheHeader) {
  std::string w64 = ReadFile(Write("a.w64", SF_FORMAT_W64 | SF_FORMAT_PCM_16, 100));
  const std::string guidEnd = w64.substr(w64.find("fmt ") + 4, 12);
  w64.insert(w64.find("data"), "fact" + guidEnd + std::string(8, '\xff'));
  const ProgramRun run = Shell("timeout 60 $SLEWMETER " + Save("endless.w64", w64));
  EXPECT_EQ(run.exitCode, 1) << run.out;
  EXPECT_NE(run.out.find("endless.w64: has a damaged or incomplete header"), std::string::npos)
      << run.out;
  // And from a pipe, libsndfile read on past the end of a W64 header cut short.
  const std::string cut(
      "riff\x2e\x91\xcf\x11\xa5\xd6\x28\xdb\x8a\x16\0\0\0\0\0\0\0\x40\x1f\0"
      "\x01\0\0\0\0\0\0\0\xbf\xc8\x47\x5b\x4a\xf8\xde\xbf",
      40);
  const ProgramRun piped = Shell("cat " + Save("cut.w64", cut) + " | timeout 60 $SLEWMETER -");
  EXPECT_EQ(piped.exitCode, 1) << piped.out;
  EXPECT_NE(piped.out.find("standard input: has a damaged or incomplete header"), std::string::npos)
      << piped.out;
}

// Recordings cut short, each header's size read in its own width.
TEST_F(SlewmeterInput, ARecordingCutShortIsTruncatedWhateverItsSize) {
  const std::string pcm = Pcm16(4800);
  const uint64_t big = (uint64_t{5} << 30) + 4;  // past what 32 bits hold
  const std::string rf64 = Write("r.wav", SF_FORMAT_RF64 | SF_FORMAT_PCM_16, 4800);
  std::string cutRf64 = ReadFile(rf64);
  cutRf64.replace(cutRf64.find("ds64") + 16, 8, Little(big, 8));
  std::string cutW64 = ReadFile(Write("w.w64", SF_FORMAT_W64 | SF_FORMAT_PCM_16, 4800));
  const size_t data = cutW64.find("data");
  cutW64.replace(data + 16, 8, Little(big + 24, 8));
  struct Case {
    std::string path;
    uint64_t promised;
  };
  for (const Case& c :
       {Case{Save("3gib.wav", WavHeader(0xC0000024, 0xC0000000) + pcm), 0xC0000000 / 4},
        Case{Save("cut.rf64", cutRf64), big / 4}, Case{Save("cut.w64", cutW64), big / 4}}) {
    for (const std::string& input : {c.path, "- < " + c.path}) {
      const ProgramRun run = Shell("$SLEWMETER " + input);
      EXPECT_EQ(run.exitCode, 1) << input << "\n" << run.out;
      EXPECT_NE(run.out.find("truncated: metered the 4800 frames there are of the " +
                             std::to_string(c.promised)),
                std::string::npos)
          << input << "\n"
          << run.out;
    }
  }
}

// Encodings libsndfile decodes, whose count it cuts to the bytes there: whole
// by the container's data size, chunks after the data or not.
TEST_F(SlewmeterInput, AnEncodedRecordingIsWholeByItsDataSize) {
  const std::string ima = ReadFile(Write("ima.wav", SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM, 4800));
  const std::string caf = ReadFile(Write("a.caf", SF_FORMAT_CAF | SF_FORMAT_PCM_16, 4800));
  const std::string ulaw = ReadFile(Write("u.caf", SF_FORMAT_CAF | SF_FORMAT_ULAW, 4800));
  struct Case {
    std::string path, status;
  };
  for (const Case& c :
       {Case{Path("ima.wav"), "ok"},
        Case{Save("list.wav", ima + "LIST" + Little(4, 4) + "INFO"), "ok"},
        Case{Save("cut.wav", ima.substr(0, ima.size() - 3000)),
             "truncated: metered the 4082 frames there are of the 6123 its header promises"},
        Case{Save("cut.caf", caf.substr(0, caf.size() - 9600)),
             "truncated: metered the 2400 frames there are of the 4800 its header promises"},
        Case{Save("cutu.caf", ulaw.substr(0, ulaw.size() - 4800)),
             "truncated: metered the 2400 frames there are of the 4800 its header promises"}}) {
    for (const std::string& input : {c.path, "- < " + c.path, std::string("-")}) {
      const ProgramRun run =
          Shell((input == "-" ? "cat " + c.path + " | " : "") + "$SLEWMETER " + input + " --csv -");
      EXPECT_EQ(run.exitCode, c.status == "ok" ? 0 : 1) << input << "\n" << run.out;
      EXPECT_NE(run.out.find("," + c.status + "\r\n"), std::string::npos) << input << "\n"
                                                                          << run.out;
    }
  }
  // Into a pipe the output's header goes first: it promises no more than follows.
  Shell("$SLEWMETER " + Path("cutu.caf") + " --out /dev/fd/3 3>&1 >/dev/null 2>&1 | cat > " +
        Path("out.wav"));
  const std::string out = ReadFile(Path("out.wav"));
  const size_t data = out.find("data");
  ASSERT_NE(data, std::string::npos) << out.size();
  const std::string size = out.substr(data + 4, 4);
  EXPECT_TRUE(size == Little(0xFFFFFFFF, 4) || size == Little(out.size() - data - 8, 4));
}

// Decoders that look at a stream's end while they open (for chunks after the
// data, or Ogg's length) and come back, from a pipe longer than slewmeter keeps
// (16 MiB) of it; where they need what is there, refused.
TEST_F(SlewmeterInput, ALongStreamFromAPipeIsReadWhole) {
  for (const auto& [format, seconds] :  // each about 19 MB
       {std::pair{SF_FORMAT_CAF | SF_FORMAT_PCM_16, 100},
        std::pair{SF_FORMAT_CAF | SF_FORMAT_ULAW, 200},
        std::pair{SF_FORMAT_AIFF | SF_FORMAT_ULAW, 200},
        std::pair{SF_FORMAT_OGG | SF_FORMAT_VORBIS, 270}}) {
    const std::string path = WriteSeconds("long", format, seconds);
    ASSERT_GT(fs::file_size(path), 16u << 20) << std::hex << format;
    const ProgramRun run = Shell("cat " + path + " | $SLEWMETER - --csv -");
    EXPECT_EQ(run.exitCode, 0) << std::hex << format << "\n" << run.out;
    EXPECT_NE(run.out.find("," + std::to_string(seconds * 48000) + ","), std::string::npos)
        << std::hex << format << "\n"
        << run.out;
    EXPECT_NE(run.out.find(",ok\r\n"), std::string::npos) << std::hex << format << "\n" << run.out;
  }
  // Behind a placeholder size, libsndfile looks for chunks at the stream's end.
  std::string ima = ReadFile(WriteSeconds("ima.wav", SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM, 400));
  ima.replace(ima.find("data") + 4, 4, Little(0xFFFFFFFF, 4));
  const ProgramRun run = Shell("cat " + Save("long.wav", ima) + " | $SLEWMETER -");
  EXPECT_EQ(run.exitCode, 1) << run.out;
  EXPECT_NE(run.out.find("standard input: cannot be read from a pipe: its decoder needs to look "
                         "further into it than the 16 MiB slewmeter keeps; give it as a file"),
            std::string::npos)
      << run.out;
}

TEST_F(SlewmeterInput, ADamagedFlacNamesTheFrameWhereMeteringStopped) {
  std::string flac = ReadFile(Write("a.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 96000));
  for (size_t i = flac.size() / 2; i < flac.size() * 3 / 4; ++i)
    flac[i] = static_cast<char>(i * 7919);
  const ProgramRun run = Shell("$SLEWMETER " + Save("damaged.flac", flac));
  EXPECT_EQ(run.exitCode, 1) << run.out;
  EXPECT_NE(run.out.find("damaged.flac: damaged: decoding stopped at frame "), std::string::npos)
      << run.out;
}

// Cut short where the decoder reports no damage, from a file or a pipe: FLAC's
// count says so, and Ogg's last page, which closes the stream, is missing.
TEST_F(SlewmeterInput, ACompressedStreamCutShortIsTruncated) {
  // Where the decoders meet no damage: a FLAC cut between frames, and Vorbis
  // long enough to keep audio pages after its header.
  for (const auto& [format, frames] : {std::pair{SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 96000},
                                       std::pair{SF_FORMAT_OGG | SF_FORMAT_VORBIS, 480000}}) {
    const std::string whole = ReadFile(Write("whole", format, frames));
    const std::string cut = Save("cut", whole.substr(0, whole.size() * 3 / 4));
    for (const std::string& input : {cut, "- < " + cut, std::string("-")}) {
      const ProgramRun run =
          Shell((input == "-" ? "cat " + cut + " | " : "") + "$SLEWMETER " + input);
      EXPECT_EQ(run.exitCode, 1) << std::hex << format << ": " << input << "\n" << run.out;
      EXPECT_NE(run.out.find(": truncated: metered the "), std::string::npos)
          << std::hex << format << ": " << input << "\n"
          << run.out;
    }
  }
}

// More than 4 GiB of 64-bit float stereo (268 million frames) behind a
// placeholder header, from /dev/zero through a pipe, with a step at its end.
TEST_F(SlewmeterInput, AStreamBehindAPlaceholderIsReadToItsEndPast4GiB) {
  const uint64_t frames = (uint64_t{4} << 30) / 16 + 4096;
  std::string header = "RIFF" + Little(0xFFFFFFFF, 4) + "WAVEfmt " + Little(16, 4) + Little(3, 2) +
                       Little(2, 2) + Little(48000, 4) + Little(768000, 4) + Little(16, 2) +
                       Little(64, 2) + "data" + Little(0xFFFFFFFF, 4);
  const std::string lastFrame = Little(0x3FD0000000000000, 8) + Little(0, 8);  // 0.25, 0
  const ProgramRun run =
      Shell("(cat " + Save("head.wav", header) + "; head -c " + std::to_string((frames - 1) * 16) +
            " /dev/zero; cat " + Save("last", lastFrame) + ") | $SLEWMETER - --csv -");
  ASSERT_EQ(run.exitCode, 0) << run.out;
  EXPECT_NE(run.out.find("standard input,48000," + std::to_string(frames) + ","), std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("largest step, left:  0.2500"), std::string::npos) << run.out;
}

TEST_F(SlewmeterInput, WhatCannotBeMeteredIsRefusedInOurWords) {
  fs::create_directories(Path("folder.wav"));
  const std::string oneHertz = "RIFF" + Little(40, 4) + "WAVEfmt " + Little(16, 4) + Little(1, 2) +
                               Little(1, 2) + Little(1, 4) + Little(2, 4) + Little(2, 2) +
                               Little(16, 2) + "data" + Little(4, 4) + Little(0x10001000, 4);
  struct Case {
    std::string input, says;
  };
  for (const Case& c :
       {Case{Path("folder.wav"), "folder.wav: is a folder, not an audio file"},
        Case{"- < " + Path("folder.wav"), "standard input: is a folder, not an audio file"},
        Case{Save("empty.wav", ""), "empty.wav: is empty"},
        Case{Save("notes.wav", "these are not samples"), "notes.wav: is not audio in a format"},
        Case{Save("1hz.wav", oneHertz),
             "1hz.wav: a sample rate of 1 Hz; slewmeter meters audio at 8000 Hz and above"}}) {
    const ProgramRun run = Shell("$SLEWMETER " + c.input);
    EXPECT_EQ(run.exitCode, 1) << c.input << "\n" << run.out;
    EXPECT_NE(run.out.find(c.says), std::string::npos) << c.input << "\n" << run.out;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << run.out;
  }
}

// Every value the format holds from -1 to just below 1, and both ends.
std::vector<double> Extremes(int bits, size_t frames) {
  std::vector<double> samples(2 * frames);
  const double step = std::ldexp(1.0, 1 - bits);
  for (size_t i = 0; i < samples.size(); ++i)
    samples[i] = i % 3 == 0 ? -1 : i % 3 == 1 ? 1 - step : std::fmod(i * 7919 * step, 1.0);
  return samples;
}

TEST_F(SlewmeterInput, TheOutputIsTheInputInItsOwnSampleFormat) {
  struct Case {
    int format, bits, written;  // `written`: WAV's form of the input's format
  };
  for (const Case& c : {Case{SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 8, SF_FORMAT_PCM_U8},
                        Case{SF_FORMAT_WAV | SF_FORMAT_PCM_16, 16, SF_FORMAT_PCM_16},
                        Case{SF_FORMAT_AIFF | SF_FORMAT_PCM_24, 24, SF_FORMAT_PCM_24},
                        Case{SF_FORMAT_WAV | SF_FORMAT_PCM_32, 32, SF_FORMAT_PCM_32},
                        Case{SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 16, SF_FORMAT_PCM_16},
                        Case{SF_FORMAT_WAV | SF_FORMAT_FLOAT, 24, SF_FORMAT_FLOAT},
                        Case{SF_FORMAT_W64 | SF_FORMAT_DOUBLE, 53, SF_FORMAT_DOUBLE}}) {
    const std::string in = Write("in", c.format, 4000, Extremes(c.bits, 4000));
    const ProgramRun run = Shell("$SLEWMETER " + in + " --out " + Path("out.wav"));
    ASSERT_EQ(run.exitCode, 0) << run.out;
    const AudioFile input = ReadAudio(in), output = ReadAudio(Path("out.wav"));
    EXPECT_EQ(output.info.format, SF_FORMAT_WAV | c.written) << std::hex << c.format;
    EXPECT_TRUE(input.samples == output.samples) << std::hex << c.format;
  }
}

// Steps of one least significant bit at half scale, which a float cannot hold:
// the second second's peak is that bit (the first holds the step from silence).
TEST_F(SlewmeterInput, ThirtyTwoBitAndDoubleInputsAreMeteredExactly) {
  // Made as integers: libsndfile scales doubles to 32-bit integers by 2^31 - 1.
  std::vector<int> samples(2 * 96000);
  for (size_t i = 0; i < samples.size(); ++i)
    samples[i] = (1 << 30) + static_cast<int>(i / 2 % 2);
  for (const int format : {SF_FORMAT_WAV | SF_FORMAT_PCM_32, SF_FORMAT_WAV | SF_FORMAT_DOUBLE}) {
    SF_INFO info{};
    info.samplerate = 48000;
    info.channels = 2;
    info.format = format;
    SNDFILE* file = sf_open(Path("in").c_str(), SFM_WRITE, &info);
    if ((format & SF_FORMAT_SUBMASK) == SF_FORMAT_DOUBLE) {
      std::vector<double> exact(samples.size());
      for (size_t i = 0; i < samples.size(); ++i)
        exact[i] = std::ldexp(samples[i], -31);
      sf_writef_double(file, exact.data(), 96000);
    } else {
      sf_writef_int(file, samples.data(), 96000);
    }
    sf_close(file);
    const ProgramRun run = Shell("$SLEWMETER " + Path("in") + " --report - 2>/dev/null");
    ASSERT_EQ(run.exitCode, 0) << run.out;
    const size_t peaks = run.out.find("\"peaksPerSecond\": [");
    ASSERT_NE(peaks, std::string::npos) << run.out;
    const double secondOne = std::strtod(run.out.c_str() + run.out.find(',', peaks) + 1, nullptr);
    const double lsb = std::ldexp(1.0, -31);
    EXPECT_NEAR(secondOne, lsb, lsb * 1e-6) << std::hex << format << "\n" << run.out;
  }
}

TEST_F(SlewmeterInput, NonFiniteSamplesAreCountedAndSaid) {
  std::vector<double> samples(2 * 4800, 0.25);
  samples[10] = samples[11] = std::nan("");
  samples[500] = INFINITY;
  samples[9001] = -INFINITY;
  const std::string in = Write("nan.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 4800, samples);
  const ProgramRun run = Shell("$SLEWMETER " + in + " --csv - --report " + Path("nan.json"));
  EXPECT_EQ(run.exitCode, 0) << run.out;
  EXPECT_NE(run.out.find(",\"ok, 4 non-finite samples\""), std::string::npos) << run.out;
  EXPECT_NE(ReadFile(Path("nan.json")).find("\"nonFiniteSamples\": 4,"), std::string::npos);
}

// A largest step reached at the first sample is said to be the jump from
// silence; under --gapless only the first input starts from silence.
TEST_F(SlewmeterInput, GaplessInputsStepFromTheInputBeforeNotFromSilence) {
  const std::string first =
      Write("1.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 4800, std::vector<double>(2 * 4800, 0.75));
  const std::string second =
      Write("2.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 4800, std::vector<double>(2 * 4800, 0.5));
  // Its largest step is inside; after the second, its first step (0.5) is as large.
  const std::string inside = Write("3.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 4800);
  for (const bool gapless : {false, true}) {
    const ProgramRun run =
        Shell("$SLEWMETER " + first + " " + second + " " + inside + " --csv " + Path("all.csv") +
              " --report " + Path("{}.json") + (gapless ? " --gapless" : ""));
    EXPECT_EQ(run.exitCode, 0) << run.out;
    std::vector<std::string> rows;
    std::istringstream csv(ReadFile(Path("all.csv")));
    for (std::string row; std::getline(csv, row);)
      rows.push_back(row);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_NE(rows[0].find(",largestStepLeftFromSilence,largestStepRightFromSilence,status"),
              std::string::npos)
        << rows[0];
    EXPECT_NE(rows[2].find(gapless ? ",0.25,0.25," : ",0.5,0.5,"), std::string::npos) << rows[2];
    const char* const fromSilence[] = {
        ",true,true,ok", gapless ? ",false,false,ok" : ",true,true,ok", ",false,false,ok"};
    for (size_t i = 0; i < 3; ++i)
      EXPECT_NE(rows[i + 1].find(fromSilence[i]), std::string::npos) << rows[i + 1];
    const std::string said = "at the first sample: the jump from silence\n";
    size_t saidTimes = 0;
    for (size_t at = 0; (at = run.out.find(said, at)) != std::string::npos; at += said.size())
      ++saidTimes;
    EXPECT_EQ(saidTimes, gapless ? 2u : 4u) << run.out;
    EXPECT_NE(ReadFile(Path("1.json")).find("\"largestStepFromSilence\": true"), std::string::npos);
    EXPECT_NE(ReadFile(Path("3.json")).find("\"largestStepFromSilence\": false"),
              std::string::npos);
  }
}

TEST_F(SlewmeterInput, JobsSideBySideSayAndWriteWhatOneAtATimeDoes) {
  std::string inputs = Save("notes.wav", "these are not samples");
  for (int i = 0; i < 4; ++i) {
    std::vector<double> samples(2 * 24000 * (i + 1));
    for (size_t s = 0; s < samples.size(); ++s)
      samples[s] = (s * (i + 3) % 17) / 20.0;
    inputs += " " + Write(std::to_string(i) + ".wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24,
                          samples.size() / 2, samples);
  }
  // Each run in a folder of its own, its outputs named alike.
  std::string said[2][2], written[2][3];
  for (const int jobs : {1, 3}) {
    const std::string folder = Path("jobs" + std::to_string(jobs));
    fs::create_directories(folder);
    Shell("(cd " + folder + " && $SLEWMETER " + inputs + " --jobs " + std::to_string(jobs) +
          " --csv all.csv --report {}.json >out 2>err)");
    said[jobs == 3][0] = ReadFile(folder + "/out");
    said[jobs == 3][1] = ReadFile(folder + "/err");
    int k = 0;
    for (const char* name : {"/all.csv", "/0.json", "/3.json"})
      written[jobs == 3][k++] = ReadFile(folder + name);
  }
  EXPECT_EQ(said[1][0], said[0][0]);
  EXPECT_EQ(said[1][1], said[0][1]);
  EXPECT_NE(said[0][1].find("notes.wav"), std::string::npos) << said[0][1];
  for (int k = 0; k < 3; ++k) {
    EXPECT_FALSE(written[0][k].empty()) << k;
    EXPECT_EQ(written[1][k], written[0][k]) << k;
  }
}

}  // namespace
