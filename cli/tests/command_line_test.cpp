#include "cli/command_line.h"

#include <gtest/gtest.h>

#include "cli/cli_reports.h"

namespace zol {
namespace {

CommandWords Read(std::vector<std::string> args, CliSettings& s) {
    return ReadCommandLine(args, s);
}

TEST(ReadCommandLine, SwitchesSetTheSettingsWhateverTheirCase) {
    CliSettings s;
    auto cmd = Read({"/zolserver:10.0.0.5", "/PORT:8080", "/Pswd:se:cret", "/result:/tmp/r.txt",
                     "ZOLApp", "TimeStamp"},
                    s);
    EXPECT_EQ(s.serverIpAddress, "10.0.0.5");
    EXPECT_EQ(s.serverPort, 8080);
    EXPECT_EQ(s.serverPassword, "se:cret") << "split at the first colon only";
    EXPECT_EQ(s.resultFilePath, "/tmp/r.txt");
    ASSERT_EQ(cmd.count, 2u);
    EXPECT_EQ(cmd.words[0], "ZOLApp");
    EXPECT_EQ(cmd.words[1], "TimeStamp");
}

TEST(ReadCommandLine, PortNeedsDigitsOnly) {
    CliSettings s;
    Read({"/Port:80x"}, s);
    EXPECT_EQ(s.serverPort, 2000);
    Read({"/Port:"}, s);
    EXPECT_EQ(s.serverPort, 2000);
    Read({"/Port"}, s);
    EXPECT_EQ(s.serverPort, 2000);
    Read({"/Port:-1"}, s);
    EXPECT_EQ(s.serverPort, 2000);
    Read({"/Port:0002001"}, s);
    EXPECT_EQ(s.serverPort, 2001);
}

TEST(ReadCommandLine, EmptyValuesClearAndResultWithoutColonIsEmpty) {
    CliSettings s;
    s.serverPassword = "old";
    s.resultFilePath = "/tmp/x";
    Read({"/PSWD:", "/Result"}, s);
    EXPECT_EQ(s.serverPassword, "");
    EXPECT_EQ(s.resultFilePath, "");
}

TEST(ReadCommandLine, CommandWordsKeepTheTextBeforeAColonAndStopAtEight) {
    CliSettings s;
    auto cmd = Read({"ZOLObject:Kitchen", "/Unknown:x", "/", "Device.On", "a", "b", "c", "d", "e",
                     "f", "ninth"},
                    s);
    ASSERT_EQ(cmd.count, 8u);
    EXPECT_EQ(cmd.words[0], "ZOLObject");
    EXPECT_EQ(cmd.words[1], "Device.On");
    EXPECT_EQ(cmd.words[7], "f");
}

TEST(ReadCommandLine, OnlyTheFirst99WordsAreRead) {
    CliSettings s;
    std::vector<std::string> args(98, "/ignored");
    args.push_back("/Port:1234");  // the 99th word
    args.push_back("/Port:4321");  // the 100th: not read
    Read(args, s);
    EXPECT_EQ(s.serverPort, 1234);
}

TEST(CliReports, WordsReportsListAllEightWords) {
    CommandWords cmd;
    cmd.words[0] = "ZOLApp";
    cmd.words[1] = "Bad";
    cmd.count = 2;
    EXPECT_EQ(ServerErrorReport(1, cmd),
              "Server error=1 [\"ZOLApp\", \"Bad\", \"\", \"\", \"\", \"\", \"\", \"\"]");
    EXPECT_EQ(CommandErrorReport(-3, cmd),
              "Command error=-3 [\"ZOLApp\", \"Bad\", \"\", \"\", \"\", \"\", \"\", \"\"]");
    EXPECT_EQ(UnresolvableAddressReport("nowhere"),
              "Server IP address can't be resolved: \"nowhere\"");
}

}  // namespace
}  // namespace zol
