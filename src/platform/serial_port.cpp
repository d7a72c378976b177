#include "platform/serial_port.h"

SerialPort::~SerialPort()
{
    Close();
}

PortOpenResult SerialPort::Open(const std::string& device, int baud)
{
    Close();
    PortOpenResult why;
    m_handle = OpenSerialDevice(device, baud, &why);
    m_hung_up = false;
    return why;
}

void SerialPort::Close()
{
    if (m_handle == kInvalidSerialHandle)
        return;
    CloseSerialDevice(m_handle);
    m_handle = kInvalidSerialHandle;
}

bool SerialPort::NoteAlive(bool alive)
{
    if (!alive)
        m_hung_up = true;
    return alive;
}

SerialReadResult SerialPort::Read(uint8_t* buffer, size_t capacity)
{
    if (HasHungUp())
        return {0, false};
    const SerialReadResult read = ReadSerial(m_handle, buffer, capacity);
    NoteAlive(read.m_alive);
    return read;
}

bool SerialPort::ReadAvailable(std::vector<uint8_t>& bytes)
{
    return !HasHungUp() && NoteAlive(ReadSerialAvailable(m_handle, bytes));
}

SerialWriteResult SerialPort::Write(const uint8_t* data, size_t count)
{
    return WriteSerial(m_handle, data, count);
}

SerialWait SerialPort::WaitReadable(const StopSignal& stop)
{
    if (HasHungUp())
        return SerialWait::kGone;
    const SerialWait wait = WaitSerialReadable(m_handle, stop);
    NoteAlive(wait != SerialWait::kGone);
    return wait;
}

SerialTimedWait SerialPort::WaitReadableFor(const StopSignal& stop, std::chrono::milliseconds limit)
{
    if (HasHungUp())
        return SerialTimedWait::kGone;
    const SerialTimedWait wait = WaitSerialReadableFor(m_handle, stop, limit);
    NoteAlive(wait != SerialTimedWait::kGone);
    return wait;
}

SerialTimedWait SerialPort::WaitWritableFor(const StopSignal& stop, std::chrono::milliseconds limit)
{
    return WaitSerialWritableFor(m_handle, stop, limit);
}
