// The command line: which file the program opens and in which mode.
#include <gtest/gtest.h>

#include <QDir>

#include "core/startup.h"

namespace {

struct CommandLineCase {
  const char* name;
  QString commandLine;
  QString path;  // "<cwd>/" stands for the current folder
  short mode;
  QString folder;
};

QString Expand(QString text) {
  return text.replace(QStringLiteral("<cwd>/"), QDir::currentPath() + QLatin1Char('/'));
}

class CommandLineTest : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineTest, GivesPathModeAndFolder) {
  const CommandLineCase& c = GetParam();
  const core::CommandLineFile file = core::ReadCommandLine(c.commandLine);
  EXPECT_EQ(file.path, Expand(c.path));
  EXPECT_EQ(file.mode, c.mode);
  EXPECT_EQ(core::FolderOfPath(file.path), Expand(c.folder));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineTest,
    ::testing::Values(
        CommandLineCase{"QuotedFullPath", "\"/home/u/My Show/trip.kvz\"",
                        "/home/u/My Show/trip.kvz", 1, "/home/u/My Show/"},
        CommandLineCase{"LeadingBlanksBeforeQuote", "   \"/data/links.usl\"", "/data/links.usl", 2,
                        "/data/"},
        CommandLineCase{"BareNameMadeAbsolute", "links.usl", "<cwd>/links.usl", 2, "<cwd>/"},
        CommandLineCase{"MixedCaseTag", "/a/b.KvZ", "/a/b.KvZ", 1, "/a/"},
        CommandLineCase{"TrailingBlankGivesNoMode", "/a/b.kvz ", "/a/b.kvz ", 0, "/a/"},
        CommandLineCase{"Empty", "", "", 0, ""}, CommandLineCase{"OnlyBlanks", "   ", "", 0, ""},
        CommandLineCase{"ColonIsOrdinary", "/mnt/c:/show 1/x.kvz", "/mnt/c:/show 1/x.kvz", 1,
                        "/mnt/c:/show 1/"},
        CommandLineCase{"TextAfterClosingQuoteDropped", "\"/a/b.usl\" --extra", "/a/b.usl", 2,
                        "/a/"},
        CommandLineCase{"UnclosedQuote", "\"/a/b.kvz", "/a/b.kvz", 1, "/a/"},
        CommandLineCase{"OtherExtension", "/a/picture.jpg", "/a/picture.jpg", 0, "/a/"},
        CommandLineCase{"ShorterThanATag", "/z", "/z", 0, "/"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
