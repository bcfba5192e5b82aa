#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <set>
#include <string>

#include "geobasics/ZYN_geobasics.h"

namespace zyn {
namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

bool IsSphere(TGeoEllipsoid e) { return GeoEllipsoidData[e][0] == GeoEllipsoidData[e][1]; }

TEST(Ellipsoids, TablesHaveOneRowPerEllipsoidInOrdinalOrder) {
  struct Row { TGeoEllipsoid E; const char* Id; const char* Name; double A, B; };
  const Row rows[] = {
      {gelWGS84, "gelWGS84", "WGS 1984", 6378137.0, 6356752.314245},
      {gelClrk80RGS, "gelClrk80RGS", "Clarke 1880 RGS", 6378249.145, 6356514.86955},
      {gelEver30Ind, "gelEver30Ind", "Everest 1830 (India 1937 adj.)", 6377276.3452, 6356075.4133},
      {gelSphere, "gelSphere", "Normal Sphere", 6370997.0, 6370997.0},
      {gelClrk80intfoot, "gelClrk80intfoot", "Clarke 1880 (international foot)", 6378306.3696, 6356571.996},
      {gelNahrwan29, "gelNahrwan29", "Nahrwan 1929", 6378300.782, 6356566.42744},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.Id);
    EXPECT_EQ(GeoEllipsoidId[r.E], r.Id);
    EXPECT_EQ(GeoEllipsoidName[r.E], r.Name);
    EXPECT_EQ(GeoEllipsoidData[r.E][0], r.A);
    EXPECT_EQ(GeoEllipsoidData[r.E][1], r.B);
  }
  EXPECT_EQ(static_cast<int>(gelNahrwan29), 60);

  std::set<std::string_view> ids(GeoEllipsoidId.begin(), GeoEllipsoidId.end());
  std::set<std::string_view> names(GeoEllipsoidName.begin(), GeoEllipsoidName.end());
  EXPECT_EQ(ids.size(), GeoEllipsoidCount);
  EXPECT_EQ(names.size(), GeoEllipsoidCount);
  for (std::size_t i = 0; i < GeoEllipsoidCount; ++i) {
    const auto e = static_cast<TGeoEllipsoid>(i);
    EXPECT_EQ(GeoEllipsoidId[e].substr(0, 3), "gel");
    EXPECT_GE(GeoEllipsoidData[e][0], GeoEllipsoidData[e][1]) << GeoEllipsoidId[e];
  }
}

TEST(Ellipsoids, ValueOutsideTheEnumerationReadsNoRow) {
  for (int v : {61, 200, 255}) {
    const auto e = static_cast<TGeoEllipsoid>(v);
    EXPECT_EQ(GeoEllipsoidId[e], "");
    EXPECT_EQ(GeoEllipsoidName[e], "");
    EXPECT_TRUE(std::isnan(GeoEllipsoidData[e][0]));
    EXPECT_TRUE(std::isnan(GeoEllEccSquared(e)));
  }
}

TEST(Ellipsoids, ExactlyTheFourSpheresHaveZeroFlatteningAndEccentricity) {
  std::set<TGeoEllipsoid> spheres;
  for (std::size_t i = 0; i < GeoEllipsoidCount; ++i) {
    const auto e = static_cast<TGeoEllipsoid>(i);
    if (!IsSphere(e)) continue;
    spheres.insert(e);
    EXPECT_EQ(RecipFlattening(e), 0.0);
    EXPECT_EQ(GeoEllEccSquared(e), 0.0);
  }
  EXPECT_EQ(spheres, (std::set<TGeoEllipsoid>{gelSphere, gelAuthSph, gelInt24AuthSph, gelPopVisSphere}));
}

TEST(Ellipsoids, Wgs84ShapeParametersMatchTheirDefinition) {
  EXPECT_NEAR(RecipFlattening(gelWGS84), 298.257223563, 1e-6);
  EXPECT_NEAR(GeoEllEccSquared(gelWGS84), 0.00669437999014, 1e-13);
  EXPECT_NEAR(GeoEllEccSquared(298.257223563), 0.00669437999014, 1e-13);
}

TEST(Ellipsoids, ShapeConversionsAgreeForEveryEllipsoid) {
  for (std::size_t i = 0; i < GeoEllipsoidCount; ++i) {
    const auto e = static_cast<TGeoEllipsoid>(i);
    SCOPED_TRACE(std::string(GeoEllipsoidId[e]));
    const auto [a, b] = GeoEllipsoidData[e];
    const double e2 = GeoEllEccSquared(e), rf = RecipFlattening(e);
    EXPECT_EQ(GeoEllEccSquared(a, b), GeoEllEccSquared(b, a));
    EXPECT_NEAR(GeoEllEccSquared(a, b), e2, 1e-15);
    EXPECT_DOUBLE_EQ(RecipFlattening(a, b), rf);
    EXPECT_NEAR(GeoEllEccSquared(rf), e2, 1e-15);
    EXPECT_NEAR(RecipFlattening(e2), rf, 1e-6 * (rf + 1));
    EXPECT_NEAR(EllipsoidMinAxFlat(a, rf), b, 1e-6);
    EXPECT_NEAR(EllipsoidMinAxEcc(a, e2), b, 1e-6);
  }
}

TEST(Ellipsoids, DegenerateShapesGiveZeroOrTheMajorAxis) {
  EXPECT_EQ(GeoEllEccSquared(0.0), 0.0);
  EXPECT_EQ(GeoEllEccSquared(6378137.0, 6378137.0), 0.0);
  EXPECT_EQ(RecipFlattening(6378137.0, 6378137.0), 0.0);
  EXPECT_EQ(RecipFlattening(0.0), 0.0);
  EXPECT_EQ(EllipsoidMinAxFlat(6378137.0, 0.0), 6378137.0);
  EXPECT_EQ(EllipsoidMinAxEcc(6378137.0, 0.0), 6378137.0);
  EXPECT_EQ(RecipFlattening(1.0), 1.0);  // e² = 1: a flat disc, b = 0
}

TEST(Ellipsoids, InvalidShapeParametersRaiseWithTheirMessage) {
  struct Case { const char* What; std::function<double()> Call; const char* Message; };
  const Case cases[] = {
      {"negative reciprocal flattening", [] { return EllipsoidMinAxFlat(6378137.0, -1.0); },
       "invalid reciprocal flattening"},
      {"NaN reciprocal flattening", [] { return EllipsoidMinAxFlat(6378137.0, NaN); },
       "invalid reciprocal flattening"},
      {"negative e² for the minor axis", [] { return EllipsoidMinAxEcc(6378137.0, -0.01); },
       "invalid eccentricity"},
      {"e² above 1 for the minor axis", [] { return EllipsoidMinAxEcc(6378137.0, 1.5); },
       "invalid eccentricity"},
      {"negative e² for the flattening", [] { return RecipFlattening(-0.01); }, "invalid eccentricity"},
      {"e² above 1 for the flattening", [] { return RecipFlattening(1.01); }, "invalid eccentricity"},
      {"NaN e² for the flattening", [] { return RecipFlattening(NaN); }, "invalid eccentricity"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    try {
      c.Call();
      ADD_FAILURE() << "no exception";
    } catch (const EZYNGeoBasicsError& e) {
      EXPECT_STREQ(e.what(), c.Message);
      EXPECT_NE(dynamic_cast<const EZYNError*>(&e), nullptr);
    }
  }
}

} // namespace
} // namespace zyn
