#pragma once

#include <cstdint>

#include "comport/SettingValues.h"
#include "toolkit/object/ToolkitObject.h"

namespace comport {

class ComPort;

// The four groups of settings a port owns. Each setter does nothing for the
// value already stored; otherwise it stores the value and, through Owner,
// hands the whole group to the device at once when the port is open. Made by
// CreateObject: members without an initializer start at zero.

class Buffer : public toolkit::ToolkitObject {
public:
    ComPort* Owner;

    std::int32_t InputSize() const { return inputSize; }
    std::int32_t OutputSize() const { return outputSize; }

    // An odd positive size is stored one lower; the equality test uses the
    // value as passed.
    void SetInputSize(std::int32_t size);
    void SetOutputSize(std::int32_t size);

private:
    void ChangeSize(std::int32_t& field, std::int32_t size);

    std::int32_t inputSize = 1024;
    std::int32_t outputSize = 1024;
};

class Parity : public toolkit::ToolkitObject {
public:
    ComPort* Owner;

    ParityMode Mode() const { return mode; }
    bool Check() const { return check; }
    bool Replace() const { return replace; }
    char ReplaceChar() const { return replaceChar; }

    void SetMode(ParityMode value);
    void SetCheck(bool on);
    void SetReplace(bool on);
    void SetReplaceChar(char character);

private:
    ParityMode mode;
    bool check;
    bool replace;
    char replaceChar;
};

class Timeouts : public toolkit::ToolkitObject {
public:
    ComPort* Owner;

    // Milliseconds; -1 is MAXDWORD.
    std::int32_t ReadInterval() const { return readInterval; }
    std::int32_t ReadTotalMultiplier() const { return readTotalMultiplier; }
    std::int32_t ReadTotalConstant() const { return readTotalConstant; }
    std::int32_t WriteTotalMultiplier() const { return writeTotalMultiplier; }
    std::int32_t WriteTotalConstant() const { return writeTotalConstant; }

    void SetReadInterval(std::int32_t value);
    void SetReadTotalMultiplier(std::int32_t value);
    void SetReadTotalConstant(std::int32_t value);
    void SetWriteTotalMultiplier(std::int32_t value);
    void SetWriteTotalConstant(std::int32_t value);

private:
    void Change(std::int32_t& field, std::int32_t value);

    // A read returns at once with what is queued; a write of n bytes gives
    // up after 1000 + 100 n milliseconds.
    std::int32_t readInterval = -1;
    std::int32_t readTotalMultiplier;
    std::int32_t readTotalConstant;
    std::int32_t writeTotalMultiplier = 100;
    std::int32_t writeTotalConstant = 1000;
};

class FlowControl : public toolkit::ToolkitObject {
public:
    ComPort* Owner;

    bool OutCtsFlow() const { return outCtsFlow; }
    bool OutDsrFlow() const { return outDsrFlow; }
    comport::DtrControl DtrControl() const { return dtrControl; }
    comport::RtsControl RtsControl() const { return rtsControl; }
    bool OutX() const { return outX; }
    bool InX() const { return inX; }
    bool DsrSensitivity() const { return dsrSensitivity; }
    bool TxContinueOnXoff() const { return txContinueOnXoff; }
    char XonChar() const { return xonChar; }
    char XoffChar() const { return xoffChar; }

    void SetOutCtsFlow(bool on);
    void SetOutDsrFlow(bool on);
    void SetDtrControl(comport::DtrControl value);
    void SetRtsControl(comport::RtsControl value);
    void SetOutX(bool on);
    void SetInX(bool on);
    void SetDsrSensitivity(bool on);
    void SetTxContinueOnXoff(bool on);
    void SetXonChar(char character);
    void SetXoffChar(char character);

private:
    template <typename T>
    void Change(T& field, T value);

    bool outCtsFlow;
    bool outDsrFlow;
    comport::DtrControl dtrControl;
    comport::RtsControl rtsControl;
    bool outX;
    bool inX;
    bool dsrSensitivity;
    bool txContinueOnXoff;
    char xonChar = 0x11;
    char xoffChar = 0x13;
};

} // namespace comport
