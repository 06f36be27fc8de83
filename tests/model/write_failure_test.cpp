// Writes that fail (a read-only folder, a full disk half-way, a failing rename, a file that
// vanished or was replaced) leave every file as it was and never report success.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <tuple>

#include "engine/batch.h"
#include "engine/chain_list.h"
#include "model/navigation.h"
#include "model/puzzle_file.h"
#include "model/write_fault.h"
#include "settings/config_file.h"
#include "test_support.h"

namespace kelvane {
namespace {

namespace fs = std::filesystem;

const std::string kGrid = "3-1-2+ - -2-3-1- - +1-2-3";

std::string Records(int count) {
  std::string text;
  for (int k = 1; k <= count; ++k) text += FormatRecord(k, k % 2 == 0, 5, 4, 11 + k % 3, kGrid, "21,11,1,3, 11");
  return text;
}

// Every write in one folder fails in the chosen way; None lets every write through.
struct Fault : WriteFault {
  enum class Kind { None, ReadOnlyFolder, DiskFullHalfWay, RenameFails } kind;
  std::string folder;
  Fault(Kind k, std::string f) : kind(k), folder(std::move(f)) {}
  bool Mine(const std::string& path) const { return path.rfind(folder, 0) == 0; }
  bool FailOpen(const std::string& path) override { return kind == Kind::ReadOnlyFolder && Mine(path); }
  std::size_t WriteLimit(const std::string& path, std::size_t size) override {
    return kind == Kind::DiskFullHalfWay && Mine(path) ? size / 2 : size;
  }
  bool FailRename(const std::string& path) override { return kind == Kind::RenameFails && Mine(path); }
};

struct Operation {
  const char* name;
  // Runs in the folder; true when it reported success, with message what it said.
  std::function<bool(const test::TempDir&, std::string& message)> run;
  bool renames;  // goes through a temporary file and a rename
};

bool Said(const WriteResult& w, std::string& message) {
  message = w.message;
  return w.ok;
}

bool Save(const std::string& target, std::string& message) {
  GameState g;
  test::TempDir source;
  test::WriteFile(source.File("s.kvl"), Records(1));
  if (!ShowPuzzle(g, source.File("s.kvl"), 1).found) return false;
  const SaveResult r = SaveCurrentPuzzle(g, target);
  message = r.message;
  EXPECT_EQ(r.style, r.ok ? "vbok+vbinformation" : "vbok+vbcritical");
  return r.ok;
}

bool Batch(const test::TempDir& d, std::string& message) {
  BatchOptions o;
  o.count = 20;
  o.size = 5;
  o.seed = 3;
  o.outFile = d.File("p.kvl");
  ChainListCache lists(KELVANE_SOURCE_DATA);
  PuzzleFileIndexes files;
  std::atomic<bool> cancel{false};
  const BatchResult r = CreateBatch(o, lists, files, cancel);
  message = r.message;
  EXPECT_EQ(r.added, r.failed ? 0 : 20);
  return !r.failed;
}

const Operation kOperations[] = {
    {"save into a file", [](const test::TempDir& d, std::string& m) { return Save(d.File("p.kvl"), m); }, false},
    {"save into a new file", [](const test::TempDir& d, std::string& m) { return Save(d.File("new.kvl"), m); },
     false},
    {"delete",
     [](const test::TempDir& d, std::string& m) {
       PuzzleFileIndexes files;
       return Said(DeleteRecord(files, d.File("p.kvl"), 2), m);
     },
     true},
    {"batch", Batch, false},
    {"configuration",
     [](const test::TempDir& d, std::string& m) {
       return Said(WriteConfigFile(d.File("kelvane.cfg"), DefaultConfig(d.Folder())), m);
     },
     true},
};

TEST(WriteFailure, EveryWriteThatFailsKeepsEveryFileAndSaysSo) {
  using Kind = Fault::Kind;
  for (Kind kind : {Kind::None, Kind::ReadOnlyFolder, Kind::DiskFullHalfWay, Kind::RenameFails}) {
    for (const Operation& op : kOperations) {
      SCOPED_TRACE(std::string(op.name) + ", fault " + std::to_string(static_cast<int>(kind)));
      test::TempDir dir;
      test::WriteFile(dir.File("p.kvl"), Records(3));
      test::WriteFile(dir.File("kelvane.cfg"), FormatConfig(DefaultConfig("/elsewhere/")));
      const auto before = test::Snapshot(dir.Path());
      Fault fault(kind, dir.Folder());
      std::string message;
      bool ok = false;
      {
        ScopedWriteFault scoped(fault);
        ok = op.run(dir, message);
      }
      // A rename that fails only matters to what renames; the others write in place.
      if (kind == Kind::None || (kind == Kind::RenameFails && !op.renames)) {
        EXPECT_TRUE(ok) << message;
        continue;
      }
      EXPECT_FALSE(ok);
      EXPECT_FALSE(message.empty());
      EXPECT_EQ(test::Snapshot(dir.Path()), before);  // no file changed, none left behind
    }
  }
}

// Deleting the puzzle on the board first checks that the file still holds it at that place.
TEST(WriteFailure, DeletingTheShownPuzzleLosesNoOtherPuzzle) {
  std::string other = Records(3), kept = Records(3);
  other.replace(other.find("3-1-2", other.find("#2")), 5, "1-3-2");
  kept.erase(kept.find("#2"), kept.find("#3") - kept.find("#2"));
  // Damaged records were refused as "changed since shown": the check compared the board, not the record read.
  const std::string offBoard = Records(1) + FormatRecord(2, false, 5, 4, 99, kGrid, "21,11,1,3, 99");
  const std::string noGrid = Records(1) + FormatRecord(2, false, 5, 4, 11, "", "21,11,1,3, 11");
  const std::string noted = "header line\r\n" + Records(3);
  std::string notedKept = noted;
  notedKept.erase(notedKept.find("#2"), notedKept.find("#3") - notedKept.find("#2"));
  const std::tuple<std::string, std::string, const char*, std::string> cases[] = {
      // file when shown, file when deleting ("" when gone), reason of a refusal, file after
      {Records(3), other, "Nothing was deleted", other},  // replaced: puzzle 2 there is another puzzle
      {Records(3), Records(3), nullptr, kept},
      {noted, noted + "a note after the last record\n", nullptr, notedKept + "a note after the last record\n"},
      {offBoard, offBoard, nullptr, Records(1)}, {noGrid, noGrid, nullptr, Records(1)},
      {Records(3), "", "does not exist", ""},
  };
  for (const auto& [then, now, reason, after] : cases) {
    test::TempDir dir;
    const std::string path = dir.File("p.kvl");
    test::WriteFile(path, then);
    GameState g;
    ASSERT_TRUE(ShowPuzzle(g, path, 2).found);
    const ShownRecord shown{g.ShownMarkedCell, g.ShownCells};
    if (now.empty()) fs::remove(path);
    if (!now.empty()) test::WriteFile(path, now);
    const WriteResult w = DeleteRecord(g.Files, path, 2, &shown);
    EXPECT_EQ(w.ok, reason == nullptr) << w.reason;
    EXPECT_NE(reason ? w.reason.find(reason) : 0, std::string::npos) << w.reason;
    // Every other byte stays and no temporary file is left.
    using Files = std::map<std::string, std::string>;
    EXPECT_EQ(test::Snapshot(dir.Path()), (after.empty() ? Files{} : Files{{"p.kvl", after}}));
    EXPECT_FALSE(DeleteRecord(g.Files, path, 5).ok);
  }
}

}  // namespace
}  // namespace kelvane
