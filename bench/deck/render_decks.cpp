// Makes the shows of the decks given, as the program will, and reports how
// long it took and the process's peak memory:
//
//   vellumet_render_decks [--jobs N] [--image jpg|png|webp] [--width W]
//                         [--out DIR] DECK...
//
// Prints "wall_ms=", "cpu_ms=" and "peak_kb=" lines; exits 1 when a deck fails.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "deck/make_show.h"

using namespace vellumet::deck;

int main(int argc, char** argv) {
  Options options;
  std::vector<Request> requests;
  std::string out;
  for (int i = 1; i < argc; ++i) {
    bool has_value = i + 1 < argc;
    if (!std::strcmp(argv[i], "--jobs") && has_value) {
      options.jobs = std::atoi(argv[++i]);
    } else if (!std::strcmp(argv[i], "--image") && has_value) {
      if (!parse_format(argv[++i], options.format)) return 2;
    } else if (!std::strcmp(argv[i], "--width") && has_value) {
      options.width = std::atoi(argv[++i]);
    } else if (!std::strcmp(argv[i], "--out") && has_value) {
      out = argv[++i];
    } else {
      requests.push_back({argv[i], out});
    }
  }
  auto start = std::chrono::steady_clock::now();
  std::vector<Outcome> outcomes = make_shows(requests, options);
  auto wall = std::chrono::steady_clock::now() - start;
  int status = 0;
  for (const Outcome& outcome : outcomes) {
    if (!outcome.ok()) {
      std::fprintf(stderr, "%s\n", failure_message(outcome.failure, outcome.result).c_str());
      status = 1;
    }
  }
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  auto ms = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_usec) / 1000.0;
  };
  std::printf("wall_ms=%.1f\ncpu_ms=%.1f\npeak_kb=%ld\n",
              std::chrono::duration<double, std::milli>(wall).count(),
              ms(usage.ru_utime) + ms(usage.ru_stime), usage.ru_maxrss);
  return status;
}
