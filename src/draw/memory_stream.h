// A COM stream over a block of global memory: the carrier between byte arrays and GDI+ images.
// The stream does not free the block when released; Release() does both.
#pragma once

#include <span>
#include <vector>

#include "draw/gdiplus_api.h"

namespace zandrel {

class MemoryStream {
  public:
    MemoryStream() = default;
    ~MemoryStream() { Release(); }
    MemoryStream(const MemoryStream&) = delete;
    MemoryStream& operator=(const MemoryStream&) = delete;
    MemoryStream(MemoryStream&& other) noexcept;
    MemoryStream& operator=(MemoryStream&& other) noexcept;

    // Copies the bytes into a new block and opens a stream over it (at position 0). nullptr on failure.
    IStream* CreateFromBytes(std::span<const unsigned char> bytes);
    // An empty, growable stream for writing.
    IStream* CreateEmpty();
    void Release();
    // Bytes in the stream (its size as the stream reports it).
    size_t GetSize() const;
    IStream* GetStream() const { return stream_; }
    HGLOBAL GetMemoryHandle() const { return memory_; }
    // Takes over one reference to a stream over global memory made without delete-on-release (Release() frees
    // the block); false, and the reference released, when the stream has no memory block behind it.
    bool AdoptStream(IStream* stream);
    // A copy of the stream's bytes; empty when there are none.
    std::vector<unsigned char> GetBytes() const;

  private:
    HGLOBAL memory_ = nullptr;
    IStream* stream_ = nullptr;
};

}  // namespace zandrel
