// Templates far larger than the memory a page writer may use: sparse files of
// up to 2 GB that are one single line, with and without a marker. Each is
// written in a child process whose peak resident size is compared with its
// size before the write.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>

#include "fault_support.h"
#include "generator/page_writers.h"
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

// A file of `size` bytes, all zero except `head` at its start and `tail` at
// its end; the rest is a hole.
void sparse_file(const std::string& path, std::uint64_t size, const std::string& head,
                 const std::string& tail) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(size)), 0);
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
  const char* template_name;
  std::uint64_t size;
  std::string head, tail;
  // The page: its size, its first and its last bytes.
  std::uint64_t page_size;
  std::string page_head, page_tail;
};

TEST(HugeTemplateTest, OneLineTemplatesAreWrittenInBoundedMemory) {
  constexpr std::uint64_t kMb = 1 << 20;
  const std::string title = "<TITLE>Zorvo スライドショー(by Y.Korrin)</TITLE>\r\n";
  const HugeCase cases[] = {
      // The marker line is 2 GB long and becomes the title line.
      {"2 GB title line", "sld000.htm", 2048 * kMb, "  <TITLE>old", "", title.size(), title, title},
      // No marker: the line passes through as it is.
      {"256 MB line without a marker", "sld000.htm", 256 * kMb, "a", "z", 256 * kMb + 2,
       "a" + std::string(15, '\0'), std::string(15, '\0') + "z\r\n"},
      // A marker near the end of the line is replaced where it lies.
      {"256 MB line with a marker at its end", "sld000.htm", 256 * kMb, "", "src=/img0/x",
       256 * kMb + 2, std::string(16, '\0'), "src=/img1/x\r\n"},
  };
  for (const HugeCase& c : cases) {
    SCOPED_TRACE(c.label);
    TempDir program{TempDir::InMemory{}};
    TempDir show{TempDir::InMemory{}};
    testing::make_program_folder(program.path(), testing::ProgramContents::FoldersOnly);
    sparse_file(program.path() + "/Template/" + c.template_name, c.size, c.head, c.tail);

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
      values["ok"] = page.ok ? "yes" : page.reason;
      values["growth_kb"] = std::to_string(status_kb("VmHWM:") - before);
    });
    ASSERT_EQ(r.failure, "");
    EXPECT_EQ(r.values.at("ok"), "yes");
    EXPECT_LT(std::stol(r.values.at("growth_kb")), kAllowedGrowthKb);
    const std::string page = show.file("sld001.htm");
    EXPECT_EQ(file_size(page), c.page_size);
    EXPECT_EQ(bytes_at(page, 0, c.page_head.size()), c.page_head);
    EXPECT_EQ(bytes_at(page, c.page_size - c.page_tail.size(), c.page_tail.size()), c.page_tail);
  }
}

}  // namespace
}  // namespace vellumet::fault
