#include "platform/serial_device.h"

#include "platform/serial_device_win.h"
#include "platform/wide_text_win.h"

#include <algorithm>
#include <memory>
#include <optional>

namespace {

// A peer that never pauses must not keep one burst going for ever: the
// owner hears about the bytes at least every this many.
constexpr size_t kBurstLimit = size_t{64} * 1024;

// PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR.
constexpr DWORD kPurgeAll = 0x000F;

constexpr std::wstring_view kDevicePrefix = L"\\\\.\\";

PortOpenResult Failure(PortOpenCause cause, DWORD error)
{
    return PortOpenResult{cause, static_cast<int>(error)};
}

bool IsComPortName(std::wstring_view name)
{
    std::wstring_view rest = name;
    if (rest.substr(0, kDevicePrefix.size()) == kDevicePrefix)
        rest.remove_prefix(kDevicePrefix.size());
    return rest.size() > 3 && CompareStringOrdinal(rest.data(), 3, L"COM", 3, TRUE) == CSTR_EQUAL &&
           std::all_of(rest.begin() + 3, rest.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

// 8-N-1, binary, no flow control, DTR and RTS on; the driver's other
// settings (XON/XOFF characters, error character, ...) are kept.
PortOpenResult ApplyLineSettings(HANDLE port, int baud)
{
    DCB settings{};
    settings.DCBlength = sizeof settings;
    // Something that opens but has no serial state (a file, NUL) fails here.
    if (!GetCommState(port, &settings))
        return Failure(PortOpenCause::kNotSerial, GetLastError());
    if (baud <= 0)
        return Failure(PortOpenCause::kConfigRefused, ERROR_INVALID_PARAMETER);
    settings.BaudRate = static_cast<DWORD>(baud);
    settings.ByteSize = 8;
    settings.Parity = NOPARITY;
    settings.StopBits = ONESTOPBIT;
    settings.fBinary = TRUE;
    settings.fParity = FALSE;
    settings.fOutxCtsFlow = FALSE;
    settings.fOutxDsrFlow = FALSE;
    settings.fDtrControl = DTR_CONTROL_ENABLE;
    settings.fRtsControl = RTS_CONTROL_ENABLE;
    if (!SetCommState(port, &settings))
        return Failure(PortOpenCause::kConfigRefused, GetLastError());
    return {};
}

// Reads return at once with what the driver holds; writes never time out.
// Only received characters wake the reader. Both directions start empty.
PortOpenResult Configure(HANDLE port, int baud)
{
    if (const PortOpenResult line = ApplyLineSettings(port, baud); !line.Succeeded())
        return line;
    COMMTIMEOUTS timeouts{MAXDWORD, 0, 0, 0, 0};
    if (!SetCommTimeouts(port, &timeouts) || !SetCommMask(port, EV_RXCHAR) || !PurgeComm(port, kPurgeAll))
        return Failure(PortOpenCause::kConfigRefused, GetLastError());
    return {};
}

bool CreateOverlappedEvent(OVERLAPPED& overlapped)
{
    // Manual reset: the system resets it when an operation starts and sets
    // it when the operation ends, and looking at it does not consume it.
    overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    return overlapped.hEvent != nullptr;
}

void CloseOverlappedEvent(OVERLAPPED& overlapped)
{
    if (overlapped.hEvent != nullptr)
        CloseHandle(overlapped.hEvent);
}

// Every OVERLAPPED of the device, for creating and closing their events.
template <typename Visit> void ForEachOverlapped(SerialDevice& device, Visit visit)
{
    visit(device.m_wait_overlapped);
    visit(device.m_read_overlapped);
    for (SerialWriteSlot& slot : device.m_writes)
        visit(slot.m_overlapped);
}

bool CreateEvents(SerialDevice& device)
{
    bool created = true;
    ForEachOverlapped(
        device, [&](OVERLAPPED& overlapped) { created = created && CreateOverlappedEvent(overlapped); });
    return created;
}

// Waits until an operation the system may still write into has ended.
void AwaitEnd(HANDLE port, OVERLAPPED& overlapped)
{
    DWORD ignored = 0;
    GetOverlappedResult(port, &overlapped, &ignored, TRUE);
}

// Ends every operation still pending on the port before its OVERLAPPEDs and
// buffers go away: clearing the event mask completes a pending wait,
// purging aborts reads and writes, and CancelIoEx catches what a driver
// leaves running.
void EndPendingOperations(SerialDevice& device)
{
    SetCommMask(device.m_port, 0);
    PurgeComm(device.m_port, kPurgeAll);
    CancelIoEx(device.m_port, nullptr);
    if (device.m_wait_pending)
        AwaitEnd(device.m_port, device.m_wait_overlapped);
    device.m_wait_pending = false;
    for (SerialWriteSlot& slot : device.m_writes) {
        if (slot.m_busy)
            AwaitEnd(device.m_port, slot.m_overlapped);
        slot.m_busy = false;
    }
}

void Destroy(SerialDevice* device)
{
    if (device->m_port != INVALID_HANDLE_VALUE) {
        EndPendingOperations(*device);
        CloseHandle(device->m_port);
    }
    ForEachOverlapped(*device, CloseOverlappedEvent);
    delete device;
}

using DeviceOwner = std::unique_ptr<SerialDevice, decltype(&Destroy)>;

DeviceOwner OpenAndConfigure(const std::string& device_name, int baud, PortOpenResult& why)
{
    const std::wstring name = WideFromUtf8(device_name);
    DeviceOwner device(new SerialDevice, Destroy);
    if (!CreateEvents(*device)) {
        why = Failure(PortOpenCause::kOther, GetLastError());
        return {nullptr, Destroy};
    }
    // No sharing: the port belongs to this process alone while it is open.
    device->m_port = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_OVERLAPPED, nullptr);
    if (device->m_port == INVALID_HANDLE_VALUE) {
        why = OpenFailureCause(GetLastError(), name);
        return {nullptr, Destroy};
    }
    why = Configure(device->m_port, baud);
    if (!why.Succeeded())
        return {nullptr, Destroy};
    return device;
}

// Bytes the driver holds, or nothing when the port has failed. Clears the
// line's error flags (framing, parity, overrun): the bytes that did arrive
// are read as usual.
std::optional<DWORD> QueuedByteCount(HANDLE port)
{
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(port, &errors, &status))
        return std::nullopt;
    return status.cbInQue;
}

// Reads `count` bytes the driver already holds. With reads that return at
// once a pending read completes without waiting for more to arrive.
SerialReadResult ReadQueued(SerialDevice& device, uint8_t* buffer, DWORD count)
{
    DWORD got = 0;
    if (!ReadFile(device.m_port, buffer, count, nullptr, &device.m_read_overlapped) &&
        GetLastError() != ERROR_IO_PENDING)
        return {0, false};
    if (!GetOverlappedResult(device.m_port, &device.m_read_overlapped, &got, TRUE))
        return {0, false};
    return {got, true};
}

// Starts the wait for received characters. False when the port refuses it.
bool StartEventWait(SerialDevice& device)
{
    device.m_event_mask = 0;
    if (WaitCommEvent(device.m_port, &device.m_event_mask, &device.m_wait_overlapped))
        return true; // an event had already happened: the wait is over
    if (GetLastError() != ERROR_IO_PENDING)
        return false;
    device.m_wait_pending = true;
    return true;
}

// Collects the wait's result once its event is signalled.
bool FinishEventWait(SerialDevice& device)
{
    DWORD ignored = 0;
    device.m_wait_pending = false;
    return GetOverlappedResult(device.m_port, &device.m_wait_overlapped, &ignored, FALSE) != FALSE;
}

DWORD RemainingMs(ULONGLONG deadline)
{
    if (deadline == 0)
        return INFINITE;
    const ULONGLONG now = GetTickCount64();
    return now >= deadline ? 0 : static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, INFINITE - 1));
}

ULONGLONG DeadlineAfter(DWORD limit_ms)
{
    return limit_ms == INFINITE ? 0 : GetTickCount64() + limit_ms;
}

// Frees the slots whose writes have ended. False when one of them failed.
bool CollectFinishedWrites(SerialDevice& device)
{
    bool all_succeeded = true;
    for (SerialWriteSlot& slot : device.m_writes) {
        DWORD written = 0;
        if (!slot.m_busy)
            continue;
        if (GetOverlappedResult(device.m_port, &slot.m_overlapped, &written, FALSE)) {
            slot.m_busy = false;
        } else if (GetLastError() != ERROR_IO_INCOMPLETE) {
            slot.m_busy = false;
            all_succeeded = false;
        }
    }
    return all_succeeded;
}

SerialWriteSlot* FreeSlot(SerialDevice& device)
{
    for (SerialWriteSlot& slot : device.m_writes) {
        if (!slot.m_busy)
            return &slot;
    }
    return nullptr;
}

// The slot that was started first among the busy ones: the driver ends
// writes in order, so it frees first.
SerialWriteSlot* OldestBusySlot(SerialDevice& device)
{
    SerialWriteSlot* oldest = nullptr;
    for (SerialWriteSlot& slot : device.m_writes) {
        if (slot.m_busy && (oldest == nullptr || slot.m_sequence < oldest->m_sequence))
            oldest = &slot;
    }
    return oldest;
}

} // namespace

// A COM port another program holds answers ERROR_ACCESS_DENIED: the driver
// allows one open at a time.
PortOpenResult OpenFailureCause(DWORD error, std::wstring_view name)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        return Failure(PortOpenCause::kMissing, error);
    case ERROR_ACCESS_DENIED:
        return Failure(IsComPortName(name) ? PortOpenCause::kBusy : PortOpenCause::kPermission, error);
    case ERROR_SHARING_VIOLATION:
        return Failure(PortOpenCause::kBusy, error);
    default:
        return Failure(PortOpenCause::kOther, error);
    }
}

SerialDeviceWait WaitForInput(SerialDevice& device, HANDLE stop, DWORD limit_ms)
{
    const ULONGLONG deadline = DeadlineAfter(limit_ms);
    for (;;) {
        if (WaitForSingleObject(stop, 0) == WAIT_OBJECT_0)
            return SerialDeviceWait::kStopped;
        if (!device.m_wait_pending && !StartEventWait(device))
            return SerialDeviceWait::kGone;
        // Looked at after the wait has started, so that a byte arriving in
        // between is either counted here or wakes the wait.
        const std::optional<DWORD> queued = QueuedByteCount(device.m_port);
        if (!queued)
            return SerialDeviceWait::kGone;
        if (*queued > 0)
            return SerialDeviceWait::kReady;
        if (!device.m_wait_pending)
            continue;
        const HANDLE handles[2] = {stop, device.m_wait_overlapped.hEvent};
        switch (WaitForMultipleObjects(2, handles, FALSE, RemainingMs(deadline))) {
        case WAIT_OBJECT_0:
            return SerialDeviceWait::kStopped;
        case WAIT_TIMEOUT:
            return SerialDeviceWait::kTimedOut;
        case WAIT_OBJECT_0 + 1:
            if (!FinishEventWait(device))
                return SerialDeviceWait::kGone;
            break;
        default:
            return SerialDeviceWait::kGone;
        }
    }
}

SerialDeviceWait WaitForWriteSlot(SerialDevice& device, HANDLE stop, DWORD limit_ms)
{
    const ULONGLONG deadline = DeadlineAfter(limit_ms);
    for (;;) {
        if (!CollectFinishedWrites(device))
            return SerialDeviceWait::kGone;
        SerialWriteSlot* oldest = OldestBusySlot(device);
        if (FreeSlot(device) != nullptr || oldest == nullptr)
            return SerialDeviceWait::kReady;
        const HANDLE handles[2] = {stop, oldest->m_overlapped.hEvent};
        switch (WaitForMultipleObjects(2, handles, FALSE, RemainingMs(deadline))) {
        case WAIT_OBJECT_0:
            return SerialDeviceWait::kStopped;
        case WAIT_TIMEOUT:
            return SerialDeviceWait::kTimedOut;
        case WAIT_OBJECT_0 + 1:
            break;
        default:
            return SerialDeviceWait::kGone;
        }
    }
}

SerialHandle OpenSerialDevice(const std::string& device, int baud, PortOpenResult* why)
{
    PortOpenResult result;
    DeviceOwner opened = OpenAndConfigure(device, baud, result);
    if (why != nullptr)
        *why = result;
    return opened.release();
}

void CloseSerialDevice(SerialHandle handle)
{
    Destroy(handle);
}

SerialWait WaitSerialReadable(SerialHandle handle, const StopSignal& stop)
{
    switch (WaitForInput(*handle, stop.Handle(), INFINITE)) {
    case SerialDeviceWait::kReady:
        return SerialWait::kReadable;
    case SerialDeviceWait::kStopped:
        return SerialWait::kStopped;
    case SerialDeviceWait::kTimedOut:
    case SerialDeviceWait::kGone:
        break;
    }
    return SerialWait::kGone;
}

SerialReadResult ReadSerial(SerialHandle handle, uint8_t* buffer, size_t capacity)
{
    // Asking for no more than the driver holds keeps the read from waiting
    // on drivers that make an empty read wait for the first byte.
    const std::optional<DWORD> queued = QueuedByteCount(handle->m_port);
    if (!queued)
        return {0, false};
    const DWORD count = static_cast<DWORD>(std::min<size_t>(*queued, std::min<size_t>(capacity, MAXDWORD)));
    if (count == 0)
        return {0, true};
    return ReadQueued(*handle, buffer, count);
}

bool ReadSerialAvailable(SerialHandle handle, std::vector<uint8_t>& bytes)
{
    const size_t limit = bytes.size() + kBurstLimit;
    while (bytes.size() < limit) {
        const std::optional<DWORD> queued = QueuedByteCount(handle->m_port);
        if (!queued)
            return false;
        if (*queued == 0)
            return true;
        const size_t start = bytes.size();
        bytes.resize(start + std::min<size_t>(*queued, limit - start));
        const SerialReadResult read =
            ReadQueued(*handle, bytes.data() + start, static_cast<DWORD>(bytes.size() - start));
        bytes.resize(start + read.m_count);
        if (!read.m_alive)
            return false;
        if (read.m_count == 0)
            return true;
    }
    return true;
}

// Starts an overlapped write of a copy of the bytes and returns without
// waiting for it. A write that fails later is reported by the next call.
SerialWriteResult WriteSerial(SerialHandle handle, const uint8_t* data, size_t count)
{
    if (!CollectFinishedWrites(*handle))
        return {SerialWriteResult::kFailed, 0};
    SerialWriteSlot* slot = FreeSlot(*handle);
    if (slot == nullptr)
        return {SerialWriteResult::kWouldBlock, 0};
    if (count == 0)
        return {SerialWriteResult::kWritten, 0};
    const DWORD taken = static_cast<DWORD>(std::min<size_t>(count, MAXDWORD));
    slot->m_bytes.assign(data, data + taken);
    slot->m_sequence = ++handle->m_writes_started;
    if (!WriteFile(handle->m_port, slot->m_bytes.data(), taken, nullptr, &slot->m_overlapped) &&
        GetLastError() != ERROR_IO_PENDING)
        return {SerialWriteResult::kFailed, 0};
    slot->m_busy = true;
    return {SerialWriteResult::kWritten, taken};
}
