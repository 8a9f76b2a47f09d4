#pragma once

#include <cstdint>
#include <string>

// Where Windows' duplicate address detection stands for an address that an
// adapter holds: after a static address is set, Windows first asks the
// network whether another computer has it.
enum class AddressState {
    Absent,    // the adapter's table does not hold it
    Tentative, // still being checked, and not used yet
    Duplicate, // another computer uses it, so it is never used
    Usable,
};

class IAddressStates {
public:
    virtual ~IAddressStates() = default;
    // `adapter` is the adapter's "{GUID}" name; `address` an address value
    // (the first dotted number in the least significant byte).
    virtual AddressState StateOf(const std::string& adapter, std::uint32_t address) = 0;
};
