// The container the mascot window runs on, and who owns its bytes: the program module for
// embedded data (never released), this object for a data file (released when replaced or
// destroyed). The views always look at the bytes held here.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "data/MascotData.h"

namespace mascot {

class DataSource {
public:
    DataSource() = default;
    // The views point into this object's buffer, so it stays where it is.
    DataSource(const DataSource&) = delete;
    DataSource& operator=(const DataSource&) = delete;

    // Runs on bytes someone else keeps alive for the whole run (an embedded resource).
    void Borrow(std::span<const uint8_t> bytes);
    // Runs on `bytes`, owned from now on; the previous buffer is released.
    void Adopt(std::vector<uint8_t> bytes);
    // Holds nothing afterwards.
    void Release();

    bool HasData() const { return !m_data.Bytes().empty(); }
    bool OwnsBytes() const { return !m_owned.empty(); }
    const MascotData& Data() const { return m_data; }

private:
    std::vector<uint8_t> m_owned;
    MascotData m_data;
};

}  // namespace mascot
