// The core against the floor of the same work, side by side in one process,
// on a tmpfs folder. After the benchmarks a table of ratios is printed.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
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
#include "source/start_values.h"

namespace vb = vellumet::bench;
using namespace vellumet;

namespace {

constexpr int kSlides = 999;
constexpr int kLeftovers = 500;
constexpr std::size_t kTemplateBytes = 10u << 20;

// Yes to every question except the clean-up offer; counts the boxes.
class BenchDialogs : public Dialogs {
 public:
  Answer show(const MessageBox& box) override {
    ++boxes;
    if (box.buttons == BoxButtons::Ok) return Answer::Ok;
    return box.kind == BoxKind::CleanUpOffer ? Answer::No : Answer::Yes;
  }
  std::optional<std::string> open_file(const std::string&, const FileFilter&) override {
    return std::nullopt;
  }
  int boxes = 0;
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
    const CommandResult r = slide_html_click(s.job);
    state.PauseTiming();
    if (r.ending != Ending::Done) {
      state.SkipWithError(("Create-HTML did not complete: " + r.failure.reason).c_str());
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

// A folder of `files` files: slides (999, fewer in a small folder), show.ppz,
// the export's two pages and leftovers. Made once.
int slides_in(int files) {
  return std::min(kSlides, files / 3);
}
const std::string& folder_of(int files) {
  static std::map<int, std::string> dirs;
  std::string& dir = dirs[files];
  if (dir.empty()) {
    dir = vb::make_export("files" + std::to_string(files), slides_in(files),
                          files - slides_in(files) - 3);
  }
  return dir;
}

void BM_Detect_Vellumet(benchmark::State& state) {
  const int files = static_cast<int>(state.range(0));
  const std::string& dir = folder_of(files);
  Session s;
  for (auto _ : state) {
    preview_pic(s.job, dir);
    benchmark::DoNotOptimize(s.job.state.gomi_files.size());
  }
  if (s.job.state.slide_count != slides_in(files)) state.SkipWithError("slide set not detected");
}

// The first detection of a session, with nothing left from an earlier one.
void BM_DetectFirst_Vellumet(benchmark::State& state) {
  const int files = static_cast<int>(state.range(0));
  const std::string& dir = folder_of(files);
  for (auto _ : state) {
    state.PauseTiming();
    auto s = std::make_unique<Session>();
    state.ResumeTiming();
    preview_pic(s->job, dir);
    state.PauseTiming();
    if (s->job.state.slide_count != slides_in(files)) state.SkipWithError("slide set not detected");
    s.reset();
    state.ResumeTiming();
  }
}

void BM_Detect_Floor(benchmark::State& state) {
  const std::string& dir = folder_of(static_cast<int>(state.range(0)));
  vb::SortedNames names;
  for (auto _ : state) {
    vb::floor_list_sorted(dir, names);
    benchmark::DoNotOptimize(names.entries.data());
  }
}

void BM_DetectFirst_Floor(benchmark::State& state) {
  const std::string& dir = folder_of(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    auto names = std::make_unique<vb::SortedNames>();
    state.ResumeTiming();
    vb::floor_list_sorted(dir, *names);
    state.PauseTiming();
    names.reset();
    state.ResumeTiming();
  }
}

// The shipped entry, bar and slide templates, each repeated to a third of
// 10 MB (their markers on their real lines), in a program folder of their own.
struct PageProgram {
  std::string dir;
  std::uint64_t bytes = 0;
};
const char* const kPageTemplates[] = {"index_c_l.htm", "navbtn_c.htm", "sld000.htm"};

const PageProgram& page_program() {
  static PageProgram p;
  if (!p.dir.empty()) return p;
  p.dir = vb::work_dir() + "/program-pages";
  vb::remove_tree(p.dir);
  std::filesystem::create_directories(p.dir + "/Template");
  std::filesystem::create_directories(p.dir + "/show");
  for (const char* name : kPageTemplates) {
    std::ifstream in(std::string(VELLUMET_SOURCE_DIR) + "/Template/" + name, std::ios::binary);
    const std::string unit((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string bytes;
    while (bytes.size() < kTemplateBytes / 3) bytes += unit;
    vb::put_file(p.dir + "/Template/" + name, bytes);
    p.bytes += bytes.size();
  }
  return p;
}

void BM_PageWrite_Vellumet(benchmark::State& state) {
  const PageProgram& p = page_program();
  MemoryWindow window;
  BenchDialogs dialogs;
  Job job(window, dialogs, p.dir, "UTF-8");
  init_constants(job.state);
  job.state.app_dir = p.dir;
  job.state.src_dir = p.dir + "/show/";
  job.state.img_type = 3;
  job.state.last_slide[1] = 12;
  job.state.show_title[1] = "Zorvo スライドショー(by Y.Korrin)";
  job.state.down_file_name[1] = "slides.zip";
  for (int j = 1; j <= 8; ++j) job.state.button_img[j] = "buttons/b" + std::to_string(j) + ".gif";
  window.set_text(TextField::Text3, "index.html");
  window.set_check(CheckBox::Check1, kChecked);
  window.set_check(CheckBox::Check2, kChecked);
  for (auto _ : state) {
    FileResult r = make_slide_html(job, 1);
    if (r.ok) r = make_index_html(job, 1);
    if (r.ok) r = make_navbtn_html(job, 1);
    if (!r.ok) state.SkipWithError(("page not written: " + r.reason).c_str());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * p.bytes));
}

void BM_PageWrite_Floor(benchmark::State& state) {
  const PageProgram& p = page_program();
  for (auto _ : state) {
    for (const char* name : kPageTemplates) {
      vb::floor_copy(p.dir + "/Template/" + name, p.dir + "/show/" + name);
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * p.bytes));
}

BENCHMARK(BM_CreateHtml_Vellumet)->Iterations(20)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CreateHtml_Floor)->Iterations(20)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Detect_Vellumet)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DetectFirst_Vellumet)
    ->Arg(100)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Detect_Floor)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DetectFirst_Floor)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageWrite_Vellumet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageWrite_Floor)->Unit(benchmark::kMillisecond);

// Keeps the CPU seconds per iteration of every repetition, by benchmark.
class TableReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations == 0) {
        if (run.error_occurred) errors.push_back(run.run_name.str() + ": " + run.error_message);
        continue;
      }
      // CPU time of the process (user and system): on a shared machine it
      // varies far less than wall time, and both sides spend it the same way.
      std::string key = run.run_name.function_name;
      if (!run.run_name.args.empty()) key += "/" + run.run_name.args;
      seconds[key].push_back(run.cpu_accumulated_time / static_cast<double>(run.iterations));
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
  std::string what;
  std::string ours, floor;  // benchmark names, with their arguments
  enum Kind { Time, Share, Growth } kind;
  double target;  // highest ratio (Time, Growth); a share of the floor is shown without one
};

int print_table(const TableReporter& rep) {
  // n log n from 10,000 to 100,000 names.
  const double n_log_n = 10.0 * std::log(100000.0) / std::log(10000.0);
  std::vector<Row> rows = {
      {"Create-HTML, 999 slides + ppz + 500 leftovers", "BM_CreateHtml_Vellumet",
       "BM_CreateHtml_Floor", Row::Time, 1.2},
  };
  for (const char* n : {"100", "10000", "100000"}) {
    const std::string files = n == std::string("100")     ? "100"
                              : n == std::string("10000") ? "10,000"
                                                          : "100,000";
    rows.push_back({"Detection + leftover scan, " + files + " files",
                    std::string("BM_Detect_Vellumet/") + n, std::string("BM_Detect_Floor/") + n,
                    Row::Time, 1.5});
    rows.push_back({"Detection + leftover scan, first call, " + files + " files",
                    std::string("BM_DetectFirst_Vellumet/") + n,
                    std::string("BM_DetectFirst_Floor/") + n, Row::Time, 1.5});
  }
  rows.push_back({"Detection, growth from 10,000 to 100,000 files (n log n: " +
                      std::to_string(n_log_n).substr(0, 4) + "x)",
                  "BM_Detect_Vellumet/100000", "BM_Detect_Vellumet/10000", Row::Growth, n_log_n});
  // Pages far larger than any template: shown, without a target.
  rows.push_back({"Page writing, shipped templates repeated to 10 MB (UTF-8)",
                  "BM_PageWrite_Vellumet", "BM_PageWrite_Floor", Row::Share, 0});
  int failed = 0;
  std::printf("\n| measurement | Vellumet | floor | ratio | target | met |\n");
  std::printf("|---|---|---|---|---|---|\n");
  for (const Row& row : rows) {
    const auto ours = rep.median(row.ours);
    const auto floor = rep.median(row.floor);
    if (!ours || !floor) {
      std::printf("| %s | - | - | - | - | not measured |\n", row.what.c_str());
      ++failed;
      continue;
    }
    if (row.kind == Row::Growth) {
      // Against n log n, beside the floor's own growth over the same folders.
      const auto floor_big = rep.median("BM_Detect_Floor/100000");
      const auto floor_small = rep.median("BM_Detect_Floor/10000");
      const double growth = *ours / *floor;
      const bool met = growth <= row.target;
      failed += met ? 0 : 1;
      std::printf("| %s | %.1fx | %.1fx | - | <= %.1fx | %s |\n", row.what.c_str(), growth,
                  floor_big && floor_small ? *floor_big / *floor_small : 0.0, row.target,
                  met ? "yes" : "NO");
      continue;
    }
    if (row.kind == Row::Share) {
      const double mb = static_cast<double>(page_program().bytes) / (1 << 20);
      std::printf("| %s | %.0f MB/s | %.0f MB/s | %.2f of floor | - | - |\n", row.what.c_str(),
                  mb / *ours, mb / *floor, *floor / *ours);
    } else {
      const double ratio = *ours / *floor;
      const bool met = ratio <= row.target;
      failed += met ? 0 : 1;
      std::printf("| %s | %.2f ms | %.2f ms | %.2fx | <= %.2fx | %s |\n", row.what.c_str(),
                  *ours * 1e3, *floor * 1e3, ratio, row.target, met ? "yes" : "NO");
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
