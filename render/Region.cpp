#include "render/Region.h"

#include <algorithm>
#include <array>
#include <limits>

namespace mascot {
namespace {

// Union of two sorted, canonical span lists.
std::vector<Span> MergeSpans(const std::vector<Span>& a, const std::vector<Span>& b) {
    std::vector<Span> out;
    out.reserve(a.size() + b.size());
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() || j < b.size()) {
        const Span next = (j >= b.size() || (i < a.size() && a[i].left <= b[j].left)) ? a[i++] : b[j++];
        if (!out.empty() && next.left <= out.back().right)
            out.back().right = std::max(out.back().right, next.right);
        else
            out.push_back(next);
    }
    return out;
}

const std::vector<Span>* SpansAt(const std::vector<Region::Band>& bands, size_t index, int32_t y) {
    if (index < bands.size() && bands[index].top <= y && y < bands[index].bottom)
        return &bands[index].spans;
    return nullptr;
}

void PushBand(std::vector<Region::Band>& bands, int32_t top, int32_t bottom, std::vector<Span> spans) {
    if (spans.empty() || top >= bottom)
        return;
    if (!bands.empty() && bands.back().bottom == top && bands.back().spans == spans) {
        bands.back().bottom = bottom;
        return;
    }
    bands.push_back(Region::Band{top, bottom, std::move(spans)});
}

// Sorted, non-empty spans that neither overlap nor touch: the form a band keeps.
bool IsCanonicalRow(std::span<const Span> spans) {
    for (size_t k = 0; k < spans.size(); ++k) {
        if (spans[k].left >= spans[k].right)
            return false;
        if (k > 0 && spans[k].left <= spans[k - 1].right)
            return false;
    }
    return true;
}

std::vector<Span> CanonicalRow(std::span<const Span> spans) {
    std::vector<Span> sorted;
    sorted.reserve(spans.size());
    for (const Span& span : spans)
        if (span.left < span.right)
            sorted.push_back(span);
    std::sort(sorted.begin(), sorted.end(), [](const Span& a, const Span& b) { return a.left < b.left; });
    return MergeSpans(sorted, {});
}

}  // namespace

Region Region::FromRect(const Rect& rect) {
    Region region;
    if (rect.left < rect.right && rect.top < rect.bottom)
        region.m_bands.push_back(Band{rect.top, rect.bottom, {Span{rect.left, rect.right}}});
    return region;
}

bool Region::Contains(int32_t x, int32_t y) const {
    auto band = std::upper_bound(m_bands.begin(), m_bands.end(), y,
                                 [](int32_t value, const Band& b) { return value < b.bottom; });
    if (band == m_bands.end() || y < band->top)
        return false;
    return std::any_of(band->spans.begin(), band->spans.end(),
                       [x](const Span& s) { return s.left <= x && x < s.right; });
}

Rect Region::BoundingBox() const {
    if (m_bands.empty())
        return Rect{};
    Rect box{std::numeric_limits<int32_t>::max(), m_bands.front().top, std::numeric_limits<int32_t>::min(),
             m_bands.back().bottom};
    for (const Band& band : m_bands) {
        box.left = std::min(box.left, band.spans.front().left);
        box.right = std::max(box.right, band.spans.back().right);
    }
    return box;
}

std::vector<Rect> Region::Rects() const {
    std::vector<Rect> rects;
    rects.reserve(RectCount());
    for (const Band& band : m_bands)
        for (const Span& span : band.spans)
            rects.push_back(Rect{span.left, band.top, span.right, band.bottom});
    return rects;
}

size_t Region::RectCount() const {
    size_t count = 0;
    for (const Band& band : m_bands)
        count += band.spans.size();
    return count;
}

void Region::Unite(const Region& other) {
    if (other.IsEmpty())
        return;
    if (IsEmpty()) {
        m_bands = other.m_bands;
        return;
    }
    // Sweep the row boundaries of both regions; between two boundaries each side has one span
    // list (or none), and their union forms one band of the result.
    std::vector<int32_t> edges;
    edges.reserve(2 * (m_bands.size() + other.m_bands.size()));
    for (const std::vector<Band>* bands : std::array<const std::vector<Band>*, 2>{&m_bands, &other.m_bands})
        for (const Band& band : *bands) {
            edges.push_back(band.top);
            edges.push_back(band.bottom);
        }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

    std::vector<Band> result;
    size_t i = 0;
    size_t j = 0;
    static const std::vector<Span> kNone;
    for (size_t e = 0; e + 1 < edges.size(); ++e) {
        const int32_t top = edges[e];
        const int32_t bottom = edges[e + 1];
        while (i < m_bands.size() && m_bands[i].bottom <= top)
            ++i;
        while (j < other.m_bands.size() && other.m_bands[j].bottom <= top)
            ++j;
        const std::vector<Span>* a = SpansAt(m_bands, i, top);
        const std::vector<Span>* b = SpansAt(other.m_bands, j, top);
        if (!a && !b)
            continue;
        PushBand(result, top, bottom, MergeSpans(a ? *a : kNone, b ? *b : kNone));
    }
    m_bands = std::move(result);
}

void Region::AddRect(const Rect& rect) { Unite(FromRect(rect)); }

void Region::AppendRow(int32_t y, std::span<const Span> spans) {
    // A row at the largest y has no exclusive bottom to represent it.
    if (spans.empty() || y == std::numeric_limits<int32_t>::max())
        return;
    if (!IsCanonicalRow(spans)) {
        const std::vector<Span> canonical = CanonicalRow(spans);
        AppendRow(y, canonical);
        return;
    }
    if (!m_bands.empty()) {
        Band& last = m_bands.back();
        if (y < last.bottom) {
            // Out of order: fall back to the general union.
            Region row;
            row.m_bands.push_back(Band{y, y + 1, std::vector<Span>(spans.begin(), spans.end())});
            Unite(row);
            return;
        }
        if (last.bottom == y &&
            std::equal(last.spans.begin(), last.spans.end(), spans.begin(), spans.end())) {
            last.bottom = y + 1;
            return;
        }
    }
    m_bands.push_back(Band{y, y + 1, std::vector<Span>(spans.begin(), spans.end())});
}

}  // namespace mascot
