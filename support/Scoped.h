// Small owner types: each closes its handle on every path and cannot be copied.
#pragma once
#include <windows.h>
#include <cstdio>

template <typename Traits>
class ScopedHandle {
public:
    using Type = typename Traits::Type;
    ScopedHandle() = default;
    explicit ScopedHandle(Type h) : m_h(h) {}
    ~ScopedHandle() { Close(); }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;

    Type Get() const { return m_h; }
    bool IsValid() const { return m_h != Traits::Invalid(); }
    explicit operator bool() const { return IsValid(); }
    // For functions that return the handle through a pointer.
    Type* Receive() { Close(); return &m_h; }
    void Attach(Type h) { Close(); m_h = h; }
    Type Detach() { Type h = m_h; m_h = Traits::Invalid(); return h; }
    void Close()
    {
        if (IsValid())
            Traits::Close(m_h);
        m_h = Traits::Invalid();
    }

private:
    Type m_h = Traits::Invalid();
};

struct KernelHandleTraits {     // mutex, mapping, process, thread: null when invalid
    using Type = HANDLE;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { CloseHandle(h); }
};
struct FileHandleTraits {       // CreateFile: INVALID_HANDLE_VALUE when invalid
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { CloseHandle(h); }
};
struct FindHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { FindClose(h); }
};
struct RegKeyTraits {
    using Type = HKEY;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { RegCloseKey(h); }
};
struct ViewTraits {
    using Type = void*;
    static Type Invalid() { return nullptr; }
    static void Close(Type p) { UnmapViewOfFile(p); }
};
struct StdioFileTraits {
    using Type = FILE*;
    static Type Invalid() { return nullptr; }
    static void Close(Type f) { fclose(f); }
};
struct ModuleTraits {
    using Type = HMODULE;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { FreeLibrary(h); }
};

using ScopedKernelHandle = ScopedHandle<KernelHandleTraits>;
using ScopedFileHandle = ScopedHandle<FileHandleTraits>;
using ScopedFind = ScopedHandle<FindHandleTraits>;
using ScopedRegKey = ScopedHandle<RegKeyTraits>;
using ScopedView = ScopedHandle<ViewTraits>;
using ScopedStdioFile = ScopedHandle<StdioFileTraits>;
using ScopedModule = ScopedHandle<ModuleTraits>;

// A COM interface pointer, released on every path.
template <typename T>
class ScopedComPtr {
public:
    ScopedComPtr() = default;
    ~ScopedComPtr() { Release(); }
    ScopedComPtr(const ScopedComPtr&) = delete;
    ScopedComPtr& operator=(const ScopedComPtr&) = delete;

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    void** ReceiveVoid() { Release(); return reinterpret_cast<void**>(&m_p); }
    T** Receive() { Release(); return &m_p; }
    void Release()
    {
        if (m_p)
            m_p->Release();
        m_p = nullptr;
    }

private:
    T* m_p = nullptr;
};

// GetProcAddress result as a typed function pointer (through the generic function type, which
// the compiler accepts without a cast-function-type warning).
template <typename Fn>
Fn procAddress(HMODULE module, const char* name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}
