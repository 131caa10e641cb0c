#include "platform/ini_file.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>
#include <string>

#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

TEST(IniFileRead, DefaultAppliesOnlyToAnAbsentKey) {
    const IniFile ini = IniFile::FromText("[S]\nempty=\nblank=   \nk=v\n");
    EXPECT_EQ(ini.GetText("S", "empty", "def"), "");
    EXPECT_EQ(ini.GetText("S", "blank", "def"), "");
    EXPECT_EQ(ini.GetInt("S", "empty", 7), 0);
    EXPECT_TRUE(ini.HasKey("S", "empty"));

    EXPECT_EQ(ini.GetText("S", "missing", "def"), "def");
    EXPECT_EQ(ini.GetInt("S", "missing", 7), 7);
    EXPECT_EQ(ini.GetText("T", "k", "def"), "def");
    EXPECT_FALSE(ini.HasKey("T", "k"));
}

TEST(IniFileRead, TextIsCutTo99Characters) {
    const std::string longText(150, 'x');
    const IniFile ini = IniFile::FromText("[S]\nk=" + longText + "\nexact=" + std::string(99, 'y') + "\n");
    EXPECT_EQ(ini.GetText("S", "k", ""), std::string(99, 'x'));
    EXPECT_EQ(ini.GetText("S", "exact", ""), std::string(99, 'y'));
    EXPECT_EQ(ini.GetText("S", "missing", longText), std::string(99, 'x'));
}

TEST(IniFileRead, NamesMatchWithoutRegardToCase) {
    const IniFile ini = IniFile::FromText("[Print]\nPrintAuto=1\n  [ ctrParam ]  \n  dpiNumPerM = 6653 \n");
    EXPECT_EQ(ini.GetInt("PRINT", "PRINTAUTO", 0), 1);
    EXPECT_EQ(ini.GetInt("print", "printauto", 0), 1);
    EXPECT_EQ(ini.GetInt("CTRPARAM", "DPINumPerM", 0), 6653);
}

TEST(IniFileRead, FirstSectionAndFirstKeyWin) {
    const IniFile ini = IniFile::FromText("[A]\nk=1\nk=2\n[B]\nk=5\n[a]\nk=3\nj=4\n");
    EXPECT_EQ(ini.GetInt("A", "k", -1), 1);
    EXPECT_EQ(ini.GetInt("B", "k", -1), 5);
    EXPECT_EQ(ini.GetInt("A", "j", -1), -1);
}

TEST(IniFileRead, IntegersTakeSignAndDigits) {
    const IniFile ini = IniFile::FromText(
        "[S]\n"
        "plain=42\n"
        "trailing=-12abc\n"
        "word=abc\n"
        "huge=99999999999\n"
        "hugeNegative=-99999999999\n"
        "plus=+7\n"
        "spaced=  \t 15 \t\n"
        "quoted=\"16\"\n"
        "decimal=3.9\n");
    EXPECT_EQ(ini.GetInt("S", "plain", 0), 42);
    EXPECT_EQ(ini.GetInt("S", "trailing", 0), -12);
    EXPECT_EQ(ini.GetInt("S", "word", 5), 0);
    EXPECT_EQ(ini.GetInt("S", "huge", 0), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(ini.GetInt("S", "hugeNegative", 0), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(ini.GetInt("S", "plus", 0), 7);
    EXPECT_EQ(ini.GetInt("S", "spaced", 0), 15);
    EXPECT_EQ(ini.GetInt("S", "quoted", 0), 16);
    EXPECT_EQ(ini.GetInt("S", "decimal", 0), 3);
}

TEST(IniFileRead, ValuesAreTrimmedAndLoseOnePairOfQuotes) {
    const IniFile ini = IniFile::FromText(
        "[S]\n"
        "  spaced  =  a b  \n"
        "double=\"C:\\work \"\n"
        "single='x'\n"
        "twice=\"\"y\"\"\n"
        "mixed=\"z'\n"
        "lone=\"\n"
        "empty=\"\"\n"
        "equals=a=b\n");
    EXPECT_EQ(ini.GetText("S", "spaced", ""), "a b");
    EXPECT_EQ(ini.GetText("S", "double", ""), "C:\\work ");
    EXPECT_EQ(ini.GetText("S", "single", ""), "x");
    EXPECT_EQ(ini.GetText("S", "twice", ""), "\"y\"");
    EXPECT_EQ(ini.GetText("S", "mixed", ""), "\"z'");
    EXPECT_EQ(ini.GetText("S", "lone", ""), "\"");
    EXPECT_EQ(ini.GetText("S", "empty", "def"), "");
    EXPECT_EQ(ini.GetText("S", "equals", ""), "a=b");
}

TEST(IniFileRead, OnlyKeyLinesInsideASectionMatch) {
    const IniFile ini = IniFile::FromText(
        "before=1\n"
        "[S]\n"
        ";comment=2\n"
        "  #hash=3\n"
        "no equals sign\n"
        "[broken=4\n"
        "after=5\n");
    EXPECT_EQ(ini.GetInt("", "before", -1), -1);
    EXPECT_EQ(ini.GetInt("S", ";comment", -1), -1);
    EXPECT_EQ(ini.GetInt("S", "comment", -1), -1);
    EXPECT_EQ(ini.GetInt("S", "#hash", -1), -1);
    EXPECT_EQ(ini.GetInt("S", "[broken", -1), -1);
    EXPECT_EQ(ini.GetInt("broken=4", "after", -1), -1);
    EXPECT_EQ(ini.GetInt("S", "after", -1), 5);
}

TEST(IniFileRead, CrlfLinesReadWithoutTheCarriageReturn) {
    const IniFile ini = IniFile::FromText("[S]\r\nk=v\r\nn=12\r\n");
    EXPECT_EQ(ini.GetText("S", "k", ""), "v");
    EXPECT_EQ(ini.GetInt("S", "n", 0), 12);
}

const char kConfig[] =
    "; written by hand\n"
    "[PRINT]\n"
    "  PrintAuto = 0 \n"
    "Unknown=keep me\n"
    "; trailing comment\n"
    "\n"
    "[NET]\n"
    "IP_ADDR=192.168.1.20\n";

TEST(IniFileWrite, ExistingKeyChangesInPlaceAndNothingElse) {
    IniFile ini = IniFile::FromText(kConfig);
    ini.SetText("print", "PRINTAUTO", "1");
    EXPECT_EQ(ini.Text(),
              "; written by hand\n"
              "[PRINT]\n"
              "PrintAuto=1\n"
              "Unknown=keep me\n"
              "; trailing comment\n"
              "\n"
              "[NET]\n"
              "IP_ADDR=192.168.1.20\n");
    EXPECT_EQ(ini.GetInt("PRINT", "PrintAuto", 0), 1);
}

TEST(IniFileWrite, NewKeyGoesAfterTheLastKeyOfItsSection) {
    IniFile ini = IniFile::FromText(kConfig);
    ini.SetText("PRINT", "MAXWIDTH", "180.0");
    ini.SetText("PRINT", "USBTIMEOUT", "25");
    EXPECT_EQ(ini.Text(),
              "; written by hand\n"
              "[PRINT]\n"
              "  PrintAuto = 0 \n"
              "Unknown=keep me\n"
              "MAXWIDTH=180.0\n"
              "USBTIMEOUT=25\n"
              "; trailing comment\n"
              "\n"
              "[NET]\n"
              "IP_ADDR=192.168.1.20\n");
}

TEST(IniFileWrite, NewKeyOfAnEmptySectionFollowsItsHeader) {
    IniFile ini = IniFile::FromText("[PATH]\n\n[NET]\nIP_ADDR=x\n");
    ini.SetText("path", "WORKPATH", "C:\\");
    EXPECT_EQ(ini.Text(), "[PATH]\nWORKPATH=C:\\\n\n[NET]\nIP_ADDR=x\n");
}

TEST(IniFileWrite, NewSectionGoesToTheEnd) {
    IniFile ini = IniFile::FromText("[PRINT]\nA=1");
    ini.SetText("NET", "IP_ADDR", "10.0.0.2");
    EXPECT_EQ(ini.Text(), "[PRINT]\nA=1\n[NET]\nIP_ADDR=10.0.0.2\n");

    IniFile empty = IniFile::FromText("");
    empty.SetText("S", "k", "v");
    empty.SetText("S", "j", "w");
    EXPECT_EQ(empty.Text(), "[S]\nk=v\nj=w\n");
}

TEST(IniFileWrite, KeyOnTheLastLineWithoutNewline) {
    IniFile ini = IniFile::FromText("[S]\nk=1");
    ini.SetText("S", "k", "2");
    EXPECT_EQ(ini.Text(), "[S]\nk=2");
    ini.SetText("S", "j", "3");
    EXPECT_EQ(ini.Text(), "[S]\nk=2\nj=3\n");
}

TEST(IniFileWrite, CrlfFileStaysCrlf) {
    const std::string original = "[S]\r\nk=1\r\n\r\n[T]\r\nx=9\r\n";
    IniFile ini = IniFile::FromText(original);
    EXPECT_EQ(ini.Text(), original);
    ini.SetText("S", "k", "2");
    ini.SetText("S", "j", "3");
    ini.SetText("U", "u", "4");
    EXPECT_EQ(ini.Text(), "[S]\r\nk=2\r\nj=3\r\n\r\n[T]\r\nx=9\r\n[U]\r\nu=4\r\n");
    EXPECT_EQ(IniFile::FromText(ini.Text()).GetText("S", "j", ""), "3");
}

// A folder of its own, removed afterwards.
class IniFileDisk : public testing::Test {
protected:
    std::string PathOf(const std::string& name) const { return dir_.File(name); }

    static std::string ReadBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    static void WriteBytes(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    size_t EntryCount() const {
        return static_cast<size_t>(
            std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()));
    }

    TempDir dir_;
};

TEST_F(IniFileDisk, MissingFileLoadsEmpty) {
    const IniFile ini = IniFile::Load(PathOf("config.ini"));
    EXPECT_EQ(ini.Text(), "");
    EXPECT_EQ(ini.GetInt("PRINT", "PRINTAUTO", 3), 3);
}

TEST_F(IniFileDisk, SaveAndLoadKeepEveryByte) {
    const std::string path = PathOf("config.ini");
    const std::string original = "[S]\r\nk=\x01\x80\xff\r\nno newline\0end"s;
    WriteBytes(path, original);
    IniFile ini = IniFile::Load(path);
    EXPECT_EQ(ini.Text(), original);

    ini.SetText("S", "k", "2");
    ASSERT_TRUE(ini.Save(path));
    EXPECT_EQ(ReadBytes(path), ini.Text());
    EXPECT_EQ(IniFile::Load(path).GetInt("S", "k", 0), 2);
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(IniFileDisk, SaveKeepsPermissionsOfTheReplacedFile) {
    const std::string existing = PathOf("existing.ini");
    WriteBytes(existing, "[S]\n");
    ASSERT_EQ(chmod(existing.c_str(), 0600), 0);
    ASSERT_TRUE(IniFile::FromText("[S]\nk=1\n").Save(existing));
    struct stat status {};
    ASSERT_EQ(stat(existing.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);

    const std::string created = PathOf("created.ini");
    ASSERT_TRUE(IniFile::FromText("[S]\n").Save(created));
    ASSERT_EQ(stat(created.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0644u);
}

TEST_F(IniFileDisk, SaveInterruptedBeforeRenameLeavesTheOldFileWhole) {
    const std::string path = PathOf("config.ini");
    const std::string oldText = "[PRINT]\nPRINTAUTO=0\n";
    WriteBytes(path, oldText);

    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        WriteFileAtomically(path, "[PRINT]\nPRINTAUTO=1\n", [] { _exit(0); });
        _exit(1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0) << "the child did not reach the rename";
    EXPECT_EQ(ReadBytes(path), oldText);

    ASSERT_TRUE(WriteFileAtomically(path, "[PRINT]\nPRINTAUTO=1\n"));
    EXPECT_EQ(ReadBytes(path), "[PRINT]\nPRINTAUTO=1\n");
}

TEST_F(IniFileDisk, FailedSaveReportsFalseAndLeavesNoTemporaryFile) {
    EXPECT_FALSE(IniFile::FromText("[S]\n").Save(PathOf("missing-folder/config.ini")));

    const std::string folder = PathOf("folder.ini");
    ASSERT_TRUE(fs::create_directory(folder));
    EXPECT_FALSE(IniFile::FromText("[S]\n").Save(folder));
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(EntryCount(), 1u);
}

// Random INI-like text: every byte value, broken headers, lines without '=',
// huge numbers, all line endings and now and then a line of megabytes.
class IniTextGenerator {
public:
    explicit IniTextGenerator(uint32_t seed) : random_(seed) {}

    std::string Text(bool withLongLine) {
        std::string text;
        const int lines = Below(20);
        const int longLineAt = withLongLine ? Below(lines + 1) : -1;
        for (int i = 0; i <= lines; ++i) {
            text += i == longLineAt ? LongLine() : Line();
            text += Ending();
        }
        return text;
    }

    std::string Name() {
        static const char* const kNames[] = {"PRINT", "print", "CTRPARAM", "NET", "A", "k", "UCSPEED", "IP_ADDR"};
        return kNames[Below(std::size(kNames))];
    }

    // Text that a caller may store and read back unchanged.
    std::string Value() {
        static const char kChars[] = "0123456789abcXYZ-+.:\\_ ";
        std::string value(static_cast<size_t>(Below(IniFile::kMaxTextLength + 1)), 'v');
        for (char& c : value) {
            c = kChars[Below(sizeof kChars - 1)];
        }
        if (!value.empty()) {
            value.front() = 'v';
            value.back() = 'v';
        }
        return value;
    }

    int Below(size_t bound) { return static_cast<int>(random_() % bound); }

private:
    std::string Bytes(size_t maxLength) {
        std::string bytes(static_cast<size_t>(Below(maxLength + 1)), '\0');
        for (char& c : bytes) {
            c = static_cast<char>(random_());
        }
        return bytes;
    }

    std::string Number() {
        std::string number = Below(2) ? "-" : "";
        number += std::string(static_cast<size_t>(Below(40) + 1), static_cast<char>('0' + Below(10)));
        return number + (Below(2) ? "" : Bytes(3));
    }

    std::string Line() {
        switch (Below(9)) {
            case 0: return Bytes(40);
            case 1: return "[" + Name();
            case 2: return " [ " + Name() + " ] ";
            case 3: return Name() + "=" + Number();
            case 4: return Name() + " = " + Bytes(20);
            case 5: return Name() + "=\"" + Bytes(5) + (Below(2) ? "\"" : "'");
            case 6: return Bytes(5) + Name() + Bytes(5);
            case 7: return ";" + Name() + "=1";
            default: return "";
        }
    }

    std::string LongLine() {
        const size_t length = static_cast<size_t>(Below(2'000'000) + 1'000'000);
        switch (Below(3)) {
            case 0: return Name() + "=" + std::string(length, '9');
            case 1: return "[" + std::string(length, 'x');
            default: return std::string(length, static_cast<char>(random_()));
        }
    }

    std::string Ending() {
        static const char* const kEndings[] = {"\n", "\r\n", "\r", ""};
        return kEndings[Below(std::size(kEndings))];
    }

    std::mt19937 random_;
};

TEST(IniFileFuzz, RandomTextParsesQueriesAndRewrites) {
    IniTextGenerator generate(12345);
    for (int round = 0; round < 3000; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const std::string text = generate.Text(round % 500 == 0);
        IniFile ini = IniFile::FromText(text);
        ASSERT_TRUE(ini.Text() == text);

        for (int query = 0; query < 4; ++query) {
            const std::string section = generate.Name();
            const std::string key = generate.Name();
            ini.GetInt(section, key, 0);
            ASSERT_LE(ini.GetText(section, key, "").size(), IniFile::kMaxTextLength);
        }

        const std::string section = generate.Name();
        const std::string key = generate.Name();
        const std::string value = generate.Value();
        ini.SetText(section, key, value);
        ASSERT_EQ(ini.GetText(section, key, "absent"), value);
        const IniFile reread = IniFile::FromText(ini.Text());
        ASSERT_EQ(reread.GetText(section, key, "absent"), value);
        ASSERT_TRUE(reread.Text() == ini.Text());
    }
}

}  // namespace
}  // namespace platform
