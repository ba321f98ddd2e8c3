#include "platform/sim/machine/profile.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

namespace lyn::sim {
namespace {

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::invalid_argument& e) {
    return e.what();
  }
  return "";
}

TEST(ProfileTextTest, PresetsAndAwkwardValuesSurviveTheRoundTrip) {
  for (const Preset& preset : Presets()) {
    EXPECT_EQ(ProfileFromText(ProfileToText(preset.profile)), preset.profile) << preset.name;
  }
  Profile profile;
  SetField(profile, "szCSDVersion", "  Service Pack 3  ");
  SetField(profile, "UserName", "\"Jos\xC3\xA9\"");
  SetField(profile, "UsersGroupName", "");
  SetField(profile, "Drive.D", "CDFS");
  SetField(profile, "Drive.D.VolumeName", "LYN = 6.7");
  SetField(profile, "Drive.D.SerialNumber", "0xDEADBEEF");
  SetField(profile, "SM_CXSCREEN", "-1");
  SetField(profile, "wSuiteMask", "0x2000");
  SetField(profile, "dwBuildNumber", "4294967295");
  SetField(profile, "SM_MEDIACENTER", "-2147483648");
  SetField(profile, "SelfRegistration.MSCOMCTL.OCX", "delay=11000,0x80004005");
  SetField(profile, "SelfRegistration.a.dll", "0x80070005");
  SetField(profile, "SelfRegistration.b.dll", "delay=20");
  EXPECT_EQ(profile.SelfRegistration.at("MSCOMCTL.OCX"),
            (SelfRegistrationBehaviour{11000, static_cast<win::HRESULT>(0x80004005)}));
  EXPECT_EQ(profile.SelfRegistration.at("a.dll").result, static_cast<win::HRESULT>(0x80070005));
  EXPECT_EQ(profile.SelfRegistration.at("b.dll"), (SelfRegistrationBehaviour{20, 0}));
  EXPECT_EQ(profile.wSuiteMask, 0x2000);
  EXPECT_EQ(profile.dwBuildNumber, 4294967295u);
  EXPECT_EQ(profile.SM_MEDIACENTER, -2147483647 - 1);
  EXPECT_EQ(ProfileFromText(ProfileToText(profile)), profile);

  // Hand-edited: Notepad's byte-order mark, comments, blank lines, CR LF,
  // blanks around the equals sign, a drive letter in lower case.
  std::string edited = ProfileToText(Profile{});
  for (std::size_t at = 0; (at = edited.find('\n', at)) != std::string::npos; at += 2) {
    edited.replace(at, 1, "\r\n");
  }
  edited = "\xEF\xBB\xBF# a machine\r\n\r\n" + edited + "Drive.d = FAT32\r\n";
  edited.replace(edited.find("dwMajorVersion = 6"), 18, "  dwMajorVersion =  5 ");
  const Profile written = ProfileFromText(edited);
  EXPECT_EQ(written.dwMajorVersion, 5u);
  EXPECT_EQ(written.drives.at('D').fileSystem, "FAT32");
}

// A profile file written before a field existed opens, and the field takes
// its default; one that claims the field's version must have it.
TEST(ProfileTextTest, AnOlderProfileTakesTheDefaultsOfLaterFields) {
  Profile changed;
  changed.EnableLUA = false;
  changed.ElevationAnswer = "No";
  std::string text = ProfileToText(changed);
  const auto Erase = [&text](const std::string& line) {
    const auto at = text.find(line);
    ASSERT_NE(at, std::string::npos) << line;
    text.erase(at, line.size());
  };
  Erase("EnableLUA = false\n");
  const std::string versioned = text;
  Erase("ProfileVersion = " + std::to_string(kProfileVersion) + "\n");
  Erase("ElevationAnswer = No\n");
  EXPECT_EQ(ProfileFromText(text), Profile{});
  EXPECT_NE(
      ErrorOf([&] { ProfileFromText(versioned); }).find("the profile has no line for EnableLUA"),
      std::string::npos);
}

TEST(ProfileTextTest, MalformedLinesAreNamed) {
  const struct {
    const char* text;
    const char* expected;
  } cases[] = {
      {"dwMajorVersion 6", "profile line 1: expected 'field = value'"},
      {"= 6", "profile line 1: expected 'field = value'"},
      {"\n# fine\nColour = blue", "profile line 3: unknown profile field 'Colour'"},
      {"dwMajorVersion = 6\nwProductType = 256", "profile line 2: bad value '256'"},
      {"Drive.D = CDFS\nDrive.d = NTFS", "profile line 2: Drive.d is set again (first on line 1)"},
      {"dwMajorVersion = 6", "the profile has no line for dwPlatformId, dwMinorVersion, "},
      {"ProfileVersion = 99", "profile line 1: the profile is version 99, made by a later lynsim"},
      {"ProfileVersion = 0", "profile line 1: bad value '0' for ProfileVersion"},
  };
  for (const auto& c : cases) {
    EXPECT_NE(ErrorOf([&] { ProfileFromText(c.text); }).find(c.expected), std::string::npos)
        << c.text;
  }
}

TEST(SetFieldTest, RefusesBadFieldsAndValuesWithOneLine) {
  const struct {
    const char* field;
    const char* value;
    const char* expected;
  } cases[] = {
      {"dwMajorVersion", "-1", "expected a number from 0 to 4294967295"},
      {"wSuiteMask", "0x10000", "expected a number from 0 to 65535"},
      {"SM_CXSCREEN", "2147483648", "expected a number from -2147483648"},
      {"dwBuildNumber", "12a", "bad value '12a'"},
      {"dwBuildNumber", "0x", "bad value '0x'"},
      {"Wow64", "yes", "expected true or false"},
      {"ElevationAnswer", "yes", "expected Yes or No"},
      {"UserName", "two\nlines", "text on one line"},
      {"SM_CXSCRN", "6", "did you mean SM_CXSCREEN?"},
      {"Colour", "6", "unknown profile field 'Colour'; lynsim fields lists them"},
      {"Drive.DE", "NTFS", "expected Drive.<letter>"},
      {"Drive.D", "", "a file-system name"},
      {"Drive.E.VolumeName", "DATA", "no drive E: set Drive.E"},
      {"Drive.C.Colour", "red", "unknown drive field 'Drive.C.Colour'"},
      {"SelfRegistration.", "0", "expected SelfRegistration.<file name>"},
      {"SelfRegistration.a.dll", "", "a result code, delay=MILLISECONDS"},
      {"SelfRegistration.a.dll", "delay=soon", "bad value 'soon'"},
      {"SelfRegistration.a.dll", "delay=5,fail", "bad value 'fail'"},
  };
  for (const auto& c : cases) {
    Profile profile;
    const std::string message = ErrorOf([&] { SetField(profile, c.field, c.value); });
    EXPECT_NE(message.find(c.expected), std::string::npos)
        << c.field << " = " << c.value << " gave: " << message;
    EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    EXPECT_EQ(profile, Profile{}) << "a refused value changes nothing";
  }
}

}  // namespace
}  // namespace lyn::sim
