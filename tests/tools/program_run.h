// What the tests that run slewmeter share: a command's run, a file's bytes and
// a sound file's samples.
#pragma once

#include <sndfile.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct ProgramRun {
  int exitCode;
  std::string out;  // what the command wrote to standard output
};

inline ProgramRun RunCommand(const std::string& command) {
  ProgramRun run{-1, {}};
  if (std::FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe))
      run.out += buffer;
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  return run;
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

struct AudioFile {
  SF_INFO info{};
  std::vector<double> samples;  // interleaved; empty when the file cannot be read
};

inline AudioFile ReadAudio(const std::string& path) {
  AudioFile file;
  SNDFILE* sound = sf_open(path.c_str(), SFM_READ, &file.info);
  if (sound == nullptr) return file;
  file.samples.resize(static_cast<size_t>(file.info.frames * file.info.channels));
  sf_readf_double(sound, file.samples.data(), file.info.frames);
  sf_close(sound);
  return file;
}
