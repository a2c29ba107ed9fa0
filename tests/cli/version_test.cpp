// --version of the three programs: the project's one version, on standard output, with no
// display needed (not even by the Qt program).
#include <gtest/gtest.h>

#include <string>

#include "support/run_program.h"

namespace {

TEST(Version, EveryProgramPrintsTheProjectsVersionWithoutADisplay) {
    struct Program {
        std::string path, name;
    };
    std::vector<Program> programs = {{VAREL_CLI, "varel-cli"}, {VAREL_SIM, "varel-sim"}};
#ifdef VAREL_GUI
    programs.push_back({VAREL_GUI, "varel"});
#endif
    const std::vector<std::string> noDisplay = {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM="};
    for (const Program& program : programs) {
        SCOPED_TRACE(program.name);
        const auto result = varel::test::RunProgram(program.path, {"--version"}, 20000, noDisplay);
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.out, program.name + " (Wavesmith) " VAREL_VERSION "\n");
        EXPECT_EQ(result.err, "");
    }
}

#ifdef VAREL_GUI
TEST(Version, TheQtProgramAnswersHelpWithoutADisplayAndRefusesAWrongLine) {
    const auto help = varel::test::RunProgram(VAREL_GUI, {"-h"}, 20000,
                                              {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM="});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("usage: varel ", 0), 0u) << help.out;
    const auto wrong = varel::test::RunProgram(VAREL_GUI, {"a.dat", "b.dat"}, 20000,
                                               {"QT_QPA_PLATFORM=offscreen"});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_NE(wrong.err.find("varel: only one data file can be opened\nusage: varel "),
              std::string::npos)
        << wrong.err;
}
#endif

}  // namespace
