#include "link/serial_reader_thread.h"

#include "platform/thread_priority.h"

#include <array>

namespace {

// Large enough that a flood costs few system calls per megabyte.
constexpr size_t kReadBufferSize = size_t{16} * 1024;

} // namespace

void SerialReaderThread::Start(SerialPort& port)
{
    Stop();
    m_stop.Reset();
    m_thread = std::thread(&SerialReaderThread::Run, this, std::ref(port));
    NameThread(m_thread, kSerialReaderThreadName);
}

void SerialReaderThread::Stop()
{
    if (!m_thread.joinable())
        return;
    m_stop.Signal();
    m_thread.join();
}

// Nothing may escape a thread. A reader that fails (out of memory for a
// burst) says so as a hang-up would, since either way nothing more arrives;
// an owner that cannot take even that news is left without it.
void SerialReaderThread::Run(SerialPort& port)
{
    bool stopped = false;
    try {
        stopped = ReadUntilStopped(port);
    } catch (...) {
    }
    if (stopped)
        return;
    try {
        m_receiver.OnReadingEnded();
    } catch (...) {
    }
}

// True when the stop signal ended the reading, false when the device did.
// A burst larger than the buffer is read over several passes, so the stop
// signal is looked at between reads even under a flood. Bytes that arrived
// before a hang-up are handed on before the hang-up is.
bool SerialReaderThread::ReadUntilStopped(SerialPort& port)
{
    RaiseCurrentThreadPriority();
    std::array<uint8_t, kReadBufferSize> buffer;
    for (;;) {
        const SerialWait wait = port.WaitReadable(m_stop);
        if (wait != SerialWait::kReadable)
            return wait == SerialWait::kStopped;
        const SerialReadResult read = port.Read(buffer.data(), buffer.size());
        if (read.m_count > 0)
            m_receiver.OnBytesRead(std::span(buffer.data(), read.m_count));
        if (!read.m_alive)
            return false;
    }
}
