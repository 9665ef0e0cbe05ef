// The core against the floor of the same work, side by side in one process,
// on a tmpfs folder. After the benchmarks a table of ratios is printed.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "bench_folders.h"
#include "commands/create_html.h"
#include "commands/options.h"
#include "commands/start_up.h"
#include "floor.h"
#include "generator/page_writers.h"
#include "job/dialogs.h"
#include "job/job.h"
#include "job/memory_window.h"
#include "source/slide_set.h"

namespace vb = vellumet::bench;
using namespace vellumet;

namespace {

constexpr int kSlides = 999;
constexpr int kLeftovers = 500;
constexpr int kFolderFiles = 10000;
constexpr std::size_t kTemplateBytes = 10u << 20;

// Yes to every question except the clean-up offer; counts the boxes.
class BenchDialogs : public Dialogs {
 public:
  Answer show(const MessageBox& box) override {
    ++boxes;
    last = box;
    if (box.buttons == BoxButtons::Ok) return Answer::Ok;
    return box.title == "余分なファイルの消去" ? Answer::No : Answer::Yes;
  }
  std::optional<std::string> open_file(const std::string&) override { return std::nullopt; }
  int boxes = 0;
  MessageBox last;
};

struct Session {
  MemoryWindow window;
  BenchDialogs dialogs;
  Job job{window, dialogs, vb::program_folder(), "UTF-8"};
  Session() {
    window.on_check_changed = [this](CheckBox box) { on_check_changed(job, box); };
    form_load(job);
  }
};

void BM_CreateHtml_Vellumet(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    const std::string dir = vb::make_export("create", kSlides, kLeftovers);
    Session s;
    preview_pic(s.job, dir);
    if (s.job.state.slide_count != kSlides) state.SkipWithError("slide set not detected");
    state.ResumeTiming();
    slide_html_click(s.job);
    state.PauseTiming();
    if (s.dialogs.last.text != "Zorvo スライドショー閲覧用HTMLを作成しました。") {
      state.SkipWithError(("Create-HTML did not complete: " + s.dialogs.last.text).c_str());
    }
    state.ResumeTiming();
  }
}

void BM_CreateHtml_Floor(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    const std::string dir = vb::make_export("create", kSlides, kLeftovers);
    state.ResumeTiming();
    vb::floor_create_html(dir, vb::program_folder() + "/Template", kSlides);
  }
}

const std::string& big_folder() {
  static const std::string dir = vb::make_export("big", kSlides, kFolderFiles - kSlides - 3);
  return dir;
}

void BM_Detect_Vellumet(benchmark::State& state) {
  Session s;
  const std::string& dir = big_folder();
  for (auto _ : state) {
    preview_pic(s.job, dir);
    benchmark::DoNotOptimize(s.job.state.gomi_files.data());
  }
  if (s.job.state.slide_count != kSlides) state.SkipWithError("slide set not detected");
}

void BM_Detect_Floor(benchmark::State& state) {
  const std::string& dir = big_folder();
  for (auto _ : state) {
    auto names = vb::floor_list(dir);
    benchmark::DoNotOptimize(names.data());
  }
}

// A 10 MB template without markers: HTML-like lines with some Japanese text.
const std::string& big_program(bool cp932) {
  static std::map<bool, std::string> dirs;
  auto& dir = dirs[cp932];
  if (dir.empty()) {
    dir = vb::work_dir() + (cp932 ? "/program-cp932" : "/program-utf8");
    vb::remove_tree(dir);
    std::filesystem::create_directories(dir + "/Template");
    const std::string jp = cp932 ? "\x83\x58\x83\x89\x83\x43\x83\x68"
                                 : "\xe3\x82\xb9\xe3\x83\xa9\xe3\x82\xa4\xe3\x83\x89";
    const std::string line =
        "<TR><TD CLASS=\"cell\">" + jp + " 0123456789 abcdefghij</TD></TR>\r\n";
    std::string bytes;
    bytes.reserve(kTemplateBytes + line.size());
    while (bytes.size() < kTemplateBytes) bytes += line;
    vb::put_file(dir + "/Template/sld000.htm", bytes);
    std::filesystem::create_directories(dir + "/show");
  }
  return dir;
}

void page_write(benchmark::State& state, bool cp932) {
  const std::string& program = big_program(cp932);
  MemoryWindow window;
  BenchDialogs dialogs;
  Job job(window, dialogs, program, cp932 ? "CP932" : "UTF-8");
  job.state.app_dir = program;
  job.state.src_dir = program + "/show/";
  job.state.show_title[1] = "title";
  for (auto _ : state) {
    const PageResult r = make_slide_html(job, 1);
    if (!r.ok) state.SkipWithError(("page not written: " + r.reason).c_str());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kTemplateBytes));
}

void BM_PageWrite_Vellumet(benchmark::State& state) {
  page_write(state, false);
}
void BM_PageWriteCp932_Vellumet(benchmark::State& state) {
  page_write(state, true);
}

void page_copy(benchmark::State& state, bool cp932) {
  const std::string& program = big_program(cp932);
  for (auto _ : state) {
    vb::floor_copy(program + "/Template/sld000.htm", program + "/show/copy.htm");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kTemplateBytes));
}
void BM_PageWrite_Floor(benchmark::State& state) {
  page_copy(state, false);
}
void BM_PageWriteCp932_Floor(benchmark::State& state) {
  page_copy(state, true);
}

BENCHMARK(BM_CreateHtml_Vellumet)->Iterations(20)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CreateHtml_Floor)->Iterations(20)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Detect_Vellumet)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Detect_Floor)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageWrite_Vellumet)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageWrite_Floor)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageWriteCp932_Vellumet)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageWriteCp932_Floor)->UseRealTime()->Unit(benchmark::kMillisecond);

// Keeps the CPU seconds per iteration of every repetition, by benchmark.
class TableReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations == 0) {
        if (run.error_occurred)
          errors.push_back(run.run_name.function_name + ": " + run.error_message);
        continue;
      }
      // CPU time of the process (user and system): on a shared machine it
      // varies far less than wall time, and both sides spend it the same way.
      seconds[run.run_name.function_name].push_back(run.cpu_accumulated_time /
                                                    static_cast<double>(run.iterations));
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::optional<double> median(const std::string& name) const {
    auto it = seconds.find(name);
    if (it == seconds.end() || it->second.empty()) return std::nullopt;
    std::vector<double> v = it->second;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
  }
  std::map<std::string, std::vector<double>> seconds;
  std::vector<std::string> errors;
};

struct Row {
  const char* what;
  const char* name;
  bool throughput;  // compare MB/s (share of the floor) instead of time
  double target;
};

int print_table(const TableReporter& rep) {
  const Row rows[] = {
      {"Create-HTML, 999 slides + ppz + 500 leftovers", "BM_CreateHtml", false, 1.5},
      {"Detection + leftover scan, 10,000 files", "BM_Detect", false, 2.0},
      {"Page writing, 10 MB template (UTF-8)", "BM_PageWrite", true, 0.5},
      {"Page writing, 10 MB template (CP932)", "BM_PageWriteCp932", true, 0.5},
  };
  int failed = 0;
  std::printf("\n| measurement | Vellumet | floor | ratio | target | met |\n");
  std::printf("|---|---|---|---|---|---|\n");
  for (const Row& row : rows) {
    const auto ours = rep.median(std::string(row.name) + "_Vellumet");
    const auto floor = rep.median(std::string(row.name) + "_Floor");
    if (!ours || !floor) {
      std::printf("| %s | - | - | - | - | not measured |\n", row.what);
      ++failed;
      continue;
    }
    if (row.throughput) {
      const double mb = static_cast<double>(kTemplateBytes) / (1 << 20);
      const double share = (mb / *ours) / (mb / *floor);
      const bool met = share >= row.target;
      failed += met ? 0 : 1;
      std::printf("| %s | %.0f MB/s | %.0f MB/s | %.2f of floor | >= %.1f | %s |\n", row.what,
                  mb / *ours, mb / *floor, share, row.target, met ? "yes" : "NO");
    } else {
      const double ratio = *ours / *floor;
      const bool met = ratio <= row.target;
      failed += met ? 0 : 1;
      std::printf("| %s | %.2f ms | %.2f ms | %.2fx | <= %.1fx | %s |\n", row.what, *ours * 1e3,
                  *floor * 1e3, ratio, row.target, met ? "yes" : "NO");
    }
  }
  for (const auto& e : rep.errors) std::printf("error: %s\n", e.c_str());
  std::printf("\nfolder: %s (%s)\n", vb::work_dir().c_str(),
              vb::on_tmpfs() ? "tmpfs" : "NOT tmpfs: figures include disk costs");
  return failed;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TableReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const int failed = print_table(reporter);
  benchmark::Shutdown();
  return failed == 0 ? 0 : 2;
}
