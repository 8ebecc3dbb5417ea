// The command line, read before any window exists: help, version, Qt's own
// options passed on, and refusals of anything else.
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include "app/options.h"

namespace tav::app {
namespace {

using Action = CommandLine::Action;

CommandLine parse(QStringList args) {
    args.prepend("/usr/bin/tav");
    return parse_command_line(args, "1.2.3");
}

TEST(CommandLine, NoOptionsOrQtsOwnOptionsStartTheGame) {
    EXPECT_EQ(parse({}).action, Action::run);
    EXPECT_EQ(parse({"-platform", "offscreen"}).action, Action::run);
    EXPECT_EQ(parse({"--platform=xcb", "-display", ":3", "-style", "Fusion"}).action, Action::run);
    EXPECT_TRUE(parse({}).text.isEmpty());
}

TEST(CommandLine, HelpNamesTheProgramAndEveryOption) {
    for (const char* flag : {"--help", "-h"}) {
        const CommandLine c = parse({flag});
        EXPECT_EQ(c.action, Action::help) << flag;
        EXPECT_TRUE(c.text.startsWith("Usage: tav [options]\n")) << c.text.toStdString();
        EXPECT_TRUE(c.text.endsWith("\n"));  // the shell prompt starts on a line of its own
        for (const char* option :
             {"-h, --help", "-v, --version", "--platform <name>", "--display <display>", "--style <style>"})
            EXPECT_TRUE(c.text.contains(option)) << option;
        EXPECT_FALSE(c.text.contains("help-all"));  // Qt's extra help needs an application object
    }
}

TEST(CommandLine, VersionIsOneLineWithTheProjectsVersion) {
    EXPECT_EQ(parse({"--version"}).text, "tav 1.2.3\n");
    EXPECT_EQ(parse({"-v"}).action, Action::version);
    // Help asked for together with the version wins, as it says more.
    EXPECT_EQ(parse({"--version", "--help"}).action, Action::help);
}

TEST(CommandLine, AnythingElseIsRefusedWithTheReasonAndTheUsage) {
    struct Case {
        QStringList args;
        const char* reason;
    };
    const Case cases[] = {
        {{"--bogus"}, "Unknown option 'bogus'."},
        {{"-x"}, "Unknown option 'x'."},
        {{"-hv"}, "Unknown option 'hv'."},
        {{"--platform"}, "Missing value after '--platform'."},
        {{"deal.txt"}, "unexpected argument 'deal.txt'."},
        {{"--help", "--bogus"}, "Unknown option 'bogus'."},  // a refusal beats help
    };
    for (const Case& c : cases) {
        const CommandLine got = parse(c.args);
        EXPECT_EQ(got.action, Action::refuse) << c.reason;
        EXPECT_TRUE(got.text.startsWith(QString("tav: ") + c.reason + "\n")) << got.text.toStdString();
        EXPECT_TRUE(got.text.contains("Usage: tav [options]")) << c.reason;
    }
}

TEST(CommandLine, ArgumentsAreTakenAsTheyCome) {
    char name[] = "tav";
    char bad[] = "--bogus";
    char han[] = "牌局";
    char* argv[] = {name, bad, han, nullptr};
    EXPECT_EQ(arguments_of(3, argv), (QStringList{"tav", "--bogus", "牌局"}));
}

}  // namespace
}  // namespace tav::app
