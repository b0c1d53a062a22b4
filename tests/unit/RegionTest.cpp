#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <set>

#include "render/Region.h"
#include "support/ImageCompare.h"

namespace mascot {
namespace {

using Band = Region::Band;

// The canonical form equality relies on: sorted, non-overlapping bands with sorted, non-empty,
// non-touching spans, and no two vertically touching bands with equal spans.
::testing::AssertionResult IsCanonical(const Region& region) {
    const std::vector<Band>& bands = region.Bands();
    for (size_t b = 0; b < bands.size(); ++b) {
        const Band& band = bands[b];
        if (band.top >= band.bottom || band.spans.empty())
            return ::testing::AssertionFailure() << "band " << b << " is empty";
        if (b > 0 && bands[b - 1].bottom > band.top)
            return ::testing::AssertionFailure() << "band " << b << " overlaps the one above";
        if (b > 0 && bands[b - 1].bottom == band.top && bands[b - 1].spans == band.spans)
            return ::testing::AssertionFailure() << "band " << b << " should have been merged";
        for (size_t s = 0; s < band.spans.size(); ++s) {
            if (band.spans[s].left >= band.spans[s].right)
                return ::testing::AssertionFailure() << "empty span in band " << b;
            if (s > 0 && band.spans[s - 1].right >= band.spans[s].left)
                return ::testing::AssertionFailure() << "touching spans in band " << b;
        }
    }
    return ::testing::AssertionSuccess();
}

using PixelSet = std::set<std::pair<int32_t, int32_t>>;

void AddPixels(PixelSet& pixels, const Rect& r) {
    for (int32_t y = r.top; y < r.bottom; ++y)
        for (int32_t x = r.left; x < r.right; ++x)
            pixels.insert({x, y});
}

PixelSet PixelsOf(const Region& region) {
    PixelSet pixels;
    for (const Rect& r : region.Rects())
        AddPixels(pixels, r);
    return pixels;
}

TEST(RegionTest, FromRectIsEmptyForAnEmptyOrInvertedRectangle) {
    EXPECT_TRUE(Region::FromRect(Rect{3, 3, 3, 9}).IsEmpty());
    EXPECT_TRUE(Region::FromRect(Rect{3, 3, 9, 3}).IsEmpty());
    EXPECT_TRUE(Region::FromRect(Rect{5, 5, 1, 9}).IsEmpty());
    const Region one = Region::FromRect(Rect{0, 0, 1, 1});
    EXPECT_EQ(one.Rects(), (std::vector<Rect>{{0, 0, 1, 1}}));
    EXPECT_EQ(one.BoundingBox(), (Rect{0, 0, 1, 1}));
    EXPECT_EQ(Region().BoundingBox(), Rect{});
    EXPECT_EQ(Region().RectCount(), 0u);
}

TEST(RegionTest, ContainsHonoursHalfOpenEdges) {
    Region region = Region::FromRect(Rect{2, 1, 5, 3});
    region.AddRect(Rect{7, 2, 9, 6});
    struct Case {
        int32_t x, y;
        bool inside;
    };
    const Case cases[] = {{2, 1, true},  {4, 2, true},  {5, 1, false},  {1, 1, false}, {2, 0, false},
                          {2, 3, false}, {7, 2, true},  {8, 5, true},   {9, 5, false}, {7, 6, false},
                          {6, 2, false}, {3, 4, false}, {-1, -1, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "(" << c.x << ", " << c.y << ")");
        EXPECT_EQ(region.Contains(c.x, c.y), c.inside);
    }
    EXPECT_EQ(region.BoundingBox(), (Rect{2, 1, 9, 6}));
}

TEST(RegionTest, UniteGivesTheCanonicalBands) {
    struct Case {
        const char* what;
        std::vector<Rect> rects;
        std::vector<Band> bands;
    };
    const Case cases[] = {
        {"side by side, apart", {{0, 0, 2, 2}, {4, 0, 6, 2}}, {{0, 2, {{0, 2}, {4, 6}}}}},
        {"side by side, touching", {{0, 0, 2, 2}, {2, 0, 6, 2}}, {{0, 2, {{0, 6}}}}},
        {"stacked, touching", {{0, 0, 3, 2}, {0, 2, 3, 5}}, {{0, 5, {{0, 3}}}}},
        {"stacked, apart", {{0, 0, 3, 2}, {0, 3, 3, 5}}, {{0, 2, {{0, 3}}}, {3, 5, {{0, 3}}}}},
        {"overlapping", {{0, 0, 4, 4}, {2, 2, 6, 6}}, {{0, 2, {{0, 4}}}, {2, 4, {{0, 6}}}, {4, 6, {{2, 6}}}}},
        {"contained", {{0, 0, 10, 10}, {2, 2, 4, 4}}, {{0, 10, {{0, 10}}}}},
        {"cross", {{4, 0, 6, 10}, {0, 4, 10, 6}}, {{0, 4, {{4, 6}}}, {4, 6, {{0, 10}}}, {6, 10, {{4, 6}}}}},
        {"gap filled later", {{0, 0, 2, 1}, {4, 0, 6, 1}, {2, 0, 4, 1}}, {{0, 1, {{0, 6}}}}},
        {"negative coordinates",
         {{-5, -5, -1, -1}, {-3, -3, 2, 2}},
         {{-5, -3, {{-5, -1}}}, {-3, -1, {{-5, 2}}}, {-1, 2, {{-3, 2}}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Region forward;
        for (const Rect& r : c.rects)
            forward.AddRect(r);
        Region backward;
        for (auto r = c.rects.rbegin(); r != c.rects.rend(); ++r)
            backward.Unite(Region::FromRect(*r));
        EXPECT_EQ(forward.Bands(), c.bands);
        EXPECT_EQ(backward, forward);
    }
}

// Random rectangles, united in two orders, against a plain set of pixels.
TEST(RegionTest, UniteMatchesAPixelModelWhateverTheOrder) {
    std::mt19937 random(12345);
    std::uniform_int_distribution<int32_t> coordinate(-4, 20);
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE(round);
        std::vector<Rect> rects;
        const int count = 1 + round % 8;
        for (int k = 0; k < count; ++k) {
            const int32_t x0 = coordinate(random), x1 = coordinate(random);
            const int32_t y0 = coordinate(random), y1 = coordinate(random);
            rects.push_back(Rect{std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)});
        }
        PixelSet model;
        Region forward;
        for (const Rect& r : rects) {
            AddPixels(model, r);
            forward.AddRect(r);
        }
        Region pairwise;  // halves united with each other
        Region half;
        for (size_t k = 0; k < rects.size(); ++k)
            (k % 2 ? half : pairwise).AddRect(rects[k]);
        pairwise.Unite(half);

        ASSERT_TRUE(IsCanonical(forward));
        EXPECT_EQ(PixelsOf(forward), model);
        EXPECT_EQ(pairwise, forward);
        for (int32_t y = -5; y <= 21; ++y)
            for (int32_t x = -5; x <= 21; ++x)
                ASSERT_EQ(forward.Contains(x, y), model.count({x, y}) == 1) << "(" << x << ", " << y << ")";
    }
}

TEST(RegionTest, UniteWithItselfOrEmptyChangesNothing) {
    Region region = Region::FromRect(Rect{0, 0, 4, 4});
    region.AddRect(Rect{6, 2, 8, 9});
    const Region before = region;
    region.Unite(region);
    EXPECT_EQ(region, before);
    region.Unite(Region());
    EXPECT_EQ(region, before);
    Region empty;
    empty.Unite(before);
    EXPECT_EQ(empty, before);
}

TEST(RegionTest, AppendRowTopDownEqualsUnitingItsRectangles) {
    const std::vector<std::vector<Span>> rows = {
        {{2, 5}}, {{2, 5}}, {{1, 3}, {4, 8}}, {}, {{0, 9}}, {{0, 9}}, {{0, 9}}, {{3, 4}},
    };
    Region appended;
    Region united;
    for (size_t y = 0; y < rows.size(); ++y) {
        appended.AppendRow(int32_t(y), rows[y]);
        for (const Span& s : rows[y])
            united.AddRect(Rect{s.left, int32_t(y), s.right, int32_t(y) + 1});
    }
    EXPECT_TRUE(IsCanonical(appended));
    EXPECT_EQ(appended, united);
    EXPECT_EQ(appended.Bands().size(), 4u);  // rows 0-1, 2, 4-6 and 7: equal touching rows share a band
}

TEST(RegionTest, AppendRowAcceptsAnyInputAndStaysCanonical) {
    struct Case {
        const char* what;
        std::vector<std::pair<int32_t, std::vector<Span>>> rows;
    };
    const Case cases[] = {
        {"rows out of order", {{5, {{0, 4}}}, {2, {{1, 3}}}, {5, {{6, 8}}}, {3, {{0, 9}}}, {4, {{1, 3}}}}},
        {"unsorted spans", {{0, {{6, 8}, {0, 2}, {3, 4}}}}},
        {"touching spans", {{0, {{0, 2}, {2, 4}}}, {1, {{0, 4}}}}},
        {"overlapping spans", {{0, {{0, 5}, {3, 4}, {4, 9}}}}},
        {"empty and inverted spans", {{0, {{3, 3}, {5, 2}, {6, 7}}}, {1, {{4, 4}}}}},
        {"same row twice", {{1, {{0, 2}}}, {1, {{4, 6}}}, {2, {{0, 2}, {4, 6}}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Region appended;
        PixelSet model;
        for (const auto& [y, spans] : c.rows) {
            appended.AppendRow(y, spans);
            for (const Span& s : spans)
                AddPixels(model, Rect{s.left, y, s.right, y + 1});
        }
        EXPECT_TRUE(IsCanonical(appended));
        EXPECT_EQ(PixelsOf(appended), model);
    }
}

TEST(RegionTest, AppendRowIgnoresTheRowWithoutARepresentableBottom) {
    constexpr int32_t kLast = std::numeric_limits<int32_t>::max();
    const std::vector<Span> spans = {{0, 4}};
    Region region;
    region.AppendRow(kLast - 1, spans);
    region.AppendRow(kLast, spans);
    EXPECT_EQ(region.Rects(), (std::vector<Rect>{{0, kLast - 1, 4, kLast}}));
}

}  // namespace
}  // namespace mascot
