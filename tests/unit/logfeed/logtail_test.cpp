#include "logfeed/logtail.h"

#include <gtest/gtest.h>

using namespace corvane;

using Lines = std::vector<std::string>;

TEST(LogTail, BodyStartsMidLineUnlessItBeginsTheLog) {
    const std::string fromStart = "bytes 0-4999/5000";
    const std::string fromMiddle = "bytes 5000-14999/15000";
    EXPECT_FALSE(bodyStartsMidLine(&fromStart, 5000, 0));
    EXPECT_TRUE(bodyStartsMidLine(&fromMiddle, 10000, 0));
    // Without a range the size tells: less than the tail asked for is the whole log.
    EXPECT_FALSE(bodyStartsMidLine(nullptr, kLogTailBytes - 1, 0));
    EXPECT_TRUE(bodyStartsMidLine(nullptr, kLogTailBytes, 0));
    EXPECT_TRUE(bodyStartsMidLine(nullptr, 40000, 0, 40000)); // a catch-up's longer tail
    EXPECT_FALSE(bodyStartsMidLine(nullptr, 39999, 0, 40000));
    // A body whose front was dropped never starts with a whole line.
    EXPECT_TRUE(bodyStartsMidLine(&fromStart, 100, 1));
}

TEST(LogTail, CompleteLinesLeaveOutFragmentsAndBlankLines) {
    const std::string body =
        "ment of a line\r\n  1:00 J;1;2;Al\r\n\r\n   \n  1:01 Q;1;2;Al\r\n  1:0";
    EXPECT_EQ(completeLines(body, true), (Lines{"  1:00 J;1;2;Al", "  1:01 Q;1;2;Al"}));
    EXPECT_EQ(completeLines(body, false),
              (Lines{"ment of a line", "  1:00 J;1;2;Al", "  1:01 Q;1;2;Al"}));
    EXPECT_EQ(completeLines("no line end yet", false), Lines{});
    EXPECT_EQ(completeLines("only a fragment\n", true), Lines{});
    EXPECT_EQ(completeLines("", false), Lines{});
}

TEST(LogTail, NewLinesFollowTheFirstLineEqualToTheAnchor) {
    const Lines lines{"  1:00 a", "  1:01 b", "  1:02 c", "  1:01 b", "  1:03 d"};
    // Stored anchors are trimmed; the log's lines keep their leading blanks.
    NewLogLines fresh = takeNewLines(lines, "1:01 b");
    EXPECT_EQ(fresh.lines, (Lines{"  1:02 c", "  1:01 b", "  1:03 d"}));
    EXPECT_EQ(fresh.anchor, "  1:03 d");

    fresh = takeNewLines(lines, "  1:03 d");
    EXPECT_TRUE(fresh.lines.empty());
    EXPECT_TRUE(fresh.anchorFound);
    // A reply without lines keeps the anchor.
    EXPECT_EQ(takeNewLines({}, "1:03 d").anchor, "1:03 d");

    // Not found (dropped out of the tail) or no anchor yet: everything is new.
    EXPECT_EQ(takeNewLines(lines, "0:59 gone").lines, lines);
    EXPECT_EQ(takeNewLines(lines, "").lines, lines);
    // Part of a line is not the line.
    EXPECT_EQ(takeNewLines(lines, "1:0").lines, lines);
    EXPECT_FALSE(takeNewLines(lines, "1:0").anchorFound);
}

TEST(LogTail, QuotedStampIsShortAndPlainAndMinutesAreRead) {
    EXPECT_EQ(quotedStamp("  12:34 say;1;2;Al;hi"), "12:34");
    EXPECT_EQ(quotedStamp("12:34"), "12:34");
    EXPECT_EQ(quotedStamp(std::string("1\x1b[2J") + "\r\n:00 x"), "1?[2J??:00");
    EXPECT_EQ(quotedStamp(std::string(40, '7')), std::string(12, '7'));
    EXPECT_EQ(quotedStamp("   "), "?");
    EXPECT_EQ(stampMinutes("45:03 say;1;2;Al;hi"), 45);
    EXPECT_EQ(stampMinutes("2:10 J;1;2;Al"), 2);
    EXPECT_EQ(stampMinutes("12345 say;1;2;Al;hi: there"), std::nullopt);
    EXPECT_EQ(stampMinutes("no stamp here"), std::nullopt);
}
