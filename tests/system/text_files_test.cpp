#include "system/text_files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstddef>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace pos_video {
namespace {

class TextFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/text-files-test.XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { std::system(("rm -rf '" + folder_ + "'").c_str()); }

  std::string Listing() const {
    std::system(("ls -A '" + folder_ + "' > '" + folder_ + ".ls'").c_str());
    const std::string listing = ReadTextFile(folder_ + ".ls", 1 << 16).text;
    std::remove((folder_ + ".ls").c_str());
    return listing;
  }

  std::string folder_;
};

// What a child process's system refuses, as a read-only folder or an immutable file would, but
// also to root, which passes through both: the tests run as root in CI; or fails, as a disk may.
enum Refusals : unsigned { kNoRefusals, kNewFiles = 1, kReplacing = 2, kSyncing = 4, kClosing = 8 };

// From here on, creating a file exclusively fails with EACCES, a rename with EPERM, a sync or a
// close with EIO; for this process and its children, for good.
bool RefuseCalls(unsigned refusals) {
  std::vector<sock_filter> program{BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr))};
  // Returns `error` for the system call `call`, or, given a flag, for the calls with it set.
  const auto refuse = [&program](long call, int error, int flagArgument = -1, unsigned flag = 0) {
    const bool byFlag = flagArgument >= 0;
    program.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<unsigned>(call), 0,
                               static_cast<unsigned char>(byFlag ? 4 : 1)));
    if (byFlag) {
      const std::size_t lowHalf = __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__ ? 4 : 0;
      const std::size_t offset = offsetof(seccomp_data, args) + 8 * flagArgument + lowHalf;
      program.push_back(BPF_STMT(BPF_LD | BPF_W | BPF_ABS, static_cast<unsigned>(offset)));
      program.push_back(BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, flag, 0, 1));
    }
    program.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | static_cast<unsigned>(error)));
    if (byFlag) program.push_back(BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)));
  };
  if ((refusals & kNewFiles) != 0) {
    refuse(SYS_openat, EACCES, 2, O_EXCL);  // How the C library opens every file.
  }
  if ((refusals & kReplacing) != 0) {
#ifdef SYS_rename
    refuse(SYS_rename, EPERM);
#endif
    refuse(SYS_renameat, EPERM);
    refuse(SYS_renameat2, EPERM);
  }
  if ((refusals & kSyncing) != 0) refuse(SYS_fsync, EIO);
  if ((refusals & kClosing) != 0) refuse(SYS_close, EIO);
  program.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
  const sock_fprog filter{static_cast<unsigned short>(program.size()), program.data()};
  return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
         prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &filter) == 0;
}

// SaveTextFile in a process of its own, which refuses what it is told and may write at most
// `sizeLimit` bytes to a file, ignoring SIGXFSZ as the launcher does.
struct ChildSave {
  pid_t pid = -1;
  int result = -1;  // A pipe: '1' or '0' for saved, then the failure.
};

ChildSave StartSave(const std::string& path, const std::string& text, unsigned refusals,
                    rlim_t sizeLimit = RLIM_INFINITY) {
  int result[2];
  if (pipe(result) != 0) return {};
  const pid_t pid = fork();
  if (pid == 0) {
    close(result[0]);
    alarm(10);  // A save that blocks ends here, and the test sees it.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = sizeLimit;
    std::string outcome = "0the calls could not be refused or limited here";
    if (setrlimit(RLIMIT_FSIZE, &limit) == 0 && RefuseCalls(refusals)) {
      const Outcome save = SaveTextFile(path, text);
      outcome = (save.done ? "1" : "0") + save.failure;
    }
    (void)!write(result[1], outcome.data(), outcome.size());
    _exit(0);
  }
  close(result[1]);
  return {pid, result[0]};
}

Outcome FinishSave(const ChildSave& child) {
  int status = 0;
  const bool ended = child.pid > 0 && waitpid(child.pid, &status, 0) == child.pid;
  char outcome[256] = {};  // Written at once, and shorter than a pipe holds: read at once.
  const bool told = child.result >= 0 && read(child.result, outcome, sizeof outcome - 1) > 0;
  close(child.result);
  if (!ended || !told) return {false, "the saving process ended, status " + std::to_string(status)};
  return {outcome[0] == '1', outcome + 1};
}

std::string Contents(const std::string& path) { return ReadTextFile(path, 1 << 24).text; }

// The save's branches on real files, as the system fails them. What stood at the document's name
// stays as it was wherever the save fails, a link is never followed, and no temporary file stays.
TEST_F(TextFilesTest, EveryBranchOfTheSaveLeavesOneWholeDocument) {
  struct Case {
    const char* what;
    const char* occupant;  // Shell commands, run in the folder, that put it at the document's name.
    bool held;             // Open in another process, which locks it.
    unsigned refusals;
    rlim_t sizeLimit;
    bool saved;
    const char* failure;
  };
  const char* const document = "cp old KvCmdLine.xml";
  const char* const link = "ln -s old KvCmdLine.xml";
  const char* const fifo = "mkfifo KvCmdLine.xml";
  const char* const locked = "The file is locked by another process";
  const rlim_t unlimited = RLIM_INFINITY;
  const Case cases[] = {
      {"normal", document, false, kNoRefusals, unlimited, true, ""},
      {"write fails after the temporary file exists", document, false, kNoRefusals, 100, false,
       "File too large"},
      {"sync fails", document, false, kSyncing, unlimited, false, "Input/output error"},
      {"close fails", document, false, kClosing, unlimited, false, "Input/output error"},
      {"replace refused: written in place", document, false, kReplacing, unlimited, true, ""},
      {"locked by another process: replaced all the same", document, true, kNoRefusals, unlimited,
       true, ""},
      {"new files refused: written in place", document, false, kNewFiles, unlimited, true, ""},
      {"in place past the size limit: not emptied", document, false, kNewFiles, 100, false,
       "File too large"},
      {"in place at the size limit", document, false, kNewFiles, 1000, true, ""},
      {"in place, locked by another process", document, true, kNewFiles, unlimited, false, locked},
      {"a link is replaced, not followed", link, false, kNoRefusals, unlimited, true, ""},
      {"in place, a link", link, false, kNewFiles, unlimited, false, "not a regular file"},
      {"in place, a FIFO nobody reads", fifo, false, kNewFiles, unlimited, false,
       "not a regular file"},
      {"in place, a FIFO that is read", fifo, true, kNewFiles, unlimited, false,
       "not a regular file"},
      {"a folder", "mkdir KvCmdLine.xml", false, kNoRefusals, unlimited, false,
       "not a regular file"},
  };
  const std::string path = folder_ + "/KvCmdLine.xml";
  const std::string text(1000, 'x');  // As long as the size limits above allow, or longer.
  for (const Case& c : cases) {
    std::system(("cd '" + folder_ + "' && rm -rf * && printf old > old && " + c.occupant).c_str());
    const std::string before = Contents(path);
    const int holder = c.held ? open(path.c_str(), O_RDWR | O_NONBLOCK) : -1;
    struct flock whole {};
    whole.l_type = F_WRLCK;
    if (holder >= 0) fcntl(holder, F_SETLK, &whole);
    const auto started = std::chrono::steady_clock::now();
    const Outcome save = FinishSave(StartSave(path, text, c.refusals, c.sizeLimit));
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    if (holder >= 0) close(holder);

    EXPECT_EQ(save.done, c.saved) << c.what;
    EXPECT_EQ(save.failure, c.failure) << c.what;
    EXPECT_EQ(Contents(path), c.saved ? text : before) << c.what;
    EXPECT_EQ(Contents(folder_ + "/old"), "old") << c.what << ": a link was followed";
    EXPECT_EQ(Listing().find(".tmp-"), std::string::npos) << c.what << ": " << Listing();
    // The lock is waited for about 2 s; nothing else is waited for.
    const bool waits = std::string(c.failure) == locked;
    EXPECT_LT(took.count(), waits ? 3.5 : 1.5) << c.what;
    EXPECT_GT(took.count(), waits ? 1.9 : 0.0) << c.what;
  }
  // A folder that is not there leaves nothing to fall back on.
  EXPECT_EQ(SaveTextFile(folder_ + "/none/KvCmdLine.xml", "x").failure,
            "No such file or directory");
}

// Only a regular file is read, and at most a byte past the limit; a pipe nobody writes to is
// refused at once rather than waited on.
TEST_F(TextFilesTest, OnlyARegularFileIsReadAndNoFurtherThanTheLimit) {
  std::ofstream(folder_ + "/text") << "new\ntext\n";
  EXPECT_EQ(ReadTextFile(folder_ + "/text", 100).text, "new\ntext\n");
  EXPECT_EQ(ReadTextFile(folder_ + "/text", 3).text, "new\n");  // A byte past the limit: over.
  EXPECT_EQ(ReadTextFile(folder_ + "/missing.xml", 100).failure, "No such file or directory");
  ASSERT_EQ(mkfifo((folder_ + "/fifo").c_str(), 0600), 0);
  for (const std::string& other : {folder_, folder_ + "/fifo", std::string("/dev/zero")}) {
    EXPECT_FALSE(ReadTextFile(other, 100).done) << other;
  }
}

}  // namespace
}  // namespace pos_video
