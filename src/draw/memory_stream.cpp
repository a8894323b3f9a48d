#include "draw/memory_stream.h"

#include <cstring>
#include <utility>

namespace zandrel {

MemoryStream::MemoryStream(MemoryStream&& other) noexcept
    : memory_(std::exchange(other.memory_, nullptr)), stream_(std::exchange(other.stream_, nullptr)) {}

MemoryStream& MemoryStream::operator=(MemoryStream&& other) noexcept {
    if (this != &other) {
        Release();
        memory_ = std::exchange(other.memory_, nullptr);
        stream_ = std::exchange(other.stream_, nullptr);
    }
    return *this;
}

IStream* MemoryStream::CreateFromBytes(std::span<const unsigned char> bytes) {
    Release();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size());
    if (memory == nullptr) {
        return nullptr;
    }
    if (!bytes.empty()) {
        void* data = GlobalLock(memory);
        if (data == nullptr) {
            GlobalFree(memory);
            return nullptr;
        }
        std::memcpy(data, bytes.data(), bytes.size());
        GlobalUnlock(memory);
    }
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, FALSE, &stream))) {
        GlobalFree(memory);
        return nullptr;
    }
    // A stream over an existing block reports the block's allocated size; pin it to the bytes given.
    ULARGE_INTEGER size;
    size.QuadPart = bytes.size();
    stream->SetSize(size);
    memory_ = memory;
    stream_ = stream;
    return stream_;
}

IStream* MemoryStream::CreateEmpty() {
    return CreateFromBytes({});
}

void MemoryStream::Release() {
    if (stream_ != nullptr) {
        std::exchange(stream_, nullptr)->Release();
    }
    if (memory_ != nullptr) {
        GlobalFree(std::exchange(memory_, nullptr));
    }
}

size_t MemoryStream::GetSize() const {
    if (stream_ == nullptr) {
        return 0;
    }
    STATSTG stat{};
    if (FAILED(stream_->Stat(&stat, STATFLAG_NONAME))) {
        return 0;
    }
    return static_cast<size_t>(stat.cbSize.QuadPart);
}

bool MemoryStream::AdoptStream(IStream* stream) {
    Release();
    if (stream == nullptr) {
        return false;
    }
    HGLOBAL memory = nullptr;
    if (FAILED(GetHGlobalFromStream(stream, &memory)) || memory == nullptr) {
        stream->Release();
        return false;
    }
    stream_ = stream;
    memory_ = memory;
    return true;
}

std::vector<unsigned char> MemoryStream::GetBytes() const {
    const size_t size = GetSize();
    if (size == 0 || memory_ == nullptr) {
        return {};
    }
    // The stream may have moved the block when it grew; read through the handle it uses now.
    HGLOBAL memory = memory_;
    GetHGlobalFromStream(stream_, &memory);
    const void* data = GlobalLock(memory);
    if (data == nullptr) {
        return {};
    }
    const size_t available = GlobalSize(memory);
    const auto* begin = static_cast<const unsigned char*>(data);
    std::vector<unsigned char> bytes(begin, begin + (size < available ? size : available));
    GlobalUnlock(memory);
    return bytes;
}

}  // namespace zandrel
