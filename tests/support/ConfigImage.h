#pragma once

// Tolvi.cfg images built by hand at the file's literal offsets, apart from
// the code under test, so that both sides must agree on the layout.

#include "config/ConfigList.h"

#include <cstdint>
#include <string>
#include <vector>

struct TestPreferences {
    std::string defaultConnection;
    std::uint32_t testAddress = 0x7F000001; // 127.0.0.1, control order
    std::uint32_t dhcpWait = 7000;
    std::int32_t exitAfterApply = 0;
    std::int32_t exitAfterAuto = 0;
};

struct TestRecord {
    std::string name;
    std::string connection = "Local Area Network";
    std::int32_t dhcpAddress = 0;
    std::int32_t dhcpDns = 0;
    std::uint32_t ip = 0, mask = 0, gateway = 0, dns1 = 0, dns2 = 0, dns3 = 0;
    MoreAddresses moreAddresses = {};
    MoreGateways moreGateways = {};
};

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value);
std::uint32_t GetU32(const std::vector<std::uint8_t>& bytes, std::size_t offset);
// Writes the text's bytes without a terminator; the caller's zeros supply it.
void PutText(std::vector<std::uint8_t>& bytes, std::size_t offset, const std::string& text);

// Texts are given in UTF-8; version 1 holds them in Latin-1. Version 2
// ends in its CRC-32.
std::vector<std::uint8_t> MakeConfigFile(const TestPreferences& prefs, const std::vector<TestRecord>& records,
                                         std::uint32_t version = 1);
// A version 2 image with its checksum made right again.
std::vector<std::uint8_t> Sealed(std::vector<std::uint8_t> bytes);

ConnectionSettings RecordSettings(const TestRecord& r);

// Adds the records to a list, in order.
void AddAll(CConfigList& list, const std::vector<TestRecord>& records);

// A file that loads damaged or not at all, with what loading it must give.
struct DamagedFile {
    const char* name;
    std::vector<std::uint8_t> bytes;
    LoadResult result;
    bool defaults;                   // the preferences are the defaults
    std::vector<std::string> loaded; // names of the configurations kept, in order
    bool rewritten;                  // saving right after loading replaces it
};

std::vector<DamagedFile> DamagedFiles();

// Sound files of a few shapes, as fuzzing seeds.
std::vector<std::vector<std::uint8_t>> SoundFiles();
