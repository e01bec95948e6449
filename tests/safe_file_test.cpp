#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "TestSupport.h"
#include "errors/AppError.h"
#include "patternfile/SafeFile.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

// Files the writer left behind: its temporaries and kept copies are hidden and say so.
std::vector<std::string> Leftovers(const std::string& folder) {
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().find(".tessaly-") != std::string::npos)
            found.push_back(entry.path().filename().string());
    return found;
}

unsigned ModeOf(const std::string& path) {
    struct stat status {};
    ::stat(path.c_str(), &status);
    return status.st_mode & 07777;
}

class SafeFileTest : public ::testing::Test {
  protected:
    std::string Folder() const { return dir.File(""); }
    test::TempDir dir;
};

TEST_F(SafeFileTest, a_replaced_file_keeps_its_permissions_and_nothing_is_left_beside_it) {
    const std::string path = dir.Write("band.kst", "old");
    ::chmod(path.c_str(), 0640);
    WriteFileAtomically(path, "new");
    EXPECT_EQ(test::ReadAll(path), "new");
    EXPECT_EQ(ModeOf(path), 0640u);
    EXPECT_TRUE(Leftovers(Folder()).empty());
}

TEST_F(SafeFileTest, a_new_file_gets_the_usual_permissions) {
    const mode_t mask = ::umask(022);
    WriteFileAtomically(dir.File("new.svg"), "x");
    ::umask(mask);
    EXPECT_EQ(ModeOf(dir.File("new.svg")), 0644u);
}

TEST_F(SafeFileTest, a_symbolic_link_is_followed_and_stays_a_link) {
    const std::string target = dir.Write("target.svg", "old");
    fs::create_symlink("target.svg", dir.File("link.svg"));
    WriteFileAtomically(dir.File("link.svg"), "new");
    EXPECT_TRUE(fs::is_symlink(dir.File("link.svg")));
    EXPECT_EQ(test::ReadAll(target), "new");
    // a link to a file not made yet makes that file
    fs::create_symlink("later.svg", dir.File("dangling.svg"));
    WriteFileAtomically(dir.File("dangling.svg"), "made");
    EXPECT_EQ(test::ReadAll(dir.File("later.svg")), "made");
    EXPECT_TRUE(fs::is_symlink(dir.File("dangling.svg")));
}

TEST_F(SafeFileTest, a_fifo_is_written_in_place_and_never_replaced) {
    const std::string fifo = dir.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // nobody reading: refused, and the FIFO stays
    EXPECT_THROW(WriteFileAtomically(fifo, "lost"), AppError);
    EXPECT_TRUE(fs::is_fifo(fifo));

    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    WriteFileAtomically(fifo, "through");
    char buffer[16] = {};
    EXPECT_EQ(::read(reader, buffer, sizeof buffer), 7);
    EXPECT_EQ(std::string(buffer), "through");
    ::close(reader);
    EXPECT_TRUE(fs::is_fifo(fifo));
    WriteFileAtomically("/dev/null", "nothing");
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST_F(SafeFileTest, folders_and_missing_folders_are_refused_before_anything_is_written) {
    EXPECT_THROW(FileTransaction::CheckWritable(dir.File("no-such-folder/x.png")), AppError);
    EXPECT_THROW(FileTransaction::CheckWritable(Folder()), AppError);
    EXPECT_THROW(FileTransaction::CheckWritable(dir.File("x.svg") + "/"), AppError);
    EXPECT_THROW(FileTransaction::CheckWritable(""), AppError);
    FileTransaction::CheckWritable(dir.File("x.svg"));
    EXPECT_FALSE(fs::exists(dir.File("x.svg")));
}

TEST_F(SafeFileTest, a_transaction_writes_every_file_or_none) {
    const std::string first = dir.Write("first.svg", "old first");
    const std::string second = dir.File("second.csv");
    FileTransaction files;
    files.Add(first, "new first");
    files.Add(second, "new second");
    // the second name becomes a folder after it was checked: its replacement fails
    fs::create_directories(second + "/inside");
    EXPECT_THROW(files.Commit(), AppError);
    EXPECT_EQ(test::ReadAll(first), "old first");
    EXPECT_TRUE(Leftovers(Folder()).empty());

    FileTransaction again;
    again.Add(first, "new first");
    again.Add(dir.File("third.csv"), "third");
    again.Commit();
    EXPECT_EQ(test::ReadAll(first), "new first");
    EXPECT_EQ(test::ReadAll(dir.File("third.csv")), "third");
    EXPECT_TRUE(Leftovers(Folder()).empty());
}

TEST_F(SafeFileTest, the_same_file_is_recognised_under_any_name) {
    const std::string file = dir.Write("pattern.kst", "p");
    fs::create_hard_link(file, dir.File("second-name.kst"));
    fs::create_symlink(file, dir.File("link.kst"));
    const std::string dotted = dir.File("./pattern.kst");
    EXPECT_TRUE(FileTransaction::SameFile(file, dir.File("second-name.kst")));
    EXPECT_TRUE(FileTransaction::SameFile(file, dir.File("link.kst")));
    EXPECT_TRUE(FileTransaction::SameFile(file, dotted));
    EXPECT_TRUE(FileTransaction::SameFile(dir.File("new.svg"), dir.File("sub/../new.svg")));
    EXPECT_FALSE(FileTransaction::SameFile(file, dir.File("new.svg")));
    EXPECT_FALSE(FileTransaction::SameFile(dir.File("a.svg"), dir.File("b.svg")));
}

TEST_F(SafeFileTest, a_write_stopped_by_a_signal_leaves_no_temporary) {
    const std::string target = dir.File("big.svg");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        InstallTemporaryCleanup();
        // big enough that the signal arrives while it is being written
        WriteFileAtomically(target, std::string(std::size_t{1} << 27, 'x'));
        ::_exit(0);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (Leftovers(Folder()).empty() && !fs::exists(target) &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    ::kill(child, SIGTERM);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status)) GTEST_SKIP() << "the write ended before the signal came";
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
    EXPECT_TRUE(Leftovers(Folder()).empty());
    EXPECT_FALSE(fs::exists(target));
}

}  // namespace
}  // namespace tessaly
