#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/FakeSerialApi.h"
#include "tests/support/Hex.h"

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

// The fake device, with its opens, writes and closes in its journal; others
// may write there too.
class RecordingLine : public FakeSerialApi {
public:
    Journal journal;

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
};
