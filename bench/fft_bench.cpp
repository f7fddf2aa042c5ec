// Times the runtime's FFT and MDCT built-ins and, when FFTW 3 is available, FFTW on the
// same data (double precision, in place, FFTW_ESTIMATE plans), each pair side by side.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/transform_builtins.h"

#ifdef HAVE_FFTW3
#include <fftw3.h>
#endif

namespace {

// Unnormalised transforms repeated in place let the values grow by up to the size
// each time: every 16th run the data starts afresh, so that no timed pass works on
// infinities (or, after shrinking, denormals). The copy costs about 1% of a run.
class FreshData {
 public:
  FreshData(double* cells, int32_t count) : cells(cells), pristine(static_cast<size_t>(count)) {
    for (size_t i = 0; i < pristine.size(); ++i)
      pristine[i] =
          std::sin(0.37 * static_cast<double>(i)) + 0.25 * std::cos(1.9 * static_cast<double>(i));
    restore();
  }
  void beforeRun() {
    if (++runs % 16 == 0) restore();
  }

 private:
  void restore() { std::memcpy(cells, pristine.data(), pristine.size() * sizeof(double)); }

  double* cells;
  std::vector<double> pristine;
  uint32_t runs = 0;
};

void RuntimeFft(benchmark::State& state, int32_t size, int32_t mode) {
  CVebriskMemory memory;
  FreshData data(memory.Block(0), 2 * size);
  for (auto _ : state) {
    data.beforeRun();
    FftBuiltin(memory, 0, size, mode);
    benchmark::ClobberMemory();
  }
}

void RuntimeMdct(benchmark::State& state, int32_t size, int32_t direction) {
  CVebriskMemory memory;
  FreshData data(memory.Block(0), size);
  for (auto _ : state) {
    data.beforeRun();
    MdctBuiltin(memory, 0, size, direction);
    benchmark::ClobberMemory();
  }
}

#ifdef HAVE_FFTW3
void FftwFft(benchmark::State& state, int32_t size, int sign) {
  fftw_complex* data = fftw_alloc_complex(static_cast<size_t>(size));
  fftw_plan plan = fftw_plan_dft_1d(size, data, data, sign, FFTW_ESTIMATE);
  FreshData fresh(&data[0][0], 2 * size);
  for (auto _ : state) {
    fresh.beforeRun();
    fftw_execute(plan);
    benchmark::ClobberMemory();
  }
  fftw_destroy_plan(plan);
  fftw_free(data);
}

// The MDCT of N values is a DCT-IV of N/2 folded values; this times FFTW's DCT-IV
// alone, without the window and the fold.
void FftwDctIv(benchmark::State& state, int32_t size) {
  double* data = fftw_alloc_real(static_cast<size_t>(size / 2));
  fftw_plan plan = fftw_plan_r2r_1d(size / 2, data, data, FFTW_REDFT11, FFTW_ESTIMATE);
  FreshData fresh(data, size / 2);
  for (auto _ : state) {
    fresh.beforeRun();
    fftw_execute(plan);
    benchmark::ClobberMemory();
  }
  fftw_destroy_plan(plan);
  fftw_free(data);
}
#endif

std::string Name(const char* transform, int32_t size, const char* implementation) {
  return std::string(transform) + "/" + std::to_string(size) + "/" + implementation;
}

void RegisterAll() {
  for (int32_t size = 64; size <= 32768; size *= 2) {
    benchmark::RegisterBenchmark(Name("fft_forward", size, "runtime").c_str(), RuntimeFft, size, 0);
#ifdef HAVE_FFTW3
    benchmark::RegisterBenchmark(Name("fft_forward", size, "fftw").c_str(), FftwFft, size,
                                 FFTW_FORWARD);
#endif
    benchmark::RegisterBenchmark(Name("fft_inverse", size, "runtime").c_str(), RuntimeFft, size, 1);
#ifdef HAVE_FFTW3
    benchmark::RegisterBenchmark(Name("fft_inverse", size, "fftw").c_str(), FftwFft, size,
                                 FFTW_BACKWARD);
#endif
  }
  for (int32_t size = 64; size <= 4096; size *= 2) {
    benchmark::RegisterBenchmark(Name("mdct_forward", size, "runtime").c_str(), RuntimeMdct, size,
                                 0);
    benchmark::RegisterBenchmark(Name("mdct_inverse", size, "runtime").c_str(), RuntimeMdct, size,
                                 1);
#ifdef HAVE_FFTW3
    benchmark::RegisterBenchmark(Name("mdct_dct4_core", size, "fftw").c_str(), FftwDctIv, size);
#endif
  }
}

}  // namespace

int main(int argc, char** argv) {
  RegisterAll();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
