// Handles of the operating system whose ownership is in their type: the
// owner closes the handle when it goes, and moving the owner moves the duty.
#pragma once

#include <cstdint>

// `Traits` names the handle type (Value), the value that stands for no handle
// (invalid) and how a handle is closed (close, false on a reported error).
template <typename Traits>
class UniqueResource {
public:
    using Value = typename Traits::Value;

    UniqueResource() = default;
    explicit UniqueResource(Value value) : value_(value) {}
    ~UniqueResource() { close(); }
    UniqueResource(UniqueResource&& other) noexcept : value_(other.release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) {
            close();
            value_ = other.release();
        }
        return *this;
    }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;

    explicit operator bool() const { return value_ != Traits::invalid(); }
    Value get() const { return value_; }

    // Hands the handle over to the caller, who closes it.
    Value release() {
        const Value value = value_;
        value_ = Traits::invalid();
        return value;
    }

    // Closes the handle now. False when the system reported an error, which
    // for a written file may mean that data were lost.
    bool close() { return !*this || Traits::close(release()); }

private:
    Value value_ = Traits::invalid();
};

#ifdef _WIN32
// A HANDLE of a file: INVALID_HANDLE_VALUE when empty, as CreateFile returns it.
struct FileHandleTraits {
    using Value = void*;
    static Value invalid() { return reinterpret_cast<void*>(static_cast<std::intptr_t>(-1)); }
    static bool close(Value handle);
};
using UniqueHandle = UniqueResource<FileHandleTraits>;
using UniqueFile = UniqueHandle;
#else
// A file descriptor: -1 when empty.
struct FileDescriptorTraits {
    using Value = int;
    static Value invalid() { return -1; }
    static bool close(Value descriptor);
};
using UniqueFd = UniqueResource<FileDescriptorTraits>;
using UniqueFile = UniqueFd;
#endif
