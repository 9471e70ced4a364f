#include "calibration/linux_disk_activity_walk.h"

#include "../temp_folder.h"

#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <future>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct TempTree {
    TempFolder folder{"quorvel-walk"};
    const fs::path& root = folder.Root();
    void File(const std::string& strPath) const
    {
        fs::create_directories((root / strPath).parent_path());
        std::ofstream(root / strPath) << "first kilobyte";
    }
};

std::string PathOf(int nDirFd, const char* pszName)
{
    return (fs::read_symlink("/proc/self/fd/" + std::to_string(nDirFd)) / pszName).string();
}

// One pass with the real probe, keyed by the path below the root.
struct RecordedPass {
    std::map<std::string, ProbeResult> probes;
    int nYields = 0;
    int nChecks = 0;
};

RecordedPass WalkOnce(const TempTree& tree, const std::function<bool(const RecordedPass&)>& keepRunning = {})
{
    RecordedPass pass;
    DiskActivityWalk walk;
    walk.keepRunning = [&] {
        ++pass.nChecks;
        return !keepRunning || keepRunning(pass);
    };
    walk.probe = [&](int nDirFd, const char* pszName, unsigned long nRootDevice) {
        pass.probes[fs::path(PathOf(nDirFd, pszName)).lexically_relative(tree.root).string()] =
            ProbeFile(nDirFd, pszName, nRootDevice);
    };
    walk.yield = [&] { ++pass.nYields; };
    WalkDiskActivityPass(tree.root.string(), walk);
    return pass;
}

} // namespace

TEST(DiskActivityWalk, ProbesRegularFilesAtTheTopAndOneLevelDownOnly)
{
    TempTree tree;
    tree.File("top.txt");
    tree.File("etc/one.conf");
    tree.File("etc/deeper/two.conf");
    tree.File("only-dirs/a/b.txt");
    fs::create_directories(tree.root / "empty");
    fs::create_symlink(tree.root / "etc", tree.root / "link-to-dir");
    fs::create_symlink(tree.root / "top.txt", tree.root / "etc/link-to-file");

    const RecordedPass pass = WalkOnce(tree);
    EXPECT_EQ(pass.probes.at("top.txt"), ProbeResult::Read);
    EXPECT_EQ(pass.probes.at("etc/one.conf"), ProbeResult::Read);
    EXPECT_EQ(pass.probes.count("etc/deeper/two.conf"), 0u);
    EXPECT_EQ(pass.probes.count("only-dirs/a/b.txt"), 0u);
    // Links are met as entries but never followed nor read through.
    EXPECT_EQ(pass.probes.count("link-to-dir/one.conf"), 0u);
    EXPECT_EQ(pass.probes.at("link-to-dir"), ProbeResult::NotRegular);
    EXPECT_EQ(pass.probes.at("etc/link-to-file"), ProbeResult::NotRegular);
    // A yield after every file met, none for directories.
    EXPECT_EQ(pass.nYields, static_cast<int>(pass.probes.size()));
    EXPECT_EQ(pass.probes.size(), 4u);
}

TEST(DiskActivityWalk, FifoSocketAndUnreadableFileAreSkippedWithoutBlocking)
{
    TempTree tree;
    ASSERT_EQ(mkfifo((tree.root / "fifo").c_str(), 0600), 0);
    tree.File("locked.txt");
    fs::permissions(tree.root / "locked.txt", fs::perms::none);
    tree.File("readable.txt");

    const int nSocket = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string strSocket = (tree.root / "socket").string();
    ASSERT_LT(strSocket.size(), sizeof address.sun_path);
    std::copy(strSocket.begin(), strSocket.end(), address.sun_path);
    ASSERT_EQ(bind(nSocket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

    const RecordedPass pass = WalkOnce(tree);
    close(nSocket);
    EXPECT_EQ(pass.probes.at("fifo"), ProbeResult::NotRegular);
    EXPECT_EQ(pass.probes.at("socket"), ProbeResult::NotRegular);
    EXPECT_EQ(pass.probes.at("readable.txt"), ProbeResult::Read);
    // Root reads whatever the mode says; everyone else is refused.
    EXPECT_EQ(pass.probes.at("locked.txt"), geteuid() == 0 ? ProbeResult::Read : ProbeResult::OpenFailed);
}

TEST(DiskActivityWalk, StopInsideASubdirectoryEndsWithoutAnotherProbe)
{
    TempTree tree;
    for (int i = 0; i < 5; ++i)
        tree.File("dir/file" + std::to_string(i));

    int nChecksAfterStop = 0;
    const RecordedPass pass = WalkOnce(tree, [&nChecksAfterStop](const RecordedPass& sofar) {
        if (sofar.probes.size() < 2)
            return true;
        ++nChecksAfterStop;
        return false;
    });
    EXPECT_EQ(pass.probes.size(), 2u);
    // The subdirectory's check fails once, and so does the root's; nothing else runs.
    EXPECT_EQ(nChecksAfterStop, 2);
}

TEST(DiskActivityWalk, RunStopsAtTheCheckBeforeEveryPass)
{
    TempTree tree;
    tree.File("a.txt");
    int nProbes = 0;
    int nChecks = 0;
    std::string strEvents; // p a probe, y a yield
    DiskActivityWalk walk;
    // Stop at the first check after the third probe, wherever it falls.
    walk.keepRunning = [&] {
        ++nChecks;
        return nProbes < 3;
    };
    walk.probe = [&](int, const char*, unsigned long) { ++nProbes; strEvents += 'p'; };
    walk.yield = [&] { strEvents += 'y'; };
    RunDiskActivityWalk(tree.root.string(), walk);
    // The file's yield, and the next pass at once; nothing on the way out.
    EXPECT_EQ(strEvents, "pypypy");

    nProbes = 3;
    nChecks = 0;
    RunDiskActivityWalk(tree.root.string(), walk);
    EXPECT_EQ(nChecks, 1);
    EXPECT_EQ(nProbes, 3);
}

TEST(DiskActivityWalk, UnreadableRootIsRetriedAtOnceUntilStopped)
{
    int nChecks = 0;
    DiskActivityWalk walk;
    walk.keepRunning = [&] { return ++nChecks < 5; };
    walk.probe = [](int, const char*, unsigned long) { FAIL() << "nothing to probe"; };
    walk.yield = [] { FAIL() << "no yield between passes"; };
    RunDiskActivityWalk("/nonexistent/quorvel", walk);
    EXPECT_EQ(nChecks, 5);
}

// A file bound onto a file of the same file system shows the same device: only
// mountinfo tells that it is a mount point.
TEST(DiskActivityWalk, MountPointsAreNeverOpened)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to mount a tmpfs below the walked root";
    TempTree tree;
    tree.File("etc/one.conf");
    tree.File("etc/bound.conf");
    fs::create_directories(tree.root / "media");
    if (mount("quorvel-test", (tree.root / "media").c_str(), "tmpfs", 0, "size=64k") != 0
        || mount((tree.root / "etc/one.conf").c_str(), (tree.root / "etc/bound.conf").c_str(), nullptr, MS_BIND, nullptr) != 0)
        GTEST_SKIP() << "could not mount below the walked root: " << std::strerror(errno);
    struct Unmount {
        fs::path point, file;
        ~Unmount() { umount2(point.c_str(), MNT_DETACH), umount2(file.c_str(), MNT_DETACH); }
    } unmount{tree.root / "media", tree.root / "etc/bound.conf"};
    std::ofstream(tree.root / "media/usb.txt") << "on another file system";

    // The kernel tells of every open of the mounted directory and of what lies in it.
    const int nNotify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(nNotify, 0);
    ASSERT_GE(inotify_add_watch(nNotify, (tree.root / "media").c_str(), IN_OPEN | IN_ACCESS), 0);
    const RecordedPass pass = WalkOnce(tree);
    alignas(inotify_event) char events[4096];
    const ssize_t nEventBytes = read(nNotify, events, sizeof events);
    close(nNotify);

    EXPECT_EQ(nEventBytes, -1) << "the walk opened the mounted directory";
    EXPECT_EQ(pass.probes.at("etc/one.conf"), ProbeResult::Read);
    EXPECT_EQ(pass.probes.count("media/usb.txt"), 0u);
    EXPECT_EQ(pass.probes.count("etc/bound.conf"), 0u);
}

// Run by CTest in a mount namespace of its own (QUORVEL_OWN_MOUNTS set), so that
// nothing else meets the frozen mount; skipped anywhere else.
TEST(DiskActivityWalk, FrozenFuseMountDoesNotStopThePass)
{
    if (!std::getenv("QUORVEL_OWN_MOUNTS") || access("/dev/fuse", W_OK) != 0 || access("/usr/bin/bindfs", X_OK) != 0)
        GTEST_SKIP() << "needs a mount namespace of its own, /dev/fuse and bindfs";
    TempTree tree;
    tree.File("etc/one.conf");
    tree.File("source/inside.txt");
    fs::create_directories(tree.root / "srv");
    const std::string strMountPoint = (tree.root / "srv").string();
    const pid_t daemon = fork();
    if (daemon == 0) {
        // No cached attributes: every look at the mount point would reach the daemon.
        execl("/usr/bin/bindfs", "bindfs", "-f", "-o", "attr_timeout=0,entry_timeout=0",
              (tree.root / "source").c_str(), strMountPoint.c_str(), nullptr);
        _exit(127);
    }
    const std::string strWaitForMount = "for i in $(seq 100); do mountpoint -q " + strMountPoint + " && exit; sleep 0.1; done; exit 1";
    ASSERT_EQ(std::system(strWaitForMount.c_str()), 0);
    kill(daemon, SIGSTOP);
    std::future<RecordedPass> pass = std::async(std::launch::async, [&tree] { return WalkOnce(tree); });
    const bool bPassed = pass.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
    kill(daemon, SIGKILL); // fails whatever still waits for it
    waitpid(daemon, nullptr, 0);
    umount2(strMountPoint.c_str(), MNT_DETACH);
    ASSERT_TRUE(bPassed) << "the walk waits for the frozen file system";
    EXPECT_EQ(pass.get().probes, (std::map<std::string, ProbeResult>{{"etc/one.conf", ProbeResult::Read}, {"source/inside.txt", ProbeResult::Read}}));
}
