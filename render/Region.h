// A set of pixels kept as sorted row bands of half-open spans: the window shape as the core
// sees it. Backends turn it into their own shape type.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/Types.h"

namespace mascot {

struct Span {
    int32_t left = 0;   // inclusive
    int32_t right = 0;  // exclusive
    friend bool operator==(const Span&, const Span&) = default;
};

// Invariants (the canonical form, so that equal pixel sets compare equal): bands are sorted by
// top and do not overlap; each band has at least one span; spans are sorted, non-empty and
// neither overlap nor touch; two bands that touch vertically never have equal spans.
class Region {
public:
    struct Band {
        int32_t top = 0;
        int32_t bottom = 0;  // exclusive
        std::vector<Span> spans;
        friend bool operator==(const Band&, const Band&) = default;
    };

    Region() = default;
    static Region FromRect(const Rect& rect);

    bool IsEmpty() const { return m_bands.empty(); }
    bool Contains(int32_t x, int32_t y) const;
    Rect BoundingBox() const;
    std::vector<Rect> Rects() const;
    const std::vector<Band>& Bands() const { return m_bands; }
    size_t RectCount() const;

    void Unite(const Region& other);
    void AddRect(const Rect& rect);

    // Adds the pixels of row y covered by `spans`. Fast when rows come top to bottom with their
    // spans sorted, non-empty and not touching (what a scan produces): the row then extends the
    // last band or becomes a new one. Any other input takes the general union and gives the same
    // region. A row at the largest int32_t y cannot be represented and is ignored.
    void AppendRow(int32_t y, std::span<const Span> spans);

    friend bool operator==(const Region&, const Region&) = default;

private:
    std::vector<Band> m_bands;
};

}  // namespace mascot
