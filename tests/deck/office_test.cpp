#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <fstream>
#include <thread>

#include "deck/make_show.h"
#include "deck/office.h"
#include "deck_fixture.h"
#include "run_program.h"

namespace vellumet::deck {
namespace {

using testing::read_bytes;
using testing::snapshot;
using testing::TempDir;

// Two slides of a flat ODF presentation: a red square in the top-left corner
// and a line of text on the first, a line of text on the second.
constexpr const char* kFlatPresentation = R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.presentation">
<office:automatic-styles>
<style:style style:name="red" style:family="graphic"><style:graphic-properties
 draw:fill="solid" draw:fill-color="#ff0000" draw:stroke="none"/></style:style>
</office:automatic-styles>
<office:body><office:presentation>
<draw:page draw:name="one"><draw:rect draw:style-name="red" svg:x="0cm" svg:y="0cm"
 svg:width="4cm" svg:height="4cm"/><draw:frame svg:x="8cm" svg:y="2cm" svg:width="15cm"
 svg:height="3cm"><draw:text-box><text:p>Harbour plan 港の計画</text:p></draw:text-box>
</draw:frame></draw:page>
<draw:page draw:name="two"><draw:frame svg:x="8cm" svg:y="2cm" svg:width="15cm"
 svg:height="3cm"><draw:text-box><text:p>Second slide</text:p></draw:text-box></draw:frame>
</draw:page>
</office:presentation></office:body></office:document>
)";

class Office : public ::testing::Test {
 protected:
  // One .pptx for all the tests, made by LibreOffice from the flat file.
  static void SetUpTestSuite() {
    program_ = new std::string(find_office_program(""));
    pptx_ = new TempDir;
    if (program_->empty()) return;
    testing::write_bytes(pptx_->file("plan.fodp"), kFlatPresentation);
    testing::ProgramRun run = testing::run_program(
        *program_,
        {"--headless", "-env:UserInstallation=file://" + pptx_->file("profile"), "--convert-to",
         "pptx", "--outdir", pptx_->path(), pptx_->file("plan.fodp")},
        pptx_->path());
    ASSERT_EQ(run.status, 0) << run.err;
  }
  static void TearDownTestSuite() {
    delete pptx_;
    delete program_;
  }
  void SetUp() override {
    ASSERT_FALSE(program_->empty())
        << "LibreOffice is not installed: scripts/install-deps.sh installs libreoffice-impress";
    ::mkdir(work_.c_str(), 0700);
    ::setenv("TMPDIR", work_.c_str(), 1);
  }
  void TearDown() override { ::unsetenv("TMPDIR"); }

  static std::string* program_;
  static TempDir* pptx_;
  TempDir dir;  // the decks' folder
  TempDir temp_;
  std::string work_ = temp_.file("work");  // TMPDIR: LibreOffice's work folders go here
};

std::string* Office::program_ = nullptr;
TempDir* Office::pptx_ = nullptr;

TEST_F(Office, PresentationBecomesAShowOfItsPdf) {
  std::string deck = dir.file("-港 plan.pptx");
  testing::write_bytes(deck, read_bytes(pptx_->file("plan.pptx")));
  Options options = testing::test_options();
  options.width = 960;
  Outcome out = make_show({deck, ""}, options);
  ASSERT_TRUE(out.ok()) << failure_message(out.failure, out.result);
  const Manifest& m = out.show.manifest;
  EXPECT_EQ(out.show.folder, dir.file("-港 plan"));
  EXPECT_EQ(m.source, "-港 plan.pptx");
  EXPECT_EQ(m.download, "-港 plan.pdf");
  EXPECT_EQ(
      testing::entries(out.show.folder),
      (std::vector<std::string>{"-港 plan.pdf", ".vellumet-show", "img001.png", "img002.png"}));
  EXPECT_EQ(read_bytes(out.show.folder + "/-港 plan.pdf").substr(0, 5), "%PDF-");
  ASSERT_EQ(m.texts.size(), 2u);
  EXPECT_EQ(m.texts[0], "Harbour plan 港の計画");
  EXPECT_EQ(m.texts[1], "Second slide");
  QImage first(QString::fromStdString(out.show.folder + "/img001.png"));
  EXPECT_EQ(first.pixel(20, 20), qRgb(255, 0, 0));
  // Nothing of the machine's folders lands in the show, nor stays behind.
  EXPECT_EQ(read_bytes(out.show.folder + "/.vellumet-show").find('/'), std::string::npos);
  EXPECT_EQ(testing::entries(work_), std::vector<std::string>{});
}

TEST_F(Office, FailuresLeaveNothingBehind) {
  std::string pid_file = dir.file("sleeper.pid");
  testing::write_bytes(dir.file("hanging-office"),
                       "#!/bin/sh\nsleep 300 &\necho $! > '" + pid_file + "'\nwait\n");
  ::chmod(dir.file("hanging-office").c_str(), 0755);
  struct Case {
    const char* what;
    std::string program;
    Failure want;
  };
  const Case cases[] = {
      {"a file it cannot open", *program_, Failure::OfficeFailed},
      {"no LibreOffice", dir.file("no-such-office"), Failure::NoOffice},
      {"LibreOffice hangs", dir.file("hanging-office"), Failure::OfficeTimeout},
  };
  std::string deck = dir.file("broken deck.pptx");
  testing::write_bytes(deck, "PK\x03\x04 not a presentation at all");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto before = snapshot(dir.path());
    Options options = testing::test_options();
    options.office_program = c.program;
    options.office_limit = std::chrono::seconds(1);
    if (c.want == Failure::OfficeFailed) options.office_limit = std::chrono::seconds(120);
    Outcome out = make_show({deck, ""}, options);
    EXPECT_EQ(out.failure, c.want) << failure_message(out.failure, out.result);
    EXPECT_NE(failure_message(out.failure, out.result)
                  .find(c.want == Failure::NoOffice ? kOfficePackage : "broken deck.pptx"),
              std::string::npos);
    auto after = snapshot(dir.path());
    after.erase("sleeper.pid");
    EXPECT_EQ(after, before);
    EXPECT_EQ(testing::entries(work_), std::vector<std::string>{});
  }
  // The hanging program's own child was ended with it. It was sent the
  // signal, not waited for (it is not our child), so give it a moment to die;
  // once reaped, its number may already name another program.
  pid_t sleeper = std::stoi(read_bytes(pid_file));
  std::string pid, name, state;
  for (int tries = 0; tries < 100; ++tries) {
    std::ifstream stat("/proc/" + std::to_string(sleeper) + "/stat");
    name.clear();
    if (!(stat >> pid >> name >> state) || name != "(sleep)" || state == "Z") break;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_FALSE(name == "(sleep)" && state != "Z") << "sleep " << sleeper << " is still " << state;
}

TEST(FindOfficeProgram, LooksOnThePath) {
  TempDir with, without;
  testing::write_bytes(with.file("soffice"), "#!/bin/sh\n");
  ::chmod(with.file("soffice").c_str(), 0755);
  testing::write_bytes(without.file("soffice"), "not executable");
  std::string old = std::getenv("PATH") ? std::getenv("PATH") : "";
  ::setenv("PATH", (without.path() + ":" + with.path()).c_str(), 1);
  EXPECT_EQ(find_office_program(""), with.file("soffice"));
  ::setenv("PATH", without.path().c_str(), 1);
  EXPECT_EQ(find_office_program(""), "");
  EXPECT_EQ(find_office_program("/opt/office/soffice"), "/opt/office/soffice");
  ::setenv("PATH", old.c_str(), 1);
}

}  // namespace
}  // namespace vellumet::deck
