// The shared instance list: its kernel objects, its layout in the shared memory, registration
// and departure in this and in other processes, the notices, and a full or damaged list.
#include "instance_test_processes.h"
#include "instances/InstanceIdentity.h"
#include "instances/InstanceManager.h"
#include "support/AppContract.h"
#include "support/Scratch.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <set>

using namespace insttest;

namespace {

const DWORD kSelf = GetCurrentProcessId();

DWORD granularity()
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwAllocationGranularity;
}

bool namedMutexExists(const std::string& name)
{
    ScopedKernelHandle mutex(OpenMutexA(SYNCHRONIZE, FALSE, name.c_str()));
    return mutex.IsValid();
}

// A window of this process that the notices reach, and what it received.
class NoticeWindow {
public:
    explicit NoticeWindow(const char* title)
    {
        m_hWnd = CreateWindowA("STATIC", title, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    }
    ~NoticeWindow() { DestroyWindow(m_hWnd); }
    // The notices waiting for the window, as "MSG:WPARAM:LPARAM", in order.
    std::vector<std::string> take()
    {
        std::vector<std::string> notices;
        MSG msg;
        while (PeekMessageA(&msg, m_hWnd, contract::kInstanceAddedNotice, contract::kInstanceRemovedNotice, PM_REMOVE))
            notices.push_back(std::to_string(msg.message) + ":" + std::to_string(msg.wParam) + ":" +
                              std::to_string(msg.lParam));
        return notices;
    }

private:
    HWND m_hWnd;
};

class InstanceRegistry : public ::testing::Test {
protected:
    std::string name = uniqueInstanceName();
    ScratchDir scratch;
    std::string log = scratch / "members.log";

    // A member of this test's list with a main window; waits until the window exists.
    void startMember(ChildProcess& child, const std::string& title, const std::string& extra = "")
    {
        std::string args = "--name " + name + " --log \"" + log + "\" --stop \"" + stopFile(child) + "\"";
        if (!title.empty())
            args += " --window \"" + title + "\"";
        ASSERT_TRUE(insttest::startMember(child, args + " " + extra));
        ASSERT_TRUE(waitFor([&] { return hasLine(log, pidLine(child.pid(), "ready")); }));
    }
    std::string stopFile(const ChildProcess&) { return scratch / ("stop" + std::to_string(++m_members)); }
    // Ends a member started as the n-th (from 1) through its stop file: it leaves the list.
    void stopMember(int n, ChildProcess& child)
    {
        writeFile(scratch / ("stop" + std::to_string(n)), "");
        ASSERT_TRUE(child.waitGone());
    }

private:
    int m_members = 0;
};

TEST_F(InstanceRegistry, FirstProcessCreatesTheObjectsAndAnEmptyListWithItself)
{
    EXPECT_FALSE(readList(name).exists);
    {
        COXInstanceManager manager(name.c_str());
        EXPECT_STREQ(manager.GetRuntimeClass()->m_lpszClassName, "COXInstanceManager");
        EXPECT_TRUE(namedMutexExists("COXInstanceManager_InstanceList_Mutex_" + name));
        EXPECT_TRUE(namedMutexExists("COXInstanceManager_Additional_Mutex_" + name));
        ListSnapshot list = readList(name);
        ASSERT_TRUE(list.exists);
        // Two sections of one allocation granule each.
        EXPECT_EQ(list.sectionBytes, 2 * granularity());
        EXPECT_EQ(list.marker, 1u);
        EXPECT_EQ(list.ids, std::vector<DWORD>{kSelf});
        EXPECT_TRUE(list.restZero);
        EXPECT_EQ(manager.countInstances(), 1);
    }
    // This process was the last holder: the memory and the list are gone.
    EXPECT_FALSE(readList(name).exists);
}

TEST_F(InstanceRegistry, SlotsKeepArrivalOrderAndCloseUpWhenOneLeaves)
{
    COXInstanceManager manager(name.c_str());
    for (DWORD id : {501u, 502u, 503u})
        EXPECT_TRUE(manager.registerProcess(id));
    EXPECT_EQ(readList(name).ids, (std::vector<DWORD>{kSelf, 501, 502, 503}));

    EXPECT_TRUE(manager.unregisterProcess(kSelf));
    ListSnapshot list = readList(name);
    EXPECT_EQ(list.ids, (std::vector<DWORD>{501, 502, 503}));
    EXPECT_TRUE(list.restZero);

    EXPECT_TRUE(manager.unregisterProcess(502));
    EXPECT_FALSE(manager.unregisterProcess(502));
    EXPECT_FALSE(manager.unregisterProcess(999));
    list = readList(name);
    EXPECT_EQ(list.ids, (std::vector<DWORD>{501, 503}));
    EXPECT_TRUE(list.restZero);

    std::vector<DWORD> ids;
    EXPECT_TRUE(manager.listInstanceIds(ids));
    EXPECT_EQ(ids, (std::vector<DWORD>{501, 503}));
    EXPECT_EQ(manager.countInstances(), 2);
}

TEST_F(InstanceRegistry, NoticesReachTheMainWindowsOfTheListedProcesses)
{
    COXInstanceManager manager(name.c_str());
    NoticeWindow window("Lumetra notices");
    NoticeWindow notMain("Notices, not a main window");

    EXPECT_TRUE(manager.registerProcess(777));
    EXPECT_TRUE(manager.unregisterProcess(777));
    EXPECT_EQ(window.take(), (std::vector<std::string>{"1946:0:777", "1947:0:777"}));
    EXPECT_TRUE(notMain.take().empty());

    // Once this process has left, nobody tells it about others.
    EXPECT_TRUE(manager.unregisterProcess(kSelf));
    EXPECT_TRUE(manager.registerProcess(778));
    EXPECT_TRUE(window.take().empty());
    // And a process without a main window posts nothing to its own queue.
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, contract::kInstanceAddedNotice, contract::kInstanceRemovedNotice, PM_NOREMOVE));
}

TEST_F(InstanceRegistry, ProcessesRegisterAndLeaveInAnyOrderAndTellTheOthers)
{
    ChildProcess a, b, c;
    startMember(a, "Lumetra A");
    EXPECT_EQ(readList(name).ids, std::vector<DWORD>{a.pid()});
    startMember(b, "Lumetra B");
    startMember(c, "");
    ListSnapshot list = readList(name);
    EXPECT_EQ(list.ids, (std::vector<DWORD>{a.pid(), b.pid(), c.pid()}));
    EXPECT_TRUE(list.restZero);
    EXPECT_TRUE(waitFor([&] { return hasLine(log, pidLine(a.pid(), "notice 1946 lparam=" + std::to_string(c.pid()))); }));
    EXPECT_TRUE(waitFor([&] { return hasLine(log, pidLine(b.pid(), "notice 1946 lparam=" + std::to_string(c.pid()))); }));
    EXPECT_TRUE(hasLine(log, pidLine(a.pid(), "notice 1946 lparam=" + std::to_string(b.pid()))));

    // Slot 0 leaves: the others move up, the freed slot is cleared, the rest hear of it.
    stopMember(1, a);
    list = readList(name);
    EXPECT_EQ(list.ids, (std::vector<DWORD>{b.pid(), c.pid()}));
    EXPECT_TRUE(list.restZero);
    EXPECT_TRUE(waitFor([&] { return hasLine(log, pidLine(b.pid(), "notice 1947 lparam=" + std::to_string(a.pid()))); }));

    // A list made by another process is joined, not made anew.
    {
        COXInstanceManager manager(name.c_str());
        EXPECT_EQ(readList(name).ids, (std::vector<DWORD>{b.pid(), c.pid(), kSelf}));
        EXPECT_EQ(manager.countInstances(), 3);
    }
    EXPECT_TRUE(waitFor([&] { return hasLine(log, pidLine(b.pid(), "notice 1947 lparam=" + std::to_string(kSelf))); }));

    stopMember(3, c);
    stopMember(2, b);
    // The last holder has ended: the list is gone, and the next process starts a new one.
    EXPECT_FALSE(readList(name).exists);
    ChildProcess d;
    startMember(d, "Lumetra D");
    EXPECT_EQ(readList(name).ids, std::vector<DWORD>{d.pid()});
    // Nobody was left to be told about the members that ended.
    std::string text = readFile(log);
    EXPECT_EQ(text.find(pidLine(c.pid(), "notice")), std::string::npos) << "c has no window";
}

TEST_F(InstanceRegistry, AProcessThatEndsWithoutLeavingStaysListed)
{
    COXInstanceManager manager(name.c_str());
    ChildProcess a;
    startMember(a, "", "--crash");
    stopMember(1, a);
    EXPECT_EQ(readList(name).ids, (std::vector<DWORD>{kSelf, a.pid()}));
}

TEST_F(InstanceRegistry, FullListLeavesTheNextProcessUnregistered)
{
    RawList raw(name);
    ASSERT_TRUE(raw.valid());
    std::vector<DWORD> ids;
    for (DWORD i = 0; i < kInstanceSlots; i++)
        ids.push_back(100000 + i);
    raw.write(ids);

    ChildProcess member;
    startMember(member, "Lumetra full");
    EXPECT_TRUE(member.running()) << "the process runs on";
    EXPECT_EQ(readList(name).ids, ids);

    COXInstanceManager manager(name.c_str());
    EXPECT_FALSE(manager.registerProcess(4242));
    EXPECT_EQ(manager.countInstances(), 1000);
    EXPECT_EQ(readList(name).ids, ids);
    EXPECT_TRUE(manager.unregisterProcess(100000));
    EXPECT_TRUE(manager.registerProcess(4242));
    EXPECT_EQ(readList(name).ids.back(), 4242u);
}

// Only a faulty writer leaves a count above the slots: nothing is read or written past them.
TEST_F(InstanceRegistry, CountAboveTheSlotsIsReadAsAFullList)
{
    RawList raw(name);
    ASSERT_TRUE(raw.valid());
    std::vector<DWORD> ids;
    for (DWORD i = 0; i < kInstanceSlots; i++)
        ids.push_back(200000 + i);
    raw.write(ids);
    raw.list().count = 0x7FFFFFFF;
    // Bytes right after the slots, which a reader believing the count would take for slots.
    raw.bytes()[kInstanceListBytes] = 0xAB;

    COXInstanceManager manager(name.c_str());
    EXPECT_EQ(manager.countInstances(), 1000);
    std::vector<DWORD> listed;
    EXPECT_TRUE(manager.listInstanceIds(listed));
    EXPECT_EQ(listed, ids);
    EXPECT_FALSE(manager.unregisterProcess(0xABABABAB));
    EXPECT_TRUE(manager.unregisterProcess(200999));
    EXPECT_EQ(raw.list().count, 999u);
    EXPECT_EQ(raw.list().processIds[998], 200998u);
    EXPECT_EQ(raw.bytes()[kInstanceListBytes], 0xAB);
}

TEST_F(InstanceRegistry, UnavailableListActsAsIfNoOtherInstanceRan)
{
    // A foreign object under the memory's name: the mapping cannot be made.
    ScopedKernelHandle squatter(CreateEventA(nullptr, TRUE, FALSE, ("COXInstanceManager_FileMap_" + name).c_str()));
    ASSERT_TRUE(squatter.IsValid());
    COXInstanceManager manager(name.c_str());
    EXPECT_EQ(manager.countInstances(), 0);
    std::vector<DWORD> ids{1, 2};
    EXPECT_FALSE(manager.listInstanceIds(ids));
    EXPECT_EQ(ids, (std::vector<DWORD>{1, 2})) << "the array is left alone";
    EXPECT_FALSE(manager.registerProcess(5));
    EXPECT_FALSE(manager.unregisterProcess(kSelf));
}

TEST_F(InstanceRegistry, WithoutItsLockTheListIsNeverTouched)
{
    ScopedKernelHandle squatter(
        CreateEventA(nullptr, TRUE, FALSE, ("COXInstanceManager_InstanceList_Mutex_" + name).c_str()));
    ASSERT_TRUE(squatter.IsValid());
    COXInstanceManager manager(name.c_str());
    EXPECT_FALSE(readList(name).exists) << "no memory made without the lock";
    EXPECT_EQ(manager.countInstances(), 0);
    EXPECT_FALSE(manager.registerProcess(5));
}

// Takes the named mutex and ends without releasing it, which abandons it.
DWORD WINAPI takeMutexAndEnd(void* mutexName)
{
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, static_cast<const char*>(mutexName));
    WaitForSingleObject(mutex, INFINITE);
    return 0;
}

// A holder that ended in the middle of a change leaves the lock abandoned; the next operation
// puts the list straight before using it.
TEST_F(InstanceRegistry, AbandonedLockRepairsAHalfDoneChange)
{
    COXInstanceManager manager(name.c_str());
    RawList raw(name);
    raw.write({kSelf, 601, 603, 603});
    std::string mutexName = "COXInstanceManager_InstanceList_Mutex_" + name;
    HANDLE thread = CreateThread(nullptr, 0, takeMutexAndEnd, const_cast<char*>(mutexName.c_str()), 0, nullptr);
    ASSERT_NE(thread, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);

    EXPECT_EQ(manager.countInstances(), 3);
    ListSnapshot list = readList(name);
    EXPECT_EQ(list.ids, (std::vector<DWORD>{kSelf, 601, 603}));
    EXPECT_TRUE(list.restZero);
}

// Many processes joining and leaving at the same moments: every id is listed once, none is lost.
TEST_F(InstanceRegistry, ConcurrentJoinsAndDeparturesKeepTheListExact)
{
    const int kFirstWave = 12;
    const int kSecondWave = 12;
    std::vector<std::unique_ptr<ChildProcess>> members;
    auto startWave = [&](int n, const std::string& stop) {
        for (int i = 0; i < n; i++) {
            members.emplace_back(new ChildProcess);
            ASSERT_TRUE(insttest::startMember(*members.back(), "--name " + name + " --log \"" + log +
                                                                    "\" --stop \"" + stop + "\" --timeout 90"));
        }
    };
    auto allReady = [&](size_t from, size_t to) {
        return waitFor([&] {
            for (size_t i = from; i < to; i++) {
                if (!hasLine(log, pidLine(members[i]->pid(), "ready")))
                    return false;
            }
            return true;
        }, 60000);
    };
    startWave(kFirstWave, scratch / "stop-first");
    ASSERT_TRUE(allReady(0, kFirstWave));
    std::vector<DWORD> first;
    for (auto& m : members)
        first.push_back(m->pid());
    std::vector<DWORD> listed = readList(name).ids;
    EXPECT_EQ(std::set<DWORD>(listed.begin(), listed.end()), std::set<DWORD>(first.begin(), first.end()));
    EXPECT_EQ(listed.size(), first.size());

    // The first wave leaves while the second joins.
    writeFile(scratch / "stop-first", "");
    startWave(kSecondWave, scratch / "stop-second");
    ASSERT_TRUE(allReady(kFirstWave, kFirstWave + kSecondWave));
    for (int i = 0; i < kFirstWave; i++)
        ASSERT_TRUE(members[i]->waitGone(60000));
    std::vector<DWORD> second;
    for (int i = kFirstWave; i < kFirstWave + kSecondWave; i++)
        second.push_back(members[i]->pid());
    ListSnapshot list = readList(name);
    EXPECT_EQ(std::set<DWORD>(list.ids.begin(), list.ids.end()), std::set<DWORD>(second.begin(), second.end()));
    EXPECT_EQ(list.ids.size(), second.size());
    EXPECT_TRUE(list.restZero);

    writeFile(scratch / "stop-second", "");
    for (auto& m : members)
        ASSERT_TRUE(m->waitGone(60000));
    EXPECT_FALSE(readList(name).exists);
}

TEST_F(InstanceRegistry, TheInstanceMarkerLivesExactlyAsLongAsItsProcess)
{
    ChildProcess a;
    startMember(a, "", "--crash");
    std::string marker = instanceMarkerName(name, a.handle(), a.pid());
    ASSERT_FALSE(marker.empty());
    ScopedKernelHandle seen(OpenEventA(SYNCHRONIZE, FALSE, marker.c_str()));
    EXPECT_TRUE(seen.IsValid());
    seen.Close();
    stopMember(1, a);
    seen.Attach(OpenEventA(SYNCHRONIZE, FALSE, marker.c_str()));
    EXPECT_FALSE(seen.IsValid()) << "gone with its process, though its id is still listed";
}

} // namespace
