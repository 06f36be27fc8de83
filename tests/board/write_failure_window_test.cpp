// In the window, writes that fail say so in the message box and change no file.
#include <gtest/gtest.h>

#include "model/write_fault.h"
#include "window_fixture.h"

namespace kelvane::ui {
namespace {

// Every write into the program's folder fails half-way; renames there fail.
struct HalfWrites : WriteFault {
  std::string folder;
  explicit HalfWrites(std::string f) : folder(std::move(f)) {}
  std::size_t WriteLimit(const std::string& path, std::size_t size) override {
    return path.rfind(folder, 0) == 0 ? size / 2 : size;
  }
  bool FailRename(const std::string& path) override { return path.rfind(folder, 0) == 0; }
};

TEST(WriteFailureWindow, SaveDeleteBatchAndExitReportAndKeepTheFiles) {
  Program p;
  p.UseFile("five.kvl", records(5));
  MainWindow& w = p.Start();
  const auto before = test::Snapshot(p.dir.Path());
  HalfWrites fault(p.dir.Folder());
  ScopedWriteFault scoped(fault);

  p.answers.files = {p.dir.File("five.kvl")};
  w.SaveCurrent();
  ASSERT_EQ(p.answers.messages.size(), 1u);
  EXPECT_EQ(p.answers.messages.back().first.rfind("Error writing puzzle# 6 to file: ", 0), 0u)
      << p.answers.messages.back().first;
  EXPECT_EQ(p.answers.messages.back().second, "vbok+vbcritical");

  p.answers.codes = {6};
  w.DeleteCurrent();
  EXPECT_EQ(p.answers.messages.back().first.rfind("Error deleting puzzle# 1 from file: ", 0), 0u);
  EXPECT_EQ(p.answers.messages.back().second, "vbok+vbcritical");
  EXPECT_EQ(p.Text("PuzNumNow"), "1");

  BatchOptions o;
  o.count = 10;
  o.size = 5;
  o.outFile = p.dir.File("five.kvl");
  BatchResult r;
  w.StartBatch(o, [&r](const BatchResult& result) { r = result; });
  p.WaitForBatch();
  EXPECT_TRUE(r.failed);
  EXPECT_EQ(r.added, 0);

  p.answers.codes = {6};
  EXPECT_TRUE(w.ExitProgram());
  EXPECT_EQ(p.answers.messages.back().first,
            "Configuration file:\n" + p.Config() + "\ncould not be accessed, options not saved");
  EXPECT_EQ(test::Snapshot(p.dir.Path()), before);
}

}  // namespace
}  // namespace kelvane::ui
