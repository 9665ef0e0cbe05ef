#include "base/temporary_files.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "base/text_file.h"
#include "temp_dir.h"

namespace vellumet {
namespace {

using testing::TempDir;

// A file being written is held by its writer; one a dead run left is held by
// nobody and goes. Names of the user's own stay whatever they look like.
TEST(Temporaries, DeadOnesGoAndLiveOnesStay) {
  TempDir dir;
  const std::string folder = dir.path() + "/";
  testing::write_bytes(dir.file(".vellumet-Dead01"), "left by a run killed mid-write");
  testing::write_bytes(dir.file(".vellumet-notes.txt"), "the user's own");
  testing::write_bytes(dir.file("page.htm"), "old");
  AtomicFile live(dir.file("page.htm"));
  ASSERT_TRUE(live.open().ok);
  ASSERT_TRUE(live.write(std::string(100000, 'x')).ok);  // past the writer's own buffer

  std::vector<std::string> names;
  ASSERT_TRUE(dead_temporaries(folder, names, false).ok);
  EXPECT_EQ(names, std::vector<std::string>{".vellumet-Dead01"});
  EXPECT_EQ(testing::entries(dir.path()).size(), 4u);  // only looked at
  ASSERT_TRUE(dead_temporaries(folder, names, true).ok);
  EXPECT_EQ(names, std::vector<std::string>{".vellumet-Dead01"});
  EXPECT_FALSE(testing::exists(dir.file(".vellumet-Dead01")));

  ASSERT_TRUE(live.commit().ok);
  EXPECT_EQ(testing::read_bytes(dir.file("page.htm")).size(), 100000u);
  EXPECT_EQ(testing::entries(dir.path()),
            (std::vector<std::string>{".vellumet-notes.txt", "page.htm"}));

  // A folder that is not there holds none.
  EXPECT_TRUE(dead_temporaries(dir.file("none/"), names, true).ok);
  EXPECT_TRUE(names.empty());
}

// Ended by a signal while writing: the file being written goes, the page it
// was to replace stays, and the status is 128 + the signal's number.
TEST(Temporaries, SignalRemovesTheFileBeingWritten) {
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal_number);
    TempDir dir;
    testing::write_bytes(dir.file("page.htm"), "old");
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      remove_temporaries_on_signals();
      AtomicFile f(dir.file("page.htm"));
      if (f.open().ok && f.write("half a page").ok) ::raise(signal_number);
      ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 128 + signal_number);
    EXPECT_EQ(testing::entries(dir.path()), std::vector<std::string>{"page.htm"});
    EXPECT_EQ(testing::read_bytes(dir.file("page.htm")), "old");
  }
}

// Work that watches a flag is stopped through it: the first signal sets the
// flag and is kept; a second one ends the program as ever.
TEST(Temporaries, SignalSetsTheCancelFlagOfWorkThatWatchesOne) {
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    remove_temporaries_on_signals();
    std::atomic<bool> cancel{false};
    cancel_on_signals(&cancel);
    ::raise(SIGHUP);
    if (!cancel || cancelling_signal() != SIGHUP) ::_exit(1);
    ::raise(SIGTERM);
    ::_exit(2);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 128 + SIGTERM);
}

}  // namespace
}  // namespace vellumet
