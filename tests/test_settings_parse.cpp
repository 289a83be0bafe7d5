// The settings file's text: what counts, what is refused with which line
// number, and what a rewrite keeps.
#include <gtest/gtest.h>

#include <string>

#include "platform/settingsparse.h"

namespace {

settingsdoc parse(const std::string& s) { return settings_parse((const u8*)s.data(), s.size()); }

std::string found(const settingsdoc& d, const char* key) {
    const char* v = settings_find(d, key);
    return v ? v : "(none)";
}

std::string refusedlines(const settingsdoc& d) {
    std::string out;
    for (const settingrefusal& r : d.refused) out += std::to_string(r.line) + " ";
    return out;
}

}  // namespace

TEST(SettingsParse, CommentsBlanksSpacingAndLineEndsAreNotSettings) {
    settingsdoc d = parse("# fullscreen = 1\n\n   \t\n  # indented comment\n\tscale\t=  3  \r\nmute=1\nvolume = 7");
    EXPECT_EQ(refusedlines(d), "");
    EXPECT_EQ(found(d, "fullscreen"), "(none)") << "a commented-out line counted";
    EXPECT_EQ(found(d, "scale"), "3");
    EXPECT_EQ(found(d, "mute"), "1");
    EXPECT_EQ(found(d, "volume"), "7") << "the last line has no line end";
    EXPECT_EQ(d.lines.size(), 7u);
}

TEST(SettingsParse, BadValuesAreRefusedWithTheirLineAndTheRestStillCounts) {
    settingsdoc d = parse(
        "scale = 0\n"            // 1
        "scale = 9\n"            // 2
        "volume = 101\n"         // 3
        "volume = -1\n"          // 4
        "pixel-format = 556\n"   // 5
        "fullscreen = 2\n"       // 6
        "mute = yes\n"           // 7
        "grab =\n"               // 8
        "key-fire = NOPE\n"      // 9
        "just words\n"           // 10
        "= 1\n"                  // 11
        "Scale = 2\n"            // 12
        "scale = 8\n"            // 13
        "volume = 100\n"         // 14
        "pixel-format = 555\n"   // 15
        "key-fire = f5\n"        // 16
        "key-map = NUMPAD3\n"    // 17
        "grab = 0\n");           // 18
    EXPECT_EQ(refusedlines(d), "1 2 3 4 5 6 7 8 9 10 11 12 ");
    EXPECT_EQ(found(d, "scale"), "8");
    EXPECT_EQ(found(d, "volume"), "100");
    EXPECT_EQ(found(d, "pixel-format"), "555");
    EXPECT_EQ(found(d, "key-fire"), "f5");
    EXPECT_EQ(found(d, "key-map"), "NUMPAD3");
    EXPECT_EQ(found(d, "grab"), "0");
    EXPECT_EQ(found(d, "fullscreen"), "(none)");
    EXPECT_EQ(found(d, "mute"), "(none)");
    ASSERT_GE(d.refused.size(), 2u);
    EXPECT_NE(d.refused[1].reason.find("\"9\""), std::string::npos) << d.refused[1].reason;
}

TEST(SettingsParse, UnknownKeysAreKeptWhateverTheyHold) {
    settingsdoc d = parse("window-title = my game = best\nkey-dance = SPACE\n");
    EXPECT_EQ(refusedlines(d), "");
    EXPECT_EQ(found(d, "window-title"), "my game = best");
}

TEST(SettingsParse, AnOverlongLineIsRefusedAloneAtItsLimit) {
    std::string atlimit = "note = " + std::string(SETTINGS_MAXLINE - 7, 'a');
    std::string over = "note = " + std::string(SETTINGS_MAXLINE - 6, 'b');
    ASSERT_EQ(atlimit.size(), SETTINGS_MAXLINE);
    settingsdoc d = parse("volume = 5\n" + atlimit + "\n" + over + "\nscale = 2\n");
    EXPECT_EQ(refusedlines(d), "3 ");
    EXPECT_EQ(found(d, "note"), std::string(SETTINGS_MAXLINE - 7, 'a'));
    EXPECT_EQ(found(d, "scale"), "2");
}

TEST(SettingsParse, BinaryBytesRefuseTheLineAndZeroBytesTheWholeFile) {
    settingsdoc d = parse("volume = 5\nscale = \x01\x02\nmute = 1\x7f\ngrab = 0\n");
    EXPECT_EQ(refusedlines(d), "2 3 ");
    EXPECT_EQ(found(d, "grab"), "0");
    EXPECT_TRUE(d.unusable.empty());

    std::string zero("volume = 5\n\0\0\0\n", 15);
    settingsdoc z = parse(zero);
    EXPECT_FALSE(z.unusable.empty());
    EXPECT_EQ(found(z, "volume"), "(none)") << "a file with zero bytes is not ours to read";
}

// The last usable line wins, as a player appending a line expects; a later
// line that cannot be used does not undo an earlier good one.
TEST(SettingsParse, ADuplicateKeyTakesItsLastUsableLine) {
    settingsdoc d = parse("scale = 2\nscale = 4\nvolume = 30\nvolume = loud\n");
    EXPECT_EQ(found(d, "scale"), "4");
    EXPECT_EQ(found(d, "volume"), "30");
}

TEST(SettingsParse, ARewriteChangesOneLineAndKeepsEveryOtherByte) {
    std::string text = "# mine\r\nscale = 2\r\n\r\nfuture-thing = 7\r\nscale=3  \r\n  # end\r\n";
    settingsdoc d = parse(text);
    settings_put(&d, "scale", "5");
    EXPECT_EQ(settings_text(d), "# mine\r\nscale = 2\r\n\r\nfuture-thing = 7\r\nscale = 5\r\n  # end\r\n");
    EXPECT_EQ(found(d, "scale"), "5");

    settings_put(&d, "volume", "60");
    EXPECT_EQ(settings_text(d).substr(settings_text(d).size() - 12), "volume = 60\n") << "a new key goes last";
}

TEST(SettingsParse, ANewValueTakesThePlaceOfTheKeysRefusedLine) {
    settingsdoc d = parse("# top\nvolume = very\nmute = 0\n");
    settings_put(&d, "volume", "25");
    EXPECT_EQ(settings_text(d), "# top\nvolume = 25\nmute = 0\n");
    EXPECT_EQ(found(d, "volume"), "25");
}

// The file's first line is a line like any other: a usable one is
// rewritten where it is, even with a refused line of the key after it.
TEST(SettingsParse, TheFirstLineIsRewrittenInItsPlace) {
    settingsdoc d = parse("volume = 30\nvolume = very\nmute = 0\n");
    settings_put(&d, "volume", "25");
    EXPECT_EQ(settings_text(d), "volume = 25\nvolume = very\nmute = 0\n");
    settingsdoc first = parse("scale = 2\nmute = 0\n");
    settings_put(&first, "scale", "3");
    EXPECT_EQ(settings_text(first), "scale = 3\nmute = 0\n");
}

// Each number at both ends of its range, and the lengths a number may have:
// up to four digits, leading zeros and all.
TEST(SettingsParse, NumbersAtTheEndsOfTheirRangesAndTheirLength) {
    struct range {
        const char* key;
        const char *lo, *hi, *below, *above;
    } ranges[] = {
        {"scale", "1", "8", "0", "9"},
        {"volume", "0", "100", nullptr, "101"},
        {"frame-delay", "0", "31", nullptr, "32"},
    };
    for (const range& r : ranges) {
        EXPECT_EQ(settings_check(r.key, r.lo), "") << r.key << " " << r.lo;
        EXPECT_EQ(settings_check(r.key, r.hi), "") << r.key << " " << r.hi;
        if (r.below) {
            EXPECT_NE(settings_check(r.key, r.below), "") << r.key << " " << r.below;
        }
        EXPECT_NE(settings_check(r.key, r.above), "") << r.key << " " << r.above;
    }
    EXPECT_EQ(settings_check("volume", "0100"), "");
    EXPECT_NE(settings_check("volume", "00100"), "");
    EXPECT_EQ(settings_check("scale", "0008"), "");
    EXPECT_NE(settings_check("scale", "00008"), "");
    EXPECT_NE(settings_check("scale", ""), "");
}

// The bytes at the edges of what a line and a key may hold: the last
// control byte and DEL refuse the line, '~' does not; a key is lower-case
// letters, digits and "-_.", and the byte just below '0' is none of them.
TEST(SettingsParse, TheEdgesOfTextAndOfKeyNames) {
    auto refused = [](const std::string& text) {
        settingsdoc d = settings_parse((const u8*)text.data(), text.size());
        return d.refused.size();
    };
    EXPECT_EQ(refused("name = a~b\n"), 0u);
    EXPECT_EQ(refused("name = a\x1f" "b\n"), 1u);
    EXPECT_EQ(refused("name = a\x7f" "b\n"), 1u);
    EXPECT_EQ(refused("name = a\tb\n"), 0u);
    EXPECT_EQ(refused("x09az-_. = 1\n"), 0u);
    EXPECT_EQ(refused("x/ = 1\n"), 1u);
    EXPECT_EQ(refused("x: = 1\n"), 1u);
    EXPECT_EQ(refused("x` = 1\n"), 1u);
    EXPECT_EQ(refused("x{ = 1\n"), 1u);
}

// A file of a single zero byte is no settings file either.
TEST(SettingsParse, ASingleZeroByteIsNoSettingsFile) {
    const u8 zero = 0;
    EXPECT_NE(settings_parse(&zero, 1).unusable, "");
    EXPECT_EQ(settings_parse(&zero, 0).unusable, "");
}
