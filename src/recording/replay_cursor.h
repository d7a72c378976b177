#pragma once

#include <cstddef>
#include <optional>
#include <vector>

// Which frames of a recording are due as a replay runs: time on the
// recording advances with the wall clock times the speed, and every frame
// whose time has been reached is due once, in order. Paused, only a step
// moves on, one frame at a time.
class ReplayCursor {
public:
    // `times`: each frame's time in seconds, in recording order.
    explicit ReplayCursor(std::vector<double> times);

    struct Due {
        size_t m_first = 0;
        size_t m_end = 0; // one past the last due frame; m_first == m_end when none
    };
    // The frames due after `wall_seconds` more of replay.
    Due Advance(double wall_seconds);
    // Pauses and makes the next frame due: its index, or nothing at the end.
    std::optional<size_t> Step();

    void SetPaused(bool paused) { m_paused = paused; }
    bool Paused() const { return m_paused; }
    void SetSpeed(double speed) { m_speed = speed; }
    double Speed() const { return m_speed; }
    bool Finished() const { return m_next >= m_times.size(); }
    // Seconds into the recording, and its whole length.
    double Position() const { return m_position; }
    double Duration() const;

private:
    double Offset(size_t index) const { return m_times[index] - m_times.front(); }

    std::vector<double> m_times;
    size_t m_next = 0;
    double m_position = 0;
    double m_speed = 1;
    bool m_paused = false;
};
