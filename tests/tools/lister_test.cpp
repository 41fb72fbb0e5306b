// Runs the hueforge-list executable as a script would.
#include "modelgen.h"
#include "testfiles.h"

#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace hueforge {
namespace {

struct RunResult {
    int exitCode = -1;
    std::string out;
};

RunResult RunLister(const std::string &arguments)
{
    const std::string command = std::string(HUEFORGE_LIST_PATH) + " " + arguments + " 2>/dev/null";
    RunResult result;
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe)
        return result;
    std::array<char, 4096> buffer;
    std::size_t got;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.out.append(buffer.data(), got);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string Quoted(const std::filesystem::path &path)
{
    return "'" + path.string() + "'";
}

TEST(Lister, ListsTheSampleModel)
{
    const auto diffuse = RunLister(Quoted(HUEFORGE_SAMPLE_PATH));
    EXPECT_EQ(diffuse.exitCode, 0);
    EXPECT_EQ(diffuse.out.substr(0, diffuse.out.find('\n', 20) + 1),
              "12 Materials found\nLOD 01 01 000001C4  FF 7F 00 FF\n");

    const auto power = RunLister("--show 2 --filter 2 " + Quoted(HUEFORGE_SAMPLE_PATH));
    EXPECT_EQ(power.exitCode, 0);
    EXPECT_NE(power.out.find("\nOBJ 03 12 00002BD4 32.0000\n"), std::string::npos);

    const auto textures = RunLister("--textures " + Quoted(HUEFORGE_SAMPLE_PATH));
    EXPECT_EQ(textures.exitCode, 0);
    EXPECT_EQ(textures.out, "glider_t.dds\nglider_t_bump.dds\nglider_t_spec.dds\ncanopy_t.dds\n"
                            "panel_t.dds\n");
}

TEST(Lister, ExitStatusTellsWhatHappened)
{
    testing::TempDir dir;
    testing::ByteBuilder tooMany;
    tooMany.Chunk("MATE", 120 * 1025).Fill(120 * 1025);
    testing::WriteFileBytes(dir.file("many.mdl"), tooMany.bytes());
    testing::WriteFileBytes(dir.file("empty.mdl"), {});

    struct Case {
        std::string arguments;
        int exitCode;
        std::string out;
    };
    const Case cases[] = {
        {Quoted(dir.file("missing.mdl")), 1, ""},
        {Quoted(dir.file("many.mdl")), 2, ""},
        {Quoted(dir.file("empty.mdl")), 0, "No materials found. This may be an old format MDL\n"},
        {"", 64, ""},
        {"--show 3 " + Quoted(dir.file("empty.mdl")), 64, ""},
        {"--filter 0 " + Quoted(dir.file("empty.mdl")), 64, ""},
        {"--show " + Quoted(dir.file("empty.mdl")), 64, ""},
        {"--colour " + Quoted(dir.file("empty.mdl")), 64, ""},
        {Quoted(dir.file("empty.mdl")) + " " + Quoted(dir.file("empty.mdl")), 64, ""},
    };
    for (const auto &c : cases) {
        const auto result = RunLister(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments;
        EXPECT_EQ(result.out, c.out) << c.arguments;
    }
}

TEST(SampleModel, MatchesItsGenerator)
{
    const auto generated = sample::GenerateModel(sample::SampleModelLayout()).bytes;
    EXPECT_TRUE(testing::ReadFileBytes(HUEFORGE_SAMPLE_PATH) == generated)
        << "samples/sample.mdl is out of date: run hueforge-mdlgen samples/sample.mdl";
}

} // namespace
} // namespace hueforge
