#include "comport/PortSettings.h"

#include "comport/ComPort.h"

namespace comport {

namespace {

std::int32_t EvenSize(std::int32_t size)
{
    return (size > 0 && size % 2 == 1) ? size - 1 : size;
}

template <typename T>
bool Store(T& field, T value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

void HandOverDeviceControl(ComPort* owner)
{
    if (owner != nullptr)
        owner->ApplyDeviceControl();
}

} // namespace

void Buffer::ChangeSize(std::int32_t& field, std::int32_t size)
{
    if (size == field)
        return;
    field = EvenSize(size);
    if (Owner != nullptr)
        Owner->ApplyQueueSizes();
}

void Buffer::SetInputSize(std::int32_t size) { ChangeSize(inputSize, size); }
void Buffer::SetOutputSize(std::int32_t size) { ChangeSize(outputSize, size); }

void Parity::SetMode(ParityMode value)
{
    if (value <= HighestParityMode && Store(mode, value))
        HandOverDeviceControl(Owner);
}

void Parity::SetCheck(bool on)
{
    if (Store(check, on))
        HandOverDeviceControl(Owner);
}

void Parity::SetReplace(bool on)
{
    if (Store(replace, on))
        HandOverDeviceControl(Owner);
}

void Parity::SetReplaceChar(char character)
{
    if (Store(replaceChar, character))
        HandOverDeviceControl(Owner);
}

void Timeouts::Change(std::int32_t& field, std::int32_t value)
{
    if (Store(field, value) && Owner != nullptr)
        Owner->ApplyTimeouts();
}

void Timeouts::SetReadInterval(std::int32_t value) { Change(readInterval, value); }
void Timeouts::SetReadTotalMultiplier(std::int32_t value) { Change(readTotalMultiplier, value); }
void Timeouts::SetReadTotalConstant(std::int32_t value) { Change(readTotalConstant, value); }
void Timeouts::SetWriteTotalMultiplier(std::int32_t value) { Change(writeTotalMultiplier, value); }
void Timeouts::SetWriteTotalConstant(std::int32_t value) { Change(writeTotalConstant, value); }

template <typename T>
void FlowControl::Change(T& field, T value)
{
    if (Store(field, value))
        HandOverDeviceControl(Owner);
}

void FlowControl::SetOutCtsFlow(bool on) { Change(outCtsFlow, on); }
void FlowControl::SetOutDsrFlow(bool on) { Change(outDsrFlow, on); }

void FlowControl::SetDtrControl(comport::DtrControl value)
{
    if (value <= HighestDtrControl)
        Change(dtrControl, value);
}

void FlowControl::SetRtsControl(comport::RtsControl value)
{
    if (value <= HighestRtsControl)
        Change(rtsControl, value);
}

void FlowControl::SetOutX(bool on) { Change(outX, on); }
void FlowControl::SetInX(bool on) { Change(inX, on); }
void FlowControl::SetDsrSensitivity(bool on) { Change(dsrSensitivity, on); }
void FlowControl::SetTxContinueOnXoff(bool on) { Change(txContinueOnXoff, on); }
void FlowControl::SetXonChar(char character) { Change(xonChar, character); }
void FlowControl::SetXoffChar(char character) { Change(xoffChar, character); }

} // namespace comport
