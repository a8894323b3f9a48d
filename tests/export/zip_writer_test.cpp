#include "export/zip_writer.h"

#include "zip_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zandrel {
namespace {

std::string Noise(size_t size) {
    std::string out(size, '\0');
    uint32_t state = 12345;
    for (char& c : out) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 24);
    }
    return out;
}

TEST(ZipWriterTest, EntriesReadBackInOrder) {
    std::string allBytes;
    for (int i = 0; i < 256 * 4; ++i) {
        allBytes += static_cast<char>(i & 0xFF);
    }
    std::string markup;
    for (int i = 0; i < 20000; ++i) {
        markup += "<row r=\"" + std::to_string(i) + "\"><c t=\"s\"><v>1</v></c></row>";
    }
    // Noise does not shrink, so its deflated form outgrows the room first set aside for it.
    const std::string noise = Noise(300000);
    const std::vector<ZipEntry> entries = {
        {"[Content_Types].xml", "<Types/>"},  {"empty", ""},        {"bin/all-bytes", allBytes},
        {"xl/worksheets/sheet1.xml", markup}, {"noise.bin", noise}, {"nul\\name", std::string_view("\0x", 2)},
    };

    const std::string zip = WriteZip(entries);
    ZipReadResult read = ReadZip(zip);
    ASSERT_TRUE(read.ok) << read.error;
    ASSERT_EQ(read.entries.size(), entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(entries[i].name);
        EXPECT_EQ(read.entries[i].name, entries[i].name);
        EXPECT_EQ(read.entries[i].data, entries[i].data);
    }
    EXPECT_LT(zip.size(), markup.size() / 10 + noise.size() + 10000) << "markup should be deflated";
}

TEST(ZipWriterTest, StoresCrcAndTimestampFields) {
    const ZipEntry entry = {"check.txt", "123456789"};
    ZipReadResult fixed = ReadZip(WriteZip({&entry, 1}));
    ASSERT_TRUE(fixed.ok) << fixed.error;
    EXPECT_EQ(fixed.entries[0].crc, 0xCBF43926u);  // the CRC-32 check value
    EXPECT_EQ(fixed.entries[0].dosTime, 0);
    EXPECT_EQ(fixed.entries[0].dosDate, (1 << 5) | 1);  // 1980-01-01

    // 2024-05-17 13:45:31: seconds are kept in two-second steps.
    ZipReadResult given = ReadZip(WriteZip({&entry, 1}, {2024, 5, 17, 13, 45, 31}));
    ASSERT_TRUE(given.ok) << given.error;
    EXPECT_EQ(given.entries[0].dosTime, (13 << 11) | (45 << 5) | 15);
    EXPECT_EQ(given.entries[0].dosDate, (44 << 9) | (5 << 5) | 17);

    ZipReadResult last = ReadZip(WriteZip({&entry, 1}, {2107, 12, 31, 23, 59, 59}));
    ASSERT_TRUE(last.ok) << last.error;
    EXPECT_EQ(last.entries[0].dosDate, (127 << 9) | (12 << 5) | 31);
}

TEST(ZipWriterTest, SameEntriesGiveSameBytes) {
    const std::string data = Noise(5000) + std::string(5000, 'a');
    const ZipEntry entries[] = {{"a", data}, {"b", "text"}};
    const std::string first = WriteZip(entries);
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(WriteZip(entries), first);
}

TEST(ZipWriterTest, MarksUtf8NamesOnly) {
    const ZipEntry entries[] = {{"plain/name.xml", "x"}, {"\xE5\x85\xB3\xE9\x94\xAE.txt", "y"}};  // 关键.txt
    ZipReadResult read = ReadZip(WriteZip(entries));
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.entries[0].flags, 0);
    EXPECT_EQ(read.entries[1].flags, 0x0800);
}

TEST(ZipWriterTest, EmptyArchiveIsJustTheEndRecord) {
    const std::string zip = WriteZip({});
    EXPECT_EQ(zip.size(), 22u);
    ZipReadResult read = ReadZip(zip);
    EXPECT_TRUE(read.ok) << read.error;
    EXPECT_TRUE(read.entries.empty());
}

TEST(ZipWriterTest, RefusesWhatTheFormatCannotHold) {
    const ZipEntry good = {"good", "data"};
    const std::string longName(65536, 'n');
    struct Case {
        const char* what;
        std::vector<ZipEntry> entries;
        DosTimestamp time;
    };
    const Case cases[] = {
        {"empty name", {good, {"", "x"}}, {}},
        {"same name twice", {good, {"other", "x"}, {"good", "y"}}, {}},
        {"name over 65,535 bytes", {{longName, "x"}}, {}},
        {"year before 1980", {good}, {1979, 12, 31, 23, 59, 58}},
        {"year after 2107", {good}, {2108, 1, 1, 0, 0, 0}},
        {"month 0", {good}, {2020, 0, 1, 0, 0, 0}},
        {"month 13", {good}, {2020, 13, 1, 0, 0, 0}},
        {"day 0", {good}, {2020, 1, 0, 0, 0, 0}},
        {"day 32", {good}, {2020, 1, 32, 0, 0, 0}},
        {"hour 24", {good}, {2020, 1, 1, 24, 0, 0}},
        {"minute 60", {good}, {2020, 1, 1, 0, 60, 0}},
        {"second 60", {good}, {2020, 1, 1, 0, 0, 60}},
        {"negative second", {good}, {2020, 1, 1, 0, 0, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(WriteZip(c.entries, c.time), "");
    }
    EXPECT_FALSE(WriteZip({&good, 1}).empty());
}

TEST(ZipWriterTest, RefusesEntryCountThatNeedsZip64) {
    std::vector<std::string> names;
    for (int i = 0; i < 0xFFFF; ++i) {
        names.push_back(std::to_string(i));
    }
    std::vector<ZipEntry> entries;
    for (const std::string& name : names) {
        entries.push_back({name, ""});
    }
    EXPECT_EQ(WriteZip(entries), "");
}

}  // namespace
}  // namespace zandrel
