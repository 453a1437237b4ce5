#include "profiles/global_listing.h"

#include <gtest/gtest.h>

#include "support/test_directory.h"

namespace kestrovan {
namespace {

using testing_support::TestDirectory;

class Listing : public TestDirectory {
 protected:
  Failure item_mode(const std::string& index, const std::string& item = "Plant") {
    write("Tallisan.Prf", index);
    return read_global_listing(
        {RunKind::kGlobalItemMode, "", "Tallisan.Prf", item, "ITEM=x", "ITEM=" + item + " x", ""},
        listing);
  }
  // `sensor_name`: the options' first word, upper-cased.
  Failure listing_mode(const std::string& gbl, const std::string& sensor_name) {
    write("SAP Tallisan.Gbl", gbl);
    return read_global_listing(
        {RunKind::kGlobalListingMode, "", "SAP Tallisan.Gbl", "", sensor_name, "", sensor_name},
        listing);
  }
  std::vector<std::string> names() {
    std::vector<std::string> all;
    while (has_more_profiles(listing)) all.push_back(take_profile_name(listing));
    return all;
  }

  GlobalListing listing;
};

const char kAllocated[] = ",Sensor=\"SAP Kestrovan\"";

TEST_F(Listing, ItemModeTakesTheMarkedLines) {
  EXPECT_FALSE(
      item_mode("# Gsng: 123456789012A.P00#B.P00#\n# gsng: 123456789012X.P00#\n"
                "remark\n# Gsng: 123456789012C.P00#\r\n# Gsng: short\n"));
  EXPECT_EQ(names(), (std::vector<std::string>{"A.P00", "B.P00", "C.P00"}));
  EXPECT_EQ(listing.item, "Plant");
  EXPECT_EQ(listing.parameter_text, "ITEM=Plant x");  // item mode keeps the options
}

TEST_F(Listing, ItemModeErrors) {
  EXPECT_EQ(
      read_global_listing({RunKind::kGlobalItemMode, "", "Tallisan.Prf", "P", "", "", ""}, listing)
          .value_or(""),
      "Error 1024: ProFile Tallisan.Prf is missing...");
  EXPECT_EQ(item_mode("# gsng: 123456789012A.P00#\n").value_or(""),
            "Error 1025: Global Server Listing missing...");
  EXPECT_EQ(item_mode("# Gsng: 123456789012A.P00#\n", "").value_or(""),
            "Error 1026: Global Item Idenification missing...");
}

TEST_F(Listing, ListingModeSelectsTheSensorsLines) {
  std::string gbl =
      "# GSNG: SENSOR1   xxA.P00#B.P00#\n"
      "# gsng: other     xxZ.P00#\n"
      "# gsng: sensor1   xxC.P0\n"
      "# GSNG: Sensor1   xx0#\n"
      "# GSNX: sensor1   xItem=Plant:A,Mode:x,Sensor=\"SAP Kestrovan\",Alias\n"
      "# GSNX: SENSOR1   xItem=Second" +
      std::string(kAllocated) + "\n";
  EXPECT_FALSE(listing_mode(gbl, "SENSOR1"));
  EXPECT_EQ(names(), (std::vector<std::string>{"A.P00", "B.P00", "C.P00"}));
  EXPECT_EQ(listing.item, "Plant A");
  EXPECT_EQ(listing.parameter_text, "Item=Plant A,Mode x");
}

TEST_F(Listing, SensorNamesEqualInTheirFirstTenCharacters) {
  std::string gbl =
      "# GSNG: ABCDEFGHIJxxA.P00#\n# GSNX: abcdefghijxItem=I" + std::string(kAllocated) + "\n";
  EXPECT_FALSE(listing_mode(gbl, "ABCDEFGHIJKLM"));
  EXPECT_EQ(names(), std::vector<std::string>{"A.P00"});
}

TEST_F(Listing, ItemAfterSensorAndMissingItem) {
  EXPECT_FALSE(
      listing_mode("# GSNG: S         xxA.P00#\n# GSNX: S         xMode=1,Sensor=\"SAP "
                   "Kestrovan\",Item=Late,More\n",
                   "S"));
  EXPECT_EQ(listing.item, "Late");
  EXPECT_EQ(listing.parameter_text, "Mode=1");
  EXPECT_EQ(listing_mode("# GSNG: S         xxA.P00#\n# GSNX: S         xMode=1" +
                             std::string(kAllocated) + "\n",
                         "S")
                .value_or(""),
            "Error 1026: Global Item Idenification missing...");
}

TEST_F(Listing, ListingModeErrors) {
  struct Row {
    std::string gbl;
    std::string message;
  };
  const Row rows[] = {
      {"# GSNG: S         xxA.P00#\n# GSNX: S         xItem=I,Sensor=\"SAP Other\"\n"
       "# GSNX: S         xItem=I" +
           std::string(kAllocated) + "\n",
       "Error 1029: Invalid Sensor-Allocation..."},
      {"# GSNG: S         xxA.P00#\n", "Error 1030: Global Sensor S not found..."},
      {"# GSNX: S         xItem=I" + std::string(kAllocated) + "\n",
       "Error 1025: Global Server Listing missing..."},
  };
  for (const Row& row : rows) EXPECT_EQ(listing_mode(row.gbl, "S").value_or(""), row.message);
  std::remove("SAP Tallisan.Gbl");
  EXPECT_EQ(read_global_listing(
                {RunKind::kGlobalListingMode, "", "SAP Tallisan.Gbl", "", "", "", "S"}, listing)
                .value_or(""),
            "Error 10x1: ProFile SAP Tallisan.Gbl is missing...");
}

TEST_F(Listing, LongListsAndEntriesAreHeldWhole) {
  std::string gbl;
  for (int i = 0; i < 300; ++i) gbl += "# GSNG: S         xxSYSTEM" + std::to_string(i) + ".P00#\n";
  std::string parameters = "Item=I," + std::string(150, 'p');
  gbl += "# GSNX: S         x" + parameters + std::string(kAllocated) + "\n";
  ASSERT_FALSE(listing_mode(gbl, "S"));
  EXPECT_EQ(names().size(), 300u);
  EXPECT_EQ(listing.parameter_text, parameters);
}

TEST(TakeProfileName, EmptyNamesAndUnclosedEnd) {
  GlobalListing listing;
  listing.system_list = "A##B";
  std::vector<std::string> names;
  while (has_more_profiles(listing)) names.push_back(take_profile_name(listing));
  EXPECT_EQ(names, (std::vector<std::string>{"A", "", "B"}));
}

}  // namespace
}  // namespace kestrovan
