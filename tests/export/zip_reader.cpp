#include "zip_reader.h"

#include <zlib.h>

namespace zandrel {
namespace {

uint32_t Get(std::string_view bytes, size_t at, int width) {
    uint32_t v = 0;
    for (int i = width - 1; i >= 0; --i) {
        v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    }
    return v;
}

ZipReadResult Fail(std::string error) {
    ZipReadResult result;
    result.error = std::move(error);
    return result;
}

bool Inflate(std::string_view compressed, size_t size, std::string& out) {
    z_stream z{};
    if (inflateInit2(&z, -15) != Z_OK) {
        return false;
    }
    out.assign(size + 1, '\0');  // one spare byte shows a stream longer than stated
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
    z.avail_in = static_cast<uInt>(compressed.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    int result = inflate(&z, Z_FINISH);
    const bool whole = result == Z_STREAM_END && z.avail_in == 0 && z.total_out == size;
    inflateEnd(&z);
    out.resize(size);
    return whole;
}

}  // namespace

ZipReadResult ReadZip(std::string_view zip) {
    constexpr size_t kEnd = 22;
    if (zip.size() < kEnd || Get(zip, zip.size() - kEnd, 4) != 0x06054b50) {
        return Fail("no end record at the very end");
    }
    const size_t end = zip.size() - kEnd;
    const uint32_t count = Get(zip, end + 10, 2);
    const uint32_t directorySize = Get(zip, end + 12, 4);
    const uint32_t directoryOffset = Get(zip, end + 16, 4);
    if (Get(zip, end + 4, 4) != 0 || Get(zip, end + 8, 2) != count || Get(zip, end + 20, 2) != 0) {
        return Fail("end record: disk numbers, counts or comment");
    }
    if (static_cast<uint64_t>(directoryOffset) + directorySize != end) {
        return Fail("central directory does not end where the end record starts");
    }

    ZipReadResult result;
    size_t at = directoryOffset;
    size_t expectedLocal = 0;
    for (uint32_t i = 0; i < count; ++i) {
        if (at + 46 > end || Get(zip, at, 4) != 0x02014b50) {
            return Fail("central record " + std::to_string(i) + " missing");
        }
        ZipReadEntry entry;
        const uint32_t madeBy = Get(zip, at + 4, 2);
        const uint32_t needed = Get(zip, at + 6, 2);
        entry.flags = static_cast<uint16_t>(Get(zip, at + 8, 2));
        const uint32_t method = Get(zip, at + 10, 2);
        entry.dosTime = static_cast<uint16_t>(Get(zip, at + 12, 2));
        entry.dosDate = static_cast<uint16_t>(Get(zip, at + 14, 2));
        entry.crc = Get(zip, at + 16, 4);
        const uint32_t compressedSize = Get(zip, at + 20, 4);
        const uint32_t size = Get(zip, at + 24, 4);
        const uint32_t nameLength = Get(zip, at + 28, 2);
        const uint32_t extraLength = Get(zip, at + 30, 2);
        const uint32_t commentLength = Get(zip, at + 32, 2);
        const uint32_t localOffset = Get(zip, at + 42, 4);
        if (madeBy != 20 || needed != 20 || method != 8 || extraLength != 0 || commentLength != 0 ||
            Get(zip, at + 34, 2) != 0 || Get(zip, at + 38, 4) != 0) {
            return Fail("central record " + std::to_string(i) + ": unexpected version, method or extra fields");
        }
        if (at + 46 + nameLength > end) {
            return Fail("central record " + std::to_string(i) + " runs past the directory");
        }
        entry.name = std::string(zip.substr(at + 46, nameLength));
        at += 46 + nameLength;

        // The local header repeats the central record's fields and follows the previous entry directly.
        if (localOffset != expectedLocal) {
            return Fail(entry.name + ": local header not right after the previous entry");
        }
        if (localOffset + 30 > directoryOffset || Get(zip, localOffset, 4) != 0x04034b50) {
            return Fail(entry.name + ": no local header");
        }
        if (Get(zip, localOffset + 4, 2) != needed || Get(zip, localOffset + 6, 2) != entry.flags ||
            Get(zip, localOffset + 8, 2) != method || Get(zip, localOffset + 10, 2) != entry.dosTime ||
            Get(zip, localOffset + 12, 2) != entry.dosDate || Get(zip, localOffset + 14, 4) != entry.crc ||
            Get(zip, localOffset + 18, 4) != compressedSize || Get(zip, localOffset + 22, 4) != size ||
            Get(zip, localOffset + 26, 2) != nameLength || Get(zip, localOffset + 28, 2) != 0) {
            return Fail(entry.name + ": local header differs from its central record");
        }
        if (zip.substr(localOffset + 30, nameLength) != entry.name) {
            return Fail(entry.name + ": local name differs");
        }
        const size_t dataAt = localOffset + 30 + nameLength;
        if (dataAt + compressedSize > directoryOffset) {
            return Fail(entry.name + ": data runs into the directory");
        }
        if (!Inflate(zip.substr(dataAt, compressedSize), size, entry.data)) {
            return Fail(entry.name + ": data does not inflate to its stated size");
        }
        const uint32_t crc = static_cast<uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(entry.data.data()), static_cast<uInt>(entry.data.size())));
        if (crc != entry.crc) {
            return Fail(entry.name + ": CRC mismatch");
        }
        expectedLocal = dataAt + compressedSize;
        result.entries.push_back(std::move(entry));
    }
    if (at != end || expectedLocal != directoryOffset) {
        return Fail("gap or leftover bytes around the central directory");
    }
    result.ok = true;
    return result;
}

const ZipReadEntry* FindEntry(const ZipReadResult& zip, std::string_view name) {
    for (const ZipReadEntry& entry : zip.entries) {
        if (entry.name == name) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace zandrel
