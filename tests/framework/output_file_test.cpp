#include "framework/output_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

// Open, write, Commit: false with failure set when a step failed.
bool WriteWhole(const std::string& path, const std::string& bytes,
                const std::vector<std::string>& inputs, std::string& failure) {
    OutputFile file;
    if (file.Open(path, inputs)) {
        file.Stream() << bytes;
        if (file.Commit())
            return true;
    }
    failure = file.Failure();
    return false;
}

class OutputFileTest : public testing::Test {
protected:
    ScratchFolder folder_{"output_file"};
};

TEST_F(OutputFileTest, TheDestinationChangesOnlyOnCommitAndKeepsItsPermissions) {
    const std::string path = folder_.Write("out.gff", "precious\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    OutputFile file;
    ASSERT_TRUE(file.Open(path, {}));
    EXPECT_NE(file.WritePath(), path);
    file.Stream() << "new contents\n";
    file.Stream().flush();
    EXPECT_EQ(ScratchFolder::Read(path), "precious\n");
    ASSERT_TRUE(file.Commit()) << file.Failure();
    EXPECT_EQ(ScratchFolder::Read(path), "new contents\n");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"out.gff"});
}

TEST_F(OutputFileTest, DiscardingOrDroppingAnOutputLeavesNothingBehind) {
    const std::string path = folder_.Write("out.gff", "precious\n");
    {
        OutputFile file;
        ASSERT_TRUE(file.Open(path, {}));
        file.Stream() << std::string(3 << 20, 'x');  // more than the buffer: bytes reach the disk
        file.Discard();
        EXPECT_FALSE(file.Commit());
    }
    {
        OutputFile file;
        ASSERT_TRUE(file.Open(folder_.PathOf("new.gff"), {}));
        file.Stream() << "never committed\n";
    }
    EXPECT_EQ(ScratchFolder::Read(path), "precious\n");
    EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"out.gff"});
}

TEST_F(OutputFileTest, AnInputIsRefusedUnderAnyOfItsNamesAndOtherLinksAreFollowed) {
    const std::string input = folder_.Write("input.gff", "input\n");
    fs::create_symlink("input.gff", folder_.PathOf("link.gff"));
    fs::create_hard_link(input, folder_.PathOf("hard.gff"));
    for (const std::string name : {"input.gff", "link.gff", "hard.gff"}) {
        OutputFile file;
        EXPECT_FALSE(file.Open(folder_.PathOf(name), {input})) << name;
        EXPECT_EQ(file.Failure(),
                  "Cannot Write to " + folder_.PathOf(name) + ": it is one of the imported files.");
        // The input named through a link is the same file too.
        EXPECT_FALSE(file.Open(input, {folder_.PathOf(name)})) << name;
    }
    EXPECT_EQ(ScratchFolder::Read(input), "input\n");

    // A link to a file that is no input: the file is replaced and the link stays a link.
    const std::string other = folder_.Write("other.gff", "other\n");
    fs::create_symlink("other.gff", folder_.PathOf("to-other.gff"));
    std::string failure;
    ASSERT_TRUE(WriteWhole(folder_.PathOf("to-other.gff"), "replaced\n", {input}, failure))
        << failure;
    EXPECT_TRUE(fs::is_symlink(folder_.PathOf("to-other.gff")));
    EXPECT_EQ(ScratchFolder::Read(other), "replaced\n");
}

TEST_F(OutputFileTest, AFolderIsRefusedAndADeviceIsWrittenInPlace) {
    std::string failure;
    EXPECT_FALSE(WriteWhole(folder_.Path(), "bytes\n", {}, failure));
    EXPECT_EQ(failure, "Cannot Write to " + folder_.Path() + " (is a folder)");
    OutputFile device;
    ASSERT_TRUE(device.Open("/dev/null", {}));
    EXPECT_TRUE(device.IsInPlace());
    EXPECT_TRUE(device.Commit()) << device.Failure();
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

}  // namespace
