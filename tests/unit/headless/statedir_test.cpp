// The folder the program keeps its state in, and its first use.

#include "core/statedir.h"
#include "core/textfile.h"
#include "tempappdir.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;
namespace fs = std::filesystem;

TEST(StateDir, NamedFolderOwnFolderOrTheUsersDataFolder) {
    TempAppDir ready; // a ready-to-run folder: Data/ beside the program
    const fs::path installed = "/usr/share/corvane-mod/Data";
    const fs::path bin = ready.path() / "no-data-here";

    StateDirPlan plan = planStateDir({}, ready.path(), installed, "/xdg", "/home/op");
    EXPECT_EQ(plan.folder, ready.path());
    EXPECT_TRUE(plan.defaults.empty()); // nothing to prepare: it is as it always was

    EXPECT_EQ(planStateDir("/srv/cm", bin, installed, nullptr, nullptr).defaults, installed);
    plan = planStateDir({}, bin, installed, "/xdg", "/home/op");
    EXPECT_EQ(plan.folder, "/xdg/corvane-mod");
    EXPECT_EQ(plan.defaults, installed);
    EXPECT_EQ(planStateDir({}, bin, installed, "", "/home/op").folder,
              "/home/op/.local/share/corvane-mod");
    EXPECT_EQ(planStateDir({}, bin, installed, "relative", nullptr).folder, bin);
}

TEST(StateDir, FirstUseCopiesTheDefaultsAndNeverReplacesAFile) {
    TempAppDir defaults;
    const fs::path folder = defaults.path() / "state" / "cm";
    const StateDirPlan plan{folder, defaults.path() / "Data"};
    ASSERT_EQ(prepareStateDir(plan), "");
    EXPECT_TRUE(fs::is_directory(folder / "Logs"));
    EXPECT_EQ(*readFile(folder / "Data/MOD.txt"), defaults.read("Data/MOD.txt"));
    EXPECT_TRUE(fs::exists(folder / "Data/playerdb.mdb"));

    // Later starts keep what the operator has; a file gone missing comes back.
    atomicReplace(folder / "Data/Config.txt", "Alpha\r\n");
    fs::remove(folder / "Data/LF.txt");
    ASSERT_EQ(prepareStateDir(plan), "");
    EXPECT_EQ(*readFile(folder / "Data/Config.txt"), "Alpha\r\n");
    EXPECT_TRUE(fs::exists(folder / "Data/LF.txt"));

    const StateDirPlan noDefaults{folder, defaults.path() / "missing"};
    EXPECT_NE(prepareStateDir(noDefaults).find("cannot read the default files"), std::string::npos);
}
