#include "data/DataSource.h"

#include <utility>

namespace mascot {

void DataSource::Borrow(std::span<const uint8_t> bytes) {
    m_owned.clear();
    m_owned.shrink_to_fit();
    m_data = MascotData(bytes);
}

void DataSource::Adopt(std::vector<uint8_t> bytes) {
    m_owned = std::move(bytes);
    m_data = MascotData(m_owned);
}

void DataSource::Release() {
    m_data = MascotData();
    m_owned.clear();
    m_owned.shrink_to_fit();
}

}  // namespace mascot
