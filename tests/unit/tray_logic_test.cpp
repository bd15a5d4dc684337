// The tray's report counts and its Status table.
#include <gtest/gtest.h>

#include "app/tray_logic.h"
#include "tests/unit/test_helpers.h"

namespace {

TEST(TrayLogicTest, TallyPutsEveryRecordInExactlyOneGroup)
{
    ResetWorld();
    //       word  right wrong check checkOnly
    AddWord("well", "", "", "", 3, 1, 0, 0);
    AddWord("well2", "", "", "", 1, 0, 9, 1);  // CheckOnly plays no part
    AddWord("tie", "", "", "", 2, 2, 0, 0);
    AddWord("bad", "", "", "", 0, 1, 5, 0);
    AddWord("never", "", "", "", 0, 0, 0, 1);
    AddWord("never2");
    AddWord("checked", "", "", "", 0, 0, 4, 0);
    AddWord("wrapped", "", "", "", 65535, 1, 0, 0);  // sum 65536 is still "answered"
    BookTally t = TallyWordBook();
    EXPECT_EQ(t.total, 8);
    EXPECT_EQ(t.wellAnswered, 3);
    EXPECT_EQ(t.badlyAnswered, 2);
    EXPECT_EQ(t.neverAsked, 2);
    EXPECT_EQ(t.checkedOnly, 1);
    ResetWorld();
    BookTally empty = TallyWordBook();
    EXPECT_EQ(empty.total + empty.wellAnswered + empty.neverAsked, 0);
}

TEST(TrayLogicTest, StatusTableAndCommands)
{
    struct Row {
        int status, icon;
        bool pause, showOnly, timer;
        int afterPause, afterShowOnly;
    };
    const Row rows[] = {
        {0, 0, false, false, true, 1, 2},
        {1, 1, true, false, false, 0, 3},
        {2, 2, false, true, true, 3, 0},
        {3, 3, true, true, false, 2, 1},
    };
    for (const Row& r : rows) {
        TrayState s = TrayStateFor(r.status);
        EXPECT_EQ(s.icon, r.icon) << r.status;
        EXPECT_EQ(s.pauseChecked, r.pause) << r.status;
        EXPECT_EQ(s.showOnlyChecked, r.showOnly) << r.status;
        EXPECT_EQ(s.timerRunning, r.timer) << r.status;
        EXPECT_EQ(TogglePause(r.status), r.afterPause) << r.status;
        EXPECT_EQ(ToggleShowOnly(r.status), r.afterShowOnly) << r.status;
    }
    TrayState odd = TrayStateFor(6);
    EXPECT_FALSE(odd.timerRunning || odd.pauseChecked || odd.showOnlyChecked);
    EXPECT_GE(odd.icon, 0);
    EXPECT_LE(odd.icon, 3);
}

} // namespace
