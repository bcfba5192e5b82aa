// The five sorted indexes: insertion, removal, binary searches, rebuilding,
// the consistency check of an opened set, and the clamped accessors.

#include <algorithm>
#include <cmath>
#include <cstring>

#include "geodb/ZYN_gdbinternal.h"

namespace zyn {

namespace {

float KeyOfRec(const TIxLLRec& r) noexcept { return r.LLValue; }
std::int32_t KeyOfRec(const TIxItemIDRec& r) noexcept { return r.ItemID; }
std::int32_t ItemIdOf(const TgdbData& d) noexcept { return d.ItemId; }

struct TSearchStop {
  std::int64_t Mid = 0;
  bool Found = false;
};

/// The binary search shared by insertion and look-ups over Ix[0..Count-1]:
/// it stops at the first equal key it meets. Key and the widened stored key
/// are compared as type K.
template <class K, class Ix, class KeyOf>
TSearchStop SearchSorted(const Ix& ix, std::int64_t Count, K Key, KeyOf keyOf) {
  TSearchStop s;
  std::int64_t lo = 0, hi = Count - 1;
  while (lo <= hi && !s.Found) {
    s.Mid = (lo + hi) / 2;
    const K k = static_cast<K>(keyOf(ix[static_cast<std::size_t>(s.Mid)]));
    if (Key > k) lo = s.Mid + 1;
    else if (Key < k) hi = s.Mid - 1;
    else s.Found = true;
  }
  return s;
}

/// Position (from 1) of an equal key, or where Key would be inserted.
template <class K, class Ix, class KeyOf>
std::int32_t ClosestPosition(const Ix& ix, K Key, KeyOf keyOf) {
  if (ix.empty()) return 1;
  const TSearchStop s = SearchSorted<K>(ix, static_cast<std::int64_t>(ix.size()), Key, keyOf);
  const bool above = Key > static_cast<K>(keyOf(ix[static_cast<std::size_t>(s.Mid)]));
  return static_cast<std::int32_t>(s.Mid + 1 + (above ? 1 : 0));
}

/// Sorted insertion into the free last slot of Ix.
template <class K, class Rec, class KeyOf>
void InsertSorted(std::vector<Rec>& Ix, const Rec& R, KeyOf keyOf) {
  if (Ix.empty()) Ix.resize(1);
  const std::int64_t occupied = static_cast<std::int64_t>(Ix.size()) - 1;
  std::int64_t p = 0;
  if (occupied > 0) {
    const K key = static_cast<K>(keyOf(R));
    const TSearchStop s = SearchSorted<K>(Ix, occupied, key, keyOf);
    p = s.Mid + (key > static_cast<K>(keyOf(Ix[static_cast<std::size_t>(s.Mid)])) ? 1 : 0);
  }
  std::move_backward(Ix.begin() + p, Ix.end() - 1, Ix.end());
  Ix[static_cast<std::size_t>(p)] = R;
}

/// Removes the first entry (within the first Count) that refers to record Record.
template <class Rec>
void RemoveRecordEntry(std::vector<Rec>& Ix, std::int64_t Count, std::int32_t Record) {
  const std::size_t n = std::min(Ix.size(), static_cast<std::size_t>(std::max<std::int64_t>(Count, 0)));
  for (std::size_t i = 0; i < n; ++i) {
    if (Ix[i].index == Record) {
      std::move(Ix.begin() + static_cast<std::ptrdiff_t>(i) + 1, Ix.end(), Ix.begin() + static_cast<std::ptrdiff_t>(i));
      return;
    }
  }
}

/// A strict weak order for sorting keys: NaN after every number.
bool KeyBefore(float a, float b) noexcept {
  if (std::isnan(a)) return false;
  return std::isnan(b) || a < b;
}
bool KeyBefore(std::int32_t a, std::int32_t b) noexcept { return a < b; }

/// The entries of records First..Last-1, sorted by key, ties in record order.
template <class Rec, class KeyFn>
std::vector<Rec> SortedEntries(const std::vector<TgdbData>& Sum, std::size_t First, std::size_t Last, KeyFn key) {
  std::vector<Rec> out;
  out.reserve(Last - First);
  for (std::size_t i = First; i < Last; ++i) out.push_back(Rec{key(Sum[i]), static_cast<std::int32_t>(i)});
  std::stable_sort(out.begin(), out.end(), [&](const Rec& a, const Rec& b) { return KeyBefore(KeyOfRec(a), KeyOfRec(b)); });
  return out;
}

/// Merges sorted Added into sorted Ix; existing entries go first among equal keys.
template <class Rec>
void MergeInto(std::vector<Rec>& Ix, const std::vector<Rec>& Added) {
  std::vector<Rec> merged;
  merged.reserve(Ix.size() + Added.size());
  std::size_t i = 0, j = 0;
  while (i < Ix.size() && j < Added.size())
    merged.push_back(KeyBefore(KeyOfRec(Added[j]), KeyOfRec(Ix[i])) ? Added[j++] : Ix[i++]);
  merged.insert(merged.end(), Ix.begin() + static_cast<std::ptrdiff_t>(i), Ix.end());
  merged.insert(merged.end(), Added.begin() + static_cast<std::ptrdiff_t>(j), Added.end());
  Ix.swap(merged);
}

/// True when Ix holds one entry per record, its keys are the records' own and ascend.
template <class Rec, class KeyFn>
bool IndexMatches(const std::vector<Rec>& Ix, const std::vector<TgdbData>& Sum, KeyFn key) {
  if (Ix.size() != Sum.size()) return false;
  std::vector<bool> seen(Sum.size(), false);
  for (std::size_t p = 0; p < Ix.size(); ++p) {
    const std::int32_t r = Ix[p].index;
    if (r < 0 || static_cast<std::size_t>(r) >= Sum.size() || seen[static_cast<std::size_t>(r)]) return false;
    seen[static_cast<std::size_t>(r)] = true;
    const auto own = key(Sum[static_cast<std::size_t>(r)]);
    const auto stored = KeyOfRec(Ix[p]);
    if (std::memcmp(&own, &stored, sizeof own) != 0) return false;
    if (p > 0 && stored < KeyOfRec(Ix[p - 1])) return false;
  }
  return true;
}

template <class Rec>
Rec Clamped(const std::vector<Rec>& Ix, std::int32_t ix, std::int32_t Count) {
  if (Count <= 0 || Ix.empty()) return Rec{};
  Rec r = Ix[static_cast<std::size_t>(std::clamp(ix, 1, Count) - 1)];
  ++r.index;
  return r;
}

} // namespace

float GdbIndexKey(const TgdbData& D, int Index) noexcept {
  switch (Index) {
    case 1: return D.LatLow;
    case 2: return D.LatHigh;
    case 3: return D.LongLow;
    default: return D.LongHigh;
  }
}

void TGeoDB::SortIxInto(TIxLLRecArray& Ix, const TIxLLRec& Rec) {
  InsertSorted<float>(Ix, Rec, [](const TIxLLRec& r) { return r.LLValue; });
}

void TGeoDB::SortIxItemIDInto(TIxItemIDRecArray& Ix, const TIxItemIDRec& Rec) {
  InsertSorted<std::int32_t>(Ix, Rec, [](const TIxItemIDRec& r) { return r.ItemID; });
}

void TGeoDB::InsertIntoIndex(std::int32_t n, const TgdbData& d) {
  SortIxItemIDInto(FIx0ItemId, {d.ItemId, n - 1});
  SortIxInto(FIx1LatLo, {d.LatLow, n - 1});
  SortIxInto(FIx2LatHi, {d.LatHigh, n - 1});
  SortIxInto(FIx3LongLo, {d.LongLow, n - 1});
  SortIxInto(FIx4LongHi, {d.LongHigh, n - 1});
}

void TGeoDB::RemoveIndexEntries(std::int32_t n) {
  RemoveRecordEntry(FIx0ItemId, FNumSumItems, n - 1);
  RemoveRecordEntry(FIx1LatLo, FNumSumItems, n - 1);
  RemoveRecordEntry(FIx2LatHi, FNumSumItems, n - 1);
  RemoveRecordEntry(FIx3LongLo, FNumSumItems, n - 1);
  RemoveRecordEntry(FIx4LongHi, FNumSumItems, n - 1);
}

void TGeoDB::AppendFreeIndexSlots() {
  FIx0ItemId.emplace_back();
  for (auto* ix : {&FIx1LatLo, &FIx2LatHi, &FIx3LongLo, &FIx4LongHi}) ix->emplace_back();
}

void TGeoDB::CutIndexes(std::size_t Count) {
  FIx0ItemId.resize(std::min(FIx0ItemId.size(), Count));
  for (auto* ix : {&FIx1LatLo, &FIx2LatHi, &FIx3LongLo, &FIx4LongHi}) ix->resize(std::min(ix->size(), Count));
}

void TGeoDB::FlushPendingIndexEntries() const {
  if (FNumIndexed >= FNumSumItems) return;
  const auto first = static_cast<std::size_t>(FNumIndexed);
  const auto last = static_cast<std::size_t>(FNumSumItems);
  MergeInto(FIx0ItemId, SortedEntries<TIxItemIDRec>(FSumData, first, last, ItemIdOf));
  TIxLLRecArray* ll[] = {&FIx1LatLo, &FIx2LatHi, &FIx3LongLo, &FIx4LongHi};
  for (int i = 1; i <= 4; ++i)
    MergeInto(*ll[i - 1], SortedEntries<TIxLLRec>(FSumData, first, last,
                                                  [i](const TgdbData& d) { return GdbIndexKey(d, i); }));
  FNumIndexed = FNumSumItems;
}

void TGeoDB::RebuildIndexes() const {
  FIx0ItemId.clear();
  FIx1LatLo.clear();
  FIx2LatHi.clear();
  FIx3LongLo.clear();
  FIx4LongHi.clear();
  FNumIndexed = 0;
  FlushPendingIndexEntries();
}

bool TGeoDB::IndexesMatchSummary() const {
  if (!IndexMatches(FIx0ItemId, FSumData, ItemIdOf)) return false;
  const TIxLLRecArray* ll[] = {&FIx1LatLo, &FIx2LatHi, &FIx3LongLo, &FIx4LongHi};
  for (int i = 1; i <= 4; ++i)
    if (!IndexMatches(*ll[i - 1], FSumData, [i](const TgdbData& d) { return GdbIndexKey(d, i); })) return false;
  return true;
}

void TGeoDB::RecalcIndexes() {
  RebuildIndexes();
  SaveAllIndexes();
}

std::int32_t TGeoDB::GetClosestItemIDIx(std::int32_t ItemID) const {
  FlushPendingIndexEntries();
  return ClosestPosition<std::int32_t>(FIx0ItemId, ItemID, [](const TIxItemIDRec& r) { return r.ItemID; });
}

namespace {
std::int32_t ClosestLL(const TIxLLRecArray& Ix, double v) {
  return ClosestPosition<double>(Ix, v, [](const TIxLLRec& r) { return r.LLValue; });
}
} // namespace

std::int32_t TGeoDB::GetClosestLatLowIx(double Latit) const {
  FlushPendingIndexEntries();
  return ClosestLL(FIx1LatLo, Latit);
}
std::int32_t TGeoDB::GetClosestLatHighIx(double Latit) const {
  FlushPendingIndexEntries();
  return ClosestLL(FIx2LatHi, Latit);
}
std::int32_t TGeoDB::GetClosestLongLowIx(double Longit) const {
  FlushPendingIndexEntries();
  return ClosestLL(FIx3LongLo, Longit);
}
std::int32_t TGeoDB::GetClosestLongHighIx(double Longit) const {
  FlushPendingIndexEntries();
  return ClosestLL(FIx4LongHi, Longit);
}

std::int32_t TGeoDB::SearchForItemID(std::int32_t ItemID) const {
  FlushPendingIndexEntries();
  const TSearchStop s = SearchSorted<std::int32_t>(FIx0ItemId, static_cast<std::int64_t>(FIx0ItemId.size()), ItemID,
                                                   [](const TIxItemIDRec& r) { return r.ItemID; });
  return s.Found ? FIx0ItemId[static_cast<std::size_t>(s.Mid)].index + 1 : 0;
}

TgdbData TGeoDB::GetSumdata(std::int32_t ix) const {
  if (FNumSumItems <= 0) return TgdbData{};
  return FSumData[static_cast<std::size_t>(std::clamp(ix, 1, FNumSumItems) - 1)];
}

TIxItemIDRec TGeoDB::GetIxItemID(std::int32_t ix) const {
  FlushPendingIndexEntries();
  return Clamped(FIx0ItemId, ix, FNumSumItems);
}
TIxLLRec TGeoDB::GetIxLatLow(std::int32_t ix) const {
  FlushPendingIndexEntries();
  return Clamped(FIx1LatLo, ix, FNumSumItems);
}
TIxLLRec TGeoDB::GetIxLatHigh(std::int32_t ix) const {
  FlushPendingIndexEntries();
  return Clamped(FIx2LatHi, ix, FNumSumItems);
}
TIxLLRec TGeoDB::GetIxLongLow(std::int32_t ix) const {
  FlushPendingIndexEntries();
  return Clamped(FIx3LongLo, ix, FNumSumItems);
}
TIxLLRec TGeoDB::GetIxLongHigh(std::int32_t ix) const {
  FlushPendingIndexEntries();
  return Clamped(FIx4LongHi, ix, FNumSumItems);
}

} // namespace zyn
