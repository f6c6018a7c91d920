#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../comport/FakeSerialApi.h"

using Strings = std::vector<std::string>;

// One log for what the action reads and what it writes, so that the order of
// the two shows.
class Journal {
public:
    void Add(std::string entry) { entries.push_back(std::move(entry)); }
    const Strings& Entries() const { return entries; }

    Strings Writes() const
    {
        Strings writes;
        for (const std::string& entry : entries)
            if (entry.rfind("write ", 0) == 0)
                writes.push_back(entry.substr(6));
        return writes;
    }

private:
    Strings entries;
};

inline std::string HexBytes(const void* data, DWORD length)
{
    std::string text;
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (DWORD i = 0; i < length; ++i) {
        char pair[4];
        std::snprintf(pair, sizeof pair, i == 0 ? "%02X" : " %02X", bytes[i]);
        text += pair;
    }
    return text;
}

// The fake device, with its opens, writes and closes in the journal.
class RecordingLine : public FakeSerialApi {
public:
    explicit RecordingLine(Journal& journal) : journal(journal) {}

    HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                       DWORD disposition, DWORD flags, HANDLE templateFile) override
    {
        journal.Add(std::string("open ") + name);
        return FakeSerialApi::CreateFileA(name, access, shareMode, security, disposition, flags,
                                          templateFile);
    }

    BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD length, LPDWORD written,
                   LPOVERLAPPED overlapped) override
    {
        journal.Add("write " + HexBytes(buffer, length));
        return FakeSerialApi::WriteFile(file, buffer, length, written, overlapped);
    }

    BOOL CloseHandle(HANDLE object) override
    {
        if (object == Device)
            journal.Add("close");
        return FakeSerialApi::CloseHandle(object);
    }

private:
    Journal& journal;
};
