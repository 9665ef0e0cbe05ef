// Templates far larger than the memory a page writer may use: sparse files of
// up to 2 GB, one single line or lines of 1 MB. Each is written in a child
// process whose peak resident size is compared with its size before the
// write: a template of long lines goes through, one line of 2 GB is refused.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>

#include "base/messages.h"
#include "fault_support.h"
#include "generator/page_writers.h"
#include "generator/template_copy.h"
#include "job/memory_window.h"
#include "program_folder.h"

namespace vellumet::fault {
namespace {

using testing::TempDir;

constexpr long kAllowedGrowthKb = 64 * 1024;

long status_kb(const char* field) {
  std::ifstream in("/proc/self/status");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::strlen(field)));
  }
  return -1;
}

// A file of `size` bytes, all zero except a CR ending every `line`
// bytes (0: none), `head` at its start and `tail` at its end; the rest is a hole.
void sparse_file(const std::string& path, std::uint64_t size, std::uint64_t line,
                 const std::string& head, const std::string& tail) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(size)), 0);
  for (std::uint64_t end = line; line != 0 && end < size; end += line)
    ASSERT_EQ(::pwrite(fd, "\r", 1, static_cast<off_t>(end - 1)), 1);
  ASSERT_EQ(::pwrite(fd, head.data(), head.size(), 0), static_cast<ssize_t>(head.size()));
  ASSERT_EQ(::pwrite(fd, tail.data(), tail.size(), static_cast<off_t>(size - tail.size())),
            static_cast<ssize_t>(tail.size()));
  ::close(fd);
}

std::string bytes_at(const std::string& path, std::uint64_t at, std::size_t n) {
  std::string out(n, '\0');
  const int fd = ::open(path.c_str(), O_RDONLY);
  const ssize_t got = ::pread(fd, out.data(), n, static_cast<off_t>(at));
  ::close(fd);
  out.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return out;
}

std::uint64_t file_size(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
}

struct HugeCase {
  const char* label;
  std::uint64_t size, line;
  std::string head, tail;
  // The page: its size, its first and its last bytes; none when refused.
  bool refused;
  std::uint64_t page_size;
  std::string page_head, page_tail;
};

TEST(HugeTemplateTest, TemplatesAreWrittenOrRefusedInBoundedMemory) {
  constexpr std::uint64_t kMb = 1 << 20;
  const std::string too_long =
      msg::fill(msg::kLineTooLong, {std::to_string(kMaxTemplateLine >> 20)});
  const HugeCase cases[] = {
      // The marker line is 2 GB long: refused once the limit is passed.
      {"2 GB title line", 2048 * kMb, 0, "  <TITLE>old", "", true, 0, "", ""},
      // Lines of 1 MB: each read, changed where it holds a marker, written.
      {"256 MB of 1 MB lines, a marker at the end", 256 * kMb, kMb, "a", "src=/img0/x", false,
       256 * kMb + 257, "a" + std::string(15, '\0'), "src=/img1/x\r\n"},
  };
  for (const HugeCase& c : cases) {
    SCOPED_TRACE(c.label);
    TempDir program{TempDir::InMemory{}};
    TempDir show{TempDir::InMemory{}};
    testing::make_program_folder(program.path(), testing::ProgramContents::FoldersOnly);
    sparse_file(program.path() + "/Template/sld000.htm", c.size, c.line, c.head, c.tail);

    testing::ScriptedDialogs dialogs;
    ChildOptions options;
    options.drop_privileges = false;
    const ChildReport r = run_in_child(dialogs, options, [&](auto& d, auto& values) {
      MemoryWindow window;
      Job job(window, d, program.path(), "UTF-8");
      job.state.app_dir = program.path();
      job.state.src_dir = show.path() + "/";
      job.state.show_title[1] = "Zorvo スライドショー(by Y.Korrin)";
      // The peak from here on, against the size now.
      std::ofstream("/proc/self/clear_refs") << "5";
      const long before = status_kb("VmRSS:");
      const FileResult page = make_slide_html(job, 1);
      values["result"] = page.ok                       ? "written"
                         : page.step == FileStep::Read ? page.reason
                                                       : "page failed";
      values["growth_kb"] = std::to_string(status_kb("VmHWM:") - before);
    });
    ASSERT_EQ(r.failure, "");
    EXPECT_EQ(r.values.at("result"), c.refused ? too_long : "written");
    EXPECT_LT(std::stol(r.values.at("growth_kb")), kAllowedGrowthKb);
    if (c.refused) {
      EXPECT_EQ(testing::entries(show.path()), std::vector<std::string>{});
      continue;
    }
    const std::string page = show.file("sld001.htm");
    EXPECT_EQ(file_size(page), c.page_size);
    EXPECT_EQ(bytes_at(page, 0, c.page_head.size()), c.page_head);
    EXPECT_EQ(bytes_at(page, c.page_size - c.page_tail.size(), c.page_tail.size()), c.page_tail);
  }
}

}  // namespace
}  // namespace vellumet::fault
