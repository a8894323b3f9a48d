// GDI+ start-up and shutdown as one move-only guard. Start() once before the first drawing object is made; the
// guard shuts GDI+ down when it goes away, after every drawing object must be gone.
#pragma once

#include <cstdint>
#include <utility>

namespace zandrel {

class GdiplusSession {
  public:
    GdiplusSession() = default;
    ~GdiplusSession() { Stop(); }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    GdiplusSession(GdiplusSession&& other) noexcept : token_(std::exchange(other.token_, 0)) {}
    GdiplusSession& operator=(GdiplusSession&& other) noexcept {
        if (this != &other) {
            Stop();
            token_ = std::exchange(other.token_, 0);
        }
        return *this;
    }

    // Starts GDI+ (a running session of this guard is kept). False when GdiplusStartup fails.
    [[nodiscard]] bool Start();
    void Stop();
    bool IsRunning() const { return token_ != 0; }

  private:
    uintptr_t token_ = 0;
};

}  // namespace zandrel
