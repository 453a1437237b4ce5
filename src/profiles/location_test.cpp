#include "profiles/location.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace kestrovan {
namespace {

TEST(ResolveProfileName, ExtensionFolderAndGlobal) {
  struct Row {
    std::string argument;
    bool item_mode;
    char separator;
    std::string folder, name;
    bool listing;
  };
  const Row rows[] = {
      {"PRD", false, '\\', "", "PRD.P00", false},
      {"PRD.P01", false, '\\', "", "PRD.P01", false},
      {"PR", false, '\\', "", "PR.P00", false},
      {"", false, '\\', "", ".P00", false},
      {"PRD.X", false, '\\', "", "PRD.X.P00", false},
      {"PRD.XY", false, '\\', "", "PRD.XY.P00", false},
      {"D:\\Profiles\\PRD.P01", false, '\\', "D:\\Profiles\\", "PRD.P01", false},
      {"\\PRD", false, '\\', "", "\\PRD.P00", false},
      {"global", false, '\\', "", "SAP Tallisan.Gbl", true},
      {"GLOBAL.P00", false, '\\', "", "SAP Tallisan.Gbl", true},
      {"D:\\Any\\Global", false, '\\', "D:\\Any\\", "SAP Tallisan.Gbl", true},
      {"GLOBAL.P01", false, '\\', "", "GLOBAL.P01", false},
      {"PRD", true, '\\', "", "Tallisan.Prf", false},
      {"/etc/kestrovan/PRD", false, '/', "/etc/kestrovan/", "PRD.P00", false},
      {"a\\b/PRD", false, '/', "a\\b/", "PRD.P00", false},
  };
  for (const Row& row : rows) {
    ResolvedName resolved = resolve_profile_name(row.argument, row.item_mode, row.separator);
    EXPECT_EQ(resolved.folder, row.folder) << row.argument;
    EXPECT_EQ(resolved.name, row.name) << row.argument;
    EXPECT_EQ(resolved.global_listing, row.listing) << row.argument;
  }
}

// A file system of a few paths, seen the Windows way.
struct FakeFiles {
  std::set<std::string> files;
  std::optional<std::vector<std::string>> path_file;
  std::vector<std::string> probed;

  FileProbe probe() {
    FileProbe probe;
    probe.can_open = [this](const std::string& path) {
      probed.push_back(path);
      return files.count(path) > 0;
    };
    probe.read_lines = [this](const std::string& path, std::size_t) {
      EXPECT_EQ(path, "C:\\PRTG_Path.Txt");
      return path_file;
    };
    return probe;
  }
};

struct SearchResult {
  std::optional<std::string> error;
  ProfileLocation location;
};

SearchResult search(FakeFiles& files, const std::string& argument,
                    HostKind host = HostKind::kExexml, const std::string& options = "") {
  SearchResult result;
  result.error = locate_profile(argument, parse_run_options(options), false, host, files.probe(),
                                result.location, '\\');
  return result;
}

const std::string kBelowPrtg = "PRTG Network Monitor\\Custom Sensors\\ExeXml\\";

TEST(PrtgSearch, PathFileLastFolderLineCounts) {
  FakeFiles files;
  files.path_file = std::vector<std::string>{"C:\\Old", "remark", "D:\\Tools\\"};
  files.files = {"D:\\Tools\\" + kBelowPrtg + "PRD.P00"};
  SearchResult result = search(files, "X:\\Ignored\\PRD");
  EXPECT_FALSE(result.error);
  EXPECT_EQ(result.location.profile_directory, "D:\\Tools\\" + kBelowPrtg);
  EXPECT_EQ(result.location.profile_name, "PRD.P00");
}

TEST(PrtgSearch, PathFileFolderLineKinds) {
  // A folder line starts with a backslash, has a colon second, or a backslash third.
  for (std::string line : {"\\Tools", "E:Tools", "..\\Tools"}) {
    FakeFiles files;
    files.path_file = std::vector<std::string>{line};
    files.files = {line + "\\Custom Sensors\\ExeXml\\PRD.P00"};
    SearchResult result = search(files, "PRD");
    EXPECT_FALSE(result.error) << line;
    EXPECT_EQ(result.location.profile_directory, line + "\\Custom Sensors\\ExeXml\\");
  }
}

TEST(PrtgSearch, PathFileFolderThatIsTheExeXmlFolder) {
  FakeFiles files;
  files.path_file = std::vector<std::string>{"D:\\Sensors\\exexml"};
  files.files = {"D:\\Sensors\\exexml\\PRD.P00"};
  SearchResult result = search(files, "PRD");
  EXPECT_FALSE(result.error);
  EXPECT_EQ(result.location.profile_directory, "D:\\Sensors\\exexml\\");
}

TEST(PrtgSearch, PathFileWithoutFolderLineMeansTheRoot) {
  FakeFiles files;
  files.path_file = std::vector<std::string>{"nothing here"};
  files.files = {"\\" + kBelowPrtg + "PRD.P00"};
  SearchResult result = search(files, "PRD");
  EXPECT_FALSE(result.error);
  EXPECT_EQ(result.location.profile_directory, "\\" + kBelowPrtg);
}

TEST(PrtgSearch, Failures) {
  struct Row {
    std::optional<std::vector<std::string>> path_file;
    std::set<std::string> files;
    std::string error;
  };
  const Row rows[] = {
      {std::vector<std::string>{"D:\\Tools\\"}, {}, "Error 1002: Profile PRD.P00 is missing..."},
      {std::vector<std::string>{"D:\\Tools\\"},
       {"D:\\Tools\\PRD.P00"},
       "Sorry, invalid Path-Usage..."},
      {std::nullopt, {}, "Error 1002: Profile PRD.P00 is missing..."},
      {std::nullopt, {"PRD.P00"}, "Sorry, invalid Path-Usage..."},
  };
  for (const Row& row : rows) {
    FakeFiles files;
    files.path_file = row.path_file;
    files.files = row.files;
    EXPECT_EQ(search(files, "PRD").error.value_or("none"), row.error);
  }
}

TEST(PrtgSearch, FixedFoldersInOrderWithoutPathFile) {
  std::vector<std::string> fixed = prtg_fixed_folders('\\');
  ASSERT_EQ(fixed.size(), 3u);
  EXPECT_EQ(fixed[2], "\\Program Files (x86)\\" + kBelowPrtg);
  FakeFiles files;
  files.files = {fixed[2] + "PRD.P00"};
  SearchResult result = search(files, "PRD");
  EXPECT_FALSE(result.error);
  EXPECT_EQ(result.location.profile_directory, fixed[2]);
  EXPECT_EQ(files.probed, (std::vector<std::string>{"PRD.P00", fixed[0] + "PRD.P00",
                                                    fixed[1] + "PRD.P00", fixed[2] + "PRD.P00"}));
}

TEST(PrtgSearch, WorkingDirectoryThatIsTheInstalledExeXmlFolder) {
  // Started in its own folder without a path file: the profile opens in the
  // working directory and below Program Files (x86); the latter counts.
  std::vector<std::string> fixed = prtg_fixed_folders('\\');
  FakeFiles files;
  files.files = {"PRD.P00", fixed[2] + "PRD.P00"};
  SearchResult result = search(files, "PRD");
  EXPECT_FALSE(result.error);
  EXPECT_EQ(result.location.profile_directory, fixed[2]);
}

TEST(Lookup, OtherHostKindsAndAtSignOpenTheGivenPath) {
  struct Row {
    HostKind host;
    std::string options;
  };
  for (const Row& row : {Row{HostKind::kQuendar, ""}, Row{HostKind::kExexml, "x@y"}}) {
    FakeFiles files;
    files.path_file = std::vector<std::string>{"D:\\Tools\\"};
    files.files = {"D:\\Profiles\\PRD.P01"};
    SearchResult found = search(files, "D:\\Profiles\\PRD.P01", row.host, row.options);
    EXPECT_FALSE(found.error);
    EXPECT_EQ(found.location.path(), "D:\\Profiles\\PRD.P01");
    SearchResult missing = search(files, "D:\\Profiles\\QAS", row.host, row.options);
    EXPECT_EQ(missing.error.value_or(""),
              "Error 1002: Profile D:\\Profiles\\QAS.P00 is missing...");
  }
}

TEST(Lookup, RunKinds) {
  FakeFiles files;
  files.files = {"SAP Tallisan.Gbl", "Tallisan.Prf"};
  ProfileLocation location;
  EXPECT_FALSE(locate_profile("Global", parse_run_options(""), false, HostKind::kVornelk,
                              files.probe(), location, '\\'));
  EXPECT_EQ(location.run_kind, RunKind::kGlobalListingMode);
  EXPECT_FALSE(locate_profile("PRD", parse_run_options("ITEM=x"), true, HostKind::kVornelk,
                              files.probe(), location, '\\'));
  EXPECT_EQ(location.run_kind, RunKind::kGlobalItemMode);
  EXPECT_EQ(location.profile_name, "Tallisan.Prf");
}

}  // namespace
}  // namespace kestrovan
