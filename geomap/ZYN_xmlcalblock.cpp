#include "geomap/ZYN_xmlcalblock.h"

#include <algorithm>
#include <initializer_list>
#include <span>
#include <utility>

#include "geomap/ZYN_geomaperror.h"
#include "geomap/ZYN_xmltext.h"
#include "support/ZYN_stringl.h"

namespace zyn {

std::string_view CalModelName(TCalibModel Model) noexcept {
  return Model <= cmUndefined ? CalModelNames[Model] : CalModelNames[cmUndefined];
}

TCalibModel CalModelFromName(std::string_view Name) noexcept {
  const auto it = std::find(CalModelNames.begin(), CalModelNames.end(), Name);
  return it == CalModelNames.end() ? cmUndefined : static_cast<TCalibModel>(it - CalModelNames.begin());
}

// ---- writing ----

namespace {

std::string Element(std::string_view Tag, std::string_view Value) {
  return "<" + std::string(Tag) + ">" + std::string(Value) + "</" + std::string(Tag) + ">";
}

std::string Attr(std::string_view Name, std::string_view Value) {
  return " " + std::string(Name) + "=\"" + std::string(Value) + "\"";
}

std::string OpeningTag(std::string_view Tag, std::initializer_list<std::pair<std::string_view, std::string>> Attrs) {
  std::string line = "<" + std::string(Tag);
  for (const auto& [name, value] : Attrs) line += Attr(name, value);
  return line + ">";
}

std::string ClosingTag(std::string_view Tag) { return "</" + std::string(Tag) + ">"; }

std::string DegreeItem(const TCoords& c) { return "[" + FormatFixed(c.Latit, 5) + "," + FormatFixed(c.Longit, 5) + "] "; }

std::int32_t Bounded(std::int32_t Count, std::int32_t Capacity) { return std::clamp(Count, 0, Capacity); }

void AppendCalLine(std::vector<std::string>& lines, const TCalibLine& line) {
  const std::int32_t n = Bounded(line.NumPoints, MaxCalLinePoints);
  lines.push_back(OpeningTag(XMLTagNames[xtCalLine], {{"type", line.LineType == gtlParallel ? "parallel" : "meridian"},
                                                      {"value", FormatGeneral(line.LineValue)},
                                                      {"npoints", std::to_string(n)}}));
  std::string points;
  for (std::int32_t p = 1; p <= n; ++p)
    points += "[" + std::to_string(line.CalPoints[p].X) + "," + std::to_string(line.CalPoints[p].Y) + "] ";
  lines.push_back(points);
  lines.push_back(ClosingTag(XMLTagNames[xtCalLine]));
}

void AppendCalQuads(std::vector<std::string>& lines, const TCalibData& calib) {
  const std::int32_t n = Bounded(calib.NumCalQuads, MaxCalQuads);
  lines.push_back(OpeningTag(XMLTagNames[xtCalQuads], {{"npoints", std::to_string(n)}}));
  std::string items;
  for (std::int32_t q = 1; q <= n; ++q) {
    const TCalQuad& cq = calib.CalQuads[q];
    items += "[" + FormatFixed(cq.Latitude, 5) + "," + FormatFixed(cq.Longitude, 5) + "," + std::to_string(cq.MapX) +
             "," + std::to_string(cq.MapY) + "] ";
  }
  lines.push_back(items);
  lines.push_back(ClosingTag(XMLTagNames[xtCalQuads]));
}

} // namespace

std::vector<std::string> CalBlockLines(bool WithDeclaration, std::string_view DataID, const TCalibData& Calib,
                                       TCalibModel Model, TCalBlockForm Form) {
  const bool streamForm = Form == cbfStream;
  std::vector<std::string> lines;
  if (WithDeclaration || streamForm) lines.emplace_back("<?xml version=\"1.0\"?>");
  lines.emplace_back();
  lines.emplace_back("<!-- TGeoMap Calibration / ZYN Component Suite -->");
  lines.push_back(OpeningTag(XMLTagNames[xtGeoMap], {{"sig", "VUVIRider"},
                                                     {"vers", "1.0"},
                                                     {"id", std::string(DataID)},
                                                     {"model", std::string(CalModelName(Model))},
                                                     {"map", Calib.MapFName},
                                                     {"caption", Calib.Caption}}));
  lines.push_back("<" + std::string(XMLTagNames[xtCorners]) + ">");
  std::string corners;
  for (TCorners c : {gcoTopLeft, gcoBottomLeft, gcoBottomRight, gcoTopRight}) corners += DegreeItem(Calib.Corners[c]);
  lines.push_back(corners);
  lines.push_back(ClosingTag(XMLTagNames[xtCorners]));
  if (Calib.Resolution > 0 || streamForm)
    lines.push_back(Element(XMLTagNames[xtResolution], FormatFixed(Calib.Resolution, 3)));
  if (Calib.UTMZone >= 1 && Calib.UTMZone <= 60) {
    lines.push_back(Element(XMLTagNames[xtUTMZone], std::to_string(Calib.UTMZone)));
    lines.push_back(Element(XMLTagNames[xtUTMSouth], Calib.UTMSouth ? "TRUE" : "FALSE"));
  }
  lines.push_back(Element(XMLTagNames[xtEllipsoid], GeoEllipsoidId[Calib.Ellipsoid]));
  for (std::int32_t k = 1; k <= Bounded(Calib.NumCalLines, MaxCalLines); ++k) AppendCalLine(lines, Calib.CalLines[k]);
  if (Calib.NumCalQuads > 0 || streamForm) AppendCalQuads(lines, Calib);
  lines.push_back(ClosingTag(XMLTagNames[xtGeoMap]));
  return lines;
}

// ---- reading the header ----

std::string HeaderAttr(std::string_view LowerLine, std::string_view Line, std::string_view Name) {
  const std::string key = std::string(Name) + "=\"";
  const std::size_t at = LowerLine.find(key);
  if (at == std::string_view::npos) return {};
  const std::size_t valueStart = at + key.size();
  // The closing quote is the second one counted from the start of the name.
  const std::size_t close = NthPos("\"", LowerLine, at + 1, 2);
  if (close == 0 || close - 1 < valueStart || close - 1 > Line.size()) return {};
  return TrimSpaces(Line.substr(valueStart, close - 1 - valueStart));
}

bool FindCalHeader(TCalBlockSource& Source, std::string_view WantedId, TCalHeader& Header) {
  const std::string wanted = LowerCaseAscii(WantedId);
  std::string line;
  while (Source.ReadLine(line)) {
    const std::string lower = LowerCaseAscii(line);
    if (lower.find("<geomap") == std::string::npos || lower.find("vuvirider") == std::string::npos) continue;
    const std::string id = HeaderAttr(lower, lower, "id");
    if (!wanted.empty() && id != wanted) continue;
    Header.Id = id;
    Header.HasModel = lower.find("model=\"") != std::string::npos;
    Header.Model = HeaderAttr(lower, lower, "model");
    Header.MapFName = HeaderAttr(lower, lower, "map");
    Header.Caption = HeaderAttr(lower, line, "caption");
    return true;
  }
  return false;
}

// ---- reading the elements ----

namespace {

/// Cuts the "[...]" items off the front of a content text.
class TItemReader {
public:
  explicit TItemReader(std::string_view Content) : FRest(Content) {}
  bool Next(std::string_view& Item) {
    const std::size_t open = FRest.find('[');
    const std::size_t close = FRest.find(']');
    if (open == std::string_view::npos || close == std::string_view::npos || open > close) return false;
    Item = FRest.substr(open + 1, close - open - 1);
    FRest.remove_prefix(close + 1);
    return true;
  }

private:
  std::string_view FRest;
};

/// Position just after the first "," of an item; past the end when it has none.
std::size_t AfterComma(std::string_view Item) {
  const std::size_t comma = Item.find(',');
  return comma == std::string_view::npos ? Item.size() + 1 : comma + 2;
}

std::string TrimLineText(std::string_view Text) {
  const std::size_t first = Text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return std::string(Text.substr(first, Text.find_last_not_of(" \t\r\n") - first + 1));
}

double ScanNumberAt(std::string_view Text, std::size_t Pos) { return ScanFloatNum(Text, true, dsmEither, Pos); }

std::int32_t ScanIntAt(std::string_view Text, std::size_t Pos) { return ScanDecInt(Text, Pos); }

/// Value of an attribute of an element tag by plain text search ("name=\"...\"").
std::string ElementAttr(std::string_view Attr, std::string_view Name) {
  const std::string lower = LowerCaseAscii(Attr);
  return HeaderAttr(lower, lower, Name);
}

[[noreturn]] void RaiseCountMismatch(const TCalReadRules& Rules) {
  throw EZYNGeoMapError(Rules.MessagePrefix + "specified number of calibration points and actual number does not match");
}

void ReadCalLine(std::string_view Attr, std::string_view Content, TCalibData& Calib, const TCalReadRules& Rules) {
  TCalibLine line;
  const std::string type = ElementAttr(Attr, "type");
  if (type == "parallel")
    line.LineType = gtlParallel;
  else if (type == "meridian")
    line.LineType = gtlMeridian;
  else
    throw EZYNGeoMapError(Rules.MessagePrefix + "invalid type of graticule line: type=\"" + type + "\"");
  line.LineValue = ScanNumberAt(ElementAttr(Attr, "value"), 1);
  const std::int32_t announced = ScanIntAt(ElementAttr(Attr, "npoints"), 1);
  std::int32_t read = 0;
  TItemReader items(Content);
  for (std::string_view item; items.Next(item); ++read) {
    if (read >= MaxCalLinePoints) continue; // beyond the line's capacity: ignored
    TPoint& p = line.CalPoints[static_cast<std::size_t>(read + 1)];
    p.X = ScanIntAt(item, 1);
    p.Y = ScanIntAt(item, AfterComma(item));
  }
  line.NumPoints = std::min(read, MaxCalLinePoints);
  const bool keep = !(Rules.DropShortLines && announced < 3);
  if (keep && Calib.NumCalLines < MaxCalLines) {
    Calib.NumCalLines = std::max(Calib.NumCalLines, 0) + 1;
    Calib.CalLines[static_cast<std::size_t>(Calib.NumCalLines)] = line;
  }
  if (read != announced) RaiseCountMismatch(Rules);
}

void ReadCorners(std::string_view Content, TCalibData& Calib) {
  TItemReader items(Content);
  std::string_view item;
  for (TCorners c : {gcoTopLeft, gcoBottomLeft, gcoBottomRight, gcoTopRight}) {
    if (!items.Next(item)) return;
    Calib.Corners[c].Longit = ScanNumberAt(item, AfterComma(item));
    Calib.Corners[c].Latit = ScanNumberAt(item.substr(0, item.find(',')), 1);
  }
}

void ReadCalQuads(std::string_view Attr, std::string_view Content, TCalibData& Calib, const TCalReadRules& Rules) {
  const std::int32_t announced = ScanIntAt(ElementAttr(Attr, "npoints"), 1);
  std::int32_t read = 0;
  TItemReader items(Content);
  for (std::string_view item; items.Next(item); ++read) {
    if (read >= MaxCalQuads) continue; // beyond the record's capacity: ignored
    TCalQuad& q = Calib.CalQuads[static_cast<std::size_t>(read + 1)];
    // "," separates the fields, so the numbers take "." only and no exponent.
    std::size_t pos = 1;
    q.Latitude = ScanFloatNum(item, false, dsmPoint, pos);
    ++pos;
    q.Longitude = ScanFloatNum(item, false, dsmPoint, pos);
    ++pos;
    q.MapX = ScanDecInt(item, pos);
    ++pos;
    q.MapY = ScanDecInt(item, pos);
  }
  // The record counts what it holds, also when the announcement was wrong.
  Calib.NumCalQuads = std::min(read, MaxCalQuads);
  if (read != announced) RaiseCountMismatch(Rules);
}

/// An identifier not in the table gives WGS 84, so the record stays valid.
TGeoEllipsoid EllipsoidFromId(std::string_view Id) {
  const int ix = StringIx(Id, std::span(GeoEllipsoidId.Items));
  return ix >= 1 ? static_cast<TGeoEllipsoid>(ix - 1) : gelWGS84;
}

} // namespace

void ReadCalBlockElements(TCalBlockSource& Source, TCalibData& Calib, const TCalReadRules& Rules) {
  std::string attr;
  std::string content;
  for (;;) {
    const std::int32_t tag = Source.NextTag(attr, content);
    switch (tag) {
      case xtGeoMapEnd:
      case xtInvalidTag: return;
      case xtCalLine: ReadCalLine(attr, content, Calib, Rules); break;
      case xtCorners: ReadCorners(content, Calib); break;
      case xtResolution: Calib.Resolution = ScanNumberAt(content, 1); break;
      case xtCalQuads: ReadCalQuads(attr, content, Calib, Rules); break;
      case xtUTMZone: Calib.UTMZone = ScanIntAt(content, 1); break;
      case xtUTMSouth: Calib.UTMSouth = LowerCaseAscii(TrimLineText(content)) == "true"; break;
      case xtEllipsoid: Calib.Ellipsoid = EllipsoidFromId(TrimLineText(content)); break;
      default:
        // Any other tag, and any number outside the table, is skipped; a
        // scanner that reports no progress past the end still ends the loop.
        if (tag < 0 || tag > XMLTagHigh) return;
        break;
    }
  }
}

} // namespace zyn
