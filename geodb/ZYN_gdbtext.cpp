// Record and text routines, name search and the readable listing of a set.

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iomanip>
#include <sstream>

#include "geodb/ZYN_gdbinternal.h"
#include "platform/ZYN_sysutils.h"
#include "support/ZYN_math1.h"

namespace zyn {

void ClearGdbData(TgdbData& D) {
  D.Name = MakeGdbName("");
  D.BlobOffset = -1;
  D.ItemId = 0;
  D.ClassFlag = 0;
  D.Tag = 0;
  D.ItemKind = gitUndefined;
  D.Closed = false;
  D.Date = GdbNow();
  D.StateFlag = 0;
  D.LatLow = 0;
  D.LatHigh = 0;
  D.LongLow = 0;
  D.LongHigh = 0;
  D.Altitude = 0;
}

void ClearMetaInfo(TMetaInfo& M) { M = TMetaInfo{}; }

TSCoords ExtractLocation(const TgdbData& D) { return {D.LatLow, D.LongLow}; }

namespace {
std::string GeoAngle(double Angle, double Limit, TDegreeFormat Format, std::int32_t Decimals, const char* Positive,
                     const char* Negative) {
  const double a = std::clamp(Angle, -Limit, Limit);
  return DegreeToStr(std::fabs(a), Format, Decimals) + (a >= 0 ? Positive : Negative);
}

bool SameNameIgnoringAsciiCase(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return lower(x) == lower(y);
  });
}
} // namespace

std::string GeoLatitude(double Angle, TDegreeFormat Format, std::int32_t Decimals) {
  return GeoAngle(Angle, 90, Format, Decimals, " N", " S");
}

std::string GeoLongitude(double Angle, TDegreeFormat Format, std::int32_t Decimals) {
  return GeoAngle(Angle, 180, Format, Decimals, " E", " W");
}

std::int32_t TGeoDB::SearchData(const std::string& Name, TgdbItem ItemType, std::int32_t StartSearchAt,
                                std::uint8_t ClassNumber) const {
  const std::string wanted = MakeGdbName(Name).Ansi();
  for (std::int32_t e = std::max(StartSearchAt, 1); e <= FNumSumItems; ++e) {
    const TgdbData& d = FSumData[static_cast<std::size_t>(e - 1)];
    if (d.ItemKind == ItemType && d.ClassFlag == ClassNumber && SameNameIgnoringAsciiCase(d.Name.Ansi(), wanted))
      return e;
  }
  return 0;
}

std::int32_t TGeoDB::SearchData(const std::string& Name) const {
  const std::string wanted = MakeGdbName(Name).Ansi();
  for (std::int32_t e = 1; e <= FNumSumItems; ++e)
    if (SameNameIgnoringAsciiCase(FSumData[static_cast<std::size_t>(e - 1)].Name.Ansi(), wanted)) return e;
  return 0;
}

void TGeoDB::ExportDataDebug(const std::string& FName) const {
  FlushPendingIndexEntries();
  std::ostringstream out;
  out << std::setprecision(9);
  out << "Database\t" << GetGDBName() << '\n'
      << "Version\t" << FSystemData.DBVersion << "\nRevision\t" << FSystemData.Revision << "\nHighestID\t"
      << FSystemData.HighestID << "\nDescription\t" << FSystemData.Description.Str() << "\nEntries\t" << FNumSumItems
      << "\n\nEntry\tItemId\tKind\tName\tClass\tTag\tState\tDate\tLatLow\tLatHigh\tLongLow\tLongHigh\tAltitude"
         "\tBlobOffset\tPoints/Size\tClosed\n";
  for (std::int32_t e = 1; e <= FNumSumItems; ++e) {
    const TgdbData& d = FSumData[static_cast<std::size_t>(e - 1)];
    out << e << '\t' << d.ItemId << '\t' << GdbItemName(d.ItemKind) << '\t' << d.Name.Str() << '\t'
        << int{d.ClassFlag} << '\t' << d.Tag << '\t' << d.StateFlag << '\t' << d.Date << '\t' << d.LatLow << '\t'
        << d.LatHigh << '\t' << d.LongLow << '\t' << d.LongHigh << '\t' << d.Altitude << '\t' << d.BlobOffset << '\t'
        << d.NumPoints << '\t' << (d.Closed ? "closed" : "open") << '\n';
  }
  out << "\nPosition\tItemID\tEntry\n";
  for (std::size_t p = 0; p < FIx0ItemId.size(); ++p)
    out << p + 1 << '\t' << FIx0ItemId[p].ItemID << '\t' << FIx0ItemId[p].index + 1 << '\n';
  const char* titles[] = {"LatLow", "LatHigh", "LongLow", "LongHigh"};
  const TIxLLRecArray* ll[] = {&FIx1LatLo, &FIx2LatHi, &FIx3LongLo, &FIx4LongHi};
  for (int i = 0; i < 4; ++i) {
    out << "\nPosition\t" << titles[i] << "\tEntry\n";
    for (std::size_t p = 0; p < ll[i]->size(); ++p)
      out << p + 1 << '\t' << (*ll[i])[p].LLValue << '\t' << (*ll[i])[p].index + 1 << '\n';
  }
  const std::string text = out.str();
  WriteWholeFile(FName, std::vector<std::uint8_t>(text.begin(), text.end()));
}

} // namespace zyn
