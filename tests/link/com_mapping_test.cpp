#include "link/com_mapping.h"

#include <gtest/gtest.h>
#include <stdlib.h>

namespace korvan {
namespace {

TEST(ComMapping, AnEnvironmentOverrideNamesThePort) {
  ::setenv("KORVAN_COM16", "/dev/pts/77", 1);
  EXPECT_EQ(ComDevicePath(16), "/dev/pts/77");
  ::unsetenv("KORVAN_COM16");
  EXPECT_EQ(ComDevicePath(0), "");
  EXPECT_EQ(ComDevicePath(17), "");
}

TEST(ComMapping, DevicesAreListedOnceInAStableOrder) {
  const auto list = SerialDeviceList();
  EXPECT_EQ(list, SerialDeviceList());
  for (size_t i = 0; i < list.size(); ++i)
    for (size_t j = i + 1; j < list.size(); ++j) EXPECT_FALSE(SameDevice(list[i], list[j]));
}

}  // namespace
}  // namespace korvan
