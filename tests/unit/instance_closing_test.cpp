// Finding a process's main window, and closing the other processes of a list: the close request,
// the termination, and the processes that must be left alone.
#include "instance_test_processes.h"
#include "instances/CloseInstances.h"
#include "instances/InstanceCloser.h"
#include "instances/InstanceManager.h"
#include "support/Scratch.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <set>
#include <string>

using namespace insttest;

namespace {

const DWORD kSelf = GetCurrentProcessId();

struct WindowCase {
    const char* title;
    bool owned;
    bool tool;
    bool visible;
    bool found;
};

class WindowOfThisProcess {
public:
    explicit WindowOfThisProcess(const WindowCase& c)
    {
        if (c.owned)
            m_owner = CreateWindowA("STATIC", "Owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        DWORD style = WS_POPUP | (c.visible ? WS_VISIBLE : 0);
        m_hWnd = CreateWindowExA(c.tool ? WS_EX_TOOLWINDOW : 0, "STATIC", c.title, style, 0, 0, 10, 10, m_owner,
                                 nullptr, nullptr, nullptr);
    }
    ~WindowOfThisProcess()
    {
        DestroyWindow(m_hWnd);
        if (m_owner)
            DestroyWindow(m_owner);
    }
    HWND get() const { return m_hWnd; }

private:
    HWND m_owner = nullptr;
    HWND m_hWnd = nullptr;
};

TEST(FindInstanceWindow, QualifiesByOwnerStyleAndTitleBeginning)
{
    const std::string longTitle = "Lumetra" + std::string(700, 'x');
    // Mostly hidden windows: visibility plays no part, and under Wine destroying a shown window
    // costs seconds.
    const WindowCase cases[] = {
        {"Lumetra 6", false, false, false, true},
        {"Lumetra 6 (shown)", false, false, true, true},
        {"Lumetra", false, false, false, true},
        {longTitle.c_str(), false, false, false, true},
        {"My Lumetra", false, false, false, false},
        {" Lumetra", false, false, false, false},
        {"lumetra 6", false, false, false, false},
        {"Lumetr", false, false, false, false},
        {"Lumetra owned", true, false, false, false},
        {"Lumetra tool", false, true, false, false},
    };
    for (const WindowCase& c : cases) {
        WindowOfThisProcess window(c);
        ASSERT_NE(window.get(), nullptr);
        EXPECT_EQ(findInstanceWindow(kSelf), c.found ? window.get() : nullptr) << c.title;
    }
    EXPECT_EQ(findInstanceWindow(kSelf), nullptr);
}

TEST(FindInstanceWindow, FindsOnlyTheWindowsOfTheNamedProcess)
{
    ScratchDir scratch;
    std::string log = scratch / "m.log";
    ChildProcess other;
    ASSERT_TRUE(startMember(other, "--unregistered --window \"Lumetra other\" --log \"" + log + "\""));
    ASSERT_TRUE(waitFor([&] { return hasLine(log, pidLine(other.pid(), "ready")); }));
    HWND found = findInstanceWindow(other.pid());
    ASSERT_NE(found, nullptr);
    DWORD owner = 0;
    GetWindowThreadProcessId(found, &owner);
    EXPECT_EQ(owner, other.pid());
    EXPECT_EQ(findInstanceWindow(kSelf), nullptr);
}

// The setup ends a process 10 ms after asking it to close, sooner than a loaded machine may run
// the process at all; the tests end processes only once their record shows the request arrived
// (or at once for those that are not expected to get one).
std::string g_requestLog;
std::set<DWORD> g_expectRequest;

BOOL endOnceRequestSeen(HANDLE process)
{
    DWORD pid = GetProcessId(process);
    if (g_expectRequest.count(pid))
        waitFor([&] { return hasLine(g_requestLog, pidLine(pid, "close wparam=1001")); }, 30000);
    return TerminateProcess(process, 0);
}

class CloseInstances : public ::testing::Test {
protected:
    std::string name = uniqueInstanceName();
    ScratchDir scratch;
    std::string log = scratch / "members.log";

    void start(ChildProcess& child, const std::string& arguments, const std::string& program = "")
    {
        std::string args = arguments + " --log \"" + log + "\" --timeout 60";
        if (program.empty())
            ASSERT_TRUE(startMember(child, "--name " + name + " " + args));
        else
            ASSERT_TRUE(child.start("\"" + program + "\" " + args));
        ASSERT_TRUE(waitFor([&] { return hasLine(log, pidLine(child.pid(), "ready")); }));
    }
    bool gotCloseRequest(const ChildProcess& child)
    {
        return hasLine(log, pidLine(child.pid(), "close wparam=1001"));
    }
    // Closes the list, ending only once the named processes show their close request.
    void closeExpectingRequests(COXInstanceManager& manager, std::initializer_list<const ChildProcess*> asked)
    {
        g_requestLog = log;
        g_expectRequest.clear();
        for (const ChildProcess* child : asked)
            g_expectRequest.insert(child->pid());
        closeListedInstances(manager, endOnceRequestSeen);
    }
};

TEST_F(CloseInstances, EveryOtherListedProcessIsAskedThenEnded)
{
    ChildProcess main1, noWindow, titled, owned, tool, main2;
    start(main1, "--window \"Lumetra first\"");
    start(noWindow, "");
    // The closing process sits in the middle of the list.
    COXInstanceManager manager(name.c_str());
    start(titled, "--window \"Not Lumetra\"");
    start(owned, "--window \"Lumetra owned\" --owned");
    start(tool, "--window \"Lumetra tool\" --tool");
    start(main2, "--window \"Lumetra second\"");

    closeExpectingRequests(manager, {&main1, &main2});

    for (ChildProcess* child : {&main1, &noWindow, &titled, &owned, &tool, &main2})
        EXPECT_TRUE(child->waitGone(10000)) << child->pid();
    // Only processes with a main window get the close request (before they were ended).
    EXPECT_TRUE(gotCloseRequest(main1));
    EXPECT_TRUE(gotCloseRequest(main2));
    for (ChildProcess* child : {&noWindow, &titled, &owned, &tool})
        EXPECT_FALSE(gotCloseRequest(*child)) << child->pid();
    // Terminated processes do not leave the list; the closing does not take them off either.
    std::vector<DWORD> ids = readList(name).ids;
    for (ChildProcess* child : {&noWindow, &titled, &owned, &tool})
        EXPECT_NE(std::find(ids.begin(), ids.end(), child->pid()), ids.end()) << child->pid();
    EXPECT_NE(std::find(ids.begin(), ids.end(), kSelf), ids.end());
}

// An id that stayed listed after its process ended may now belong to an unrelated process: that
// process is neither asked to close nor ended.
TEST_F(CloseInstances, UnrelatedProcessUnderAStaleIdIsLeftAlone)
{
    ChildProcess unrelated, unrelatedWithTitle, ended, member;
    start(unrelated, "--unregistered");
    start(unrelatedWithTitle, "--unregistered --window \"Lumetra look-alike\"");
    start(ended, "--unregistered");
    DWORD endedId = ended.pid();
    TerminateProcess(ended.handle(), 0);
    ASSERT_TRUE(ended.waitGone());
    start(member, "--window \"Lumetra member\"");

    COXInstanceManager manager(name.c_str());
    RawList raw(name);
    raw.write({unrelated.pid(), endedId, unrelatedWithTitle.pid(), member.pid(), kSelf});
    closeExpectingRequests(manager, {&member});

    EXPECT_TRUE(member.waitGone(10000));
    EXPECT_TRUE(gotCloseRequest(member));
    EXPECT_TRUE(unrelated.running());
    EXPECT_TRUE(unrelatedWithTitle.running());
    EXPECT_FALSE(gotCloseRequest(unrelatedWithTitle));
}

// The application keeps the list with code of its own and has no marker; its executable's name
// tells it apart.
TEST_F(CloseInstances, ApplicationExecutableIsEndedWithoutAMarker)
{
    std::string app = scratch / "LmtCap6.exe";
    std::string other = scratch / "LmtCap6.exe.bak.exe";
    ASSERT_TRUE(CopyFileA(buildFile("tests/tools/inst_member.exe").c_str(), app.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(buildFile("tests/tools/inst_member.exe").c_str(), other.c_str(), FALSE));
    ChildProcess application, lookalike;
    start(application, "--unregistered --window \"Lumetra 6\"", app);
    start(lookalike, "--unregistered --window \"Lumetra 6\"", other);

    COXInstanceManager manager(name.c_str());
    RawList raw(name);
    raw.write({application.pid(), lookalike.pid(), kSelf});
    closeExpectingRequests(manager, {&application});

    EXPECT_TRUE(application.waitGone(10000));
    EXPECT_TRUE(gotCloseRequest(application));
    EXPECT_TRUE(lookalike.running());
}

// closeOtherInstances works on the process's own list (here the test programs' list), with the
// real termination.
TEST_F(CloseInstances, CloseOtherInstancesUsesTheProcessWideList)
{
    ChildProcess member, stranger;
    start(member, "--window \"Lumetra member\"");
    ASSERT_TRUE(startMember(stranger, "--name " + instanceManager.getInstanceName() +
                                          " --window \"Lumetra stranger\" --log \"" + log + "\""));
    ASSERT_TRUE(waitFor([&] { return hasLine(log, pidLine(stranger.pid(), "ready")); }));

    closeOtherInstances();

    EXPECT_TRUE(stranger.waitGone(10000));
    EXPECT_TRUE(member.running()) << "a member of another list is not touched";
}

} // namespace
