// Items whose bounding box intersects a rectangle, from the coordinate indexes.
//
// Each of the four conditions of an intersection is a contiguous run of one
// sorted index, found by two binary searches. With the largest item extent E
// known, "LatLow <= north" narrows to "south - E <= LatLow <= north" (and
// likewise for the other indexes), which for small items is a thin band. The
// shortest of these runs is scanned and every candidate checked in full.

#include <algorithm>
#include <cmath>

#include "geodb/ZYN_gdbinternal.h"

namespace zyn {

namespace {

struct TRun {
  const TIxLLRecArray* Ix = nullptr;
  std::size_t First = 0, Last = 0;
  std::size_t Length() const { return Last - First; }
};

/// Entries of Ix whose key lies in [Lo, Hi].
TRun RunBetween(const TIxLLRecArray& Ix, double Lo, double Hi) {
  auto lower = std::lower_bound(Ix.begin(), Ix.end(), Lo, [](const TIxLLRec& r, double v) { return r.LLValue < v; });
  auto upper = std::upper_bound(Ix.begin(), Ix.end(), Hi, [](double v, const TIxLLRec& r) { return v < r.LLValue; });
  TRun run{&Ix, static_cast<std::size_t>(lower - Ix.begin()), static_cast<std::size_t>(upper - Ix.begin())};
  run.Last = std::max(run.First, run.Last);
  return run;
}

bool BoxIntersects(const TgdbData& d, double South, double North, double West, double East) {
  return d.LatLow <= d.LatHigh && d.LongLow <= d.LongHigh && d.LatLow <= North && d.LatHigh >= South &&
         d.LongLow <= East && d.LongHigh >= West;
}

} // namespace

void TGeoDB::NoteExtentOf(const TgdbData& D) const {
  if (!FMaxExtent) return;
  if (D.LatHigh >= D.LatLow) FMaxExtent->first = std::max(FMaxExtent->first, double{D.LatHigh} - D.LatLow);
  if (D.LongHigh >= D.LongLow) FMaxExtent->second = std::max(FMaxExtent->second, double{D.LongHigh} - D.LongLow);
}

std::vector<std::int32_t> TGeoDB::SearchItemsInBox(const TRectDouble& Box, std::optional<TgdbItem> Kind) const {
  std::vector<std::int32_t> found;
  const double south = std::min(Box.Top, Box.Bottom), north = std::max(Box.Top, Box.Bottom);
  const double west = std::min(Box.Left, Box.Right), east = std::max(Box.Left, Box.Right);
  if (FNumSumItems == 0 || std::isnan(south + north + west + east)) return found;
  FlushPendingIndexEntries();
  if (!FMaxExtent) {
    FMaxExtent.emplace(0.0, 0.0);
    for (const TgdbData& d : FSumData) NoteExtentOf(d);
  }
  const double eLat = FMaxExtent->first, eLong = FMaxExtent->second;
  const TRun runs[] = {
      RunBetween(FIx1LatLo, south - eLat, north),   // LatLow
      RunBetween(FIx2LatHi, south, north + eLat),   // LatHigh
      RunBetween(FIx3LongLo, west - eLong, east),   // LongLow
      RunBetween(FIx4LongHi, west, east + eLong),   // LongHigh
  };
  const TRun& best = *std::min_element(std::begin(runs), std::end(runs),
                                       [](const TRun& a, const TRun& b) { return a.Length() < b.Length(); });
  for (std::size_t p = best.First; p < best.Last; ++p) {
    const std::int32_t r = (*best.Ix)[p].index;
    const TgdbData& d = FSumData[static_cast<std::size_t>(r)];
    if ((!Kind || d.ItemKind == *Kind) && BoxIntersects(d, south, north, west, east)) found.push_back(r + 1);
  }
  std::sort(found.begin(), found.end());
  return found;
}

} // namespace zyn
