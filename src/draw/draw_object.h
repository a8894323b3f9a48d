// Common base of the drawing classes: one owned native GDI+ object per instance.
//
// Every forwarding call stores the GDI+ status in one process-wide LastStatus() and returns true when it is Ok.
// Objects start empty; a Create... call makes the native object (releasing one held before) and the class's
// Delete... call or the destructor releases it. Copying is not allowed; moving hands the native object over.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

#include "draw/gdiplus_api.h"

namespace zandrel {

// Status of the most recent GDI+ call made by any drawing object (0 = Ok, 2 = InvalidParameter, ...).
int LastStatus();

namespace draw_detail {
// Stores the status as LastStatus and tells whether it was Ok.
bool Record(gp::GpStatus status);
}  // namespace draw_detail

class DrawObject {
  public:
    DrawObject(const DrawObject&) = delete;
    DrawObject& operator=(const DrawObject&) = delete;

    // The native object, nullptr while empty.
    void* GetHandle() const { return handle_; }
    bool IsEmpty() const { return handle_ == nullptr; }

    // Memory from the GDI+ allocator (for blocks GDI+ takes over or hands out).
    static void* Alloc(size_t size);
    static void Free(void* block);

  protected:
    DrawObject() = default;
    DrawObject(DrawObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    DrawObject& operator=(DrawObject&&) = delete;  // each class releases its own object first
    ~DrawObject() = default;

    void SetHandle(void* handle) { handle_ = handle; }
    void* TakeHandle(DrawObject& other) { return std::exchange(other.handle_, nullptr); }

    void* handle_ = nullptr;
};

}  // namespace zandrel
