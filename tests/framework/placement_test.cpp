#include "framework/placement.h"

#include <gtest/gtest.h>

namespace velquor {
namespace {

TEST(Placement, CentreUneFenetreDeLaTailleDuCadreSurUnEcran640x480) {
  RectEcran r = CalculerCentrage({0, 0, 536, 450}, {0, 0, 640, 480});
  EXPECT_EQ(r, (RectEcran{52, 15, 588, 465}));
}

}  // namespace
}  // namespace velquor
