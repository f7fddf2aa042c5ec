// Reproducible test signals for the FFT and MDCT built-ins.
#pragma once

#include <cmath>
#include <random>
#include <vector>

inline std::vector<double> RandomCells(size_t count, unsigned seed) {
  std::mt19937 generator(seed);
  std::uniform_real_distribution<double> uniform(-1.0, 1.0);
  std::vector<double> cells(count);
  for (double& cell : cells)
    cell = uniform(generator);
  return cells;
}

inline double EuclideanNorm(const std::vector<double>& cells) {
  double sum = 0.0;
  for (const double cell : cells)
    sum += cell * cell;
  return std::sqrt(sum);
}
