#include "geodb/ZYN_gdbrecords.h"

#include <bit>
#include <cstring>

namespace zyn {

const std::array<const char*, 9> GDB_ITEMNAMES = {"Border", "Town",  "City", "Lake",     "River",
                                                  "Road",   "Route", "BLOB", "Undefined"};

const char* GdbItemName(TgdbItem Kind) noexcept {
  return Kind < GDB_ITEMNAMES.size() ? GDB_ITEMNAMES[Kind] : GDB_ITEMNAMES[gitUndefined];
}

bool IsPolygonKind(TgdbItem Kind) noexcept {
  switch (Kind) {
    case gitBorder: case gitCity: case gitLake: case gitRiver: case gitRoad: case gitRoute: return true;
    default: return false;
  }
}

TgdbName MakeGdbName(std::string_view Utf8) {
  TgdbName n;
  const std::string ansi = Utf8ToAnsi(Utf8);
  n.Chars.fill(' ');
  n.Length = static_cast<std::uint8_t>(std::min(ansi.size(), TgdbName::MaxLength()));
  std::memcpy(n.Chars.data(), ansi.data(), n.Length);
  return n;
}

namespace {

// Little-endian scalar access, independent of the host's byte order.
void PutU32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
std::uint32_t GetU32(const std::uint8_t* p) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(p[i]) << (8 * i);
  return v;
}
void PutI32(std::uint8_t* p, std::int32_t v) { PutU32(p, static_cast<std::uint32_t>(v)); }
std::int32_t GetI32(const std::uint8_t* p) { return static_cast<std::int32_t>(GetU32(p)); }
void PutF32(std::uint8_t* p, float v) { PutU32(p, std::bit_cast<std::uint32_t>(v)); }
float GetF32(const std::uint8_t* p) { return std::bit_cast<float>(GetU32(p)); }
void PutF64(std::uint8_t* p, double v) {
  const auto u = std::bit_cast<std::uint64_t>(v);
  PutU32(p, static_cast<std::uint32_t>(u));
  PutU32(p + 4, static_cast<std::uint32_t>(u >> 32));
}
double GetF64(const std::uint8_t* p) {
  return std::bit_cast<double>(GetU32(p) | (static_cast<std::uint64_t>(GetU32(p + 4)) << 32));
}

template <std::size_t N>
void PutText(std::uint8_t* p, const TShortString<N>& s) { s.ToBytes(p); }
template <std::size_t N>
void GetText(const std::uint8_t* p, TShortString<N>& s) { s.FromBytes(p); }

template <class Rec, class PutRec>
std::vector<std::uint8_t> RecsToBytes(const std::vector<Rec>& Ix, PutRec put) {
  std::vector<std::uint8_t> out(Ix.size() * GDB_IXREC_SIZE);
  for (std::size_t i = 0; i < Ix.size(); ++i) put(out.data() + i * GDB_IXREC_SIZE, Ix[i]);
  return out;
}
template <class Rec, class GetRec>
void RecsFromBytes(const std::vector<std::uint8_t>& Bytes, std::vector<Rec>& Ix, GetRec get) {
  Ix.resize(Bytes.size() / GDB_IXREC_SIZE);
  for (std::size_t i = 0; i < Ix.size(); ++i) Ix[i] = get(Bytes.data() + i * GDB_IXREC_SIZE);
}

} // namespace

void GdbDataToBytes(const TgdbData& D, std::uint8_t* Out) {
  std::memset(Out, 0, GDB_DATA_SIZE);
  PutI32(Out + 0, D.ItemId);
  PutText(Out + 4, D.Name);
  PutF32(Out + 64, D.Altitude);
  Out[68] = D.ClassFlag;
  PutI32(Out + 72, D.Tag);
  PutI32(Out + 76, D.BlobOffset);
  PutF64(Out + 80, D.Date);
  PutI32(Out + 88, D.StateFlag);
  PutF32(Out + 92, D.LatLow);
  PutF32(Out + 96, D.LatHigh);
  PutF32(Out + 100, D.LongLow);
  PutF32(Out + 104, D.LongHigh);
  Out[108] = D.ItemKind;
  PutI32(Out + 112, D.NumPoints);
  Out[116] = D.Closed ? 1 : 0;
}

TgdbData GdbDataFromBytes(const std::uint8_t* In) {
  TgdbData D;
  D.ItemId = GetI32(In + 0);
  GetText(In + 4, D.Name);
  D.Altitude = GetF32(In + 64);
  D.ClassFlag = In[68];
  D.Tag = GetI32(In + 72);
  D.BlobOffset = GetI32(In + 76);
  D.Date = GetF64(In + 80);
  D.StateFlag = GetI32(In + 88);
  D.LatLow = GetF32(In + 92);
  D.LatHigh = GetF32(In + 96);
  D.LongLow = GetF32(In + 100);
  D.LongHigh = GetF32(In + 104);
  D.ItemKind = static_cast<TgdbItem>(In[108]);
  D.NumPoints = GetI32(In + 112);
  D.Closed = In[116] != 0;
  return D;
}

void SystemDataToBytes(const TgdbSystemData& S, std::uint8_t* Out) {
  std::memset(Out, 0, GDB_SYSTEM_SIZE);
  PutI32(Out + 0, S.HighestID);
  PutI32(Out + 4, S.DBVersion);
  PutText(Out + 8, S.Description);
  PutI32(Out + 72, S.Revision);
  std::memcpy(Out + 76, S.Reserved.data(), S.Reserved.size());
}

TgdbSystemData SystemDataFromBytes(const std::uint8_t* In) {
  TgdbSystemData S;
  S.HighestID = GetI32(In + 0);
  S.DBVersion = GetI32(In + 4);
  GetText(In + 8, S.Description);
  S.Revision = GetI32(In + 72);
  std::memcpy(S.Reserved.data(), In + 76, S.Reserved.size());
  return S;
}

void MetaInfoToBytes(const TMetaInfo& M, std::uint8_t* Out) {
  PutText(Out + 0, M.Keywords);
  PutText(Out + 256, M.Caption);
  PutText(Out + 384, M.FilePath);
  PutText(Out + 512, M.Descriptor);
  PutText(Out + 768, M.Comment);
}

TMetaInfo MetaInfoFromBytes(const std::uint8_t* In) {
  TMetaInfo M;
  GetText(In + 0, M.Keywords);
  GetText(In + 256, M.Caption);
  GetText(In + 384, M.FilePath);
  GetText(In + 512, M.Descriptor);
  GetText(In + 768, M.Comment);
  return M;
}

void PointToBytes(const TSCoords& P, std::uint8_t* Out) {
  PutF32(Out, P.Latit);
  PutF32(Out + 4, P.Longit);
}

TSCoords PointFromBytes(const std::uint8_t* In) { return {GetF32(In), GetF32(In + 4)}; }

std::vector<std::uint8_t> IxRecsToBytes(const TIxLLRecArray& Ix) {
  return RecsToBytes(Ix, [](std::uint8_t* p, const TIxLLRec& r) { PutF32(p, r.LLValue); PutI32(p + 4, r.index); });
}
std::vector<std::uint8_t> IxRecsToBytes(const TIxItemIDRecArray& Ix) {
  return RecsToBytes(Ix, [](std::uint8_t* p, const TIxItemIDRec& r) { PutI32(p, r.ItemID); PutI32(p + 4, r.index); });
}
void IxRecsFromBytes(const std::vector<std::uint8_t>& Bytes, TIxLLRecArray& Ix) {
  RecsFromBytes(Bytes, Ix, [](const std::uint8_t* p) { return TIxLLRec{GetF32(p), GetI32(p + 4)}; });
}
void IxRecsFromBytes(const std::vector<std::uint8_t>& Bytes, TIxItemIDRecArray& Ix) {
  RecsFromBytes(Bytes, Ix, [](const std::uint8_t* p) { return TIxItemIDRec{GetI32(p), GetI32(p + 4)}; });
}

} // namespace zyn
