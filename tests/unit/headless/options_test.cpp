// The headless program's command line, and where it keeps its state.

#include "headless/options.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace corvane;

TEST(HeadlessOptions, UnderstoodLines) {
    const ParsedOptions run = parseHeadlessOptions({"--quiet", "--dir", "/srv/cm"});
    EXPECT_EQ(std::tie(run.error, run.options.quiet, run.options.dir),
              std::tuple("", true, "/srv/cm"));

    const ParsedOptions setup =
        parseHeadlessOptions({"--setup", "--name=Alpha Beta", "--ip", "10.0.0.1", "--port=3074",
                              "--password", "s=cret", "--log-url", "http://h/x", "--dir=/d"});
    const SetupValues& v = setup.options.values;
    EXPECT_EQ(std::tie(setup.error, setup.options.setup, v.name, v.ip, v.port, v.password, v.logUrl,
                       setup.options.dir),
              std::tuple("", true, "Alpha Beta", "10.0.0.1", "3074", "s=cret", "http://h/x", "/d"));

    EXPECT_TRUE(parseHeadlessOptions({"-h"}).options.help);
}

TEST(HeadlessOptions, WrongLinesGiveOneLineErrors) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--verbose"}, "unknown option '--verbose' (see --help)"},
        {{"setup"}, "unknown option 'setup' (see --help)"},
        {{"--quiet=yes"}, "unknown option '--quiet=yes' (see --help)"},
        {{"--dir"}, "option '--dir' needs a value (see --help)"},
        {{"--dir="}, "option '--dir' needs a folder (see --help)"},
        {{"--setup", "--port"}, "option '--port' needs a value (see --help)"},
        {{"--name", "Alpha"},
         "--name, --ip, --port, --password and --log-url go with --setup (see --help)"},
    };
    for (const auto& [args, error] : cases) {
        const std::string text = parseHeadlessOptions(args).error;
        EXPECT_EQ(text, error) << args.front();
        EXPECT_EQ(text.find('\n'), std::string::npos);
    }
}
